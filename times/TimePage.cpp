#include "times/TimePage.h"
#include "ui_TimePage.h"

#include "bus/BusTopics.h"
#include "times/TimePageWidget.h"
#include "times/TimePropertyWidget.h"
#include "times/TimeRule.h"

TimePage::TimePage(QWidget *parent) : QWidget(parent), ui(new Ui::TimePage)
{
    ui->setupUi(this);
    connect(ui->editWidgget, &TimePageWidget::tabelEmpty, this,
        [this](bool isEmpty) { ui->propertyWidget->setStartEnabled(!isEmpty); });
}

TimePage::~TimePage()
{
    delete ui;
}

TimePageWidget *TimePage::pageWidget() const
{
    return ui->editWidgget;
}

TimePropertyWidget *TimePage::propertyWidget() const
{
    return ui->propertyWidget;
}

void TimePage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
    ui->propertyWidget->setRule(
        QString::fromLatin1(isFolder ? Topic::FolderTimeProperty : Topic::FileTimeProperty),
        TimeRule::forPage(isFolder));
    ui->propertyWidget->init();
}

#include "rename/RenamePage.h"
#include "ui_RenamePage.h"

#include "rename/RenamePageWidget.h"
#include "rename/RenamePropertyWidget.h"

RenamePage::RenamePage(QWidget *parent) : QWidget(parent), ui(new Ui::RenamePage)
{
    ui->setupUi(this);
    connect(ui->editWidgget, &RenamePageWidget::tabelEmpty, this,
        [this](bool isEmpty) { ui->propertyWidget->setStartEnabled(!isEmpty); });
}

RenamePage::~RenamePage()
{
    delete ui;
}

RenamePageWidget *RenamePage::pageWidget() const
{
    return ui->editWidgget;
}

RenamePropertyWidget *RenamePage::propertyWidget() const
{
    return ui->propertyWidget;
}

void RenamePage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
    ui->propertyWidget->setFolder(isFolder);
}

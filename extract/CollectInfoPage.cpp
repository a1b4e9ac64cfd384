#include "extract/CollectInfoPage.h"
#include "ui_CollectInfoPage.h"

#include "extract/CollectInfoPagePropertWidget.h"
#include "extract/CollectInfoPageWidget.h"

CollectInfoPage::CollectInfoPage(QWidget *parent) : QWidget(parent), ui(new Ui::CollectInfoPage)
{
    ui->setupUi(this);
    connect(ui->editWidgget, &CollectInfoPageWidget::tabelEmpty, this,
        [this](bool isEmpty) { ui->propertyWidget->setStartEnabled(!isEmpty); });
}

CollectInfoPage::~CollectInfoPage()
{
    delete ui;
}

CollectInfoPageWidget *CollectInfoPage::pageWidget() const
{
    return ui->editWidgget;
}

CollectInfoPagePropertWidget *CollectInfoPage::propertyWidget() const
{
    return ui->propertyWidget;
}

void CollectInfoPage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
    ui->propertyWidget->setFolder(isFolder);
}

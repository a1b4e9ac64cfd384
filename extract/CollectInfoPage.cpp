#include "extract/CollectInfoPage.h"
#include "ui_CollectInfoPage.h"

#include "extract/CollectInfoPageWidget.h"

CollectInfoPage::CollectInfoPage(QWidget *parent) : QWidget(parent), ui(new Ui::CollectInfoPage)
{
    ui->setupUi(this);
}

CollectInfoPage::~CollectInfoPage()
{
    delete ui;
}

void CollectInfoPage::setFolder(bool isFolder)
{
    m_isFolder = isFolder;
    ui->editWidgget->setFolder(isFolder);
}

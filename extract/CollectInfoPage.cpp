#include "extract/CollectInfoPage.h"
#include "ui_CollectInfoPage.h"

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
}

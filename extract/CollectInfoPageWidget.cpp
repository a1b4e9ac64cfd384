#include "extract/CollectInfoPageWidget.h"

#include "extract/CollectListWidget.h"
#include "ui_CollectInfoPageWidget.h"

CollectInfoPageWidget::CollectInfoPageWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::CollectInfoPageWidget)
{
    ui->setupUi(this);
    connect(
        ui->fileListWidget, &EntryListBase::tabelEmpty, this, &CollectInfoPageWidget::tabelEmpty);
}

CollectInfoPageWidget::~CollectInfoPageWidget()
{
    delete ui;
}

void CollectInfoPageWidget::setFolder(bool folder)
{
    ui->addFile->setVisible(!folder);
    ui->fileListWidget->setFolder(folder);
    isFolder = folder;
}

CollectListWidget *CollectInfoPageWidget::list() const
{
    return ui->fileListWidget;
}

void CollectInfoPageWidget::on_addFile_clicked()
{
    ui->fileListWidget->addFromFileDialog();
}

void CollectInfoPageWidget::on_clearList_clicked()
{
    ui->fileListWidget->clearList();
}

void CollectInfoPageWidget::on_addFolder_clicked()
{
    ui->fileListWidget->addFromFolderPicker();
}

#include "rename/RenamePageWidget.h"
#include "ui_RenamePageWidget.h"

#include "rename/FileListWidget.h"
#include "widgets/StyledButtons.h"

RenamePageWidget::RenamePageWidget(QWidget *parent) : QWidget(parent), ui(new Ui::RenamePageWidget)
{
    ui->setupUi(this);
    setIconPath(ui->addFile, QStringLiteral(":/image/addFile.svg"));
    setIconPath(ui->addFolder, QStringLiteral(":/image/addFolder.svg"));
    setIconPath(ui->clearList, QStringLiteral(":/image/clearList.svg"));
    showUndo(false);
    connect(ui->fileListWidget, &FileListWidget::canUndo, this, &RenamePageWidget::showUndo);
    connect(ui->fileListWidget, &FileListWidget::tabelEmpty, this, &RenamePageWidget::tabelEmpty);
}

RenamePageWidget::~RenamePageWidget()
{
    delete ui;
}

FileListWidget *RenamePageWidget::fileList() const
{
    return ui->fileListWidget;
}

void RenamePageWidget::setFolder(bool folder)
{
    ui->addFile->setVisible(!folder);
    ui->fileListWidget->setFolder(folder);
    isFolder = folder;
}

void RenamePageWidget::showUndo(bool isCan)
{
    ui->undo->setEnabled(isCan);
    setIconPath(ui->undo,
        isCan ? QStringLiteral(":/image/undo.svg") : QStringLiteral(":/image/disableUndo.svg"));
    // The icon's path, for whoever needs to tell the two states apart without pixels.
    ui->undo->setProperty("iconPath",
        isCan ? QStringLiteral(":/image/undo.svg") : QStringLiteral(":/image/disableUndo.svg"));
}

void RenamePageWidget::on_addFile_clicked()
{
    ui->fileListWidget->addFromFileDialog();
}

void RenamePageWidget::on_addFolder_clicked()
{
    ui->fileListWidget->addFromFolderPicker();
}

void RenamePageWidget::on_undo_clicked()
{
    ui->fileListWidget->undoRename();
}

void RenamePageWidget::on_clearList_clicked()
{
    ui->fileListWidget->clearList();
}

#include "rename/RenamePageWidget.h"

#include "rename/FileListWidget.h"
#include "ui_RenamePageWidget.h"

RenamePageWidget::RenamePageWidget(QWidget *parent) : QWidget(parent), ui(new Ui::RenamePageWidget)
{
    ui->setupUi(this);
    showUndo(false);
    connect(ui->fileListWidget, &EntryListBase::tabelEmpty, this, &RenamePageWidget::tabelEmpty);
    connect(ui->fileListWidget, &FileListWidget::canUndo, this, &RenamePageWidget::showUndo);
}

RenamePageWidget::~RenamePageWidget()
{
    delete ui;
}

void RenamePageWidget::setFolder(bool folder)
{
    ui->addFile->setVisible(!folder);
    ui->fileListWidget->setFolder(folder);
    isFolder = folder;
}

FileListWidget *RenamePageWidget::list() const
{
    return ui->fileListWidget;
}

void RenamePageWidget::showUndo(bool isCan)
{
    const QString icon
        = isCan ? QStringLiteral(":/image/undo.svg") : QStringLiteral(":/image/disableUndo.svg");
    ui->undo->setEnabled(isCan);
    ui->undo->setIcon(QIcon(icon));
    // Which of the two pictures is shown, for checks that cannot compare pixels.
    ui->undo->setProperty("iconPath", icon);
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

#include "times/TimePageWidget.h"

#include "times/TimeListWidget.h"
#include "ui_TimePageWidget.h"

TimePageWidget::TimePageWidget(QWidget *parent) : QWidget(parent), ui(new Ui::TimePageWidget)
{
    ui->setupUi(this);
    connect(ui->fileListWidget, &EntryListBase::tabelEmpty, this, &TimePageWidget::tabelEmpty);
    connect(ui->fileListWidget, &TimeListWidget::canUndo, this, [this](bool isCan) {
        ui->undo->setEnabled(isCan);
        ui->undo->setIcon(QIcon(isCan ? QStringLiteral(":/image/undo.svg")
                                      : QStringLiteral(":/image/disableUndo.svg")));
    });
}

TimePageWidget::~TimePageWidget()
{
    delete ui;
}

void TimePageWidget::setFolder(bool folder)
{
    ui->addFile->setVisible(!folder);
    ui->fileListWidget->setFolder(folder);
    isFolder = folder;
}

TimeListWidget *TimePageWidget::list() const
{
    return ui->fileListWidget;
}

void TimePageWidget::on_addFile_clicked()
{
    ui->fileListWidget->addFromFileDialog();
}

void TimePageWidget::on_addFolder_clicked()
{
    ui->fileListWidget->addFromFolderPicker();
}

void TimePageWidget::on_clearList_clicked()
{
    ui->fileListWidget->clearList();
}

void TimePageWidget::on_undo_clicked()
{
    ui->fileListWidget->undoChangeTimes();
}

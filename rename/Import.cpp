#include "rename/Import.h"
#include "ui_Import.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "lists/ShowInFolder.h"
#include "office/ExcelReader.h"
#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"
#include "rename/RenameRules.h"
#include "widgets/FileChoices.h"
#include "widgets/ResetDefaults.h"
#include "widgets/StyledButtons.h"

Import::Import(QWidget *parent) : QWidget(parent), ui(new Ui::Import)
{
    ui->setupUi(this);
    ui->importExcelBtn->setIcon(QIcon(QStringLiteral(":/image/importExcel.svg")));
    ui->importExcelBtn->setIconSize(QSize(32, 32));
    ui->deleteExcelBtn->setIcon(QIcon(QStringLiteral(":/image/deleteExcel.svg")));
    ui->openDirBtn->setIcon(QIcon(QStringLiteral(":/image/openDir.svg")));
    ui->hasExportExcelwidget->hide();
    setDefaultVisible(ui->importExcelBtn, true);
    setDefaultVisible(ui->hasExportExcelwidget, false);
}

Import::~Import()
{
    delete ui;
}

QString Import::workbookPath() const
{
    return chosenPath(ui->replaceExcelLabel);
}

void Import::loadWorkbook(const QString &path)
{
    showChosenWorkbook(ui->replaceExcelLabel, ui->hasExportExcelwidget, ui->importExcelBtn, path);
    readExcelRowsAsync(path, this);
}

void Import::chooseWorkbook()
{
    const QString path = chooseWorkbookFile(this);
    if (!path.isEmpty())
        loadWorkbook(path);
}

void Import::on_importExcelBtn_clicked()
{
    chooseWorkbook();
}

void Import::on_changeExcelBtn_clicked()
{
    chooseWorkbook();
}

void Import::on_replaceExcelLabel_clicked()
{
    chooseWorkbook();
}

void Import::on_deleteExcelBtn_clicked()
{
    // The names already in the preview stay: nothing is published.
    ui->replaceExcelLabel->setText(QString());
    ui->replaceExcelLabel->setToolTip(QString());
    ui->replaceExcelLabel->setIcon(QIcon());
    ui->hasExportExcelwidget->hide();
    ui->importExcelBtn->show();
}

void Import::on_openDirBtn_clicked()
{
    if (!workbookPath().isEmpty())
        showInFolder(workbookPath());
}

void Import::customEvent(QEvent *event)
{
    if (event->type() == MyCustomEvent::EventType) {
        QStringList names;
        for (const QVariant &row : static_cast<MyCustomEvent *>(event)->list) {
            const QStringList cells = row.toStringList();
            names << (cells.isEmpty() ? QString() : cells.first());
        }
        RenamePageMessage::publish(folder, QString::fromLatin1(Topic::ImportExcelRename), names);
    } else if (event->type() == MyDialogMessageEvent::EventType) {
        CNvGlobalObserver::instance()->notifyObservers(QString::fromLatin1(Topic::MessageErrorTip),
            QString(), static_cast<MyDialogMessageEvent *>(event)->message);
    }
}

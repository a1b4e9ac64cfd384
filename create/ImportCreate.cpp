#include "create/ImportCreate.h"
#include "ui_ImportCreate.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateNames.h"
#include "create/CreateSettings.h"
#include "lists/ShowInFolder.h"
#include "office/ExcelReader.h"
#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"
#include "widgets/FileChoices.h"
#include "widgets/ResetDefaults.h"

ImportCreate::ImportCreate(QWidget *parent) : QWidget(parent), ui(new Ui::ImportCreate)
{
    ui->setupUi(this);
    ui->importExcelBtn->setIcon(QIcon(QStringLiteral(":/image/importExcel.svg")));
    ui->importExcelBtn->setIconSize(QSize(32, 32));
    ui->openDirBtn->setIcon(QIcon(QStringLiteral(":/image/openDir.svg")));
    ui->openPathBtn->setIcon(QIcon(QStringLiteral(":/image/openDir.svg")));
    ui->hasExportExcelwidget->hide();
    setDefaultVisible(ui->importExcelBtn, true);
    setDefaultVisible(ui->hasExportExcelwidget, false);

    importCreateSettings()->targetDir = desktopFolder();
    showChosenPath(ui->replacePathLabel, importCreateSettings()->targetDir);
}

ImportCreate::~ImportCreate()
{
    delete ui;
}

QString ImportCreate::workbookPath() const
{
    return chosenPath(ui->replaceExcelLabel);
}

void ImportCreate::announce()
{
    if (resetting)
        return;
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(Topic::ImportCreateExcelRename),
        QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

void ImportCreate::loadWorkbook(const QString &path)
{
    showChosenWorkbook(ui->replaceExcelLabel, ui->hasExportExcelwidget, ui->importExcelBtn, path);
    readExcelRowsAsync(path, this);
}

void ImportCreate::resetToDefaults()
{
    resetting = true;
    restoreDefaults(this);
    resetting = false;
    ui->replaceExcelLabel->setIcon(QIcon());
    ui->replaceExcelLabel->setToolTip(QString());
    showChosenPath(ui->replacePathLabel, desktopFolder()); // where the reset puts the rule
}

void ImportCreate::chooseWorkbook()
{
    const QString path = chooseWorkbookFile(this);
    if (!path.isEmpty())
        loadWorkbook(path);
}

void ImportCreate::chooseTargetDir()
{
    const QString dir = chooseFolder(this, QStringLiteral("选择创建目录"));
    if (dir.isEmpty())
        return;
    showChosenPath(ui->replacePathLabel, dir);
    importCreateSettings()->targetDir = dir;
    announce();
}

void ImportCreate::on_importExcelBtn_clicked()
{
    chooseWorkbook();
}

void ImportCreate::on_openDirBtn_clicked()
{
    if (!workbookPath().isEmpty())
        showInFolder(workbookPath());
}

void ImportCreate::on_changeExcelBtn_clicked()
{
    chooseWorkbook();
}

void ImportCreate::on_openPathBtn_clicked()
{
    chooseTargetDir();
}

void ImportCreate::on_exportTypeCombox_currentIndexChanged(int index)
{
    importCreateSettings()->fileType = index;
    announce();
}

void ImportCreate::on_replacePathLabel_clicked()
{
    chooseTargetDir();
}

void ImportCreate::on_replaceExcelLabel_clicked()
{
    chooseWorkbook();
}

void ImportCreate::customEvent(QEvent *event)
{
    if (event->type() == MyCustomEvent::EventType) {
        // Rows of a workbook the reset has forgotten are not wanted any more.
        if (workbookPath().isEmpty())
            return;
        const ImportedNames imported
            = importedCreateNames(static_cast<MyCustomEvent *>(event)->list);
        if (imported.overCapacity)
            CNvGlobalObserver::instance()->notifyObservers(
                QString::fromLatin1(Topic::AppCompacityLimit), QString(), QVariant());
        CreateSettings *record = importCreateSettings();
        record->names = imported.names;
        record->states = QList<int>();
        record->states.reserve(record->names.size());
        for (int i = 0; i < record->names.size(); ++i)
            record->states.append(StatePending);
        announce();
    } else if (event->type() == MyDialogMessageEvent::EventType) {
        CNvGlobalObserver::instance()->notifyObservers(QString::fromLatin1(Topic::MessageErrorTip),
            QString(), static_cast<MyDialogMessageEvent *>(event)->message);
    }
}

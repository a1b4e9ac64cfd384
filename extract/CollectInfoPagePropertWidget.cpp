#include "extract/CollectInfoPagePropertWidget.h"
#include "ui_CollectInfoPagePropertWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "extract/CollectSettings.h"
#include "rename/RenameRules.h"
#include "widgets/FileChoices.h"
#include "widgets/ResetDefaults.h"

#include <QDir>
#include <QEvent>
#include <QTimer>

CollectInfoPagePropertWidget::CollectInfoPagePropertWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::CollectInfoPagePropertWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground); // the panel surface comes from the stylesheet
    ui->openDirBtn->setIcon(QIcon(QStringLiteral(":/image/openDir.svg")));
    ui->replaceExcelLabel->installEventFilter(this);
    // Recorded now as well, so that a reset in the first second has defaults to go back to.
    recordDefaults();
    QTimer::singleShot(1000, this, &CollectInfoPagePropertWidget::recordDefaults);
}

CollectInfoPagePropertWidget::~CollectInfoPagePropertWidget()
{
    delete ui;
}

void CollectInfoPagePropertWidget::setFolder(bool folder)
{
    isFolder = folder;
    ui->suffixWidget->setVisible(!folder);
    nameSpace
        = QString::fromLatin1(folder ? Topic::FolderCollectProperty : Topic::FileCollectProperty);
    settings = collectSettings(folder);
    settings->exportDir = defaultExportDir();
    showExportDir();
}

void CollectInfoPagePropertWidget::setStartEnabled(bool enabled)
{
    ui->setBtn->setEnabled(enabled);
}

void CollectInfoPagePropertWidget::recordDefaults()
{
    captureDefaults(this);
}

void CollectInfoPagePropertWidget::announce()
{
    if (!nameSpace.isEmpty())
        CNvGlobalObserver::instance()->notifyObservers(
            nameSpace, QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

void CollectInfoPagePropertWidget::setFlag(bool CollectSettings::*flag, bool value, bool checked)
{
    // The buttons of a pair are exclusive: the one that became checked carries the change.
    if (!checked || !settings)
        return;
    settings->*flag = value;
    announce();
}

void CollectInfoPagePropertWidget::on_setBtn_clicked()
{
    RenamePageMessage::publish(isFolder, QString::fromLatin1(Topic::StartCollectInfo), isFolder);
}

void CollectInfoPagePropertWidget::on_exportName_textChanged(const QString &arg1)
{
    if (!settings)
        return;
    // Kept as typed; the export checks it when it starts.
    settings->exportName = arg1;
    announce();
}

void CollectInfoPagePropertWidget::on_exportTypeCombox_currentIndexChanged(int index)
{
    if (!settings || index < 0)
        return;
    settings->exportType = index;
    announce();
}

void CollectInfoPagePropertWidget::on_replaceExcelLabel_clicked()
{
    chooseExportDir();
}

void CollectInfoPagePropertWidget::on_openDirBtn_clicked()
{
    chooseExportDir();
}

void CollectInfoPagePropertWidget::chooseExportDir()
{
    const QString dir = chooseFolder(this, QStringLiteral("选择导出目录"));
    if (dir.isEmpty() || !settings)
        return;
    settings->exportDir = dir;
    showExportDir();
    announce();
}

void CollectInfoPagePropertWidget::on_hasPathBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasPath, true, checked);
}

void CollectInfoPagePropertWidget::on_noPathBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasPath, false, checked);
}

void CollectInfoPagePropertWidget::on_hasBirthBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasBirth, true, checked);
}

void CollectInfoPagePropertWidget::on_noBirthBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasBirth, false, checked);
}

void CollectInfoPagePropertWidget::on_hasModifiedBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasModified, true, checked);
}

void CollectInfoPagePropertWidget::on_noModifiedBtn_clicked(bool checked)
{
    setFlag(&CollectSettings::hasModified, false, checked);
}

void CollectInfoPagePropertWidget::on_hassuffix_clicked(bool checked)
{
    setFlag(&CollectSettings::hasSuffix, true, checked);
}

void CollectInfoPagePropertWidget::on_nosuffix_clicked(bool checked)
{
    setFlag(&CollectSettings::hasSuffix, false, checked);
}

void CollectInfoPagePropertWidget::on_resetBtn_clicked()
{
    restoreDefaults(this);
    // Restoring checks the buttons without clicking them, so the flags are reset here.
    if (!settings)
        return;
    resetCollectSettings(settings);
    showExportDir();
    announce();
}

void CollectInfoPagePropertWidget::showExportDir()
{
    showChosenPath(ui->replaceExcelLabel, settings ? settings->exportDir : QString());
}

bool CollectInfoPagePropertWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->replaceExcelLabel && event->type() == QEvent::Resize)
        showExportDir();
    return QWidget::eventFilter(watched, event);
}

#include "create/CreateFilePropertyWidget.h"
#include "ui_CreateFilePropertyWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateSettings.h"
#include "create/CustormCreate.h"
#include "create/ImportCreate.h"
#include "widgets/ResetDefaults.h"
#include "widgets/StyledButtons.h"

#include <QTimer>

namespace {

void announce(const char *nameSpace)
{
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(nameSpace), QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
}

} // namespace

CreateFilePropertyWidget::CreateFilePropertyWidget(QWidget *parent)
    : QWidget(parent), ui(new Ui::CreateFilePropertyWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground); // the panel surface comes from the stylesheet
    setIconPath(ui->toolButton, QStringLiteral(":/image/batchCreateFolderBtn.svg"));
    ui->toolButton->setIconSize(QSize(24, 24));
    ui->setBtn->setEnabled(false);
    ui->stackedWidget->setCurrentWidget(ui->importCreatePage);
    // Recorded now as well, so that a reset in the first second has defaults to go back to.
    recordDefaults();
    QTimer::singleShot(1000, this, &CreateFilePropertyWidget::recordDefaults);
}

CreateFilePropertyWidget::~CreateFilePropertyWidget()
{
    delete ui;
}

ImportCreate *CreateFilePropertyWidget::importEditor() const
{
    return ui->importCreatePage;
}

CustormCreate *CreateFilePropertyWidget::customEditor() const
{
    return ui->custormCreatePage;
}

void CreateFilePropertyWidget::setStartEnabled(bool enabled)
{
    ui->setBtn->setEnabled(enabled);
}

void CreateFilePropertyWidget::recordDefaults()
{
    captureDefaults(ui->importCreatePage);
    captureDefaults(ui->custormCreatePage);
}

void CreateFilePropertyWidget::on_importBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->stackedWidget->setCurrentWidget(ui->importCreatePage);
    emit changePage(QStringLiteral("importCreatePage"));
}

void CreateFilePropertyWidget::on_custormBtn_clicked(bool checked)
{
    if (!checked)
        return;
    ui->stackedWidget->setCurrentWidget(ui->custormCreatePage);
    emit changePage(QStringLiteral("custormCreatePage"));
}

void CreateFilePropertyWidget::on_setBtn_clicked()
{
    announce(Topic::StartCreateData);
}

void CreateFilePropertyWidget::on_resetBtn_clicked()
{
    ui->importCreatePage->resetToDefaults();
    ui->custormCreatePage->resetToDefaults();
    resetCreateSettings(*customCreateSettings());
    announce(Topic::CustomCreateExcelRename);
    resetCreateSettings(*importCreateSettings());
    announce(Topic::ImportCreateExcelRename);
}

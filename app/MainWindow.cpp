#include "app/MainWindow.h"
#include "ui_MainWindow.h"

#include "app/WindowAgent.h"
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "widgets/HelpPages.h"
#include "widgets/SettingMenu.h"
#include "widgets/StyledButtons.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"

#include <QCloseEvent>
#include <QCursor>
#include <QScreen>
#include <QTimer>

namespace {

const char *const noticeKeys[] = {
    Topic::AppCompacityLimit,
    Topic::StartAddFile,
    Topic::EndAddFile,
    Topic::MessageErrorTip,
};

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setMinimumWidth(960);

    windowAgent = new QWK::WidgetWindowAgent(this);
    windowAgent->setup(this);
    ui->minButton->setObjectName(QStringLiteral("min-button"));
    ui->maxButton->setObjectName(QStringLiteral("max-button"));
    ui->closeButton->setObjectName(QStringLiteral("close-button"));
    for (QWidget *button : {static_cast<QWidget *>(ui->minButton),
             static_cast<QWidget *>(ui->maxButton), static_cast<QWidget *>(ui->closeButton)}) {
        button->setProperty("system-button", true);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    ui->maxButton->setCheckable(true);
    windowAgent->setSystemButton(QWK::WidgetWindowAgent::Help, ui->onlineHelp);
    windowAgent->setSystemButton(QWK::WidgetWindowAgent::Custom, ui->settingBtn);
    windowAgent->setSystemButton(QWK::WidgetWindowAgent::Minimize, ui->minButton);
    windowAgent->setSystemButton(QWK::WidgetWindowAgent::Maximize, ui->maxButton);
    windowAgent->setSystemButton(QWK::WidgetWindowAgent::Close, ui->closeButton);
    windowAgent->setTitleBar(ui->menubar);

    connect(ui->maxButton, &QAbstractButton::clicked, this, [this](bool checked) {
        if (checked)
            showMaximized();
        else
            showNormal();
        QAbstractButton *button = ui->maxButton;
        QTimer::singleShot(0, button, [button] { clearHoverState(button); });
    });
    connect(ui->minButton, &QAbstractButton::clicked, this, &QWidget::showMinimized);
    connect(ui->closeButton, &QAbstractButton::clicked, this, &QWidget::close);

    connect(ui->swtichPageBtnGroup, &QButtonGroup::idToggled, this, &MainWindow::switchPage);

    setIconPath(ui->fileRenameBtn, QStringLiteral(":/image/fileRenameBtn.svg"));
    setIconPath(ui->folderRenameBtn, QStringLiteral(":/image/folderRenameBtn.svg"));
    setIconPath(ui->fileTimePropertyBtn, QStringLiteral(":/image/fileTimePropertyBtn.svg"));
    setIconPath(ui->folderTimePropertyBtn, QStringLiteral(":/image/folderTimePropertyBtn.svg"));
    setIconPath(ui->collectFileNameBtn, QStringLiteral(":/image/collectFileNameBtn.svg"));
    setIconPath(ui->collectFolderNameBtn, QStringLiteral(":/image/collectFolderNameBtn.svg"));
    setIconPath(ui->batchCreateFolderBtn, QStringLiteral(":/image/batchCreateFolderBtn.svg"));

    ui->folderRenamePage->setFolder(true);
    ui->fileRenamePage->setFolder(false);
    ui->folderTimePropertyPage->setFolder(true);
    ui->fileTimePropertyPage->setFolder(false);
    ui->collectFolderNamePage->setFolder(true);
    ui->collectFileNamePage->setFolder(false);

    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *key : noticeKeys)
        bus->registerObserver(QString::fromLatin1(key), QString(), this, QUORVEX_BUS_SLOT);
}

MainWindow::~MainWindow()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *key : noticeKeys)
        bus->unregisterObserver(QString::fromLatin1(key), QString(), this);
    delete ui;
}

QPoint MainWindow::centredPosition(const QRect &available, const QSize &windowSize)
{
    // Offset by the area's corner, so a primary screen right of another one works too; never
    // above or left of the area, where the title bar could no longer be grabbed.
    const int x = qMax(0, (available.width() - windowSize.width()) / 2);
    const int y = qMax(0, (available.height() - windowSize.height()) / 2);
    return available.topLeft() + QPoint(x, y);
}

void MainWindow::switchPage(int id, bool checked)
{
    Q_UNUSED(checked)
    QAbstractButton *button = ui->swtichPageBtnGroup->button(id);
    if (!button)
        return;
    QString pageName = button->objectName();
    pageName.remove(QStringLiteral("Btn"), Qt::CaseSensitive);
    pageName.append(QStringLiteral("Page"));
    for (int i = 0; i < ui->stackedWidget->count(); ++i) {
        QWidget *page = ui->stackedWidget->widget(i);
        if (page->objectName() == pageName)
            ui->stackedWidget->setCurrentWidget(page);
    }
}

void MainWindow::clearHoverState(QAbstractButton *button)
{
    if (!button)
        return;
    const QPoint cursor = QCursor::pos(button->screen());
    const QRect rect(button->mapToGlobal(QPoint(0, 0)), button->size());
    if (rect.contains(cursor))
        return;
    QCoreApplication::postEvent(button, new QEvent(QEvent::Leave));
    // Qt only recomputes "under mouse" on the next mouse move; the stylesheet's hover look
    // follows this attribute, so drop it now.
    button->setAttribute(Qt::WA_UnderMouse, false);
    button->update();
    if (button->testAttribute(Qt::WA_Hover)) {
        QCoreApplication::postEvent(button,
            new QHoverEvent(QEvent::HoverLeave, button->mapFromGlobal(cursor), QPoint(0, 0),
                QGuiApplication::keyboardModifiers()));
    }
}

void MainWindow::showWarning(const QString &text)
{
    // A run that fails on many rows publishes one message per row. The box does not hold the
    // run up: it stays modal, gathers what follows, and one click closes it.
    if (openWarning && openWarning->isVisible()) {
        openWarning->addTipText(text);
        return;
    }
    auto *dialog = new WarningDialog(this);
    dialog->setTipText(text);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    openWarning = dialog;
}

void MainWindow::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    if (valueName == QLatin1String(Topic::StartAddFile)) {
        setEnabled(false);
    } else if (valueName == QLatin1String(Topic::EndAddFile)) {
        setEnabled(true);
        const int skipped = value.toInt();
        if (skipped >= 1)
            showWarning(QStringLiteral("已经为您过滤%1个或已经存在的文件！").arg(skipped));
    } else if (valueName == QLatin1String(Topic::AppCompacityLimit)) {
        showWarning(QStringLiteral("文件总数超过3000，请分批次处理！"));
    } else if (valueName == QLatin1String(Topic::MessageErrorTip)) {
        showWarning(value.toString());
    }
}

void MainWindow::on_settingBtn_clicked()
{
    SettingMenu menu;
    QPoint p = ui->settingBtn->mapToGlobal(ui->settingBtn->geometry().bottomLeft());
    p.rx() -= 80;
    menu.exec(p);
}

void MainWindow::on_onlineHelp_clicked()
{
    HelpPages::openOnlineService();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    TipDialog dialog(this);
    dialog.setModal(true);
    dialog.raise();
    if (dialog.exec() == QDialog::Accepted)
        event->accept();
    else
        event->ignore();
}

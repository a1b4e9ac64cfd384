#include "app/MainWindow.h"
#include "app/WindowAgent.h"
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateFilePage.h"
#include "extract/CollectInfoPage.h"
#include "lists/CustomTabelWidget.h"
#include "lists/EntryListBase.h"
#include "rename/RenamePage.h"
#include "times/TimePage.h"
#include "widgets/AppStyle.h"
#include "widgets/SettingMenu.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"
#include "widgets/WindowButton.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

struct Answered
{
    QString dialogClass;
    QString text;
};

// Runs action; a zero-delay timer finds the modal dialog it opens (if any), records it and
// presses the named button (or closes it).
QList<Answered> answerModal(const std::function<void()> &action, const QString &button = {})
{
    QList<Answered> seen;
    bool fired = false;
    QTimer::singleShot(0, [&seen, &fired, button] {
        fired = true;
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        Answered a {QString::fromLatin1(modal->metaObject()->className()), QString()};
        if (auto *tip = modal->findChild<QLabel *>("tipLabel"))
            a.text = tip->text();
        seen.append(a);
        if (auto *b = button.isEmpty() ? nullptr : modal->findChild<QAbstractButton *>(button))
            b->click();
        else
            modal->close();
    });
    action();
    if (!fired)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seen;
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formBuildsTheShell();
    void pagesKnowWhatTheyServe_data();
    void pagesKnowWhatTheyServe();
    void pageSwitching_data();
    void pageSwitching();
    void clickingTheCheckedButtonChangesNothing();
    void listsDrawTheirRowsAfterAPageSwitch_data();
    void listsDrawTheirRowsAfterAPageSwitch();

    void notices_data();
    void notices();
    void capacityNoticeKeepsEnabledState_data();
    void capacityNoticeKeepsEnabledState();
    void destructionUnregistersTheNotices();
    void failuresOfARunGatherInOneBox_data();
    void failuresOfARunGatherInOneBox();

    void closeAsksForConfirmation_data();
    void closeAsksForConfirmation();
    void settingMenuOpensAndCloses();
    void onlineHelpOpensTheLocalServicePage();

    void centring_data();
    void centring();

    void agentEdgesAndDragArea_data();
    void agentEdgesAndDragArea();
    void maximizeButtonFollowsWindowState();
    void maximizeDropsStaleHover_data();
    void maximizeDropsStaleHover();

private:
    MainWindow *window = nullptr;
    QStackedWidget *stack() const { return window->findChild<QStackedWidget *>("stackedWidget"); }
};

void TestApp::initTestCase()
{
    installFontFallbacks();
    qApp->setStyleSheet(readStyleSheet());
}

void TestApp::init()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestApp::cleanup()
{
    delete window;
    window = nullptr;
}

void TestApp::formBuildsTheShell()
{
    QCOMPARE(window->size(), QSize(1340, 835));
    QCOMPARE(window->minimumWidth(), 960);
    QCOMPARE(window->windowTitle(), QString("Tovask批量改名软件"));
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    for (const char *name : {"min-button", "max-button", "close-button"}) {
        auto *b = window->findChild<WindowButton *>(name);
        QVERIFY2(b, name);
        QVERIFY(b->property("system-button").toBool());
        QVERIFY2(!b->iconNormal().isNull(), name); // set by the stylesheet
    }
    QVERIFY(window->findChild<WindowButton *>("max-button")->isCheckable());
    auto *group = window->findChild<QButtonGroup *>("swtichPageBtnGroup");
    QVERIFY(group);
    QVERIFY(group->exclusive());
    QCOMPARE(group->buttons().size(), 7);
    for (QAbstractButton *b : group->buttons()) {
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->isChecked(), b->objectName() == "fileRenameBtn");
    }
    QCOMPARE(stack()->count(), 7);
    QCOMPARE(stack()->currentWidget()->objectName(), QString("fileRenamePage"));
    QCOMPARE(window->findChild<QAbstractButton *>("onlineHelp")->toolTip(), QString("在线客服"));
}

void TestApp::pagesKnowWhatTheyServe_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("folder");
    QTest::newRow("file rename") << "fileRenamePage" << false;
    QTest::newRow("folder rename") << "folderRenamePage" << true;
    QTest::newRow("file time") << "fileTimePropertyPage" << false;
    QTest::newRow("folder time") << "folderTimePropertyPage" << true;
    QTest::newRow("collect file") << "collectFileNamePage" << false;
    QTest::newRow("collect folder") << "collectFolderNamePage" << true;
}

void TestApp::pagesKnowWhatTheyServe()
{
    QFETCH(QString, page);
    QFETCH(bool, folder);
    QWidget *w = stack()->findChild<QWidget *>(page);
    QVERIFY(w);
    if (auto *p = qobject_cast<RenamePage *>(w))
        QCOMPARE(p->isFolder(), folder);
    else if (auto *p = qobject_cast<TimePage *>(w))
        QCOMPARE(p->isFolder(), folder);
    else if (auto *p = qobject_cast<CollectInfoPage *>(w))
        QCOMPARE(p->isFolder(), folder);
    else
        QFAIL("unexpected page class");
}

void TestApp::pageSwitching_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("pageClass");
    QTest::newRow("folder rename") << "folderRenameBtn"
                                   << "folderRenamePage"
                                   << "RenamePage";
    QTest::newRow("file time") << "fileTimePropertyBtn"
                               << "fileTimePropertyPage"
                               << "TimePage";
    QTest::newRow("folder time") << "folderTimePropertyBtn"
                                 << "folderTimePropertyPage"
                                 << "TimePage";
    QTest::newRow("collect file") << "collectFileNameBtn"
                                  << "collectFileNamePage"
                                  << "CollectInfoPage";
    QTest::newRow("collect folder") << "collectFolderNameBtn"
                                    << "collectFolderNamePage"
                                    << "CollectInfoPage";
    QTest::newRow("batch create") << "batchCreateFolderBtn"
                                  << "batchCreateFolderPage"
                                  << "CreateFilePage";
    QTest::newRow("back to file rename") << "fileRenameBtn"
                                         << "fileRenamePage"
                                         << "RenamePage";
}

void TestApp::pageSwitching()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(QString, pageClass);

    // Start from another page so that every row really switches.
    window->findChild<QAbstractButton *>("collectFolderNameBtn")->click();
    auto *b = window->findChild<QAbstractButton *>(button);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    QCOMPARE(stack()->currentWidget()->objectName(), page);
    QCOMPARE(QString(stack()->currentWidget()->metaObject()->className()), pageClass);
    int checked = 0;
    for (QAbstractButton *other : window->findChild<QButtonGroup *>()->buttons())
        checked += other->isChecked();
    QCOMPARE(checked, 1);
}

void TestApp::clickingTheCheckedButtonChangesNothing()
{
    auto *b = window->findChild<QAbstractButton *>("folderTimePropertyBtn");
    b->click();
    QWidget *shown = stack()->currentWidget();
    QCOMPARE(shown->objectName(), QString("folderTimePropertyPage"));
    QSignalSpy changed(stack(), &QStackedWidget::currentChanged);
    b->click();
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    QCOMPARE(stack()->currentWidget(), shown);
    QCOMPARE(changed.count(), 0);
}

void TestApp::listsDrawTheirRowsAfterAPageSwitch_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"fileRename", "folderRename", "fileTimeProperty", "folderTimeProperty",
             "collectFileName", "collectFolderName", "batchCreateFolder"})
        QTest::newRow(page) << page;
}

void TestApp::listsDrawTheirRowsAfterAPageSwitch()
{
    QFETCH(QString, page);
    window->findChild<QAbstractButton *>(page + "Btn")->click();
    QWidget *shown = stack()->currentWidget(), *table = shown->findChild<CustomTabelWidget *>();
    if (auto *count = shown->findChild<QSpinBox *>("createCountSpinBox"))
        count->setValue(4);
    else
        shown->findChild<EntryListBase *>()->addPaths({QUORVEX_SOURCE_DIR, QUORVEX_RUNTIME_DIR});
    const auto painted = [this, table] { // what the screen shows, not a fresh rendering
        QTest::qWait(100);
        const QPoint at = table->mapTo(window, QPoint());
        return window->screen()->grabWindow(
            window->winId(), at.x(), at.y(), table->width(), table->height());
    };
    const QImage before = painted().toImage();
    QVERIFY(before.copy(0, 0, 1, 1).scaled(before.size()) != before); // not blank
    window->findChild<QAbstractButton *>(page == "fileRename" ? "folderRenameBtn" : "fileRenameBtn")
        ->click();
    window->findChild<QAbstractButton *>(page + "Btn")->click();
    QVERIFY2(painted().toImage() == before, "header and rows are not drawn again");
}

void TestApp::notices_data()
{
    QTest::addColumn<QString>("nameSpace");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("enabledAfter");
    QTest::addColumn<QString>("dialogText"); // empty: no dialog

    QTest::newRow("start add/disables") << "START ADD FILE"
                                        << "" << QVariant() << false << "";
    QTest::newRow("end add/0 skipped") << "END ADD FILE"
                                       << "" << QVariant(0) << true << "";
    QTest::newRow("end add/3 skipped")
        << "END ADD FILE"
        << "" << QVariant(3) << true << "已经为您过滤3个或已经存在的文件！";
    QTest::newRow("end add/1 skipped")
        << "END ADD FILE"
        << "" << QVariant(1) << true << "已经为您过滤1个或已经存在的文件！";
    QTest::newRow("end add/no count") << "END ADD FILE"
                                      << "" << QVariant() << true << "";
    QTest::newRow("capacity") << "APP COMPACITY LIMIT"
                              << "" << QVariant() << true << "文件总数超过3000，请分批次处理！";
    QTest::newRow("error text") << "MESSAGE ERROR TIP"
                                << "" << QVariant("重命名失败：a.txt") << true
                                << "重命名失败：a.txt";
    QTest::newRow("case differs/ignored") << "start add file"
                                          << "" << QVariant() << true << "";
    QTest::newRow("other name/ignored") << "START ADD FILE"
                                        << "RENAME VALUE UPDATE" << QVariant() << true << "";
    QTest::newRow("unknown key/ignored") << "START CHANGE NAME"
                                         << "" << QVariant() << true << "";
}

void TestApp::notices()
{
    QFETCH(QString, nameSpace);
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(bool, enabledAfter);
    QFETCH(QString, dialogText);

    const auto seen = answerModal(
        [&] { CNvGlobalObserver::instance()->notifyObservers(nameSpace, name, value); });
    QCOMPARE(window->isEnabled(), enabledAfter);
    if (dialogText.isEmpty()) {
        QVERIFY(seen.isEmpty());
    } else {
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().dialogClass, QString("WarningDialog"));
        QCOMPARE(seen.first().text, dialogText);
    }
    // The dialogs delete themselves.
    QVERIFY(window->findChildren<WarningDialog *>().isEmpty());
}

void TestApp::capacityNoticeKeepsEnabledState_data()
{
    QTest::addColumn<bool>("disabledFirst");
    QTest::newRow("while adding") << true;
    QTest::newRow("while idle") << false;
}

void TestApp::capacityNoticeKeepsEnabledState()
{
    QFETCH(bool, disabledFirst);
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    if (disabledFirst)
        bus->notifyObservers(Topic::StartAddFile, Topic::NoticeName, QVariant());
    const auto seen = answerModal(
        [&] { bus->notifyObservers(Topic::AppCompacityLimit, Topic::NoticeName, QVariant()); },
        "okBtn");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(window->isEnabled(), !disabledFirst);
    bus->notifyObservers(Topic::EndAddFile, Topic::NoticeName, 0);
    QVERIFY(window->isEnabled());
}

void TestApp::destructionUnregistersTheNotices()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    const int with = bus->subscriptionCount();
    delete window;
    window = nullptr;
    // the four notices go, and so do the subscriptions of the pages' lists
    QVERIFY(bus->subscriptionCount() <= with - 4);
    window = new MainWindow;
    QCOMPARE(bus->subscriptionCount(), with);
}

void TestApp::failuresOfARunGatherInOneBox_data()
{
    // Every row fails: its file is gone by the time the run starts.
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("heading");
    QTest::newRow("one failure/the box as ever") << 1 << "提示";
    QTest::newRow("3000 failures/one list") << 3000 << "提示（共3000条）";
}

void TestApp::failuresOfARunGatherInOneBox()
{
    QFETCH(int, files);
    QFETCH(QString, heading);
    QTemporaryDir dir;
    QStringList paths, messages;
    for (int i = 0; i < files; ++i) {
        paths << dir.filePath(QString::number(i));
        QFile(paths.last()).open(QFile::WriteOnly);
        messages << QStringLiteral("文件“%1”不存在").arg(paths.last());
    }
    window->findChild<QAbstractButton *>("fileTimePropertyBtn")->click();
    QWidget *page = stack()->currentWidget();
    page->findChild<EntryListBase *>()->addPaths(paths);
    for (const QString &path : paths)
        QVERIFY(QFile::remove(path));
    QTimer closer; // a box that held the run up would be closed here (and missed below)
    connect(&closer, &QTimer::timeout,
        [] { QMetaObject::invokeMethod(QApplication::activeModalWidget(), "close"); });
    closer.start(0);
    page->findChild<QAbstractButton *>("setBtn")->click();
    closer.stop();
    auto *box = window->findChild<WarningDialog *>();
    QVERIFY(box && QApplication::activeModalWidget() == box);
    QCOMPARE(box->findChild<QLabel *>("label")->text(), heading);
    QCOMPARE(files == 1 ? box->tipText() : box->findChild<QPlainTextEdit *>()->toPlainText(),
        messages.join('\n'));
    QTest::mouseClick(box->findChild<QAbstractButton *>("okBtn"), Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget() && window->isEnabled());
}

void TestApp::closeAsksForConfirmation_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("closes");
    QTest::newRow("exit") << "exitBtn" << true;
    QTest::newRow("cancel") << "cancelBtn" << false;
    QTest::newRow("dialog closed otherwise") << "" << false;
}

void TestApp::closeAsksForConfirmation()
{
    QFETCH(QString, button);
    QFETCH(bool, closes);

    // The close button goes through closeEvent, as the title bar's "×" does.
    auto *closeButton = window->findChild<QAbstractButton *>("close-button");
    const auto seen = answerModal([&] { closeButton->click(); }, button);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().dialogClass, QString("TipDialog"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(stack()->count(), 7);
}

void TestApp::settingMenuOpensAndCloses()
{
    QString popupClass;
    QTimer::singleShot(0, [&popupClass] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            popupClass = QString::fromLatin1(popup->metaObject()->className());
            popup->close();
        }
    });
    window->findChild<QAbstractButton *>("settingBtn")->click();
    QCOMPARE(popupClass, QString("SettingMenu"));
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QVERIFY(window->findChildren<SettingMenu *>().isEmpty());
    SettingMenu menu;
    QCOMPARE(menu.findChild<QAbstractButton *>("help1")->text(), QString("在线客服"));
    QCOMPARE(menu.findChild<QAbstractButton *>("help2")->text(), QString("帮助中心"));
}

void TestApp::onlineHelpOpensTheLocalServicePage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(QUORVEX_RUNTIME_DIR);
    window->findChild<QAbstractButton *>("onlineHelp")->click();
    QDir::setCurrent(saved);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls.size(), 1);
    QVERIFY(QFileInfo(catcher.urls.first().toLocalFile()).isFile());
    QCOMPARE(catcher.urls.first().fragment(), QString("service"));
}

void TestApp::centring_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("1920x1040") << QRect(0, 0, 1920, 1040) << QSize(1340, 835) << QPoint(290, 102);
    QTest::newRow("odd remainder")
        << QRect(0, 0, 1921, 1041) << QSize(1340, 835) << QPoint(290, 103);
    QTest::newRow("area below a top panel")
        << QRect(0, 32, 1920, 1008) << QSize(1340, 835) << QPoint(290, 118);
    QTest::newRow("primary right of another screen")
        << QRect(1920, 0, 1920, 1040) << QSize(1340, 835) << QPoint(2210, 102);
    QTest::newRow("screen smaller than window/title bar stays reachable")
        << QRect(0, 0, 1280, 720) << QSize(1340, 835) << QPoint(0, 0);
}

void TestApp::centring()
{
    QFETCH(QRect, available);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    QCOMPARE(MainWindow::centredPosition(available, size), expected);
}

void TestApp::agentEdgesAndDragArea_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("edges");
    QTest::addColumn<bool>("drags");
    QTest::newRow("left edge") << "left" << int(Qt::LeftEdge) << false;
    QTest::newRow("bottom right corner")
        << "bottomRight" << int(Qt::RightEdge | Qt::BottomEdge) << false;
    QTest::newRow("top edge over the title bar") << "top" << int(Qt::TopEdge) << true;
    QTest::newRow("logo drags") << "logo" << 0 << true;
    QTest::newRow("empty title bar drags") << "titleGap" << 0 << true;
    QTest::newRow("close button clicks") << "close-button" << 0 << false;
    QTest::newRow("help button clicks") << "onlineHelp" << 0 << false;
    QTest::newRow("setting button clicks") << "settingBtn" << 0 << false;
    QTest::newRow("page buttons are below the bar") << "fileRenameBtn" << 0 << false;
}

void TestApp::agentEdgesAndDragArea()
{
    QFETCH(QString, where);
    QFETCH(int, edges);
    QFETCH(bool, drags);

    auto *agent = window->findChild<QWK::WidgetWindowAgent *>();
    QVERIFY(agent);
    QCOMPARE(agent->titleBar()->objectName(), QString("menubar"));
    const QRect r = window->rect();
    QPoint pos;
    if (where == "left")
        pos = QPoint(2, r.height() / 2);
    else if (where == "bottomRight")
        pos = QPoint(r.width() - 2, r.height() - 2);
    else if (where == "top")
        pos = QPoint(r.width() / 3, 1);
    else if (where == "titleGap") {
        QWidget *bar = agent->titleBar();
        pos = bar->mapTo(window, QPoint(bar->width() / 2, bar->height() / 2));
    } else {
        auto *w = window->findChild<QWidget *>(where);
        QVERIFY(w);
        pos = w->mapTo(window, w->rect().center());
    }
    QCOMPARE(int(agent->edgesAt(pos)), edges);
    QCOMPARE(agent->isDragArea(pos), drags);
}

void TestApp::maximizeButtonFollowsWindowState()
{
    auto *max = window->findChild<QAbstractButton *>("max-button");
    max->click();
    QTRY_VERIFY(window->isMaximized());
    QVERIFY(max->isChecked());
    auto *agent = window->findChild<QWK::WidgetWindowAgent *>();
    QCOMPARE(int(agent->edgesAt(QPoint(1, 1))), 0); // no resizing while maximised
    window->showNormal();
    QTRY_VERIFY(!window->isMaximized());
    QVERIFY(!max->isChecked());
}

void TestApp::maximizeDropsStaleHover_data()
{
    QTest::addColumn<bool>("cursorOnButton");
    QTest::newRow("cursor moved away/hover dropped") << false;
    QTest::newRow("cursor still on the button/hover kept") << true;
}

void TestApp::maximizeDropsStaleHover()
{
    QFETCH(bool, cursorOnButton);
    auto *max = window->findChild<QAbstractButton *>("max-button");
    max->setAttribute(Qt::WA_UnderMouse, true); // as if the click had come from the mouse
    QCursor::setPos(max->screen(), QPoint(-500, -500));
    max->click();
    // The window has moved: put the cursor where the button is now, or keep it away.
    if (cursorOnButton)
        QCursor::setPos(max->screen(), max->mapToGlobal(max->rect().center()));
    QTRY_VERIFY(window->isMaximized());
    QCoreApplication::processEvents();
    QCOMPARE(max->underMouse(), cursorOnButton);
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"

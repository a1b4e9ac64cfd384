// Showing an entry in its folder: the file manager's ShowItems on the session bus, else the
// folder opened by the desktop.
#include "extract/CollectListWidget.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "lists/ShowInFolder.h"
#include "tests/lists/ListTests.h"

#include <QtTest>

#ifdef _WIN32
// Windows has no session bus: there the entry is shown by Explorer, whose "/select," command
// line the core list tests check.
class TestShowInFolder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QSKIP("the freedesktop file manager is Linux's (Explorer's command line is checked in "
              "TestCore)");
    }
};
#else
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Stands in for a file manager on the bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId)
        shown += uris;
    }
};

// Receives what the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

const char kService[] = "org.freedesktop.FileManager1";
const char kPath[] = "/org/freedesktop/FileManager1";

} // namespace

class TestShowInFolder : public QObject
{
    Q_OBJECT
    FakeFileManager manager;
    UrlCatcher catcher;

private slots:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus could be started");
        QVERIFY(bus.registerObject(kPath, &manager, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(kService));
        QDesktopServices::setUrlHandler("file", &catcher, "open");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler("file");
        QDBusConnection::sessionBus().unregisterObject(kPath);
    }
    void init()
    {
        manager.shown.clear();
        catcher.opened.clear();
        QDBusConnection::sessionBus().registerService(kService);
    }

    void fileManagerSelectsTheEntry()
    {
        showInFolder("/home/u/照片/a b.jpg");
        QTRY_COMPARE(
            manager.shown, QStringList {QUrl::fromLocalFile("/home/u/照片/a b.jpg").toString()});
        QCOMPARE(catcher.opened, QList<QUrl>());
    }

    void withoutFileManagerTheFolderOpens()
    {
        QVERIFY(QDBusConnection::sessionBus().unregisterService(kService));
        showInFolder("/home/u/照片/a b.jpg");
        QTRY_COMPARE(catcher.opened, QList<QUrl> {QUrl::fromLocalFile("/home/u/照片")});
        QCOMPARE(manager.shown, QStringList());
    }

    void openButtonFollowsItsEntryAfterReorder()
    {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 4; ++i) {
            paths.append(dir.path() + QStringLiteral("/d%1/f.txt").arg(i));
            QVERIFY(makeFile(paths.last()));
        }
        CollectListWidget list;
        list.addPaths(paths);
        list.onSortChanged(0, 3); // row 4 dropped on row 1
        auto *buttons = qobject_cast<OperateWidget *>(list.table()->cellWidget(0, 5));
        buttons->openButton()->click();
        QTRY_COMPARE(manager.shown, QStringList {QUrl::fromLocalFile(paths.at(3)).toString()});
    }
};

#endif

REGISTER_LIST_TEST(TestShowInFolder)
#include "test_showinfolder.moc"

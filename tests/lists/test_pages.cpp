// The left sides of the rename, time and extraction pages, and what a long list shows.
#include "extract/CollectInfoPage.h"
#include "extract/CollectInfoPageWidget.h"
#include "extract/CollectListWidget.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "rename/FileListWidget.h"
#include "rename/RenamePage.h"
#include "rename/RenamePageWidget.h"
#include "tests/lists/ListTests.h"
#include "tests/lists/NoticeLog.h"
#include "times/TimeListWidget.h"
#include "times/TimePage.h"
#include "times/TimePageWidget.h"
#include "widgets/AppStyle.h"

#include <QDateTimeEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList fakePaths(int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(QStringLiteral("/nowhere/long/f%1.txt").arg(i, 4, 10, QLatin1Char('0')));
    return out;
}

// The page's left side and its list, whichever page kind.
struct LeftSide
{
    std::unique_ptr<QWidget> page;
    QWidget *left = nullptr;
    EntryListBase *list = nullptr;
};

LeftSide makePage(const QString &kind, bool folder)
{
    LeftSide side;
    if (kind == "rename") {
        auto *page = new RenamePage;
        page->setFolder(folder);
        side.page.reset(page);
        side.left = page->findChild<RenamePageWidget *>("editWidgget");
        side.list = page->findChild<FileListWidget *>();
    } else if (kind == "times") {
        auto *page = new TimePage;
        page->setFolder(folder);
        side.page.reset(page);
        side.left = page->findChild<TimePageWidget *>("editWidgget");
        side.list = page->findChild<TimeListWidget *>();
    } else {
        auto *page = new CollectInfoPage;
        page->setFolder(folder);
        side.page.reset(page);
        side.left = page->findChild<CollectInfoPageWidget *>("editWidgget");
        side.list = page->findChild<CollectListWidget *>();
    }
    return side;
}

QToolButton *tool(const LeftSide &side, const char *name)
{
    return side.left->findChild<QToolButton *>(name);
}

} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontFallbacks();
        qApp->setStyleSheet(readStyleSheet());
    }
    void cleanupTestCase() { qApp->setStyleSheet(QString()); }

    void toolRow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("hasUndo");
        for (const char *kind : {"rename", "times", "extract"}) {
            for (bool folder : {false, true})
                QTest::newRow(qPrintable(QString("%1/%2").arg(kind, folder ? "folders" : "files")))
                    << QString(kind) << folder << (QString(kind) != "extract");
        }
    }
    void toolRow()
    {
        QFETCH(QString, kind);
        QFETCH(bool, folder);
        QFETCH(bool, hasUndo);
        LeftSide side = makePage(kind, folder);
        QVERIFY(side.left && side.list);
        side.page->resize(1100, 700);
        side.page->show();
        QVERIFY(QTest::qWaitForWindowExposed(side.page.get()));

        QCOMPARE(tool(side, "addFile")->isVisible(), !folder);
        // The empty area lightens under the mouse: the style sheet asks for hover events.
        QVERIFY(side.list->findChild<QWidget *>("addFileAreaWidget")->testAttribute(Qt::WA_Hover));
        QCOMPARE(tool(side, "addFile")->text(), QString("添加文件"));
        QCOMPARE(tool(side, "addFolder")->text(), QString("添加文件夹"));
        QCOMPARE(tool(side, "clearList")->text(), QString("清空列表"));
        QCOMPARE(side.list->folderMode(), folder);
        if (hasUndo) {
            QVERIFY(!tool(side, "undo")->isEnabled());
            QCOMPARE(tool(side, "undo")->text(), QString("撤销修改"));
        } else {
            QVERIFY(!tool(side, "undo"));
        }

        // tabelEmpty travels up through the left side; the clear button empties the list.
        QSignalSpy empty(side.left, SIGNAL(tabelEmpty(bool)));
        side.list->addPaths({"/nowhere/a", "/nowhere/b"});
        QCOMPARE(empty.size(), 1);
        QCOMPARE(empty.last().at(0).toBool(), false);
        tool(side, "clearList")->click();
        QCOMPARE(side.list->entryCount(), 0);
        QCOMPARE(empty.last().at(0).toBool(), true);
        QVERIFY(side.list->findChild<QWidget *>("emptyList")->isVisible());
    }

    void undoButtonFollowsList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("rename") << "rename";
        QTest::newRow("times") << "times";
    }
    void undoButtonFollowsList()
    {
        QFETCH(QString, kind);
        LeftSide side = makePage(kind, false);
        QToolButton *undo = tool(side, "undo");
        const QImage disabled = undo->icon().pixmap(20).toImage();
        if (auto *rename = qobject_cast<FileListWidget *>(side.list))
            emit rename->canUndo(true);
        else
            emit qobject_cast<TimeListWidget *>(side.list)->canUndo(true);
        QVERIFY(undo->isEnabled());
        QVERIFY(undo->icon().pixmap(20).toImage() != disabled);
        side.list->addPaths({"/nowhere/x"});
        side.list->clearList(); // clearing forgets the history
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->icon().pixmap(20).toImage(), disabled);
    }

    void addFileButtonOpensDialog()
    {
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.path() + "/picked.txt"));
        LeftSide side = makePage("extract", false);
        whenModalOpens([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            dialog->setDirectory(dir.path());
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("picked.txt");
            static_cast<QDialog *>(dialog)->accept();
        });
        tool(side, "addFile")->click();
        QCOMPARE(side.list->entryCount(), 1);
        auto *list = qobject_cast<CollectListWidget *>(side.list);
        QCOMPARE(list->entryList().first()->filePath, dir.path() + "/picked.txt");
    }

    void stateColoursFromStyleSheet_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("bold");
        QTest::newRow("failed/red") << 2 << QColor(Qt::red) << true;
        QTest::newRow("success/accent") << 1 << QColor("#405DFF") << true;
        QTest::newRow("missing/accent") << 4 << QColor("#405DFF") << true;
    }
    void stateColoursFromStyleSheet()
    {
        QFETCH(int, state);
        QFETCH(QColor, colour);
        QFETCH(bool, bold);
        FileListWidget list;
        list.resize(1000, 500);
        list.show();
        list.addPaths({"/nowhere/a", "/nowhere/b"});
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        auto *label = qobject_cast<QLabel *>(list.table()->cellWidget(1, 3));
        QVERIFY(label);
        const QColor before = label->palette().color(QPalette::WindowText);
        list.setEntryState(1, state);
        // At once, without waiting for any repaint.
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->font().bold(), bold);
        QVERIFY(before != colour);
        list.setEntryState(1, 0);
        QCOMPARE(label->palette().color(QPalette::WindowText), before);
    }

    void longListShowsEveryRowWhenScrolled()
    {
        TimeListWidget list;
        list.resize(1000, 600);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.addPaths(fakePaths(3000));
        CustomTabelWidget *table = list.table();
        QCOMPARE(table->rowCount(), 3000);
        QVERIFY(table->cellWidget(0, 3));
        QVERIFY(!table->cellWidget(2999, 3)); // far rows wait until they come near
        list.setEntryState(2999, 2); // remembered in the entry meanwhile

        table->scrollToBottom();
        QCoreApplication::processEvents();
        auto *label = qobject_cast<QLabel *>(table->cellWidget(2999, 3));
        QVERIFY(label);
        QCOMPARE(label->text(), QString("失败"));
        auto *buttons = qobject_cast<OperateWidget *>(table->cellWidget(2999, 4));
        QVERIFY(buttons);
        QCOMPARE(buttons->property("UUID").toString(), list.entryList().at(2999)->uuid);
        QVERIFY(qobject_cast<QDateTimeEdit *>(table->cellWidget(2999, 1)));
        QVERIFY(!table->cellWidget(0, 4)); // and the top rows gave theirs up

        // Deleting through a button of a far row removes that row's entry.
        const QString uuid = list.entryList().at(2998)->uuid;
        qobject_cast<OperateWidget *>(table->cellWidget(2998, 4))->deleteButton()->click();
        QCOMPARE(list.entryCount(), 2999);
        for (const InfoEntry *entry : list.entryList())
            QVERIFY(entry->uuid != uuid);
        QCOMPARE(table->item(2998, 0)->data(Qt::UserRole + 1).toString(),
            list.entryList().at(2998)->uuid);
    }
};

REGISTER_LIST_TEST(TestPages)
#include "test_pages.moc"

// The four lists as a user drives them: adding, dropping, sorting, dragging rows, removing,
// clearing, and the row buttons.
#include "extract/CollectListWidget.h"
#include "lists/CustomTabelWidget.h"
#include "lists/FolderPicker.h"
#include "lists/OperateWidget.h"
#include "lists/PathCollect.h"
#include "rename/FileListWidget.h"
#include "tests/lists/ListTests.h"
#include "tests/lists/NoticeLog.h"
#include "times/TimeListWidget.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList fakePaths(const QString &prefix, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(QStringLiteral("/nowhere/%1%2.txt").arg(prefix).arg(i));
    return out;
}

void dropUrls(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

void clickHeader(CustomTabelWidget *table, int column)
{
    QHeaderView *header = table->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents(); // the sort runs queued
}

template<class List> QStringList names(const List &list)
{
    QStringList out;
    for (const auto *entry : list.entryList())
        out.append(QFileInfo(entry->filePath).fileName());
    return out;
}

template<class List> QStringList folders(const List &list)
{
    QStringList out;
    for (const auto *entry : list.entryList())
        out.append(QFileInfo(QFileInfo(entry->filePath).absolutePath()).fileName());
    return out;
}

// Every row shows its own entry, and its buttons point at that row.
template<class List> void verifyRowsMatchEntries(const List &list, int operateColumn)
{
    CustomTabelWidget *table = list.table();
    QCOMPARE(table->rowCount(), list.entryList().size());
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto *entry = list.entryList().at(r);
        QCOMPARE(table->item(r, 0)->data(Qt::UserRole + 1).toString(), entry->uuid);
        auto *buttons = qobject_cast<OperateWidget *>(table->cellWidget(r, operateColumn));
        QVERIFY(buttons);
        QCOMPARE(buttons->property("UUID").toString(), entry->uuid);
        QCOMPARE(buttons->property("ItemPtr").toLongLong(),
            qlonglong(reinterpret_cast<quintptr>(table->item(r, operateColumn))));
    }
}

// Picks folders in the open picker (dir/name for each name) and accepts.
void pickFolders(QWidget *modal, const QString &dir, const QStringList &chosen)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY(dialog);
    dialog->setDirectory(dir);
    auto *list = dialog->findChild<QListView *>("listView");
    auto *model = qobject_cast<QFileSystemModel *>(list->model());
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (const QString &name : chosen) {
        const QModelIndex index = model->index(dir + "/" + name);
        QTRY_VERIFY(list->visualRect(index).isValid());
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, modifiers, list->visualRect(index).center());
        modifiers = Qt::ControlModifier;
    }
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->click();
}

// A table that treats every drag as its own (a real drag cannot run offscreen).
class OwnDragTable : public CustomTabelWidget
{
public:
    bool own = true;

protected:
    bool isOwnDrag(const QDropEvent *) const override { return own; }
};

} // namespace

class TestLists : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        setPikvaleLibraryPath(QStringLiteral(QUORVEX_RUNTIME_DIR "/Pikvale"));
    }

    void newListIsEmpty()
    {
        FileListWidget list;
        list.show();
        QVERIFY(list.findChild<QWidget *>("emptyList")->isVisible());
        QVERIFY(!list.table()->isVisible());
        QCOMPARE(list.table()->columnCount(), 5);
        QCOMPARE(list.table()->horizontalHeaderItem(1)->text(), QString("新文件名"));
        QCOMPARE(list.findChild<QLabel *>("addFileTipLabel")->text(),
            QString("点击添加/拖拽文件到此区域"));
    }

    void additionNotices_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("lastPath");

        const QStringList old = fakePaths("old", 2999);
        const QStringList many = fakePaths("new", 3005);
        QTest::newRow("capacity/3005 new files")
            << 0 << many << 3000 << QStringList {"START", "END 0", "LIMIT", "EMPTY false"}
            << many.at(2999);
        QTest::newRow("capacity/2999 plus duplicate, new, new")
            << 2999 << QStringList {old.at(10), "/nowhere/n1", "/nowhere/n2"} << 3000
            << QStringList {"START", "END 1", "LIMIT", "EMPTY false"} << "/nowhere/n1";
        QTest::newRow("duplicates/within one call")
            << 0 << QStringList {"/nowhere/a", "/nowhere/b", "/nowhere/a"} << 2
            << QStringList {"START", "EMPTY false", "END 1"} << "/nowhere/b";
        QTest::newRow("duplicates/already listed")
            << 3 << QStringList {old.at(1)} << 3 << QStringList {"START", "EMPTY false", "END 1"}
            << old.at(2);
        QTest::newRow("empty addition")
            << 0 << QStringList() << 0 << QStringList {"START", "END 0"} << QString();
    }
    void additionNotices()
    {
        QFETCH(int, before);
        QFETCH(QStringList, paths);
        QFETCH(int, rows);
        QFETCH(QStringList, events);
        QFETCH(QString, lastPath);

        FileListWidget list;
        list.addPaths(fakePaths("old", before));
        NoticeLog log(&list);
        list.addPaths(paths);
        QCOMPARE(log.events, events);
        QCOMPARE(list.table()->rowCount(), rows);
        QCOMPARE(list.entryCount(), rows);
        if (rows) {
            QCOMPARE(list.entryList().last()->filePath, lastPath);
            QCOMPARE(log.rowsAtEnd.first(), rows); // rows are in before the end is announced
        }
    }

    void newRenameRow()
    {
        QVERIFY(makeFile(tmp.path() + "/row/photo.tar.gz"));
        FileListWidget list;
        list.addPaths({tmp.path() + "/row/photo.tar.gz"});
        const RenameEntry *entry = list.entryList().first();
        QCOMPARE(entry->oldName, QString("photo.tar.gz"));
        QCOMPARE(entry->newName, entry->oldName);
        QCOMPARE(entry->state, 0);
        QCOMPARE(entry->stateText, QString("待操作"));
        QVERIFY(QRegularExpression(
            "^\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}$")
                    .match(entry->uuid)
                    .hasMatch());
        CustomTabelWidget *table = list.table();
        QCOMPARE(table->item(0, 0)->text(), QString("photo.tar.gz"));
        QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(table->item(0, 1)->flags() & Qt::ItemIsEditable);
        QCOMPARE(table->item(0, 1)->data(Qt::UserRole + 3).toString(), QString("gz"));
        QCOMPARE(table->item(0, 2)->text(), tmp.path() + "/row");
        auto *label = qobject_cast<QLabel *>(table->cellWidget(0, 3));
        QVERIFY(label);
        QCOMPARE(label->objectName(), QString("OperateStateLable"));
        QCOMPARE(label->text(), QString("待操作"));
        QCOMPARE(table->rowHeight(0), 80);
        verifyRowsMatchEntries(list, 4);
        auto *buttons = qobject_cast<OperateWidget *>(table->cellWidget(0, 4));
        QVERIFY(!buttons->sortButton()->isHidden());
        QVERIFY(buttons->sortButton()->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void stateLabelFollowsState()
    {
        FileListWidget list;
        list.addPaths(fakePaths("s", 2));
        list.setEntryState(1, 2);
        auto *label = qobject_cast<QLabel *>(list.table()->cellWidget(1, 3));
        QCOMPARE(label->text(), QString("失败"));
        QCOMPARE(label->property("Success").toInt(), 2);
        list.setEntryState(1, 1);
        QCOMPARE(label, qobject_cast<QLabel *>(list.table()->cellWidget(1, 3))); // same label
        QCOMPARE(label->text(), QString("成功"));
        QCOMPARE(list.entryList().at(1)->state, 1);
    }

    void uuidsAreUnique()
    {
        CollectListWidget list;
        list.addPaths(fakePaths("u", 200));
        QSet<QString> seen;
        for (const InfoEntry *entry : list.entryList())
            seen.insert(entry->uuid);
        QCOMPARE(seen.size(), 200);
    }

    void storedFormOfPaths_data()
    {
        QTest::addColumn<bool>("absolute");
        QTest::newRow("rename list keeps the path as given") << false;
        QTest::newRow("time list stores the absolute path") << true;
    }
    void storedFormOfPaths()
    {
        QFETCH(bool, absolute);
        QVERIFY(makeFile(tmp.path() + "/rel/f.txt"));
        const QString saved = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        std::unique_ptr<EntryListBase> list;
        if (absolute)
            list.reset(new TimeListWidget);
        else
            list.reset(new FileListWidget);
        list->addPaths({"rel/f.txt"});
        NoticeLog log(list.get());
        list->addPaths({tmp.path() + "/rel/f.txt"});
        QDir::setCurrent(saved);
        QCOMPARE(list->entryCount(), absolute ? 1 : 2);
        QCOMPARE(log.events.last(), absolute ? QString("END 1") : QString("END 0"));
    }

    void drops_data()
    {
        QTest::addColumn<bool>("folderPage");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<int>("additions");
        QTest::newRow("file page/folder gives its files, not hidden ones, no folders")
            << false << QStringList {"tree"} << QStringList {"a.txt", "b.txt"} << 1;
        QTest::newRow("file page/a file")
            << false << QStringList {"tree/a.txt"} << QStringList {"a.txt"} << 1;
        QTest::newRow("folder page/a file adds nothing")
            << true << QStringList {"tree/a.txt"} << QStringList() << 0;
        QTest::newRow("folder page/folders only")
            << true << QStringList {"tree/a.txt", "tree/sub", "tree"} << QStringList {"sub", "tree"}
            << 2;
        QTest::newRow("file page/three items, three additions")
            << false << QStringList {"tree/a.txt", "tree/sub/b.txt", "loose.txt"}
            << QStringList {"a.txt", "b.txt", "loose.txt"} << 3;
    }
    void drops()
    {
        QFETCH(bool, folderPage);
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, added);
        QFETCH(int, additions);
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.path() + "/tree/a.txt"));
        QVERIFY(makeFile(dir.path() + "/tree/.secret"));
        QVERIFY(makeFile(dir.path() + "/tree/sub/b.txt"));
        QVERIFY(makeFile(dir.path() + "/loose.txt"));
        QList<QUrl> urls;
        for (const QString &d : dropped)
            urls.append(QUrl::fromLocalFile(dir.path() + "/" + d));
        urls.append(QUrl("https://example.org/x.txt")); // not a local file: ignored

        CollectListWidget list;
        list.setFolder(folderPage);
        NoticeLog log(&list);
        list.addPaths({"/nowhere/first"});
        log.events.clear();
        // Files dragged over the table are no row move: the table passes them to the list.
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent over(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.table()->viewport(), &over);
        QVERIFY(over.isAccepted());
        dropUrls(&list, urls);
        QStringList got = names(list).mid(1);
        got.sort();
        QCOMPARE(got, added);
        QCOMPARE(log.events.count("START"), additions);
        QCOMPARE(log.events.filter("END").size(), additions);
    }

    void bigFolderDropMatchesFullWalk_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("alreadyListed");
        QTest::newRow("room for 5 of 40") << 2995 << 0;
        QTest::newRow("room for 5, 10 of them listed") << 2995 << 10;
        QTest::newRow("full list") << 3000 << 0;
        QTest::newRow("room for all") << 10 << 3;
    }
    void bigFolderDropMatchesFullWalk()
    {
        QFETCH(int, before);
        QFETCH(int, alreadyListed);
        QTemporaryDir dir;
        for (int i = 0; i < 40; ++i)
            QVERIFY(makeFile(dir.path() + QStringLiteral("/s%1/f%2").arg(i % 4).arg(i)));
        const QStringList all = collectFiles(dir.path());
        QStringList start = fakePaths("old", before - alreadyListed);
        start += all.mid(0, alreadyListed);

        // The drop walks only as far as the addition can use; it must end exactly as an
        // addition of the whole walk does.
        FileListWidget dropped, whole;
        dropped.addPaths(start);
        whole.addPaths(start);
        QStringList droppedEvents, wholeEvents;
        {
            NoticeLog log(&dropped);
            dropUrls(&dropped, {QUrl::fromLocalFile(dir.path())});
            droppedEvents = log.events;
        }
        {
            NoticeLog log(&whole);
            whole.addPaths(all);
            wholeEvents = log.events;
        }
        QCOMPARE(droppedEvents, wholeEvents);
        const auto paths = [](const FileListWidget &list) {
            QStringList out;
            for (const RenameEntry *entry : list.entryList())
                out.append(entry->filePath);
            return out;
        };
        QCOMPARE(paths(dropped), paths(whole));
        QCOMPARE(dropped.entryCount(), qMin(3000, before + 40 - alreadyListed));
    }

    void sortByHeader()
    {
        FileListWidget list;
        list.addPaths({"/t/a10", "/t/a2", "/t/a1", "/t/b"});
        list.resize(1000, 500);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        CustomTabelWidget *table = list.table();

        clickHeader(table, 0);
        QCOMPARE(names(list), QStringList({"a1", "a2", "a10", "b"}));
        QCOMPARE(table->item(0, 0)->text(), QString("a1"));
        verifyRowsMatchEntries(list, 4);
        // "状态" has no key: no change, and the direction stays for the next sortable click.
        clickHeader(table, 3);
        QCOMPARE(names(list), QStringList({"a1", "a2", "a10", "b"}));
        clickHeader(table, 1);
        QCOMPARE(names(list), QStringList({"b", "a10", "a2", "a1"}));
        QCOMPARE(table->item(0, 0)->text(), QString("b"));
        verifyRowsMatchEntries(list, 4);
        clickHeader(table, 4);
        clickHeader(table, 0);
        QCOMPARE(names(list), QStringList({"a1", "a2", "a10", "b"}));
    }

    void sortByFolderAndTime()
    {
        QTemporaryDir dir;
        const QDateTime base(QDate(2021, 5, 1), QTime(12, 0));
        const QStringList order {"x9/f1", "x10/f2", "x1/f3"};
        QStringList paths;
        for (int i = 0; i < order.size(); ++i) {
            const QString path = dir.path() + "/" + order.at(i);
            QVERIFY(makeFile(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            // f1 newest, f3 oldest
            QVERIFY(file.setFileTime(base.addDays(-i), QFileDevice::FileModificationTime));
            paths.append(path);
        }
        TimeListWidget times;
        times.addPaths(paths);
        times.resize(1000, 500);
        times.show();
        QVERIFY(QTest::qWaitForWindowExposed(&times));
        clickHeader(times.table(), 1); // creation: ascending
        clickHeader(times.table(), 2); // modification: descending
        QCOMPARE(names(times), QStringList({"f1", "f2", "f3"}));
        auto *editor = qobject_cast<QDateTimeEdit *>(times.table()->cellWidget(0, 2));
        QVERIFY(editor);
        QCOMPARE(QDateTime(editor->date(), editor->time()), base); // the editor's face, local
        QCOMPARE(times.table()->item(2, 2)->data(Qt::UserRole + 2).toString(),
            base.addDays(-2).toString("yyyy/MM/dd hh:mm:ss"));
        clickHeader(times.table(), 2); // ascending again
        QCOMPARE(names(times), QStringList({"f3", "f2", "f1"}));

        FileListWidget rename;
        rename.addPaths(paths);
        rename.resize(1000, 500);
        rename.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rename));
        clickHeader(rename.table(), 2); // "文件位置", natural order of the folders
        QCOMPARE(folders(rename), QStringList({"x1", "x9", "x10"}));
    }

    void tableRowDrops_data()
    {
        QTest::addColumn<bool>("own");
        QTest::addColumn<int>("pressRow");
        QTest::addColumn<int>("dropRow");
        QTest::addColumn<int>("dropColumn");
        QTest::addColumn<bool>("moved");
        QTest::newRow("row 4 onto row 1") << true << 3 << 0 << 0 << true;
        QTest::newRow("row 1 onto row 4") << true << 0 << 3 << 1 << true;
        QTest::newRow("onto itself, other cell") << true << 2 << 2 << 1 << false;
        QTest::newRow("below the last row") << true << 1 << -1 << 0 << false;
        QTest::newRow("files from outside") << false << 3 << 0 << 0 << false;
    }
    void tableRowDrops()
    {
        QFETCH(bool, own);
        QFETCH(int, pressRow);
        QFETCH(int, dropRow);
        QFETCH(int, dropColumn);
        QFETCH(bool, moved);
        OwnDragTable table;
        table.own = own;
        table.setColumnCount(2);
        table.setRowCount(5);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 2; ++c)
                table.setItem(r, c, new QTableWidgetItem(QString::number(r)));
        table.setDragReorder(true);
        table.resize(400, 600);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QSignalSpy spy(&table, &CustomTabelWidget::SortChanged);

        QTest::mousePress(table.viewport(), Qt::LeftButton, Qt::NoModifier,
            table.visualItemRect(table.item(pressRow, 0)).center());
        const QPoint at = dropRow >= 0
            ? table.visualItemRect(table.item(dropRow, dropColumn)).center()
            : QPoint(10, table.visualItemRect(table.item(4, 0)).bottom() + 20);
        QMimeData mime;
        mime.setData("application/x-qabstractitemmodeldatalist", QByteArray());
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.viewport(), &enter);
        QCOMPARE(enter.isAccepted(), own);
        QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.viewport(), &move);
        QCOMPARE(move.isAccepted(), moved);
        QDropEvent drop(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.viewport(), &drop);
        QCOMPARE(spy.size(), moved ? 1 : 0);
        if (moved) {
            QCOMPARE(spy.first().at(0).toInt(), dropRow);
            QCOMPARE(spy.first().at(1).toInt(), pressRow);
        }
        // The table itself never moves a row.
        for (int r = 0; r < 5; ++r)
            QCOMPARE(table.item(r, 0)->text(), QString::number(r));
    }

    void reorderKeepsButtonsOnTheirEntry()
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
        QCOMPARE(folders(list), QStringList({"d3", "d0", "d1", "d2"}));
        verifyRowsMatchEntries(list, 5);
        list.onSortChanged(3, 0); // and back: row 1 dropped on row 4
        QCOMPARE(folders(list), QStringList({"d0", "d1", "d2", "d3"}));
        list.onSortChanged(0, 3);
        list.onSortChanged(7, 0); // out of range: nothing
        QCOMPARE(folders(list), QStringList({"d3", "d0", "d1", "d2"}));
        list.onSortChanged(2, 1); // between two middle rows
        QCOMPARE(folders(list), QStringList({"d3", "d1", "d0", "d2"}));
        verifyRowsMatchEntries(list, 5);
        list.onSortChanged(1, 2);
        QCOMPARE(folders(list), QStringList({"d3", "d0", "d1", "d2"}));

        auto *buttons = qobject_cast<OperateWidget *>(list.table()->cellWidget(0, 5));
        QSignalSpy empty(&list, &EntryListBase::tabelEmpty);
        buttons->deleteButton()->click();
        QCOMPARE(folders(list), QStringList({"d0", "d1", "d2"}));
        verifyRowsMatchEntries(list, 5);
        QCOMPARE(empty.size(), 1);
        QCOMPARE(empty.first().at(0).toBool(), false);
    }

    void removingLastRowShowsPlaceholder()
    {
        TimeListWidget list;
        list.show();
        list.addPaths({"/nowhere/only.txt"});
        QVERIFY(list.table()->isVisible());
        auto *buttons = qobject_cast<OperateWidget *>(list.table()->cellWidget(0, 4));
        QVERIFY(buttons->sortButton()->isHidden()); // no grip on the time list
        QCOMPARE(list.table()->dragDropMode(), QAbstractItemView::NoDragDrop);
        QSignalSpy empty(&list, &EntryListBase::tabelEmpty);
        buttons->deleteButton()->click();
        QCOMPARE(list.entryCount(), 0);
        QCOMPARE(list.table()->rowCount(), 0);
        QVERIFY(!list.table()->isVisible());
        QVERIFY(list.findChild<QWidget *>("emptyList")->isVisible());
        QCOMPARE(empty.size(), 1);
        QCOMPARE(empty.first().at(0).toBool(), true);
    }

    void clearing()
    {
        FileListWidget list;
        list.show();
        list.addPaths(fakePaths("c", 5));
        QSignalSpy empty(&list, &EntryListBase::tabelEmpty);
        QSignalSpy undo(&list, &FileListWidget::canUndo);
        list.clearList();
        QCOMPARE(list.entryCount(), 0);
        QCOMPARE(list.table()->rowCount(), 0);
        QVERIFY(list.findChild<QWidget *>("emptyList")->isVisible());
        QCOMPARE(undo.size(), 1);
        QCOMPARE(undo.first().at(0).toBool(), false);
        QCOMPARE(empty.size(), 1);
        QCOMPARE(empty.first().at(0).toBool(), true);
        // and it fills again normally
        list.addPaths(fakePaths("c", 2));
        QCOMPARE(list.entryCount(), 2);
    }

    void clickOnEmptyAreaOpensFileDialog()
    {
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.path() + "/x.txt"));
        QVERIFY(makeFile(dir.path() + "/y.txt"));
        FileListWidget list;
        list.show();
        NoticeLog log(&list);
        QString caption;
        whenModalOpens([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            dialog->setDirectory(dir.path());
            auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
            edit->setText("\"x.txt\" \"y.txt\"");
            static_cast<QDialog *>(dialog)->accept();
        });
        QTest::mouseClick(list.findChild<QWidget *>("addFileAreaWidget"), Qt::LeftButton);
        QCOMPARE(caption, QString("选择要添加的文件"));
        QStringList got = names(list);
        got.sort();
        QCOMPARE(got, QStringList({"x.txt", "y.txt"}));
        QCOMPARE(log.events, QStringList({"START", "EMPTY false", "END 0"}));

        // cancelled: nothing added, nothing announced
        log.events.clear();
        whenModalOpens([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
        QTest::mouseClick(list.findChild<QWidget *>("addFileAreaWidget"), Qt::LeftButton);
        QCOMPARE(log.events, QStringList());
        QCOMPARE(list.entryCount(), 2);
    }

    void folderPickerOnFilePage()
    {
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.path() + "/p/one.txt"));
        QVERIFY(makeFile(dir.path() + "/p/deep/two.txt"));
        QVERIFY(makeFile(dir.path() + "/q/three.txt"));
        QVERIFY(makeFile(dir.path() + "/q/.hidden"));
        FileListWidget list;
        NoticeLog log(&list);
        whenModalOpens([&](QWidget *modal) { pickFolders(modal, dir.path(), {"q", "p"}); });
        list.addFromFolderPicker();
        QCOMPARE(names(list).first(), QString("three.txt")); // picker order: q first
        QStringList got = names(list);
        got.sort();
        QCOMPARE(got, QStringList({"one.txt", "three.txt", "two.txt"}));
        QCOMPARE(log.events.count("START"), 2); // one addition per folder
    }

    void folderPickerOnFolderPage()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a"));
        QVERIFY(QDir(dir.path()).mkpath("b"));
        TimeListWidget list;
        list.setFolder(true);
        list.show();
        NoticeLog log(&list);
        whenModalOpens([&](QWidget *modal) { pickFolders(modal, dir.path(), {"b", "a"}); });
        QTest::mouseClick(list.findChild<QWidget *>("addFileAreaWidget"), Qt::LeftButton);
        QCOMPARE(names(list), QStringList({"b", "a"}));
        // the same folder chosen again ends up once
        whenModalOpens([&](QWidget *modal) { pickFolders(modal, dir.path(), {"a"}); });
        list.addFromFolderPicker();
        QCOMPARE(list.entryCount(), 2);
        QCOMPARE(log.events.last(), QString("END 1"));
        // cancelled: still one empty addition
        log.events.clear();
        whenModalOpens([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
        list.addFromFolderPicker();
        QCOMPARE(log.events, QStringList({"START", "EMPTY false", "END 0"}));
    }

    void missingPickerAddsNothing()
    {
        setPikvaleLibraryPath(tmp.path() + "/gone/Pikvale");
        CollectListWidget list;
        list.setFolder(true);
        NoticeLog log(&list);
        QString title;
        whenModalOpens([&](QWidget *modal) {
            title = modal->windowTitle();
            static_cast<QDialog *>(modal)->accept();
        });
        list.addFromFolderPicker();
        setPikvaleLibraryPath(QStringLiteral(QUORVEX_RUNTIME_DIR "/Pikvale"));
        QCOMPARE(title, QString("无法选择文件夹"));
        QCOMPARE(list.entryCount(), 0);
        QCOMPARE(log.events, QStringList({"START", "END 0"}));
    }
};

REGISTER_LIST_TEST(TestLists)
#include "test_lists.moc"

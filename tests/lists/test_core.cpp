// The list computations that need no widget: walking folders, planning an addition, natural
// order, the picker's answer.
#include "lists/EntrySort.h"
#include "lists/ListEntries.h"
#include "lists/PathCollect.h"
#include "lists/PickerAnswer.h"
#include "tests/lists/ListTests.h"
#include "tests/support/LinuxTools.h"
#include "tests/support/Wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A symbolic link to a folder. QFile::link makes a shortcut file on Windows, and Wine makes no
// links at all: there its folders are Unix ones, linked from the Linux side.
bool linkFolder(const QString &target, const QString &link)
{
#ifdef Q_OS_WIN
    if (runningUnderWine())
        return runLinuxTool("ln", {"-s", target, link}).ok();
    const auto native = [](const QString &p) { return QDir::toNativeSeparators(p).toStdWString(); };
    return CreateSymbolicLinkW(native(link).c_str(), native(target).c_str(),
               SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)
        && QFileInfo(link).isDir();
#else
    return QFile::link(target, link);
#endif
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append(prefix + QString::number(i));
    return out;
}

QStringList canonical(const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths)
        out.append(QFileInfo(p).canonicalFilePath());
    out.sort();
    return out;
}

} // namespace

class TestListCore : public QObject
{
    Q_OBJECT

private slots:
    void collectWalksDepthFirstAndSkipsHidden()
    {
        QTemporaryDir tmp;
        const QString root = tmp.path();
        QVERIFY(makeFile(root + "/a.txt"));
        QVERIFY(makeFile(root + "/sub/b.txt"));
        QVERIFY(makeFile(root + "/sub/deeper/c.txt"));
        QVERIFY(makeFile(root + "/sub/z.txt"));
        QVERIFY(makeFile(root + "/.hidden.txt"));
        QVERIFY(makeFile(root + "/.hiddenDir/d.txt"));
        QVERIFY(QDir().mkpath(root + "/empty"));

        const QStringList files = collectFiles(root);
        QCOMPARE(canonical(files),
            canonical({root + "/a.txt", root + "/sub/b.txt", root + "/sub/deeper/c.txt",
                root + "/sub/z.txt"}));
        // A subfolder's files stand together, where the subfolder stands.
        int first = -1, last = -1;
        for (int i = 0; i < files.size(); ++i) {
            if (files[i].startsWith(root + "/sub/")) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        QCOMPARE(last - first, 2);
        for (const QString &f : files)
            QVERIFY2(!f.contains("//"), qPrintable(f));
    }

    void collectOddFolders_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("expected");
        QTest::newRow("trailing slash/no double slash") << "/" << 1;
        QTest::newRow("missing folder/empty") << "/nope" << 0;
        QTest::newRow("a file/empty") << "/one.txt" << 0;
    }
    void collectOddFolders()
    {
        QFETCH(QString, suffix);
        QFETCH(int, expected);
        QTemporaryDir tmp;
        QVERIFY(makeFile(tmp.path() + "/one.txt"));
        const QStringList files = collectFiles(tmp.path() + suffix);
        QCOMPARE(files.size(), expected);
        if (expected)
            QCOMPARE(files.first(), tmp.path() + "/one.txt");
    }

    void collectKeepsBackslashInNames()
    {
#ifdef Q_OS_WIN
        QSKIP("a backslash is a separator here");
#endif
        QTemporaryDir tmp;
        QVERIFY(makeFile(tmp.path() + "/a\\b.txt"));
        const QStringList files = collectFiles(tmp.path());
        QCOMPARE(files, QStringList {tmp.path() + "/a\\b.txt"});
        QVERIFY(QFileInfo::exists(files.first()));
    }

    void collectSurvivesLinkLoops()
    {
        QTemporaryDir tmp;
        const QString root = tmp.path();
        QVERIFY(makeFile(root + "/top.txt"));
        QVERIFY(makeFile(root + "/sub/inner.txt"));
        // Wine shows the links as plain folders, which removing the temporary folder would walk
        // round for ever: they go first, from the Linux side.
        const auto unlinkUnderWine = qScopeGuard([&] {
            if (runningUnderWine())
                runLinuxTool("rm", {"-f", root + "/sub/back", root + "/sub/self", root + "/twin"});
        });
        // sub/back leads to root, sub/self to sub, twin to sub: each real folder once.
        for (const auto &[target, link] : {std::pair {root, "/sub/back"},
                 {root + "/sub", "/sub/self"}, {root + "/sub", "/twin"}}) {
            const bool made = linkFolder(target, root + link);
#ifdef Q_OS_WIN
            if (!made && !runningUnderWine())
                QSKIP("this account may not make symbolic links (Windows' developer mode is off)");
#endif
            QVERIFY(made);
        }
        const QStringList files = collectFiles(root);
        QCOMPARE(canonical(files), canonical({root + "/top.txt", root + "/sub/inner.txt"}));
    }

    void collectStopsWhenEnoughAreNew_data()
    {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("known"); // files of the full walk already listed
        QTest::newRow("nothing wanted") << 0 << 0;
        QTest::newRow("three new") << 3 << 0;
        QTest::newRow("three new after known ones") << 3 << 4;
        QTest::newRow("more than there are") << 50 << 2;
    }
    void collectStopsWhenEnoughAreNew()
    {
        QFETCH(int, wanted);
        QFETCH(int, known);
        QTemporaryDir tmp;
        for (int i = 0; i < 12; ++i)
            QVERIFY(makeFile(tmp.path() + QStringLiteral("/d%1/f%2.txt").arg(i % 3).arg(i)));
        const QStringList full = collectFiles(tmp.path());
        QCOMPARE(full.size(), 12);
        const QSet<QString> listed(full.begin(), full.begin() + known);
        const QStringList part = collectFilesUpTo(
            tmp.path(), wanted, [&listed](const QString &p) { return !listed.contains(p); });
        // Always the start of the full walk, ending on the last new file wanted.
        QCOMPARE(part, QStringList(full.mid(0, part.size())));
        const int expected = qMin(12, wanted == 0 ? 0 : known + wanted);
        QCOMPARE(part.size(), expected);
    }

    void planAddition_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<bool>("limit");

        const QStringList full = numbered("/e", kListCapacity);
        const QStringList almost = numbered("/e", kListCapacity - 1);
        const QStringList many = numbered("/n", kListCapacity + 5);
        QTest::newRow("capacity/3005 new into empty")
            << QStringList() << many << QStringList(many.mid(0, kListCapacity)) << 0 << true;
        QTest::newRow("capacity/2999 then duplicate, new, new")
            << almost << QStringList {"/e5", "/n1", "/n2"} << QStringList {"/n1"} << 1 << true;
        QTest::newRow("capacity/duplicate after the limit is not counted")
            << almost << QStringList {"/n1", "/n2", "/e7"} << QStringList {"/n1"} << 0 << true;
        QTest::newRow("capacity/full list, duplicates only")
            << full << QStringList {"/e1", "/e2"} << QStringList() << 2 << false;
        QTest::newRow("capacity/full list, one new")
            << full << QStringList {"/x"} << QStringList() << 0 << true;
        QTest::newRow("capacity/exactly filling")
            << almost << QStringList {"/x"} << QStringList {"/x"} << 0 << false;
        QTest::newRow("duplicates/within one call")
            << QStringList() << QStringList {"/a", "/b", "/a", "/a"} << QStringList {"/a", "/b"}
            << 2 << false;
        QTest::newRow("duplicates/against the list")
            << QStringList {"/a"} << QStringList {"/b", "/a"} << QStringList {"/b"} << 1 << false;
        QTest::newRow("duplicates/case-sensitive")
            << QStringList {"/x/A.txt"} << QStringList {"/x/a.txt"} << QStringList {"/x/a.txt"} << 0
            << false;
        QTest::newRow("empty call")
            << QStringList {"/a"} << QStringList() << QStringList() << 0 << false;
    }
    void planAddition()
    {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, paths);
        QFETCH(QStringList, accepted);
        QFETCH(int, skipped);
        QFETCH(bool, limit);
        const QSet<QString> set(existing.begin(), existing.end());
        const AddPlan plan = ::planAddition(set, existing.size(), paths, kListCapacity);
        QCOMPARE(plan.accepted, accepted);
        QCOMPARE(plan.skipped, skipped);
        QCOMPARE(plan.limitReached, limit);
    }

    void naturalOrder_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("digits/a10 a2 a1")
            << QStringList {"a10", "a2", "a1"} << QStringList {"a1", "a2", "a10"};
        QTest::newRow("digits/inside Chinese") << QStringList {"文件10.txt", "文件9.txt",
            "文件100.txt"} << QStringList {"文件9.txt", "文件10.txt", "文件100.txt"};
        QTest::newRow("Chinese/by Pinyin")
            << QStringList {"张三", "李四", "王五"} << QStringList {"李四", "王五", "张三"};
        QTest::newRow("digits/leading zeros keep value order")
            << QStringList {"x010", "x9"} << QStringList {"x9", "x010"};
    }
    void naturalOrder()
    {
        QFETCH(QStringList, input);
        QFETCH(QStringList, ascending);
        if (runningUnderWine() && input.join(QString()).contains(QRegularExpression("\\p{Han}")))
            QSKIP("Wine's collation has no Chinese order (Pinyin, digits among Han); Windows' has");
        QStringList items = input;
        sortByText(
            items, [](const QString &s) { return s; }, false);
        QCOMPARE(items, ascending);
        sortByText(
            items, [](const QString &s) { return s; }, true);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(items, ascending);
    }

    void collationCountsCaseAndPunctuation()
    {
        QVERIFY(naturalCompare("a-b", "ab") != 0);
        QVERIFY(naturalCompare("File", "file") != 0);
        QCOMPARE(naturalCompare("same", "same"), 0);
    }

    void timeOrderPutsMissingTimesFirst()
    {
        const QDateTime early(QDate(2020, 1, 2), QTime(3, 4, 5));
        const QDateTime late = early.addSecs(60);
        QList<QDateTime> times {late, QDateTime(), early};
        sortByTime(
            times, [](const QDateTime &t) { return t; }, false);
        QCOMPARE(times, (QList<QDateTime> {QDateTime(), early, late}));
        sortByTime(
            times, [](const QDateTime &t) { return t; }, true);
        QCOMPARE(times, (QList<QDateTime> {late, early, QDateTime()}));
    }

    void pickerAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("paths");
        // The platform's own absolute paths: "/" here, "C:/" on Windows.
        const QString r = QDir::rootPath();
        QTest::newRow("cancelled/empty") << "" << QStringList();
        QTest::newRow("one folder") << r + "home/u/a" << QStringList {r + "home/u/a"};
        QTest::newRow("three folders/in order")
            << r + "t/c;" + r + "t/a;" + r + "t/b" << QStringList {r + "t/c", r + "t/a", r + "t/b"};
        QTest::newRow("semicolon/inside a name")
            << r + "t/semi;colon;" + r + "t/b" << QStringList {r + "t/semi;colon", r + "t/b"};
        QTest::newRow("semicolon/ending a name")
            << r + "t/end;;" + r + "t/b" << QStringList {r + "t/end;", r + "t/b"};
        QTest::newRow("semicolon/starting a name") << r + "t/;lead" << QStringList {r + "t/;lead"};
        QTest::newRow("root folder") << r << QStringList {r};
    }
    void pickerAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, paths);
        QCOMPARE(splitPickerAnswer(answer), paths);
    }

    void explorerGetsBackslashes()
    {
        QCOMPARE(explorerSelectArguments("C:/Users/u/a b/x.txt"),
            (QStringList {"/select,", "C:\\Users\\u\\a b\\x.txt"}));
    }
};

REGISTER_LIST_TEST(TestListCore)
#include "test_core.moc"

#include "disk/DiskNames.h"
#include "disk/NativeRename.h"
#include "rename/RenamePlan.h"
#include "rename/RenameRun.h"
#include "tests/support/CaseBlindMount.h"
#include "tests/support/WineCheck.h"

#include <QtTest>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

// A second name of the same file.
bool hardLink(const QString &target, const QString &name)
{
#ifdef _WIN32
    const QString from = QDir::toNativeSeparators(name), to = QDir::toNativeSeparators(target);
    return CreateHardLinkW(
        reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()), nullptr);
#else
    return ::link(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0;
#endif
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Names in a folder, sorted, hidden ones included.
QStringList listing(const QString &dir)
{
    QStringList names = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QVector<RenameItem> items(const QString &dir, const QList<QPair<QString, QString>> &renames)
{
    QVector<RenameItem> list;
    int n = 0;
    for (const auto &r : renames)
        list.append(
            {QStringLiteral("{uuid-%1}").arg(n++), dir + QLatin1Char('/') + r.first, r.second});
    return list;
}

// Which rename call the run uses: the atomic one, or the fallback for systems without it.
void addCallColumn()
{
    QTest::addColumn<bool>("fallback");
}

struct FallbackGuard
{
    explicit FallbackGuard(bool on) { NativeRename::setAtomicCallDisabled(on); }
    ~FallbackGuard() { NativeRename::setAtomicCallDisabled(false); }
};

} // namespace

class TestRenameRun : public QObject
{
    Q_OBJECT

private slots:
    void uniquePath_data();
    void uniquePath();
    void marksForeseeTheRun_data();
    void marksForeseeTheRun();
    void danglingLinkOccupiesName();
    void acceptableName_data();
    void acceptableName();
    void windowsNames_data();
    void windowsNames();
    void identity();
    void neverReplaces_data();
    void neverReplaces();
    void swap_data();
    void swap();
    void refusedNamesChangeNothing_data();
    void refusedNamesChangeNothing();
    void vanishedAndWrongKind();
    void emptyTargetFolder_data();
    void emptyTargetFolder();
    void caseOnlyWhereCaseMatters();
    void caseOnlyOnCaseBlindFileSystem();
    void twoRunsTwoUndos();
    void undoAfterRowsChanged();
    void undoWhenOldNameTaken();
    void nestedFolders();
    void windowsLayerUnderWine();
};

void TestRenameRun::uniquePath_data()
{
    QTest::addColumn<QStringList>("existing"); // "name" a file, "name/" a folder
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free/unchanged") << QStringList {} << "a.txt"
                                    << "a.txt";
    QTest::newRow("taken/first number") << QStringList {"a.txt"} << "a.txt"
                                        << "a(1).txt";
    QTest::newRow("taken twice/next number") << QStringList {"a.txt", "a(1).txt"} << "a.txt"
                                             << "a(2).txt";
    QTest::newRow("gap/first free") << QStringList {"a.txt", "a(2).txt"} << "a.txt"
                                    << "a(1).txt";
    QTest::newRow("no extension") << QStringList {"notes"} << "notes"
                                  << "notes(1)";
    QTest::newRow("dotted folder/last dot") << QStringList {"my.folder/"} << "my.folder"
                                            << "my(1).folder";
    QTest::newRow("tar.gz/last dot") << QStringList {"x.tar.gz"} << "x.tar.gz"
                                     << "x.tar(1).gz";
    QTest::newRow("dotfile/empty base") << QStringList {".gitignore"} << ".gitignore"
                                        << "(1).gitignore";
    QTest::newRow("empty folder counts") << QStringList {"b/"} << "b"
                                         << "b(1)";
    QTest::newRow("unicode") << QStringList {"照片 🎉.jpg"} << "照片 🎉.jpg"
                             << "照片 🎉(1).jpg";
}

void TestRenameRun::uniquePath()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString &e : existing) {
        if (e.endsWith('/'))
            QVERIFY(QDir(dir.path()).mkdir(e.chopped(1)));
        else
            QVERIFY(writeFile(dir.filePath(e), "x"));
    }
    QCOMPARE(makeUniquePath(dir.filePath(target)), dir.filePath(expected));
}

void TestRenameRun::danglingLinkOccupiesName()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shortcut (.lnk) on Windows, not a link");
#endif
    QTemporaryDir dir;
    QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("b.txt")));
    QVERIFY(!QFileInfo::exists(dir.filePath("b.txt"))); // Qt follows the link
    QCOMPARE(makeUniquePath(dir.filePath("b.txt")), dir.filePath("b(1).txt"));

    // and a rename onto it neither replaces the link nor fails silently
    QVERIFY(writeFile(dir.filePath("a.txt"), "A"));
    const RunResult r = runRename(items(dir.path(), {{"a.txt", "b.txt"}}), false, false);
    QCOMPARE(r.rows.at(0).kind, RowOutcome::Failed);
    QVERIFY(QFileInfo(dir.filePath("b.txt")).isSymLink());
    QCOMPARE(readFile(dir.filePath("a.txt")), QByteArray("A"));
}

void TestRenameRun::acceptableName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << "photo.jpg" << true;
    // Windows drops a name's trailing spaces and dots, so it would give another name.
    QTest::newRow("unicode and spaces") << " 照片 (1) é.jpg " << !onWindows;
    QTest::newRow("three dots") << "..." << !onWindows;
    QTest::newRow("leading dots") << "..x" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("slash/sub folder") << "sub/x" << false;
    QTest::newRow("slash/parent") << "../x" << false;
    QTest::newRow("slash/absolute") << "/tmp/x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("NUL/cut short") << QString("a") + QChar(0) + "b" << false;
    QTest::newRow("line break") << "photo\n2.jpg" << false;
    QTest::newRow("tab") << "a\tb" << false;
    // what the file system's encoding cannot hold as it stands
    QTest::newRow("surrogates/whole emoji") << "😀 party.txt" << true;
    QTest::newRow("surrogates/lone high") << QString("a") + QChar(0xD83D) + "b" << false;
    QTest::newRow("surrogates/lone high at the end") << QString("ab") + QChar(0xD83D) << false;
    QTest::newRow("surrogates/lone low first") << QString(QChar(0xDE00)) + "ab" << false;
    QTest::newRow("surrogates/pair reversed")
        << QString("a") + QChar(0xDE00) + QChar(0xD83D) << false;
    QTest::newRow("surrogates/high after a pair")
        << QString::fromUtf8("😀") + QChar(0xD83D) << false;
    QTest::newRow("replacement character") << QString::fromUtf8("a\uFFFD") << true;
}

void TestRenameRun::acceptableName()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);
    QCOMPARE(isAcceptableName(name), ok);
}

void TestRenameRun::windowsNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << "photo.jpg" << true;
    QTest::newRow("chinese and spaces inside") << "旅行 照片.jpg" << true;
    QTest::newRow("device name in a longer name") << "console.txt" << true;
    QTest::newRow("COM10 is no device") << "COM10.txt" << true;
    QTest::newRow("colon") << "a:b" << false;
    QTest::newRow("question mark") << "why?.txt" << false;
    QTest::newRow("quote") << "say \"hi\"" << false;
    QTest::newRow("angle brackets") << "<a>" << false;
    QTest::newRow("pipe") << "a|b" << false;
    QTest::newRow("star") << "*.txt" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("trailing dot") << "name." << false;
    QTest::newRow("trailing space") << "name " << false;
    QTest::newRow("device") << "NUL" << false;
    QTest::newRow("device with extension") << "con.txt" << false;
    QTest::newRow("device with two extensions") << "LPT1.tar.gz" << false;
    QTest::newRow("tab") << "a\tb" << false;
}

void TestRenameRun::windowsNames()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);
    QCOMPARE(isAcceptableWindowsName(name), ok);
}

void TestRenameRun::identity()
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt");
    QVERIFY(writeFile(a, "A"));
    QVERIFY(writeFile(dir.filePath("b.txt"), "A"));
    QVERIFY(QFile::link(a, dir.filePath("link")));
    QVERIFY(hardLink(a, dir.filePath("hard")));
    QVERIFY(QDir(dir.path()).mkdir("d"));

    QVERIFY(targetIsEntryItself(a, a));
    QVERIFY(targetIsEntryItself(a, dir.path() + "/./a.txt")); // another spelling, same object
    QVERIFY(targetIsEntryItself(a, dir.filePath("hard"))); // identity, not the string
    QVERIFY(!targetIsEntryItself(a, dir.filePath("b.txt"))); // equal content is not identity
    QVERIFY(!targetIsEntryItself(a, dir.filePath("link"))); // a link is its own object
    QVERIFY(!targetIsEntryItself(a, dir.filePath("missing")));
    QVERIFY(!targetIsEntryItself(dir.filePath("missing"), dir.filePath("missing")));
    QVERIFY(targetIsEntryItself(dir.filePath("d"), dir.path() + "/d"));
    QVERIFY(!targetIsEntryItself(dir.filePath("d"), a));
}

void TestRenameRun::neverReplaces_data()
{
    addCallColumn();
    QTest::newRow("atomic call") << false;
    QTest::newRow("fallback") << true;
}

// A hard link to the same file looks like "the entry itself" by identity, but it is another
// name: moving must not drop it, and the entry must stay where it was.
void TestRenameRun::neverReplaces()
{
    QFETCH(bool, fallback);
    FallbackGuard guard(fallback);
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt");
    QVERIFY(writeFile(a, "A"));
    QVERIFY(hardLink(a, dir.filePath("h.txt")));
    QVERIFY(writeFile(dir.filePath("b.txt"), "B"));
    QVERIFY(QDir(dir.path()).mkdir("empty"));
    QVERIFY(QDir(dir.path()).mkdir("src"));

    QCOMPARE(moveEntry(a, dir.filePath("h.txt")).status, MoveResult::TargetExists);
    QCOMPARE(moveEntry(a, dir.filePath("b.txt")).status, MoveResult::TargetExists);
    QCOMPARE(moveEntry(a, dir.filePath("empty")).status, MoveResult::TargetExists);
    QCOMPARE(
        moveEntry(dir.filePath("src"), dir.filePath("empty")).status, MoveResult::TargetExists);
    QCOMPARE(listing(dir.path()), QStringList({"a.txt", "b.txt", "empty", "h.txt", "src"}));
    QCOMPARE(readFile(a), QByteArray("A"));
    QCOMPARE(readFile(dir.filePath("b.txt")), QByteArray("B"));

    const MoveResult moved = moveEntry(dir.filePath("src"), dir.filePath("dst"));
    QCOMPARE(moved.status, MoveResult::Done);
    QCOMPARE(moved.path, dir.filePath("dst"));
    QVERIFY(QFileInfo(dir.filePath("dst")).isDir());
}

void TestRenameRun::swap_data()
{
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("autoResolve");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("failed");
    QTest::newRow("resolve on") << false << true << QStringList {"a.txt", "b(1).txt"} << 0;
    QTest::newRow("resolve off") << false << false << QStringList {"a.txt", "b.txt"} << 2;
    QTest::newRow("fallback/resolve on") << true << true << QStringList {"a.txt", "b(1).txt"} << 0;
    QTest::newRow("fallback/resolve off") << true << false << QStringList {"a.txt", "b.txt"} << 2;
}

void TestRenameRun::swap()
{
    QFETCH(bool, fallback);
    QFETCH(bool, autoResolve);
    QFETCH(QStringList, after);
    QFETCH(int, failed);
    FallbackGuard guard(fallback);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.txt"), "A"));
    QVERIFY(writeFile(dir.filePath("b.txt"), "B"));

    QStringList messages;
    const RunResult r = runRename(items(dir.path(), {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}}),
        false, autoResolve, [&](int row, const RowOutcome &o) {
            if (o.kind == RowOutcome::Failed)
                messages << QStringLiteral("%1:%2").arg(row).arg(o.target);
        });
    QCOMPARE(listing(dir.path()), after);
    QCOMPARE(r.failed, failed);
    QCOMPARE(r.renamed, 2 - failed);
    if (autoResolve) {
        // row 0 holds A under b(1), row 1 holds B under a
        QCOMPARE(r.paths.at(0), dir.filePath("b(1).txt"));
        QCOMPARE(readFile(dir.filePath("b(1).txt")), QByteArray("A"));
        QCOMPARE(readFile(dir.filePath("a.txt")), QByteArray("B"));
        QVERIFY(messages.isEmpty());
    } else {
        // each target is still taken by the other file: both rows fail, one message each
        QCOMPARE(
            messages, QStringList({"0:" + dir.filePath("b.txt"), "1:" + dir.filePath("a.txt")}));
        QVERIFY(r.snapshot.isEmpty());
    }
    // undo always brings back the state before the run
    QVector<RenameItem> now = items(dir.path(), {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}});
    for (int i = 0; i < now.size(); ++i)
        now[i].filePath = r.paths.at(i);
    const RunResult u = undoRename(now, r.snapshot, false, autoResolve);
    QCOMPARE(u.failed, 0);
    QCOMPARE(listing(dir.path()), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(readFile(dir.filePath("a.txt")), QByteArray("A"));
    QCOMPARE(readFile(dir.filePath("b.txt")), QByteArray("B"));
}

void TestRenameRun::refusedNamesChangeNothing_data()
{
    QTest::addColumn<QString>("newName");
    QTest::newRow("sub folder") << "sub/x.txt";
    QTest::newRow("parent") << "../x.txt";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
    QTest::newRow("backslash") << "sub\\x.txt";
    QTest::newRow("absolute") << "/tmp/x.txt";
}

void TestRenameRun::refusedNamesChangeNothing()
{
    QFETCH(QString, newName);
    QTemporaryDir parent;
    QVERIFY(QDir(parent.path()).mkpath("d/sub"));
    const QString dir = parent.filePath("d");
    QVERIFY(writeFile(dir + "/a.txt", "A"));
    const QStringList before = listing(dir) + listing(dir + "/sub") + listing(parent.path());

    for (bool resolve : {true, false}) {
        QString reported;
        const RunResult r = runRename(items(dir, {{"a.txt", newName}}), false, resolve,
            [&](int, const RowOutcome &o) { reported = o.target; });
        QCOMPARE(r.rows.at(0).kind, RowOutcome::Failed);
        QCOMPARE(reported, dir + "/" + newName);
        QCOMPARE(renameFailedMessage(reported),
            QStringLiteral("命名文件“%1/%2”已经存在或者路径错误").arg(dir, newName));
        QCOMPARE(listing(dir) + listing(dir + "/sub") + listing(parent.path()), before);
        QVERIFY(r.snapshot.isEmpty());
    }
}

void TestRenameRun::vanishedAndWrongKind()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.txt"), "A"));
    QVERIFY(writeFile(dir.filePath("gone.txt"), "G"));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(QFile::remove(dir.filePath("gone.txt")));

    const RunResult files
        = runRename(items(dir.path(), {{"gone.txt", "x.txt"}, {"folder", "y"}, {"a.txt", "a.txt"}}),
            false, true);
    QCOMPARE(files.rows.at(0).kind, RowOutcome::Missing);
    QCOMPARE(files.rows.at(1).kind, RowOutcome::Missing); // a folder on the file page
    QCOMPARE(files.rows.at(2).kind, RowOutcome::Untouched);
    QCOMPARE(files.missing, 2);
    QCOMPARE(files.renamed, 0);

    const RunResult folders
        = runRename(items(dir.path(), {{"a.txt", "b.txt"}, {"folder", ""}}), true, true);
    QCOMPARE(folders.rows.at(0).kind, RowOutcome::Missing); // a file on the folder page
    QCOMPARE(folders.rows.at(1).kind, RowOutcome::Untouched); // empty name: skipped
    QCOMPARE(listing(dir.path()), QStringList({"a.txt", "folder"}));
}

void TestRenameRun::emptyTargetFolder_data()
{
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("file onto empty folder") << false << false;
    QTest::newRow("folder onto empty folder") << false << true;
    QTest::newRow("fallback/file onto empty folder") << true << false;
    QTest::newRow("fallback/folder onto empty folder") << true << true;
}

void TestRenameRun::emptyTargetFolder()
{
    QFETCH(bool, fallback);
    QFETCH(bool, isFolder);
    FallbackGuard guard(fallback);
    QTemporaryDir dir;
    const QString source = isFolder ? "src" : "src.txt";
    if (isFolder) {
        QVERIFY(QDir(dir.path()).mkpath("src/inner"));
        QVERIFY(writeFile(dir.filePath("src/inner/f"), "F"));
    } else {
        QVERIFY(writeFile(dir.filePath(source), "F"));
    }
    QVERIFY(QDir(dir.path()).mkdir("target"));

    const RunResult off = runRename(items(dir.path(), {{source, "target"}}), isFolder, false);
    QCOMPARE(off.rows.at(0).kind, RowOutcome::Failed);
    QVERIFY(QFileInfo(dir.filePath("target")).isDir());
    QVERIFY(QDir(dir.filePath("target")).isEmpty());
    QVERIFY(QFileInfo::exists(dir.filePath(source)));

    const RunResult on = runRename(items(dir.path(), {{source, "target"}}), isFolder, true);
    QCOMPARE(on.rows.at(0).kind, RowOutcome::Renamed);
    QCOMPARE(on.paths.at(0), dir.filePath("target(1)"));
    QVERIFY(QDir(dir.filePath("target")).isEmpty());
    QCOMPARE(readFile(dir.filePath(isFolder ? "target(1)/inner/f" : "target(1)")), QByteArray("F"));
}

void TestRenameRun::caseOnlyWhereCaseMatters()
{
#ifdef Q_OS_WIN
    QSKIP("Windows folders ignore case: the case-blind test covers them");
#endif
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("Photo.jpg"), "P"));
    QVERIFY(writeFile(dir.filePath("a.jpg"), "a"));
    QVERIFY(writeFile(dir.filePath("A.jpg"), "A"));
    const RunResult r = runRename(
        items(dir.path(), {{"Photo.jpg", "photo.jpg"}, {"A.jpg", "a.jpg"}}), false, true);
    QCOMPARE(r.renamed, 2);
    // two different files whose names differ only in case are a real conflict here
    QCOMPARE(listing(dir.path()), QStringList({"a(1).jpg", "a.jpg", "photo.jpg"}));
    QCOMPARE(readFile(dir.filePath("a(1).jpg")), QByteArray("A"));
}

// A FAT image mounted through FUSE ignores letter case, as Windows does.
void TestRenameRun::caseOnlyOnCaseBlindFileSystem()
{
#ifdef Q_OS_WIN
    const QTemporaryDir folder; // Windows folders ignore case themselves
    const QString mount = folder.path();
#else
    const CaseBlindMount fat(4);
    if (!fat.isMounted())
        QSKIP(qPrintable(fat.skipReason()));
    const QString mount = fat.path();
#endif

    QVERIFY(writeFile(mount + "/Photo.jpg", "P"));
    QVERIFY(writeFile(mount + "/b.txt", "B"));
    QVERIFY(QFileInfo::exists(mount + "/photo.jpg")); // the file system ignores case
    QVERIFY(targetIsEntryItself(mount + "/Photo.jpg", mount + "/photo.jpg"));
    QVERIFY(!targetIsEntryItself(mount + "/Photo.jpg", mount + "/B.TXT"));

    for (bool resolve : {true, false}) {
        const QString from = resolve ? "Photo.jpg" : "photo.jpg";
        const QString to = resolve ? "photo.jpg" : "PHOTO.JPG";
        const RunResult r = runRename(items(mount, {{from, to}}), false, resolve);
        QCOMPARE(r.rows.at(0).kind, RowOutcome::Renamed);
        QCOMPARE(r.paths.at(0), mount + "/" + to);
        QStringList expected {to, "b.txt"};
        expected.sort();
        QCOMPARE(listing(mount), expected);
        QCOMPARE(readFile(mount + "/" + to), QByteArray("P"));
    }
    // another file under a case variant of the name is still a conflict
    const RunResult clash = runRename(items(mount, {{"PHOTO.JPG", "B.TXT"}}), false, true);
    QCOMPARE(clash.paths.at(0), mount + "/B(1).TXT");
    QCOMPARE(readFile(mount + "/b.txt"), QByteArray("B"));

    // and undo gives the case back
    QVector<RenameItem> now = items(mount, {{"B(1).TXT", "B.TXT"}});
    now[0].uuid = clash.snapshot.steps.at(0).uuid;
    undoRename(now, clash.snapshot, false, true);
    QCOMPARE(listing(mount), QStringList({"PHOTO.JPG", "b.txt"}));
}

void TestRenameRun::twoRunsTwoUndos()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.txt"), "A"));
    QVERIFY(writeFile(dir.filePath("b.txt"), "B"));
    QVector<RenameItem> list = items(dir.path(), {{"a.txt", "x.txt"}, {"b.txt", "b.txt"}});

    auto apply = [&list](const RunResult &r) {
        for (int i = 0; i < list.size(); ++i)
            list[i].filePath = r.paths.at(i);
    };
    const RunResult first = runRename(list, false, true);
    apply(first);
    list[0].newName = "y.txt";
    list[1].newName = "c.txt";
    const RunResult second = runRename(list, false, true);
    apply(second);
    QCOMPARE(listing(dir.path()), QStringList({"c.txt", "y.txt"}));
    QCOMPARE(first.snapshot.steps.size(), 1);
    QCOMPARE(second.snapshot.steps.size(), 2);

    const RunResult undo2 = undoRename(list, second.snapshot, false, true);
    apply(undo2);
    QCOMPARE(listing(dir.path()), QStringList({"b.txt", "x.txt"}));
    QCOMPARE(undo2.rows.at(0).newName, QString("y.txt")); // the preview of the undone run
    QCOMPARE(undo2.rows.at(1).newName, QString("c.txt"));
    const RunResult undo1 = undoRename(list, first.snapshot, false, true);
    apply(undo1);
    QCOMPARE(listing(dir.path()), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(undo1.rows.at(1).kind, RowOutcome::Untouched); // the first run left b alone
    QCOMPARE(readFile(dir.filePath("a.txt")), QByteArray("A"));
}

void TestRenameRun::undoAfterRowsChanged()
{
    QTemporaryDir dir;
    for (const char *n : {"a", "b", "c", "d"})
        QVERIFY(writeFile(dir.filePath(n), n));
    QVector<RenameItem> list = items(dir.path(), {{"a", "A1"}, {"b", "B1"}, {"c", "C1"}});
    const RunResult run = runRename(list, false, true);
    QCOMPARE(run.renamed, 3);

    // since the run: row b removed, d added at the front, the rest reordered
    QVector<RenameItem> now;
    now.append({"{new-d}", dir.filePath("d"), "D1"});
    now.append({list.at(2).uuid, run.paths.at(2), "C1"});
    now.append({list.at(0).uuid, run.paths.at(0), "A1"});
    QStringList seen;
    const RunResult undo = undoRename(now, run.snapshot, false, true,
        [&](int row, const RowOutcome &) { seen << now.at(row).uuid; });
    QCOMPARE(undo.renamed, 2);
    QCOMPARE(seen, QStringList({list.at(2).uuid, list.at(0).uuid})); // newest first
    QCOMPARE(undo.rows.at(0).kind, RowOutcome::Untouched);
    QCOMPARE(undo.paths.at(0), dir.filePath("d"));
    QCOMPARE(undo.paths.at(1), dir.filePath("c"));
    QCOMPARE(undo.paths.at(2), dir.filePath("a"));
    // the removed row's file keeps the name the run gave it
    QCOMPARE(listing(dir.path()), QStringList({"B1", "a", "c", "d"}));
}

void TestRenameRun::undoWhenOldNameTaken()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a"), "A"));
    QVector<RenameItem> list = items(dir.path(), {{"a", "b"}});
    const RunResult run = runRename(list, false, true);
    QVERIFY(writeFile(dir.filePath("a"), "new")); // someone took the old name meanwhile
    list[0].filePath = run.paths.at(0);

    const RunResult off = undoRename(list, run.snapshot, false, false);
    QCOMPARE(off.rows.at(0).kind, RowOutcome::Failed);
    QCOMPARE(readFile(dir.filePath("a")), QByteArray("new"));
    const RunResult on = undoRename(list, run.snapshot, false, true);
    QCOMPARE(on.paths.at(0), dir.filePath("a(1)"));
    QCOMPARE(readFile(dir.filePath("a(1)")), QByteArray("A"));
    QCOMPARE(readFile(dir.filePath("a")), QByteArray("new"));
}

// Folders picked at several levels: renaming a parent must carry its children's rows along.
void TestRenameRun::nestedFolders()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("P/C/G"));
    QVERIFY(writeFile(dir.filePath("P/C/G/f"), "F"));
    QVector<RenameItem> list = items(dir.path(), {{"P", "Q"}, {"P/C", "D"}, {"P/C/G", "H"}});
    const RunResult run = runRename(list, true, true);
    QCOMPARE(run.renamed, 3);
    QCOMPARE(run.paths,
        QVector<QString>({dir.filePath("Q"), dir.filePath("Q/D"), dir.filePath("Q/D/H")}));
    QCOMPARE(readFile(dir.filePath("Q/D/H/f")), QByteArray("F"));

    for (int i = 0; i < list.size(); ++i)
        list[i].filePath = run.paths.at(i);
    const RunResult undo = undoRename(list, run.snapshot, true, true);
    QCOMPARE(undo.failed + undo.missing, 0);
    QCOMPARE(undo.paths,
        QVector<QString>({dir.filePath("P"), dir.filePath("P/C"), dir.filePath("P/C/G")}));
    QCOMPARE(readFile(dir.filePath("P/C/G/f")), QByteArray("F"));
}

// The Windows implementation is cross-compiled and run under Wine, where both are installed.
void TestRenameRun::windowsLayerUnderWine()
{
    WineCheck wine;
    if (!wine.isAvailable())
        QSKIP(qPrintable(wine.skipReason()));
    QString log;
    QVERIFY2(
        wine.build(
            {"tests/renamerun/win/native_rename_check.cpp", "disk/NativeRename_win.cpp"}, &log),
        qPrintable(log));
    const QString files = wine.makeFolder("files");
    QByteArray output;
    QVERIFY2(wine.run({WineCheck::windowsPath(files)}, &output) == 0, output.constData());
    QCOMPARE(listing(files), QStringList({"b.txt", "c.jpg", "dst", "empty"}));
}

void TestRenameRun::marksForeseeTheRun_data()
{
    QTest::addColumn<bool>("onFat");
    QTest::addColumn<QStringList>("disk"); // files in the folder; "-x" vanishes after listing
    QTest::addColumn<QStringList>("rows"); // "name>preview", in list order
    QTest::addColumn<bool>("resolve");
    QTest::addColumn<QStringList>("marks"); // tooltips, "" unmarked
    QTest::addColumn<QStringList>("after"); // each row's name after the run

    const QString taken = QStringLiteral("与已有文件重名，将不会重命名");
    const QString longName = QString(252, 'n') + ".txt"; // 256 bytes
    QTest::newRow("taken on disk/resolved")
        << false << QStringList {"a", "b"} << QStringList {"a>b"} << true
        << QStringList {"将命名为“b(1)”"} << QStringList {"b(1)"};
    QTest::newRow("taken on disk/fails") << false << QStringList {"a", "b"} << QStringList {"a>b"}
                                         << false << QStringList {taken} << QStringList {"a"};
    QTest::newRow("two rows to one name")
        << false << QStringList {"a", "b"} << QStringList {"a>c", "b>c"} << true
        << QStringList {"", "将命名为“c(1)”"} << QStringList {"c", "c(1)"};
    QTest::newRow("chain, freed first")
        << false << QStringList {"a", "b"} << QStringList {"b>c", "a>b"} << false
        << QStringList {"", ""} << QStringList {"c", "b"};
    QTest::newRow("chain, taken first")
        << false << QStringList {"a", "b"} << QStringList {"a>b", "b>c"} << false
        << QStringList {taken, ""} << QStringList {"a", "c"};
    QTest::newRow("swap") << false << QStringList {"a", "b"} << QStringList {"a>b", "b>a"} << true
                          << QStringList {"将命名为“b(1)”", ""} << QStringList {"b(1)", "a"};
    QTest::newRow("case only on FAT")
        << true << QStringList {"photo", "other"} << QStringList {"photo>PHOTO", "other>Photo"}
        << true << QStringList {"", "将命名为“Photo(1)”"} << QStringList {"PHOTO", "Photo(1)"};
    QTest::newRow("refused name") << false << QStringList {"a"} << QStringList {"a>x\\y"} << true
                                  << QStringList {"名称不可用：含有路径分隔符“\\”"}
                                  << QStringList {"a"};
    QTest::newRow("vanished file")
        << false << QStringList {"-a", "b"} << QStringList {"a>c", "b>a"} << true
        << QStringList {"文件不存在", ""} << QStringList {"a", "a"};
    QTest::newRow("256 bytes") << false << QStringList {"a"} << QStringList {"a>" + longName}
                               << true
                               << QStringList {onWindows ? "名称不可用：超过255个字符"
                                                         : "名称不可用：超过255字节"}
                               << QStringList {"a"};
}

// What the preview marks is what the run then does, row for row.
void TestRenameRun::marksForeseeTheRun()
{
    QFETCH(bool, onFat);
    QFETCH(QStringList, disk);
    QFETCH(QStringList, rows);
    QFETCH(bool, resolve);
    QFETCH(QStringList, marks);
    QFETCH(QStringList, after);
    QTemporaryDir tmp;
    std::unique_ptr<CaseBlindMount> fat;
    QString folder = tmp.path();
    if (onFat) {
        fat.reset(new CaseBlindMount(4));
        if (!fat->isMounted())
            QSKIP(qPrintable(fat->skipReason()));
        folder = fat->path();
    }
    for (const QString &name : disk)
        QVERIFY(writeFile(folder + "/" + QString(name).remove(QRegularExpression("^-")), "x"));
    QVector<RenameItem> items;
    QStringList paths;
    for (const QString &row : rows) {
        const QStringList parts = row.split('>');
        items.append({row, folder + "/" + parts.at(0), parts.at(1)});
        paths << items.last().filePath;
    }
    for (const QString &name : disk) {
        if (name.startsWith('-'))
            QVERIFY(QFile::remove(folder + "/" + name.mid(1)));
    }
    FolderPicture picture;
    picture.read(paths);
    const QVector<RowPlan> plans = planRename(picture, items, false, resolve);
    QStringList shown;
    for (const RowPlan &plan : plans)
        shown << planMark(plan);
    QCOMPARE(shown, marks);

    const RunResult result = runRename(items, false, resolve);
    QStringList names;
    for (int i = 0; i < result.rows.size(); ++i) {
        names << result.paths.at(i).mid(folder.size() + 1);
        const bool fails
            = plans.at(i).kind == RowPlan::Taken || plans.at(i).kind == RowPlan::Refused;
        QCOMPARE(result.rows.at(i).kind == RowOutcome::Failed, fails);
        QCOMPARE(
            result.rows.at(i).kind == RowOutcome::Missing, plans.at(i).kind == RowPlan::Missing);
    }
    QCOMPARE(names, after);
}

QTEST_GUILESS_MAIN(TestRenameRun)
#include "tst_renamerun.moc"

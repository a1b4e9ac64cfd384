// The time pages as a user drives them (panel widgets, the start and undo buttons, the bus),
// on real files and folders; the file-time layer on its own, on NTFS, and its Windows side
// under Wine.
#include "tests/support/CaseBlindMount.h"
#include "tests/support/NtfsMount.h"
#include "tests/support/Photos.h"
#include "tests/support/WineCheck.h"
#include "tests/support/ZoneInfo.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "filetime/CaptureTimes.h"
#include "filetime/DateInName.h"
#include "filetime/FileTimes.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "tests/support/LinuxTools.h"
#include "times/TimeChange.h"
#include "times/TimeListWidget.h"
#include "times/TimePage.h"
#include "times/TimePageWidget.h"
#include "times/TimePropertyWidget.h"
#include "times/TimeRule.h"
#include "widgets/CustormCheckBox.h"
#include "widgets/StyledInputs.h"

#include <QtTest>
#include <QtWidgets>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <time.h>
#endif

namespace {

// Times as the kernel reports them, in nanoseconds since 1970 UTC (read here without the
// program's own layer).
struct DiskTimes
{
    qint64 modified = 0;
    qint64 accessed = 0;
    qint64 born = -1; // -1: none
};

#ifdef _WIN32
// FILETIME ticks (100 ns since 1601) and nanoseconds since 1970.
const qint64 kEpochTicks = 116444736000000000LL;
const qint64 kTimeStep = 100; // the finest time Windows writes, in ns

HANDLE openTimes(const QString &path, DWORD access)
{
    return CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), access,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

qint64 nsOf(const FILETIME &t)
{
    return ((qint64(t.dwHighDateTime) << 32 | t.dwLowDateTime) - kEpochTicks) * 100;
}

FILETIME fileTimeOf(qint64 ns)
{
    const quint64 ticks = quint64(ns / 100 + kEpochTicks);
    return FILETIME {DWORD(ticks & 0xffffffffu), DWORD(ticks >> 32)};
}

DiskTimes diskTimes(const QString &path)
{
    const HANDLE h = openTimes(path, FILE_READ_ATTRIBUTES);
    FILETIME born, accessed, modified;
    const bool ok = h != INVALID_HANDLE_VALUE && GetFileTime(h, &born, &accessed, &modified);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    if (!ok)
        return DiskTimes {-1, -1, -1};
    return DiskTimes {nsOf(modified), nsOf(accessed), nsOf(born)};
}

bool setDiskTimes(const QString &path, qint64 modifiedNs, qint64 accessedNs)
{
    const HANDLE h = openTimes(path, FILE_WRITE_ATTRIBUTES);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const FILETIME accessed = fileTimeOf(accessedNs), modified = fileTimeOf(modifiedNs);
    const bool ok = SetFileTime(h, nullptr, &accessed, &modified);
    CloseHandle(h);
    return ok;
}

QByteArray ntfsCreation(const QString &)
{
    return QByteArray(); // ntfs-3g's attribute: the NTFS tests skip on Windows
}

#else
const qint64 kTimeStep = 1;

qint64 nsOf(const statx_timestamp &t)
{
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

DiskTimes diskTimes(const QString &path)
{
    DiskTimes d;
    struct statx sx;
    if (statx(AT_FDCWD, QFile::encodeName(path).constData(), 0,
            STATX_MTIME | STATX_ATIME | STATX_BTIME, &sx)
        != 0)
        return DiskTimes {-1, -1, -1};
    d.modified = nsOf(sx.stx_mtime);
    d.accessed = nsOf(sx.stx_atime);
    if (sx.stx_mask & STATX_BTIME)
        d.born = nsOf(sx.stx_btime);
    return d;
}

bool setDiskTimes(const QString &path, qint64 modifiedNs, qint64 accessedNs)
{
    timespec ts[2];
    ts[0].tv_sec = accessedNs / 1000000000LL;
    ts[0].tv_nsec = accessedNs % 1000000000LL;
    ts[1].tv_sec = modifiedNs / 1000000000LL;
    ts[1].tv_nsec = modifiedNs % 1000000000LL;
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), ts, 0) == 0;
}

// The raw bytes of ntfs-3g's creation attribute.
QByteArray ntfsCreation(const QString &path)
{
    char raw[8];
    const ssize_t n = getxattr(QFile::encodeName(path).constData(), "system.ntfs_crtime", raw, 8);
    return n == 8 ? QByteArray(raw, 8) : QByteArray();
}

#endif

// A FILETIME for a UTC moment, little-endian, as the attribute holds it.
QByteArray fileTimeBytes(const QDateTime &utc)
{
    quint64 ticks = quint64(utc.toMSecsSinceEpoch() + 11644473600000LL) * 10000ULL;
    QByteArray raw(8, '\0');
    for (int i = 0; i < 8; ++i, ticks >>= 8)
        raw[i] = char(ticks & 0xff);
    return raw;
}

qint64 nsOf(const QDateTime &utc)
{
    return utc.toMSecsSinceEpoch() * 1000000LL;
}

QDateTime local(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
}

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// Earlier times every sample starts with, down to the finest step the system writes, so an
// exact undo shows.
const qint64 kOldModified = nsOf(utc(2019, 3, 4, 5, 6, 7)) + 123456789 / kTimeStep * kTimeStep;
const qint64 kOldAccessed = nsOf(utc(2018, 1, 2, 3, 4, 5)) + 987654321 / kTimeStep * kTimeStep;

// Why creation times in folder cannot be told apart from modification times, found by moving
// one; empty where the file system keeps creation times of its own.
QString creationNotKept(const QString &folder)
{
    const QString path = folder + QStringLiteral("/creation probe");
    if (!QFile(path).open(QIODevice::WriteOnly))
        return QStringLiteral("no probe file can be made in ") + folder;
    setDiskTimes(path, kOldModified, kOldAccessed);
    const qint64 born = diskTimes(path).born;
    setDiskTimes(path, kOldModified + 86400000000000LL, kOldAccessed);
    const qint64 moved = diskTimes(path).born;
    QFile::remove(path);
    if (born < 0)
        return QStringLiteral("this file system keeps no creation times");
    return born == moved ? QString()
                         : QStringLiteral("this file system does not keep creation times: "
                                          "it shows the modification time as one");
}

// What reaches the bus as error messages.
class MessageLog : public QObject
{
    Q_OBJECT
public:
    MessageLog()
    {
        CNvGlobalObserver::instance()->registerObserver(
            QString::fromLatin1(Topic::MessageErrorTip), QString(), this, QUORVEX_BUS_SLOT);
    }
    ~MessageLog() override
    {
        CNvGlobalObserver::instance()->unregisterObserver(
            QString::fromLatin1(Topic::MessageErrorTip), QString(), this);
    }
    QStringList messages;

public slots:
    void onPropertyValueChanged(const QString &, const QString &, const QVariant &value)
    {
        messages << value.toString();
    }
};

template<class T> T *child(QWidget *root, const char *name)
{
    T *w = root->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no %s", name);
    return w;
}

// A user's click on a switch (CustormCheckBox tells only clicks).
void flip(QWidget *page, const char *name)
{
    auto *box = child<CustormCheckBox>(page, name);
    QVERIFY(box);
    box->findChild<QCheckBox *>()->click();
}

void press(QWidget *page, const char *name)
{
    auto *button = child<QAbstractButton>(page, name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

TimeListWidget *listOf(TimePage *page)
{
    return page->findChild<TimeListWidget *>();
}

QStringList states(TimePage *page)
{
    QStringList out;
    QTableWidget *table = listOf(page)->table();
    for (int r = 0; r < table->rowCount(); ++r) {
        auto *label = qobject_cast<QLabel *>(table->cellWidget(r, TimeListWidget::StateColumn));
        out << (label ? label->text() : QStringLiteral("<no label>"));
    }
    return out;
}

QDateTime cellTime(TimePage *page, int row, int column)
{
    auto *editor = qobject_cast<QDateTimeEdit *>(listOf(page)->table()->cellWidget(row, column));
    return editor ? QDateTime(editor->date(), editor->time()) : QDateTime();
}

// Local readings (zone, date and time) that Qt 5's local time gets wrong, or that are ambiguous.
const char *const kReadings[][2]
    = {{"New York/1965 summer", "America/New_York 1965-07-01 12:00:00"},
        {"London/1969 all-year summer time", "Europe/London 1969-07-01 12:00:00"},
        {"New York/2040 before the change", "America/New_York 2040-03-10 12:00:00"},
        {"New York/skipped hour moves on", "America/New_York 2024-03-10 02:30:00"},
        {"New York/repeated hour, the first", "America/New_York 2024-11-03 01:30:00"}};

} // namespace

class TestTimes : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<TimePage> filePage;
    QScopedPointer<TimePage> folderPage;
    QScopedPointer<MessageLog> log;
    // Makes files (or folders on the folder page) with the old times, the k-th entry spaced
    // k seconds later, and lists them.
    QStringList addEntries(
        TimePage *page, const QStringList &names, const QString &root = {}, qint64 spacing = 0)
    {
        const QString base = root.isEmpty() ? dir->path() : root;
        QStringList paths;
        for (const QString &name : names) {
            const QString path = base + QLatin1Char('/') + name;
            if (page->isFolder()) {
                QDir().mkpath(path);
            } else {
                QFile f(path);
                f.open(QIODevice::WriteOnly);
                f.write(name.toUtf8());
            }
            setDiskTimes(path, kOldModified + paths.size() * spacing, kOldAccessed);
            paths << path;
        }
        listOf(page)->addPaths(paths);
        return paths;
    }

    void pick(TimePage *page, const char *editor, const QDateTime &when)
    {
        child<QDateTimeEdit>(page, editor)->setDateTime(when);
    }

private slots:
    void init();
    void cleanup();

    void localTime_data();
    void localTime();
    void setFileTimes_data();
    void setFileTimes();

    void preview_data();
    void preview();
    void run_data();
    void run();
    void threeRunsThreeUndos_data();
    void threeRunsThreeUndos();
    void undoAfterRowsChanged_data();
    void undoAfterRowsChanged();
    void startActsOnItsOwnPage_data();
    void startActsOnItsOwnPage();
    void resetRestoresDefaults();
    void dateInName_data();
    void dateInName();
    void sources_data();
    void sources();
    void ntfsCreationTime_data();
    void ntfsCreationTime();
    void windowsLayerUnderWine();
};

void TestTimes::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    log.reset(new MessageLog);
    filePage.reset(new TimePage);
    filePage->setFolder(false);
    folderPage.reset(new TimePage);
    folderPage->setFolder(true);
}

void TestTimes::cleanup()
{
    useZone("Europe/Berlin");
    filePage.reset();
    folderPage.reset();
    log.reset();
    dir.reset();
}

void TestTimes::localTime_data()
{
    QTest::addColumn<QString>("zoneAndReading"); // the reading is picked in the panel
    for (auto row : kReadings)
        QTest::newRow(row[0]) << row[1];
}

// Picked, written and listed in local time as zoneinfo has it (the Windows layer: below).
void TestTimes::localTime()
{
    SKIP_WITHOUT_LINUX_TOOLS();
    QFETCH(QString, zoneAndReading);
    const QString zone = zoneAndReading.section(' ', 0, 0),
                  reading = zoneAndReading.section(' ', 1);
    const ZoneInfo expected = ZoneInfo::of(zone, reading);
    useZone(zone);
    const QStringList paths = addEntries(filePage.data(), {"picked.txt"});
    flip(filePage.data(), "modifiedTimeSetCheck");
    // As the editor takes a reading (Qt's local time has none in a skipped hour).
    pick(filePage.data(), "modifiedDate",
        QDateTime::fromString(reading + "Z", "yyyy-MM-dd hh:mm:sst"));
    QCOMPARE(child<QDateTimeEdit>(filePage.data(), "modifiedDate")->text(), expected.shown);
    press(filePage.data(), "setBtn");
    QCOMPARE(diskTimes(paths.at(0)).modified, expected.utcSeconds * 1000000000LL);
    flip(filePage.data(), "modifiedTimeSetCheck"); // off: the row shows the file's own time
    QCOMPARE(cellTime(filePage.data(), 0, TimeListWidget::ModifiedColumn)
                 .toString("yyyy/MM/dd hh:mm:ss"),
        expected.shown);
}

// The layer itself, on this machine's file system, which keeps creation times it cannot set.
void TestTimes::setFileTimes_data()
{
    // file, folder, readonly, missing, empty; ext4, fusefat: a file on such a file system
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("creation"); // none, present (the file's own), other
    QTest::addColumn<bool>("modification");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("year");
    QTest::newRow("file/modification") << "file"
                                       << "none" << true << 0 << 2022;
    QTest::newRow("folder/modification") << "folder"
                                         << "none" << true << 0 << 2022;
    QTest::newRow("read-only file/modification") << "readonly"
                                                 << "none" << true << 0 << 2022;
    QTest::newRow("creation equal to present/written") << "file"
                                                       << "present" << true << 0 << 2022;
    QTest::newRow("creation cannot be set/nothing written") << "file"
                                                            << "other" << true << 3 << 2022;
    QTest::newRow("creation alone cannot be set") << "folder"
                                                  << "other" << false << 3 << 2022;
    QTest::newRow("nothing asked/written") << "file"
                                           << "none" << false << 0 << 2022;
    QTest::newRow("missing/cannot read") << "missing"
                                         << "none" << true << 2 << 2022;
    QTest::newRow("empty path") << "empty"
                                << "none" << true << 1 << 2022;
    // fusefat answers a new time with success and keeps none.
    QTest::newRow("fusefat/times not kept") << "fusefat"
                                            << "none" << true << 3 << 2022;
    // ext4 clamps what it cannot hold (to 1901 and 2446) and says nothing.
    QTest::newRow("ext4/past its last year") << "ext4"
                                             << "none" << true << 3 << 2500;
    QTest::newRow("ext4/before its first year") << "ext4"
                                                << "none" << true << 3 << 1850;
}

void TestTimes::setFileTimes()
{
    QFETCH(QString, kind);
    QFETCH(QString, creation);
    QFETCH(bool, modification);
    QFETCH(int, result);
    QFETCH(int, year);

    QString path = dir->filePath(QStringLiteral("entry"));
    QScopedPointer<CaseBlindMount> fat;
    if (kind == QLatin1String("fusefat")) {
        fat.reset(new CaseBlindMount(8));
        if (!fat->isMounted())
            QSKIP(qPrintable(fat->skipReason()));
        path = fat->path() + QStringLiteral("/entry");
        kind = QStringLiteral("file");
    }
    if (kind == QLatin1String("ext4")) {
#ifdef _WIN32
        QSKIP("ext4 is Linux's");
#else
        struct statfs fs;
        if (statfs(QFile::encodeName(dir->path()).constData(), &fs) != 0 || fs.f_type != 0xEF53)
            QSKIP("the temporary folder is not on ext4");
#endif
        kind = QStringLiteral("file");
    }
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("file") || kind == QLatin1String("readonly")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        if (kind == QLatin1String("readonly"))
            QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadUser));
    } else if (kind == QLatin1String("empty")) {
        path.clear();
    }
    if (QFileInfo::exists(path))
        QVERIFY(setDiskTimes(path, kOldModified, kOldAccessed));
    const DiskTimes before = diskTimes(path);

    TimeWrite times;
    const QDateTime asked = utc(year, 2, 3, 4, 5, 6);
    if (modification)
        times.modification = FileTimes::UtcTime {asked.toSecsSinceEpoch(), 0};
    const QString notKept = creationNotKept(dir->path());
    if (creation == QLatin1String("present")) {
        if (!notKept.isEmpty())
            QSKIP(qPrintable(notKept));
        const PresentTimes present = presentTimes(path);
        QVERIFY(present.creation);
        times.creation = *present.creation;
    } else if (creation == QLatin1String("other")) {
        times.creation = FileTimes::UtcTime {asked.toSecsSinceEpoch(), 0};
    }
    QCOMPARE(::setFileTimes(path, times), result);

    if (path.isEmpty() || kind == QLatin1String("missing"))
        return;
    const DiskTimes after = diskTimes(path);
    QCOMPARE(after.accessed, before.accessed); // never touched
    if (notKept.isEmpty())
        QCOMPARE(after.born, before.born);
    QCOMPARE(after.modified, result == 0 && modification ? nsOf(asked) : before.modified);
}

void TestTimes::preview_data()
{
    QTest::addColumn<bool>("birthOn");
    QTest::addColumn<bool>("modifiedOn");
    QTest::addColumn<bool>("addedAfter"); // rows added after the switches were set
    QTest::newRow("both off/own times") << false << false << false;
    QTest::newRow("creation on/creation column only") << true << false << false;
    QTest::newRow("both on/both columns") << true << true << false;
    QTest::newRow("added while creation on/rule at once") << true << false << true;
    QTest::newRow("added while modification on/rule at once") << false << true << true;
}

void TestTimes::preview()
{
    QFETCH(bool, birthOn);
    QFETCH(bool, modifiedOn);
    QFETCH(bool, addedAfter);
    const QDateTime birth = local(2020, 1, 2, 10, 30, 15);
    const QDateTime modified = local(2021, 6, 7, 8, 9, 10);
    auto setRule = [&] {
        pick(filePage.data(), "birthDate", birth);
        pick(filePage.data(), "modifiedDate", modified);
        if (birthOn)
            flip(filePage.data(), "birthTimeSetCheck");
        if (modifiedOn)
            flip(filePage.data(), "modifiedTimeSetCheck");
    };
    addEntries(folderPage.data(), {"d1"});
    if (!addedAfter)
        addEntries(filePage.data(), {"a.txt", "b.txt"});
    setRule();
    if (addedAfter)
        addEntries(filePage.data(), {"a.txt", "b.txt"});

    auto check = [&](const QDateTime &ruleBirth) {
        const QList<InfoEntry *> &entries = listOf(filePage.data())->entryList();
        QCOMPARE(entries.size(), 2);
        for (int row = 0; row < entries.size(); ++row) {
            const QFileInfo info(entries.at(row)->filePath);
            const QDateTime b = birthOn ? ruleBirth : info.birthTime();
            const QDateTime m = modifiedOn ? modified : info.lastModified();
            QCOMPARE(entries.at(row)->birthTime, b);
            QCOMPARE(entries.at(row)->modifiedTime, m);
            QCOMPARE(cellTime(filePage.data(), row, TimeListWidget::BirthColumn), b);
            QCOMPARE(cellTime(filePage.data(), row, TimeListWidget::ModifiedColumn), m);
            QCOMPARE(listOf(filePage.data())
                         ->table()
                         ->item(row, TimeListWidget::ModifiedColumn)
                         ->data(kTimeTextRole)
                         .toString(),
                m.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
        }
        // The other page's list heard nothing it acts on.
        const InfoEntry *folder = listOf(folderPage.data())->entryList().at(0);
        QCOMPARE(folder->modifiedTime, QFileInfo(folder->filePath).lastModified());
    };
    check(birth);

    // The hour box moves the creation time within the same day.
    child<CustormSpinBox>(filePage.data(), "createTimeH")->setValue(23);
    const QDateTime late = local(2020, 1, 2, 23, 30, 15);
    QCOMPARE(child<QDateTimeEdit>(filePage.data(), "birthDate")->time(), late.time());
    QCOMPARE(TimeRule::fileRule()->birthTime, late);
    check(late);

    // An hour the clocks skip takes the hour they moved on to, on the same day: from the hour
    // box and from the calendar alike.
    auto *editor = child<QDateTimeEdit>(filePage.data(), "birthDate");
    pick(filePage.data(), "birthDate", local(2024, 3, 31, 1, 30, 15));
    child<CustormSpinBox>(filePage.data(), "createTimeH")->setValue(2);
    const QDateTime skipped = local(2024, 3, 31, 3, 30, 15);
    QCOMPARE(QDateTime(editor->date(), editor->time()), skipped);
    QCOMPARE(child<CustormSpinBox>(filePage.data(), "createTimeH")->value(), 3);
    check(skipped);
    pick(filePage.data(), "birthDate", local(2024, 3, 30, 2, 30, 15));
    editor->calendarWidget()->setSelectedDate(QDate(2024, 3, 31));
    QCOMPARE(QDateTime(editor->date(), editor->time()), skipped);
}

void TestTimes::run_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("birthOn");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("message");
    QTest::newRow("file/summer modification") << false << false << false << "成功" << QString();
    QTest::newRow("folder/summer modification") << true << false << false << "成功" << QString();
    QTest::newRow("file/creation cannot be set") << false << true << false << "失败"
                                                 << "设置文件“%1”时间失败，请确认权限！";
    QTest::newRow("folder/creation cannot be set") << true << true << false << "失败"
                                                   << "设置文件“%1”时间失败，请确认权限！";
    QTest::newRow("file/all missing") << false << false << true << "失败"
                                      << "文件“%1”不存在";
}

void TestTimes::run()
{
    QFETCH(bool, folder);
    QFETCH(bool, birthOn);
    QFETCH(bool, missing);
    QFETCH(QString, state);
    QFETCH(QString, message);
    TimePage *page = folder ? folderPage.data() : filePage.data();
    const QString notKept = creationNotKept(dir->path());

    const QStringList paths = addEntries(page, {"一.txt", "two"});
    QList<DiskTimes> before;
    for (const QString &p : paths)
        before << diskTimes(p);
    flip(page, "modifiedTimeSetCheck");
    pick(page, "modifiedDate", local(2024, 7, 15, 14, 30, 0)); // chosen in December
    if (birthOn) {
        flip(page, "birthTimeSetCheck");
        pick(page, "birthDate", local(2020, 1, 2, 3, 4, 5));
    }
    if (missing) {
        for (const QString &p : paths)
            QVERIFY(folder ? QDir(p).removeRecursively() : QFile::remove(p));
    }
    press(page, "setBtn");

    QCOMPARE(states(page), QStringList({state, state}));
    QStringList expected;
    for (const QString &p : paths) {
        if (!message.isEmpty())
            expected << message.arg(p);
    }
    QCOMPARE(log->messages, expected);
    const bool written = message.isEmpty();
    QCOMPARE(child<QAbstractButton>(page, "undo")->isEnabled(), written);
    if (missing)
        return;
    for (int i = 0; i < paths.size(); ++i) {
        const DiskTimes after = diskTimes(paths.at(i));
        QCOMPARE(
            after.modified, written ? nsOf(utc(2024, 7, 15, 12, 30, 0)) : before.at(i).modified);
        QCOMPARE(after.accessed, before.at(i).accessed);
        if (notKept.isEmpty())
            QCOMPARE(after.born, before.at(i).born);
    }
    if (written)
        QCOMPARE(cellTime(page, 1, TimeListWidget::ModifiedColumn), local(2024, 7, 15, 14, 30, 0));
}

void TestTimes::threeRunsThreeUndos_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("file page") << false;
    QTest::newRow("folder page") << true;
}

void TestTimes::threeRunsThreeUndos()
{
    QFETCH(bool, folder);
    TimePage *page = folder ? folderPage.data() : filePage.data();
    const QStringList paths = addEntries(page, {"a", "b"});
    // The first run takes the moment the panel was set up: written as shown, to the second.
    flip(page, "modifiedTimeSetCheck");
    press(page, "setBtn");
    const QDateTime shown = QDateTime::fromString(
        child<QDateTimeEdit>(page, "modifiedDate")->text(), QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    QCOMPARE(diskTimes(paths.at(0)).modified, nsOf(shown.toUTC()));
    pick(page, "modifiedDate", local(2023, 3, 1, 9, 0, 0));
    press(page, "setBtn");
    pick(page, "modifiedDate", local(2023, 8, 1, 18, 0, 0));
    press(page, "setBtn");
    QCOMPARE(diskTimes(paths.at(0)).modified, nsOf(utc(2023, 8, 1, 16, 0, 0)));

    press(page, "undo");
    QCOMPARE(diskTimes(paths.at(0)).modified, nsOf(utc(2023, 3, 1, 8, 0, 0)));
    QVERIFY(child<QAbstractButton>(page, "undo")->isEnabled());
    press(page, "undo");
    press(page, "undo");
    for (const QString &p : paths) {
        QCOMPARE(diskTimes(p).modified, kOldModified); // to the nanosecond
        QCOMPARE(diskTimes(p).accessed, kOldAccessed);
    }
    QCOMPARE(states(page), QStringList({"待操作", "待操作"}));
    QVERIFY(!child<QAbstractButton>(page, "undo")->isEnabled());
    QVERIFY(log->messages.isEmpty());
}

void TestTimes::undoAfterRowsChanged_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("row removed") << "remove";
    QTest::newRow("row added") << "add";
    QTest::newRow("rows sorted") << "sort";
    QTest::newRow("rows cleared/nothing to undo") << "clear";
    QTest::newRow("row that failed/not written back") << "failed";
}

void TestTimes::undoAfterRowsChanged()
{
    QFETCH(QString, change);
    TimeListWidget *list = listOf(filePage.data());
    const qint64 second = 1000000000LL;
    const QStringList paths = addEntries(filePage.data(), {"a", "b", "c"}, {}, second);
    flip(filePage.data(), "modifiedTimeSetCheck");
    pick(filePage.data(), "modifiedDate", local(2022, 12, 24, 18, 0, 0));
    if (change == QLatin1String("failed"))
        QVERIFY(QFile::remove(paths.at(1)));
    press(filePage.data(), "setBtn");
    const qint64 written = nsOf(utc(2022, 12, 24, 17, 0, 0));

    QString untouched; // an entry the undo must leave as it is
    const qint64 recreated = kOldModified + 60 * second;
    if (change == QLatin1String("failed")) {
        QCOMPARE(log->messages, QStringList({QStringLiteral("文件“%1”不存在").arg(paths.at(1))}));
        log->messages.clear();
        QFile f(paths.at(1)); // back before the undo, with times of its own
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(setDiskTimes(paths.at(1), recreated, kOldAccessed));
        untouched = paths.at(1);
    } else if (change == QLatin1String("remove")) {
        auto *buttons = qobject_cast<OperateWidget *>(
            list->table()->cellWidget(1, TimeListWidget::OperateColumn));
        QVERIFY(buttons);
        buttons->deleteButton()->click();
        untouched = paths.at(1);
    } else if (change == QLatin1String("add")) {
        untouched = addEntries(filePage.data(), {"d"}).at(0);
    } else if (change == QLatin1String("sort")) {
        QHeaderView *header = list->table()->horizontalHeader();
        for (int i = 0; i < 2; ++i) { // ascending, then descending
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
            QCoreApplication::processEvents();
        }
        QCOMPARE(list->entryList().first()->fileName, QStringLiteral("c"));
    } else {
        list->clearList();
        QVERIFY(!child<QAbstractButton>(filePage.data(), "undo")->isEnabled());
        return;
    }
    press(filePage.data(), "undo");

    for (int i = 0; i < paths.size(); ++i) {
        if (paths.at(i) != untouched)
            QCOMPARE(diskTimes(paths.at(i)).modified, kOldModified + i * second);
    }
    if (change == QLatin1String("remove"))
        QCOMPARE(diskTimes(untouched).modified, written);
    if (change == QLatin1String("add"))
        QCOMPARE(diskTimes(untouched).modified, kOldModified);
    if (change == QLatin1String("failed"))
        QCOMPARE(diskTimes(untouched).modified, recreated);
    // Rows and entries stay in step; a row undone shows the time put back, the others theirs.
    for (int row = 0; row < list->entryList().size(); ++row) {
        const InfoEntry *entry = list->entryList().at(row);
        QCOMPARE(list->table()->item(row, 0)->text(), entry->fileName);
        QCOMPARE(list->table()->item(row, 0)->data(kUuidRole).toString(), entry->uuid);
        const QDateTime shown = entry->filePath == untouched
            ? local(2022, 12, 24, 18, 0, 0)
            : QDateTime::fromMSecsSinceEpoch(diskTimes(entry->filePath).modified / 1000000);
        QCOMPARE(list->table()->item(row, TimeListWidget::ModifiedColumn)->data(kTimeTextRole),
            QVariant(shown.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"))));
    }
    const int failed = change == QLatin1String("failed") ? 1 : 0; // keeps its "失败"
    QCOMPARE(
        states(filePage.data()).count(QStringLiteral("待操作")), list->entryList().size() - failed);
    QVERIFY(log->messages.isEmpty());
}

void TestTimes::startActsOnItsOwnPage_data()
{
    QTest::addColumn<bool>("folderPressed");
    QTest::newRow("file page pressed") << false;
    QTest::newRow("folder page pressed") << true;
}

void TestTimes::startActsOnItsOwnPage()
{
    QFETCH(bool, folderPressed);
    TimePage *pressed = folderPressed ? folderPage.data() : filePage.data();
    TimePage *other = folderPressed ? filePage.data() : folderPage.data();
    for (TimePage *page : {pressed, other}) {
        QVERIFY(!child<QAbstractButton>(page, "setBtn")->isEnabled());
        addEntries(page, {page->isFolder() ? "folder" : "file.txt"});
        QVERIFY(child<QAbstractButton>(page, "setBtn")->isEnabled());
        flip(page, "modifiedTimeSetCheck");
        pick(page, "modifiedDate", local(2021, 1, 1, 12, 0, 0));
    }
    press(pressed, "setBtn");
    QCOMPARE(states(pressed), QStringList({"成功"}));
    QCOMPARE(states(other), QStringList({"待操作"}));
    QCOMPARE(diskTimes(listOf(other)->entryList().at(0)->filePath).modified, kOldModified);
    QVERIFY(!child<QAbstractButton>(other, "undo")->isEnabled());

    listOf(pressed)->clearList();
    QVERIFY(!child<QAbstractButton>(pressed, "setBtn")->isEnabled());
}

void TestTimes::resetRestoresDefaults()
{
    TimePage *page = filePage.data();
    page->show();
    QTest::qWait(1100); // the panel records its defaults a second after set-up
    auto *birth = child<QDateTimeEdit>(page, "birthDate");
    auto *modified = child<QDateTimeEdit>(page, "modifiedDate");
    const char *spins[] = {
        "createTimeH", "createTimeM", "createTimeS", "updateTimeH", "updateTimeM", "updateTimeS"};
    QList<int> spinBefore;
    for (const char *name : spins)
        spinBefore << child<CustormSpinBox>(page, name)->value();
    const QDateTime birthBefore = birth->dateTime();
    const QDateTime modifiedBefore = modified->dateTime();

    flip(page, "birthTimeSetCheck");
    flip(page, "modifiedTimeSetCheck");
    birth->setDateTime(local(2001, 2, 3, 4, 5, 6));
    modified->setDateTime(local(2002, 3, 4, 5, 6, 7));
    int n = 0;
    for (const char *name : spins)
        child<CustormSpinBox>(page, name)->setValue((spinBefore.at(n++) + 7) % 24);
    QVERIFY(TimeRule::fileRule()->setBirthTime && TimeRule::fileRule()->setModifiedTime);

    press(page, "resetBtn");
    QVERIFY(!child<CustormCheckBox>(page, "birthTimeSetCheck")->isChecked());
    QVERIFY(!child<CustormCheckBox>(page, "modifiedTimeSetCheck")->isChecked());
    QVERIFY(!child<QWidget>(page, "createTimeWidget")->isEnabled());
    QVERIFY(!child<QWidget>(page, "updateTimeWidget")->isEnabled());
    n = 0;
    for (const char *name : spins)
        QCOMPARE(child<CustormSpinBox>(page, name)->value(), spinBefore.at(n++));
    // The date editors go to the moment of the reset and take the recorded time of day.
    QCOMPARE(birth->dateTime().toString(), birthBefore.toString());
    QCOMPARE(modified->dateTime().toString(), modifiedBefore.toString());
    const TimeRule *rule = TimeRule::fileRule();
    QVERIFY(!rule->setBirthTime);
    QVERIFY(!rule->setModifiedTime);
    QCOMPARE(rule->birthTime, QDateTime(birthBefore.date(), birthBefore.time()));
    QCOMPARE(rule->modifiedTime, QDateTime(modifiedBefore.date(), modifiedBefore.time()));
    QCOMPARE(rule->birthTime.time().msec(), 0);
}

void TestTimes::ntfsCreationTime_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("modifiedOn");
    QTest::newRow("file/creation and modification") << false << true;
    QTest::newRow("folder/creation and modification") << true << true;
    QTest::newRow("file/creation alone") << false << false;
}

// ntfs-3g keeps the creation time in an attribute, so there it can be set, and undone.
void TestTimes::ntfsCreationTime()
{
    QFETCH(bool, folder);
    QFETCH(bool, modifiedOn);
    NtfsMount ntfs;
    if (!ntfs.isMounted())
        QSKIP(qPrintable(ntfs.skipReason()));
    TimePage *page = folder ? folderPage.data() : filePage.data();
    const QStringList paths = addEntries(page, {"报告", "b"}, ntfs.path());
    const QByteArray bornBefore = ntfsCreation(paths.at(0));
    QCOMPARE(bornBefore.size(), 8);
    // statx knows no creation time there; the list shows the attribute's.
    quint64 ticks = 0;
    for (int i = 7; i >= 0; --i)
        ticks = (ticks << 8) | quint8(bornBefore.at(i));
    QCOMPARE(listOf(page)->entryList().at(0)->birthTime,
        QDateTime::fromMSecsSinceEpoch(qint64(ticks / 10000) - 11644473600000LL));
    QCOMPARE(diskTimes(paths.at(0)).modified, kOldModified / 100 * 100); // NTFS keeps 100 ns

    flip(page, "birthTimeSetCheck");
    pick(page, "birthDate", local(2020, 1, 2, 3, 4, 5));
    if (modifiedOn) {
        flip(page, "modifiedTimeSetCheck");
        pick(page, "modifiedDate", local(2021, 7, 8, 9, 10, 11));
    }
    press(page, "setBtn");
    QCOMPARE(states(page), QStringList({"成功", "成功"}));
    QVERIFY(log->messages.isEmpty());
    for (const QString &p : paths) {
        QCOMPARE(ntfsCreation(p).toHex(), fileTimeBytes(utc(2020, 1, 2, 2, 4, 5)).toHex());
        QCOMPARE(diskTimes(p).modified,
            modifiedOn ? nsOf(utc(2021, 7, 8, 7, 10, 11)) : kOldModified / 100 * 100);
    }
    QCOMPARE(cellTime(page, 0, TimeListWidget::BirthColumn), local(2020, 1, 2, 3, 4, 5));

    press(page, "undo");
    QCOMPARE(ntfsCreation(paths.at(0)).toHex(), bornBefore.toHex());
    for (const QString &p : paths)
        QCOMPARE(diskTimes(p).modified, kOldModified / 100 * 100);
}

// The Windows layer, cross-compiled with MinGW and run under Wine (which follows TZ as well).
void TestTimes::windowsLayerUnderWine()
{
    SKIP_WITHOUT_LINUX_TOOLS();
    WineCheck wine;
    if (!wine.isAvailable())
        QSKIP(qPrintable(wine.skipReason()));
    QString log;
    QVERIFY2(wine.build({"tests/times/win/file_times_check.cpp", "filetime/FileTimes.cpp",
                            "filetime/FileTimes_win.cpp", "filetime/LocalTime.cpp",
                            "filetime/LocalTime_win.cpp"},
                 &log),
        qPrintable(log));

    // The UTC moments come from the program's own conversion, here in Berlin time; Windows
    // must show the hours that were picked.
    const QDateTime summer = local(2024, 7, 15, 14, 30, 0);
    const QDateTime winter = local(2024, 1, 15, 14, 30, 0);
    const QString files = wine.makeFolder("files");
    // A file on a folder mounted read-only (a bind mount), where a mount is allowed.
    const QString ro = wine.makeFolder("ro");
    QFile(files + "/mounted.txt").open(QIODevice::WriteOnly);
    const bool mounted = QProcess::execute("sh",
                             {"-c", "mount --bind $0 $1 && mount -o remount,bind,ro $1", files, ro})
        == 0;
    auto unmount = qScopeGuard([&] { mounted &&QProcess::execute("umount", {ro}); });
    QProcessEnvironment berlin;
    berlin.insert("TZ", "Europe/Berlin");
    QByteArray output;
    const int code
        = wine.run({WineCheck::windowsPath(files), QString::number(utcFromLocal(summer)->seconds),
                       QString::number(utcFromLocal(winter)->seconds),
                       mounted ? WineCheck::windowsPath(ro + "/mounted.txt") : "-"},
            &output, berlin);
    QVERIFY2(code == 0, output.constData());
    // And Linux sees the same moment on the file Wine wrote.
    QCOMPARE(diskTimes(files + "/summer.txt").modified, nsOf(utc(2024, 7, 15, 12, 30, 0)));

    // The conversion both ways, as zoneinfo has it.
    for (auto row : kReadings) {
        QProcessEnvironment zone;
        zone.insert("TZ", QString(row[1]).section(' ', 0, 0));
        const ZoneInfo z = ZoneInfo::of(zone.value("TZ"), QString(row[1]).section(' ', 1));
        QCOMPARE(
            wine.run({"--local", QString(row[1]).section(' ', 1), QString::number(z.utcSeconds)},
                &output, zone),
            0);
        QCOMPARE(QString(output).trimmed(), QString::number(z.utcSeconds) + ' ' + z.shown);
    }
    if (!mounted)
        QSKIP("no read-only bind mount here: the Windows layer was not tried on one");
}

int main(int argc, char **argv)
{
    // Every test runs in a zone with summer time, so a wrong offset shows.
    useZone("Europe/Berlin");
    QApplication app(argc, argv);
    TestTimes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_times.moc"

void TestTimes::dateInName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found"); // "yyyy-MM-dd hh:mm:ss", "+" when a time was found
    const char *const rows[][3] = {
        {"yyyyMMdd/camera", "IMG_20201018_143000.jpg", "2020-10-18 14:30:00+"},
        {"yyyyMMdd/no time after", "VID-20201018-WA0007.mp4", "2020-10-18 00:00:00"},
        {"yyyyMMdd/time after nothing", "20201018143000.png", "2020-10-18 14:30:00+"},
        {"yyyyMMdd/T before time", "x20201018T143000", "2020-10-18 14:30:00+"},
        {"yyyy-MM-dd/scan", "扫描2021-03-05.pdf", "2021-03-05 00:00:00"},
        {"yyyy-MM-dd/space HH-mm-ss", "2021-03-05 08-09-10", "2021-03-05 08:09:10+"},
        {"yyyy_MM_dd/HH.mm.ss", "a_2021_03_05_08.09.10", "2021-03-05 08:09:10+"},
        {"yyyy.MM.dd/HH:mm:ss", "2021.03.05 08:09:10", "2021-03-05 08:09:10+"},
        {"yyyy年M月d日/short fields", "2021年3月5日会议", "2021-03-05 00:00:00"},
        {"yyyy年M月d日/Chinese time", "2021年12月25日 14时30分05秒", "2021-12-25 14:30:05+"},
        {"first date/wins", "2019-01-02 and 2020-03-04", "2019-01-02 00:00:00"},
        {"impossible/month 13", "20211345.jpg", ""},
        {"impossible/time keeps the date", "2021-03-05_25-00-00", "2021-03-05 00:00:00"},
        {"digits/12-digit serial", "202110181430.jpg", ""},
        {"digits/run on before", "120201018.jpg", ""},
        {"digits/run on after the time", "20201018_1430001", "2020-10-18 00:00:00"},
        {"mixed separators/no date", "2021-03_05", ""}, {"no date/plain name", "notes.txt", ""}};
    for (auto row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
}

void TestTimes::dateInName()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    const std::optional<NameDate> date = ::dateInName(name);
    const QString got = date ? QDateTime(date->date, date->time).toString("yyyy-MM-dd hh:mm:ss")
            + (date->hasTime ? "+" : "")
                             : QString();
    QCOMPARE(got, found);
}

void TestTimes::sources_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tags"); // exiftool's, for a photo
    QTest::addColumn<QString>("source");
    QTest::addColumn<QList<int>>("shift"); // days, hours, minutes, seconds
    QTest::addColumn<QString>("written"); // local "yyyy-MM-dd hh:mm:ss.zzz", "own+1d", or a message
    const QStringList original {
        "-DateTimeOriginal=2020:10:18 14:30:00", "-CreateDate=2019:01:01 00:00:00"};
    const QList<int> none {0, 0, 0, 0};
    QTest::newRow("capture/original before create date")
        << false << "a.jpg" << original << "拍摄时间" << none << "2020-10-18 14:30:00.000";
    QTest::newRow("capture/create date alone")
        << false << "a.jpg" << QStringList {"-CreateDate=2019:05:06 07:08:09"} << "拍摄时间" << none
        << "2019-05-06 07:08:09.000";
    QTest::newRow("capture/offset and sub-second exact")
        << false << "a.jpg"
        << QStringList {"-DateTimeOriginal=2020:10:18 14:30:00", "-OffsetTimeOriginal=+08:00",
               "-SubSecTimeOriginal=25"}
        << "拍摄时间" << none << "2020-10-18 08:30:00.250";
    QTest::newRow("capture/clock an hour fast")
        << false << "a.jpg" << original << "拍摄时间" << QList<int> {0, -1, 0, 0}
        << "2020-10-18 13:30:00.000";
    QTest::newRow("capture/photo without tags") << false << "a.jpg" << QStringList {"-Artist=x"}
                                                << "拍摄时间" << none << "文件“%1”没有拍摄时间";
    QTest::newRow("name/camera name and shift")
        << false << "IMG_20201018_143000.jpg" << QStringList() << "文件名中的时间"
        << QList<int> {1, 0, -30, 5} << "2020-10-19 14:00:05.000";
    QTest::newRow("name/folder, date only")
        << true << "扫描2021-03-05" << QStringList() << "文件名中的时间" << none
        << "2021-03-05 00:00:00.000";
    QTest::newRow("name/none") << false << "notes.txt" << QStringList() << "文件名中的时间" << none
                               << "文件名“%1”中没有日期";
    QTest::newRow("own/folder modification a day on")
        << true << "d" << QStringList() << "修改时间" << QList<int> {1, 0, 0, 0} << "own+1d";
}

// Each source through the panel: the preview, the run with its message, and undo.
void TestTimes::sources()
{
    QFETCH(bool, folder);
    QFETCH(QString, name);
    QFETCH(QStringList, tags);
    QFETCH(QString, source);
    QFETCH(QList<int>, shift);
    QFETCH(QString, written);
    TimePage *page = folder ? folderPage.data() : filePage.data();
    TimePage *otherPage = folder ? filePage.data() : folderPage.data();
    const QString path = dir->filePath(name);
    if (name.endsWith(".jpg")) {
        SKIP_WITHOUT_LINUX_TOOLS(); // exiftool makes the photos
        QVERIFY(makePhotos({path}, {tags}));
        QVERIFY(setDiskTimes(path, kOldModified, kOldAccessed));
        listOf(page)->addPaths({path});
    } else {
        addEntries(page, {name});
    }
    addEntries(otherPage, {"2000-01-01 other"});
    flip(page, "modifiedTimeSetCheck");
    auto *box = child<QComboBox>(page, "modifiedSourceBox");
    box->setCurrentIndex(box->findText(source));
    QCOMPARE(box->currentText(), source);
    QVERIFY(!child<QDateTimeEdit>(page, "modifiedDate")->isEnabled());
    const char *spins[] = {"modifiedShiftD", "modifiedShiftH", "modifiedShiftM", "modifiedShiftS"};
    for (int i = 0; i < 4; ++i)
        child<QSpinBox>(page, spins[i])->setValue(shift.at(i));
    CaptureTimes::instance()->waitForReads();

    const bool fails = written.contains("%1");
    const qint64 ownMs = kOldModified / 1000000;
    const QDateTime expected = fails ? QDateTime::fromMSecsSinceEpoch(ownMs)
        : written == "own+1d"        ? QDateTime::fromMSecsSinceEpoch(ownMs + 86400000)
                                     : QDateTime::fromString(written, "yyyy-MM-dd hh:mm:ss.zzz");
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    QCOMPARE(cellTime(page, 0, TimeListWidget::ModifiedColumn).toString(format),
        expected.toString(format));
    press(page, "setBtn");
    QCOMPARE(states(page), QStringList {fails ? "失败" : "成功"});
    QCOMPARE(log->messages, fails ? QStringList {written.arg(path)} : QStringList());
    QCOMPARE(diskTimes(path).modified / 1000000, expected.toMSecsSinceEpoch());
    QCOMPARE(child<QAbstractButton>(page, "undo")->isEnabled(), !fails);
    if (!fails) {
        press(page, "undo");
        QCOMPARE(diskTimes(path).modified, kOldModified);
    }
    // The other page's list kept its own times.
    QCOMPARE(listOf(otherPage)->entryList().at(0)->modifiedTime.toMSecsSinceEpoch(), ownMs);
}

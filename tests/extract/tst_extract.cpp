// The extraction pages as a user drives them: options, name, format and folder in the panel,
// "开始提取", and the exported file read back by independent readers.
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "extract/CollectInfoPage.h"
#include "extract/CollectInfoPagePropertWidget.h"
#include "extract/CollectInfoPageWidget.h"
#include "extract/CollectListWidget.h"
#include "extract/CollectSettings.h"
#include "lists/CustomTabelWidget.h"
#include "office/Xlsx.h"
#include "tests/support/LinuxTools.h"
#include "tests/support/NtfsMount.h"
#include "tests/support/WhenModalOpens.h"
#include "tests/support/ZoneInfo.h"
#include "widgets/StyledInputs.h"

#include <QtTest>

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <memory>

#ifndef _WIN32
#include <sys/xattr.h>
#endif

namespace {

// Local summer time, in a zone with daylight saving (set below). Made when asked: a QDateTime
// keeps the daylight-saving state of the zone it was made in.
QDateTime modifiedTime()
{
    return QDateTime(QDate(2021, 7, 4), QTime(5, 6, 7));
}
const QString kSaveFailed = QStringLiteral("保存文件失败！");

// Runs Debian's python (the one with openpyxl and python-docx) on the export; returns its JSON.
QJsonArray readWithPython(const QString &path)
{
    const char *script = path.endsWith(".xlsx")
        ? "import json,sys,openpyxl\n"
          "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
          "print(json.dumps([[c.value for c in r] for r in ws.iter_rows()]))\n"
        : "import json,sys,docx\n"
          "print(json.dumps([p.text for p in docx.Document(sys.argv[1]).paragraphs]))\n";
    const ToolRun run = runLinuxTool("/usr/bin/python3", {"-c", script, path});
    if (!run.ok())
        qWarning().noquote() << run.error << run.err;
    return QJsonDocument::fromJson(run.out).array();
}

// Records what reaches the main window's message dialog.
class Tips : public QObject
{
    Q_OBJECT
public:
    QStringList texts;
public slots:
    void onPropertyValueChanged(const QString &, const QString &, const QVariant &value)
    {
        texts << value.toString();
    }
};

struct Page
{
    std::unique_ptr<CollectInfoPage> page;
    CollectListWidget *list = nullptr;

    explicit Page(bool folder) : page(new CollectInfoPage)
    {
        page->setFolder(folder);
        list = page->findChild<CollectListWidget *>();
        page->resize(1300, 700);
        page->show();
    }
    template<class T = QAbstractButton> T *panel(const char *name) const
    {
        return page->propertyWidget()->findChild<T *>(name);
    }
    void click(const char *name) const { panel(name)->click(); }
    // The folder dialog of the panel, answered with dir.
    void chooseFolder(const QString &dir, const char *button = "openDirBtn") const
    {
        whenModalOpens([dir](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            dialog->setDirectory(dir);
            static_cast<QDialog *>(dialog)->accept();
        });
        click(button);
    }
    void setExport(const QString &name, int format, const QString &dir) const
    {
        auto *edit = panel<QLineEdit>("exportName");
        edit->clear();
        // Typed key by key (keyClicks knows only Latin-1 keys); what no key types is pasted.
        for (const QChar c : name) {
            if (c.isPrint()) {
                QTest::sendKeyEvent(
                    QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
            } else {
                QGuiApplication::clipboard()->setText(QString(c));
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            }
        }
        QCOMPARE(edit->text(), name);
        panel<QComboBox>("exportTypeCombox")->setCurrentIndex(format);
        chooseFolder(dir);
    }
    QStringList states() const
    {
        QStringList texts;
        for (int r = 0; r < list->table()->rowCount(); ++r) {
            auto *label = qobject_cast<QLabel *>(list->table()->cellWidget(r, 4));
            texts << (label ? label->text() : QStringLiteral("<no label>"));
        }
        return texts;
    }
};

bool settled(const Page &page)
{
    return !page.states().contains(QStringLiteral("进行中"));
}

QStringList filesBelow(const QString &dir)
{
    QStringList found;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

QStringList repeated(const QString &text, int times)
{
    return QString(text + '\n').repeated(times).split('\n', Qt::SkipEmptyParts);
}

const QStringList kExtensions {".xlsx", ".docx", ".txt"};

// Sets ntfs-3g's creation attribute to a UTC moment: a FILETIME, 8 bytes little-endian.
bool setNtfsCreation(const QString &path, const QDateTime &utc)
{
    quint64 ticks = quint64(utc.toMSecsSinceEpoch() + 11644473600000LL) * 10000ULL;
    char raw[8];
    for (char &byte : raw) {
        byte = char(ticks & 0xff);
        ticks >>= 8;
    }
#ifdef _WIN32
    Q_UNUSED(path)
    return false; // ntfs-3g is Linux's; NtfsMount skips first
#else
    return setxattr(QFile::encodeName(path).constData(), "system.ntfs_crtime", raw, 8, 0) == 0;
#endif
}

} // namespace

class TestExtract : public QObject
{
    Q_OBJECT
    Tips tips;

private slots:
    void initTestCase()
    {
        // Times are exported in local time: a zone that is not UTC, with daylight saving,
        // catches a value taken in the wrong zone.
        qputenv("TZ", "Europe/Berlin");
        CNvGlobalObserver::instance()->registerObserver(
            Topic::MessageErrorTip, Topic::NoticeName, &tips, QUORVEX_BUS_SLOT);
    }
    void cleanupTestCase()
    {
        CNvGlobalObserver::instance()->unregisterObserver(
            Topic::MessageErrorTip, Topic::NoticeName, &tips);
    }
    void init()
    {
        // Only one page of each kind lives in the program; here each test builds its own.
        resetCollectSettings(fileCollectSettings());
        resetCollectSettings(folderCollectSettings());
        tips.texts.clear();
        useZone("Europe/Berlin");
    }

    void exportHoldsWhatTheOptionsSay_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QStringList>("off"); // "不包含" buttons clicked
        QTest::addColumn<QStringList>("names"); // created and added in this order
        QTest::addColumn<QString>("deleted"); // removed from the disk after adding
        QTest::addColumn<bool>("sortByName"); // header click on "文件名称" before exporting
        QTest::addColumn<QStringList>("sources"); // the entries in the exported order
        QTest::addColumn<QStringList>("exported"); // their first value

        const QStringList none;
        const QStringList nameOnly {"noPathBtn", "noBirthBtn", "noModifiedBtn"};
        QTest::newRow("xlsx/all four values")
            << 0 << false << none << QStringList {"报告 终稿.docx", "a.txt"} << "" << false
            << QStringList {"报告 终稿.docx", "a.txt"} << QStringList {"报告 终稿.docx", "a.txt"};
        const QStringList dotted {"report.final.docx", ".gitignore", "plain"};
        QTest::newRow("xlsx/extension off, empty name keeps its column")
            << 0 << false << QStringList {"nosuffix"} << dotted << "" << false << dotted
            << QStringList {"report.final", "", "plain"};
        QTest::newRow("txt/extension off")
            << 2 << false << QStringList {"nosuffix", "noBirthBtn"} << dotted << "" << false
            << dotted << QStringList {"report.final", "", "plain"};
        for (int format : {0, 1, 2})
            QTest::newRow(qPrintable(kExtensions[format].mid(1) + "/only the name"))
                << format << false << nameOnly << QStringList {"a b.txt", "c.txt"} << "" << false
                << QStringList {"a b.txt", "c.txt"} << QStringList {"a b.txt", "c.txt"};
        QTest::newRow("xlsx/name only, a dot-file last keeps its row")
            << 0 << false << nameOnly + QStringList {"nosuffix"} << QStringList {"a.txt", ".env"}
            << "" << false << QStringList {"a.txt", ".env"} << QStringList {"a", ""};
        const QStringList foreign {"Ελληνικά.txt", "файл.md", "日本語 ファイル.txt", "🙂.txt"};
        for (int format : {0, 1, 2})
            QTest::newRow(qPrintable(kExtensions[format].mid(1) + "/non-Latin names exact"))
                << format << false << QStringList {"noBirthBtn"} << foreign << "" << false
                << foreign << foreign;
        QTest::newRow("xlsx/folder a.b keeps .b")
            << 0 << true << none << QStringList {"a.b", "照片"} << "" << false
            << QStringList {"a.b", "照片"} << QStringList {"a.b", "照片"};
        QTest::newRow("docx/deleted entry, empty times")
            << 1 << false << none << QStringList {"gone.txt", "kept.txt"} << "gone.txt" << false
            << QStringList {"gone.txt", "kept.txt"} << QStringList {"gone.txt", "kept.txt"};
        QTest::newRow("xlsx/table order after sorting")
            << 0 << false << nameOnly << QStringList {"b.txt", "c.txt", "a.txt"} << "" << true
            << QStringList {"a.txt", "b.txt", "c.txt"} << QStringList {"a.txt", "b.txt", "c.txt"};
    }
    void exportHoldsWhatTheOptionsSay()
    {
        QFETCH(int, format);
        QFETCH(bool, folder);
        QFETCH(QStringList, off);
        QFETCH(QStringList, names);
        QFETCH(QString, deleted);
        QFETCH(bool, sortByName);
        QFETCH(QStringList, sources);
        QFETCH(QStringList, exported);
#ifdef Q_OS_WIN
        if (!off.contains("noBirthBtn"))
            QSKIP("under Wine, Qt's birth time of a summer date is an hour off its modification "
                  "time, which Wine gives as the creation time; the expectation is Qt's");
#endif

        QTemporaryDir dir;
        const QString in = dir.filePath("in");
        const QString out = dir.filePath("out 导出");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        QStringList paths;
        for (const QString &name : names) {
            const QString path = in + "/" + name;
            if (folder) {
                QVERIFY(QDir().mkpath(path));
            } else {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                QVERIFY(file.setFileTime(modifiedTime(), QFileDevice::FileModificationTime));
            }
            paths << path;
        }
        Page page(folder);
        QVERIFY(QTest::qWaitForWindowExposed(page.page.get()));
        page.list->addPaths(paths);
        QVERIFY(page.panel("setBtn")->isEnabled());
        QCOMPARE(page.panel<QWidget>("suffixWidget")->isVisible(), !folder);
        for (const QString &button : off)
            page.click(qPrintable(button));
        page.setExport("名单 1", format, out);
        // An earlier, longer export of the same name goes completely.
        const QString file = out + "/名单 1" + kExtensions[format];
        {
            QFile earlier(file);
            QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write(QByteArray(65536, 'x')));
        }
        if (!deleted.isEmpty())
            QVERIFY(QFile::remove(in + "/" + deleted));
        if (sortByName) {
            QHeaderView *header = page.list->table()->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
            QTRY_COMPARE(page.list->table()->item(0, 0)->text(), sources.first());
        }

        page.click("setBtn");
        QCOMPARE(page.states(), repeated("进行中", names.size()));
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 60000);
        QCOMPARE(page.states(), repeated("成功", names.size()));
        QCOMPARE(tips.texts, QStringList());
        // The list still shows every value, whatever the options.
        QCOMPARE(page.list->table()->item(0, 1)->text(), in + "/" + sources.first());

        // What the export must hold, row by row.
        QList<QStringList> rows;
        for (int i = 0; i < sources.size(); ++i) {
            const QFileInfo info(in + "/" + sources[i]);
            const bool gone = sources[i] == deleted;
            QStringList row {exported[i]};
            if (!off.contains("noPathBtn"))
                row << info.absoluteFilePath();
            if (!off.contains("noBirthBtn"))
                row << (gone ? "" : CollectExport::timeText(info.birthTime()));
            // (A folder's time moves with what is created inside it.)
            if (!off.contains("noModifiedBtn"))
                row << (gone
                        ? QString()
                        : CollectExport::timeText(folder ? info.lastModified() : modifiedTime()));
            rows << row;
        }
        QCOMPARE(filesBelow(out), QStringList {file});
        if (format == 0) {
            QStringList header {"文件名称"};
            for (auto [button, text] : {std::pair {"noPathBtn", "文件路径"},
                     std::pair {"noBirthBtn", "创建时间"}, std::pair {"noModifiedBtn", "修改时间"}})
                if (!off.contains(button))
                    header << text;
            rows.prepend(header);
            QJsonArray expected;
            for (const QStringList &row : rows) {
                QJsonArray cells;
                for (const QString &value : row)
                    cells << (value.isEmpty() ? QJsonValue() : QJsonValue(value));
                expected << cells;
            }
            QCOMPARE(readWithPython(file), expected);
            // Our own reader finds every value at its place too.
            Xlsx::Document book(file);
            QVERIFY(book.isLoadPackage());
            for (int r = 0; r < rows.size(); ++r)
                for (int c = 0; c < rows[r].size(); ++c) {
                    const Xlsx::Cell *cell = book.currentWorksheet()->cellAt(r + 1, c + 1);
                    QCOMPARE(cell ? cell->value().toString() : QString(), rows[r][c]);
                }
        } else {
            QStringList lines;
            for (const QStringList &row : rows)
                lines << row.join(' ');
            if (format == 1) {
                QCOMPARE(readWithPython(file).toVariantList(), QVariant(lines).toList());
            } else {
                QFile text(file);
                QVERIFY(text.open(QIODevice::ReadOnly));
                QByteArray expected = (lines.join('\n') + '\n').toUtf8();
#ifdef Q_OS_WIN
                // Notepad's own form there: a byte order mark, and lines ending in CR LF
                expected = "\xEF\xBB\xBF" + expected.replace("\n", "\r\n");
#endif
                QCOMPARE(text.readAll(), expected);
            }
        }
    }

    void refusedOrFailedExportsAreTold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("folderFate"); // what happens to the chosen folder
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("rowState");
        const QString noName = "请输入导出名称！";
        const QString bad = "导出名称“%1”不能包含以下字符：\\/:*?\"<>|";
        QTest::newRow("name/empty") << "" << 0 << "" << noName << "待操作";
        QTest::newRow("name/only spaces") << "   " << 2 << "" << noName << "待操作";
        QTest::newRow("name/into the parent folder")
            << "../x" << 2 << "" << bad.arg("../x") << "待操作";
        QTest::newRow("name/into a subfolder") << "a/b" << 1 << "" << bad.arg("a/b") << "待操作";
        QTest::newRow("name/Windows characters, refused here too")
            << "清单:备份?" << 0 << "" << bad.arg("清单:备份?") << "待操作";
        QTest::newRow("name/pasted tab, not a file name") << "a\tb" << 2 << ""
                                                          << "导出名称“a\tb”不能用作文件名！"
                                                          << "待操作";
        for (int format : {0, 1, 2}) {
            const QString kind = kExtensions[format].mid(1);
            QTest::newRow(qPrintable(kind + "/folder removed after choosing"))
                << "x" << format << "removed" << kSaveFailed << "失败";
            QTest::newRow(qPrintable(kind + "/folder replaced by a file"))
                << "x" << format << "file" << kSaveFailed << "失败";
        }
    }
    void refusedOrFailedExportsAreTold()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QString, folderFate);
        QFETCH(QString, message);
        QFETCH(QString, rowState);
        QTemporaryDir dir;
        const QString out = dir.filePath("out/inner");
        QVERIFY(QDir().mkpath(out));
        Page page(false);
        QVERIFY(QTest::qWaitForWindowExposed(page.page.get()));
        page.list->addPaths({"/nowhere/a.txt", "/nowhere/b.txt"});
        page.setExport(name, format, out);
        if (!folderFate.isEmpty()) {
            QVERIFY(QDir(out).removeRecursively());
            if (folderFate == "file")
                QVERIFY(QFile(out).open(QIODevice::WriteOnly));
        }
        page.click("setBtn");
        QTRY_VERIFY_WITH_TIMEOUT(settled(page) && !tips.texts.isEmpty(), 60000);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(tips.texts, QStringList {message});
        QCOMPARE(page.states(), repeated(rowState, 2));
        QCOMPARE(filesBelow(dir.path()), folderFate == "file" ? QStringList {out} : QStringList());
    }

    void eachExportMarksItsOwnRows()
    {
        QTemporaryDir dir;
        Page files(false);
        Page folders(true);
        QVERIFY(QTest::qWaitForWindowExposed(folders.page.get()));
        files.list->addPaths({dir.filePath("a"), dir.filePath("b")});
        folders.list->addPaths({dir.path()});
        files.setExport("files", 2, dir.path());
        folders.setExport("folders", 0, dir.path());
        QVERIFY(QDir().mkpath(dir.filePath("missing")));
        folders.chooseFolder(dir.filePath("missing"), "replaceExcelLabel");
        QVERIFY(QDir(dir.filePath("missing")).removeRecursively());

        // Back to back: the folder page's write supersedes the file page's.
        files.click("setBtn");
        QCOMPARE(folders.states(), QStringList {"待操作"});
        folders.click("setBtn");
        files.list->addPaths({dir.filePath("added later")});
        QTRY_VERIFY_WITH_TIMEOUT(settled(files) && settled(folders), 60000);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(files.states(), (QStringList {"成功", "成功", "待操作"}));
        QCOMPARE(folders.states(), QStringList {"失败"});
        QCOMPARE(tips.texts, QStringList {kSaveFailed});
        QVERIFY(QFileInfo::exists(dir.filePath("files.txt")));
        QVERIFY(!QFileInfo::exists(dir.filePath("folders.xlsx")));
    }

    void ntfsCreationTimeIsListedAndExported_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("format");
        QTest::newRow("file/txt") << false << 2;
        QTest::newRow("folder/xlsx") << true << 0;
    }
    // statx reports no creation time on ntfs-3g; the attribute holds it, as on the time page.
    void ntfsCreationTimeIsListedAndExported()
    {
        QFETCH(bool, folder);
        QFETCH(int, format);
        NtfsMount ntfs;
        if (!ntfs.isMounted())
            QSKIP(qPrintable(ntfs.skipReason()));
        // Summer and winter time in Berlin, a different moment for each entry.
        const QStringList names {"报告.txt", "b"};
        const QList<QDateTime> born {QDateTime(QDate(2019, 7, 4), QTime(5, 6, 7), Qt::UTC),
            QDateTime(QDate(2003, 1, 2), QTime(3, 4, 5), Qt::UTC)};
        const QStringList shown {"2019/07/04 07:06:07", "2003/01/02 04:04:05"};
        QStringList paths;
        for (int i = 0; i < names.size(); ++i) {
            const QString path = ntfs.path() + "/" + names[i];
            if (folder)
                QVERIFY(QDir().mkpath(path));
            else
                QVERIFY(QFile(path).open(QIODevice::WriteOnly));
            QVERIFY(setNtfsCreation(path, born[i]));
            paths << path;
        }
        QTemporaryDir out;
        Page page(folder);
        QVERIFY(QTest::qWaitForWindowExposed(page.page.get()));
        page.list->addPaths(paths);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(page.list->table()->item(i, CollectListWidget::BirthColumn)->text(), shown[i]);
        page.click("noPathBtn");
        page.click("noModifiedBtn");
        page.setExport("名单", format, out.path());
        page.click("setBtn");
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 60000);
        QCOMPARE(page.states(), repeated("成功", names.size()));
        const QString file = out.filePath("名单" + kExtensions[format]);
        if (format == 0) {
            QJsonArray expected {QJsonArray {"文件名称", "创建时间"}};
            for (int i = 0; i < names.size(); ++i)
                expected << QJsonArray {names[i], shown[i]};
            QCOMPARE(readWithPython(file), expected);
        } else {
            QFile text(file);
            QVERIFY(text.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(text.readAll()),
                names[0] + " " + shown[0] + "\n" + names[1] + " " + shown[1] + "\n");
        }
    }

    void localTimesOfEveryYear_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("zoneAndReading"); // the file's modification time
        QTest::newRow("xlsx/New York 1965") << 0 << "America/New_York 1965-07-01 12:00:00";
        QTest::newRow("docx/London 1969") << 1 << "Europe/London 1969-07-01 12:00:00";
        QTest::newRow("txt/New York 2040") << 2 << "America/New_York 2040-03-10 12:00:00";
    }
    // The list and every format show a file's time as zoneinfo does, whatever the year.
    void localTimesOfEveryYear()
    {
#ifdef Q_OS_WIN
        QSKIP("Wine takes its zone once, when it starts: this process cannot move to another");
#endif
        QFETCH(int, format);
        QFETCH(QString, zoneAndReading);
        const QString zone = zoneAndReading.section(' ', 0, 0);
        const ZoneInfo info = ZoneInfo::of(zone, zoneAndReading.section(' ', 1));
        useZone(zone);
        QTemporaryDir dir;
        QFile file(dir.filePath("a.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly)
            && file.setFileTime(QDateTime::fromSecsSinceEpoch(info.utcSeconds, Qt::UTC),
                QFileDevice::FileModificationTime));
        Page page(false);
        page.list->addPaths({file.fileName()});
        QCOMPARE(
            page.list->table()->item(0, CollectListWidget::ModifiedColumn)->text(), info.shown);
        page.click("noPathBtn");
        page.click("noBirthBtn");
        page.setExport("名单", format, dir.path());
        page.click("setBtn");
        QTRY_VERIFY_WITH_TIMEOUT(settled(page), 60000);
        const QString out = dir.filePath("名单" + kExtensions[format]);
        QFile text(out);
        const QString exported = format == 0 ? readWithPython(out).at(1).toArray().at(1).toString()
            : format == 1                    ? readWithPython(out).at(0).toString()
                          : (text.open(QIODevice::ReadOnly), QString(text.readAll()).trimmed());
        QCOMPARE(exported, (format == 0 ? "" : "a.txt ") + info.shown);
    }

    void resetRestoresEveryControlAndTheSettings()
    {
        QTemporaryDir dir;
        Page page(false);
        QVERIFY(QTest::qWaitForWindowExposed(page.page.get()));
        QTest::qWait(1100); // the panel records its defaults a second after it is built
        const QList<QAbstractButton *> pairs
            = page.page->propertyWidget()->findChildren<QAbstractButton *>(
                QRegularExpression("^(has|no)"));
        QCOMPARE(pairs.size(), 8);
        QHash<QAbstractButton *, bool> checked;
        for (QAbstractButton *button : pairs)
            checked[button] = button->isChecked();
        const QString shownDir = page.panel("replaceExcelLabel")->text();

        for (const char *button : {"nosuffix", "noPathBtn", "noBirthBtn", "noModifiedBtn"})
            page.click(button);
        page.setExport("changed", 2, dir.path());
        page.chooseFolder(dir.path(), "replaceExcelLabel");
        QVERIFY(page.panel("replaceExcelLabel")->toolTip() == QDir::toNativeSeparators(dir.path()));
        const CollectSettings changed = *fileCollectSettings();
        QVERIFY(
            !changed.hasSuffix && !changed.hasPath && !changed.hasBirth && !changed.hasModified);

        page.click("resetBtn");
        for (QAbstractButton *button : pairs)
            QCOMPARE(button->isChecked(), checked[button]);
        QCOMPARE(page.panel<QLineEdit>("exportName")->text(), QString());
        QCOMPARE(page.panel<QComboBox>("exportTypeCombox")->currentText(), QString("xlsx"));
        QCOMPARE(page.panel("replaceExcelLabel")->text(), shownDir);
        const CollectSettings *s = fileCollectSettings();
        QVERIFY(s->hasSuffix && s->hasPath && s->hasBirth && s->hasModified);
        QCOMPARE(s->exportName, QString());
        QCOMPARE(s->exportType, 0);
        QCOMPARE(s->exportDir, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }
};

QTEST_MAIN(TestExtract)
#include "tst_extract.moc"

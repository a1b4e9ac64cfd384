#include "OfficeTestSupport.h"

#include "office/ExcelReader.h"
#include "office/ExportWriters.h"
#include "office/Xlsx.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <unistd.h>

using namespace OfficeTest;

namespace {

const QString saveFailed = QStringLiteral("保存文件失败！");

void flush()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// Every cell of the active sheet as openpyxl sees it, row by row (JSON).
QJsonArray openpyxlCells(const QString &path, bool *ok)
{
    const QByteArray out = python({"-c",
                                      "import json,sys,openpyxl\n"
                                      "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
                                      "print(json.dumps([[c.value for c in r] for r in "
                                      "ws.iter_rows()]))\n",
                                      path},
        ok);
    return QJsonDocument::fromJson(out).array();
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<unreadable>");
    QByteArray text = file.readAll();
#ifdef Q_OS_WIN
    // lines there end in CR LF, every one of them
    if (text.count('\n') != text.count("\r\n"))
        return QStringLiteral("<a line without CR LF>");
    text.replace("\r\n", "\n");
#endif
    return QString::fromUtf8(text); // text exports are UTF-8 in any locale
}

} // namespace

class TestWriters : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void excelHoldsExactlyTheRows()
    {
        const ExportRows rows {
            {"文件名称", "文件路径", "创建时间", "修改时间"},
            {"a.txt", "/x/a.txt", "2024/01/02 03:04:05", "2024/02/03 04:05:06"},
            {"b c.txt", "/x/b c.txt", "", "2024/02/03 04:05:07"},
        };
        const QString path = dir.filePath("export.xlsx");
        Receiver receiver;
        QVERIFY(writeExcelRows(rows, path, &receiver));
        bool ok = false;
        const QJsonArray cells = openpyxlCells(path, &ok);
        QVERIFY(ok);
        QCOMPARE(cells.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QJsonArray row = cells.at(i).toArray();
            QCOMPARE(row.size(), 4);
            for (int j = 0; j < 4; ++j) {
                const QString expected = rows.at(i).at(j).toString();
                // An empty text leaves its cell empty.
                QCOMPARE(row.at(j).toString(), expected);
                QCOMPARE(row.at(j).isNull(), expected.isEmpty());
            }
        }
        flush();
        QVERIFY(receiver.items.isEmpty());
    }

    void shortRowFillsOnlyItsColumns()
    {
        const QString path = dir.filePath("ragged.xlsx");
        Receiver receiver;
        QVERIFY(writeExcelRows({{"a", "b"}, {"1", "2", "3", "4"}}, path, &receiver));
        bool ok = false;
        const QJsonArray cells = openpyxlCells(path, &ok);
        QVERIFY(ok);
        QCOMPARE(cells.at(0).toArray(), (QJsonArray {"a", "b", QJsonValue(), QJsonValue()}));
        QCOMPARE(cells.at(1).toArray(), (QJsonArray {"1", "2", "3", "4"}));
    }

    void valueTypesSurvive()
    {
        const QString path = dir.filePath("types.xlsx");
        Receiver receiver;
        QVERIFY(writeExcelRows({{12, 1.5, true, "12"}}, path, &receiver));
        bool ok = false;
        const QJsonArray row = openpyxlCells(path, &ok).at(0).toArray();
        QVERIFY(ok);
        QCOMPARE(row.at(0).toDouble(), 12.0);
        QCOMPARE(row.at(1).toDouble(), 1.5);
        QCOMPARE(row.at(2).toBool(), true);
        QVERIFY(row.at(3).isString());
    }

    void textRoundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readBack");
        const QString longText(40000, QLatin1Char('x'));
        QTest::newRow("plain/chinese") << "报告 最终版.docx"
                                       << "报告 最终版.docx";
        QTest::newRow("formula-like/equals sign") << "=1+1"
                                                  << "=1+1";
        QTest::newRow("control/start of heading") << "a\x01b"
                                                  << "a\x01b";
        QTest::newRow("control/escape and unit separator") << "\x1b[0m\x1f"
                                                           << "\x1b[0m\x1f";
        QTest::newRow("control/tab and newline") << "a\tb\nc"
                                                 << "a\tb\nc";
        QTest::newRow("escape-like/literal _x0041_") << "x_x0041_y"
                                                     << "x_x0041_y";
        QTest::newRow("surrogates/emoji pair")
            << QString::fromUtf8("名\xF0\x9F\x98\x80") << QString::fromUtf8("名\xF0\x9F\x98\x80");
        QTest::newRow("surrogates/lone high")
            << QString("a") + QChar(0xD800) + "b" << QString("a") + QChar(0xFFFD) + "b";
        QTest::newRow("noncharacter/U+FFFF")
            << QString("a") + QChar(0xFFFF) << QString("a") + QChar(0xFFFF);
        QTest::newRow("length/past Excel's cell limit") << longText << longText.left(32767);
    }

    void textRoundTrips()
    {
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        const QString path = dir.filePath("roundtrip.xlsx");
        Receiver receiver;
        QVERIFY(writeExcelRows({{"before", text, "after"}}, path, &receiver));
        bool ok = false;
        const QJsonArray cells = openpyxlCells(path, &ok); // must parse: valid XML
        QVERIFY(ok);
        QCOMPARE(cells.at(0).toArray().size(), 3);
        const QList<QVariant> rows = readExcelRows(path, &receiver);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).toStringList(), (QStringList {"before", readBack, "after"}));
    }

    void excelFailures_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("withRows");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("missing folder") << "missing/out.xlsx" << true << QStringList {saveFailed};
        QTest::newRow("path is a folder") << "." << true << QStringList {saveFailed};
        QTest::newRow("no rows") << "empty.xlsx" << false << QStringList {};
    }

    void excelFailures()
    {
        QFETCH(QString, where);
        QFETCH(bool, withRows);
        QFETCH(QStringList, messages);
        const QString path = dir.filePath(where);
        const bool existed = QFileInfo::exists(path);
        Receiver receiver;
        QVERIFY(!writeExcelRows(withRows ? ExportRows {{"a"}} : ExportRows {}, path, &receiver));
        flush();
        QCOMPARE(receiver.messages(), messages);
        QCOMPARE(QFileInfo(path).isFile(), false);
        QCOMPARE(QFileInfo::exists(path), existed);
    }

    void failedSaveKeepsTheOldFile()
    {
#ifndef _WIN32
        if (geteuid() == 0)
            QSKIP("root writes into read-only files");
#endif
        const QString folder = dir.filePath("locked");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/out.xlsx";
        Receiver receiver;
        QVERIFY(writeExcelRows({{"old"}}, path, &receiver));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        QVERIFY(!writeExcelRows({{"new"}}, path, &receiver));
        flush();
        QCOMPARE(receiver.messages(), QStringList {saveFailed});
        QCOMPARE(texts(readExcelRows(path, &receiver)), QList<QStringList> {{"old"}});
    }

    void foldersWithChineseAndSpaces()
    {
        const QString folder = dir.filePath("导出 文件夹");
        QVERIFY(QDir().mkpath(folder));
        Receiver receiver;
        const ExportRows rows {{"名称 一", "路径"}, {"名称 二"}};
        QVERIFY(writeExcelRows(rows, folder + "/名单 1.xlsx", &receiver));
        QCOMPARE(texts(readExcelRows(folder + "/名单 1.xlsx", &receiver)),
            (QList<QStringList> {{"名称 一", "路径"}, {"名称 二"}}));
        QVERIFY(writeTextRows(folder + "/名单 1.txt", rows, &receiver));
        QCOMPARE(readFile(folder + "/名单 1.txt"), QStringLiteral("名称 一 路径\n名称 二\n"));
        flush();
        QVERIFY(receiver.items.isEmpty());
    }

    // On a Chinese Windows the ANSI code page is GBK, while libxlsxwriter opens its file
    // names as UTF-8 there; the locale's codec stands in for that code page here.
    void writerFileNames_data()
    {
        QTest::addColumn<int>("system");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("bytes");
        const int windows = int(Xlsx::FileNameSystem::Windows);
        const int posix = int(Xlsx::FileNameSystem::Posix);
        QTest::newRow("windows/Chinese profile under GBK")
            << windows << QByteArray("GBK")
            << "C:/Users/张三/AppData/Local/Temp/quorvex-x1/book.xlsx"
            << QByteArray("C:\\Users\\\xE5\xBC\xA0\xE4\xB8\x89\\AppData\\Local\\Temp"
                          "\\quorvex-x1\\book.xlsx");
        QTest::newRow("windows/letters outside the code page")
            << windows << QByteArray("GBK") << "C:/Users/김철수/Temp"
            << QByteArray("C:\\Users\\\xEA\xB9\x80\xEC\xB2\xA0\xEC\x88\x98\\Temp");
        QTest::newRow("windows/ascii")
            << windows << QByteArray("UTF-8") << "D:/tmp/a b" << QByteArray("D:\\tmp\\a b");
        QTest::newRow("posix/GBK locale") << posix << QByteArray("GBK") << "/home/张三/book.xlsx"
                                          << QByteArray("/home/\xD5\xC5\xC8\xFD/book.xlsx");
        QTest::newRow("posix/UTF-8 locale")
            << posix << QByteArray("UTF-8") << "/tmp/照片 备份/book.xlsx"
            << QByteArray("/tmp/\xE7\x85\xA7\xE7\x89\x87 \xE5\xA4\x87\xE4\xBB\xBD/book.xlsx");
    }

    void writerFileNames()
    {
        QFETCH(int, system);
        QFETCH(QByteArray, locale);
        QFETCH(QString, path);
        QFETCH(QByteArray, bytes);
        QTextCodec *before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(locale));
        const QByteArray given = Xlsx::writerFileName(path, Xlsx::FileNameSystem(system));
        QTextCodec::setCodecForLocale(before);
        QCOMPARE(given, bytes);
    }

    void excelReplacesAnExistingFile()
    {
        const QString path = dir.filePath("replace.xlsx");
        Receiver receiver;
        QVERIFY(writeExcelRows({{"first"}, {"second"}, {"third"}}, path, &receiver));
        QVERIFY(writeExcelRows({{"only"}}, path, &receiver));
        QCOMPARE(texts(readExcelRows(path, &receiver)), QList<QStringList> {{"only"}});
    }

    void textLines_data()
    {
        QTest::addColumn<ExportRows>("rows");
        QTest::addColumn<QString>("content");
        QTest::newRow("one value per row") << ExportRows {{"a.txt"}, {"b.txt"}} << "a.txt\nb.txt\n";
        QTest::newRow("values joined by a space")
            << ExportRows {{"a b.txt", "/x/a b.txt", "2024/01/02 03:04:05"}}
            << "a b.txt /x/a b.txt 2024/01/02 03:04:05\n";
        QTest::newRow("empty values keep their spaces") << ExportRows {{"", "p", ""}} << " p \n";
        QTest::newRow("chinese") << ExportRows {{"报告.docx"}} << "报告.docx\n";
        QTest::newRow("no rows") << ExportRows {} << "";
    }

    void textLines()
    {
        QFETCH(ExportRows, rows);
        QFETCH(QString, content);
        const QString path = dir.filePath("lines.txt");
        Receiver receiver;
        QVERIFY(writeTextRows(path, {{"a much longer first version of the file"}}, &receiver));
        QVERIFY(writeTextRows(path, rows, &receiver));
        QCOMPARE(readFile(path), content);
        flush();
        QVERIFY(receiver.items.isEmpty());
    }

    void textFailureIsReported()
    {
        const QString path = dir.filePath("missing/out.txt");
        Receiver receiver;
        QVERIFY(!writeTextRows(path, {{"a"}}, &receiver));
        flush();
        QCOMPARE(receiver.messages(), QStringList {saveFailed});
        QVERIFY(!QFileInfo::exists(path));
    }

    void everyWriteReachesItsOwnRequester()
    {
        Receiver excelPage;
        Receiver wordPage;
        Receiver textPage;
        Receiver failingPage;
        const QString excel = dir.filePath("async.xlsx");
        const QString word = dir.filePath("async.docx");
        const QString text = dir.filePath("async.txt");
        // Started back to back: each newer write supersedes the one the watcher followed.
        writeExcelAsync(excel, {{"h"}, {"v"}}, &excelPage);
        writeTextAsync(dir.filePath("missing/x.txt"), {{"v"}}, &failingPage);
        writeWordAsync(word, {{"v"}}, &wordPage);
        writeTextAsync(text, {{"v"}}, &textPage);
        for (Receiver *page : {&excelPage, &wordPage, &textPage, &failingPage})
            QTRY_COMPARE_WITH_TIMEOUT(page->count(rowsType), 1, 60000);
        QThreadPool::globalInstance()->waitForDone();
        flush();
        for (Receiver *page : {&excelPage, &wordPage, &textPage}) {
            QCOMPARE(page->items.size(), 1);
            QVERIFY(page->items.at(0).result);
            QVERIFY(page->items.at(0).list.isEmpty());
        }
        QCOMPARE(failingPage.items.size(), 2);
        QCOMPARE(failingPage.items.at(0).message, saveFailed);
        QCOMPARE(failingPage.items.at(1).type, rowsType);
        QVERIFY(!failingPage.items.at(1).result);
        QVERIFY(QFileInfo::exists(excel) && QFileInfo::exists(word) && QFileInfo::exists(text));
        QTRY_VERIFY_WITH_TIMEOUT(writeWatcher().isFinished(), 60000);
        QVERIFY(writeWatcher().result());
    }

    void writeOutlivesItsRequester()
    {
        auto *page = new Receiver;
        const QString path = dir.filePath("orphan.txt");
        writeTextAsync(path, {{"still written"}}, page);
        writeTextAsync(dir.filePath("missing/orphan.txt"), {{"v"}}, page);
        delete page;
        QThreadPool::globalInstance()->waitForDone();
        flush();
        QCOMPARE(readFile(path), QStringLiteral("still written\n"));
    }
};

int runWriterTests(int argc, char **argv)
{
    TestWriters test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writers.moc"

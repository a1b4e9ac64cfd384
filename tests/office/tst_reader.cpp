#include "OfficeTestSupport.h"

#include "office/ExcelReader.h"
#include "office/Xlsx.h"

#include <xlsxwriter.h>

using namespace OfficeTest;

namespace {

const QString badPackage = QStringLiteral("请确保文件是正确的xlsx格式！");
const QString noSheet = QStringLiteral("请确保第一个sheet表有数据！");

// Lets queued deliveries (worker -> application -> receiver) arrive.
void flush()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// Workbooks from libxlsxwriter, the second independent writer.
bool makeLibxlsxwriterBook(const QString &caseName, const QString &path)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet *first = workbook_add_worksheet(book, "名单");
    if (caseName == "lxw:formulas and numbers") {
        worksheet_write_string(first, 0, 0, "name", nullptr);
        worksheet_write_number(first, 0, 1, 12, nullptr);
        worksheet_write_formula_num(first, 1, 0, "=B1*2", nullptr, 24);
        worksheet_write_formula_str(first, 1, 1, "=\"a\"&\"b\"", nullptr, "ab");
        worksheet_write_boolean(first, 2, 2, 1, nullptr);
    } else if (caseName == "lxw:active third sheet") {
        worksheet_write_string(first, 0, 0, "not this one", nullptr);
        lxw_worksheet *second = workbook_add_worksheet(book, nullptr);
        worksheet_write_string(second, 0, 0, "nor this", nullptr);
        lxw_worksheet *third = workbook_add_worksheet(book, nullptr);
        worksheet_write_string(third, 3, 1, "third sheet", nullptr);
        worksheet_activate(third);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

bool makeAnyBook(const QString &caseName, const QString &path)
{
    if (caseName.startsWith(QLatin1String("lxw:")))
        return makeLibxlsxwriterBook(caseName, path);
    return makeBook(caseName, path);
}

} // namespace

class TestReader : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString bookPath(const QString &name) const
    {
        QString file = name;
        file.replace(QRegularExpression("[^A-Za-z0-9]"), "_");
        return dir.filePath(file + ".xlsx");
    }

private slots:
    void readsRows_data()
    {
        QTest::addColumn<QString>("caseName");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QStringList>("messages");
        using L = QList<QStringList>;
        const QStringList none;

        QTest::newRow("openpyxl/plain")
            << "plain" << L {{"alpha", "beta"}, {"gamma"}, {"delta", "epsilon", "zeta"}} << none;
        QTest::newRow("openpyxl/sparse rows packed")
            << "sparse" << L {{"third column only"}, {}, {"after a gap", "two"}, {}, {"last"}}
            << none;
        QTest::newRow("openpyxl/used range from row 3")
            << "starts at row 3" << L {{}, {}, {"first name"}, {"second name"}} << none;
        QTest::newRow("openpyxl/numbers and booleans as text")
            << "numbers and booleans"
            << L {{"12", "1.5", "-3", "0.1"}, {"true", "false", "text", "1e+20"}} << none;
        QTest::newRow("openpyxl/active sheet")
            << "second sheet active" << L {{"second sheet"}, {"second row"}} << none;
        QTest::newRow("openpyxl/empty sheet") << "empty sheet" << L {} << none;
        QTest::newRow("openpyxl/chinese, spaces, equals sign")
            << "chinese and spaces"
            << L {{"报告 最终版.docx", "  leading and trailing  "}, {"=not a formula"}} << none;
        QTest::newRow("libxlsxwriter/formula cached values")
            << "lxw:formulas and numbers" << L {{"name", "12"}, {"24", "ab"}, {"true"}} << none;
        QTest::newRow("libxlsxwriter/active third sheet")
            << "lxw:active third sheet" << L {{}, {}, {}, {"third sheet"}} << none;
        QTest::newRow("raw/inline, rich text, phonetic hints")
            << "inline and rich text"
            << L {{"inline", "rich ", "漢字"}, {"cached", "#N/A", "2", ""}} << none;
        QTest::newRow("raw/escaped characters")
            << "escaped characters" << L {{"a\tb", "x_x0041_y"}} << none;
        QTest::newRow("raw/cells without references")
            << "rows without references" << L {{"a", "b"}, {"c", "d"}} << none;
        QTest::newRow("raw/out of order, later duplicate wins")
            << "out of order and duplicate" << L {{"0"}, {"1", "3"}} << none;
        QTest::newRow("zip/long entry names")
            << "long entry names" << L {{"alpha", "beta"}, {"gamma"}, {"delta", "epsilon", "zeta"}}
            << none;
        QTest::newRow("raw/declared range ignored")
            << "declared huge range" << L {{"only"}} << none;

        QTest::newRow("no sheet/chart sheet active")
            << "chart sheet active" << L {} << QStringList {noSheet};
        QTest::newRow("no sheet/workbook without sheets")
            << "no sheets" << L {} << QStringList {noSheet};

        const char *broken[]
            = {"not a zip", "empty file", "truncated zip", "missing workbook", "missing worksheet",
                "sheet without relationship", "malformed sheet", "malformed shared strings",
                "shared index out of range", "shared strings missing", "row beyond the grid",
                "bad cell reference", "entity expansion", "inflates past the limit",
                "too many cells", "too many entries", "declared size lies", "damaged data"};
        for (const char *name : broken)
            QTest::newRow(qPrintable(QStringLiteral("broken/") + name))
                << name << L {} << QStringList {badPackage};
    }

    void readsRows()
    {
        QFETCH(QString, caseName);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QStringList, messages);
        const QString path = bookPath(caseName);
        QVERIFY(makeAnyBook(caseName, path));

        Receiver receiver;
        const QList<QVariant> read = readExcelRows(path, &receiver);
        flush();
        QCOMPARE(texts(read), rows);
        QCOMPARE(receiver.messages(), messages);
        for (const QVariant &row : read)
            QCOMPARE(row.userType(), int(QMetaType::QStringList));
    }

    void missingFileIsNotAPackage()
    {
        Receiver receiver;
        QVERIFY(readExcelRows(dir.filePath("nowhere.xlsx"), &receiver).isEmpty());
        flush();
        QCOMPARE(receiver.messages(), QStringList {badPackage});
    }

    void loneCellAtTheGridCornerReadsEveryRow()
    {
        const QString path = bookPath("corner");
        QVERIFY(makeBook("cell at the last row and column", path));
        Receiver receiver;
        const QList<QVariant> rows = readExcelRows(path, &receiver);
        QCOMPARE(rows.size(), Xlsx::maxRows);
        QCOMPARE(rows.first().toStringList(), QStringList {"1"});
        QCOMPARE(rows.last().toStringList(), QStringList {"corner"});
        QVERIFY(rows.at(rows.size() / 2).toStringList().isEmpty());
        flush();
        QVERIFY(receiver.items.isEmpty());
    }

    void documentReportsRangeAndCells()
    {
        const QString path = bookPath("sparse-doc");
        QVERIFY(makeBook("sparse", path));
        Xlsx::Document document(path);
        QVERIFY(document.isLoadPackage());
        const Xlsx::Worksheet *sheet = document.currentWorksheet();
        QVERIFY(sheet);
        const Xlsx::CellRange range = sheet->dimension();
        QCOMPARE(range.firstRow(), 1);
        QCOMPARE(range.firstColumn(), 1);
        QCOMPARE(range.lastRow(), 5);
        QCOMPARE(range.lastColumn(), 3);
        QVERIFY(!sheet->cellAt(1, 1));
        QVERIFY(!sheet->cellAt(6, 1));
        QCOMPARE(sheet->cellAt(1, 3)->value().toString(), QStringLiteral("third column only"));
        QCOMPARE(sheet->cellAt(3, 2)->value().toString(), QStringLiteral("two"));
    }

    void cellReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("A1") << "A1" << 1 << 1;
        QTest::newRow("lower case") << "b3" << 3 << 2;
        QTest::newRow("two letters") << "AA10" << 10 << 27;
        QTest::newRow("grid corner") << "XFD1048576" << 1048576 << 16384;
        QTest::newRow("past last column") << "XFE1" << 0 << 0;
        QTest::newRow("past last row") << "A1048577" << 0 << 0;
        QTest::newRow("row zero") << "A0" << 0 << 0;
        QTest::newRow("no row") << "AB" << 0 << 0;
        QTest::newRow("no column") << "12" << 0 << 0;
        QTest::newRow("four letters") << "AAAA1" << 0 << 0;
        QTest::newRow("huge row digits") << "A99999999999" << 0 << 0;
        QTest::newRow("sign") << "A-1" << 0 << 0;
    }

    void cellReferences()
    {
        QFETCH(QString, reference);
        QFETCH(int, row);
        QFETCH(int, column);
        int r = 0;
        int c = 0;
        const bool ok = Xlsx::parseCellReference(reference, &r, &c);
        QCOMPARE(ok, row > 0);
        if (ok) {
            QCOMPARE(r, row);
            QCOMPARE(c, column);
            QCOMPARE(Xlsx::columnName(c) + QString::number(r), reference.toUpper());
        }
    }

    void failedReadPostsMessageThenEmptyRows()
    {
        const QString path = bookPath("async-broken");
        QVERIFY(makeBook("not a zip", path));
        Receiver receiver;
        readExcelRowsAsync(path, &receiver);
        QTRY_COMPARE_WITH_TIMEOUT(receiver.count(rowsType), 1, 60000);
        QCOMPARE(receiver.items.size(), 2);
        QCOMPARE(receiver.items.at(0).type, messageType);
        QCOMPARE(receiver.items.at(0).message, badPackage);
        QVERIFY(receiver.items.at(1).list.isEmpty());
    }

    void onlyTheNewestReadIsDelivered()
    {
        const QString first = bookPath("async-first");
        const QString second = bookPath("async-second");
        QVERIFY(makeBook("plain", first));
        QVERIFY(makeBook("starts at row 3", second));
        Receiver receiver;
        readExcelRowsAsync(first, &receiver);
        readExcelRowsAsync(second, &receiver);
        QTRY_COMPARE_WITH_TIMEOUT(receiver.count(rowsType), 1, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(rowsWatcher().isFinished(), 60000);
        QThreadPool::globalInstance()->waitForDone();
        flush();
        QCOMPARE(receiver.items.size(), 1);
        QCOMPARE(texts(receiver.items.at(0).list),
            (QList<QStringList> {{}, {}, {"first name"}, {"second name"}}));
    }

    void eachReadReachesItsOwnRequester()
    {
        const QString first = bookPath("own-first");
        const QString second = bookPath("own-second");
        QVERIFY(makeBook("plain", first));
        QVERIFY(makeBook("second sheet active", second));
        Receiver renamePage;
        Receiver creationPage;
        readExcelRowsAsync(first, &renamePage);
        QTRY_COMPARE_WITH_TIMEOUT(renamePage.count(rowsType), 1, 60000);
        readExcelRowsAsync(second, &creationPage);
        QTRY_COMPARE_WITH_TIMEOUT(creationPage.count(rowsType), 1, 60000);
        flush();
        QCOMPARE(renamePage.items.size(), 1);
        QCOMPARE(creationPage.items.size(), 1);
        QCOMPARE(renamePage.items.at(0).list.size(), 3);
        QCOMPARE(texts(creationPage.items.at(0).list),
            (QList<QStringList> {{"second sheet"}, {"second row"}}));
    }

    void supersededRequesterStillHearsItsFailure()
    {
        const QString broken = bookPath("superseded-broken");
        const QString good = bookPath("superseded-good");
        QVERIFY(makeBook("truncated zip", broken));
        QVERIFY(makeBook("plain", good));
        Receiver first;
        Receiver second;
        readExcelRowsAsync(broken, &first);
        readExcelRowsAsync(good, &second);
        QTRY_COMPARE_WITH_TIMEOUT(second.count(rowsType), 1, 60000);
        QThreadPool::globalInstance()->waitForDone();
        flush();
        QCOMPARE(first.messages(), QStringList {badPackage});
        QCOMPARE(first.count(rowsType), 0);
        QCOMPARE(second.items.size(), 1);
    }

    void receiverGoneBeforeDelivery()
    {
        const QString broken = bookPath("gone-broken");
        QVERIFY(makeBook("malformed sheet", broken));
        auto *receiver = new Receiver;
        readExcelRowsAsync(broken, receiver);
        delete receiver;
        QThreadPool::globalInstance()->waitForDone();
        flush();
        QTRY_VERIFY_WITH_TIMEOUT(rowsWatcher().isFinished(), 60000);
        // Reaching here without a crash (and clean under ASan) is the point.
        Receiver next;
        QVERIFY(makeBook("plain", bookPath("gone-next")));
        readExcelRowsAsync(bookPath("gone-next"), &next);
        QTRY_COMPARE_WITH_TIMEOUT(next.count(rowsType), 1, 60000);
    }
};

int runReaderTests(int argc, char **argv)
{
    TestReader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reader.moc"

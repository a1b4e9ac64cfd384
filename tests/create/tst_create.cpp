// The batch creation page, driven as a user drives it: the two rule editors, the list, the
// start and reset buttons, and what lands on disk, read back by readers that are not ours.
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateFileEmpty.h"
#include "create/CreateFilePage.h"
#include "create/CreateFilePageWidget.h"
#include "create/CreateFilePropertyWidget.h"
#include "create/CreateRun.h"
#include "create/CreateSettings.h"
#include "create/CustormCreate.h"
#include "create/ImportCreate.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "tests/support/LinuxTools.h"
#include "tests/support/WhenModalOpens.h"
#include "widgets/CustormCheckBox.h"
#include "widgets/StyledButtons.h"
#include "widgets/StyledInputs.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Records what reaches the bus under the keys a user sees.
class BusRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList messages;
    int capacityNotices = 0;

public slots:
    void onPropertyValueChanged(const QString &valueName, const QString &, const QVariant &value)
    {
        if (valueName == QLatin1String(Topic::MessageErrorTip))
            messages << value.toString();
        else if (valueName == QLatin1String(Topic::AppCompacityLimit))
            ++capacityNotices;
    }
};

// Answers the next modal dialog (a file dialog) with path.
void answerFileDialog(const QString &path)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        chooseInFileDialog(dialog, path);
    });
    timer->start();
}

bool python(const QStringList &arguments)
{
    const ToolRun run = runLinuxTool(QStringLiteral("/usr/bin/python3"), arguments);
    if (!run.ok())
        qWarning().noquote() << run.error << run.err << run.out;
    return run.ok();
}

// A workbook whose rows hold the given cells (null: no cell), written by openpyxl.
bool makeWorkbook(const QString &path, const QJsonArray &rows)
{
    static const char script[] = "import json,sys,openpyxl\n"
                                 "wb=openpyxl.Workbook(); ws=wb.active\n"
                                 "for r,row in enumerate(json.load(open(sys.argv[2])),1):\n"
                                 "  for c,v in enumerate(row,1):\n"
                                 "    if v is not None: ws.cell(row=r,column=c,value=v)\n"
                                 "wb.save(sys.argv[1])\n";
    QFile json(path + QStringLiteral(".json"));
    if (!json.open(QIODevice::WriteOnly))
        return false;
    json.write(QJsonDocument(rows).toJson());
    json.close();
    return python({QStringLiteral("-c"), QString::fromLatin1(script), path, json.fileName()});
}

QJsonArray column(const QStringList &names)
{
    QJsonArray rows;
    for (const QString &n : names)
        rows.append(QJsonArray {n});
    return rows;
}

QStringList listing(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

class TestCreate : public QObject
{
    Q_OBJECT

    CreateFilePage *page = nullptr;
    BusRecorder *recorder = nullptr;
    QTemporaryDir *dir = nullptr;
    QTemporaryDir home;

    CreateFilePropertyWidget *panel() const { return page->propertyWidget(); }
    CreateFileEmpty *list() const { return page->pageWidget()->list(); }
    CustormCreate *custom() const { return panel()->customEditor(); }
    ImportCreate *import() const { return panel()->importEditor(); }
    template<class T = QWidget> T *child(QWidget *root, const char *name) const
    {
        T *found = root->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning() << "no" << name;
        return found;
    }
    void click(QWidget *root, const char *name) const
    {
        auto *button = child<QAbstractButton>(root, name);
        QVERIFY(button && button->isEnabled());
        button->click();
    }
    void flip(QWidget *root, const char *name) const
    {
        child<CustormCheckBox>(root, name)->findChild<QCheckBox *>()->click();
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < list()->table()->rowCount(); ++r)
            texts << list()->table()->item(r, c)->text();
        return texts;
    }
    QList<int> rowStates() const { return list()->currentSettings().states; }
    QStringList shownStates() const
    {
        QStringList texts;
        for (int r = 0; r < list()->table()->rowCount(); ++r)
            texts << qobject_cast<QLabel *>(list()->table()->cellWidget(r, 2))->text();
        return texts;
    }
    void chooseTarget(QWidget *editor, const QString &target)
    {
        answerFileDialog(target);
        click(editor, "openPathBtn");
    }
    void chooseWorkbook(const QString &book)
    {
        answerFileDialog(book);
        click(import(), import()->workbookPath().isEmpty() ? "importExcelBtn" : "changeExcelBtn");
    }
    // What a user does to choose a kind: pick it in the box (the custom rule stores the kind
    // on activation only).
    void chooseKind(QWidget *editor, int kind)
    {
        auto *box = child<QComboBox>(editor, "exportTypeCombox");
        box->setCurrentIndex(kind);
        emit box->activated(kind);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void customNames_data();
    void customNames();
    void listFollowsTabsAndRules();
    void importNames_data();
    void importNames();
    void run_data();
    void run();
    void unsafeNamesFromWorkbook_data();
    void unsafeNamesFromWorkbook();
    void kindsOpenInTheirReaders_data();
    void kindsOpenInTheirReaders();
    void takenWhileRunning_data();
    void takenWhileRunning();
    void resetRestoresEveryControl();
    void resetForgetsAPendingRead();
    void committedTemplatesAreGenerated();
    void templatesConvertInLibreOffice_data();
    void templatesConvertInLibreOffice();
};

void TestCreate::initTestCase()
{
    // The rules start on the desktop: let that be a folder of the test's own.
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
#ifndef Q_OS_WIN
    QVERIFY(desktop().startsWith(home.path()));
#endif // Windows asks the shell, whose desktop under Wine is the test prefix's own
    QVERIFY(QDir().mkpath(desktop()));
}

void TestCreate::init()
{
    QVERIFY(QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR)));
    dir = new QTemporaryDir;
    recorder = new BusRecorder;
    for (const char *key : {Topic::MessageErrorTip, Topic::AppCompacityLimit})
        CNvGlobalObserver::instance()->registerObserver(
            QString::fromLatin1(key), QString(), recorder, QUORVEX_BUS_SLOT);
    page = new CreateFilePage;
    page->resize(1316, 700);
    page->show();
}

void TestCreate::cleanup()
{
    delete page;
    for (const char *key : {Topic::MessageErrorTip, Topic::AppCompacityLimit})
        CNvGlobalObserver::instance()->unregisterObserver(
            QString::fromLatin1(key), QString(), recorder);
    delete recorder;
    delete dir;
    resetCreateSettings(*customCreateSettings());
    resetCreateSettings(*importCreateSettings());
}

void TestCreate::customNames_data()
{
    // Steps: "count=N", "name=T", "click=button", "<spin box>=value", "<combo box>#index".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected"); // patterns; {today:FORMAT} is today's date
    QTest::newRow("报告/number behind, two digits") << QStringList {"count=3", "name=报告",
        "click=lastBtn", "startNumberSpinBox=1", "incrementNumberSpinBox=1", "numberCountSpinBox=2"}
                                                    << QStringList {"报告01", "报告02", "报告03"};
    QTest::newRow("defaults/increment 0")
        << QStringList {"count=3"} << QStringList {"0新建文件", "0新建文件", "0新建文件"};
    QTest::newRow("letters/y wraps to a") << QStringList {"count=3", "click=charBtn",
        "startCharSpinBox=34"} << QStringList {"y新建文件", "z新建文件", "a新建文件"};
    QTest::newRow("custom position/after 2") << QStringList {"count=2", "name=ab",
        "click=custormPosBtn", "numberBehindCountSpinBox=2", "incrementNumberSpinBox=1"}
                                             << QStringList {"ab0", "ab1"};
    QTest::newRow("custom position/padded to 5")
        << QStringList {"count=1", "name=ab", "click=custormPosBtn", "numberBehindCountSpinBox=5"}
        << QStringList {"ab   0"};
    QTest::newRow("name as typed/not trimmed")
        << QStringList {"count=1", "name= x "} << QStringList {"0 x "};
    QTest::newRow("time/always now, whatever the time type")
        << QStringList {"count=2", "click=timeBtn", "timeTypeComboBox#2", "timeStyleComboBox#2"}
        << QStringList {"{today:yyyyMMdd}新建文件", "{today:yyyyMMdd}新建文件"};
    QTest::newRow("random/letters of the length asked")
        << QStringList {"count=2", "click=randomBtn", "randomRuleComboBox#1", "charCountSpinBox=6"}
        << QStringList {"[A-Za-z]{6}新建文件", "[A-Za-z]{6}新建文件"};
    QTest::newRow("count 0/nothing") << QStringList {"count=2", "count=0"} << QStringList {};
}

void TestCreate::customNames()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    click(panel(), "custormBtn");
    for (const QString &step : steps) {
        const int eq = step.indexOf('='), hash = step.indexOf('#');
        const QString key = step.left(eq >= 0 ? eq : hash);
        const QString value = step.mid((eq >= 0 ? eq : hash) + 1);
        if (key == "count")
            child<QSpinBox>(custom(), "createCountSpinBox")->setValue(value.toInt());
        else if (key == "name")
            child<QLineEdit>(custom(), "createNamelineEdit")->setText(value);
        else if (key == "click")
            click(custom(), qPrintable(value));
        else if (hash >= 0)
            child<QComboBox>(custom(), qPrintable(key))->setCurrentIndex(value.toInt());
        else
            child<QSpinBox>(custom(), qPrintable(key))->setValue(value.toInt());
    }
    const QStringList shown = column(0);
    QCOMPARE(shown.size(), expected.size());
    for (int i = 0; i < shown.size(); ++i) {
        QString pattern = expected.at(i);
        const QRegularExpression today("\\{today:([^}]*)\\}");
        const auto m = today.match(pattern);
        if (m.hasMatch())
            pattern.replace(m.capturedStart(), m.capturedLength(),
                QDate::currentDate().toString(m.captured(1)));
        QVERIFY2(QRegularExpression("^" + pattern + "$").match(shown.at(i)).hasMatch(),
            qPrintable(shown.at(i) + " vs " + pattern));
        QCOMPARE(list()->table()->item(i, 1)->text(), desktop() + "/" + shown.at(i));
    }
    QCOMPARE(customCreateSettings()->names.size(), expected.size());
    QCOMPARE(customCreateSettings()->states, QList<int>(QVector<int>(expected.size(), 0).toList()));
    // the start button comes on with the first names and stays on, also for an empty list
    QVERIFY(child<QWidget>(panel(), "setBtn")->isEnabled());
    QCOMPARE(child<QWidget>(list(), "emptyList")->isVisible(), expected.isEmpty());
}

void TestCreate::listFollowsTabsAndRules()
{
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(makeWorkbook(book, ::column({"甲", "乙"})));
    QVERIFY(!child<QWidget>(panel(), "setBtn")->isEnabled());
    QVERIFY(child<QWidget>(list(), "emptyList")->isVisible());
    QCOMPARE(child<QLabel>(import(), "importTipLabel")->text(),
        QString("文件名填写示例：在表格的第一列输入要重命名的名称，且不要包含以下字符：/:*?") + '"'
            + "<>|");
    chooseWorkbook(book);
    QVERIFY(child<QWidget>(import(), "importExcelBtn")->isHidden());
    QVERIFY(!child<QWidget>(import(), "hasExportExcelwidget")->isHidden());
    QCOMPARE(child<QPushButton>(import(), "replaceExcelLabel")->toolTip(),
        QDir::toNativeSeparators(book));
    QTRY_COMPARE(column(0), QStringList({"甲", "乙"}));

    click(panel(), "custormBtn");
    QCOMPARE(child<QStackedWidget>(panel(), "stackedWidget")->currentWidget(), custom());
    QCOMPARE(column(0), QStringList());
    child<QSpinBox>(custom(), "createCountSpinBox")->setValue(2);
    QCOMPARE(column(0), QStringList({"0新建文件", "0新建文件"}));
    click(panel(), "importBtn");
    QCOMPARE(column(0), QStringList({"甲", "乙"}));

    // a removed row comes back with the rule's next change
    auto *buttons = qobject_cast<OperateWidget *>(list()->table()->cellWidget(0, 3));
    QVERIFY(buttons->openButton()->isHidden() && buttons->sortButton()->isHidden());
    buttons->deleteButton()->click();
    QCOMPARE(column(0), QStringList({"乙"}));
    QCOMPARE(importCreateSettings()->names.size(), 2);
    // the kind's icon follows the type box, which announces at once
    const QImage folderIcon = list()->table()->item(0, 0)->icon().pixmap(24).toImage();
    child<QComboBox>(import(), "exportTypeCombox")->setCurrentIndex(2);
    QCOMPARE(importCreateSettings()->fileType, 2);
    QCOMPARE(column(0), QStringList({"甲", "乙"}));
    QCOMPARE(list()->table()->item(0, 0)->icon().pixmap(24).toImage(),
        QFileIconProvider().icon(QFileInfo("./template/Excel.xlsx")).pixmap(24).toImage());
    QVERIFY(list()->table()->item(0, 0)->icon().pixmap(24).toImage() != folderIcon);

    // the target folder: a cancelled dialog changes nothing, a chosen one shows everywhere
    const QString target = dir->filePath("out");
    QVERIFY(QDir().mkpath(target));
    QTimer::singleShot(50, [] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            d->reject();
    });
    click(import(), "replacePathLabel");
    QCOMPARE(importCreateSettings()->targetDir, desktop());
    chooseTarget(import(), target);
    QCOMPARE(importCreateSettings()->targetDir, target);
    QCOMPARE(child<QToolButton>(import(), "replacePathLabel")->toolTip(),
        QDir::toNativeSeparators(target));
    QCOMPARE(column(1), QStringList({target + "/甲", target + "/乙"}));
    QCOMPARE(customCreateSettings()->targetDir, desktop());
}

void TestCreate::importNames_data()
{
    QTest::addColumn<QString>("book"); // a case of tests/office/make_books.py, or "rows:N"
    QTest::addColumn<QJsonArray>("rows"); // else: the rows to write
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("capacityNotices");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("header row/a name too")
        << "" << ::column({"名单", "甲", "乙"}) << 3 << QStringList {"名单", "甲", "乙"} << 0
        << QStringList {};
    QTest::newRow("first existing cell/rows without cells skipped")
        << "sparse" << QJsonArray() << 3 << QStringList {"third column only", "after a gap", "last"}
        << 0 << QStringList {};
    QTest::newRow("first cell only/duplicates kept")
        << ""
        << QJsonArray {QJsonArray {"a", "x"}, QJsonArray {"a"}, QJsonArray {QJsonValue(), "b"}} << 3
        << QStringList {"a", "a", "b"} << 0 << QStringList {};
    QTest::newRow("3500 rows/3000 names, one notice")
        << "rows:3500" << QJsonArray() << 3000 << QStringList {"n1", "n2"} << 1 << QStringList {};
    QTest::newRow("3000 rows/all kept, no notice")
        << "rows:3000" << QJsonArray() << 3000 << QStringList {"n1"} << 0 << QStringList {};
    QTest::newRow("not a workbook/the reader's message, no names")
        << "not a zip" << QJsonArray() << 0 << QStringList {} << 0
        << QStringList {"请确保文件是正确的xlsx格式！"};
}

void TestCreate::importNames()
{
    QFETCH(QString, book);
    QFETCH(QJsonArray, rows);
    QFETCH(int, count);
    QFETCH(QStringList, first);
    QFETCH(int, capacityNotices);
    QFETCH(QStringList, messages);
    const QString path = dir->filePath("book.xlsx");
    if (book.startsWith("rows:")) {
        for (int i = 1; i <= book.mid(5).toInt(); ++i)
            rows.append(QJsonArray {QStringLiteral("n%1").arg(i)});
        QVERIFY(makeWorkbook(path, rows));
    } else if (!book.isEmpty()) {
        QVERIFY(
            python({QStringLiteral(QUORVEX_SOURCE_DIR "/tests/office/make_books.py"), book, path}));
    } else {
        QVERIFY(makeWorkbook(path, rows));
    }
    // names from before must go, whatever the new book holds
    QVERIFY(makeWorkbook(dir->filePath("old.xlsx"), ::column({"old"})));
    chooseWorkbook(dir->filePath("old.xlsx"));
    QTRY_COMPARE(column(0), QStringList({"old"}));

    chooseWorkbook(path);
    QTRY_VERIFY(column(0) != QStringList({"old"}));
    QTest::qWait(50); // a capacity notice or message comes before the rows
    QCOMPARE(importCreateSettings()->names.size(), count);
    QCOMPARE(list()->entryCount(), count);
    QCOMPARE(column(0).mid(0, first.size()), first);
    if (count == 3000)
        QCOMPARE(column(0).last(), QString("n3000"));
    QCOMPARE(recorder->capacityNotices, capacityNotices);
    QCOMPARE(recorder->messages, messages);
    QVERIFY(importCreateSettings()->autoResolve);
}

void TestCreate::run_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("resolve");
    QTest::addColumn<QStringList>("existing"); // "x/" a folder, "x" a file
    QTest::addColumn<QString>("templates"); // "runtime" or "none"
    QTest::addColumn<QStringList>("after"); // the target folder afterwards
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<QStringList>("messages"); // %1: the target folder
    QTest::addColumn<QStringList>("marks"); // each name cell's tooltip before the run
    const QString copy = "请确认文件“%1/%2”路径拥有权限";
    const QString mkdir = "创建文件“%1/%2”失败，请确认权限";
    const QStringList aba {"a", "b", "a"};
    const QString as = "将命名为“%1”", taken = "与已有文件重名，将不会创建";
    const QString kept = "文件夹已存在，将保留原文件夹", noTemplate = "找不到模板文件，将不会创建";
    const QString y250(250, 'y');
#ifdef Q_OS_WIN
    // Windows counts a name in UTF-16 units, and its full paths stop at 260 before that
    const QString tooLong = "名称不可用：超过255个字符",
                  numberTooLong = "名称不可用：完整路径超过260个字符", numbered = y250 + ".txt";
#else
    const QString tooLong = "名称不可用：超过255字节", numberTooLong = tooLong,
                  numbered = y250 + "(1).txt";
#endif
    QTest::newRow("word/a b a resolved")
        << 1 << aba << true << QStringList() << "runtime"
        << QStringList {"a(1).docx", "a.docx", "b.docx"} << QList<int> {1, 1, 1} << QStringList()
        << QStringList {"", "", as.arg("a(1).docx")};
    QTest::newRow("word/a b a unresolved")
        << 1 << aba << false << QStringList() << "runtime" << QStringList {"a.docx", "b.docx"}
        << QList<int> {1, 1, 2} << QStringList {copy.arg("%1", "a.docx")}
        << QStringList {"", "", taken};
    QTest::newRow("word/never over an existing file")
        << 1 << QStringList {"a"} << false << QStringList {"a.docx"} << "runtime"
        << QStringList {"a.docx"} << QList<int> {2} << QStringList {copy.arg("%1", "a.docx")}
        << QStringList {taken};
    QTest::newRow("text/resolved past taken names")
        << 5 << QStringList {"t"} << true << QStringList {"t.txt", "t(1).txt"} << "runtime"
        << QStringList {"t(1).txt", "t(2).txt", "t.txt"} << QList<int> {1} << QStringList()
        << QStringList {as.arg("t(2).txt")};
    QTest::newRow("word/one name again and again, past a gap")
        << 1 << QStringList {"a", "a", "a", "a"} << true << QStringList {"a(2).docx"} << "runtime"
        << QStringList {"a(1).docx", "a(2).docx", "a(3).docx", "a(4).docx", "a.docx"}
        << QList<int> {1, 1, 1, 1} << QStringList()
        << QStringList {"", as.arg("a(1).docx"), as.arg("a(3).docx"), as.arg("a(4).docx")};
    QTest::newRow("folder/x made")
        << 0 << QStringList {"x"} << true << QStringList() << "none" << QStringList {"x"}
        << QList<int> {1} << QStringList() << QStringList {""};
    QTest::newRow("folder/existing kept, no message")
        << 0 << QStringList {"x"} << false << QStringList {"x/"} << "runtime" << QStringList {"x"}
        << QList<int> {0} << QStringList() << QStringList {kept};
    QTest::newRow("folder/existing resolved to x(1)")
        << 0 << QStringList {"x", "x"} << true << QStringList {"x/"} << "runtime"
        << QStringList {"x", "x(1)", "x(2)"} << QList<int> {1, 1} << QStringList()
        << QStringList {as.arg("x(1)"), as.arg("x(2)")};
    QTest::newRow("folder/a file in the way")
        << 0 << QStringList {"x"} << false << QStringList {"x"} << "runtime" << QStringList {"x"}
        << QList<int> {2} << QStringList {mkdir.arg("%1", "x")} << QStringList {taken};
    QTest::newRow("word/missing template, nothing made")
        << 1 << QStringList {"a", "b"} << true << QStringList() << "none" << QStringList()
        << QList<int> {2, 2} << QStringList {copy.arg("%1", "a.docx"), copy.arg("%1", "b.docx")}
        << QStringList {noTemplate, noTemplate};
    QTest::newRow("word/missing template, failed rows take no number")
        << 1 << aba << true << QStringList() << "none" << QStringList() << QList<int> {2, 2, 2}
        << QStringList {copy.arg("%1", "a.docx"), copy.arg("%1", "b.docx"),
               copy.arg("%1", "a.docx")}
        << QStringList {noTemplate, noTemplate, noTemplate};
    QTest::newRow("text/a name of 256 bytes")
        << 5 << QStringList {QString(252, 'x'), "b"} << true << QStringList() << "runtime"
        << QStringList {"b.txt"} << QList<int> {2, 1}
        << QStringList {copy.arg("%1", QString(252, 'x') + ".txt")} << QStringList {tooLong, ""};
    QTest::newRow("text/the number makes it too long")
        << 5 << QStringList {y250} << true << QStringList {y250 + ".txt"} << "runtime"
        << QStringList {y250 + ".txt"} << QList<int> {2} << QStringList {copy.arg("%1", numbered)}
        << QStringList {numberTooLong};
    QTest::newRow("folder/a separator, then a free name")
        << 0 << QStringList {"a/b", "a"} << false << QStringList() << "runtime" << QStringList {"a"}
        << QList<int> {2, 1} << QStringList {mkdir.arg("%1", "a/b")}
        << QStringList {"名称不可用：含有路径分隔符“/”", ""};
}

void TestCreate::run()
{
    QFETCH(int, kind);
    QFETCH(QStringList, names);
    QFETCH(bool, resolve);
    QFETCH(QStringList, existing);
    QFETCH(QString, templates);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, states);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, marks);
    const QString target = dir->filePath("target");
    QVERIFY(QDir().mkpath(target));
    for (const QString &e : existing) {
        if (e.endsWith('/'))
            QVERIFY(QDir(target).mkdir(e.chopped(1)));
        else
            QVERIFY(QFile(target + "/" + e).open(QIODevice::WriteOnly));
    }
    if (templates == "none")
        QVERIFY(QDir::setCurrent(dir->path()));

    // The names as the custom rule would hold them, announced on the bus; the kind, the folder
    // and the switch through the editor's widgets.
    click(panel(), "custormBtn");
    chooseKind(custom(), kind);
    chooseTarget(custom(), target);
    if (!resolve)
        flip(custom(), "autoNameErrorCheck");
    QCOMPARE(customCreateSettings()->autoResolve, resolve);
    customCreateSettings()->names.clear();
    for (const QString &n : names)
        customCreateSettings()->names.append({n, QUuid::createUuid().toString()});
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(Topic::CustomCreateExcelRename),
        QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
    QCOMPARE(column(0), names);
    QStringList tips;
    for (int r = 0; r < names.size(); ++r) {
        const QTableWidgetItem *cell = list()->table()->item(r, 0);
        tips << cell->toolTip();
        // a cell the run fails is red, and only such a cell
        QCOMPARE(cell->foreground().color() == QColor(0xFF6B6B), states.at(r) == 2);
    }
    QCOMPARE(tips, marks);

    click(panel(), "setBtn");
    QCOMPARE(listing(target), after);
    QCOMPARE(rowStates(), states);
    QStringList texts;
    for (int s : states)
        texts << entryStateText(s);
    QCOMPARE(shownStates(), texts);
    for (QString &m : messages)
        m = m.arg(target);
    QCOMPARE(recorder->messages, messages);
    // the rows keep the paths without extension; the rule's next announcement makes them
    // pending again
    QStringList paths;
    for (const QString &n : names)
        paths << target + "/" + n;
    QCOMPARE(column(1), paths);
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(Topic::CustomCreateExcelRename),
        QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
    QCOMPARE(rowStates(), QList<int>(QVector<int>(names.size(), 0).toList()));
}

void TestCreate::unsafeNamesFromWorkbook_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("message"); // %1: the refused path
    QTest::newRow("Word") << 1 << "ok.docx"
                          << "请确认文件“%1.docx”路径拥有权限";
    QTest::newRow("folder") << 0 << "ok"
                            << "创建文件“%1”失败，请确认权限";
}

// Names that would leave the target folder fail their rows, and nothing is made anywhere else,
// although every path they name could be made.
void TestCreate::unsafeNamesFromWorkbook()
{
    QFETCH(int, kind);
    QFETCH(QString, made);
    QFETCH(QString, message);
    const QString target = dir->filePath("target");
    QVERIFY(QDir().mkpath(target + "/a"));
    const QString book = dir->filePath("names.xlsx");
    const QStringList names {"../x", "a/b", "..", ".", "a\\c", "ok"};
    QVERIFY(makeWorkbook(book, ::column(names)));
    chooseWorkbook(book);
    QTRY_COMPARE(column(0), names);
    child<QComboBox>(import(), "exportTypeCombox")->setCurrentIndex(kind);
    chooseTarget(import(), target);
    const QStringList outside = listing(dir->path());
    click(panel(), "setBtn");
    QCOMPARE(rowStates(), QList<int>({2, 2, 2, 2, 2, 1}));
    QCOMPARE(listing(target), QStringList({"a", made}));
    QCOMPARE(listing(target + "/a"), QStringList());
    QCOMPARE(listing(dir->path()), outside);
    QCOMPARE(recorder->messages.size(), 5);
    QCOMPARE(recorder->messages.first(), message.arg(target + "/../x"));
}

void TestCreate::kindsOpenInTheirReaders_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("found");
    QTest::newRow("folder") << 0 << "新建"
                            << "folder"
                            << "empty folder";
    QTest::newRow("Word") << 1 << "新建.docx"
                          << "docx"
                          << "docx paragraphs=1 text=''";
    QTest::newRow("Excel") << 2 << "新建.xlsx"
                           << "xlsx"
                           << "xlsx sheets=1 cells=0";
    QTest::newRow("PowerPoint") << 3 << "新建.pptx"
                                << "pptx"
                                << "pptx masters=1 slides=1";
    QTest::newRow("PDF") << 4 << "新建.pdf"
                         << "pdf"
                         << "pdf pages=1";
    QTest::newRow("text") << 5 << "新建.txt"
                          << "txt"
                          << "txt text=''";
}

// Through the import rule, from templates that are read-only and old: what is made is an
// ordinary new document of its kind.
void TestCreate::kindsOpenInTheirReaders()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QString, reader);
    QFETCH(QString, found);
    const QString work = dir->filePath("work");
    QVERIFY(QDir().mkpath(work + "/template"));
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
    for (const QString &t : {"Word.docx", "Excel.xlsx", "PPT.pptx", "PDF.pdf", "Txt.txt"}) {
        const QString copy = work + "/template/" + t;
        QVERIFY(QFile::copy(QStringLiteral(QUORVEX_RUNTIME_DIR "/template/") + t, copy));
        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    QVERIFY(QDir(work + "/template").mkdir("folder"));
    QVERIFY(QDir::setCurrent(work));

    const QString target = dir->filePath("out");
    QVERIFY(QDir().mkpath(target));
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(makeWorkbook(book, ::column({"新建"})));
    chooseWorkbook(book);
    QTRY_COMPARE(column(0), QStringList({"新建"}));
    child<QComboBox>(import(), "exportTypeCombox")->setCurrentIndex(kind);
    chooseTarget(import(), target);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    click(panel(), "setBtn");
    QCOMPARE(recorder->messages, QStringList());
    QCOMPARE(listing(target), QStringList({file}));
    const QString made = target + "/" + file;
    const QFileInfo info(made);
    QVERIFY(info.permissions() & QFileDevice::WriteOwner);
    QVERIFY2(info.lastModified() >= before, qPrintable(info.lastModified().toString()));

    const ToolRun run = runLinuxTool("/usr/bin/python3",
        {QStringLiteral(QUORVEX_TEST_DATA_DIR "/read_document.py"), reader, made});
    QCOMPARE(QString::fromUtf8(run.out).trimmed(), found);
    QVERIFY2(run.ok(), qPrintable(run.error + run.err));
}

void TestCreate::takenWhileRunning_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("resolve");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("outcome");
    QTest::newRow("file/next free name")
        << 1 << true << QStringList {"a(1).docx", "a.docx"} << int(CreateOutcome::Created);
    QTest::newRow("file/fails, intruder kept")
        << 1 << false << QStringList {"a.docx"} << int(CreateOutcome::Failed);
    QTest::newRow("folder/next free name")
        << 0 << true << QStringList {"a", "a(1)"} << int(CreateOutcome::Created);
    QTest::newRow("folder/left as it is")
        << 0 << false << QStringList {"a"} << int(CreateOutcome::Existing);
}

// Another program takes the chosen name just before it is made: never an overwrite.
void TestCreate::takenWhileRunning()
{
    QFETCH(int, kind);
    QFETCH(bool, resolve);
    QFETCH(QStringList, after);
    QFETCH(int, outcome);
    CreateSettings s;
    s.fileType = kind;
    s.targetDir = dir->path();
    s.autoResolve = resolve;
    s.names = {{"a", QUuid::createUuid().toString()}};
    const QString taken = dir->filePath(kind ? "a.docx" : "a");
    setBeforeMakeHook([&taken](const QString &target) {
        if (target != taken || QFileInfo::exists(taken))
            return;
        if (taken.endsWith(".docx")) {
            QFile f(taken);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("theirs") == 6);
        } else {
            QVERIFY(QDir().mkdir(taken) && QFile(taken + "/theirs").open(QIODevice::WriteOnly));
        }
    });
    const QVector<CreateOutcome> outcomes = runCreate(s);
    setBeforeMakeHook({});
    QCOMPARE(int(outcomes.first().kind), outcome);
    QCOMPARE(listing(dir->path()), after);
    if (kind) {
        QFile f(taken);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("theirs"));
    } else {
        QCOMPARE(listing(taken), QStringList({"theirs"}));
    }
}

void TestCreate::resetRestoresEveryControl()
{
    QTest::qWait(1100); // the panel records its defaults a second after it is built
    QWidget *editors[] = {custom(), import()};
    // What each control shows, keyed by object name.
    const auto snapshot = [&editors] {
        QMap<QString, QVariant> values;
        for (QWidget *editor : editors) {
            const QString e = editor->objectName() + "/";
            for (auto *w : editor->findChildren<CustormSpinBox *>())
                values[e + w->objectName()] = w->value();
            for (auto *w : editor->findChildren<CustormCombox *>())
                values[e + w->objectName()] = w->currentIndex();
            for (auto *w : editor->findChildren<QLineEdit *>())
                if (!qobject_cast<QAbstractSpinBox *>(w->parentWidget())
                    && !qobject_cast<QComboBox *>(w->parentWidget()))
                    values[e + w->objectName()] = w->text();
            for (auto *w : editor->findChildren<BluePushBtn *>())
                values[e + w->objectName()] = w->isChecked();
            for (auto *w : editor->findChildren<CustormCheckBox *>())
                values[e + w->objectName()] = w->isChecked();
            for (auto *w : editor->findChildren<QStackedWidget *>())
                values[e + w->objectName()] = w->currentWidget()->objectName();
            for (const char *name : {"replacePathLabel", "replaceExcelLabel"})
                if (auto *b = editor->findChild<QAbstractButton *>(name))
                    values[e + name] = b->toolTip(); // the whole path; the text is shortened
            for (const char *name : {"custormPosWidget", "hasExportExcelwidget", "importExcelBtn"})
                if (auto *w = editor->findChild<QWidget *>(name))
                    values[e + name + "/visible"] = !w->isHidden();
        }
        return values;
    };
    const QMap<QString, QVariant> before = snapshot();
    QVERIFY(before.size() > 25);

    // Change every control, as a user would.
    const QString target = dir->filePath("elsewhere");
    QVERIFY(QDir().mkpath(target));
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(makeWorkbook(book, ::column({"甲"})));
    chooseWorkbook(book);
    QTRY_COMPARE(importCreateSettings()->names.size(), 1);
    click(panel(), "custormBtn");
    for (QWidget *editor : editors) {
        chooseTarget(editor, target);
        chooseKind(editor, 4);
        for (auto *w : editor->findChildren<CustormSpinBox *>())
            w->setValue(w->value() == w->maximum() ? w->minimum() : w->value() + 1);
        for (auto *w : editor->findChildren<CustormCombox *>())
            w->setCurrentIndex(w->count() - 1);
    }
    child<QLineEdit>(custom(), "createNamelineEdit")->setText("changed");
    flip(custom(), "autoNameErrorCheck");
    click(custom(), "custormPosBtn");
    click(custom(), "randomBtn");
    const QMap<QString, QVariant> changed = snapshot();
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        // every control but the unchosen option buttons shows something else now
        if (!it.key().endsWith("Btn") || it.value().toBool())
            QVERIFY2(changed.value(it.key()) != it.value(), qPrintable(it.key()));
    }
    QCOMPARE(customCreateSettings()->fileType, 4);
    QVERIFY(!customCreateSettings()->autoResolve);
    QVERIFY(!customCreateSettings()->names.isEmpty());

    click(panel(), "resetBtn");
    const QMap<QString, QVariant> after = snapshot();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(),
            qPrintable(it.key() + ": " + after.value(it.key()).toString()));
    for (CreateSettings *record : {customCreateSettings(), importCreateSettings()}) {
        QCOMPARE(record->fileType, 0);
        QCOMPARE(record->targetDir, desktop());
        QVERIFY(record->names.isEmpty() && record->states.isEmpty());
        QVERIFY(record->autoResolve);
    }
    QVERIFY(import()->workbookPath().isEmpty());
    QCOMPARE(list()->entryCount(), 0);
    QVERIFY(child<QWidget>(list(), "emptyList")->isVisible());
    // the members are back too: numbering in front, by number, from the restored controls
    child<QSpinBox>(custom(), "createCountSpinBox")->setValue(2);
    QCOMPARE(column(0), QStringList({"0新建文件", "0新建文件"}));
    QCOMPARE(column(1).first(), desktop() + "/0新建文件");
}

// The rows of a workbook still being read when the user resets do not come back afterwards.
void TestCreate::resetForgetsAPendingRead()
{
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(makeWorkbook(book, ::column({"late"})));
    chooseWorkbook(book); // the rows arrive through the event loop, after the reset below
    click(panel(), "resetBtn");
    QTest::qWait(500);
    QVERIFY(importCreateSettings()->names.isEmpty());
    QCOMPARE(list()->entryCount(), 0);
    QVERIFY(import()->workbookPath().isEmpty());
}

void TestCreate::committedTemplatesAreGenerated()
{
    QVERIFY(python({QStringLiteral(QUORVEX_SOURCE_DIR "/tools/gen_templates.py"), dir->path()}));
    QVERIFY(QFileInfo(dir->filePath("folder")).isDir());
    QVERIFY(QFileInfo(QStringLiteral(QUORVEX_RUNTIME_DIR "/template/folder")).isDir());
    for (int kind = 1; kind < CreateKinds::count; ++kind) {
        const QString name = QFileInfo(CreateKinds::templatePath(kind)).fileName();
        QFile made(dir->filePath(name));
        QFile committed(QStringLiteral(QUORVEX_SOURCE_DIR "/resources/template/") + name);
        QFile laidOut(QStringLiteral(QUORVEX_RUNTIME_DIR "/template/") + name);
        QVERIFY(made.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly)
            && laidOut.open(QIODevice::ReadOnly));
        const QByteArray bytes = made.readAll();
        QVERIFY2(!bytes.isEmpty(), qPrintable(name));
        QVERIFY2(bytes == committed.readAll(),
            qPrintable(
                "resources/template/" + name + " differs from what tools/gen_templates.py makes"));
        QVERIFY2(
            bytes == laidOut.readAll(), qPrintable("the run-time copy of " + name + " is stale"));
    }
}

void TestCreate::templatesConvertInLibreOffice_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Word.docx", "Excel.xlsx", "PPT.pptx", "PDF.pdf", "Txt.txt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Where LibreOffice is installed, it reads each template as a document of its kind.
void TestCreate::templatesConvertInLibreOffice()
{
    QFETCH(QString, name);
    QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed: the templates are not converted");
    const QString source = QStringLiteral(QUORVEX_RUNTIME_DIR "/template/") + name;
    // The PDF is converted to an image, every other kind to a PDF.
    const QString format = name.endsWith(".pdf") ? "png" : "pdf";
    QProcess p;
    p.start(office,
        {"-env:UserInstallation=file://" + dir->filePath("profile"), "--headless", "--convert-to",
            format, "--outdir", dir->path(), source});
    QVERIFY(p.waitForFinished(180000));
    QCOMPARE(p.exitCode(), 0);
    const QFileInfo out(dir->filePath(QFileInfo(name).completeBaseName() + "." + format));
    QVERIFY2(out.exists() && out.size() > 0, qPrintable(p.readAllStandardError()));
}

QTEST_MAIN(TestCreate)
#include "tst_create.moc"

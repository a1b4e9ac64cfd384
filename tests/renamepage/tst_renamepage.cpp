#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "lists/CustomTabelWidget.h"
#include "lists/OperateWidget.h"
#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"
#include "rename/CustormRename.h"
#include "rename/Delete.h"
#include "rename/FileListWidget.h"
#include "rename/Import.h"
#include "rename/RenamePage.h"
#include "rename/RenamePageWidget.h"
#include "rename/RenamePropertyWidget.h"
#include "rename/RenameRules.h"
#include "rename/Replace.h"
#include "tests/support/LinuxTools.h"
#include "tests/support/PanelControls.h"
#include "tests/support/Photos.h"
#include "widgets/CustormCheckBox.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Records what reaches the bus under the keys it listens to.
class BusRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList log;
    QStringList messages;

public slots:
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value)
    {
        Q_UNUSED(valueObj)
        if (valueName == QLatin1String(Topic::MessageErrorTip))
            messages << value.toString();
        else
            log << valueName;
    }
};

bool writeFile(const QString &path, const QByteArray &content = "x")
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QStringList listing(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// A workbook whose first column holds `names`, written by an independent writer.
bool writeBook(const QString &path, const QStringList &names)
{
    const QString script
        = QStringLiteral("import openpyxl,sys\n"
                         "wb=openpyxl.Workbook(); ws=wb.active\n"
                         "for r,n in enumerate(sys.argv[2:],1): ws.cell(row=r,column=1,value=n)\n"
                         "wb.save(sys.argv[1])\n");
    return runLinuxTool("/usr/bin/python3", QStringList({"-c", script, path}) + names).ok();
}

void click(QAbstractButton *button)
{
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    button->click();
}

// A user's click on a switch (CustormCheckBox emits Checked only for clicks).
void flip(CustormCheckBox *box)
{
    QVERIFY(box);
    auto *inner = box->findChild<QCheckBox *>();
    QVERIFY(inner);
    inner->click();
}

} // namespace

class TestRenamePage : public QObject
{
    Q_OBJECT

    RenamePage *filePage = nullptr;
    RenamePage *folderPage = nullptr;
    BusRecorder *recorder = nullptr;
    QTemporaryDir *dir = nullptr;

    FileListWidget *list(RenamePage *page) const { return page->pageWidget()->fileList(); }
    template<class T> T *child(QWidget *root, const char *name) const
    {
        return root->findChild<T *>(QString::fromLatin1(name));
    }
    CustormRename *customEditor(RenamePage *page) const
    {
        return page->propertyWidget()->customEditor();
    }
    QStringList previews(RenamePage *page) const
    {
        QStringList names;
        for (const RenameEntry *e : list(page)->entryList())
            names << e->newName;
        return names;
    }
    QStringList cells(RenamePage *page, int column) const
    {
        QStringList texts;
        QTableWidget *t = list(page)->table();
        for (int r = 0; r < t->rowCount(); ++r)
            texts << (t->item(r, column) ? t->item(r, column)->text() : QString());
        return texts;
    }
    QStringList addFiles(RenamePage *page, const QString &sub, const QStringList &names)
    {
        QDir(dir->path()).mkpath(sub);
        QStringList paths;
        for (const QString &n : names) {
            const QString path = dir->filePath(sub + QLatin1Char('/') + n);
            if (page->isFolder())
                QDir().mkpath(path);
            else
                writeFile(path, n.toUtf8());
            paths << path;
        }
        list(page)->addPaths(paths);
        return paths;
    }
    // Types `text` into the "新文件名" cell of `row` as a user does: double-click, type, Enter.
    void editCell(RenamePage *page, int row, const QString &text)
    {
        CustomTabelWidget *table = list(page)->table();
        QTableWidgetItem *cell = table->item(row, FileListWidget::NewNameColumn);
        const QPoint centre = table->visualItemRect(cell).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!table->viewport()->findChild<QLineEdit *>()
            || !table->viewport()->findChild<QLineEdit *>()->isVisible());
    }
    void typeName(RenamePage *page, const QString &text)
    {
        auto *edit = child<QTextEdit>(customEditor(page), "fileNameEdit");
        edit->setPlainText(text);
    }

private slots:
    void init();
    void cleanup();
    void startState();
    void customRuleThroughEditor();
    void rulesStayOnTheirPage();
    void startActsOnlyOnItsPage_data();
    void startActsOnlyOnItsPage();
    void importActsOnlyOnItsPage();
    void importFromWorkbook();
    void importedNameTheDiskCannotHold_data();
    void importedNameTheDiskCannotHold();
    void importOfNoWorkbook();
    void handEdit_data();
    void handEdit();
    void handEditByKeyAndEscape();
    void handEditAfterExtensionChange_data();
    void handEditAfterExtensionChange();
    void conflictsAndMessages_data();
    void conflictsAndMessages();
    void refusedNames();
    void missingFile();
    void twoRunsTwoUndos();
    void undoAfterRowsRemovedAndAdded();
    void resetRestoresNumberSequence();
    void namesByCaptureTime_data();
    void namesByCaptureTime();
    void randomNamesAfterRun();
    void deleteEditor();
    void setUpPublishesReplaceOnce();
    void regexInPanel_data();
    void regexInPanel();
    void resetKeepsInsertRowAndForgetsWorkbook();
    void resetRestoresEveryControl_data();
    void resetRestoresEveryControl();
};

void TestRenamePage::init()
{
    RenameRules::resetRecords(false);
    RenameRules::resetRecords(true);
    dir = new QTemporaryDir;
    recorder = new BusRecorder;
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    bus->registerObserver(Topic::MessageErrorTip, QString(), recorder, QUORVEX_BUS_SLOT);
    for (const char *t : {Topic::FileCustomRename, Topic::FileInsertRename,
             Topic::FileReplaceRename, Topic::FileDeleteRename})
        bus->registerObserver(t, Topic::RenameValueUpdate, recorder, QUORVEX_BUS_SLOT);
    // as the main window does: build both, then tell each its kind
    filePage = new RenamePage;
    folderPage = new RenamePage;
    folderPage->setFolder(true);
    filePage->setFolder(false);
    filePage->resize(1300, 700);
    folderPage->resize(1300, 700);
    filePage->show();
    folderPage->show();
    QVERIFY(QTest::qWaitForWindowExposed(filePage));
    recorder->log.clear();
}

void TestRenamePage::cleanup()
{
    delete filePage;
    delete folderPage;
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    bus->unregisterObserver(Topic::MessageErrorTip, QString(), recorder);
    for (const char *t : {Topic::FileCustomRename, Topic::FileInsertRename,
             Topic::FileReplaceRename, Topic::FileDeleteRename})
        bus->unregisterObserver(t, Topic::RenameValueUpdate, recorder);
    delete recorder;
    delete dir;
}

void TestRenamePage::startState()
{
    for (RenamePage *page : {filePage, folderPage}) {
        RenamePropertyWidget *panel = page->propertyWidget();
        QVERIFY(child<QAbstractButton>(panel, "custormBtn")->isChecked());
        QCOMPARE(child<QStackedWidget>(panel, "stackedWidget")->currentWidget()->objectName(),
            QString("custormPage"));
        QVERIFY(!child<QAbstractButton>(panel, "setBtn")->isEnabled());
        auto *undo = child<QAbstractButton>(page->pageWidget(), "undo");
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->property("iconPath").toString(), QString(":/image/disableUndo.svg"));
        QCOMPARE(customEditor(page)->property("ValueName").toString(),
            QString(page->isFolder() ? "FOLDER CUSTOM RENAME" : "FILE CUSTOM RENAME"));
        QCOMPARE(panel->insertEditor()->property("ValueName").toString(),
            QString(page->isFolder() ? "FOLDER INSERT RENAME" : "FILE INSERT RENAME"));
        QCOMPARE(
            child<QAbstractButton>(page->pageWidget(), "addFile")->isHidden(), page->isFolder());
        for (QWidget *editor : {static_cast<QWidget *>(panel->customEditor()),
                 static_cast<QWidget *>(panel->insertEditor()),
                 static_cast<QWidget *>(panel->replaceEditor()),
                 static_cast<QWidget *>(panel->deleteEditor())})
            QCOMPARE(child<QWidget>(editor, "suffixWidget")->isHidden(), page->isFolder());
        QVERIFY(!child<QWidget>(panel->customEditor(), "insertPosWidget")->isVisibleTo(panel));
        QVERIFY(child<QWidget>(panel->insertEditor(), "insertPosWidget")
                    ->isVisibleTo(panel->insertEditor()));
    }
    // the tab switch shows the page of the same name, and changes no preview
    addFiles(filePage, "f", {"a.txt"});
    QVERIFY(child<QAbstractButton>(filePage->propertyWidget(), "setBtn")->isEnabled());
    recorder->log.clear();
    click(child<QAbstractButton>(filePage->propertyWidget(), "replaceBtn"));
    QCOMPARE(child<QStackedWidget>(filePage->propertyWidget(), "stackedWidget")->currentWidget(),
        static_cast<QWidget *>(filePage->propertyWidget()->replaceEditor()));
    click(child<QAbstractButton>(filePage->propertyWidget(), "importBtn"));
    QCOMPARE(child<QStackedWidget>(filePage->propertyWidget(), "stackedWidget")->currentWidget(),
        static_cast<QWidget *>(filePage->propertyWidget()->importEditor()));
    QVERIFY(recorder->log.isEmpty());
    click(child<QAbstractButton>(filePage->pageWidget(), "clearList"));
    QVERIFY(!child<QAbstractButton>(filePage->propertyWidget(), "setBtn")->isEnabled());
}

void TestRenamePage::customRuleThroughEditor()
{
    addFiles(filePage, "f", {"a.jpg", "b.png", "c"});
    CustormRename *editor = customEditor(filePage);
    typeName(filePage, "photo");
    QCOMPARE(RenameRules::fileCustom()->nameText, QString("photo"));
    QCOMPARE(previews(filePage), QStringList({"photo.jpg", "photo.png", "photo"}));
    flip(child<CustormCheckBox>(editor, "numberSetCheck"));
    QVERIFY(child<QWidget>(editor, "numberSettingBackgrounWidget")->isEnabled());
    click(child<QAbstractButton>(editor, "lastBtn"));
    child<QSpinBox>(editor, "startNumberSpinBox")->setValue(1);
    child<QSpinBox>(editor, "incrementNumberSpinBox")->setValue(1);
    child<QSpinBox>(editor, "numberCountSpinBox")->setValue(3);
    QCOMPARE(previews(filePage), QStringList({"photo001.jpg", "photo002.png", "photo003"}));
    QCOMPARE(cells(filePage, FileListWidget::NewNameColumn), previews(filePage));
    QCOMPARE(cells(filePage, FileListWidget::OldNameColumn), QStringList({"a.jpg", "b.png", "c"}));

    // letters: the spin box counts a..z as 10..35
    click(child<QAbstractButton>(editor, "charBtn"));
    QCOMPARE(
        child<QStackedWidget>(editor, "numberTypeStackedWidget")->currentWidget()->objectName(),
        QString("charPage"));
    child<QSpinBox>(editor, "startCharSpinBox")->setValue(34); // y
    QCOMPARE(previews(filePage), QStringList({"photoy.jpg", "photoz.png", "photoa"}));

    // extension section
    flip(child<CustormCheckBox>(editor, "suffixCheckBox"));
    child<QLineEdit>(editor, "newSuffixEdit")->setText("txt");
    QCOMPARE(previews(filePage), QStringList({"photoy.txt", "photoz.txt", "photoa.txt"}));
    QVERIFY(RenameRules::fileCustom()->suffixCheck);

    // the insert editor, on its own record
    click(child<QAbstractButton>(filePage->propertyWidget(), "insertBtn"));
    CustormRename *insert = filePage->propertyWidget()->insertEditor();
    child<QTextEdit>(insert, "fileNameEdit")->setPlainText("X");
    QCOMPARE(previews(filePage), QStringList({"Xa.jpg", "Xb.png", "Xc"}));
    click(child<QAbstractButton>(insert, "insertCustormPosBtn"));
    QVERIFY(child<QWidget>(insert, "insertCustormPosWidget")->isVisible());
    child<QSpinBox>(insert, "insertNumberBehindCountSpinBox")->setValue(3);
    QCOMPARE(previews(filePage), QStringList({"a  X.jpg", "b  X.png", "c  X"}));
}

void TestRenamePage::rulesStayOnTheirPage()
{
    addFiles(filePage, "f", {"a.txt"});
    addFiles(folderPage, "d", {"Season.2"});
    typeName(filePage, "file");
    typeName(folderPage, "folder");
    QCOMPARE(previews(filePage), QStringList({"file.txt"}));
    QCOMPARE(previews(folderPage), QStringList({"folder"}));
    // the replace editors publish on their own page's key only
    child<QLineEdit>(folderPage->propertyWidget()->replaceEditor(), "splitEdit")->setText(".");
    QCOMPARE(previews(folderPage), QStringList({"2.Season"}));
    QCOMPARE(previews(filePage), QStringList({"file.txt"}));
    child<QLineEdit>(filePage->propertyWidget()->replaceEditor(), "replaceFindContentEdit")
        ->setText("a");
    child<QLineEdit>(filePage->propertyWidget()->replaceEditor(), "replaceReplaceContentEdit")
        ->setText("b");
    QCOMPARE(previews(filePage), QStringList({"b.txt"}));
    QCOMPARE(previews(folderPage), QStringList({"2.Season"}));
}

void TestRenamePage::startActsOnlyOnItsPage_data()
{
    QTest::addColumn<bool>("folderStarts");
    QTest::newRow("file page starts") << false;
    QTest::newRow("folder page starts") << true;
}

void TestRenamePage::startActsOnlyOnItsPage()
{
    QFETCH(bool, folderStarts);
    addFiles(filePage, "f", {"a.txt"});
    addFiles(folderPage, "d", {"A"});
    typeName(filePage, "renamed");
    typeName(folderPage, "Renamed");
    RenamePage *starter = folderStarts ? folderPage : filePage;
    RenamePage *other = folderStarts ? filePage : folderPage;
    click(child<QAbstractButton>(starter->propertyWidget(), "setBtn"));

    QCOMPARE(listing(dir->filePath("f")), QStringList({folderStarts ? "a.txt" : "renamed.txt"}));
    QCOMPARE(listing(dir->filePath("d")), QStringList({folderStarts ? "Renamed" : "A"}));
    QCOMPARE(list(starter)->entryList().at(0)->state, int(StateSuccess));
    QCOMPARE(list(other)->entryList().at(0)->state, int(StatePending));
    QVERIFY(child<QAbstractButton>(starter->pageWidget(), "undo")->isEnabled());
    QVERIFY(!child<QAbstractButton>(other->pageWidget(), "undo")->isEnabled());

    // a start message that names no page moves nothing
    CNvGlobalObserver::instance()->notifyObservers(
        Topic::StartChangeName, Topic::RenameValueUpdate, QVariant());
    QCOMPARE(list(other)->entryList().at(0)->state, int(StatePending));
}

void TestRenamePage::importActsOnlyOnItsPage()
{
    addFiles(filePage, "f", {"1.jpg", "2.png", "3", "4.txt", "5.txt"});
    addFiles(folderPage, "d", {"Season.2", "B"});
    const QStringList before = previews(folderPage);

    QList<QVariant> rows;
    for (const QStringList &cells :
        {QStringList {"Holiday", "ignored"}, QStringList {}, QStringList {"Beach"}})
        rows << QVariant(cells);
    MyCustomEvent fileRows(rows);
    QCoreApplication::sendEvent(filePage->propertyWidget()->importEditor(), &fileRows);
    // three names for five rows; the empty row gives a bare extension
    QCOMPARE(previews(filePage), QStringList({"Holiday.jpg", ".png", "Beach", "4.txt", "5.txt"}));
    QCOMPARE(previews(folderPage), before);

    rows.clear();
    for (const char *n : {"Archive", "Other", "Third", "Fourth"})
        rows << QVariant(QStringList {n});
    MyCustomEvent folderRows(rows);
    QCoreApplication::sendEvent(folderPage->propertyWidget()->importEditor(), &folderRows);
    QCOMPARE(previews(folderPage), QStringList({"Archive", "Other"}));
    QCOMPARE(previews(filePage).at(0), QString("Holiday.jpg"));

    MyDialogMessageEvent message("请确保文件是正确的xlsx格式！");
    QCoreApplication::sendEvent(folderPage->propertyWidget()->importEditor(), &message);
    QCOMPARE(recorder->messages, QStringList({"请确保文件是正确的xlsx格式！"}));
}

void TestRenamePage::importFromWorkbook()
{
    addFiles(filePage, "f", {"a.jpg", "b.jpg", "c.jpg"});
    // a custom rule that would not resolve conflicts came first
    flip(child<CustormCheckBox>(customEditor(filePage), "autoNameErrorCheck"));
    QVERIFY(!list(filePage)->autoResolve);
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(writeBook(book, {"第一", "c", "c"}));

    Import *import = filePage->propertyWidget()->importEditor();
    import->loadWorkbook(book);
    QVERIFY(child<QWidget>(import, "importExcelBtn")->isHidden());
    QVERIFY(!child<QWidget>(import, "hasExportExcelwidget")->isHidden());
    QTRY_COMPARE(previews(filePage), QStringList({"第一.jpg", "c.jpg", "c.jpg"}));
    // forgetting the workbook keeps the names
    click(child<QAbstractButton>(import, "deleteExcelBtn"));
    QVERIFY(import->workbookPath().isEmpty());
    QVERIFY(!child<QWidget>(import, "importExcelBtn")->isHidden());
    QCOMPARE(previews(filePage), QStringList({"第一.jpg", "c.jpg", "c.jpg"}));
    // a run after an import resolves conflicts: b.jpg meets c.jpg, which is still there
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    QCOMPARE(listing(dir->filePath("f")), QStringList({"c(1).jpg", "c.jpg", "第一.jpg"}));
    QCOMPARE(cells(filePage, FileListWidget::OldNameColumn),
        QStringList({"第一.jpg", "c(1).jpg", "c.jpg"}));
    QVERIFY(recorder->messages.isEmpty());
}

// A workbook cell may spell half of a surrogate pair ("_xD83D_"), which no file name can hold:
// the row is refused and told, the file keeps its name, the list still knows where it is.
void TestRenamePage::importedNameTheDiskCannotHold_data()
{
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("shown"); // in the message
    QTest::newRow("file/lone high half") << false << "_xD83D_x" << QString::fromUtf8("\uFFFDx.txt");
    QTest::newRow("file/lone low half") << false << "y_xDE00_" << QString::fromUtf8("y\uFFFD.txt");
    QTest::newRow("folder/lone high half") << true << "_xD83D_" << QString::fromUtf8("\uFFFD");
}

void TestRenamePage::importedNameTheDiskCannotHold()
{
    QFETCH(bool, isFolder);
    QFETCH(QString, cell);
    QFETCH(QString, shown);
    RenamePage *page = isFolder ? folderPage : filePage;
    if (isFolder)
        filePage->hide();
    const QStringList paths
        = addFiles(page, "f", {isFolder ? "a" : "a.txt", isFolder ? "b" : "b.txt"});
    if (isFolder)
        QVERIFY(writeFile(paths.at(0) + "/inside.txt"));
    const QString book = dir->filePath("names.xlsx");
    QVERIFY(writeBook(book, {cell, "ok"}));
    page->propertyWidget()->importEditor()->loadWorkbook(book);
    QTRY_COMPARE(previews(page).at(1), QString(isFolder ? "ok" : "ok.txt"));
    QVERIFY(previews(page).at(0).contains(QChar(cell.contains("D83D") ? 0xD83D : 0xDE00)));

    click(child<QAbstractButton>(page->propertyWidget(), "setBtn"));
    const RenameEntry *refused = list(page)->entryList().at(0);
    QCOMPARE(refused->state, int(StateFailed));
    QCOMPARE(refused->filePath, paths.at(0));
    QCOMPARE(recorder->messages.size(), 1);
    QVERIFY2(recorder->messages.at(0).endsWith("f/" + shown + "”已经存在或者路径错误"),
        qPrintable(recorder->messages.at(0)));
    QCOMPARE(listing(dir->filePath("f")),
        QStringList({isFolder ? "a" : "a.txt", isFolder ? "ok" : "ok.txt"}));
    if (isFolder)
        QVERIFY(QFileInfo::exists(paths.at(0) + "/inside.txt"));
    QCOMPARE(list(page)->entryList().at(1)->state, int(StateSuccess));
}

// A file that is no workbook: the reader's message reaches the main window's key, and the
// empty name list that follows changes no preview.
void TestRenamePage::importOfNoWorkbook()
{
    addFiles(filePage, "f", {"a.jpg"});
    typeName(filePage, "kept");
    const QString fake = dir->filePath("names.xlsx");
    QVERIFY(writeFile(fake, "not a zip at all"));
    filePage->propertyWidget()->importEditor()->loadWorkbook(fake);
    QTRY_COMPARE(recorder->messages.size(), 1);
    QTest::qWait(100); // the rows event follows the message
    QCOMPARE(previews(filePage), QStringList({"kept.jpg"}));
}

void TestRenamePage::handEdit_data()
{
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("extension kept") << false << "photo.jpg"
                                    << "holiday.png"
                                    << "holiday.jpg";
    QTest::newRow("last dot") << false << "photo.jpg"
                              << "new.name.txt"
                              << "new.name.jpg";
    QTest::newRow("no dot typed") << false << "photo.jpg"
                                  << "holiday"
                                  << "holiday.jpg";
    QTest::newRow("file without extension") << false << "README"
                                            << "notes.md"
                                            << "notes";
    QTest::newRow("folder keeps dots") << true << "Season.2"
                                       << "my.folder"
                                       << "my.folder";
}

void TestRenamePage::handEdit()
{
    QFETCH(bool, isFolder);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    RenamePage *page = isFolder ? folderPage : filePage;
    if (isFolder)
        filePage->hide();
    addFiles(page, "x", {"other", name});
    CustomTabelWidget *table = list(page)->table();
    QTableWidgetItem *cell = table->item(1, FileListWidget::NewNameColumn);
    const QPoint centre = table->visualItemRect(cell).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
    auto *editor = table->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell->text(), expected); // the delegate commits from the event loop
    QCOMPARE(list(page)->entryList().at(1)->newName, expected);
    QCOMPARE(list(page)->entryList().at(0)->newName, QString("other"));
    // and the run takes the edited name
    click(child<QAbstractButton>(page->propertyWidget(), "setBtn"));
    QCOMPARE(listing(dir->filePath("x")), QStringList({expected, "other"}));
}

// An edit opened from the keyboard reaches the entry too; Escape leaves everything as it was.
void TestRenamePage::handEditByKeyAndEscape()
{
    addFiles(filePage, "x", {"a.txt", "b.txt"});
    CustomTabelWidget *table = list(filePage)->table();
    table->setFocus();
    table->setCurrentCell(0, FileListWidget::NewNameColumn);
    QTest::keyClick(table, Qt::Key_F2);
    auto *editor = table->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText("c.md");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(list(filePage)->entryList().at(0)->newName, QString("c.txt"));
    QCOMPARE(table->item(0, FileListWidget::NewNameColumn)->text(), QString("c.txt"));

    table->setCurrentCell(1, FileListWidget::NewNameColumn);
    QTest::keyClick(table, Qt::Key_F2);
    QTRY_VERIFY(table->viewport()->findChild<QLineEdit *>());
    editor = table->viewport()->findChild<QLineEdit *>();
    editor->setText("zzz");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::qWait(50);
    QCOMPARE(list(filePage)->entryList().at(1)->newName, QString("b.txt"));
    QCOMPARE(table->item(1, FileListWidget::NewNameColumn)->text(), QString("b.txt"));
}

void TestRenamePage::handEditAfterExtensionChange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("newSuffix");
    QTest::addColumn<QString>("changed"); // the name after the first run
    QTest::newRow("jpg to png") << "a.jpg"
                                << "png"
                                << "a.png";
    QTest::newRow("an extension where there was none") << "notes"
                                                       << "md"
                                                       << "notes.md";
}

// A hand edit keeps the extension the file has on disk now, also after a run that changed it
// and after an undo.
void TestRenamePage::handEditAfterExtensionChange()
{
    QFETCH(QString, name);
    QFETCH(QString, newSuffix);
    QFETCH(QString, changed);
    const QString ext = QFileInfo(changed).suffix();
    const QString oldExt = QFileInfo(name).suffix();
    const auto withExt
        = [](const QString &stem, const QString &e) { return e.isEmpty() ? stem : stem + "." + e; };
    addFiles(filePage, "x", {name});
    CustormRename *editor = customEditor(filePage);
    flip(child<CustormCheckBox>(editor, "suffixCheckBox"));
    child<QLineEdit>(editor, "newSuffixEdit")->setText(newSuffix);
    QCOMPARE(previews(filePage), QStringList({changed}));
    auto *start = child<QAbstractButton>(filePage->propertyWidget(), "setBtn");
    auto *undo = child<QAbstractButton>(filePage->pageWidget(), "undo");
    click(start);
    QCOMPARE(listing(dir->filePath("x")), QStringList({changed}));

    editCell(filePage, 0, "holiday");
    QCOMPARE(previews(filePage), QStringList({withExt("holiday", ext)}));
    click(start);
    QCOMPARE(listing(dir->filePath("x")), QStringList({withExt("holiday", ext)}));

    click(undo);
    QCOMPARE(listing(dir->filePath("x")), QStringList({changed}));
    editCell(filePage, 0, "trip.gif");
    QCOMPARE(previews(filePage), QStringList({withExt("trip", ext)}));
    click(undo);
    QCOMPARE(listing(dir->filePath("x")), QStringList({name}));
    editCell(filePage, 0, "home");
    QCOMPARE(previews(filePage), QStringList({withExt("home", oldExt)}));
    click(start);
    QCOMPARE(listing(dir->filePath("x")), QStringList({withExt("home", oldExt)}));
}

void TestRenamePage::conflictsAndMessages_data()
{
    QTest::addColumn<bool>("resolve");
    QTest::newRow("resolve on") << true;
    QTest::newRow("resolve off") << false;
}

void TestRenamePage::conflictsAndMessages()
{
    QFETCH(bool, resolve);
    addFiles(filePage, "f", {"x.txt", "y.txt"});
    click(child<QAbstractButton>(filePage->propertyWidget(), "replaceBtn"));
    Replace *editor = filePage->propertyWidget()->replaceEditor();
    if (!resolve)
        flip(child<CustormCheckBox>(editor, "autoNameErrorCheck"));
    QCOMPARE(RenameRules::fileReplace()->autoNameErrorCheck, resolve);
    child<QLineEdit>(editor, "replaceFindContentEdit")->setText("x");
    child<QLineEdit>(editor, "replaceReplaceContentEdit")->setText("y");
    QCOMPARE(previews(filePage), QStringList({"y.txt", "y.txt"}));
    // the cell says before the run what the run will do
    QCOMPARE(list(filePage)->table()->item(0, FileListWidget::NewNameColumn)->toolTip(),
        resolve ? QString("将命名为“y(1).txt”") : QString("与已有文件重名，将不会重命名"));
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    if (resolve) {
        QCOMPARE(listing(dir->filePath("f")), QStringList({"y(1).txt", "y.txt"}));
        QCOMPARE(list(filePage)->entryList().at(0)->oldName, QString("y(1).txt"));
        QCOMPARE(
            cells(filePage, FileListWidget::OldNameColumn), QStringList({"y(1).txt", "y.txt"}));
        QVERIFY(recorder->messages.isEmpty());
    } else {
        QCOMPARE(listing(dir->filePath("f")), QStringList({"x.txt", "y.txt"}));
        QCOMPARE(list(filePage)->entryList().at(0)->state, int(StateFailed));
        QCOMPARE(recorder->messages,
            QStringList({QStringLiteral("命名文件“%1”已经存在或者路径错误")
                             .arg(dir->filePath("f/y.txt"))}));
        auto *label = qobject_cast<QLabel *>(
            list(filePage)->table()->cellWidget(0, FileListWidget::StateColumn));
        QVERIFY(label);
        QCOMPARE(label->text(), QString("失败"));
        // nothing renamed: no snapshot, undo stays off
        QVERIFY(!child<QAbstractButton>(filePage->pageWidget(), "undo")->isEnabled());
    }
}

void TestRenamePage::refusedNames()
{
    addFiles(filePage, "f", {"a.txt"});
    QDir(dir->path()).mkpath("f/sub");
    for (const QString &name : {QString("../a"), QString("sub/a"), QString("line\nbreak")}) {
        recorder->messages.clear();
        typeName(filePage, name);
        click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
        QCOMPARE(list(filePage)->entryList().at(0)->state, int(StateFailed));
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(listing(dir->filePath("f")), QStringList({"a.txt", "sub"}));
        QCOMPARE(listing(dir->path()), QStringList({"f"}));
    }
}

void TestRenamePage::missingFile()
{
    const QStringList paths = addFiles(filePage, "f", {"a.txt", "gone.txt"});
    QVERIFY(QFile::remove(paths.at(1)));
    typeName(filePage, "n");
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    QCOMPARE(list(filePage)->entryList().at(1)->state, int(StateMissing));
    auto *label = qobject_cast<QLabel *>(
        list(filePage)->table()->cellWidget(1, FileListWidget::StateColumn));
    QCOMPARE(label->text(), QString("文件不存在"));
    QVERIFY(recorder->messages.isEmpty());
    QCOMPARE(listing(dir->filePath("f")), QStringList({"n.txt"}));
}

void TestRenamePage::twoRunsTwoUndos()
{
    addFiles(filePage, "f", {"a.txt", "b.txt"});
    auto *undo = child<QAbstractButton>(filePage->pageWidget(), "undo");
    auto *start = child<QAbstractButton>(filePage->propertyWidget(), "setBtn");
    typeName(filePage, "one");
    click(start);
    QCOMPARE(listing(dir->filePath("f")), QStringList({"one(1).txt", "one.txt"}));
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->property("iconPath").toString(), QString(":/image/undo.svg"));
    // a second start without a rule change renames nothing and pushes nothing
    click(start);
    typeName(filePage, "two");
    click(start);
    QCOMPARE(listing(dir->filePath("f")), QStringList({"two(1).txt", "two.txt"}));

    click(undo);
    QCOMPARE(listing(dir->filePath("f")), QStringList({"one(1).txt", "one.txt"}));
    QVERIFY(undo->isEnabled());
    click(undo);
    QCOMPARE(listing(dir->filePath("f")), QStringList({"a.txt", "b.txt"}));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->property("iconPath").toString(), QString(":/image/disableUndo.svg"));
    QCOMPARE(cells(filePage, FileListWidget::OldNameColumn), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(list(filePage)->entryList().at(0)->state, int(StatePending));
    // the preview of the undone run stays, so a start repeats it
    QCOMPARE(cells(filePage, FileListWidget::NewNameColumn), QStringList({"one.txt", "one.txt"}));
    click(start);
    QCOMPARE(listing(dir->filePath("f")), QStringList({"one(1).txt", "one.txt"}));
    // clearing forgets every run
    click(child<QAbstractButton>(filePage->pageWidget(), "clearList"));
    QVERIFY(!undo->isEnabled());
}

void TestRenamePage::undoAfterRowsRemovedAndAdded()
{
    addFiles(filePage, "f", {"a.txt", "b.txt", "c.txt"});
    typeName(filePage, "n");
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    QCOMPARE(listing(dir->filePath("f")), QStringList({"n(1).txt", "n(2).txt", "n.txt"}));

    // remove the middle row with its own button, add a file, move the last row to the top
    FileListWidget *files = list(filePage);
    auto *buttons = qobject_cast<OperateWidget *>(
        files->table()->cellWidget(1, FileListWidget::OperateColumn));
    QVERIFY(buttons);
    click(buttons->deleteButton());
    QCOMPARE(files->entryList().size(), 2);
    addFiles(filePage, "f", {"d.txt"});
    files->onSortChanged(0, 1);
    QStringList order;
    for (const RenameEntry *e : files->entryList())
        order << e->uuid;

    click(child<QAbstractButton>(filePage->pageWidget(), "undo"));
    // the removed row's file keeps its new name; the added one is left alone
    QCOMPARE(listing(dir->filePath("f")), QStringList({"a.txt", "c.txt", "d.txt", "n(1).txt"}));
    QCOMPARE(files->entryList().size(), 3);
    for (int r = 0; r < files->entryList().size(); ++r) {
        const RenameEntry *e = files->entryList().at(r);
        QCOMPARE(files->table()->item(r, FileListWidget::OldNameColumn)->text(), e->oldName);
        QCOMPARE(QFileInfo(e->filePath).fileName(), e->oldName);
        QVERIFY2(QFileInfo::exists(e->filePath), qPrintable(e->filePath));
        // the rows stay where the user put them since the run
        QCOMPARE(e->uuid, order.at(r));
    }
}

void TestRenamePage::resetRestoresNumberSequence()
{
    addFiles(filePage, "f", {"a.txt", "b.txt"});
    CustormRename *editor = customEditor(filePage);
    QTest::qWait(1100); // the panel records its defaults a second after it is built
    flip(child<CustormCheckBox>(editor, "numberSetCheck"));
    click(child<QAbstractButton>(editor, "charBtn"));
    QCOMPARE(previews(filePage), QStringList({"aa.txt", "bb.txt"}));
    recorder->log.clear();
    click(child<QAbstractButton>(filePage->propertyWidget(), "resetBtn"));
    // only the custom rule had changed: one message, for it
    QCOMPARE(recorder->log, QStringList({"FILE CUSTOM RENAME"}));
    QVERIFY(RenameRules::isDefault(*RenameRules::fileCustom()));
    QCOMPARE(
        child<QStackedWidget>(editor, "numberTypeStackedWidget")->currentWidget()->objectName(),
        QString("numberPage"));
    QVERIFY(child<QAbstractButton>(editor, "numbderBtn")->isChecked());
    QVERIFY(!child<CustormCheckBox>(editor, "numberSetCheck")->isChecked());
    QVERIFY(!child<QWidget>(editor, "numberSettingBackgrounWidget")->isEnabled());
    QCOMPARE(previews(filePage), QStringList({"a.txt", "b.txt"}));
    // numbering again shows the number sequence
    flip(child<CustormCheckBox>(editor, "numberSetCheck"));
    QCOMPARE(previews(filePage), QStringList({"0a.txt", "0b.txt"}));
}

void TestRenamePage::namesByCaptureTime_data()
{
    QTest::addColumn<QList<QStringList>>("tags"); // exiftool's, for each of two photos
    QTest::addColumn<QStringList>("names"); // the preview once the dates are in, and the disk's
    QTest::newRow("original/one without")
        << QList<QStringList> {{"-DateTimeOriginal=2020:10:18 14:30:00"}, {"-Artist=x"}}
        << QStringList {"20201018p.jpg", "p.jpg"};
    QTest::newRow("create date/after the original")
        << QList<QStringList> {{"-CreateDate=2019:05:06 07:08:09"},
               {"-CreateDate=2019:01:01 00:00:00", "-DateTimeOriginal=2020:10:18 14:30:00"}}
        << QStringList {"20190506p.jpg", "20201018p.jpg"};
}

// Names by "拍摄时间": the preview follows as the photos' dates arrive; the run names as shown.
void TestRenamePage::namesByCaptureTime()
{
    QFETCH(QList<QStringList>, tags);
    QFETCH(QStringList, names);
    const QStringList paths {dir->filePath("0.jpg"), dir->filePath("1.jpg")};
    QVERIFY(makePhotos(paths, tags));
    list(filePage)->addPaths(paths);
    typeName(filePage, "p");
    flip(child<CustormCheckBox>(customEditor(filePage), "numberSetCheck"));
    click(child<QAbstractButton>(customEditor(filePage), "timeBtn"));
    child<QComboBox>(customEditor(filePage), "timeTypeComboBox")->setCurrentText("拍摄时间");
    child<QComboBox>(customEditor(filePage), "timeStyleComboBox")->setCurrentText("20000101");
    QTRY_COMPARE(cells(filePage, FileListWidget::NewNameColumn), names);
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    QCOMPARE(listing(dir->path()), names);
}

void TestRenamePage::randomNamesAfterRun()
{
    addFiles(filePage, "f", {"a.txt", "b.txt"});
    CustormRename *editor = customEditor(filePage);
    flip(child<CustormCheckBox>(editor, "numberSetCheck"));
    flip(child<CustormCheckBox>(editor, "useNumberAsNameCheck"));
    click(child<QAbstractButton>(editor, "randomBtn"));
    child<QSpinBox>(editor, "charCountSpinBox")->setValue(16);
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    const QStringList onDisk = cells(filePage, FileListWidget::OldNameColumn);
    QCOMPARE(listing(dir->filePath("f")).size(), 2);
    for (int r = 0; r < 2; ++r) {
        QVERIFY(previews(filePage).at(r) != onDisk.at(r)); // fresh names drawn after the run
        QCOMPARE(previews(filePage).at(r).size(), 20);
    }
    // the number sequence keeps the names of the run
    click(child<QAbstractButton>(editor, "numbderBtn"));
    typeName(filePage, "k");
    click(child<QAbstractButton>(filePage->propertyWidget(), "setBtn"));
    QCOMPARE(previews(filePage), cells(filePage, FileListWidget::OldNameColumn));
}

void TestRenamePage::deleteEditor()
{
    addFiles(filePage, "f", {"report copy copy.doc", "trip_2023.jpg"});
    // a custom rule that would not resolve conflicts...
    flip(child<CustormCheckBox>(customEditor(filePage), "autoNameErrorCheck"));
    QVERIFY(!list(filePage)->autoResolve);
    click(child<QAbstractButton>(filePage->propertyWidget(), "deleteBtn"));
    Delete *editor = filePage->propertyWidget()->deleteEditor();
    child<QTextEdit>(editor, "textEdit")->setPlainText("copy");
    // ...and the delete rule, which always does
    QVERIFY(list(filePage)->autoResolve);
    QCOMPARE(previews(filePage), QStringList({"report  .doc", "trip_2023.jpg"}));

    click(child<QAbstractButton>(editor, "assignPosBtn"));
    QCOMPARE(child<QStackedWidget>(editor, "deleteWayStackedWidget")->currentWidget()->objectName(),
        QString("assignPosPage"));
    child<QComboBox>(editor, "deletePosComboBox")->setCurrentIndex(1);
    QCOMPARE(child<QLabel>(editor, "deletePosLabel")->text(), QString("个字符向左删除"));
    child<QSpinBox>(editor, "deletePosSpinBox")->setValue(4);
    child<QSpinBox>(editor, "deleteCountSpinBox")->setValue(1);
    QCOMPARE(previews(filePage), QStringList({"report copycopy.doc", "trip2023.jpg"}));
    child<QComboBox>(editor, "deletePosComboBox")->setCurrentIndex(0);
    QCOMPARE(child<QLabel>(editor, "deletePosLabel")->text(), QString("个字符向右删除"));
    QCOMPARE(previews(filePage), QStringList({"repot copy copy.doc", "trip2023.jpg"}));
    QCOMPARE(RenameRules::fileDelete()->deleteType, 1);
    QCOMPARE(RenameRules::fileDelete()->deleteContent, QString("copy"));
    QCOMPARE(RenameRules::folderDelete()->deleteCount, 0);
}

void TestRenamePage::setUpPublishesReplaceOnce()
{
    recorder->log.clear();
    RenamePage another;
    QVERIFY(recorder->log.isEmpty()); // building publishes nothing
    another.setFolder(false);
    QCOMPARE(recorder->log, QStringList({"FILE REPLACE RENAME"}));
}

void TestRenamePage::resetKeepsInsertRowAndForgetsWorkbook()
{
    addFiles(filePage, "f", {"a.txt"});
    QTest::qWait(1100);
    RenamePropertyWidget *panel = filePage->propertyWidget();
    CustormRename *insert = panel->insertEditor();
    click(child<QAbstractButton>(panel, "insertBtn"));
    child<QTextEdit>(insert, "fileNameEdit")->setPlainText("X");
    click(child<QAbstractButton>(insert, "insertCustormPosBtn"));
    QVERIFY(child<QWidget>(insert, "insertCustormPosWidget")->isVisible());
    Import *import = panel->importEditor();
    MyCustomEvent rows({QVariant(QStringList {"Imported"})});
    QCoreApplication::sendEvent(import, &rows);
    child<QPushButton>(import, "replaceExcelLabel")->setText("/somewhere/names.xlsx");
    child<QWidget>(import, "hasExportExcelwidget")->show();
    child<QWidget>(import, "importExcelBtn")->hide();
    QCOMPARE(previews(filePage), QStringList({"Imported.txt"}));

    recorder->log.clear();
    click(child<QAbstractButton>(panel, "resetBtn"));
    QCOMPARE(recorder->log, QStringList({"FILE INSERT RENAME"}));
    QCOMPARE(previews(filePage), QStringList({"a.txt"}));
    QVERIFY(child<QWidget>(insert, "insertPosWidget")->isVisibleTo(insert));
    QVERIFY(!child<QWidget>(insert, "insertCustormPosWidget")->isVisibleTo(insert));
    QVERIFY(child<QAbstractButton>(insert, "insertFirstBtn")->isChecked());
    QVERIFY(child<QTextEdit>(insert, "fileNameEdit")->toPlainText().isEmpty());
    QVERIFY(!child<QWidget>(customEditor(filePage), "insertPosWidget")->isVisibleTo(panel));
    QVERIFY(import->workbookPath().isEmpty());
    QVERIFY(!child<QWidget>(import, "importExcelBtn")->isHidden());
    QVERIFY(child<QWidget>(import, "hasExportExcelwidget")->isHidden());
    // the switches stay hidden on the folder page after its reset
    click(child<QAbstractButton>(folderPage->propertyWidget(), "resetBtn"));
    QVERIFY(
        child<QWidget>(folderPage->propertyWidget()->customEditor(), "suffixWidget")->isHidden());
}

void TestRenamePage::resetRestoresEveryControl_data()
{
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("tab");
    for (bool folder : {false, true}) {
        for (const char *tab : {"custorm", "insert", "replace", "delete"})
            QTest::newRow(
                qPrintable(QStringLiteral("%1/%2 page").arg(tab, folder ? "folder" : "file")))
                << folder << QString::fromLatin1(tab);
    }
}

// Every control a user can set, changed; after "重置设置" each shows its start value again and
// what it shows is what the rule record holds (written once more through the editor's own
// handlers, the record must still be at its defaults).
void TestRenamePage::resetRestoresEveryControl()
{
    QFETCH(bool, isFolder);
    QFETCH(QString, tab);
    RenamePage *page = isFolder ? folderPage : filePage;
    RenamePropertyWidget *panel = page->propertyWidget();
    addFiles(page, "f", {"a.txt", "b.txt"});
    QTest::qWait(1100); // the panel records its defaults a second after it is built
    click(child<QAbstractButton>(panel, qPrintable(tab + "Btn")));
    QWidget *editor = child<QStackedWidget>(panel, "stackedWidget")->currentWidget();
    QCOMPARE(editor->objectName(), tab + "Page");

    std::function<bool()> atDefaults = [] { return true; };
    if (auto *e = qobject_cast<CustormRename *>(editor))
        atDefaults = [e] { return RenameRules::isDefault(*e->renameSetting()); };
    else if (auto *e = qobject_cast<Replace *>(editor))
        atDefaults = [e] { return RenameRules::isDefault(*e->renameSetting()); };
    else if (auto *e = qobject_cast<Delete *>(editor))
        atDefaults = [e] { return RenameRules::isDefault(*e->renameSetting()); };
    QVERIFY(atDefaults());

    const PanelControls::Values start = PanelControls::valuesOf(editor);
    PanelControls::changeEvery(editor);
    QVERIFY(!PanelControls::differences(start, editor).isEmpty());
    QVERIFY(!atDefaults());

    click(child<QAbstractButton>(panel, "resetBtn"));
    const QStringList wrong = PanelControls::differences(start, editor);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    QVERIFY(atDefaults());
    PanelControls::reassertEvery(editor);
    QVERIFY2(atDefaults(), "a control shows a value its rule record does not hold");
    QCOMPARE(previews(page), QStringList({"a.txt", "b.txt"}));
}

void TestRenamePage::regexInPanel_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("preview"); // empty: refused, names shown unchanged
    QTest::newRow("groups") << "^(a+)(b)"
                            << "b_aaa.txt";
    QTest::newRow("invalid pattern") << "(a+"
                                     << "";
    QTest::newRow("pathological pattern") << "(a+)+$"
                                          << "";
}

// The pattern as a user types it: an unusable one is explained under the fields, changes no
// name and keeps "开始命名" off until it is mended.
void TestRenamePage::regexInPanel()
{
    QFETCH(QString, find);
    QFETCH(QString, preview);
    const QString name = QString(30, 'a') + "b.txt";
    addFiles(filePage, "f", {name});
    RenamePropertyWidget *panel = filePage->propertyWidget();
    click(child<QAbstractButton>(panel, "replaceBtn"));
    Replace *editor = panel->replaceEditor();
    flip(child<CustormCheckBox>(editor, "replaceRegexCheck"));
    child<QLineEdit>(editor, "replaceReplaceContentEdit")->setText("$2_$1");
    child<QLineEdit>(editor, "replaceFindContentEdit")->setText(find);
    auto *error = child<QLabel>(editor, "patternErrorLabel");
    QCOMPARE(error->isVisibleTo(editor), preview.isEmpty());
    QCOMPARE(child<QAbstractButton>(panel, "setBtn")->isEnabled(), !preview.isEmpty());
    QCOMPARE(previews(filePage),
        QStringList(preview.isEmpty() ? name : QString(preview).replace("aaa", QString(30, 'a'))));
    // mended: the panel comes back
    child<QLineEdit>(editor, "replaceFindContentEdit")->setText("(b)");
    QVERIFY(!error->isVisibleTo(editor));
    QVERIFY(child<QAbstractButton>(panel, "setBtn")->isEnabled());
}

QTEST_MAIN(TestRenamePage)
#include "tst_renamepage.moc"

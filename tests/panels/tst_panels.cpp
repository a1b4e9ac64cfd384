// "重置设置" on every page's panel, as the main window builds them: after a user changed every
// control, each shows its start value again, and the page's rule record holds what the controls
// show (written once more through the panel's own handlers, it must equal its start). The
// rename panels are checked tab by tab in tst_renamepage.
#include "app/MainWindow.h"
#include "create/CreateSettings.h"
#include "extract/CollectSettings.h"
#include "times/TimeRule.h"
#include "widgets/AppStyle.h"

#include "tests/support/PanelControls.h"
#include "tests/support/WhenModalOpens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QVariantMap recordOf(const QString &page)
{
    const bool folder = page.startsWith(QLatin1String("folder"))
        || page == QLatin1String("collectFolderNamePage");
    QVariantMap m;
    if (page.contains(QLatin1String("TimeProperty"))) {
        const TimeRule *r = TimeRule::forPage(folder);
        m["setBirthTime"] = r->setBirthTime;
        m["setModifiedTime"] = r->setModifiedTime;
        m["birthTime"] = r->birthTime;
        m["modifiedTime"] = r->modifiedTime;
        m["sources"] = QVariantList {int(r->birthSource), int(r->modifiedSource)};
        m["shifts"] = QVariantList {r->birthShift, r->modifiedShift};
    } else if (page.startsWith(QLatin1String("collect"))) {
        const CollectSettings *s = collectSettings(folder);
        m["hasSuffix"] = s->hasSuffix;
        m["hasPath"] = s->hasPath;
        m["hasBirth"] = s->hasBirth;
        m["hasModified"] = s->hasModified;
        m["exportName"] = s->exportName;
        m["exportType"] = s->exportType;
        m["exportDir"] = s->exportDir;
    } else {
        for (const CreateSettings *s : {customCreateSettings(), importCreateSettings()}) {
            const QString k = s == customCreateSettings() ? "custom/" : "import/";
            m[k + "fileType"] = s->fileType;
            m[k + "targetDir"] = s->targetDir;
            m[k + "autoResolve"] = s->autoResolve;
            QStringList names;
            for (const CreateEntry &e : s->names)
                names << e.name;
            m[k + "names"] = names;
        }
    }
    return m;
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void resetRestoresEveryControlAndTheRecord_data();
    void resetRestoresEveryControlAndTheRecord();
    void chosenFolderShortenedInTheMiddle_data();
    void chosenFolderShortenedInTheMiddle();

private:
    MainWindow *window = nullptr;
};

void TestPanels::initTestCase()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(1100); // panels record their defaults a second after they are built
}

void TestPanels::cleanupTestCase()
{
    delete window;
}

void TestPanels::resetRestoresEveryControlAndTheRecord_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("part"); // the part of the panel that holds the rule, if not all
    QTest::newRow("times/file page") << "fileTimePropertyPage" << QString();
    QTest::newRow("times/folder page") << "folderTimePropertyPage" << QString();
    QTest::newRow("extraction/file page") << "collectFileNamePage" << QString();
    QTest::newRow("extraction/folder page") << "collectFolderNamePage" << QString();
    // the tab buttons choose a rule and are no part of one: the reset leaves the tab alone
    QTest::newRow("creation/custom tab") << "batchCreateFolderPage"
                                         << "custormCreatePage";
    QTest::newRow("creation/import tab") << "batchCreateFolderPage"
                                         << "importCreatePage";
}

void TestPanels::resetRestoresEveryControlAndTheRecord()
{
    QFETCH(QString, page);
    QFETCH(QString, part);
    QWidget *pageWidget = window->findChild<QWidget *>(page);
    QVERIFY(pageWidget);
    QWidget *whole = PanelControls::panelOf(pageWidget);
    QVERIFY(whole);
    QWidget *panel = part.isEmpty() ? whole : whole->findChild<QWidget *>(part);
    QVERIFY(panel);

    const QVariantMap recordBefore = recordOf(page);
    const PanelControls::Values start = PanelControls::valuesOf(panel);
    PanelControls::changeEvery(panel);
    const QStringList changed = PanelControls::differences(start, panel);
    QVERIFY2(!changed.isEmpty(), qPrintable(changed.join('\n')));
    QVERIFY(recordOf(page) != recordBefore);

    QAbstractButton *reset = nullptr;
    for (QAbstractButton *b : whole->findChildren<QAbstractButton *>()) {
        if (b->text() == QStringLiteral("重置设置"))
            reset = b;
    }
    QVERIFY(reset);
    reset->click();

    const QStringList left = PanelControls::differences(start, panel);
    QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
    QCOMPARE(recordOf(page), recordBefore);
    PanelControls::reassertEvery(panel);
    QCOMPARE(recordOf(page), recordBefore);
}

void TestPanels::chosenFolderShortenedInTheMiddle_data()
{
    QTest::addColumn<QString>("editor"); // of the creation page, whose "创建目录" is chosen
    QTest::newRow("custom rule") << "custormCreatePage";
    QTest::newRow("import rule") << "importCreatePage";
}

void TestPanels::chosenFolderShortenedInTheMiddle()
{
    QFETCH(QString, editor);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QString("很长的文件夹名称").repeated(8) + "/最后一层");
    QVERIFY(QDir().mkpath(folder));
    window->findChild<QAbstractButton *>("batchCreateFolderBtn")->click();
    QWidget *page = window->findChild<QWidget *>("batchCreateFolderPage");
    page->findChild<QAbstractButton *>(QString(editor).replace("CreatePage", "Btn"))->click();
    auto *button
        = page->findChild<QWidget *>(editor)->findChild<QAbstractButton *>("replacePathLabel");
    whenModalOpens([&folder](QWidget *modal) {
        static_cast<QFileDialog *>(modal)->setDirectory(folder);
        static_cast<QDialog *>(modal)->accept();
    });
    button->click();
    const QString shown = QDir::toNativeSeparators(folder); // as the system writes paths
    QCOMPARE(button->toolTip(), shown);
    // its start, "…", the folder's own name; all in view once the panel is laid out
    const auto text = [button] { return button->text(); };
    QTRY_VERIFY2(shown.startsWith(text().section(QChar(0x2026), 0, 0))
            && text().contains(QChar(0x2026))
            && text().endsWith(QDir::toNativeSeparators("/最后一层"))
            && button->fontMetrics().horizontalAdvance(text()) < button->contentsRect().width(),
        qPrintable(text()));
}

int main(int argc, char **argv)
{
    // The desktop is where exports and creations go by default: one of the test's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    installFontFallbacks();
    app.setStyleSheet(readStyleSheet());
    TestPanels test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panels.moc"

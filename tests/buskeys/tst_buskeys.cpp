// Every key of bus/BusTopics.h has both ends in the program: someone publishes it while a user
// works the pages, and someone is subscribed to it. The keys are read from the header itself, so
// a key added there without its publisher or its subscriber fails here.
#include "app/MainWindow.h"
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "lists/EntryListBase.h"
#include "tests/support/LinuxTools.h"
#include "tests/support/PanelControls.h"
#include "tests/support/WhenModalOpens.h"
#include "widgets/AppStyle.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

using Key = QPair<QString, QString>; // nameSpace, name

// The namespaces declared in the header; the two message names are not keys of their own.
QStringList declaredNamespaces()
{
    QFile header(QStringLiteral(QUORVEX_SOURCE_DIR "/bus/BusTopics.h"));
    if (!header.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(header.readAll());
    QStringList keys;
    const QRegularExpression declaration(
        QStringLiteral(R"(inline\s+constexpr\s+char\s+(\w+)\[\]\s*=\s*"([^"]*)\")"));
    for (auto it = declaration.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(1) == QLatin1String("RenameValueUpdate")
            || match.captured(1) == QLatin1String("NoticeName")
            || match.captured(1) == QLatin1String("ReplacePatternState"))
            continue;
        keys << match.captured(2);
    }
    return keys;
}

// Records every message published under the keys it listens to.
class Spy : public QObject
{
    Q_OBJECT
public:
    QSet<Key> seen;
public slots:
    void onPropertyValueChanged(const QString &valueName, const QString &valueObj, const QVariant &)
    {
        seen.insert({valueName, valueObj});
    }
};

class UrlSink : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl &) { }
};

bool isInside(const QWidget *w, const char *className)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (p->inherits(className))
            return true;
    }
    return false;
}

QStringList makeEntries(const QString &root, bool folders, int count)
{
    QStringList paths;
    QDir().mkpath(root);
    for (int i = 0; i < count; ++i) {
        const QString path = QDir(root).filePath(
            QStringLiteral("entry%1%2").arg(i).arg(folders ? QString() : QStringLiteral(".txt")));
        if (folders) {
            QDir().mkpath(path);
        } else {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write("x");
        }
        paths << path;
    }
    return paths;
}

// Changes every value control of a panel once, the way a user would.
void touchEveryControl(QWidget *panel)
{
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        if (isInside(w, "QAbstractSpinBox") || isInside(w, "QComboBox"))
            continue;
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
            spin->stepBy(1);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            if (combo->count() > 1)
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (!edit->isReadOnly())
                QTest::keyClicks(edit, QStringLiteral("n"));
        } else if (auto *text = qobject_cast<QTextEdit *>(w)) {
            if (!text->isReadOnly())
                text->setPlainText(text->toPlainText() + QStringLiteral("n"));
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            box->click();
        }
    }
}

} // namespace

class TestBusKeys : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyHasAPublisherAndASubscriber();
};

void TestBusKeys::everyKeyHasAPublisherAndASubscriber()
{
    const QStringList namespaces = declaredNamespaces();
    QVERIFY2(namespaces.size() > 10, "the keys could not be read from bus/BusTopics.h");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString book = dir.filePath(QStringLiteral("names.xlsx"));
    const ToolRun py = runLinuxTool(QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
            QStringLiteral("import openpyxl,sys\nwb=openpyxl.Workbook(); ws=wb.active\n"
                           "for r in range(1,4): ws.cell(row=r,column=1,value='n%d'%r)\n"
                           "wb.save(sys.argv[1])\n"),
            book});
    QVERIFY2(py.exitCode != -1, qPrintable(py.error));
    if (!py.ok())
        QSKIP("openpyxl under /usr/bin/python3 is needed to make the workbook the imports read");

    UrlSink sink;
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &sink, "open");

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Subscriptions as the program makes them, before the spy adds its own.
    QSet<Key> subscribed;
    for (const QString &ns : namespaces) {
        for (const char *name :
            {Topic::RenameValueUpdate, Topic::NoticeName, Topic::ReplacePatternState}) {
            if (CNvGlobalObserver::instance()->hasSubscriber(ns, QString::fromUtf8(name)))
                subscribed.insert({ns, QString::fromUtf8(name)});
        }
    }

    Spy spy;
    for (const QString &ns : namespaces) {
        for (const char *name :
            {Topic::RenameValueUpdate, Topic::NoticeName, Topic::ReplacePatternState})
            CNvGlobalObserver::instance()->registerObserver(
                ns, QString::fromUtf8(name), &spy, QUORVEX_BUS_SLOT);
    }

    // Dialogs the drive opens: workbook choices get the workbook, folder choices the temporary
    // folder, every other dialog (messages, confirmations) is closed.
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            if (files->fileMode() == QFileDialog::Directory)
                chooseInFileDialog(files, dir.path());
            else if (files->nameFilters().join(QLatin1Char(' ')).contains(QLatin1String("xlsx")))
                chooseInFileDialog(files, book);
            else
                files->reject();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    answer.start();

    int n = 0;
    for (QWidget *page : window.findChildren<QStackedWidget *>(QStringLiteral("stackedWidget"))
                             .value(0, nullptr)
                             ->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        QWidget *panel = PanelControls::panelOf(page);
        if (!panel)
            continue;
        const bool folders = page->objectName().startsWith(QLatin1String("folder"));
        const QString root = dir.filePath(QString::number(n++));
        if (auto *list = page->findChild<EntryListBase *>()) {
            if (!page->objectName().startsWith(QLatin1String("batchCreate"))) {
                list->addPaths(makeEntries(root, folders, 4));
                // one entry vanishes, so its run reports a failure
                QDir(root).rename(
                    QStringLiteral("entry0") + (folders ? "" : ".txt"), QStringLiteral("gone"));
            }
        }
        touchEveryControl(panel);
        // Tabs, imports, folder choices, and last the start buttons.
        QList<QAbstractButton *> starts;
        for (QAbstractButton *button : panel->findChildren<QAbstractButton *>()) {
            if (isInside(button, "QAbstractSpinBox") || qobject_cast<QCheckBox *>(button)
                || button->text() == QStringLiteral("重置设置"))
                continue;
            if (button->text().startsWith(QStringLiteral("开始")))
                starts << button;
            else
                button->click();
        }
        touchEveryControl(panel);
        for (QAbstractButton *button : starts)
            button->click();
        QTest::qWait(200);
    }

    // The capacity notice: one list asked to take more than it can hold.
    if (auto *list = window.findChild<EntryListBase *>())
        list->addPaths(makeEntries(dir.filePath(QStringLiteral("many")), false, 3001));
    // Exports and imports finish on the pool.
    QTest::qWait(1500);
    answer.stop();

    QStringList unpublished, unsubscribed;
    for (const QString &ns : namespaces) {
        QStringList names;
        for (const char *name :
            {Topic::RenameValueUpdate, Topic::NoticeName, Topic::ReplacePatternState}) {
            if (spy.seen.contains({ns, QString::fromUtf8(name)}))
                names << QString::fromUtf8(name);
        }
        if (names.isEmpty())
            unpublished << ns;
        for (const QString &name : names) {
            if (!subscribed.contains({ns, name}))
                unsubscribed << ns;
        }
    }
    QVERIFY2(unpublished.isEmpty(),
        qPrintable(QStringLiteral("never published: ") + unpublished.join(QStringLiteral(", "))));
    QVERIFY2(unsubscribed.isEmpty(),
        qPrintable(QStringLiteral("published with nobody listening: ") + unsubscribed.join(", ")));
}

int main(int argc, char **argv)
{
    // Exports and creations default to the desktop: keep them in a folder of the test's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    installFontFallbacks();
    app.setStyleSheet(readStyleSheet());
    TestBusKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_buskeys.moc"

// Every page where the user may not write: a read-only folder of the user's own, another user's
// folder, another user's entries in a shared (sticky) folder. Each failure must reach the bus
// with its message and its row must say "失败", and nothing on disk may change. Root writes
// anywhere, so this runs as an ordinary user; run-test starts it so and makes another user's
// entries, below QUORVEX_FOREIGN_DIR.
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateFilePage.h"
#include "create/CreateFilePropertyWidget.h"
#include "create/CreateSettings.h"
#include "create/CustormCreate.h"
#include "extract/CollectInfoPage.h"
#include "extract/CollectInfoPagePropertWidget.h"
#include "extract/CollectListWidget.h"
#include "extract/CollectSettings.h"
#include "lists/CustomTabelWidget.h"
#include "rename/CustormRename.h"
#include "rename/FileListWidget.h"
#include "rename/RenamePage.h"
#include "rename/RenamePageWidget.h"
#include "rename/RenamePropertyWidget.h"
#include "rename/RenameRules.h"
#include "tests/support/WhenModalOpens.h"
#include "times/TimeListWidget.h"
#include "times/TimePage.h"
#include "widgets/CustormCheckBox.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class MessageLog : public QObject
{
    Q_OBJECT
public:
    QStringList messages;
public slots:
    void onPropertyValueChanged(const QString &, const QString &, const QVariant &value)
    {
        messages << value.toString();
    }
};

template<class T = QAbstractButton> T *child(QWidget *root, const char *name)
{
    T *found = root->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

void press(QWidget *root, const char *name)
{
    QAbstractButton *button = child(root, name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

void flip(QWidget *root, const char *name)
{
    child<CustormCheckBox>(root, name)->findChild<QCheckBox *>()->click();
}

// The folder dialog a panel opens, answered with dir.
void chooseFolder(QWidget *root, const char *button, const QString &dir)
{
    whenModalOpens([dir](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->setDirectory(dir);
        static_cast<QDialog *>(dialog)->accept();
    });
    press(root, button);
}

// What the state labels of the page's list show.
QStringList shownStates(QWidget *page)
{
    QStringList texts;
    QTableWidget *table = page->findChild<CustomTabelWidget *>();
    for (int r = 0; table && r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            if (auto *label = qobject_cast<QLabel *>(table->cellWidget(r, c)))
                texts << label->text();
    return texts;
}

// Everything below root, as the kernel reports it: name, owner, mode, size, modification time.
QStringList disk(const QString &root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st;
        if (lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        lines << QStringLiteral("%1 %2 %3 %4 %5.%6")
                     .arg(path.mid(root.size()))
                     .arg(st.st_uid)
                     .arg(st.st_mode, 0, 8)
                     .arg(qint64(st.st_size))
                     .arg(qint64(st.st_mtim.tv_sec))
                     .arg(qint64(st.st_mtim.tv_nsec));
    }
    lines.sort();
    return lines;
}

} // namespace

class TestPermissions : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir;
    MessageLog log;

    // The folder a row works in; each holds "entry.txt" and the folder "entry".
    QString place(const QString &name)
    {
        if (name == QLatin1String("own read-only folder"))
            return dir->filePath(QStringLiteral("ro"));
        if (name == QLatin1String("own folder"))
            return dir->filePath(QStringLiteral("rw"));
        const QString foreign = qEnvironmentVariable("QUORVEX_FOREIGN_DIR");
        if (foreign.isEmpty())
            return QString();
        return foreign + (name == QLatin1String("shared folder") ? "/shared" : "/folder");
    }
    // A place that is what the row says it is (whose entries, whether we may write in it), or
    // a skip that says why it cannot be had.
    bool usable(const QString &name, QString *path)
    {
        *path = place(name);
        if (path->isEmpty()) {
            QTest::qSkip("no entries of another user: run-test makes them when started as "
                         "root (QUORVEX_FOREIGN_DIR)",
                __FILE__, __LINE__);
            return false;
        }
        const bool theirs = !name.startsWith(QLatin1String("own"));
        const bool writable
            = name == QLatin1String("own folder") || name == QLatin1String("shared folder");
        const QFileInfo entry(*path + QStringLiteral("/entry.txt"));
        if (!entry.isFile() || (entry.ownerId() != getuid()) != theirs
            || (access(QFile::encodeName(*path).constData(), W_OK) == 0) != writable) {
            QTest::qFail(qPrintable(*path + QStringLiteral(" is no ") + name), __FILE__, __LINE__);
            return false;
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        if (geteuid() == 0)
            QSKIP("runs as root, who may write anywhere: start it as an ordinary user "
                  "(tests/permissions/run-test does)");
        qputenv("HOME", home.path().toUtf8());
        QVERIFY(QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR))); // the templates
        CNvGlobalObserver::instance()->registerObserver(
            Topic::MessageErrorTip, Topic::NoticeName, &log, QUORVEX_BUS_SLOT);
    }
    void cleanupTestCase()
    {
        CNvGlobalObserver::instance()->unregisterObserver(
            Topic::MessageErrorTip, Topic::NoticeName, &log);
    }
    void init()
    {
        dir.reset(new QTemporaryDir);
        for (const char *sub : {"ro", "rw"}) {
            QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("%1/entry").arg(sub)));
            QFile file(dir->filePath(QStringLiteral("%1/entry.txt").arg(sub)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine"));
        }
        QVERIFY(QFile::setPermissions(dir->filePath("rw/entry.txt"), QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(
            dir->filePath("ro"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup));
        log.messages.clear();
        RenameRules::resetRecords(false);
        RenameRules::resetRecords(true);
        resetCreateSettings(*customCreateSettings());
        resetCollectSettings(fileCollectSettings());
    }
    void cleanup()
    {
        // Back to writable, so the folder can go.
        for (const char *sub : {"ro", "rw"})
            QFile::setPermissions(
                dir->filePath(sub), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        dir.reset();
    }

    void renameIsRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("undo"); // renamed first, the folder made read-only, then undone
        QTest::newRow("file/own read-only folder") << "own read-only folder" << false << false;
        QTest::newRow("folder/own read-only folder") << "own read-only folder" << true << false;
        QTest::newRow("file/another user's folder") << "another user's folder" << false << false;
        QTest::newRow("folder/another user's folder") << "another user's folder" << true << false;
        QTest::newRow("file/another user's, in a shared folder")
            << "shared folder" << false << false;
        QTest::newRow("folder/another user's, in a shared folder")
            << "shared folder" << true << false;
        QTest::newRow("file/undo in a folder made read-only") << "own folder" << false << true;
        QTest::newRow("folder/undo in a folder made read-only") << "own folder" << true << true;
    }
    void renameIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(bool, folder);
        QFETCH(bool, undo);
        QString at;
        if (!usable(where, &at))
            return;
        const QString ext = folder ? QString() : QStringLiteral(".txt");
        RenamePage page;
        page.setFolder(folder);
        page.show();
        page.pageWidget()->fileList()->addPaths({at + "/entry" + ext});
        child<QTextEdit>(page.propertyWidget()->customEditor(), "fileNameEdit")
            ->setPlainText("renamed");
        QString target = at + "/renamed" + ext;
        if (undo) {
            press(page.propertyWidget(), "setBtn");
            QCOMPARE(shownStates(&page), QStringList {"成功"});
            QVERIFY(QFile::setPermissions(at, QFile::ReadOwner | QFile::ExeOwner));
            target = at + "/entry" + ext;
        }
        const QStringList before = disk(at);
        if (undo)
            press(page.pageWidget(), "undo");
        else
            press(page.propertyWidget(), "setBtn");
        const QStringList after = disk(at);
        QFile::setPermissions(at, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(shownStates(&page), QStringList {"失败"});
        QCOMPARE(log.messages, QStringList {"命名文件“" + target + "”已经存在或者路径错误"});
        QCOMPARE(after, before);
        // Nothing renamed by this run: nothing to undo.
        QCOMPARE(child(page.pageWidget(), "undo")->isEnabled(), false);
    }

    void timesAreRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("written");
        QTest::newRow("file/another user's") << "another user's folder" << false << false;
        QTest::newRow("folder/another user's") << "another user's folder" << true << false;
        QTest::newRow("file/another user's, in a shared folder")
            << "shared folder" << false << false;
        // Control: one's own entries take times in a read-only folder too.
        QTest::newRow("file/own, in a read-only folder") << "own read-only folder" << false << true;
        QTest::newRow("folder/own, in a read-only folder")
            << "own read-only folder" << true << true;
    }
    void timesAreRefused()
    {
        QFETCH(QString, where);
        QFETCH(bool, folder);
        QFETCH(bool, written);
        QString at;
        if (!usable(where, &at))
            return;
        const QString path = at + (folder ? "/entry" : "/entry.txt");
        TimePage page;
        page.setFolder(folder);
        page.show();
        page.findChild<TimeListWidget *>()->addPaths({path});
        flip(&page, "modifiedTimeSetCheck");
        const QDateTime picked(QDate(2021, 6, 7), QTime(8, 9, 10));
        child<QDateTimeEdit>(&page, "modifiedDate")->setDateTime(picked);
        const QStringList before = disk(at);
        press(&page, "setBtn");
        QCOMPARE(shownStates(&page), QStringList {written ? "成功" : "失败"});
        QCOMPARE(child(&page, "undo")->isEnabled(), written);
        if (written) {
            QVERIFY(log.messages.isEmpty());
            QCOMPARE(QFileInfo(path).lastModified(), picked);
            return;
        }
        QCOMPARE(log.messages, QStringList {"设置文件“" + path + "”时间失败，请确认权限！"});
        QCOMPARE(disk(at), before);
    }

    void creationIsRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("kind"); // 0 folder, 1 Word, 5 text
        QTest::addColumn<bool>("made");
        QTest::newRow("text/own read-only folder") << "own read-only folder" << 5 << false;
        QTest::newRow("folder/own read-only folder") << "own read-only folder" << 0 << false;
        QTest::newRow("word/another user's folder") << "another user's folder" << 1 << false;
        QTest::newRow("folder/another user's folder") << "another user's folder" << 0 << false;
        // Control: a shared folder takes new entries.
        QTest::newRow("text/shared folder") << "shared folder" << 5 << true;
    }
    void creationIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(int, kind);
        QFETCH(bool, made);
        QString at;
        if (!usable(where, &at))
            return;
        CreateFilePage page;
        page.show();
        press(page.propertyWidget(), "custormBtn");
        QWidget *editor = page.propertyWidget()->customEditor();
        auto *kinds = child<QComboBox>(editor, "exportTypeCombox");
        kinds->setCurrentIndex(kind);
        emit kinds->activated(kind);
        chooseFolder(editor, "openPathBtn", at);
        child<QSpinBox>(editor, "createCountSpinBox")->setValue(2);
        child<QSpinBox>(editor, "incrementNumberSpinBox")->setValue(1);
        child<QLineEdit>(editor, "createNamelineEdit")->setText("新");
        const QStringList before = disk(at);
        press(page.propertyWidget(), "setBtn");
        const QString ext = QStringList {"", ".docx", "", "", "", ".txt"}.at(kind);
        const QStringList targets {at + "/0新" + ext, at + "/1新" + ext};
        if (made) {
            QCOMPARE(shownStates(&page), QStringList({"成功", "成功"}));
            QVERIFY(log.messages.isEmpty());
            for (const QString &target : targets)
                QVERIFY(QFile::remove(target));
            QCOMPARE(disk(at), before);
            return;
        }
        const QString message
            = kind == 0 ? "创建文件“%1”失败，请确认权限" : "请确认文件“%1”路径拥有权限";
        QCOMPARE(shownStates(&page), QStringList({"失败", "失败"}));
        QCOMPARE(log.messages, QStringList({message.arg(targets[0]), message.arg(targets[1])}));
        QCOMPARE(disk(at), before);
    }

    void exportIsRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx/own read-only folder") << "own read-only folder" << 0 << "list";
        QTest::newRow("docx/own read-only folder") << "own read-only folder" << 1 << "list";
        QTest::newRow("txt/another user's folder") << "another user's folder" << 2 << "list";
        QTest::newRow("xlsx/another user's folder") << "another user's folder" << 0 << "list";
        QTest::newRow("txt/over another user's file in a shared folder")
            << "shared folder" << 2 << "entry";
        QTest::newRow("txt/over a read-only file of one's own") << "own folder" << 2 << "entry";
    }
    void exportIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(int, format);
        QFETCH(QString, name);
        QString at;
        if (!usable(where, &at))
            return;
        CollectInfoPage page;
        page.setFolder(false);
        page.show();
        page.findChild<CollectListWidget *>()->addPaths(
            {dir->filePath("rw/entry.txt"), dir->filePath("ro/entry.txt")});
        QWidget *panel = page.propertyWidget();
        QTest::keyClicks(child<QLineEdit>(panel, "exportName"), name);
        child<QComboBox>(panel, "exportTypeCombox")->setCurrentIndex(format);
        chooseFolder(panel, "openDirBtn", at);
        const QStringList before = disk(at);
        press(panel, "setBtn");
        QTRY_VERIFY_WITH_TIMEOUT(
            !shownStates(&page).contains("进行中") && !log.messages.isEmpty(), 60000);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(log.messages, QStringList {"保存文件失败！"});
        QCOMPARE(shownStates(&page), QStringList({"失败", "失败"}));
        QCOMPARE(disk(at), before);
    }
};

QTEST_MAIN(TestPermissions)
#include "tst_permissions.moc"

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

template<class T = QAbstractButton> T *child(QWidget *root, const char *name)
{
    return root->findChild<T *>(QString::fromLatin1(name));
}

void press(QWidget *root, const char *name)
{
    QAbstractButton *button = child(root, name);
    QVERIFY2(button && button->isEnabled(), name);
    button->click();
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
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            if (auto *label = qobject_cast<QLabel *>(table->cellWidget(r, c)))
                texts << label->text();
    return texts;
}

// Everything below root as the kernel reports it: name, owner, mode, size, modification time.
QStringList disk(const QString &root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    struct stat st;
    while (it.hasNext())
        if (lstat(QFile::encodeName(it.next()).constData(), &st) == 0)
            lines << it.filePath()
                    + QString::asprintf(" %u %o %lld %lld.%09ld", st.st_uid, st.st_mode,
                        qint64(st.st_size), qint64(st.st_mtim.tv_sec), st.st_mtim.tv_nsec);
    lines.sort();
    return lines;
}

} // namespace

class TestPermissions : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir;
    QStringList messages; // what reached the user's message box, in order

    // The folder a row works in, each holding "entry.txt" and the folder "entry": "ro" a
    // read-only folder of ours, "rw" a folder of ours with a read-only entry.txt, "theirs"
    // another user's folder, "shared" a sticky folder we may write in, with another user's
    // entries. Checked to be what it says; empty after a skip or a failure.
    QString place(const QString &key)
    {
        const bool ours = key.startsWith('r');
        const QString foreign = qEnvironmentVariable("QUORVEX_FOREIGN_DIR");
        if (!ours && foreign.isEmpty()) {
            QTest::qSkip("no entries of another user: run-test makes them when started as root",
                __FILE__, __LINE__);
            return QString();
        }
        const QString at
            = ours ? dir->filePath(key) : foreign + (key == "shared" ? "/shared" : "/folder");
        const QFileInfo entry(at + "/entry.txt");
        const bool writable = access(QFile::encodeName(at).constData(), W_OK) == 0;
        if (!entry.isFile() || (entry.ownerId() == getuid()) != ours
            || writable != (key == "rw" || key == "shared")) {
            QTest::qFail(qPrintable(at + " is not what the row needs"), __FILE__, __LINE__);
            return QString();
        }
        return at;
    }

public slots:
    void onPropertyValueChanged(const QString &, const QString &, const QVariant &value)
    {
        messages << value.toString();
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
            Topic::MessageErrorTip, Topic::NoticeName, this, QUORVEX_BUS_SLOT);
    }
    void cleanupTestCase()
    {
        CNvGlobalObserver::instance()->unregisterObserver(
            Topic::MessageErrorTip, Topic::NoticeName, this);
    }
    void init()
    {
        dir.reset(new QTemporaryDir);
        for (const QString sub : {"ro", "rw"}) {
            QFile file(dir->filePath(sub + "/entry.txt"));
            QVERIFY(QDir(dir->path()).mkpath(sub + "/entry") && file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::setPermissions(dir->filePath("rw/entry.txt"), QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(dir->filePath("ro"), QFile::ReadOwner | QFile::ExeOwner));
        messages.clear();
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
        QTest::newRow("file/own read-only folder") << "ro" << false << false;
        QTest::newRow("folder/own read-only folder") << "ro" << true << false;
        QTest::newRow("file/another user's folder") << "theirs" << false << false;
        QTest::newRow("folder/another user's folder") << "theirs" << true << false;
        QTest::newRow("file/another user's, in a shared folder") << "shared" << false << false;
        QTest::newRow("folder/another user's, in a shared folder") << "shared" << true << false;
        QTest::newRow("file/undo in a folder made read-only") << "rw" << false << true;
        QTest::newRow("folder/undo in a folder made read-only") << "rw" << true << true;
    }
    void renameIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(bool, folder);
        QFETCH(bool, undo);
        const QString at = place(where);
        if (at.isEmpty())
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
        press(undo ? static_cast<QWidget *>(page.pageWidget()) : page.propertyWidget(),
            undo ? "undo" : "setBtn");
        const QStringList after = disk(at);
        QFile::setPermissions(at, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(shownStates(&page), QStringList {"失败"});
        QCOMPARE(messages, QStringList {"命名文件“" + target + "”已经存在或者路径错误"});
        QCOMPARE(after, before);
        // Nothing renamed by this run: nothing to undo.
        QCOMPARE(child(page.pageWidget(), "undo")->isEnabled(), false);
    }

    void timesAreRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("written");
        QTest::newRow("file/another user's") << "theirs" << false << false;
        QTest::newRow("folder/another user's") << "theirs" << true << false;
        QTest::newRow("file/another user's, in a shared folder") << "shared" << false << false;
        // Control: one's own entries take times in a read-only folder too.
        QTest::newRow("file/own, in a read-only folder") << "ro" << false << true;
        QTest::newRow("folder/own, in a read-only folder") << "ro" << true << true;
    }
    void timesAreRefused()
    {
        QFETCH(QString, where);
        QFETCH(bool, folder);
        QFETCH(bool, written);
        const QString at = place(where);
        if (at.isEmpty())
            return;
        const QString path = at + (folder ? "/entry" : "/entry.txt");
        TimePage page;
        page.setFolder(folder);
        page.show();
        page.findChild<TimeListWidget *>()->addPaths({path});
        child<CustormCheckBox>(&page, "modifiedTimeSetCheck")->findChild<QCheckBox *>()->click();
        const QDateTime picked(QDate(2021, 6, 7), QTime(8, 9, 10));
        child<QDateTimeEdit>(&page, "modifiedDate")->setDateTime(picked);
        const QStringList before = disk(at);
        press(&page, "setBtn");
        QCOMPARE(shownStates(&page), QStringList {written ? "成功" : "失败"});
        QCOMPARE(child(&page, "undo")->isEnabled(), written);
        const QString message = "设置文件“" + path + "”时间失败，请确认权限！";
        QCOMPARE(messages, written ? QStringList() : QStringList {message});
        QCOMPARE(QFileInfo(path).lastModified() == picked, written);
        if (!written)
            QCOMPARE(disk(at), before);
    }

    void creationIsRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("kind"); // 0 folder, 1 Word, 5 text
        QTest::addColumn<bool>("made");
        QTest::newRow("text/own read-only folder") << "ro" << 5 << false;
        QTest::newRow("folder/own read-only folder") << "ro" << 0 << false;
        QTest::newRow("word/another user's folder") << "theirs" << 1 << false;
        QTest::newRow("folder/another user's folder") << "theirs" << 0 << false;
        // Control: a shared folder takes new entries.
        QTest::newRow("text/shared folder") << "shared" << 5 << true;
    }
    void creationIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(int, kind);
        QFETCH(bool, made);
        const QString at = place(where);
        if (at.isEmpty())
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
        const QString message
            = kind == 0 ? "创建文件“%1”失败，请确认权限" : "请确认文件“%1”路径拥有权限";
        const QString state = made ? "成功" : "失败";
        QCOMPARE(shownStates(&page), QStringList({state, state}));
        const QStringList told {message.arg(targets[0]), message.arg(targets[1])};
        QCOMPARE(messages, made ? QStringList() : told);
        for (const QString &target : targets) // made exactly when told so, and taken away again
            QCOMPARE(QFile::remove(target), made);
        QCOMPARE(disk(at), before);
    }

    void exportIsRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx/own read-only folder") << "ro" << 0 << "list";
        QTest::newRow("docx/own read-only folder") << "ro" << 1 << "list";
        QTest::newRow("txt/another user's folder") << "theirs" << 2 << "list";
        QTest::newRow("xlsx/another user's folder") << "theirs" << 0 << "list";
        QTest::newRow("txt/over another user's file in a shared folder")
            << "shared" << 2 << "entry";
        QTest::newRow("txt/over a read-only file of one's own") << "rw" << 2 << "entry";
    }
    void exportIsRefused()
    {
        QFETCH(QString, where);
        QFETCH(int, format);
        QFETCH(QString, name);
        const QString at = place(where);
        if (at.isEmpty())
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
            !shownStates(&page).contains("进行中") && !messages.isEmpty(), 20000);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(messages, QStringList {"保存文件失败！"});
        QCOMPARE(shownStates(&page), QStringList({"失败", "失败"}));
        QCOMPARE(disk(at), before);
    }
};

QTEST_MAIN(TestPermissions)
#include "tst_permissions.moc"

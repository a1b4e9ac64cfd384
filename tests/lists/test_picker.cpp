// Pikvale loaded the way the program loads it, with its dialog driven like a user would.
#include "lists/FolderPicker.h"
#include "tests/lists/ListTests.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLibraryInfo>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Selects folders (by name, in this order, Ctrl held after the first) in the open picker
// inside dir, then presses its accept button.
void chooseInPicker(QWidget *modal, const QString &dir, const QStringList &names, QString *title)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    QVERIFY(dialog);
    *title = dialog->windowTitle();
    dialog->setDirectory(dir);
    auto *list = dialog->findChild<QListView *>("listView");
    QVERIFY(list);
    auto *model = qobject_cast<QFileSystemModel *>(list->model());
    QVERIFY(model);
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (const QString &name : names) {
        const QModelIndex index = model->index(dir + "/" + name);
        QTRY_VERIFY(list->visualRect(index).isValid());
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, modifiers, list->visualRect(index).center());
        modifiers = Qt::ControlModifier;
    }
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QPushButton *accept = buttons->button(QDialogButtonBox::Open);
    QVERIFY(accept && accept->isEnabled());
    accept->click();
}

} // namespace

class TestFolderPicker : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        for (const char *name : {"a", "b", "c", "semi;colon", "文件夹"})
            QVERIFY(QDir(tmp.path()).mkpath(name));
    }
    void init() { setPikvaleLibraryPath(QStringLiteral(QUORVEX_RUNTIME_DIR "/Pikvale")); }

    void chosenFoldersComeBackInOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("three/clicked c a b") << QStringList {"c", "a", "b"};
        QTest::newRow("one") << QStringList {"b"};
        QTest::newRow("names with ; and Chinese") << QStringList {"semi;colon", "文件夹"};
    }
    void chosenFoldersComeBackInOrder()
    {
        QFETCH(QStringList, names);
        QString title;
        const QString dir = tmp.path();
        whenModalOpens([&](QWidget *modal) {
            chooseInPicker(modal, dir, names, &title);
            if (modal->isVisible()) // a failed step must not leave the dialog waiting
                static_cast<QDialog *>(modal)->reject();
        });
        const QStringList folders = openFolderPicker(QStringLiteral("选择目录"));
        QStringList expected;
        for (const QString &name : names)
            expected.append(dir + "/" + name);
        QCOMPARE(folders, expected);
        QCOMPARE(title, QString("选择目录"));
    }

    void cancelGivesNothing()
    {
        whenModalOpens([](QWidget *modal) {
            QVERIFY(qobject_cast<QFileDialog *>(modal));
            static_cast<QDialog *>(modal)->reject();
        });
        QCOMPARE(openFolderPicker(QStringLiteral("选择目录")), QStringList());
    }

    void unusableLibraryShowsError_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing library") << tmp.path() + "/nowhere/Pikvale";
        // A real library without the export.
        QTest::newRow("export missing")
            << QLibraryInfo::location(QLibraryInfo::LibrariesPath) + "/libQt5Core.so.5";
    }
    void unusableLibraryShowsError()
    {
        QFETCH(QString, path);
        setPikvaleLibraryPath(path);
        QString boxTitle, boxText;
        whenModalOpens([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            boxTitle = box->windowTitle();
            boxText = box->text();
            box->accept();
        });
        QCOMPARE(openFolderPicker(QStringLiteral("选择目录")), QStringList());
        QCOMPARE(boxTitle, QString("无法选择文件夹"));
        QVERIFY(!boxText.isEmpty());
    }
};

REGISTER_LIST_TEST(TestFolderPicker)
#include "test_picker.moc"

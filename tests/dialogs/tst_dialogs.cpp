// The dialogs Qt draws for the program (file and folder choices, Pikvale's picker, the
// loader's error box) must be readable under the program's dark stylesheet: each is opened
// the way a user opens it, grabbed, and its texts are measured against their background.
#include "create/CreateFilePage.h"
#include "create/CreateFilePropertyWidget.h"
#include "create/CustormCreate.h"
#include "create/ImportCreate.h"
#include "lists/FolderPicker.h"
#include "rename/Import.h"
#include "rename/RenamePage.h"
#include "rename/RenamePageWidget.h"
#include "rename/RenamePropertyWidget.h"
#include "tests/support/WhenModalOpens.h"
#include "widgets/AppStyle.h"
#include "widgets/QtTranslations.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

double channel(int value)
{
    const double s = value / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double luminance(QRgb c)
{
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background is the commonest colour of the area; the text is its pixel that stands out
// most from it (the core of a glyph stroke). An area without text measures 1.
double textContrast(const QImage &shot, const QRect &area)
{
    const QRect r = area.intersected(shot.rect());
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000u];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), background));
    return best;
}

struct Measure
{
    QString what;
    QRect area; // in the dialog's coordinates
};

QRect inDialog(QWidget *dialog, QWidget *widget, const QRect &rect)
{
    return QRect(widget->mapTo(dialog, rect.topLeft()), rect.size());
}

// The text part of each shown row of a file view (the icon left out) and its header.
void viewAreas(QWidget *dialog, QAbstractItemView *view, const QString &name, QVector<Measure> *out)
{
    const QModelIndex root = view->rootIndex();
    const int icon = view->iconSize().isValid()
        ? view->iconSize().width()
        : view->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int rows = view->model()->rowCount(root);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = view->model()->index(row, 0, root);
        QRect rect = view->visualRect(index);
        if (!rect.isValid() || !view->viewport()->rect().intersects(rect))
            continue;
        rect.setLeft(rect.left() + icon + 6);
        rect = rect.intersected(view->viewport()->rect());
        const bool selected = view->selectionModel()->isSelected(index);
        out->append({QStringLiteral("%1 row \"%2\"%3")
                         .arg(name, index.data().toString(),
                             selected ? QStringLiteral(" (selected)") : QString()),
            inDialog(dialog, view->viewport(), rect)});
    }
    if (auto *tree = qobject_cast<QTreeView *>(view)) {
        QHeaderView *header = tree->header();
        if (header->isVisible()) {
            const int width = header->sectionSize(0);
            out->append({name + QStringLiteral(" header"),
                inDialog(dialog, header->viewport(),
                    QRect(header->sectionViewportPosition(0), 0, width, header->height()))});
        }
    }
}

QVector<Measure> fileDialogAreas(QFileDialog *dialog)
{
    QVector<Measure> areas;
    for (QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>()) {
        if (!view->isVisible() || !view->model() || qobject_cast<QHeaderView *>(view))
            continue;
        // The completer's popup is not shown; the sidebar and the file view are.
        viewAreas(dialog, view, view->objectName(), &areas);
    }
    if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        areas.append({QStringLiteral("file-name field \"%1\"").arg(edit->text()),
            inDialog(dialog, edit, edit->rect().adjusted(3, 3, -3, -3))});
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->isVisible() && label->isEnabled() && !label->text().isEmpty())
            areas.append({QStringLiteral("label \"%1\"").arg(label->text()),
                inDialog(dialog, label, label->contentsRect())});
    }
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->isVisible() && button->isEnabled() && !button->text().isEmpty())
            areas.append({QStringLiteral("button \"%1\"").arg(button->text()),
                inDialog(dialog, button, button->rect().adjusted(2, 2, -2, -2))});
    }
    return areas;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<RenamePage> filePage;
    std::unique_ptr<CreateFilePage> createPage;

    // What the measuring found, filled inside the dialog's own modal loop.
    QStringList unreadable;
    QStringList measured;
    QString opened;
    QString shotName;
    bool listMode = false;

    void measureFileDialog(QWidget *modal)
    {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(dialog, modal->metaObject()->className());
        opened = dialog->windowTitle();
        dialog->setDirectory(dir.path());
        // The user's choice of view: Qt keeps it from one dialog to the next.
        auto *mode = dialog->findChild<QToolButton *>(
            listMode ? QStringLiteral("listModeButton") : QStringLiteral("detailModeButton"));
        QVERIFY(mode);
        mode->click();
        auto *model = dialog->findChild<QFileSystemModel *>();
        QVERIFY(model);
        const QModelIndex root = model->index(dir.path());
        QTRY_VERIFY(model->rowCount(root) >= 2); // the two folders, also where only folders show
        // The user picks the first entry: the list shows a selected row, the field its name.
        QAbstractItemView *view = nullptr;
        for (QAbstractItemView *candidate : dialog->findChildren<QAbstractItemView *>()) {
            if (candidate->isVisible() && !qobject_cast<QHeaderView *>(candidate)
                && candidate->objectName() != QLatin1String("sidebar"))
                view = candidate;
        }
        QVERIFY(view);
        QTRY_VERIFY(view->visualRect(view->model()->index(0, 0, view->rootIndex())).isValid());
        // The user picks the first entry the dialog takes (a folder where it asks for folders,
        // else a file), so that the name field shows it whatever folder the dialog began in.
        const bool folders = dialog->fileMode() == QFileDialog::Directory
            || dialog->testOption(QFileDialog::ShowDirsOnly);
        QModelIndex pick;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()) && !pick.isValid();
             ++row) {
            const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
            if (QFileInfo(index.data(QFileSystemModel::FilePathRole).toString()).isDir() == folders)
                pick = index;
        }
        QVERIFY(pick.isValid());
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(pick).center());
        QTest::qWait(50);
        measure(dialog, fileDialogAreas(dialog));
    }

    void measureMessageBox(QWidget *modal)
    {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY2(box, modal->metaObject()->className());
        opened = box->windowTitle();
        QTest::qWait(20);
        QVector<Measure> areas;
        for (QLabel *label : box->findChildren<QLabel *>()) {
            if (label->isVisible() && !label->text().isEmpty())
                areas.append({QStringLiteral("label \"%1\"").arg(label->text().left(40)),
                    inDialog(box, label, label->contentsRect())});
        }
        measure(box, areas);
    }

    void measure(QWidget *dialog, const QVector<Measure> &areas)
    {
        const QImage shot = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // QUORVEX_DIALOG_SHOTS=<folder> keeps the grabs, for looking at them.
        const QString shots = qEnvironmentVariable("QUORVEX_DIALOG_SHOTS");
        if (!shots.isEmpty())
            shot.save(QDir(shots).filePath(shotName));
        for (const Measure &m : areas) {
            const double ratio = textContrast(shot, m.area);
            measured.append(m.what);
            if (ratio < 4.5)
                unreadable.append(QStringLiteral("%1: %2").arg(m.what).arg(ratio, 0, 'f', 2));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // The program's look, as main() sets it up.
        QVERIFY(QFile::exists(QUORVEX_RUNTIME_DIR "/translations/qtbase_zh_CN.qm"));
        QVERIFY(installQtTranslations());
        installFontFallbacks();
        qApp->setStyleSheet(readStyleSheet());
        QVERIFY(!qApp->styleSheet().isEmpty());
        for (const char *name : {"报告 2024.xlsx", "names.xlsx", "notes.txt"}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        for (const char *name : {"照片", "backup"})
            QVERIFY(QDir(dir.path()).mkdir(QString::fromUtf8(name)));

        filePage = std::make_unique<RenamePage>();
        filePage->setFolder(false);
        filePage->resize(1300, 760);
        filePage->show();
        QVERIFY(QTest::qWaitForWindowExposed(filePage.get()));
        createPage = std::make_unique<CreateFilePage>();
        createPage->resize(1300, 760);
        createPage->show();
        QVERIFY(QTest::qWaitForWindowExposed(createPage.get()));
    }

    void init()
    {
        unreadable.clear();
        measured.clear();
        opened.clear();
        setPikvaleLibraryPath(QStringLiteral(QUORVEX_RUNTIME_DIR "/Pikvale"));
    }

    // The list that drops below the file-name field while a path is typed is a window of its
    // own, outside the dialog: it must be as readable as the dialog.
    void completionListReadable()
    {
        shotName = QStringLiteral("quorvex-dialog-completion.png");
        whenModalOpens([this](QWidget *modal) {
            auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit && edit->completer());
            static_cast<QFileDialog *>(modal)->setDirectory(dir.path());
            QTest::keyClicks(edit, dir.path() + QStringLiteral("/n"));
            QCompleter *completer = edit->completer();
            QTRY_VERIFY(completer->completionCount() >= 2); // names.xlsx, notes.txt
            if (!completer->popup()->isVisible())
                completer->complete();
            QAbstractItemView *popup = completer->popup();
            QTRY_VERIFY(popup->isVisible());
            QTest::qWait(50);
            QVector<Measure> areas;
            for (int row = 0; row < popup->model()->rowCount(popup->rootIndex()); ++row) {
                const QModelIndex index = popup->model()->index(row, 0, popup->rootIndex());
                // the text only: the icon's own dark pixels would pass for text
                const QRect rect = popup->visualRect(index).adjusted(
                    popup->iconSize().isValid() ? popup->iconSize().width() + 8 : 32, 0, 0, 0);
                areas.append({QStringLiteral("completion \"%1\"").arg(index.data().toString()),
                    inDialog(popup, popup->viewport(), rect)});
            }
            measure(popup, areas);
            popup->hide();
            static_cast<QDialog *>(modal)->reject();
        });
        filePage->findChild<RenamePageWidget *>(QStringLiteral("editWidgget"))
            ->findChild<QToolButton *>(QStringLiteral("addFile"))
            ->click();
        QVERIFY2(measured.size() >= 2, qPrintable(measured.join("; ")));
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
    }

    void readable_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("title");
        QTest::newRow("添加文件/file page") << "addFile"
                                            << "选择要添加的文件";
        QTest::newRow("添加文件夹/Pikvale picker") << "addFolder"
                                                   << "选择要添加的文件夹";
        QTest::newRow("添加文件/list mode") << "addFileListMode"
                                            << "选择要添加的文件";
        QTest::newRow("导入/workbook choice inside the panel") << "import"
                                                               << "选择要导入名称的Excel文件";
        QTest::newRow("folder choice/getExistingDirectory") << "existingDirectory"
                                                            << "选择文件夹";
        QTest::newRow("save choice/getSaveFileName inside the panel") << "saveFile"
                                                                      << "保存";
        QTest::newRow("批量生成/target folder") << "createTarget"
                                                << "选择创建目录";
        QTest::newRow("批量生成/workbook choice") << "createImport"
                                                  << "选择要导入名称的Excel文件";
        QTest::newRow("picker missing/error box") << "missingPicker"
                                                  << "无法选择文件夹";
    }

    void readable()
    {
        QFETCH(QString, how);
        QFETCH(QString, title);
        shotName = QStringLiteral("quorvex-dialog-%1.png").arg(how);
        auto *left = filePage->findChild<RenamePageWidget *>(QStringLiteral("editWidgget"));
        QVERIFY(left);
        RenamePropertyWidget *panel = filePage->propertyWidget();

        QStringList english; // texts and tooltips on view without a Chinese word
        whenModalOpens([this, &english](QWidget *modal) {
            for (QWidget *w : modal->findChildren<QWidget *>()) // file names are no UI text
                for (const QString &text : {w->toolTip(),
                         qobject_cast<QLineEdit *>(w) ? QString() : w->property("text").toString()})
                    if (w->isVisible() && !text.isEmpty()
                        && !text.contains(QRegExp("[\\x4e00-\\x9fff]")))
                        english << text;
            if (qobject_cast<QMessageBox *>(modal))
                measureMessageBox(modal);
            else
                measureFileDialog(modal);
            if (modal->isVisible()) // whatever happened, the call under test must return
                static_cast<QDialog *>(modal)->reject();
        });
        listMode = how == QLatin1String("addFileListMode");
        if (how == QLatin1String("addFile") || listMode) {
            left->findChild<QToolButton *>(QStringLiteral("addFile"))->click();
        } else if (how == QLatin1String("addFolder")) {
            left->findChild<QToolButton *>(QStringLiteral("addFolder"))->click();
        } else if (how == QLatin1String("import")) {
            panel->importEditor()
                ->findChild<QToolButton *>(QStringLiteral("importExcelBtn"))
                ->click();
        } else if (how == QLatin1String("existingDirectory")) {
            QFileDialog::getExistingDirectory(nullptr, QStringLiteral("选择文件夹"), dir.path());
        } else if (how == QLatin1String("saveFile")) {
            QFileDialog::getSaveFileName(
                panel, QStringLiteral("保存"), dir.path(), QStringLiteral("*.xlsx"));
        } else if (how == QLatin1String("createTarget")) {
            createPage->propertyWidget()
                ->customEditor()
                ->findChild<QAbstractButton *>(QStringLiteral("openPathBtn"))
                ->click();
        } else if (how == QLatin1String("createImport")) {
            createPage->propertyWidget()
                ->importEditor()
                ->findChild<QAbstractButton *>(QStringLiteral("importExcelBtn"))
                ->click();
        } else if (how == QLatin1String("missingPicker")) {
            setPikvaleLibraryPath(dir.filePath(QStringLiteral("nowhere/Pikvale")));
            left->findChild<QToolButton *>(QStringLiteral("addFolder"))->click();
        }
        QCOMPARE(opened, title);
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral("; "))));
        QVERIFY2(measured.size() >= 1, "nothing was measured");
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
        if (how != QLatin1String("missingPicker")) {
            // The list, the name field and the labels were all there to be measured.
            for (const char *part : {" row ", "file-name field", "label "})
                QVERIFY2(!measured.filter(QLatin1String(part)).isEmpty(),
                    qPrintable(QStringLiteral("no %1 in: %2")
                                   .arg(QLatin1String(part), measured.join("; "))));
        }
    }

    void cleanupTestCase() { filePage.reset(); }
};

int main(int argc, char *argv[])
{
    // The file dialogs store their state among the user's settings: keep those untouched.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // the program's shipped files, Qt's translations among them, as from its run-time folder
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogs.moc"

// Builds the main window offscreen at 1340 by 835 and saves every page as a PNG:
//   QT_QPA_PLATFORM=offscreen pageshots <folder>
// To show a page with content, add a filler to pageFillers() below.
#include "app/MainWindow.h"
#include "create/CreateFilePropertyWidget.h"
#include "create/CreateSettings.h"
#include "create/CustormCreate.h"
#include "create/ImportCreate.h"
#include "extract/CollectListWidget.h"
#include "filetime/CaptureTimes.h"
#include "office/Xlsx.h"
#include "rename/CustormRename.h"
#include "rename/FileListWidget.h"
#include "times/TimeListWidget.h"
#include "widgets/AppStyle.h"
#include "widgets/CustormCheckBox.h"
#include "widgets/GrayLayerWidget.h"
#include "widgets/SettingMenu.h"
#include "widgets/StyledButtons.h"
#include "widgets/StyledInputs.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace {

// Real files and folders that fillers can put into the lists.
struct Samples
{
    QString root;
    QStringList files;
    QStringList folders;
};

// While a filler answers a dialog itself, the tool's dismisser leaves it alone.
bool fillerAnswersDialog = false;

// Fills one page before its picture is taken; isFolderPage tells the folder variant of a pair.
using Filler = std::function<void(QWidget *page, bool isFolderPage, const Samples &samples)>;

// Page object name -> its filler. Pages without one are shown empty.
QMap<QString, Filler> pageFillers()
{
    QMap<QString, Filler> fillers;

    // Both rename pages: entries, and a numbered custom rule typed into the editor.
    auto renamePage = [](QWidget *page, bool isFolderPage, const Samples &s) {
        if (auto *list = page->findChild<FileListWidget *>())
            list->addPaths(isFolderPage ? s.folders : QStringList(s.files.mid(0, 8)));
        auto *editor = page->findChild<CustormRename *>(QStringLiteral("custormPage"));
        if (!editor)
            return;
        editor->findChild<QTextEdit *>(QStringLiteral("fileNameEdit"))
            ->setPlainText(isFolderPage ? QStringLiteral("归档_") : QStringLiteral("旅行照片_"));
        if (auto *numbering
            = editor->findChild<CustormCheckBox *>(QStringLiteral("numberSetCheck")))
            numbering->findChild<QCheckBox *>()->click();
        editor->findChild<QAbstractButton *>(QStringLiteral("lastBtn"))->click();
        editor->findChild<QSpinBox *>(QStringLiteral("startNumberSpinBox"))->setValue(1);
        editor->findChild<QSpinBox *>(QStringLiteral("incrementNumberSpinBox"))->setValue(1);
        editor->findChild<QSpinBox *>(QStringLiteral("numberCountSpinBox"))->setValue(3);
    };
    fillers.insert(QStringLiteral("fileRenamePage"), renamePage);
    fillers.insert(QStringLiteral("folderRenamePage"), renamePage);
    // Both time pages: entries, and a rule that sets the modification time (and on the file
    // page the creation time as well).
    auto timePage = [](QWidget *page, bool isFolderPage, const Samples &s) {
        if (auto *list = page->findChild<TimeListWidget *>())
            list->addPaths(isFolderPage ? s.folders : s.files);
        auto pick = [page](const char *editor, const QDateTime &when) {
            if (auto *e = page->findChild<QDateTimeEdit *>(QLatin1String(editor)))
                e->setDateTime(when);
        };
        auto flip = [page](const char *name) {
            if (auto *box = page->findChild<CustormCheckBox *>(QLatin1String(name)))
                box->findChild<QCheckBox *>()->click();
        };
        pick("modifiedDate", QDateTime(QDate(2024, 7, 15), QTime(14, 30, 0)));
        flip("modifiedTimeSetCheck");
        if (!isFolderPage) {
            pick("birthDate", QDateTime(QDate(2024, 5, 1), QTime(9, 0, 0)));
            flip("birthTimeSetCheck");
        }
    };
    fillers.insert(QStringLiteral("fileTimePropertyPage"), timePage);
    fillers.insert(QStringLiteral("folderTimePropertyPage"), timePage);
    // Extraction pages: entries and an export name; the file page also exports (as text,
    // without the creation time) into the sample folder, so its rows show the outcome.
    fillers.insert(
        QStringLiteral("collectFileNamePage"), [](QWidget *page, bool, const Samples &s) {
            if (auto *list = page->findChild<CollectListWidget *>())
                list->addPaths(s.files);
            page->findChild<QLineEdit *>(QStringLiteral("exportName"))
                ->setText(QStringLiteral("文件清单"));
            page->findChild<QComboBox *>(QStringLiteral("exportTypeCombox"))->setCurrentIndex(2);
            page->findChild<QAbstractButton *>(QStringLiteral("noBirthBtn"))->click();
            fillerAnswersDialog = true;
            QTimer answer;
            QObject::connect(&answer, &QTimer::timeout, [&answer, &s] {
                if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                    answer.stop();
                    dialog->setDirectory(s.root);
                    static_cast<QDialog *>(dialog)->accept();
                }
            });
            answer.start(5);
            page->findChild<QAbstractButton *>(QStringLiteral("openDirBtn"))->click();
            fillerAnswersDialog = false;
            page->findChild<QAbstractButton *>(QStringLiteral("setBtn"))->click();
            QThreadPool::globalInstance()->waitForDone();
            for (int i = 0; i < 10; ++i)
                QApplication::processEvents();
        });
    fillers.insert(
        QStringLiteral("collectFolderNamePage"), [](QWidget *page, bool, const Samples &s) {
            if (auto *list = page->findChild<CollectListWidget *>())
                list->addPaths(s.folders);
            page->findChild<QLineEdit *>(QStringLiteral("exportName"))
                ->setText(QStringLiteral("文件夹清单"));
        });
    // Batch creation: the custom tab numbering Word documents.
    fillers.insert(
        QStringLiteral("batchCreateFolderPage"), [](QWidget *page, bool, const Samples &) {
            auto *panel = page->findChild<CreateFilePropertyWidget *>();
            if (!panel)
                return;
            panel->findChild<QAbstractButton *>(QStringLiteral("custormBtn"))->click();
            QWidget *editor = panel->customEditor();
            auto *kind = editor->findChild<QComboBox *>(QStringLiteral("exportTypeCombox"));
            kind->setCurrentIndex(1);
            emit kind->activated(1);
            editor->findChild<QLineEdit *>(QStringLiteral("createNamelineEdit"))
                ->setText(QStringLiteral("项目报告_"));
            editor->findChild<QAbstractButton *>(QStringLiteral("lastBtn"))->click();
            editor->findChild<QSpinBox *>(QStringLiteral("startNumberSpinBox"))->setValue(1);
            editor->findChild<QSpinBox *>(QStringLiteral("incrementNumberSpinBox"))->setValue(1);
            editor->findChild<QSpinBox *>(QStringLiteral("numberCountSpinBox"))->setValue(2);
            editor->findChild<QSpinBox *>(QStringLiteral("createCountSpinBox"))->setValue(12);
        });
    return fillers;
}

// The import tab of the creation page with a workbook read: folders named by its first column.
void showCreationImport(MainWindow &window, const Samples &samples)
{
    auto *panel = window.findChild<CreateFilePropertyWidget *>();
    if (!panel)
        return;
    const QString book = QDir(samples.root).filePath(QStringLiteral("客户名单.xlsx"));
    Xlsx::Document document;
    const QStringList names = {"北京分公司", "上海分公司", "广州分公司", "深圳分公司", "Projects",
        "财务 2024", "合同扫描件", "archive"};
    for (int i = 0; i < names.size(); ++i)
        document.write(i + 1, 1, names.at(i));
    if (!document.saveAs(book))
        return;
    panel->findChild<QAbstractButton *>(QStringLiteral("importBtn"))->click();
    panel->importEditor()->loadWorkbook(book);
    for (int i = 0; i < 200 && importCreateSettings()->names.isEmpty(); ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

Samples makeSamples(const QString &root)
{
    Samples samples;
    samples.root = root;
    const QStringList fileNames = {
        "旅行照片 001.jpg",
        "旅行照片 002.jpg",
        "会议纪要.docx",
        "2024年度报告.xlsx",
        "readme.txt",
        "archive.tar.gz",
        "項目計劃書.pptx",
        "发票-0315.pdf",
        "IMG_20240501.png",
        "notes",
        "数据备份.zip",
        "Résumé final.docx",
    };
    const QStringList folderNames = {"客户资料", "Projects 2024", "照片", "合同扫描件", "misc"};
    QDir dir(root);
    for (const QString &name : folderNames) {
        if (dir.mkpath(name))
            samples.folders << dir.filePath(name);
    }
    for (const QString &name : fileNames) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(name.toUtf8());
            samples.files << file.fileName();
        }
    }
    // The two photos get real pictures and the time they were taken (where exiftool is
    // installed), for the time page's "拍摄时间".
    static const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 1, 1, 1, 1, 1, 1,
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0xFF, 0xC0, 0x00, 0x0B,
        0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 1, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x10, 1, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F,
        0x00, 0x3F, 0xFF, 0xD9};
    for (int i = 0; i < 2; ++i) {
        QFile photo(samples.files.at(i));
        if (photo.open(QIODevice::WriteOnly))
            photo.write(reinterpret_cast<const char *>(jpeg), sizeof jpeg);
        photo.close();
        QProcess::execute(QStringLiteral("exiftool"),
            {"-q", "-overwrite_original",
                QStringLiteral("-DateTimeOriginal=2023:08:1%1 18:2%1:05").arg(i + 2),
                photo.fileName()});
    }
    return samples;
}

// Every styled widget kind once, enabled and disabled, to check the stylesheet's palette.
QWidget *buildGallery(const Samples &samples)
{
    auto *gallery = new QWidget;
    gallery->setObjectName(QStringLiteral("gallery"));
    gallery->setStyleSheet(QStringLiteral("QWidget#gallery { background: #131415; }"));
    gallery->resize(1100, 700);
    auto *grid = new QGridLayout(gallery);
    grid->setSpacing(12);
    for (int column = 0; column < 2; ++column) {
        const bool enabled = column == 0;
        auto *panel = new GrayLayerWidget;
        auto *form = new QVBoxLayout(panel);
        auto *blue = new BluePushBtn;
        blue->setText(QStringLiteral("数字"));
        blue->setCheckable(true);
        blue->setChecked(true);
        auto *blue2 = new BluePushBtn;
        blue2->setText(QStringLiteral("字母"));
        blue2->setCheckable(true);
        auto *gray = new IconGrayToolBtn;
        gray->setText(QStringLiteral("添加文件"));
        setIconPath(gray, QStringLiteral(":/image/fileRenameBtn.svg"));
        auto *buttons = new QHBoxLayout;
        buttons->addWidget(blue);
        buttons->addWidget(blue2);
        buttons->addWidget(gray);
        buttons->addStretch();
        form->addLayout(buttons);
        auto *edit = new QLineEdit;
        edit->setPlaceholderText(QStringLiteral("请输入查找内容"));
        form->addWidget(edit);
        auto *combo = new CustormCombox;
        combo->addItems({QStringLiteral("全部大写"), QStringLiteral("全部小写")});
        form->addWidget(combo);
        auto *spin = new CustormSpinBox;
        spin->setValue(7);
        form->addWidget(spin);
        auto *date = new QDateTimeEdit(QDateTime(QDate(2000, 1, 1), QTime(16, 0)));
        date->setDisplayFormat(QStringLiteral("yyyy年M月d日 hh时mm分ss秒"));
        form->addWidget(date);
        auto *check = new CustormCheckBox;
        check->setText(QStringLiteral("自动解决命名冲突"));
        check->setChecked(true);
        form->addWidget(check);
        auto *off = new CustormCheckBox;
        off->setText(QStringLiteral("中文转拼音"));
        form->addWidget(off);
        form->addStretch();
        panel->setEnabled(enabled);
        grid->addWidget(panel, 0, column);
    }
    auto *table = new QTableWidget(samples.files.size(), 3);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("文件名称"), QStringLiteral("新文件名"), QStringLiteral("状态")});
    for (int row = 0; row < samples.files.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(QFileInfo(samples.files[row]).fileName()));
        table->setItem(row, 1, new QTableWidgetItem(QStringLiteral("新名称_%1").arg(row + 1)));
        table->setItem(row, 2, new QTableWidgetItem(QStringLiteral("待操作")));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setColumnWidth(0, 600);
    grid->addWidget(table, 1, 0, 1, 2);
    return gallery;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: pageshots <output folder>\n";
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        err << "cannot create " << outDir << "\n";
        return 1;
    }
    // Run from the run-time folder like the program, so relative data files are found.
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));

    QTemporaryDir sampleDir;
    if (!sampleDir.isValid()) {
        err << "cannot create a folder for sample files\n";
        return 1;
    }
    const Samples samples = makeSamples(sampleDir.path());

    installFontFallbacks();
    app.setStyleSheet(readStyleSheet());

    // A filler that triggers a message box must not hang the tool: answer it and say so.
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [&err] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && !fillerAnswersDialog) {
            err << "closed a dialog: " << modal->metaObject()->className() << "\n";
            modal->close();
        }
    });
    dismisser.start(50);

    MainWindow window;
    window.resize(1340, 835);
    window.show();
    settle();

    auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    if (!stack) {
        err << "no page stack\n";
        return 1;
    }
    const auto fillers = pageFillers();
    int failures = 0;
    for (int i = 0; i < stack->count(); ++i) {
        const QString pageName = stack->widget(i)->objectName();
        QString buttonName = pageName;
        buttonName.replace(QStringLiteral("Page"), QStringLiteral("Btn"));
        if (auto *button = window.findChild<QAbstractButton *>(buttonName))
            button->click();
        settle();
        if (fillers.contains(pageName)) {
            fillers.value(pageName)(
                stack->currentWidget(), pageName.contains(QLatin1String("older")), samples);
            settle();
        }
        const QString file
            = QDir(outDir).filePath(QStringLiteral("%1-%2.png").arg(i + 1).arg(pageName));
        if (!window.grab().save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        } else {
            QTextStream(stdout) << file << "\n";
        }
    }

    // The file time page with each source of the modification time.
    if (auto *button = window.findChild<QAbstractButton *>(QStringLiteral("fileTimePropertyBtn"))) {
        button->click();
        settle();
        auto *box
            = stack->currentWidget()->findChild<QComboBox *>(QStringLiteral("modifiedSourceBox"));
        for (int n = 0; box && n < box->count(); ++n) {
            box->setCurrentIndex(n);
            CaptureTimes::instance()->waitForReads();
            settle();
            const QString file = QDir(outDir).filePath(
                QStringLiteral("3-fileTimePropertyPage-source-%1.png").arg(n + 1));
            if (!window.grab().save(file)) {
                err << "cannot write " << file << "\n";
                ++failures;
            } else {
                QTextStream(stdout) << file << "\n";
            }
        }
    }

    // The creation page's other tab.
    if (auto *button
        = window.findChild<QAbstractButton *>(QStringLiteral("batchCreateFolderBtn"))) {
        button->click();
        showCreationImport(window, samples);
        settle();
        const QString file
            = QDir(outDir).filePath(QStringLiteral("7-batchCreateFolderPage-import.png"));
        if (!window.grab().save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        } else {
            QTextStream(stdout) << file << "\n";
        }
    }

    // The dialogs and the settings menu, as they appear over the window.
    auto saveWidget = [&](QWidget *w, const QString &name) {
        w->show();
        settle();
        const QString file = QDir(outDir).filePath(name + QStringLiteral(".png"));
        if (!w->grab().save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        } else {
            QTextStream(stdout) << file << "\n";
        }
        w->hide();
    };
    TipDialog tip(&window);
    saveWidget(&tip, QStringLiteral("dialog-TipDialog"));
    auto *warning = new WarningDialog(&window);
    warning->setTipText(QStringLiteral("已经为您过滤3个或已经存在的文件！"));
    saveWidget(warning, QStringLiteral("dialog-WarningDialog"));
    delete warning;
    warning = new WarningDialog(&window);
    warning->setTipText(QStringLiteral("命名文件“%1”已经存在或者路径错误")
                            .arg(samples.root
                                + QStringLiteral("/very_long_folder_name_without_any_spaces_"
                                                 "at_all/会议纪要-final-final-v2.docx")));
    saveWidget(warning, QStringLiteral("dialog-WarningDialog-long"));
    delete warning;
    // A run that failed on many rows: one box lists them all.
    warning = new WarningDialog(&window);
    for (int i = 1; i <= 40; ++i)
        warning->addTipText(QStringLiteral("设置文件“%1/照片 %2.jpg”时间失败，请确认权限！")
                                .arg(samples.root)
                                .arg(i));
    saveWidget(warning, QStringLiteral("dialog-WarningDialog-gathered"));
    delete warning;
    SettingMenu menu;
    saveWidget(&menu, QStringLiteral("menu-SettingMenu"));
    QScopedPointer<QWidget> gallery(buildGallery(samples));
    saveWidget(gallery.data(), QStringLiteral("styles-gallery"));
    return failures ? 1 : 0;
}

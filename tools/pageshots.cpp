// Builds the main window offscreen at 1340 by 835 and saves every page as a PNG:
//   QT_QPA_PLATFORM=offscreen pageshots <folder>
// To show a page with content, add a filler to pageFillers() below.
#include "app/MainWindow.h"
#include "widgets/AppStyle.h"
#include "widgets/SettingMenu.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

// Real files and folders that fillers can put into the lists.
struct Samples
{
    QString root;
    QStringList files;
    QStringList folders;
};

// Fills one page before its picture is taken; isFolderPage tells the folder variant of a pair.
using Filler = std::function<void(QWidget *page, bool isFolderPage, const Samples &samples)>;

// Page object name -> its filler. Pages without one are shown empty.
QMap<QString, Filler> pageFillers()
{
    QMap<QString, Filler> fillers;
    return fillers;
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
    return samples;
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
        if (QWidget *modal = QApplication::activeModalWidget()) {
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
    SettingMenu menu;
    saveWidget(&menu, QStringLiteral("menu-SettingMenu"));
    return failures ? 1 : 0;
}

// Builds the main window offscreen at 1340 by 835 and saves every page as a PNG:
//   QT_QPA_PLATFORM=offscreen pageshots <folder>
// To show a page with content, add a filler to pageFillers() below.
#include "app/MainWindow.h"
#include "extract/CollectListWidget.h"
#include "rename/FileListWidget.h"
#include "times/TimeListWidget.h"
#include "widgets/AppStyle.h"
#include "widgets/SettingMenu.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

namespace {

using Filler = std::function<void(QWidget *page, bool isFolderPage)>;

// Page object name -> what to put into it before the picture is taken.
QMap<QString, Filler> pageFillers()
{
    QMap<QString, Filler> fillers;

    // A few sample files, shared by the file pages; the folder pages keep their placeholder.
    static QTemporaryDir samples;
    const auto sampleFiles = [] {
        QStringList paths;
        for (const char *name : {"旅行照片 01.jpg", "旅行照片 02.jpg", "旅行照片 10.jpg",
                 "年度报告.docx", "notes.txt", "预算表.xlsx"}) {
            const QString path
                = samples.path() + QStringLiteral("/资料/") + QString::fromUtf8(name);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            paths.append(path);
        }
        return paths;
    };
    fillers.insert(QStringLiteral("fileRenamePage"), [sampleFiles](QWidget *page, bool) {
        if (auto *list = page->findChild<FileListWidget *>()) {
            list->addPaths(sampleFiles());
            list->setPreview(0, QStringLiteral("Travel 01.jpg"));
            list->setEntryState(0, 1);
            list->setEntryState(1, 2);
        }
    });
    fillers.insert(QStringLiteral("fileTimePropertyPage"), [sampleFiles](QWidget *page, bool) {
        if (auto *list = page->findChild<TimeListWidget *>())
            list->addPaths(sampleFiles());
    });
    fillers.insert(QStringLiteral("collectFileNamePage"), [sampleFiles](QWidget *page, bool) {
        if (auto *list = page->findChild<CollectListWidget *>())
            list->addPaths(sampleFiles());
    });
    return fillers;
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

    installFontFallbacks();
    app.setStyleSheet(readStyleSheet());

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
            fillers.value(pageName)(stack->currentWidget(), pageName.contains("older"));
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

// Builds the main window offscreen at 1340 by 835 and saves every page as a PNG:
//   QT_QPA_PLATFORM=offscreen pageshots <folder>
// To show a page with content, add a filler to pageFillers() below.
#include "app/MainWindow.h"
#include "rename/CustormRename.h"
#include "rename/FileListWidget.h"
#include "widgets/AppStyle.h"
#include "widgets/CustormCheckBox.h"
#include "widgets/SettingMenu.h"
#include "widgets/TipDialog.h"
#include "widgets/WarningDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QFile>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>
#include <functional>

namespace {

using Filler = std::function<void(QWidget *page, bool isFolderPage)>;

// A rename page with sample entries and a numbered custom rule in its preview.
void fillRenamePage(QWidget *page, bool isFolderPage)
{
    static QTemporaryDir samples;
    const QString folder = samples.filePath(isFolderPage ? "folders" : "files");
    QDir().mkpath(folder);
    const QStringList names = isFolderPage
        ? QStringList {"2023.05 旅行", "Season.2", "会议记录", "Projects", "照片 备份"}
        : QStringList {"IMG_0001.JPG", "旅行照片.png", "report copy.docx", "README", "会议记录.xlsx",
                       "archive.tar.gz"};
    QStringList paths;
    for (const QString &name : names) {
        const QString path = folder + QLatin1Char('/') + name;
        if (isFolderPage) {
            QDir().mkpath(path);
        } else {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
        }
        paths << path;
    }
    if (auto *list = page->findChild<FileListWidget *>())
        list->addPaths(paths);
    auto *editor = page->findChild<CustormRename *>(QStringLiteral("custormPage"));
    if (!editor)
        return;
    editor->findChild<QTextEdit *>(QStringLiteral("fileNameEdit"))->setPlainText("旅行照片_");
    if (auto *numbering = editor->findChild<CustormCheckBox *>(QStringLiteral("numberSetCheck")))
        numbering->findChild<QCheckBox *>()->click();
    editor->findChild<QAbstractButton *>(QStringLiteral("lastBtn"))->click();
    editor->findChild<QSpinBox *>(QStringLiteral("startNumberSpinBox"))->setValue(1);
    editor->findChild<QSpinBox *>(QStringLiteral("incrementNumberSpinBox"))->setValue(1);
    editor->findChild<QSpinBox *>(QStringLiteral("numberCountSpinBox"))->setValue(3);
}

// Page object name -> what to put into it before the picture is taken.
QMap<QString, Filler> pageFillers()
{
    QMap<QString, Filler> fillers;
    fillers.insert(QStringLiteral("fileRenamePage"), fillRenamePage);
    fillers.insert(QStringLiteral("folderRenamePage"), fillRenamePage);
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

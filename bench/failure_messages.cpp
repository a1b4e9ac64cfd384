// A time run whose every row fails, as the user meets it: 3000 files on ext4 (which keeps the
// creation time to itself) on the file time page of the main window, "创建时间" on, "开始命名".
// Every failure publishes a message; the main window gathers them in one box.
#include "app/MainWindow.h"
#include "lists/EntryListBase.h"
#include "widgets/AppStyle.h"
#include "widgets/WarningDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontFallbacks();
    app.setStyleSheet(readStyleSheet());
    QTextStream out(stdout);
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 3000; ++i) {
        paths << dir.filePath(QStringLiteral("照片 %1.jpg").arg(i));
        QFile(paths.last()).open(QIODevice::WriteOnly);
    }
    MainWindow window;
    window.show();
    window.findChild<QAbstractButton *>(QStringLiteral("fileTimePropertyBtn"))->click();
    QWidget *page = window.findChild<QStackedWidget *>()->currentWidget();
    page->findChild<EntryListBase *>()->addPaths(paths);
    page->findChild<QCheckBox *>()->click(); // 创建时间
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    page->findChild<QAbstractButton *>(QStringLiteral("setBtn"))->click();
    const double run = t.nsecsElapsed() / 1e6;
    t.restart();
    QApplication::processEvents();
    const double paint = t.nsecsElapsed() / 1e6;
    const QList<WarningDialog *> boxes = window.findChildren<WarningDialog *>();
    out << "run over 3000 failing files, messages gathered: " << run << " ms, then repaint "
        << paint << " ms\n";
    out << "boxes open: " << boxes.size()
        << ", messages in it: " << (boxes.isEmpty() ? 0 : boxes.first()->tipCount()) << "\n";
    t.restart();
    if (!boxes.isEmpty())
        boxes.first()->findChild<QAbstractButton *>(QStringLiteral("okBtn"))->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    out << "one click closes it: " << t.nsecsElapsed() / 1e6 << " ms, boxes left "
        << window.findChildren<WarningDialog *>().size() << "\n";
    return 0;
}

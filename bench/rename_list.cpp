// The preview as the user meets it: a rule change published on the bus, recomputed by the
// file page's list over 3000 rows and written into the table.
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "rename/FileListWidget.h"
#include "rename/RenameRules.h"
#include "text/CCConverter.h"
#include "text/PinyinConverter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    QTextStream out(stdout);
    loadPinyinTable();
    CCConverter::instance(); // the program loads the converters at start-up

    FileListWidget list;
    list.setFolder(false);
    list.resize(1000, 700);
    list.show();
    QStringList paths;
    for (int i = 0; i < 3000; ++i)
        paths << QStringLiteral("/home/user/相册/旅行照片 %1.JPG").arg(i);
    list.addPaths(paths);
    QApplication::processEvents();

    RenameCustomSetting *rule = RenameRules::fileCustom();
    rule->nameText = QStringLiteral("简体旅行");
    rule->numberSetCheck = true;
    rule->startNumber = 1;
    rule->incrementNumber = 1;
    rule->numberCount = 4;
    rule->numberPos = 1;
    rule->caseType = 4;
    rule->suffixCheck = true;
    rule->newSuffix = QStringLiteral("jpeg");

    auto measure = [&](const char *what) {
        QVector<double> times;
        QVector<double> paints;
        for (int round = 0; round < 11; ++round) {
            // every keystroke changes the text, so every row changes
            rule->nameText += QLatin1Char('a' + round % 26);
            QElapsedTimer t;
            t.start();
            CNvGlobalObserver::instance()->notifyObservers(
                QString::fromLatin1(Topic::FileCustomRename),
                QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
            times << t.nsecsElapsed() / 1e6;
            t.restart();
            QApplication::processEvents(); // the repaint that follows
            paints << t.nsecsElapsed() / 1e6;
        }
        const double first = times.first();
        std::sort(times.begin(), times.end());
        std::sort(paints.begin(), paints.end());
        out << what << ": median " << times.at(times.size() / 2) << " ms, first " << first
            << " ms, then repaint median " << paints.at(paints.size() / 2) << " ms  ("
            << list.entryList().at(1)->newName << ")\n";
    };
    rule->simplifiedTraditionalType = 1;
    measure("list of 3000, custom+numbering+traditional+case+extension");
    rule->chineseToPinyinType = 1;
    measure("list of 3000, custom+numbering+Pinyin+case+extension");

    // A run through the list on 3000 real files, then its undo, as the buttons start them.
    QTemporaryDir dir;
    paths.clear();
    for (int i = 0; i < 3000; ++i) {
        QFile f(dir.filePath(QStringLiteral("照片 %1.jpg").arg(i)));
        f.open(QIODevice::WriteOnly);
        paths << f.fileName();
    }
    list.clearList();
    list.addPaths(paths);
    *rule = RenameCustomSetting();
    rule->nameText = QStringLiteral("旅行");
    rule->numberSetCheck = true;
    rule->numberCount = 4;
    rule->incrementNumber = 1;
    rule->numberPos = 1;
    CNvGlobalObserver::instance()->notifyObservers(QString::fromLatin1(Topic::FileCustomRename),
        QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
    QElapsedTimer t;
    t.start();
    RenamePageMessage::publish(false, QString::fromLatin1(Topic::StartChangeName));
    const double runMs = t.nsecsElapsed() / 1e6;
    t.restart();
    list.undoRename();
    const double undoMs = t.nsecsElapsed() / 1e6;
    out << "run through the list, 3000 files: " << runMs << " ms; its undo: " << undoMs
        << " ms; files back: " << QDir(dir.path()).entryList({"照片 *"}).size() << "\n";
    return 0;
}

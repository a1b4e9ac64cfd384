// The preview as the user meets it: a rule change published on the bus, recomputed by the
// file page's list over 3000 rows and written into the table.
#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "rename/FileListWidget.h"
#include "rename/RenameRules.h"
#include "text/PinyinConverter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTextStream>

#include <algorithm>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));
    QTextStream out(stdout);
    loadPinyinTable();

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
        for (int round = 0; round < 11; ++round) {
            // every keystroke changes the text, so every row changes
            rule->nameText += QLatin1Char('a' + round % 26);
            QElapsedTimer t;
            t.start();
            CNvGlobalObserver::instance()->notifyObservers(
                QString::fromLatin1(Topic::FileCustomRename),
                QString::fromLatin1(Topic::RenameValueUpdate), QVariant());
            times << t.nsecsElapsed() / 1e6;
            QApplication::processEvents(); // the repaint that follows
        }
        const double first = times.first();
        std::sort(times.begin(), times.end());
        out << what << ": median " << times.at(times.size() / 2) << " ms, first " << first
            << " ms  (" << list.entryList().at(1)->newName << ")\n";
    };
    rule->simplifiedTraditionalType = 1;
    measure("list of 3000, custom+numbering+traditional+case+extension");
    rule->chineseToPinyinType = 1;
    measure("list of 3000, custom+numbering+Pinyin+case+extension");
    return 0;
}

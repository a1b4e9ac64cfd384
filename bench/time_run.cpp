// A time run as the user meets it: 3000 real files on the file time page, a rule change
// (the preview over every row), "开始命名" and "撤销修改", each with the repaint that follows.
#include "rename/FileListWidget.h"
#include "times/TimeListWidget.h"
#include "times/TimePage.h"
#include "widgets/CustormCheckBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 3000; ++i) {
        QFile f(dir.filePath(QStringLiteral("照片 %1.jpg").arg(i)));
        f.open(QIODevice::WriteOnly);
        paths << f.fileName();
    }

    TimePage page;
    page.setFolder(false);
    page.resize(1300, 800);
    page.show();
    QApplication::processEvents();
    auto *list = page.findChild<TimeListWidget *>();
    auto *start = page.findChild<QAbstractButton *>(QStringLiteral("setBtn"));
    auto *undo = page.findChild<QAbstractButton *>(QStringLiteral("undo"));
    auto *modified = page.findChild<QDateTimeEdit *>(QStringLiteral("modifiedDate"));
    auto *modifiedSwitch = page.findChild<CustormCheckBox *>(QStringLiteral("modifiedTimeSetCheck"))
                               ->findChild<QCheckBox *>();

    QElapsedTimer t;
    t.start();
    list->addPaths(paths);
    QApplication::processEvents();
    out << "adding 3000 files: " << t.nsecsElapsed() / 1e6 << " ms";
    {
        // The anchor: the rename list over the same files.
        FileListWidget rename;
        rename.resize(1300, 800);
        rename.show();
        QApplication::processEvents();
        t.restart();
        rename.addPaths(paths);
        QApplication::processEvents();
        out << " (the rename list: " << t.nsecsElapsed() / 1e6 << " ms)\n";
    }

    QVector<double> previews, runs, undos, paints;
    for (int round = 0; round < 7; ++round) {
        t.restart();
        if (round == 0)
            modifiedSwitch->click(); // the switch on: every row shows the rule's time
        else
            modified->setDateTime(QDateTime(QDate(2024, 7, 15), QTime(14, 30, round)));
        previews << t.nsecsElapsed() / 1e6;
        QApplication::processEvents();

        t.restart();
        start->click();
        runs << t.nsecsElapsed() / 1e6;
        t.restart();
        QApplication::processEvents();
        paints << t.nsecsElapsed() / 1e6;

        t.restart();
        undo->click();
        undos << t.nsecsElapsed() / 1e6;
        QApplication::processEvents();
    }
    out << "preview of 3000 rows after a rule change: median " << median(previews)
        << " ms (one frame: 16.7 ms)\n";
    out << "run over 3000 files: median " << median(runs) << " ms, then repaint median "
        << median(paints) << " ms\n";
    out << "undo of that run: median " << median(undos) << " ms\n";
    out << "undo still possible: " << (undo->isEnabled() ? "yes" : "no") << "\n";
    // The anchor of a run: a bare stat and utime per file in Debian's Python, best of 7.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
        {"-c",
            "import os, sys, time\n"
            "files = [os.path.join(sys.argv[1], f) for f in os.listdir(sys.argv[1])]\n"
            "best = 1e9\n"
            "for r in range(7):\n"
            "    t = time.perf_counter()\n"
            "    for f in files:\n"
            "        st = os.stat(f)\n"
            "        os.utime(f, ns=(st.st_atime_ns, 1700000000000000000 + r))\n"
            "    best = min(best, time.perf_counter() - t)\n"
            "print('%.1f' % (best * 1000))\n",
            dir.path()});
    python.waitForFinished(-1);
    out << "bare os.stat/os.utime loop over the same files: "
        << python.readAllStandardOutput().trimmed() << " ms\n";
    return 0;
}

// Batch creation of 3000 entries: the run alone (Word documents, folders), the run through the
// list with its rows, and one change of the custom rule with 3000 names (names and rows).
//   QT_QPA_PLATFORM=offscreen ./bench_create_run [folder to create in, default a temporary one]
#include "create/CreateFileEmpty.h"
#include "create/CreateFilePage.h"
#include "create/CreateFilePropertyWidget.h"
#include "create/CreateRun.h"
#include "create/CreateSettings.h"
#include "create/CustormCreate.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>

namespace {

CreateSettings settingsFor(int fileType, const QString &dir, int count)
{
    CreateSettings s;
    s.fileType = fileType;
    s.targetDir = dir;
    for (int i = 0; i < count; ++i)
        s.names.append({QStringLiteral("报告 %1").arg(i + 1, 4, 10, QLatin1Char('0')),
            QUuid::createUuid().toString()});
    return s;
}

int created(const QVector<CreateOutcome> &outcomes)
{
    return int(std::count_if(outcomes.cbegin(), outcomes.cend(),
        [](const CreateOutcome &o) { return o.kind == CreateOutcome::Created; }));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR)); // the templates are there
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/bench-XXXXXX"));
    QElapsedTimer t;

    for (int kind : {1, 0}) {
        const QString target = dir.filePath(QString::number(kind));
        QDir().mkpath(target);
        const CreateSettings s = settingsFor(kind, target, 3000);
        t.start();
        const QVector<CreateOutcome> first = runCreate(s);
        const double firstMs = t.nsecsElapsed() / 1e6;
        // again: every name is taken now, so each one is resolved to "name(1)"
        t.restart();
        const QVector<CreateOutcome> again = runCreate(s);
        const double againMs = t.nsecsElapsed() / 1e6;
        const char *what = kind == 1 ? "Word documents" : "folders";
        out << "run, 3000 " << what << ": " << firstMs << " ms (" << created(first)
            << " made); again, all resolved: " << againMs << " ms (" << created(again)
            << " made)\n";
    }

    CreateFilePage page;
    page.resize(1316, 700);
    page.show();
    app.processEvents();
    auto *editor = page.propertyWidget()->customEditor();
    auto *count = editor->findChild<QSpinBox *>(QStringLiteral("createCountSpinBox"));
    auto *name = editor->findChild<QLineEdit *>(QStringLiteral("createNamelineEdit"));
    count->setValue(3000);
    app.processEvents();
    t.start();
    name->setText(QStringLiteral("报告"));
    const double typeMs = t.nsecsElapsed() / 1e6;
    app.processEvents();
    out << "custom rule, one keystroke with 3000 names (names and rows): " << typeMs << " ms\n";
    t.start();
    count->setValue(2999);
    out << "custom rule, count changed, 2999 names: " << t.nsecsElapsed() / 1e6 << " ms\n";
    count->setValue(3000);

    const QString target = dir.filePath(QStringLiteral("list"));
    QDir().mkpath(target);
    customCreateSettings()->targetDir = target;
    customCreateSettings()->fileType = 1;
    CreateFileEmpty *list = page.findChild<CreateFileEmpty *>();
    list->showSettings(*customCreateSettings());
    app.processEvents();
    t.start();
    list->createEntries();
    const double listMs = t.nsecsElapsed() / 1e6;
    out << QStringLiteral("run through the list, 3000 Word documents of one name (\"0报告\", "
                          "\"0报告(1)\", ...) with their rows: ")
        << listMs << " ms (" << QDir(target).entryList(QDir::Files).size() << " files)\n";
    return 0;
}

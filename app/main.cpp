#include "app/MainWindow.h"
#include "create/CreateRun.h"
#include "logging/LogMessageHandler.h"
#include "runtime/DataFolders.h"
#include "text/CCConverter.h"
#include "widgets/AppStyle.h"
#include "widgets/WarningDialog.h"
#ifdef QUORVEX_HAVE_ACTIVEQT
#include "office/ActiveQtAutomation.h"
#endif

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Every Qt message goes to the enciphered log, from the first one on.
    qInstallMessageHandler(logMessageHandler);

    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, true);

    // "./log/" in the program's own run-time folder, else the user's state folder: never a log in
    // whatever folder the program was started from. A log that cannot be opened does not stop
    // the program; a read-only run-time folder logs to the state folder instead.
    const QDateTime start = QDateTime::currentDateTime();
    if (!openLogFile(start, DataFolders::logDir()) && DataFolders::runsFromRuntimeFolder())
        openLogFile(start, DataFolders::stateLogDir());

    auto *app = new QApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tovask"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvex"));

    installFontFallbacks();
    // A missing stylesheet is not fatal: the program then runs unstyled.
    const QString styleSheet = readStyleSheet();
    if (!styleSheet.isEmpty())
        app->setStyleSheet(styleSheet);

    // Both converters must exist before any rule can ask for a conversion. Without their files
    // the program cannot work: it names the missing file and where it looked, and ends.
    if (!CCConverter::instance()->isLoaded()) {
        const QString message = CCConverter::instance()->errorMessage()
            + QStringLiteral("\n程序无法启动。请把该文件放回上面的文件夹之一，或重新安装程序。");
        // Also on stderr, for whoever started it from a terminal or a script.
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        std::fflush(stderr);
        qCritical("%s", qUtf8Printable(message));
        auto *dialog = new WarningDialog; // deletes itself when closed
        dialog->setTipText(message);
        dialog->exec();
        delete app;
        return 2;
    }

#ifdef QUORVEX_HAVE_ACTIVEQT
    // Word exports drive the installed Word; elsewhere the built-in writer makes the .docx.
    setAutomationFactory(createActiveQtAutomationObject);
#endif

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    auto *window = new MainWindow;
    window->show();
    window->move(MainWindow::centredPosition(available, window->size()));
    // Support (and the install test) read from the log where the data came from.
    qDebug("main window shown; converter data from %s; templates from %s",
        qUtf8Printable(QDir::toNativeSeparators(CCConverter::instance()->folder())),
        qUtf8Printable(
            QDir::toNativeSeparators(QFileInfo(CreateKinds::templateDir()).absoluteFilePath())));

    const int code = app->exec();
    delete window;
    delete app;
    return code;
}

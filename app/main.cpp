#include "app/MainWindow.h"
#include "logging/LogMessageHandler.h"
#include "widgets/AppStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    // Every Qt message goes to the enciphered log, from the first one on.
    qInstallMessageHandler(logMessageHandler);

    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, true);

    // "./log/" of the working directory; a log that cannot be opened does not stop the program.
    openLogFile();

    auto *app = new QApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tovask"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvex"));

    installFontFallbacks();
    // A missing stylesheet is not fatal: the program then runs unstyled.
    const QString styleSheet = readStyleSheet();
    if (!styleSheet.isEmpty())
        app->setStyleSheet(styleSheet);

    // --- Chinese converters: simplified/traditional set-up goes here ---

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    auto *window = new MainWindow;
    window->show();
    window->move(MainWindow::centredPosition(available, window->size()));

    const int code = app->exec();
    delete window;
    delete app;
    return code;
}

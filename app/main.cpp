#include "app/MainWindow.h"
#include "widgets/AppStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    // --- log handler: installed here, before anything can print ---

    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, true);

    // --- log file: the log folder is created and the log file opened here ---

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

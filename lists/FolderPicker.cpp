#include "lists/FolderPicker.h"

#include "lists/PickerAnswer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>

namespace {

QString &libraryPathOverride()
{
    static QString path;
    return path;
}

using PickFn = const char *(*)(const char *);
using ReleaseFn = void (*)(const char *);

#ifdef Q_OS_WIN
constexpr char pikvaleFile[] = "Pikvale.dll";
#else
constexpr char pikvaleFile[] = "libPikvale.so";
#endif

} // namespace

QString pikvaleLibraryPath()
{
    if (!libraryPathOverride().isEmpty())
        return libraryPathOverride();
    // Beside the program (the run-time folder), else where an install puts it.
    const QString program = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(program + QStringLiteral("/../lib/quorvex"));
    if (!QFileInfo::exists(program + QLatin1Char('/') + QLatin1String(pikvaleFile))
        && QFileInfo::exists(installed + QLatin1Char('/') + QLatin1String(pikvaleFile)))
        return installed + QStringLiteral("/Pikvale");
    return program + QStringLiteral("/Pikvale");
}

void setPikvaleLibraryPath(const QString &path)
{
    libraryPathOverride() = path;
}

QStringList openFolderPicker(const QString &title)
{
    QLibrary library(pikvaleLibraryPath());
    if (!library.load()) {
        QMessageBox::about(nullptr, QStringLiteral("Error"), library.errorString());
        return {};
    }
    const auto pick = reinterpret_cast<PickFn>(library.resolve("Pikvale"));
    if (!pick) {
        QMessageBox::about(nullptr, QStringLiteral("Error"), library.errorString());
        library.unload();
        return {};
    }
    const auto release = reinterpret_cast<ReleaseFn>(library.resolve("PikvaleRelease"));

    const QByteArray encodedTitle = title.toUtf8();
    const char *answer = pick(encodedTitle.constData());
    const QString text = answer ? QString::fromUtf8(answer) : QString();
    if (answer && release)
        release(answer);
    library.unload();
    return splitPickerAnswer(text);
}

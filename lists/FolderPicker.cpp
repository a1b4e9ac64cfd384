#include "lists/FolderPicker.h"

#include "lists/PickerAnswer.h"
#include "picker/FolderDialog.h"
#include "widgets/FileChoices.h"

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
using FailureFn = const char *(*)();

#ifdef Q_OS_WIN
constexpr char pikvaleFile[] = "Pikvale.dll";
#else
constexpr char pikvaleFile[] = "libPikvale.so";
#endif

void showPickerError(const QLibrary &library)
{
    QMessageBox::about(nullptr, QStringLiteral("无法选择文件夹"),
        QStringLiteral("无法载入文件夹选择组件：\n%1").arg(library.errorString()));
}

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
        showPickerError(library);
        return {};
    }
    const auto pick = reinterpret_cast<PickFn>(library.resolve("Pikvale"));
    if (!pick) {
        showPickerError(library);
        library.unload();
        return {};
    }
    const auto release = reinterpret_cast<ReleaseFn>(library.resolve("PikvaleRelease"));
    const auto failure = reinterpret_cast<FailureFn>(library.resolve("PikvaleFailure"));

    const QByteArray encodedTitle = title.toUtf8();
    const char *answer = pick(encodedTitle.constData());
    const QString text = answer ? QString::fromUtf8(answer) : QString();
    if (answer && release)
        release(answer);
    // A dialog that never opened is no cancelled choice: the user gets Qt's own picker instead.
    const bool shown = !failure || !failure() || !*failure();
    library.unload();
    QStringList folders
        = shown ? splitPickerAnswer(text) : showFolderDialog(title, dialogStartFolder());
    if (!folders.isEmpty())
        rememberDialogChoice(folders.first());
    return folders;
}

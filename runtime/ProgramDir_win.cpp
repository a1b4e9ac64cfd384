#include "runtime/DataFolders.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <windows.h>

namespace DataFolders {

QString programDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object: the module file of the process itself.
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(sizeof path / sizeof path[0]));
    if (length == 0 || length >= sizeof path / sizeof path[0])
        return QString();
    return QFileInfo(QString::fromWCharArray(path, int(length))).absolutePath();
}

} // namespace DataFolders

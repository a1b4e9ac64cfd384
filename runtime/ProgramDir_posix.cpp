#include "runtime/DataFolders.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace DataFolders {

QString programDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object: the kernel's link to the running program.
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    const QString target = exe.canonicalFilePath();
    return target.isEmpty() ? QString() : QFileInfo(target).absolutePath();
}

} // namespace DataFolders

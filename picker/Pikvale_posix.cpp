#include "picker/FolderDialog.h"
#include "picker/Pikvale.h"

#include <QApplication>
#include <QDir>

#include <cstring>

namespace {

char *copyOut(const QByteArray &bytes)
{
    char *buffer = new char[size_t(bytes.size()) + 1];
    std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
    buffer[bytes.size()] = '\0';
    return buffer;
}

bool lastCallShowedNothing = false;

} // namespace

extern "C" const char *Pikvale(const char *title)
{
    lastCallShowedNothing = !qobject_cast<QApplication *>(QCoreApplication::instance());
    const QStringList folders
        = showFolderDialog(QString::fromUtf8(title ? title : ""), QDir::homePath());
    return copyOut(folders.join(QLatin1Char(';')).toUtf8());
}

extern "C" void PikvaleRelease(const char *buffer)
{
    delete[] buffer;
}

extern "C" const char *PikvaleFailure()
{
    return lastCallShowedNothing ? "the host has no QApplication to show the dialog with" : "";
}

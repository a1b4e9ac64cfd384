#include "disk/DiskNames.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// Folder part (with its trailing "/") and name of a path, by string, never resolved against
// the working directory.
QString folderOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString nameOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

NativeRename::Path nativeDiskPath(const QString &path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

bool isOccupied(const QString &path)
{
    return NativeRename::occupied(nativeDiskPath(path));
}

QString makeUniquePath(const QString &path)
{
    if (!isOccupied(path))
        return path;
    const QString folder = folderOf(path);
    const QString name = nameOf(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    const QString suffix = dot < 0 ? QString() : name.mid(dot + 1);
    for (qint64 k = 1;; ++k) {
        QString candidate
            = folder + base + QLatin1Char('(') + QString::number(k) + QLatin1Char(')');
        if (!suffix.isEmpty())
            candidate += QLatin1Char('.') + suffix;
        if (!isOccupied(candidate))
            return candidate;
    }
}

bool isAcceptableName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        // Control characters: a line break typed into the name edit is a slip, not a name.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32
            || c.unicode() == 127)
            return false;
    }
    if (!survivesFileSystemEncoding(name))
        return false;
#ifdef _WIN32
    return isAcceptableWindowsName(name);
#else
    return true;
#endif
}

bool survivesFileSystemEncoding(const QString &name)
{
    // Half a surrogate pair is no character: no encoding holds it, and even where the file
    // system would take it (UTF-16 on Windows) no export or other system could.
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
#ifdef _WIN32
    return true;
#else
    return QFile::decodeName(QFile::encodeName(name)) == name;
#endif
}

bool isAcceptableWindowsName(const QString &name)
{
    if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
    }
    // Device names stay devices whatever extension follows: "NUL.txt" is no file.
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString stem = name.left(name.indexOf(QLatin1Char('.'))).trimmed();
    return !device.match(stem).hasMatch();
}

QString unusedSiblingPath(const QString &path, const QString &tag, const QString &suffix)
{
    const QString folder = folderOf(path);
    for (;;) {
        const QString candidate = folder + QStringLiteral(".quorvex-") + tag + QLatin1Char('-')
            + QString::number(QRandomGenerator::system()->generate64(), 36) + suffix;
        if (!isOccupied(candidate))
            return candidate;
    }
}

bool replaceFile(const QString &from, const QString &to)
{
    return NativeRename::renameReplacing(nativeDiskPath(from), nativeDiskPath(to))
        == NativeRename::Outcome::Done;
}

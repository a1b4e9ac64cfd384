#include "disk/DiskNames.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

QString folderPart(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString namePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

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
    return makeUniquePath(path, isOccupied);
}

QString makeUniquePath(const QString &path, const std::function<bool(const QString &)> &taken)
{
    const auto isOccupied = taken;
    if (!isOccupied(path))
        return path;
    const QString folder = folderPart(path);
    const QString name = namePart(path);
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
    return nameRefusal(name).isEmpty();
}

QString nameRefusal(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("名称为空");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("“.”和“..”不能作为名称");
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return QStringLiteral("含有路径分隔符“%1”").arg(c);
        // Control characters: a line break typed into the name edit is a slip, not a name.
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("含有控制字符");
    }
    if (!survivesFileSystemEncoding(name))
        return QStringLiteral("含有文件系统无法保存的字符");
#ifdef _WIN32
    if (!isAcceptableWindowsName(name))
        return QStringLiteral("含有Windows不允许的字符、以点或空格结尾，或是设备名");
    if (name.size() > 255)
        return QStringLiteral("超过255个字符");
#else
    if (QFile::encodeName(name).size() > 255)
        return QStringLiteral("超过255字节");
#endif
    return QString();
}

QString pathRefusal(const QString &path)
{
#ifdef _WIN32
    // Without the long-path prefix the calls take MAX_PATH (260) with the closing zero.
    if (path.size() >= 260)
        return QStringLiteral("完整路径超过260个字符");
#else
    if (QFile::encodeName(path).size() >= 4096)
        return QStringLiteral("完整路径超过4096字节");
#endif
    return QString();
}

bool pathReachesItself(const QString &path)
{
#ifdef _WIN32
    for (const QString &name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (name != QLatin1String(".") && name != QLatin1String("..")
            && (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))))
            return false;
    }
#else
    Q_UNUSED(path)
#endif
    return true;
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
    const QString folder = folderPart(path);
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

#include "lists/PickerAnswer.h"

namespace {

bool startsAbsolute(const QString &part)
{
#ifdef Q_OS_WIN
    // "\\server\share", "C:\..." or "C:/...": a name holds neither ':' nor a separator.
    if (part.startsWith(QLatin1String("\\\\")) || part.startsWith(QLatin1String("//")))
        return true;
    return part.size() >= 3 && part.at(0).isLetter() && part.at(1) == QLatin1Char(':')
        && (part.at(2) == QLatin1Char('\\') || part.at(2) == QLatin1Char('/'));
#else
    // A name never holds '/'.
    return part.startsWith(QLatin1Char('/'));
#endif
}

} // namespace

QStringList splitPickerAnswer(const QString &answer)
{
    if (answer.isEmpty())
        return {};
    QStringList paths;
    const QStringList parts = answer.split(QLatin1Char(';'), Qt::KeepEmptyParts);
    for (const QString &part : parts) {
        if (paths.isEmpty() || startsAbsolute(part))
            paths.append(part);
        else
            paths.last() += QLatin1Char(';') + part;
    }
    return paths;
}

QStringList explorerSelectArguments(const QString &path)
{
    QString native = path;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return {QStringLiteral("/select,"), native};
}

#include "widgets/AppStyle.h"

#include <QFile>
#include <QFont>

QString readStyleSheet(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromLatin1(bytes);
}

void installFontFallbacks()
{
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"),
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC")});
}

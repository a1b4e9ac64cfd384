#include "text/WholeChars.h"

bool splitsPair(const QString &text, int at)
{
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate()
        && text.at(at).isLowSurrogate();
}

namespace {

// A match can only part a pair where the text it starts or ends with is itself a half.
bool mayPartPair(const QString &find)
{
    return !find.isEmpty() && (find.front().isLowSurrogate() || find.back().isHighSurrogate());
}

} // namespace

int indexOfWhole(const QString &text, const QString &find, int from)
{
    if (find.isEmpty())
        return -1;
    for (int at = text.indexOf(find, from, Qt::CaseSensitive); at >= 0;
         at = text.indexOf(find, at + 1, Qt::CaseSensitive)) {
        if (!splitsPair(text, at) && !splitsPair(text, at + find.size()))
            return at;
    }
    return -1;
}

QString replaceWhole(const QString &text, const QString &find, const QString &replacement)
{
    if (!find.isEmpty() && !mayPartPair(find))
        return QString(text).replace(find, replacement, Qt::CaseSensitive);
    QString out;
    if (find.isEmpty()) {
        out.reserve(text.size() * (1 + replacement.size()) + replacement.size());
        for (int i = 0; i < text.size(); ++i) {
            if (!splitsPair(text, i))
                out += replacement;
            out += text.at(i);
        }
        return out + replacement;
    }
    int done = 0;
    for (int at = indexOfWhole(text, find); at >= 0; at = indexOfWhole(text, find, done)) {
        out += text.midRef(done, at - done);
        out += replacement;
        done = at + find.size();
    }
    if (done == 0)
        return text;
    return out + text.midRef(done);
}

QStringList splitWhole(const QString &text, const QString &separator)
{
    if (separator.isEmpty())
        return {text};
    if (!mayPartPair(separator))
        return text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
    QStringList parts;
    int done = 0;
    for (int at = indexOfWhole(text, separator); at >= 0;
         at = indexOfWhole(text, separator, done)) {
        parts << text.mid(done, at - done);
        done = at + separator.size();
    }
    parts << text.mid(done);
    return parts;
}

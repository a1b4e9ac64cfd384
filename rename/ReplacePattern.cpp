#include "rename/ReplacePattern.h"

#include "text/WholeChars.h"

namespace {

// A name is at most a few hundred characters; a sound pattern needs far fewer steps than
// this. A pattern that backtracks without end stops here within a millisecond instead of
// freezing the window.
const QString limitPrefix = QStringLiteral("(*LIMIT_MATCH=200000)(*LIMIT_DEPTH=20000)");

} // namespace

ReplacePattern::ReplacePattern(const QString &find, bool regex, bool caseSensitive)
    : find(find), regex(regex), caseSensitive(caseSensitive)
{
    if (find.isEmpty() || (!regex && caseSensitive))
        return;
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!caseSensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    re = QRegularExpression(
        limitPrefix + (regex ? find : QRegularExpression::escape(find)), options);
    if (!re.isValid()) {
        const int at = qMax(0, re.patternErrorOffset() - limitPrefix.size());
        problem
            = QStringLiteral("正则表达式有误（第%1个字符）：%2").arg(at + 1).arg(re.errorString());
    }
}

bool ReplacePattern::apply(const QString &stem, const QString &replacement, QString *out) const
{
    *out = stem;
    if (!problem.isEmpty())
        return false;
    if (find.isEmpty() || (!regex && replacement.isEmpty()))
        return true;
    if (!regex && caseSensitive) {
        *out = replaceWhole(stem, find, replacement);
        return true;
    }
    QString result;
    int last = 0;
    QRegularExpressionMatchIterator it = re.globalMatch(stem);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        // Half a surrogate pair is no character: such a match is left alone.
        if (splitsPair(stem, m.capturedStart()) || splitsPair(stem, m.capturedEnd()))
            continue;
        result += stem.midRef(last, m.capturedStart() - last);
        result += regex ? expandGroups(replacement, m) : replacement;
        last = m.capturedEnd();
    }
    // An invalid iterator means a match was abandoned at the limits: no name is half done.
    if (!it.isValid())
        return false;
    result += stem.midRef(last);
    *out = result;
    return true;
}

QString expandGroups(const QString &replacement, const QRegularExpressionMatch &match)
{
    QString out;
    for (int i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c != QLatin1Char('$') || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        const QChar next = replacement.at(i + 1);
        if (next == QLatin1Char('$')) {
            out += c;
            ++i;
        } else if (next.isDigit() && next.unicode() < 128) {
            out += match.captured(next.digitValue());
            ++i;
        } else if (next == QLatin1Char('{')) {
            const int close = replacement.indexOf(QLatin1Char('}'), i + 2);
            if (close < 0) {
                out += c;
                continue;
            }
            const QString group = replacement.mid(i + 2, close - i - 2);
            bool number = false;
            const int n = group.toInt(&number);
            out += number ? match.captured(n) : match.captured(group);
            i = close;
        } else {
            out += c;
        }
    }
    return out;
}

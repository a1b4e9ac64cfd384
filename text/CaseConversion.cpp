#include "text/CaseConversion.h"

namespace {

bool startsWord(QChar previous)
{
    return previous == QLatin1Char(' ') || previous == QLatin1Char('_')
        || previous == QLatin1Char('-') || previous == QLatin1Char('.');
}

} // namespace

QString convertCase(const QString &text, int caseType)
{
    if (text.isEmpty())
        return text;
    switch (caseType) {
    case CaseFirstUpper: {
        QString out = text;
        out[0] = out.at(0).toUpper();
        return out;
    }
    case CaseFirstLower: {
        QString out = text;
        out[0] = out.at(0).toLower();
        return out;
    }
    case CaseAllUpper:
        return text.toUpper();
    case CaseAllLower:
        return text.toLower();
    case CaseWordsUpper: {
        QString out = text;
        for (int i = 0; i < out.size(); ++i) {
            if (i == 0 || startsWord(out.at(i - 1)))
                out[i] = out.at(i).toUpper();
        }
        return out;
    }
    default:
        return text;
    }
}

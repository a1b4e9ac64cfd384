#include "filetime/DateInName.h"

namespace {

bool isDigit(const QString &s, int i)
{
    return i >= 0 && i < s.size() && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9';
}

int digitRun(const QString &s, int i)
{
    int n = 0;
    while (isDigit(s, i + n))
        ++n;
    return n;
}

int number(const QString &s, int i, int n)
{
    int v = 0;
    for (int k = 0; k < n; ++k)
        v = v * 10 + (s.at(i + k).unicode() - '0');
    return v;
}

// Three numbers at i: exactly `widths` digits each (a width of 0 takes 1 or 2), separated by
// `seps` (a null QChar: none) and, for the Chinese forms, closed by the last one. The end is
// where the digits stop; -1 when the form is not there.
int readTriple(const QString &s, int i, const int widths[3], const QChar seps[3], int out[3])
{
    for (int k = 0; k < 3; ++k) {
        const int run = digitRun(s, i);
        int n = widths[k];
        if (n == 0) {
            if (run < 1 || run > 2)
                return -1;
            n = run;
        } else if (run < n || (run > n && !seps[k].isNull())) {
            return -1;
        }
        out[k] = number(s, i, n);
        i += n;
        if (!seps[k].isNull()) {
            if (i >= s.size() || s.at(i) != seps[k])
                return -1;
            ++i;
        }
    }
    return i;
}

// A date at i (i starts a run of digits); its end in *end.
std::optional<QDate> dateAt(const QString &s, int i, int *end)
{
    static const int plain[3] = {4, 2, 2};
    static const int chinese[3] = {4, 0, 0};
    const QChar none;
    const QChar forms[][3] = {{none, none, none}, {'-', '-', none}, {'_', '_', none},
        {'.', '.', none}, {QChar(0x5E74), QChar(0x6708), QChar(0x65E5)}}; // 年 月 日
    for (int f = 0; f < 5; ++f) {
        int v[3];
        const int e = readTriple(s, i, f == 4 ? chinese : plain, forms[f], v);
        if (e < 0)
            continue;
        const QDate date(v[0], v[1], v[2]);
        if (v[0] < 1601 || !date.isValid())
            return std::nullopt;
        *end = e;
        return date;
    }
    return std::nullopt;
}

// A time at i; its end in *end.
std::optional<QTime> timeAt(const QString &s, int i, int *end)
{
    static const int plain[3] = {2, 2, 2};
    const QChar none;
    const QChar forms[][3] = {{none, none, none}, {'-', '-', none}, {'.', '.', none},
        {':', ':', none}, {QChar(0x65F6), QChar(0x5206), QChar(0x79D2)}}; // 时 分 秒
    for (const auto &form : forms) {
        int v[3];
        const int e = readTriple(s, i, plain, form, v);
        if (e < 0)
            continue;
        if (!QTime::isValid(v[0], v[1], v[2]))
            return std::nullopt;
        *end = e;
        return QTime(v[0], v[1], v[2]);
    }
    return std::nullopt;
}

} // namespace

std::optional<NameDate> dateInName(const QString &name)
{
    for (int i = 0; i < name.size(); ++i) {
        if (!isDigit(name, i) || isDigit(name, i - 1))
            continue;
        int end = 0;
        const std::optional<QDate> date = dateAt(name, i, &end);
        if (!date)
            continue;
        NameDate found {*date, QTime(0, 0), false};
        int start = end;
        const QChar c = end < name.size() ? name.at(end) : QChar();
        if (c == '_' || c == '-' || c == ' ' || c == 'T')
            ++start;
        int timeEnd = 0;
        if (isDigit(name, start)) {
            if (const std::optional<QTime> time = timeAt(name, start, &timeEnd)) {
                if (!isDigit(name, timeEnd)) {
                    found.time = *time;
                    found.hasTime = true;
                    return found;
                }
            }
        }
        // Digits straight after the date that make no time: a longer number, no date.
        if (!isDigit(name, end))
            return found;
    }
    return std::nullopt;
}

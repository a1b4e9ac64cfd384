#include "text/SequenceText.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <array>

namespace {

const char *const timeFormats[] = {
    "yyyy-MM-dd",
    "yyyy年M月d日",
    "yyyyMMdd",
    "yyyy-MM-dd hh'mm'ss",
    "yyyy-MM-dd-hh-mm-ss",
    "yyyy年M月d日 hh时mm分ss秒",
    "yyyyMMddhhmmss",
};

const QString &alphabet(int rule)
{
    static const QString digits = QStringLiteral("0123456789");
    static const QString letters
        = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    static const QString both
        = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    switch (rule) {
    case 1:
        return letters;
    case 2:
        return both;
    default:
        return digits;
    }
}

} // namespace

QString numberSequenceText(int startNumber, int incrementNumber, int width, int row)
{
    // 64 bits: the editors allow 999999 + 999999 * 2999, which overflows 32 bits.
    const qint64 value = qint64(startNumber) + qint64(incrementNumber) * qint64(row);
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString letterSequenceText(int startChar, int incrementChar, int row)
{
    const qint64 v = qint64(startChar) + qint64(incrementChar) * qint64(row);
    const int r = int(((v % 26) + 26) % 26);
    return QString(QChar(r == 0 ? 'z' : char('a' + r - 1)));
}

QString randomAlphabet(int rule)
{
    return alphabet(rule);
}

QString randomString(int length, int rule)
{
    if (length <= 0)
        return QString();
    const QString &chars = alphabet(rule);
    const quint32 n = quint32(chars.size());
    // One bulk draw from the system generator instead of a call per character; each value is
    // then bounded as QRandomGenerator::bounded does it.
    std::array<quint32, 128> buffer;
    QString out(length, Qt::Uninitialized);
    int done = 0;
    while (done < length) {
        const int chunk = qMin(length - done, int(buffer.size()));
        QRandomGenerator::system()->fillRange(buffer.data(), chunk);
        for (int i = 0; i < chunk; ++i)
            out[done + i] = chars.at(int((quint64(buffer[i]) * n) >> 32));
        done += chunk;
    }
    return out;
}

QString timeStyleFormat(int timeStyle)
{
    if (timeStyle < 0 || timeStyle >= int(sizeof(timeFormats) / sizeof(timeFormats[0])))
        timeStyle = 0;
    return QString::fromUtf8(timeFormats[timeStyle]);
}

QString timeSequenceText(const QDateTime &time, int timeStyle)
{
    if (!time.isValid())
        return QString();
    return time.toLocalTime().toString(timeStyleFormat(timeStyle));
}

QString sequenceText(const SequenceSettings &settings, int row, const QDateTime &birthTime,
    const QDateTime &modifiedTime)
{
    switch (settings.numberType) {
    case 0:
        return numberSequenceText(
            settings.startNumber, settings.incrementNumber, settings.numberCount, row);
    case 1:
        return letterSequenceText(settings.startChar, settings.incrementChar, row);
    case 2:
        return randomString(settings.charCount, settings.randomRule);
    case 3:
        switch (settings.timeType) {
        case 1:
            return timeSequenceText(birthTime, settings.timeStyle);
        case 2:
            return timeSequenceText(modifiedTime, settings.timeStyle);
        default:
            return timeSequenceText(QDateTime::currentDateTime(), settings.timeStyle);
        }
    default:
        return QString();
    }
}

QString sequenceText(const SequenceSettings &settings, int row, const QFileInfo *entry)
{
    if (settings.numberType == 3 && (settings.timeType == 1 || settings.timeType == 2)) {
        if (!entry)
            return QString();
        if (settings.timeType == 1)
            return sequenceText(settings, row, entry->birthTime(), QDateTime());
        return sequenceText(settings, row, QDateTime(), entry->lastModified());
    }
    return sequenceText(settings, row, QDateTime(), QDateTime());
}

QString placeSequence(const QString &name, const QString &sequence, int position, int behindCount)
{
    // Nothing to place: padding the name with spaces would only spoil it.
    if (sequence.isEmpty())
        return name;
    switch (position) {
    case 0:
        return sequence + name;
    case 1:
        return name + sequence;
    default: {
        int at = qMax(0, behindCount);
        QString out = name.size() < at ? name.leftJustified(at, QLatin1Char(' ')) : name;
        // Never split a surrogate pair: half a character is no valid file name.
        if (at > 0 && at < out.size() && out.at(at - 1).isHighSurrogate()
            && out.at(at).isLowSurrogate())
            ++at;
        return out.insert(at, sequence);
    }
    }
}

#include "text/SequenceText.h"

#include "filetime/CaptureTime.h"
#include "filetime/LocalDateTime.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <array>
#include <limits>

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

QString padded(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// The local time now, to the second. Converting to local time costs about 15 us here (the C
// library looks at the time zone file each time); the rows of one recomputation mostly share
// the same second, so the conversion is kept for that second.
QDateTime currentLocalSecond()
{
    thread_local qint64 cachedSecond = std::numeric_limits<qint64>::min();
    thread_local QDateTime cached;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != cachedSecond) {
        FileTimes::UtcTime utc;
        utc.seconds = second;
        cached = localFromUtc(utc);
        cachedSecond = second;
    }
    return cached;
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
    // The process-wide generator (seeded by the system one) in one bulk draw: the system generator
    // itself costs about 0.4 us per value here, 120 ms for a list of 3000 texts of 99 characters.
    // Each value is bounded as QRandomGenerator::bounded does it.
    std::array<quint32, 128> buffer;
    QString out(length, Qt::Uninitialized);
    int done = 0;
    while (done < length) {
        const int chunk = qMin(length - done, int(buffer.size()));
        QRandomGenerator::global()->fillRange(buffer.data(), chunk);
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
    // A local time is shown as it reads; any other moment as the local clock showed it, through
    // the one conversion (Qt's own is wrong before 1970 and after 2037).
    QDateTime local = time;
    if (time.timeSpec() == Qt::UTC || time.timeSpec() == Qt::TimeZone) {
        const std::optional<FileTimes::UtcTime> utc = utcFromLocal(time);
        local = utc ? localFromUtc(*utc) : QDateTime();
        if (!local.isValid())
            return QString();
    }
    const QDate d = local.date();
    const QTime t = local.time();
    // Built by hand: QDateTime::toString costs about 10 us per call, which a list of 3000 rows
    // pays on every keystroke. The result equals toString(timeStyleFormat(timeStyle)).
    const QString yyyy = padded(d.year(), 4);
    const QString MM = padded(d.month(), 2);
    const QString dd = padded(d.day(), 2);
    const QString hh = padded(t.hour(), 2);
    const QString mm = padded(t.minute(), 2);
    const QString ss = padded(t.second(), 2);
    const QLatin1Char dash('-');
    switch (timeStyle) {
    case 1:
        return yyyy + QStringLiteral("年") + QString::number(d.month()) + QStringLiteral("月")
            + QString::number(d.day()) + QStringLiteral("日");
    case 2:
        return yyyy + MM + dd;
    case 3:
        // The quotes make "mm" literal text: the minutes are not printed.
        return yyyy + dash + MM + dash + dd + QLatin1Char(' ') + hh + QLatin1String("mm") + ss;
    case 4:
        return yyyy + dash + MM + dash + dd + dash + hh + dash + mm + dash + ss;
    case 5:
        return yyyy + QStringLiteral("年") + QString::number(d.month()) + QStringLiteral("月")
            + QString::number(d.day()) + QStringLiteral("日 ") + hh + QStringLiteral("时") + mm
            + QStringLiteral("分") + ss + QStringLiteral("秒");
    case 6:
        return yyyy + MM + dd + hh + mm + ss;
    default:
        return yyyy + dash + MM + dash + dd;
    }
}

QString sequenceText(const SequenceSettings &settings, int row, const QDateTime &birthTime,
    const QDateTime &modifiedTime, const QDateTime &captureTime)
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
        case 3:
            return timeSequenceText(captureTime, settings.timeStyle);
        default:
            return timeSequenceText(currentLocalSecond(), settings.timeStyle);
        }
    default:
        return QString();
    }
}

QString sequenceText(const SequenceSettings &settings, int row, const QFileInfo *entry)
{
    if (settings.numberType == 3 && settings.timeType >= 1 && settings.timeType <= 3) {
        if (!entry)
            return QString();
        const PresentTimes present = presentTimes(entry->absoluteFilePath());
        QDateTime capture;
        if (settings.timeType == 3) {
            if (const std::optional<CaptureTime> c = readCaptureTime(entry->absoluteFilePath()))
                capture = c->localTime();
        }
        return sequenceText(settings, row, present.birthTime(), present.modifiedTime(), capture);
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

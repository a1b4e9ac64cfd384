#include "filetime/CaptureTime.h"

#include "filetime/LocalDateTime.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <mutex>

namespace {

void setUpExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The XMP toolkit must be set up once before threads use it; warnings about odd files
        // are no business of the user's.
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
#ifdef EXV_ENABLE_BMFF
        Exiv2::enableBMFF(true); // HEIC, AVIF, CR3
#endif
    });
}

QString tagText(const Exiv2::ExifData &exif, const char *key)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end())
        return QString();
    return QString::fromStdString(it->toString()).trimmed();
}

// "2020:10:18 14:30:00"; blanks and zeros (cameras write those when the clock was never set)
// are no time.
std::optional<CaptureTime> parseExifTime(const QString &text)
{
    if (text.size() < 19)
        return std::nullopt;
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return CaptureTime {date, time, std::nullopt};
}

// "+08:00", "-05:30".
std::optional<int> parseOffset(const QString &text)
{
    if (text.size() != 6 || (text.at(0) != '+' && text.at(0) != '-') || text.at(3) != ':')
        return std::nullopt;
    bool okH = false, okM = false;
    const int h = text.mid(1, 2).toInt(&okH);
    const int m = text.mid(4, 2).toInt(&okM);
    if (!okH || !okM || h > 14 || m > 59)
        return std::nullopt;
    const int seconds = h * 3600 + m * 60;
    return text.at(0) == '-' ? -seconds : seconds;
}

// The sub-second tag's digits are a decimal fraction: "5" is 500 ms, "123456" 123 ms.
int subSecondMs(const QString &digits)
{
    QString d = digits.left(3);
    for (QChar c : d) {
        if (!c.isDigit())
            return 0;
    }
    while (d.size() < 3)
        d += QLatin1Char('0');
    return d.toInt();
}

} // namespace

QDateTime CaptureTime::localTime() const
{
    if (!offsetSeconds)
        return localReading(date, time);
    const QDateTime exact(date, time, Qt::OffsetFromUTC, *offsetSeconds);
    const std::optional<FileTimes::UtcTime> utc = utcFromLocal(exact);
    return utc ? localFromUtc(*utc) : QDateTime();
}

std::optional<CaptureTime> readCaptureTime(const QString &path)
{
    setUpExiv2();
    try {
        // The file may have gone or changed since it was listed: every failure is "no time".
#ifdef _WIN32
        // The ANSI code page cannot name most Chinese files: open by the wide path.
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(path.toStdWString());
#else
        Exiv2::Image::AutoPtr image
            = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
#endif
        if (!image.get())
            return std::nullopt;
        image->readMetadata();
        const Exiv2::ExifData &exif = image->exifData();
        const struct
        {
            const char *time, *subSec, *offset;
        } sources[] = {{"Exif.Photo.DateTimeOriginal", "Exif.Photo.SubSecTimeOriginal",
                           "Exif.Photo.OffsetTimeOriginal"},
            {"Exif.Photo.DateTimeDigitized", "Exif.Photo.SubSecTimeDigitized",
                "Exif.Photo.OffsetTimeDigitized"}};
        for (const auto &source : sources) {
            std::optional<CaptureTime> found = parseExifTime(tagText(exif, source.time));
            if (!found)
                continue;
            found->time = found->time.addMSecs(subSecondMs(tagText(exif, source.subSec)));
            found->offsetSeconds = parseOffset(tagText(exif, source.offset));
            return found;
        }
    } catch (const std::exception &) { }
    return std::nullopt;
}

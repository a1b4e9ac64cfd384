#pragma once

#include <QDateTime>
#include <QString>

class QFileInfo;

// Numbering settings shared by the rename rules and the custom creation rule.
// Field names and meanings match the rule records, so a record converts with `from`.
struct SequenceSettings
{
    int numberType = 0; // 0 number, 1 letter, 2 random, 3 time
    int startNumber = 0; // number: first value
    int incrementNumber = 0; // number: step between rows
    int numberCount = 1; // number: minimum width, zeros padded in front
    int startChar = 1; // letter: 1 is a, 26 is z
    int incrementChar = 1; // letter: step between rows
    int randomRule = 0; // random: 0 digits, 1 letters, 2 letters and digits
    int charCount = 1; // random: length
    int timeType = 0; // time: 0 now, 1 entry creation, 2 entry modification, 3 photo capture
    int timeStyle = 0; // time: format index, see timeStyleFormat

    // Copies the sequence fields of any record that names them like this struct.
    template<class Record> static SequenceSettings from(const Record &r)
    {
        SequenceSettings s;
        s.numberType = r.numberType;
        s.startNumber = r.startNumber;
        s.incrementNumber = r.incrementNumber;
        s.numberCount = r.numberCount;
        s.startChar = r.startChar;
        s.incrementChar = r.incrementChar;
        s.randomRule = r.randomRule;
        s.charCount = r.charCount;
        s.timeType = r.timeType;
        s.timeStyle = r.timeStyle;
        return s;
    }
};

// Where a sequence text goes in a name (numberPos / insertPos).
enum SequencePlacement { PlaceFront = 0, PlaceBack = 1, PlaceAfterCount = 2 };

// Sequence text of row `row` (0-based). `entry` is read only for time types 1 to 3;
// without it, or when the file system gives no such time, the text is empty.
QString sequenceText(const SequenceSettings &settings, int row, const QFileInfo *entry = nullptr);

// Same, with the entry's times already at hand (invalid QDateTime: not available).
QString sequenceText(const SequenceSettings &settings, int row, const QDateTime &birthTime,
    const QDateTime &modifiedTime, const QDateTime &captureTime = QDateTime());

// start + increment * row in decimal, left-padded with zeros to `width` ("0-5" for -5, 3).
QString numberSequenceText(int startNumber, int incrementNumber, int width, int row);

// One lower-case letter; wraps from z to a.
QString letterSequenceText(int startChar, int incrementChar, int row);

// `length` characters drawn uniformly from the alphabet of `rule` (0 digits, 1 letters,
// 2 letters and digits) with the process-wide random generator. Out-of-range rules use rule 0.
QString randomString(int length, int rule);

// The alphabet of a random rule.
QString randomAlphabet(int rule);

// Qt date-time format of a time style (0..6); an unknown style gives style 0.
QString timeStyleFormat(int timeStyle);

// `time` in the format of `timeStyle`; an invalid time gives an empty text.
QString timeSequenceText(const QDateTime &time, int timeStyle);

// Puts `sequence` into `name`: in front (0), behind (1) or after `behindCount` characters (2),
// padding `name` with spaces when it is shorter than `behindCount`.
QString placeSequence(const QString &name, const QString &sequence, int position, int behindCount);

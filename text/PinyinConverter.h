#pragma once

#include <QString>
#include <QStringList>

// First and last code point covered by the Pinyin table.
constexpr ushort PinyinFirstCodePoint = 0x4E00;
constexpr ushort PinyinLastCodePoint = 0x9FA5;

// Makes the process-wide syllable list from ":/zhtopy.txt". The resource is read once per
// process; later calls return at once. Returns false when the table could not be read.
bool loadPinyinTable();

// The process-wide syllable list (empty until loaded).
const QStringList &pinyinTable();

// Replaces every character of U+4E00..U+9FA5 by its syllable; everything else stays.
QString toPinyin(const QString &text);

// Converter object of the rename list; building one makes sure the table is loaded.
class PinyinConverter
{
public:
    PinyinConverter();
    QString toPinyin(const QString &text) const;
};

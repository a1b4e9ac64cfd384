#include "text/PinyinConverter.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace {

constexpr int tableSize = PinyinLastCodePoint - PinyinFirstCodePoint + 1;

struct PinyinTable
{
    QMutex mutex;
    QStringList syllables;
    std::atomic<bool> loaded {false};
};

PinyinTable &table()
{
    static PinyinTable instance;
    return instance;
}

} // namespace

bool loadPinyinTable()
{
    PinyinTable &t = table();
    QMutexLocker lock(&t.mutex);
    if (t.loaded)
        return true;
    QFile file(QStringLiteral(":/zhtopy.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("Pinyin table :/zhtopy.txt cannot be opened");
        return false;
    }
    QString text = QString::fromUtf8(file.readAll());
    // A trailing line break would glue itself to the last syllable.
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    t.syllables = text.split(QLatin1Char(' '));
    if (t.syllables.size() != tableSize)
        qWarning(
            "Pinyin table holds %d syllables instead of %d", int(t.syllables.size()), tableSize);
    t.loaded = true;
    return true;
}

const QStringList &pinyinTable()
{
    return table().syllables;
}

QString toPinyin(const QString &text)
{
    if (!table().loaded)
        loadPinyinTable();
    const QStringList &syllables = table().syllables;
    const int known = syllables.size();
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) {
        const int index = int(c.unicode()) - PinyinFirstCodePoint;
        if (c.unicode() >= PinyinFirstCodePoint && c.unicode() <= PinyinLastCodePoint
            && index < known)
            out += syllables.at(index);
        else
            out += c;
    }
    return out;
}

PinyinConverter::PinyinConverter()
{
    loadPinyinTable();
}

QString PinyinConverter::toPinyin(const QString &text) const
{
    return ::toPinyin(text);
}

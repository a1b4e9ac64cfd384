#include "rename/RenamePreview.h"

#include "filetime/LocalDateTime.h"
#include "text/CCConverter.h"
#include "text/CaseConversion.h"
#include "text/PinyinConverter.h"
#include "text/SequenceText.h"
#include "text/WholeChars.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QVector>

namespace {

// Name text and sequence of the custom and insert rules.
QString customStep(const RenameCustomSetting &rule, bool insert, const PreviewEntry &entry, int row)
{
    QString name = entry.stem;
    if (!rule.nameText.isEmpty()) {
        if (!insert)
            name = rule.nameText;
        else
            name = placeSequence(entry.stem, rule.nameText, rule.insertPos, rule.insertBehindCount);
    }
    // The sequence, and with it "number only", counts only while numbering is switched on:
    // a leftover "number only" must not turn every name into a bare extension.
    if (!rule.numberSetCheck)
        return name;
    const QString sequence = sequenceText(
        SequenceSettings::from(rule), row, entry.birthTime, entry.modifiedTime, entry.captureTime);
    if (rule.useNumberAsName)
        return sequence;
    return placeSequence(name, sequence, rule.numberPos, rule.numberBehindCount);
}

// OpenCC needs some microseconds per character, too slow for 3000 rows at every keystroke.
// No entry of its dictionaries holds a character below U+2E80, so a name converts run by run
// of characters from U+2E80 on, exactly as a whole; the runs repeat from row to row and from
// keystroke to keystroke, so their conversions are kept.
QString convertScript(const QString &text, bool toTraditional)
{
    static QMutex mutex;
    static QHash<QString, QString> cache[2];
    QString out;
    out.reserve(text.size());
    int i = 0;
    while (i < text.size()) {
        if (text.at(i).unicode() < 0x2E80) {
            out += text.at(i++);
            continue;
        }
        int end = i;
        while (end < text.size() && text.at(end).unicode() >= 0x2E80)
            ++end;
        const QString run = text.mid(i, end - i);
        i = end;
        QMutexLocker lock(&mutex);
        QHash<QString, QString> &known = cache[toTraditional ? 1 : 0];
        auto found = known.constFind(run);
        if (found == known.constEnd()) {
            if (known.size() > 100000)
                known.clear();
            const QString converted = toTraditional
                ? CCConverter::instance()->simplifiedToTraditional(run)
                : CCConverter::instance()->traditionalToSimplified(run);
            found = known.insert(run, converted);
        }
        out += found.value();
    }
    return out;
}

QString scriptStep(const QString &text, int pinyinType, int scriptType)
{
    if (pinyinType == 1)
        return toPinyin(text);
    if (scriptType == 1 || scriptType == 2)
        return convertScript(text, scriptType == 1);
    return text;
}

struct Finish
{
    int caseType;
    int scriptType;
    int pinyinType;
    bool suffixCheck;
    int suffixType;
    QString newSuffix;
    QString findContent;
    QString replaceContent;

    template<class Record> static Finish of(const Record &r)
    {
        return {r.caseType, r.simplifiedTraditionalType, r.chineseToPinyinType, r.suffixCheck,
            r.suffixType, r.newSuffix, r.findContent, r.replaceContent};
    }
};

QString finish(const QString &name, const Finish &f, bool isFolder, const PreviewEntry &entry)
{
    const QString result = convertCase(scriptStep(name, f.pinyinType, f.scriptType), f.caseType);
    if (isFolder)
        return result;
    QString extension = entry.extension;
    if (f.suffixCheck) {
        if (f.suffixType == 0) {
            // "jpg" and ".jpg" both mean the extension jpg; a typed dot must not double.
            QString typed = f.newSuffix;
            while (typed.startsWith(QLatin1Char('.')))
                typed.remove(0, 1);
            if (!typed.isEmpty())
                extension = typed;
        } else if (f.suffixType == 1) {
            extension = replaceWhole(extension, f.findContent, f.replaceContent);
        }
    }
    return extension.isEmpty() ? result : result + QLatin1Char('.') + extension;
}

} // namespace

bool RenameRule::fromNameSpace(const QString &nameSpace, RenameRule *rule)
{
    if (const RenameCustomSetting *c = RenameRules::customRecord(nameSpace)) {
        rule->kind = RenameRules::isInsertNameSpace(nameSpace) ? Insert : Custom;
        rule->custom = *c;
        return true;
    }
    if (const RenameReplaceSetting *r = RenameRules::replaceRecord(nameSpace)) {
        rule->kind = Replace;
        rule->replace = *r;
        return true;
    }
    if (const RenameDeleteSetting *d = RenameRules::deleteRecord(nameSpace)) {
        rule->kind = Delete;
        rule->erase = *d;
        return true;
    }
    return false;
}

bool RenameRule::autoResolve() const
{
    switch (kind) {
    case Custom:
    case Insert:
        return custom.autoNameErrorCheck;
    case Replace:
        return replace.autoNameErrorCheck;
    case Delete:
        return true;
    }
    return true;
}

bool RenameRule::needsEntryTimes() const
{
    return (kind == Custom || kind == Insert) && custom.numberSetCheck && custom.numberType == 3
        && custom.timeType >= 1 && custom.timeType <= 3;
}

bool RenameRule::needsCaptureTimes() const
{
    return needsEntryTimes() && custom.timeType == 3;
}

PreviewEntry previewEntryFor(const QFileInfo &info, bool isFolder, bool withTimes)
{
    PreviewEntry entry;
    if (isFolder) {
        entry.stem = info.fileName();
    } else {
        entry.stem = info.completeBaseName();
        entry.extension = info.suffix();
    }
    if (withTimes) {
        // Through the one local-time conversion, right for 1965 and 2040 too.
        const PresentTimes present = presentTimes(info.absoluteFilePath());
        entry.birthTime = present.birthTime();
        entry.modifiedTime = present.modifiedTime();
    }
    return entry;
}

QString swapAroundSeparator(const QString &stem, const QString &separator)
{
    if (separator.isEmpty())
        return stem;
    QStringList parts = splitWhole(stem, separator);
    if (parts.size() < 2)
        return stem;
    parts.append(parts.takeFirst());
    return parts.join(separator);
}

QString deleteFromStem(const QString &stem, const RenameDeleteSetting &rule)
{
    if (rule.deleteType == 0) {
        if (rule.deleteContent.isEmpty())
            return stem;
        return replaceWhole(stem, rule.deleteContent, QString());
    }
    // Positions count characters, not UTF-16 units, so that no emoji is cut in half.
    QVector<int> starts; // where each character begins
    starts.reserve(stem.size());
    for (int i = 0; i < stem.size(); ++i) {
        if (!splitsPair(stem, i))
            starts.append(i);
    }
    const int n = starts.size();
    const int pos = qMax(0, rule.deletePos);
    const int count = qMax(0, rule.deleteCount);
    if (pos >= n || count == 0)
        return stem;
    // From the end: keep the last pos characters, drop the count before them.
    const int first = rule.deletePosType == 1 ? qMax(0, n - pos - count) : pos;
    const int last = rule.deletePosType == 1 ? n - pos : (count >= n - pos ? n : pos + count);
    const int from = starts.at(first);
    const int to = last < n ? starts.at(last) : stem.size();
    return stem.left(from) + stem.midRef(to);
}

const ReplacePattern &RenameRule::replacePattern() const
{
    const RenameReplaceSetting &r = replace;
    const QString key = QString::number(int(r.replaceRegex) * 2 + int(r.replaceCaseSensitive))
        + r.replaceFindContent;
    if (key != patternKey) {
        pattern = ReplacePattern(r.replaceFindContent, r.replaceRegex, r.replaceCaseSensitive);
        patternKey = key;
    }
    return pattern;
}

QString RenameRule::problem() const
{
    return kind == Replace ? replacePattern().error() : QString();
}

QString previewName(
    const RenameRule &rule, bool isFolder, const PreviewEntry &entry, int row, QString *trouble)
{
    switch (rule.kind) {
    case RenameRule::Custom:
    case RenameRule::Insert:
        return finish(customStep(rule.custom, rule.kind == RenameRule::Insert, entry, row),
            Finish::of(rule.custom), isFolder, entry);
    case RenameRule::Replace: {
        const RenameReplaceSetting &r = rule.replace;
        QString replaced;
        if (!rule.replacePattern().apply(entry.stem, r.replaceReplaceContent, &replaced)
            && trouble) {
            const QString error = rule.replacePattern().error();
            *trouble
                = !error.isEmpty() ? error : QStringLiteral("正则表达式过于复杂，匹配超出限制");
        }
        return finish(swapAroundSeparator(replaced, r.splitText), Finish::of(r), isFolder, entry);
    }
    case RenameRule::Delete:
        return finish(
            deleteFromStem(entry.stem, rule.erase), Finish::of(rule.erase), isFolder, entry);
    }
    return entry.stem;
}

QString importedName(const QString &name, bool isFolder, const PreviewEntry &entry)
{
    if (isFolder || entry.extension.isEmpty())
        return name;
    return name + QLatin1Char('.') + entry.extension;
}

#include "office/Xlsx.h"

#include "office/ZipPackage.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <xlsxwriter.h>

#include <algorithm>

namespace Xlsx {

namespace {

const QString relationshipsSuffix = QStringLiteral(".rels");

struct Relationship
{
    QString type;
    QString target; // resolved part name, without a leading slash
};

QString directoryOf(const QString &part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

// Resolves a relationship target against the folder of its source part.
QString resolvePart(const QString &baseDirectory, const QString &target)
{
    QString joined = target.startsWith(QLatin1Char('/'))
        ? target.mid(1)
        : (baseDirectory.isEmpty() ? target : baseDirectory + QLatin1Char('/') + target);
    QStringList parts;
    for (const QString &piece : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("."))
            continue;
        if (piece == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(piece);
    }
    return parts.join(QLatin1Char('/'));
}

QString relationshipsPartOf(const QString &part)
{
    const QString directory = directoryOf(part);
    const QString file = part.mid(directory.isEmpty() ? 0 : directory.size() + 1);
    return (directory.isEmpty() ? QString() : directory + QLatin1Char('/'))
        + QStringLiteral("_rels/") + file + relationshipsSuffix;
}

bool typeIs(const QString &type, QLatin1String suffix)
{
    return type.endsWith(QLatin1Char('/') + suffix);
}

// Packages never need a DTD; refusing one keeps entity tricks out.
bool refuseDtd(QXmlStreamReader &xml)
{
    if (xml.tokenType() == QXmlStreamReader::DTD) {
        xml.raiseError(QStringLiteral("DTD not allowed"));
        return true;
    }
    return false;
}

// The relationship id attribute ("r:id") of a sheet, whatever the prefix.
QString relationshipId(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
            return attribute.value().toString();
    }
    return {};
}

} // namespace

// ---------------------------------------------------------------- references

CellRange::CellRange(int firstRow, int firstColumn, int lastRow, int lastColumn)
    : top(firstRow), left(firstColumn), bottom(lastRow), right(lastColumn)
{ }

QString columnName(int column)
{
    if (column < 1 || column > maxColumns)
        return {};
    QString name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.prepend(QChar('A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

bool parseCellReference(QStringView reference, int *row, int *column)
{
    int i = 0;
    const int size = int(reference.size());
    qint64 col = 0;
    while (i < size && i < 3) {
        const QChar c = reference.at(i);
        int digit;
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            digit = c.unicode() - 'A';
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            digit = c.unicode() - 'a';
        else
            break;
        col = col * 26 + digit + 1;
        ++i;
    }
    if (i == 0 || i == size || i > 3)
        return false;
    qint64 r = 0;
    for (int j = i; j < size; ++j) {
        const QChar c = reference.at(j);
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || j - i >= 8)
            return false;
        r = r * 10 + (c.unicode() - '0');
    }
    if (r < 1 || r > maxRows || col < 1 || col > maxColumns)
        return false;
    *row = int(r);
    *column = int(col);
    return true;
}

QString unescapeText(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    const int size = text.size();
    int i = 0;
    while (i < size) {
        if (i + 6 < size && text.at(i) == QLatin1Char('_') && text.at(i + 1) == QLatin1Char('x')
            && text.at(i + 6) == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.midRef(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out.append(QChar(code));
                i += 7;
                continue;
            }
        }
        out.append(text.at(i));
        ++i;
    }
    return out;
}

namespace {

bool xmlAllows(char16_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xFFFE);
}

} // namespace

QString escapeText(const QString &text)
{
    const auto plain = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u != '_' && u < 0xD800;
    };
    if (std::all_of(text.cbegin(), text.cend(), plain))
        return text;
    QString out;
    out.reserve(text.size());
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
        } else if (c.isSurrogate()) {
            out.append(QChar(0xFFFD)); // half a pair cannot be written in UTF-8
        } else if (!xmlAllows(u)
            || (u == '_' && i + 6 < size && text.at(i + 1) == QLatin1Char('x')
                && text.at(i + 6) == QLatin1Char('_'))) {
            out.append(QLatin1String("_x"));
            out.append(QString::number(uint(u), 16).toUpper().rightJustified(4, QLatin1Char('0')));
            out.append(QLatin1Char('_'));
        } else {
            out.append(c);
        }
    }
    return out;
}

// ---------------------------------------------------------------- worksheet

CellRange Worksheet::dimension() const
{
    if (entries.isEmpty())
        return {};
    int left = maxColumns;
    int right = 0;
    for (const Entry &entry : entries) {
        left = std::min(left, entry.column);
        right = std::max(right, entry.column);
    }
    return CellRange(entries.first().row, left, entries.last().row, right);
}

const Cell *Worksheet::cellAt(int row, int column) const
{
    const auto it = std::lower_bound(entries.cbegin(), entries.cend(), std::make_pair(row, column),
        [](const Entry &entry, const std::pair<int, int> &key) {
            return std::make_pair(entry.row, entry.column) < key;
        });
    if (it == entries.cend() || it->row != row || it->column != column)
        return nullptr;
    return &it->cell;
}

// ---------------------------------------------------------------- reading

namespace {

struct SheetInfo
{
    QString name;
    QString part;
    bool isWorksheet = false;
};

// The text of a string item: plain <t>, or the <t> of each rich-text run;
// phonetic hints (<rPh>) are not part of the text.
QString readRichText(QXmlStreamReader &xml, QLatin1String endName)
{
    QString text;
    int phoneticDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == endName)
                break;
            if (xml.name() == QLatin1String("rPh"))
                --phoneticDepth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("rPh")) {
            ++phoneticDepth;
        } else if (xml.name() == QLatin1String("t")) {
            const QString piece = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (phoneticDepth == 0)
                text += piece;
        }
    }
    return unescapeText(text);
}

} // namespace

// Streams one worksheet part into cells.
class SheetParser
{
public:
    SheetParser(QXmlStreamReader &xml, const QVector<QString> &sharedStrings, Worksheet &sheet)
        : xml(xml), sharedStrings(sharedStrings), sheet(sheet)
    { }

    bool parse()
    {
        while (!xml.atEnd()) {
            xml.readNext();
            if (refuseDtd(xml))
                return false;
            if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
                if (!parseRow())
                    return false;
            }
        }
        if (xml.hasError())
            return false;
        finish();
        return true;
    }

    QString error;

private:
    bool fail(const QString &why)
    {
        error = why;
        return false;
    }

    bool parseRow()
    {
        const QStringRef r = xml.attributes().value(QLatin1String("r"));
        int row = lastRow + 1;
        if (!r.isEmpty()) {
            bool ok = false;
            row = r.toInt(&ok);
            if (!ok)
                return fail(QStringLiteral("bad row number"));
        }
        if (row < 1 || row > maxRows)
            return fail(QStringLiteral("row outside the grid"));
        lastRow = row;
        int lastColumn = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("row"))
                return true;
            if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
                if (!parseCell(row, &lastColumn))
                    return false;
            }
        }
        return !xml.hasError();
    }

    bool parseCell(int row, int *lastColumn)
    {
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringRef reference = attributes.value(QLatin1String("r"));
        int column = *lastColumn + 1;
        if (!reference.isEmpty()) {
            int refRow = 0;
            if (!parseCellReference(reference, &refRow, &column) || refRow != row)
                return fail(QStringLiteral("bad cell reference"));
        }
        if (column > maxColumns)
            return fail(QStringLiteral("column outside the grid"));
        *lastColumn = column;
        const QString type = attributes.value(QLatin1String("t")).toString();

        QString valueText;
        bool hasValue = false;
        QString inlineText;
        bool hasInline = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("v")) {
                valueText = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                inlineText = readRichText(xml, QLatin1String("is"));
                hasInline = true;
            } else if (xml.name() == QLatin1String("f")) {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            return false;

        QVariant value;
        if (type == QLatin1String("s")) {
            if (hasValue) {
                bool ok = false;
                const int index = valueText.trimmed().toInt(&ok);
                if (!ok || index < 0 || index >= sharedStrings.size())
                    return fail(QStringLiteral("shared string index out of range"));
                value = sharedStrings.at(index);
            }
        } else if (type == QLatin1String("inlineStr")) {
            if (hasInline)
                value = inlineText;
            else if (hasValue)
                value = unescapeText(valueText);
        } else if (type == QLatin1String("b")) {
            if (hasValue) {
                const QString t = valueText.trimmed();
                value = t == QLatin1String("1")
                    || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
            }
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            if (hasValue) {
                bool ok = false;
                const double number = valueText.trimmed().toDouble(&ok);
                if (ok)
                    value = number;
                else if (!valueText.trimmed().isEmpty())
                    return fail(QStringLiteral("bad number"));
            }
        } else if (hasValue) {
            // "str" (formula text), "e" (error such as #N/A), "d" (ISO date): the text as stored.
            value = unescapeText(valueText);
        }

        if (sheet.entries.size() >= maxCells)
            return fail(QStringLiteral("too many cells"));
        if (!sheet.entries.isEmpty()) {
            const Worksheet::Entry &previous = sheet.entries.constLast();
            if (row < previous.row || (row == previous.row && column <= previous.column))
                unordered = true;
        }
        sheet.entries.append({row, column, Cell(value)});
        return true;
    }

private:
    void finish()
    {
        if (!unordered)
            return;
        // Written out of order: sort, and let a later duplicate win.
        std::stable_sort(sheet.entries.begin(), sheet.entries.end(),
            [](const Worksheet::Entry &a, const Worksheet::Entry &b) {
                return std::make_pair(a.row, a.column) < std::make_pair(b.row, b.column);
            });
        QVector<Worksheet::Entry> unique;
        unique.reserve(sheet.entries.size());
        for (const Worksheet::Entry &entry : qAsConst(sheet.entries)) {
            if (!unique.isEmpty() && unique.constLast().row == entry.row
                && unique.constLast().column == entry.column)
                unique.last() = entry;
            else
                unique.append(entry);
        }
        sheet.entries = std::move(unique);
    }

    QXmlStreamReader &xml;
    const QVector<QString> &sharedStrings;
    Worksheet &sheet;
    int lastRow = 0;
    bool unordered = false;
};

struct Document::Private
{
    // reading
    bool loaded = false;
    QString error;
    QVector<SheetInfo> sheets;
    int current = -1;
    std::unique_ptr<Worksheet> currentSheet;

    // writing
    QVector<Worksheet::Entry> pending;

    bool load(const QString &path);
    bool fail(const QString &why)
    {
        error = why;
        return false;
    }
    bool readRelationships(
        ZipReader &zip, const QString &sourcePart, QHash<QString, Relationship> *relationships);
    bool readWorkbook(
        ZipReader &zip, const QString &part, const QHash<QString, Relationship> &relationships);
    bool readSharedStrings(ZipReader &zip, const QString &part, QVector<QString> *strings);
    bool readSheet(ZipReader &zip, const SheetInfo &info, const QVector<QString> &strings);
};

bool Document::Private::readRelationships(
    ZipReader &zip, const QString &sourcePart, QHash<QString, Relationship> *relationships)
{
    const QString part
        = sourcePart.isEmpty() ? QStringLiteral("_rels/.rels") : relationshipsPartOf(sourcePart);
    auto device = zip.openEntry(part, maxPartBytes);
    if (!device)
        return zip.contains(part) ? fail(QStringLiteral("unreadable %1").arg(part)) : true;
    const QString base = directoryOf(sourcePart);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (refuseDtd(xml))
            break;
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.value(QLatin1String("TargetMode")) == QLatin1String("External"))
                continue;
            relationships->insert(attributes.value(QLatin1String("Id")).toString(),
                {attributes.value(QLatin1String("Type")).toString(),
                    resolvePart(base, attributes.value(QLatin1String("Target")).toString())});
            if (relationships->size() > ZipReader::maxEntries)
                return fail(QStringLiteral("too many relationships"));
        }
    }
    if (xml.hasError() || device->failed())
        return fail(QStringLiteral("broken %1: %2").arg(part, xml.errorString()));
    return true;
}

bool Document::Private::readWorkbook(
    ZipReader &zip, const QString &part, const QHash<QString, Relationship> &relationships)
{
    auto device = zip.openEntry(part, maxPartBytes);
    if (!device)
        return fail(QStringLiteral("no workbook part"));
    QXmlStreamReader xml(device.get());
    int activeTab = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (refuseDtd(xml))
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("workbookView")) {
            bool ok = false;
            const int tab = xml.attributes().value(QLatin1String("activeTab")).toInt(&ok);
            if (ok && tab >= 0)
                activeTab = tab;
        } else if (xml.name() == QLatin1String("sheet")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            SheetInfo info;
            info.name = attributes.value(QLatin1String("name")).toString();
            const auto relationship = relationships.constFind(relationshipId(attributes));
            if (relationship == relationships.constEnd())
                return fail(QStringLiteral("sheet without a part"));
            info.part = relationship->target;
            info.isWorksheet = typeIs(relationship->type, QLatin1String("worksheet"));
            sheets.append(info);
            if (sheets.size() > ZipReader::maxEntries)
                return fail(QStringLiteral("too many sheets"));
        }
    }
    if (xml.hasError() || device->failed())
        return fail(QStringLiteral("broken workbook: %1").arg(xml.errorString()));
    if (!sheets.isEmpty())
        current = activeTab < sheets.size() ? activeTab : 0;
    return true;
}

bool Document::Private::readSharedStrings(
    ZipReader &zip, const QString &part, QVector<QString> *strings)
{
    auto device = zip.openEntry(part, maxPartBytes);
    if (!device)
        return fail(QStringLiteral("unreadable shared strings"));
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (refuseDtd(xml))
            break;
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            if (strings->size() >= maxSharedStrings)
                return fail(QStringLiteral("too many shared strings"));
            strings->append(readRichText(xml, QLatin1String("si")));
        }
    }
    if (xml.hasError() || device->failed())
        return fail(QStringLiteral("broken shared strings: %1").arg(xml.errorString()));
    return true;
}

bool Document::Private::readSheet(
    ZipReader &zip, const SheetInfo &info, const QVector<QString> &strings)
{
    auto device = zip.openEntry(info.part, maxPartBytes);
    if (!device)
        return fail(QStringLiteral("%1 worksheet %2")
                        .arg(zip.contains(info.part) ? QStringLiteral("oversized or unreadable")
                                                     : QStringLiteral("missing"),
                            info.part));
    auto sheet = std::make_unique<Worksheet>();
    sheet->name = info.name;
    QXmlStreamReader xml(device.get());
    SheetParser parser(xml, strings, *sheet);
    const bool parsed = parser.parse();
    if (!parsed || device->failed())
        return fail(QStringLiteral("broken worksheet %1: %2")
                        .arg(info.part, parser.error.isEmpty() ? xml.errorString() : parser.error));
    currentSheet = std::move(sheet);
    return true;
}

bool Document::Private::load(const QString &path)
{
    ZipReader zip(path);
    if (!zip.isOpen())
        return fail(QStringLiteral("not a zip package"));

    QHash<QString, Relationship> packageRelationships;
    if (!readRelationships(zip, QString(), &packageRelationships))
        return false;
    QString workbookPart;
    for (const Relationship &relationship : qAsConst(packageRelationships)) {
        if (typeIs(relationship.type, QLatin1String("officeDocument")))
            workbookPart = relationship.target;
    }
    if (workbookPart.isEmpty())
        workbookPart = QStringLiteral("xl/workbook.xml");

    QHash<QString, Relationship> workbookRelationships;
    if (!readRelationships(zip, workbookPart, &workbookRelationships))
        return false;
    if (!readWorkbook(zip, workbookPart, workbookRelationships))
        return false;

    QVector<QString> strings;
    QString stringsPart;
    for (const Relationship &relationship : qAsConst(workbookRelationships)) {
        if (typeIs(relationship.type, QLatin1String("sharedStrings")))
            stringsPart = relationship.target;
    }
    if (!stringsPart.isEmpty() && zip.contains(stringsPart)
        && !readSharedStrings(zip, stringsPart, &strings))
        return false;

    if (current >= 0 && sheets.at(current).isWorksheet
        && !readSheet(zip, sheets.at(current), strings))
        return false;
    return true;
}

Document::Document() : d(std::make_unique<Private>()) { }

Document::Document(const QString &path) : d(std::make_unique<Private>())
{
    d->loaded = d->load(path);
}

Document::~Document() = default;

bool Document::isLoadPackage() const
{
    return d->loaded;
}

Worksheet *Document::currentWorksheet() const
{
    return d->currentSheet.get();
}

QStringList Document::sheetNames() const
{
    QStringList names;
    for (const SheetInfo &info : qAsConst(d->sheets))
        names.append(info.name);
    return names;
}

QString Document::errorString() const
{
    return d->error;
}

// ---------------------------------------------------------------- writing

bool Document::write(const QString &cellReference, const QVariant &value)
{
    int row = 0;
    int column = 0;
    return parseCellReference(cellReference, &row, &column) && write(row, column, value);
}

bool Document::write(int row, int column, const QVariant &value)
{
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns)
        return false;
    d->pending.append({row, column, Cell(value)});
    return true;
}

namespace {

// Excel keeps at most this many characters in a cell.
constexpr int maxCellText = 32767;

// `blank` is a plain format: libxlsxwriter drops an empty text written without one, and a row
// whose values are all empty would vanish with it (the last one from the used range too).
lxw_error writeValue(lxw_worksheet *sheet, lxw_format *blank, const Worksheet::Entry &entry)
{
    const lxw_row_t row = lxw_row_t(entry.row - 1);
    const lxw_col_t column = lxw_col_t(entry.column - 1);
    const QVariant value = entry.cell.value();
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return LXW_NO_ERROR;
    case QMetaType::Bool:
        return worksheet_write_boolean(sheet, row, column, value.toBool(), nullptr);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return worksheet_write_number(sheet, row, column, value.toDouble(), nullptr);
    default:
        break;
    }
    QString text = escapeText(value.toString());
    if (text.isEmpty())
        return worksheet_write_blank(sheet, row, column, blank);
    if (text.size() > maxCellText) {
        text.truncate(maxCellText);
        if (text.at(text.size() - 1).isHighSurrogate())
            text.chop(1);
    }
    // Always a string: a name that starts with "=" must not turn into a formula.
    return worksheet_write_string(sheet, row, column, text.toUtf8().constData(), nullptr);
}

bool saveBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    // A file that may be rewritten inside a folder that may not: write it in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    if (out.write(bytes) != bytes.size() || !out.commit()) {
        *error = out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

QByteArray writerFileName(const QString &path, FileNameSystem system)
{
    if (system == FileNameSystem::Windows) {
        QString native = path;
        native.replace(QLatin1Char('/'), QLatin1Char('\\'));
        return native.toUtf8();
    }
    return QFile::encodeName(path);
}

bool Document::saveAs(const QString &path)
{
    // libxlsxwriter only writes to a named file; build the workbook aside and
    // replace the target in one step, so a failed save leaves the old file whole.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return d->fail(QStringLiteral("no temporary folder: %1").arg(scratch.errorString()));
    const QByteArray scratchDir = writerFileName(scratch.path());
    const QByteArray bookPath = writerFileName(scratch.filePath(QStringLiteral("book.xlsx")));

    lxw_workbook_options options {};
    options.tmpdir = const_cast<char *>(scratchDir.constData());
    lxw_workbook *book = workbook_new_opt(bookPath.constData(), &options);
    if (!book)
        return d->fail(QStringLiteral("cannot create a workbook"));
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    lxw_format *blank = workbook_add_format(book);
    lxw_error status = sheet && blank ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (const Worksheet::Entry &entry : qAsConst(d->pending)) {
        if (status != LXW_NO_ERROR)
            break;
        status = writeValue(sheet, blank, entry);
    }
    const lxw_error closed = workbook_close(book);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR)
        return d->fail(QString::fromUtf8(lxw_strerror(status)));

    QFile built(scratch.filePath(QStringLiteral("book.xlsx")));
    if (!built.open(QIODevice::ReadOnly))
        return d->fail(built.errorString());
    const QByteArray bytes = built.readAll();
    built.close();
    QString error;
    if (!saveBytes(path, bytes, &error))
        return d->fail(error);
    return true;
}

} // namespace Xlsx

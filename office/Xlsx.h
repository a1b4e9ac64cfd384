#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

// A small .xlsx layer: reads the current worksheet of a workbook (minizip and
// QXmlStreamReader) and writes new workbooks (libxlsxwriter).
namespace Xlsx {

// Excel's own grid; a reference outside it marks the file as broken.
inline constexpr int maxRows = 1048576;
inline constexpr int maxColumns = 16384;

// Inflated size a single part may reach before the package counts as broken.
inline constexpr qint64 maxPartBytes = 64LL * 1024 * 1024;
// Cells and shared strings a workbook may hold before it counts as broken;
// several times what any name list needs, small enough for memory.
inline constexpr int maxCells = 2 * 1000 * 1000;
inline constexpr int maxSharedStrings = 2 * 1000 * 1000;

// 1-based, inclusive. An invalid range (all zero) stands for "no cells".
class CellRange
{
public:
    CellRange() = default;
    CellRange(int firstRow, int firstColumn, int lastRow, int lastColumn);
    bool isValid() const { return top > 0 && left > 0; }
    int firstRow() const { return top; }
    int firstColumn() const { return left; }
    int lastRow() const { return bottom; }
    int lastColumn() const { return right; }

private:
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

// A cell that exists in the sheet. Its value is a QString (shared, inline,
// rich-text or formula text), a double (numbers), a bool, or invalid for a
// cell that holds nothing.
class Cell
{
public:
    Cell() = default;
    explicit Cell(QVariant value) : cellValue(std::move(value)) { }
    QVariant value() const { return cellValue; }

private:
    QVariant cellValue;
};

class Worksheet
{
public:
    struct Entry
    {
        int row;
        int column;
        Cell cell;
    };

    QString sheetName() const { return name; }
    // The range spanned by the cells that exist; the sheet's own declaration
    // is not trusted.
    CellRange dimension() const;
    // The cell at a 1-based row and column, or null when there is none there.
    const Cell *cellAt(int row, int column) const;
    // Every existing cell, ordered by row, then column (one entry per position).
    const QVector<Entry> &cells() const { return entries; }

private:
    friend class Document;
    friend class SheetParser;
    QString name;
    QVector<Entry> entries;
};

class Document
{
public:
    // A new, empty workbook with one worksheet, for writing.
    Document();
    // Opens and parses the workbook at path; see isLoadPackage().
    explicit Document(const QString &path);
    ~Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    // True when the package, its workbook, shared strings and current
    // worksheet were read without a fault.
    bool isLoadPackage() const;
    // The workbook's active sheet, else its first; null when there is no
    // sheet or that sheet is not a worksheet (a chart sheet, for instance).
    Worksheet *currentWorksheet() const;
    // Names of all sheets, in workbook order.
    QStringList sheetNames() const;
    // Why loading or saving failed, for the log.
    QString errorString() const;

    // Stores a value for writing: a string as text (never as a formula),
    // numbers as numbers, bools as booleans, an empty string as a blank cell
    // (so that its row stays). False for a bad reference.
    bool write(const QString &cellReference, const QVariant &value);
    bool write(int row, int column, const QVariant &value);
    // Writes the workbook; an existing file is replaced only once the new one
    // is complete. False when the file cannot be written.
    bool saveAs(const QString &path);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

enum class FileNameSystem { Windows, Posix };
#ifdef Q_OS_WIN
inline constexpr FileNameSystem hostFileNameSystem = FileNameSystem::Windows;
#else
inline constexpr FileNameSystem hostFileNameSystem = FileNameSystem::Posix;
#endif

// The bytes libxlsxwriter is given as a file or folder name: UTF-8 with native separators on
// Windows, where it widens them itself (the ANSI code page cannot hold every name); the file
// system's own encoding elsewhere, where they go to fopen unchanged.
QByteArray writerFileName(const QString &path, FileNameSystem system = hostFileNameSystem);

// "A" for 1, "Z" for 26, "AA" for 27; empty outside the grid.
QString columnName(int column);
// "B3" to row 3, column 2; false for anything that is not a reference in the grid.
bool parseCellReference(QStringView reference, int *row, int *column);
// Decodes the _xHHHH_ escapes that Excel uses for characters XML cannot hold.
QString unescapeText(const QString &text);
// Encodes characters XML cannot hold (and a literal "_x" that would read as
// an escape) the way Excel does, so the text survives a round trip.
QString escapeText(const QString &text);

} // namespace Xlsx

#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QVariant>

// What an extraction page exports, and where. The panel writes its page's instance, the list
// reads it when an export starts.
struct CollectSettings
{
    bool hasSuffix = true;
    bool hasPath = true;
    bool hasBirth = true;
    bool hasModified = true;
    QString exportName;
    int exportType = 0; // 0 xlsx, 1 docx, 2 txt (the index of the format box)
    QString exportDir;
};

// The two process-wide instances.
CollectSettings *fileCollectSettings();
CollectSettings *folderCollectSettings();
inline CollectSettings *collectSettings(bool isFolder)
{
    return isFolder ? folderCollectSettings() : fileCollectSettings();
}

// The user's desktop folder, where exports go until another folder is chosen.
QString defaultExportDir();
// The initial values, with the desktop as the output folder.
void resetCollectSettings(CollectSettings *settings);

namespace CollectExport {

enum Type { Xlsx = 0, Docx = 1, Txt = 2 };

// ".xlsx", ".docx" or ".txt"; an unknown type counts as xlsx.
QString suffix(int exportType);
// The output file: the export name with its suffix inside the output folder; empty without a
// folder (so the write fails instead of landing in the working directory).
QString outputPath(const CollectSettings &settings);
// Why the export name cannot be used (the message for the user), or empty when it can.
QString nameProblem(const CollectSettings &settings);

// Times as the lists show them; empty for a time the file system does not know.
QString timeText(const QDateTime &time);
// The header row of a workbook: "文件名称" and one header per included value.
QList<QVariant> headerRow(const CollectSettings &settings);
// One entry's values from info: the name (whole for folders and with hasSuffix, else before the
// last dot), then path, creation and modification time as included. Every included value keeps
// its place, also when empty.
QList<QVariant> entryRow(const QFileInfo &info, const CollectSettings &settings, bool isFolder);

} // namespace CollectExport

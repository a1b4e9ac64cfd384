#include "extract/CollectSettings.h"

#include "disk/DiskNames.h"
#include "extract/ExportTimes.h"

#include <QDir>
#include <QStandardPaths>

CollectSettings *fileCollectSettings()
{
    static CollectSettings settings;
    return &settings;
}

CollectSettings *folderCollectSettings()
{
    static CollectSettings settings;
    return &settings;
}

QString defaultExportDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void resetCollectSettings(CollectSettings *settings)
{
    *settings = CollectSettings();
    settings->exportDir = defaultExportDir();
}

namespace CollectExport {

QString suffix(int exportType)
{
    switch (exportType) {
    case Docx:
        return QStringLiteral(".docx");
    case Txt:
        return QStringLiteral(".txt");
    default:
        return QStringLiteral(".xlsx");
    }
}

QString outputPath(const CollectSettings &settings)
{
    if (settings.exportDir.isEmpty())
        return QString();
    return QDir(settings.exportDir).filePath(settings.exportName + suffix(settings.exportType));
}

QString nameProblem(const CollectSettings &settings)
{
    if (settings.exportName.trimmed().isEmpty())
        return QStringLiteral("请输入导出名称！");
    // Exports travel to Windows disks, sticks and shares, so their characters are refused on
    // every system; "../x" or "a/b" would also write outside the chosen folder.
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : settings.exportName) {
        if (forbidden.contains(c))
            return QStringLiteral("导出名称“%1”不能包含以下字符：%2")
                .arg(settings.exportName, forbidden);
    }
    if (!isAcceptableName(settings.exportName + suffix(settings.exportType)))
        return QStringLiteral("导出名称“%1”不能用作文件名！").arg(settings.exportName);
    return QString();
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) : QString();
}

QList<QVariant> headerRow(const CollectSettings &settings)
{
    QList<QVariant> row {QStringLiteral("文件名称")};
    if (settings.hasPath)
        row.append(QStringLiteral("文件路径"));
    if (settings.hasBirth)
        row.append(QStringLiteral("创建时间"));
    if (settings.hasModified)
        row.append(QStringLiteral("修改时间"));
    return row;
}

QList<QVariant> entryRow(const QFileInfo &info, const CollectSettings &settings, bool isFolder)
{
    // A folder's name has no extension to drop: "a.b" stays "a.b".
    QList<QVariant> row {
        isFolder || settings.hasSuffix ? info.fileName() : info.completeBaseName()};
    if (settings.hasPath)
        row.append(info.absoluteFilePath());
    if (settings.hasBirth || settings.hasModified) {
        const ExportTimes times
            = readExportTimes(info.absoluteFilePath(), settings.hasBirth, settings.hasModified);
        if (settings.hasBirth)
            row.append(times.birth);
        if (settings.hasModified)
            row.append(times.modified);
    }
    return row;
}

} // namespace CollectExport

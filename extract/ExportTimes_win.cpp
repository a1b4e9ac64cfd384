// Windows converts to local time cheaply; QFileInfo is all it takes.
#include "extract/ExportTimes.h"

#include "extract/CollectSettings.h"

#include <QFileInfo>

void prepareExportTimes() { }

ExportTimes readExportTimes(const QString &path, bool birth, bool modified)
{
    ExportTimes times;
    if (!birth && !modified)
        return times;
    const QFileInfo info(path);
    if (birth)
        times.birth = CollectExport::timeText(info.birthTime());
    if (modified)
        times.modified = CollectExport::timeText(info.lastModified());
    return times;
}

#include "lists/ListEntries.h"

#include "filetime/LocalDateTime.h"

#include <QFileInfo>
#include <QUuid>

QString entryStateText(int state)
{
    switch (state) {
    case StateSuccess:
        return QStringLiteral("成功");
    case StateFailed:
        return QStringLiteral("失败");
    case StateRunning:
        return QStringLiteral("进行中");
    case StateMissing:
        return QStringLiteral("文件不存在");
    default:
        return QStringLiteral("待操作");
    }
}

InfoEntry *newInfoEntry(const QString &path)
{
    const QFileInfo info(path);
    auto *entry = new InfoEntry;
    entry->fileName = info.fileName();
    entry->filePath = info.absoluteFilePath();
    // Through the one local-time conversion (not QFileInfo's), right for every date.
    entry->ownTimes = presentTimes(entry->filePath);
    entry->birthTime = entry->ownTimes.birthTime();
    entry->modifiedTime = entry->ownTimes.modifiedTime();
    entry->stateText = entryStateText(StatePending);
    entry->uuid = QUuid::createUuid().toString();
    entry->state = StatePending;
    return entry;
}

#include "lists/ListEntries.h"

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

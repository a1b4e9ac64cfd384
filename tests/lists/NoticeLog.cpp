#include "tests/lists/NoticeLog.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "lists/CustomTabelWidget.h"

namespace {
const char *const kNotices[] = {Topic::StartAddFile, Topic::EndAddFile, Topic::AppCompacityLimit};
}

NoticeLog::NoticeLog(EntryListBase *list) : list(list)
{
    for (const char *key : kNotices)
        CNvGlobalObserver::instance()->registerObserver(
            key, Topic::NoticeName, this, QUORVEX_BUS_SLOT);
    if (list)
        connect(list, &EntryListBase::tabelEmpty, this,
            [this](bool isEmpty) { events.append(isEmpty ? "EMPTY true" : "EMPTY false"); });
}

NoticeLog::~NoticeLog()
{
    for (const char *key : kNotices)
        CNvGlobalObserver::instance()->unregisterObserver(key, Topic::NoticeName, this);
}

void NoticeLog::onPropertyValueChanged(
    const QString &valueName, const QString &, const QVariant &value)
{
    if (valueName == Topic::StartAddFile) {
        events.append("START");
    } else if (valueName == Topic::EndAddFile) {
        events.append(QStringLiteral("END %1").arg(value.toInt()));
        if (list)
            rowsAtEnd.append(list->table()->rowCount());
    } else if (valueName == Topic::AppCompacityLimit) {
        events.append("LIMIT");
    }
}

#pragma once

#include "lists/EntryListBase.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

// Records, in order, the addition notices on the bus and a list's tabelEmpty signal, and the
// list's row count whenever an addition ends.
class NoticeLog : public QObject
{
    Q_OBJECT
public:
    explicit NoticeLog(EntryListBase *list = nullptr);
    ~NoticeLog() override;

    QStringList events;
    QList<int> rowsAtEnd;

public slots:
    void onPropertyValueChanged(const QString &valueName, const QString &, const QVariant &value);

private:
    EntryListBase *list;
};

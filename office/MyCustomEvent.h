#pragma once

#include <QEvent>
#include <QList>
#include <QVariant>

// Carries the outcome of a pool task (rows read from a workbook, or a write's
// result) back to the object that started it, on that object's thread.
class MyCustomEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(QEvent::User + 16); // 1016

    explicit MyCustomEvent(QList<QVariant> list = {}, bool result = false);
    ~MyCustomEvent() override;

    // Reader: one QStringList per worksheet row. Writers: the tag the write was
    // started with (empty unless the starter gave one).
    QList<QVariant> list;
    // Writers only: true when the file was written.
    bool result = false;
};

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QEvent;

// Posting from pool tasks to a receiver that may be gone by the time the
// event would arrive.
namespace OfficeDelivery {

// Takes the event; it reaches the receiver through the application's queue,
// in posting order, and is dropped when the receiver no longer exists.
void post(const QPointer<QObject> &receiver, QEvent *event);
// Posts a MyDialogMessageEvent with the message.
void postMessage(const QPointer<QObject> &receiver, const QString &message);

} // namespace OfficeDelivery

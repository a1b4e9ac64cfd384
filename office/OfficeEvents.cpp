#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"
#include "office/OfficeDelivery.h"

#include <QCoreApplication>

#include <memory>

MyCustomEvent::MyCustomEvent(QList<QVariant> list, bool result)
    : QEvent(EventType), list(std::move(list)), result(result)
{ }

MyCustomEvent::~MyCustomEvent() = default;

MyDialogMessageEvent::MyDialogMessageEvent(QString message)
    : QEvent(EventType), message(std::move(message))
{ }

MyDialogMessageEvent::~MyDialogMessageEvent() = default;

namespace OfficeDelivery {

void post(const QPointer<QObject> &receiver, QEvent *event)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        // No event loop to hop through: post directly, as the caller asked.
        if (receiver)
            QCoreApplication::postEvent(receiver.data(), event);
        else
            delete event;
        return;
    }
    // The receiver may be destroyed while a pool task runs. Checking it from a
    // worker would race with its deletion, so the check happens on the
    // application's thread, which is where receivers are destroyed. Going
    // through the application's queue keeps the order of posts.
    auto owned = std::make_shared<std::unique_ptr<QEvent>>(event);
    QMetaObject::invokeMethod(
        app,
        [receiver, owned]() {
            if (receiver)
                QCoreApplication::postEvent(receiver.data(), owned->release());
        },
        Qt::QueuedConnection);
}

void postMessage(const QPointer<QObject> &receiver, const QString &message)
{
    post(receiver, new MyDialogMessageEvent(message));
}

} // namespace OfficeDelivery

#include "bus/CNvGlobalObserver.h"

#include <QAtomicPointer>
#include <QMutex>
#include <QMutexLocker>

namespace {

QAtomicPointer<CNvGlobalObserver> busInstance;

bool sameKey(const QString &a, const QString &b)
{
    // A null string and an empty one are the same key.
    return a.isEmpty() ? b.isEmpty() : a == b;
}

// Destroys the bus after main returns, with every entry still registered.
struct BusCleanup
{
    ~BusCleanup() { delete busInstance.loadAcquire(); }
} busCleanup;

} // namespace

CNvGlobalObserver *CNvGlobalObserver::instance()
{
    if (CNvGlobalObserver *bus = busInstance.loadAcquire())
        return bus;
    static QMutex creationLock;
    QMutexLocker lock(&creationLock);
    if (!busInstance.loadAcquire())
        busInstance.storeRelease(new CNvGlobalObserver);
    return busInstance.loadAcquire();
}

CNvGlobalObserver::~CNvGlobalObserver()
{
    for (ObserverEntry *entry : qAsConst(subscriptions)) {
        delete entry->adapter;
        delete entry;
    }
    subscriptions.clear();
}

void CNvGlobalObserver::registerObserver(
    QString nameSpace, QString name, QObject *receiver, const char *slot)
{
    auto *adapter = new CNvobesrverApater;
    QObject::connect(adapter, SIGNAL(notify(const QString &, const QString &, const QVariant &)),
        receiver, slot, Qt::AutoConnection);
    auto *entry = new ObserverEntry {nameSpace, name, receiver, adapter};
    for (int i = 0; i < subscriptions.size(); ++i) {
        ObserverEntry *old = subscriptions.at(i);
        if (old->receiver == receiver && sameKey(old->nameSpace, nameSpace)
            && sameKey(old->name, name)) {
            subscriptions.removeAt(i);
            delete old->adapter;
            delete old;
            break;
        }
    }
    subscriptions.append(entry);
}

void CNvGlobalObserver::unregisterObserver(QString nameSpace, QString name, QObject *receiver)
{
    for (int i = 0; i < subscriptions.size(); ++i) {
        ObserverEntry *entry = subscriptions.at(i);
        if (entry->receiver == receiver && sameKey(entry->nameSpace, nameSpace)
            && sameKey(entry->name, name)) {
            subscriptions.removeAt(i);
            delete entry->adapter;
            delete entry;
            return;
        }
    }
}

void CNvGlobalObserver::notifyObservers(QString nameSpace, QString name, QVariant value)
{
    // Index walk, re-checked each step: a slot that (un)registers during the
    // delivery must not leave us on a dangling iterator.
    for (int i = 0; i < subscriptions.size(); ++i) {
        ObserverEntry *entry = subscriptions.at(i);
        if (sameKey(entry->name, name) && sameKey(entry->nameSpace, nameSpace))
            emit entry->adapter->notify(nameSpace, name, value);
    }
}

bool CNvGlobalObserver::hasSubscriber(const QString &nameSpace, const QString &name) const
{
    for (const ObserverEntry *entry : subscriptions) {
        if (sameKey(entry->name, name) && sameKey(entry->nameSpace, nameSpace))
            return true;
    }
    return false;
}

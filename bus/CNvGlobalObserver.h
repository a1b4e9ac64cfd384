#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

// One adapter per subscription: its single connection is the subscription,
// so destroying the adapter ends it.
class CNvobesrverApater : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void notify(const QString &nameSpace, const QString &name, const QVariant &value);
};

struct ObserverEntry
{
    QString nameSpace;
    QString name;
    QObject *receiver = nullptr;
    CNvobesrverApater *adapter = nullptr;
};

// The process-wide publish/subscribe bus. Delivery is synchronous, in
// registration order, on the GUI thread.
class CNvGlobalObserver : public QObject
{
    Q_OBJECT
public:
    static CNvGlobalObserver *instance();

    // Subscribes receiver's slot (SLOT() string) to the key; a second
    // registration of the same key and receiver replaces the first.
    void registerObserver(QString nameSpace, QString name, QObject *receiver, const char *slot);
    void unregisterObserver(QString nameSpace, QString name, QObject *receiver);
    void notifyObservers(QString nameSpace, QString name, QVariant value);

    int subscriptionCount() const { return subscriptions.size(); }
    // Whether any receiver is registered for the key.
    bool hasSubscriber(const QString &nameSpace, const QString &name) const;

    // Only the clean-up after main returns destroys the bus.
    ~CNvGlobalObserver() override;

private:
    CNvGlobalObserver() = default;

    QList<ObserverEntry *> subscriptions;
};

// The slot signature every subscriber registers.
#define QUORVEX_BUS_SLOT                                                                           \
    SLOT(onPropertyValueChanged(const QString &, const QString &, const QVariant &))

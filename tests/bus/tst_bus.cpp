#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"

#include <QtTest>

namespace {

// Records every delivery, optionally publishing a message of its own.
class Recorder : public QObject
{
    Q_OBJECT
public:
    explicit Recorder(QString tag, QStringList *log) : tag(std::move(tag)), log(log) { }
    QString tag;
    QStringList *log;
    QString republishNameSpace;

public slots:
    void onPropertyValueChanged(
        const QString &valueName, const QString &valueObj, const QVariant &value)
    {
        log->append(QStringLiteral("%1:%2/%3=%4").arg(tag, valueName, valueObj, value.toString()));
        if (!republishNameSpace.isEmpty()) {
            const QString inner = republishNameSpace;
            republishNameSpace.clear();
            CNvGlobalObserver::instance()->notifyObservers(
                inner, QString(), QStringLiteral("inner"));
        }
    }
};

} // namespace

class TestBus : public QObject
{
    Q_OBJECT
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();

private slots:
    void instanceIsOneObject() { QCOMPARE(CNvGlobalObserver::instance(), bus); }

    void reRegistrationReplacesAndMovesToEnd()
    {
        QStringList log;
        Recorder a("a", &log), b("b", &log);
        const int before = bus->subscriptionCount();
        bus->registerObserver("K", Topic::RenameValueUpdate, &a, QUORVEX_BUS_SLOT);
        bus->registerObserver("K", Topic::RenameValueUpdate, &b, QUORVEX_BUS_SLOT);
        bus->registerObserver("K", Topic::RenameValueUpdate, &a, QUORVEX_BUS_SLOT);
        QCOMPARE(bus->subscriptionCount(), before + 2);
        bus->notifyObservers("K", Topic::RenameValueUpdate, 1);
        QCOMPARE(log, QStringList({"b:K/RENAME VALUE UPDATE=1", "a:K/RENAME VALUE UPDATE=1"}));
        bus->unregisterObserver("K", Topic::RenameValueUpdate, &a);
        bus->unregisterObserver("K", Topic::RenameValueUpdate, &b);
        QCOMPARE(bus->subscriptionCount(), before);
    }

    void deliversInRegistrationOrder()
    {
        QStringList log;
        Recorder first("1", &log), second("2", &log), third("3", &log);
        for (Recorder *r : {&first, &second, &third})
            bus->registerObserver("ORDER", "N", r, QUORVEX_BUS_SLOT);
        bus->notifyObservers("ORDER", "N", QVariant());
        QCOMPARE(log, QStringList({"1:ORDER/N=", "2:ORDER/N=", "3:ORDER/N="}));
        for (Recorder *r : {&first, &second, &third})
            bus->unregisterObserver("ORDER", "N", r);
    }

    void keyMatching_data()
    {
        QTest::addColumn<QString>("nameSpace");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("exact") << "START ADD FILE"
                               << "" << true;
        QTest::newRow("null name equals empty name") << "START ADD FILE" << QString() << true;
        QTest::newRow("nameSpace differs in case") << "start add file"
                                                   << "" << false;
        QTest::newRow("other name") << "START ADD FILE"
                                    << "RENAME VALUE UPDATE" << false;
        QTest::newRow("trailing space") << "START ADD FILE "
                                        << "" << false;
    }
    void keyMatching()
    {
        QFETCH(QString, nameSpace);
        QFETCH(QString, name);
        QFETCH(bool, delivered);
        QStringList log;
        Recorder window("w", &log);
        bus->registerObserver(Topic::StartAddFile, Topic::NoticeName, &window, QUORVEX_BUS_SLOT);
        bus->notifyObservers(nameSpace, name, QVariant());
        QCOMPARE(log.size(), delivered ? 1 : 0);
        bus->unregisterObserver(Topic::StartAddFile, Topic::NoticeName, &window);
    }

    void nestedPublishCompletesFirst()
    {
        QStringList log;
        Recorder list("list", &log), other("other", &log), window("window", &log);
        list.republishNameSpace = Topic::MessageErrorTip;
        bus->registerObserver(
            Topic::StartChangeName, Topic::RenameValueUpdate, &list, QUORVEX_BUS_SLOT);
        bus->registerObserver(Topic::MessageErrorTip, Topic::NoticeName, &window, QUORVEX_BUS_SLOT);
        bus->registerObserver(
            Topic::StartChangeName, Topic::RenameValueUpdate, &other, QUORVEX_BUS_SLOT);
        bus->notifyObservers(Topic::StartChangeName, Topic::RenameValueUpdate, QVariant());
        QCOMPARE(log,
            QStringList(
                {"list:START CHANGE NAME/RENAME VALUE UPDATE=", "window:MESSAGE ERROR TIP/=inner",
                    "other:START CHANGE NAME/RENAME VALUE UPDATE="}));
        bus->unregisterObserver(Topic::StartChangeName, Topic::RenameValueUpdate, &list);
        bus->unregisterObserver(Topic::StartChangeName, Topic::RenameValueUpdate, &other);
        bus->unregisterObserver(Topic::MessageErrorTip, Topic::NoticeName, &window);
    }

    void unregisteringStopsOnlyThatReceiver()
    {
        QStringList log;
        Recorder a("a", &log), b("b", &log);
        bus->registerObserver("U", "N", &a, QUORVEX_BUS_SLOT);
        bus->registerObserver("U", "N", &b, QUORVEX_BUS_SLOT);
        bus->unregisterObserver("U", "N", &a);
        bus->unregisterObserver("U", "N", &a); // a second time does nothing
        bus->unregisterObserver("u", "N", &b); // other case: not b's key
        bus->notifyObservers("U", "N", 7);
        QCOMPARE(log, QStringList({"b:U/N=7"}));
        bus->unregisterObserver("U", "N", &b);
    }

    void unknownKeyAndBadSlotAreHarmless()
    {
        QStringList log;
        Recorder a("a", &log);
        const int before = bus->subscriptionCount();
        bus->notifyObservers("NOBODY", "LISTENS", 1);
        bus->registerObserver("BAD", "N", &a, SLOT(noSuchSlot()));
        QCOMPARE(bus->subscriptionCount(), before + 1);
        bus->notifyObservers("BAD", "N", 1);
        QVERIFY(log.isEmpty());
        bus->unregisterObserver("BAD", "N", &a);
    }
};

QTEST_GUILESS_MAIN(TestBus)
#include "tst_bus.moc"

#include "TestEnvironment.h"

#include "platform/LauncherEntry.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QSignalSpy>

// Listens on its own connection, as a dock would.
class LauncherListener : public QObject
{
    Q_OBJECT

public:
    QList<QVariantList> updates;

public Q_SLOTS:
    void update(const QDBusMessage& message) { updates << message.arguments(); }
};

class TestLauncherEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QFAIL("this suite runs inside dbus-run-session");
    }

    void theLabelReachesTheLauncherAsACount()
    {
        QDBusConnection listenerBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "dock");
        QVERIFY(listenerBus.isConnected());
        LauncherListener listener;
        QVERIFY(listenerBus.connect(QString(), QString(), LauncherEntry::kInterface, "Update",
                                    &listener, SLOT(update(QDBusMessage))));

        LauncherEntry entry;
        QVERIFY(entry.setLabel("7"));
        QTRY_COMPARE(listener.updates.size(), 1);
        QCOMPARE(listener.updates[0][0].toString(), QString("application://velmoran.desktop"));
        QVariantMap properties = qdbus_cast<QVariantMap>(listener.updates[0][1]);
        QCOMPARE(properties.value("count").toLongLong(), 7);
        QCOMPARE(properties.value("count-visible").toBool(), true);

        QVERIFY(entry.setLabel(QString()));
        QTRY_COMPARE(listener.updates.size(), 2);
        properties = qdbus_cast<QVariantMap>(listener.updates[1][1]);
        QCOMPARE(properties.value("count-visible").toBool(), false);
        QDBusConnection::disconnectFromBus("dock");
    }

    void withoutABusNothingIsSent()
    {
        LauncherEntry entry(QDBusConnection(QStringLiteral("not-connected")));
        QVERIFY(!entry.setLabel("3"));
    }
};

VELMORAN_TEST_MAIN(TestLauncherEntry)
#include "tst_launcherentry.moc"

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

// The count on the launcher as a dock hears it; the suite runs inside dbus-run-session.
class TestLauncherEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QVERIFY(entry.setLabel(QString()));
        QTRY_COMPARE(listener.updates.size(), 2);
        // Each update as "application count visible".
        QStringList said;
        for (const QVariantList& update : std::as_const(listener.updates)) {
            const QVariantMap properties = qdbus_cast<QVariantMap>(update[1]);
            said << QStringList{update[0].toString(), properties.value("count").toString(),
                                properties.value("count-visible").toString()}
                        .join(' ');
        }
        QCOMPARE(said, QStringList({"application://velmoran.desktop 7 true",
                                    "application://velmoran.desktop 0 false"}));
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

// What the desktop hears from the program over D-Bus: notifications, and the count on the
// launcher as a dock hears it. This suite runs inside dbus-run-session: the notification
// service is one of its own.
#include "TestEnvironment.h"

#include "DesktopNotificationServer.h"

#include "platform/Clock.h"
#include "platform/LauncherEntry.h"
#include "platform/UserNotificationCenter.h"
#include "platform/notifications/NotificationServerClient.h"

#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QSignalSpy>

using TestEnvironment::local;
using Activation = UserNotification::ActivationType;
using Interval = UserNotification::RepeatInterval;

Q_DECLARE_METATYPE(DesktopNotificationServer::Mode)

namespace {

UserNotification reminderNotification(const QString& title, const QDateTime& when,
                                      Interval repeat = Interval::None)
{
    UserNotification notification;
    notification.title = title;
    notification.informativeText = QStringLiteral("Home");
    notification.actionButtonTitle = QStringLiteral("Snooze");
    notification.soundName = QStringLiteral("alarm-clock-elapsed");
    notification.deliveryDate = when;
    notification.deliveryRepeatInterval = repeat;
    notification.userInfo.insert(QStringLiteral("uuid"), QStringLiteral("uuid-") + title);
    return notification;
}

// Each notification as "title MM-dd HH:mm" of its next delivery.
QStringList scheduleOf(const QList<UserNotification>& notifications)
{
    QStringList lines;
    for (const UserNotification& notification : notifications)
        lines << notification.title + notification.deliveryDate.toString(" MM-dd HH:mm");
    return lines;
}

// Stands in for the application shell: remembers how each notification was activated.
class RecordingDelegate : public UserNotificationCenterDelegate
{
public:
    QList<QPair<Activation, QString>> activations;
    // The token the window system would spend when the activation raises a window.
    QStringList offeredTokens;

    void didActivateNotification(UserNotificationCenter&,
                                 const UserNotification& notification) override
    {
        offeredTokens << qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
        activations << qMakePair(notification.activationType,
                                 notification.userInfo.value("uuid").toString());
    }
};

} // namespace

// Listens on its own connection, as a dock would.
class LauncherListener : public QObject
{
    Q_OBJECT

public:
    QList<QVariantList> updates;

public Q_SLOTS:
    void update(const QDBusMessage& message) { updates << message.arguments(); }
};

class TestUserNotificationCenter : public QObject
{
    Q_OBJECT

    // Schedules `notifications` and delivers what is due at `now`.
    void deliverAt(const QList<UserNotification>& notifications, const QDateTime& now)
    {
        m_center->setScheduledNotifications(notifications);
        m_clock.setNow(now);
        m_center->deliverDueNotifications();
    }

    // One reminder of ours delivered to the server; its id there, 0 when none arrived.
    quint32 deliverOne()
    {
        deliverAt({reminderNotification("Mine", local(2026, 3, 27, 8, 5))},
                  local(2026, 3, 27, 8, 5));
        if (!QTest::qWaitFor([this] { return m_server->notifyCalls().size() == 1; }))
            return 0;
        return m_server->lastId();
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<DesktopNotificationServer>();
        QVERIFY(m_server->start());
        m_clock.setNow(local(2026, 3, 27, 8, 0));
        m_center = std::make_unique<UserNotificationCenter>(m_clock);
        m_center->setDelegate(&m_delegate);
        m_delegate.activations.clear();
        m_delegate.offeredTokens.clear();
    }

    void cleanup()
    {
        m_center.reset();
        m_server.reset();
    }

    void aNotificationIsDeliveredWhenDueWithEverythingTheDesktopNeeds()
    {
        UserNotification rent = reminderNotification("Pay rent", local(2026, 3, 27, 9, 0));
        rent.informativeText = "Home & <Garden>";
        m_center->setScheduledNotifications({rent});
        QCOMPARE(m_center->nextCheckDate(),
                 local(2026, 3, 27, 8, 1)); // a minute ahead at most, to notice sleeps
        m_center->deliverDueNotifications();
        QCOMPARE(m_center->scheduledNotifications().size(), 1);

        m_clock.setNow(local(2026, 3, 27, 8, 59, 50));
        m_center->deliverDueNotifications();
        QCOMPARE(m_center->nextCheckDate(), local(2026, 3, 27, 9, 0));
        m_clock.setNow(local(2026, 3, 27, 9, 0));
        m_center->deliverDueNotifications();
        QVERIFY(m_center->scheduledNotifications().isEmpty());
        QVERIFY(!m_center->nextCheckDate().isValid());

        QTRY_COMPARE(m_server->notifyCalls().size(), 1);
        const DesktopNotificationServer::NotifyCall call = m_server->notifyCalls().first();
        const QVariant urgency = call.hints.value("urgency");
        QCOMPARE(QStringList({call.summary, call.body, call.actions.join(','),
                              call.hints.value("sound-name").toString(),
                              call.hints.value("desktop-entry").toString(),
                              QString::number(urgency.toInt())})
                     .join(" | "),
                 QString("Pay rent | Home &amp; &lt;Garden&gt; | default,,snooze,Snooze | "
                         "alarm-clock-elapsed | velmoran | 1"));
        QCOMPARE(urgency.metaType().id(), int(QMetaType::UChar));
        QCOMPARE(m_center->deliveredNotifications().value(0).actualDeliveryDate,
                 local(2026, 3, 27, 9, 0));
    }

    void theBodyIsLeftAloneForAServiceWithoutMarkup()
    {
        m_server->setCapabilities({"actions", "body"});
        NotificationServerClient client(QDBusConnection::sessionBus());
        UserNotification plain = reminderNotification("Plain", local(2026, 3, 27, 9, 0));
        plain.informativeText = "Tom & Jerry";
        QCOMPARE(client.notifyMessage(plain).arguments().at(4).toString(),
                 QString("Tom &amp; Jerry"));
        QSignalSpy shown(&client, &NotificationServerClient::shown);
        client.notify(7, plain);
        QVERIFY(shown.wait(5000));
        QCOMPARE(shown.first().at(0).toULongLong(), 7ull);
        QTRY_COMPARE(client.bodyMarkup(), std::optional<bool>(false));
        QCOMPARE(client.notifyMessage(plain).arguments().at(4).toString(), QString("Tom & Jerry"));
        // Without an action button only the click on the notification itself is offered.
        plain.actionButtonTitle.clear();
        QCOMPARE(client.notifyMessage(plain).arguments().at(5).toStringList(),
                 QStringList({"default", ""}));
    }

    void aSleepPastSeveralDatesDeliversEachOnce()
    {
        m_center->setScheduledNotifications({
            reminderNotification("Daily pills", local(2026, 3, 27, 9, 0), Interval::Day),
            reminderNotification("Call mum", local(2026, 3, 27, 12, 0)),
            reminderNotification("Weekly review", local(2026, 3, 27, 10, 0), Interval::Week),
            reminderNotification("Bins", local(2026, 3, 28, 7, 0)),
            reminderNotification("Later", local(2026, 3, 30, 7, 0)),
        });
        // The machine slept from Friday 08:00 until Sunday 10:00, across the change to summer
        // time; the daily notification missed two of its dates.
        m_clock.setNow(local(2026, 3, 29, 10, 0));
        m_center->deliverDueNotifications();
        m_center->deliverDueNotifications(); // looking again finds nothing new
        QTRY_COMPARE(m_server->notifyCalls().size(), 4);
        QCOMPARE(m_server->summaries(),
                 QStringList({"Daily pills", "Weekly review", "Call mum", "Bins"}));

        // The daily one still at nine, in summer time.
        QCOMPARE(scheduleOf(m_center->scheduledNotifications()),
                 QStringList({"Daily pills 03-30 09:00", "Weekly review 04-03 10:00",
                              "Later 03-30 07:00"}));
        QCOMPARE(m_center->nextCheckDate(), local(2026, 3, 29, 10, 1));
        QCOMPARE(m_center->deliveredNotifications().size(), 4);
    }

    void aMonthlyNotificationKeepsItsDayAfterAShortMonth()
    {
        m_clock.setNow(local(2026, 1, 31, 8, 0));
        m_center->setScheduledNotifications(
            {reminderNotification("Invoice", local(2026, 1, 31, 10, 0), Interval::Month)});
        const QList<QDateTime> expected{local(2026, 2, 28, 10, 0), local(2026, 3, 31, 10, 0),
                                        local(2026, 4, 30, 10, 0)};
        for (const QDateTime& next : expected) {
            m_clock.setNow(m_center->scheduledNotifications().first().deliveryDate);
            m_center->deliverDueNotifications();
            QCOMPARE(m_center->scheduledNotifications().first().deliveryDate, next);
        }
        QTRY_COMPARE(m_server->notifyCalls().size(), 3);
    }

    void replacingTheScheduleNeverRepeatsAnAnnouncement()
    {
        m_center->setScheduledNotifications(
            {reminderNotification("Standup", local(2026, 3, 27, 8, 10)),
             reminderNotification("Lunch", local(2026, 3, 27, 8, 12))});
        // The schedule is rebuilt before the timer looked: what was due goes out first, and
        // the same notification in the new schedule, now in the past, is not announced again.
        m_clock.setNow(local(2026, 3, 27, 8, 11));
        m_center->setScheduledNotifications(
            {reminderNotification("Standup", local(2026, 3, 27, 8, 10)),
             reminderNotification("Stretch", local(2026, 3, 26, 8, 30), Interval::Day),
             reminderNotification("Lunch", local(2026, 3, 27, 8, 12)),
             reminderNotification("No date", QDateTime())});
        QCOMPARE(scheduleOf(m_center->scheduledNotifications()),
                 QStringList({"Stretch 03-27 08:30", "Lunch 03-27 08:12"}));
        m_clock.setNow(local(2026, 3, 27, 9, 0));
        m_center->setScheduledNotifications(m_center->scheduledNotifications());
        QTRY_COMPARE(m_server->summaries(), QStringList({"Standup", "Lunch", "Stretch"}));
        QVERIFY(!QTest::qWaitFor([this] { return m_server->notifyCalls().size() > 3; }, 100));
    }

    void theTimerDeliversOnTheWallClock()
    {
        Clock running; // follows the system time
        UserNotificationCenter center(running);
        QSignalSpy delivered(&center, &UserNotificationCenter::notificationDelivered);
        center.setScheduledNotifications(
            {reminderNotification("Soon", running.now().addMSecs(300))});
        QVERIFY(delivered.wait(5000));
        QTRY_COMPARE(m_server->summaries(), QStringList({"Soon"}));
    }

    void aServiceThatStartsLaterIsHeardToo()
    {
        // Desktops often start their notification service on the first Notify call.
        m_server->stop();
        UserNotificationCenter center(m_clock);
        center.setDelegate(&m_delegate);
        QVERIFY(m_server->start());
        center.setScheduledNotifications({reminderNotification("Late", local(2026, 3, 27, 8, 5))});
        m_clock.setNow(local(2026, 3, 27, 8, 5));
        center.deliverDueNotifications();
        QTRY_COMPARE(center.deliveredNotifications().size(), 1);
        QTRY_COMPARE(m_server->notifyCalls().size(), 1);
        m_server->invokeAction(m_server->lastId(), "snooze");
        QTRY_COMPARE(m_delegate.activations.size(), 1);
        QCOMPARE(m_delegate.activations[0].first, Activation::ActionButtonClicked);
    }

    // The server sends its activation token just before the action; what is not ours or
    // malformed changes nothing, the token included.
    void signalsThatAreNotOursOrMalformedAreIgnored()
    {
        const quint32 id = deliverOne();
        QVERIFY(id != 0);
        qunsetenv("XDG_ACTIVATION_TOKEN");
        m_server->invokeAction(id + 100, "default"); // another application's notification
        m_server->invokeAction(id, "reply");         // an action never offered
        m_server->sendSignal("ActionInvoked", {QString::number(id), QString("default")});
        m_server->sendSignal("ActionInvoked", {QVariant::fromValue(id)});
        m_server->sendSignal("ActionInvoked", {QVariant::fromValue(id), 5});
        m_server->sendSignal("NotificationClosed", {QString::number(id), quint32(2)});
        m_server->sendSignal("NotificationClosed", {QVariant::fromValue(id), QString("2")});
        m_server->sendSignal("NotificationClosed", {});
        // Someone else on the bus pretending to be the service.
        QDBusConnection impostor =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "impostor");
        for (const auto& [name, argument] : {std::pair{"ActionInvoked", QVariant("snooze")},
                                             {"NotificationClosed", QVariant(quint32(2))}}) {
            QDBusMessage forged = QDBusMessage::createSignal(
                DesktopNotificationServer::kPath, DesktopNotificationServer::kInterface, name);
            forged << QVariant::fromValue(id) << argument;
            QVERIFY(impostor.send(forged));
        }

        // A proper click after all of them arrives, so everything before it was looked at.
        m_server->sendSignal("ActivationToken", {QVariant::fromValue(id), QString("token-1")});
        m_server->sendSignal("ActivationToken", {QVariant::fromValue(id + 100), QString("theirs")});
        m_server->sendSignal("ActivationToken", {QVariant::fromValue(id), 7});
        m_server->invokeAction(id, "default");
        QTRY_COMPARE(m_delegate.activations.size(), 1);
        QCOMPARE(m_delegate.activations[0],
                 qMakePair(Activation::ContentsClicked, QString("uuid-Mine")));
        QCOMPARE(m_delegate.offeredTokens, QStringList{"token-1"});
        qunsetenv("XDG_ACTIVATION_TOKEN");
        QCOMPARE(m_center->deliveredNotifications().size(), 1);
        QDBusConnection::disconnectFromBus("impostor");
        // The service forgets a notification it closed; so does the centre.
        m_server->closedByUser(id);
        QTRY_VERIFY(m_center->deliveredNotifications().isEmpty());
    }

    // Removed while the service is still putting it up: closed as soon as it is known.
    void removingDeliveredNotificationsClosesThemOnTheDesktop()
    {
        deliverAt({reminderNotification("One", local(2026, 3, 27, 8, 5))},
                  local(2026, 3, 27, 8, 5));
        QCOMPARE(m_center->deliveredNotifications().size(), 1);
        m_center->removeAllDeliveredNotifications();
        QVERIFY(m_center->deliveredNotifications().isEmpty());
        QTRY_COMPARE(m_server->notifyCalls().size(), 1);
        QTRY_COMPARE(m_server->closeCalls(), QList<quint32>({m_server->lastId()}));
    }

    // The service away, failing or answering nonsense: the centre keeps working and says so
    // once, shows the next notification when the service is back, and says so again at the
    // next outage.
    void aServiceThatIsAwayOrFailsIsSurvived_data()
    {
        QTest::addColumn<DesktopNotificationServer::Mode>("mode");
        QTest::newRow("no service") << DesktopNotificationServer::Mode::Normal;
        QTest::newRow("error reply") << DesktopNotificationServer::Mode::Error;
        QTest::newRow("wrong reply type") << DesktopNotificationServer::Mode::WrongReply;
    }

    void aServiceThatIsAwayOrFailsIsSurvived()
    {
        QFETCH(DesktopNotificationServer::Mode, mode);
        const bool away = mode == DesktopNotificationServer::Mode::Normal;
        const auto breakService = [&] { away ? m_server->stop() : m_server->setMode(mode); };
        breakService();
        const QDBusReply<QStringList> activatable =
            QDBusConnection::sessionBus().interface()->activatableServiceNames();
        if (away && activatable.value().contains(DesktopNotificationServer::kService))
            QSKIP("this bus starts a notification service on demand");
        // Said once per outage: a second warning fails the case.
        const QRegularExpression outage("^Notifications cannot be shown: ");
        QTest::failOnWarning(outage);
        QTest::ignoreMessage(QtWarningMsg, outage);
        deliverAt({reminderNotification("A", local(2026, 3, 27, 8, 5)),
                   reminderNotification("B", local(2026, 3, 27, 8, 6)),
                   reminderNotification("C", local(2026, 3, 27, 9, 0))},
                  local(2026, 3, 27, 8, 6));
        QCOMPARE(m_center->deliveredNotifications().size(), 2);
        // Never shown, so nothing is left to act on, and nothing is tried again.
        QTRY_VERIFY(m_center->deliveredNotifications().isEmpty());
        QCOMPARE(scheduleOf(m_center->scheduledNotifications()), QStringList{"C 03-27 09:00"});

        if (away)
            QVERIFY(m_server->start());
        else
            m_server->setMode(DesktopNotificationServer::Mode::Normal);
        m_clock.setNow(local(2026, 3, 27, 9, 0));
        m_center->deliverDueNotifications();
        QTRY_VERIFY(m_server->summaries().endsWith("C"));
        QTRY_COMPARE(m_center->deliveredNotifications().size(), 1);
        breakService();
        QTest::ignoreMessage(QtWarningMsg, outage);
        deliverAt({reminderNotification("D", local(2026, 3, 27, 9, 1))}, local(2026, 3, 27, 9, 1));
        QCOMPARE(m_center->deliveredNotifications().size(), 2);
        QTRY_COMPARE(m_center->deliveredNotifications().size(), 1);
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

private:
    Clock m_clock;
    RecordingDelegate m_delegate;
    std::unique_ptr<DesktopNotificationServer> m_server;
    std::unique_ptr<UserNotificationCenter> m_center;
};

VELMORAN_TEST_MAIN(TestUserNotificationCenter)
#include "tst_usernotificationcenter.moc"

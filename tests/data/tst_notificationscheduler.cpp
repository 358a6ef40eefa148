// This suite runs inside dbus-run-session: the notification service is one of its own.
#include "ReminderBuilder.h"
#include "SeededStore.h"
#include "TestEnvironment.h"

#include "../platform/DesktopNotificationServer.h"

#include "data/NotificationScheduler.h"
#include "data/ReminderQueries.h"
#include "data/TaskOperations.h"
#include "platform/UserNotificationCenter.h"

using namespace store;
using TestEnvironment::local;
using Interval = UserNotification::RepeatInterval;

namespace {

RecurrenceRule rule(RecurrenceRule::Frequency frequency, int interval = 1,
                    const QList<RecurrenceDayOfWeek>& days = {})
{
    RecurrenceRule made;
    made.frequency = frequency;
    made.interval = interval;
    made.daysOfTheWeek = days;
    return made;
}

DateComponents at(const QDateTime& local)
{
    return DateComponents::fromDateTime(local, false);
}

QStringList titlesOf(const QList<UserNotification>& notifications)
{
    QStringList titles;
    for (const UserNotification& notification : notifications)
        titles << notification.title;
    return titles;
}

} // namespace

class TestNotificationScheduler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QFAIL("this suite runs inside dbus-run-session");
    }

    void init()
    {
        m_store = std::make_unique<SeededStore>();
        m_store->defaults->setBool(true, PrefKey::notifications);
        m_store->clock.setNow(local(2026, 12, 9, 10, 30)); // a Wednesday
        m_store->addList("home", "Home");
        m_server = std::make_unique<DesktopNotificationServer>();
        QVERIFY(m_server->start());
    }

    void cleanup()
    {
        m_scheduler.reset();
        m_center.reset();
        m_store.reset();
        m_server.reset();
    }

    void eachQualifyingAlarmBecomesANotification()
    {
        seed("Past",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 10, 29))); });
        seed("Future",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 12, 0))); });
        seed("Relative", [](Reminder& r) {
            r.dueDateComponents = at(local(2026, 12, 10, 9, 0));
            r.startDateComponents = r.dueDateComponents;
            r.addAlarm(Alarm::withRelativeOffset(-900));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Enter));
        });
        seed("Place", [](Reminder& r) {
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Leave));
        });
        seed("At due time", [](Reminder& r) {
            r.dueDateComponents = at(local(2026, 12, 11, 9, 0));
            r.addAlarm(Alarm::withRelativeOffset(0));
        });
        seed("Done", [this](Reminder& r) {
            r.setCompleted(true, m_store->clock.now());
            r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 12, 0)));
        });
        NotificationScheduler& scheduler = start();
        scheduler.scheduleNotifications();

        // In the order the data manager lists them.
        QStringList expected;
        const ReminderList withAlarms =
            m_store->manager->queries().fetchRemindersWithAlarm().value();
        for (const ReminderPtr& reminder : withAlarms) {
            if (reminder->title == "Future" || reminder->title == "Relative")
                expected << reminder->title;
        }
        const QList<UserNotification> scheduled = m_center->scheduledNotifications();
        QCOMPARE(titlesOf(scheduled), expected);

        const UserNotification future = scheduled[expected.indexOf("Future")];
        QCOMPARE(future.deliveryDate, local(2026, 12, 9, 12, 0));
        QCOMPARE(future.informativeText, QString("Home"));
        QCOMPARE(future.userInfo, (QVariantMap{{"uuid", identifierOf("Future")}}));
        QCOMPARE(scheduled[expected.indexOf("Relative")].deliveryDate, local(2026, 12, 10, 8, 45));
    }

    void aLongListKeepsTheFirstFiftyNineAlarmsInSortOrder()
    {
        // Due one day apart, seeded last first so that the store's order is not the answer.
        // Every fifth task has a second alarm an hour before its due time; every seventh from
        // the fourth has its first alarm in the past. Counting alarms in due order, T00 to T48
        // hold the first 59 (49 tasks, ten of them with two).
        for (int i = 69; i >= 0; --i) {
            seed(QString("T%1").arg(i, 2, 10, QChar('0')), [i](Reminder& r) {
                const QDateTime due = local(2026, 12, 10, 9, 0).addDays(i);
                r.dueDateComponents = at(due);
                r.startDateComponents = r.dueDateComponents;
                r.addAlarm(Alarm::withAbsoluteDate(i % 7 == 3 ? local(2026, 12, 1, 9, 0) : due));
                if (i % 5 == 0)
                    r.addAlarm(Alarm::withRelativeOffset(-3600));
            });
        }
        NotificationScheduler& scheduler = start();
        scheduler.scheduleNotifications();

        const QList<UserNotification> scheduled = m_center->scheduledNotifications();
        QCOMPARE(scheduled.size(), 59 - 7);
        QCOMPARE(scheduled[1].deliveryDate, local(2026, 12, 10, 8, 0));
        QCOMPARE(scheduled.last().title, QString("T48"));
        const QStringList titles = titlesOf(scheduled);
        QVERIFY(!titles.contains("T03"));
        QCOMPARE(titles.count("T10"), 1); // its second alarm still counts and qualifies
        for (qsizetype i = 1; i < scheduled.size(); ++i)
            QVERIFY(scheduled[i - 1].title <= scheduled[i].title);
    }

    // Only a rule the centre can repeat by itself: no rule, daily, every 2 days, weekly, weekly
    // on Mondays, monthly, yearly.
    void onlyPlainRulesRepeatAndRelativeAlarmsCountFromTheStart()
    {
        NotificationScheduler& scheduler = start();
        using F = RecurrenceRule::Frequency;
        using Rule = std::optional<RecurrenceRule>;
        QList<Interval> intervals;
        for (const Rule& repeat :
             {Rule(), Rule(rule(F::Daily)), Rule(rule(F::Daily, 2)), Rule(rule(F::Weekly)),
              Rule(rule(F::Weekly, 1, {RecurrenceDayOfWeek{2, 0}})), Rule(rule(F::Monthly)),
              Rule(rule(F::Yearly))}) {
            Reminder task;
            task.title = "Water plants";
            task.dueDateComponents = at(local(2026, 12, 10, 9, 0));
            if (repeat)
                task.addRecurrenceRule(*repeat);
            const UserNotification absolute =
                scheduler.scheduleNotificationAbsoluteDateWithReminder(
                    task, Alarm::withAbsoluteDate(local(2026, 12, 10, 9, 0)));
            intervals << absolute.deliveryRepeatInterval;
            QCOMPARE(absolute.deliveryDate, local(2026, 12, 10, 9, 0));
            // A relative alarm never repeats on its own.
            QCOMPARE(scheduler
                         .scheduleNotificationRelativeOffsetWithReminder(
                             task, Alarm::withRelativeOffset(-60))
                         .deliveryRepeatInterval,
                     Interval::None);
        }
        QCOMPARE(intervals,
                 (QList<Interval>{Interval::None, Interval::Day, Interval::None, Interval::Week,
                                  Interval::None, Interval::Month, Interval::None}));

        // A relative alarm counts from the start date, else from the due date.
        Reminder task;
        task.title = "Dentist";
        task.startDateComponents = at(local(2026, 12, 10, 8, 0));
        task.dueDateComponents = at(local(2026, 12, 10, 17, 0));
        const Alarm tenBefore = Alarm::withRelativeOffset(-600);
        QCOMPARE(
            scheduler.scheduleNotificationRelativeOffsetWithReminder(task, tenBefore).deliveryDate,
            local(2026, 12, 10, 7, 50));
        task.startDateComponents.reset();
        QCOMPARE(
            scheduler.scheduleNotificationRelativeOffsetWithReminder(task, tenBefore).deliveryDate,
            local(2026, 12, 10, 16, 50));
        task.dueDateComponents.reset();
        QVERIFY(!scheduler.scheduleNotificationRelativeOffsetWithReminder(task, tenBefore)
                     .deliveryDate.isValid());
    }

    void clickingANotificationSelectsItsTask()
    {
        seed("Call bank",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 10, 35))); });
        NotificationScheduler& scheduler = start();
        scheduler.scheduleNotifications();
        deliverAt(local(2026, 12, 9, 10, 35), 1);

        QSignalSpy select(&scheduler, &NotificationScheduler::selectReminderFromNotifications);
        m_server->invokeAction(m_server->lastId(), "default");
        QVERIFY(select.wait(5000));
        QCOMPARE(select.first().first().value<ReminderPtr>()->calendarItemIdentifier,
                 identifierOf("Call bank"));
        QVERIFY(m_center->deliveredNotifications().isEmpty());
        QTRY_COMPARE(m_server->closeCalls(), QList<quint32>({m_server->lastId()}));

        // A task that has gone since: nothing to show.
        UserNotification stale;
        stale.userInfo.insert("uuid", "gone");
        stale.activationType = UserNotification::ActivationType::ContentsClicked;
        scheduler.didActivateNotification(*m_center, stale);
        stale.activationType = UserNotification::ActivationType::ActionButtonClicked;
        scheduler.didActivateNotification(*m_center, stale);
        QCOMPARE(select.size(), 1);
    }

    // Snooze replaces the time alarms by one, counted from the last of them while that is
    // still ahead, else from the press; a place alarm stays.
    void snoozeMovesTheAlarmFromItsOwnMoment_data()
    {
        QTest::addColumn<QString>("alarm"); // besides the place alarm
        QTest::addColumn<QDateTime>("pressed");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime late = local(2026, 12, 10, 9, 30), lateAgain = local(2026, 12, 10, 9, 40);
        QTest::newRow("shortly after")
            << "timed" << local(2026, 12, 10, 9, 3) << local(2026, 12, 10, 9, 10);
        QTest::newRow("long after") << "timed" << late << lateAgain;
        QTest::newRow("only a place alarm") << "" << late << lateAgain;
        QTest::newRow("a relative alarm") << "relative" << late << lateAgain;
    }

    void snoozeMovesTheAlarmFromItsOwnMoment()
    {
        QFETCH(QString, alarm);
        QFETCH(QDateTime, pressed);
        QFETCH(QDateTime, expected);
        m_store->clock.setNow(local(2026, 12, 10, 8, 59));
        seed("Meds", [&](Reminder& r) {
            r.dueDateComponents = at(local(2026, 12, 10, 9, 0));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Enter));
            if (alarm == "timed")
                r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 10, 9, 0)));
            else if (alarm == "relative")
                r.addAlarm(Alarm::withRelativeOffset(-600));
        });
        NotificationScheduler& scheduler = start();
        // As the application does: every refresh rebuilds the schedule.
        connect(m_store->manager.get(), &DataManager::remindersRefreshed, &scheduler,
                &NotificationScheduler::scheduleNotifications);
        scheduler.scheduleNotifications();
        const bool timed = alarm == "timed";
        deliverAt(local(2026, 12, 10, 9, 0), timed ? 1 : 0);

        m_store->clock.setNow(pressed);
        UserNotification button;
        button.userInfo.insert("uuid", identifierOf("Meds"));
        button.activationType = UserNotification::ActivationType::ActionButtonClicked;
        QVERIFY(m_store->afterRefresh([&] {
            timed ? m_server->invokeAction(m_server->lastId(), "snooze")
                  : scheduler.didActivateNotification(*m_center, button);
        }));
        const ReminderPtr meds =
            m_store->manager->tasks().reminderWithIdentifier(identifierOf("Meds"));
        QVERIFY(meds->alarms.size() == 2 && meds->alarms[0].isLocationAlarm());
        QCOMPARE(meds->alarms[1].absoluteDate, expected);
        QVERIFY(m_center->deliveredNotifications().isEmpty());
        QCOMPARE(m_center->scheduledNotifications().first().deliveryDate, expected);
    }

    // Completing a task takes its delivered notification away at the next rebuild; switching
    // the preference off empties the centre and closes what the service shows, and on refills it.
    void completingOrSwitchingOffTakesNotificationsAway()
    {
        seed("Laundry",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 10, 40))); });
        seed("Report",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 10, 41))); });
        seed("Later",
             [](Reminder& r) { r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 18, 0))); });
        NotificationScheduler& scheduler = start();
        connect(m_store->manager.get(), &DataManager::remindersRefreshed, &scheduler,
                &NotificationScheduler::scheduleNotifications);
        scheduler.scheduleNotifications();
        deliverAt(local(2026, 12, 9, 10, 45), 2);
        QVERIFY(m_store->afterRefresh([&] {
            m_store->manager->tasks().checkReminder(
                m_store->manager->tasks().reminderWithIdentifier(identifierOf("Laundry")), true);
        }));
        QCOMPARE(titlesOf(m_center->deliveredNotifications()), QStringList({"Report"}));

        m_store->defaults->setBool(false, PrefKey::notifications);
        QVERIFY(m_center->deliveredNotifications().isEmpty());
        QVERIFY(m_center->scheduledNotifications().isEmpty());
        QTRY_COMPARE(m_server->closeCalls().size(), 2);
        QCOMPARE(m_server->closeCalls().last(), m_server->lastId());
        // While off, a rebuild leaves the centre alone.
        UserNotification kept;
        kept.title = "Kept";
        kept.deliveryDate = local(2026, 12, 9, 11, 0);
        m_center->setScheduledNotifications({kept});
        scheduler.scheduleNotifications();
        QCOMPARE(titlesOf(m_center->scheduledNotifications()), QStringList({"Kept"}));

        m_store->defaults->setBool(true, PrefKey::notifications);
        QCOMPARE(titlesOf(m_center->scheduledNotifications()), QStringList({"Later"}));
    }

private:
    NotificationScheduler& start()
    {
        m_store->load();
        m_center = std::make_unique<UserNotificationCenter>(m_store->clock);
        m_scheduler = std::make_unique<NotificationScheduler>(*m_store->manager, *m_center,
                                                              *m_store->defaults, m_store->clock);
        m_center->setDelegate(m_scheduler.get());
        return *m_scheduler;
    }

    // The clock reaches the alarms, the centre delivers them and the service shows them.
    void deliverAt(const QDateTime& now, int shown)
    {
        m_store->clock.setNow(now);
        m_center->deliverDueNotifications();
        QTRY_COMPARE(m_server->notifyCalls().size(), shown);
        QTRY_COMPARE(m_center->deliveredNotifications().size(), shown);
    }

    void seed(const QString& title, const std::function<void(Reminder&)>& fill)
    {
        m_store->seed("home", [&](Reminder& r) {
            r.title = title;
            fill(r);
        });
    }

    QString identifierOf(const QString& title) const
    {
        return m_store->inSnapshot(title)->calendarItemIdentifier;
    }

    std::unique_ptr<SeededStore> m_store;
    std::unique_ptr<DesktopNotificationServer> m_server;
    std::unique_ptr<UserNotificationCenter> m_center;
    std::unique_ptr<NotificationScheduler> m_scheduler;
};

VELMORAN_TEST_MAIN(TestNotificationScheduler)
#include "tst_notificationscheduler.moc"

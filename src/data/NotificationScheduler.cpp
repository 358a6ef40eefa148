#include "data/NotificationScheduler.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/RecordLock.h"
#include "prefs/PreferenceKeys.h"

#include <algorithm>

namespace {

using Interval = UserNotification::RepeatInterval;

// Only the plainest rules repeat: the notification centre counts whole days, weeks and
// months, and cannot skip days or follow a list of weekdays.
Interval repeatIntervalOf(const store::Reminder& reminder)
{
    if (!reminder.hasRecurrenceRules())
        return Interval::None;
    const store::RecurrenceRule& rule = reminder.recurrenceRules.first();
    if (rule.interval != 1)
        return Interval::None;
    switch (rule.frequency) {
    case store::RecurrenceRule::Frequency::Daily:
        return Interval::Day;
    case store::RecurrenceRule::Frequency::Weekly:
        return rule.daysOfTheWeek.isEmpty() ? Interval::Week : Interval::None;
    case store::RecurrenceRule::Frequency::Monthly:
        return rule.daysOfTheMonth.isEmpty() ? Interval::Month : Interval::None;
    case store::RecurrenceRule::Frequency::Yearly:
        break;
    }
    return Interval::None;
}

} // namespace

NotificationScheduler::NotificationScheduler(DataManager& dataManager,
                                             UserNotificationCenter& center, UserDefaults& defaults,
                                             Clock& clock, QObject* parent)
    : QObject(parent)
    , m_dataManager(dataManager)
    , m_center(center)
    , m_defaults(defaults)
    , m_clock(clock)
{
    connect(&m_defaults, &UserDefaults::changed, this, &NotificationScheduler::preferenceChanged);
}

void NotificationScheduler::preferenceChanged(const QString& key)
{
    if (key != PrefKey::notifications)
        return;
    if (m_defaults.boolForKey(PrefKey::notifications))
        scheduleNotifications();
    else
        removeAllNotifications();
}

NotificationScheduler::~NotificationScheduler()
{
    if (m_center.delegate() == this)
        m_center.setDelegate(nullptr);
}

void NotificationScheduler::removeAllNotifications()
{
    // Emptying the schedule first: replacing it hands out what had just come due, and that
    // goes with the rest.
    m_center.setScheduledNotifications({});
    m_center.removeAllDeliveredNotifications();
}

void NotificationScheduler::scheduleNotifications()
{
    if (!m_defaults.boolForKey(PrefKey::notifications))
        return;
    // Before the first fetch there is nothing to go by: every task would look deleted. The
    // centre stays as it is until the data comes.
    std::optional<ReminderList> withAlarms = m_dataManager.queries().fetchRemindersWithAlarm();
    if (!withAlarms)
        return;
    removeDeliveredOfFinishedTasks();
    const QDateTime now = m_clock.now();
    const bool capped = withAlarms->size() > kMaximumAlarms;
    if (capped)
        m_dataManager.lists().fetchSortDescriptors().sort(*withAlarms);

    QList<UserNotification> notifications;
    int number = 0;
    for (const store::ReminderPtr& reminder : std::as_const(*withAlarms)) {
        for (const store::Alarm& alarm : std::as_const(reminder->alarms)) {
            // Every alarm takes a number, used or not.
            if (capped && ++number > kMaximumAlarms)
                break;
            if (alarm.absoluteDate.isValid()) {
                if (alarm.absoluteDate > now)
                    notifications << scheduleNotificationAbsoluteDateWithReminder(*reminder, alarm);
            } else if (alarm.relativeOffset != 0) {
                UserNotification notification =
                    scheduleNotificationRelativeOffsetWithReminder(*reminder, alarm);
                if (notification.deliveryDate.isValid())
                    notifications << notification;
            }
        }
        if (capped && number > kMaximumAlarms)
            break;
    }
    m_center.setScheduledNotifications(notifications);
}

void NotificationScheduler::removeDeliveredOfFinishedTasks()
{
    const QList<UserNotification> delivered = m_center.deliveredNotifications();
    for (const UserNotification& notification : delivered) {
        const store::ReminderPtr reminder = m_dataManager.tasks().reminderWithIdentifier(
            notification.userInfo.value(QLatin1StringView(kUuidKey)).toString());
        if (!reminder || reminder->completed)
            m_center.removeDeliveredNotification(notification);
    }
}

UserNotification NotificationScheduler::notificationFor(const store::Reminder& reminder) const
{
    UserNotification notification;
    notification.title = reminder.title;
    notification.informativeText = reminder.calendar ? reminder.calendar->title : QString();
    notification.actionButtonTitle = tr("Snooze");
    notification.soundName = QString::fromLatin1(kSoundName);
    notification.userInfo.insert(QString::fromLatin1(kUuidKey), reminder.calendarItemIdentifier);
    return notification;
}

UserNotification
NotificationScheduler::scheduleNotificationAbsoluteDateWithReminder(const store::Reminder& reminder,
                                                                    const store::Alarm& alarm) const
{
    UserNotification notification = notificationFor(reminder);
    notification.deliveryDate = alarm.absoluteDate.toLocalTime();
    notification.deliveryRepeatInterval = repeatIntervalOf(reminder);
    return notification;
}

UserNotification NotificationScheduler::scheduleNotificationRelativeOffsetWithReminder(
    const store::Reminder& reminder, const store::Alarm& alarm) const
{
    UserNotification notification = notificationFor(reminder);
    // Tasks written by other programs may have a due date but no start date; the offset then
    // counts from the due date, as the store reads it anyway.
    const store::OptionalDateComponents& base =
        reminder.startDateComponents && reminder.startDateComponents->isValid()
            ? reminder.startDateComponents
            : reminder.dueDateComponents;
    if (base && base->isValid())
        notification.deliveryDate = base->toDateTime().addSecs(qRound64(alarm.relativeOffset));
    return notification;
}

void NotificationScheduler::didActivateNotification(UserNotificationCenter& center,
                                                    const UserNotification& notification)
{
    const QString uuid = notification.userInfo.value(QLatin1StringView(kUuidKey)).toString();
    const QList<UserNotification> delivered = center.deliveredNotifications();
    for (const UserNotification& candidate : delivered) {
        if (candidate.userInfo.value(QLatin1StringView(kUuidKey)).toString() == uuid) {
            center.removeDeliveredNotification(candidate);
            break;
        }
    }

    switch (notification.activationType) {
    case UserNotification::ActivationType::ContentsClicked:
        if (uuid.isEmpty())
            return;
        if (const store::ReminderPtr reminder = m_dataManager.tasks().reminderWithIdentifier(uuid))
            Q_EMIT selectReminderFromNotifications(reminder);
        return;
    case UserNotification::ActivationType::ActionButtonClicked:
        snooze(uuid);
        return;
    case UserNotification::ActivationType::None:
        return;
    }
}

void NotificationScheduler::snooze(const QString& uuid)
{
    const QVariant setting = m_defaults.objectForKey(PrefKey::snooze);
    if (!setting.isValid() || uuid.isEmpty())
        return;
    const store::ReminderPtr found = m_dataManager.tasks().reminderWithIdentifier(uuid);
    if (!found)
        return;
    // A zero or negative setting would ring again at once or never; a minute is the least
    // that still means "later".
    const qint64 minutes = std::max<qint64>(setting.toLongLong(), 1);

    // Edited as a copy so that a failed save leaves the data manager's view as the disk has it.
    auto edited = std::make_shared<store::Reminder>(*found);
    QList<store::Alarm> kept;
    bool removedAny = false;
    QDateTime lastRemoved;
    for (const store::Alarm& alarm : std::as_const(edited->alarms)) {
        if (alarm.isLocationAlarm()) {
            kept.append(alarm);
        } else {
            removedAny = true;
            lastRemoved = alarm.absoluteDate;
        }
    }
    const QDateTime now = m_clock.now();
    const QDateTime base = removedAny && lastRemoved.isValid() ? lastRemoved.toLocalTime() : now;
    QDateTime moment = base.addSecs(minutes * 60);
    if (moment <= now)
        moment = now.addSecs(minutes * 60);
    kept.append(store::Alarm::withAbsoluteDate(moment));
    edited->alarms = kept;
    if (m_dataManager.tasks().saveReminder(edited))
        store::RecordLock::assign(*found, *edited);
}

#pragma once

#include "platform/UserNotificationCenter.h"
#include "platform/store/Reminder.h"

#include <QObject>

class Clock;
class DataManager;
class UserDefaults;

// The application's own reminders of task alarms. While the preference "notifications" is on,
// every rebuild puts one notification per alarm of the open tasks into the notification
// centre's schedule, replacing what was there; switching the preference off removes the
// delivered ones and empties the schedule, switching it on rebuilds at once.
//
// It is the centre's delegate (the application sets it): a click on a notification asks for
// its task to be shown, the "Snooze" button moves the task's alarm on by the preference
// "snooze" (minutes). The rebuild after a snooze comes with the refresh the save causes.
class NotificationScheduler : public QObject, public UserNotificationCenterDelegate
{
    Q_OBJECT

public:
    // A long task list schedules no more than this many alarms, the first ones in the order
    // the task lists show.
    static constexpr int kMaximumAlarms = 59;
    // A sound theme name every desktop sound theme has.
    static constexpr const char* kSoundName = "alarm-clock-elapsed";
    static constexpr const char* kUuidKey = "uuid";

    NotificationScheduler(DataManager& dataManager, UserNotificationCenter& center,
                          UserDefaults& defaults, Clock& clock, QObject* parent = nullptr);
    ~NotificationScheduler() override;

    // Rebuilds the centre's schedule from the open tasks with alarms; does nothing while
    // "notifications" is off.
    void scheduleNotifications();
    // The notification of one alarm; not scheduled. Without a date to deliver at (a relative
    // alarm of a task with neither start nor due date) the delivery date is invalid.
    UserNotification scheduleNotificationAbsoluteDateWithReminder(const store::Reminder& reminder,
                                                                  const store::Alarm& alarm) const;
    UserNotification
    scheduleNotificationRelativeOffsetWithReminder(const store::Reminder& reminder,
                                                   const store::Alarm& alarm) const;
    // What switching "notifications" off does.
    void removeAllNotifications();

    void didActivateNotification(UserNotificationCenter& center,
                                 const UserNotification& notification) override;

Q_SIGNALS:
    // The user clicked the notification of this task: the shell shows it in the main window
    // (in the current view, else the day view, else its list).
    void selectReminderFromNotifications(const store::ReminderPtr& reminder);

private:
    UserNotification notificationFor(const store::Reminder& reminder) const;
    void removeDeliveredOfFinishedTasks();
    void snooze(const QString& uuid);
    void preferenceChanged(const QString& key);

    DataManager& m_dataManager;
    UserNotificationCenter& m_center;
    UserDefaults& m_defaults;
    Clock& m_clock;
};

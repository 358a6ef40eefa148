#pragma once

#include "data/QuickAction.h"
#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QTimeZone>

#include <functional>

class DataManager;

// What the items of a task's context menu do to the task: the quick actions of the preference
// "quickActionsMac", moving to another list and setting the priority. Every date is worked out
// in the Gregorian calendar of the local time zone, with "now" from the data manager's clock.
class QuickActionPerformer
{
public:
    enum class Outcome {
        Saved,     // the task was changed and the store took the change
        Unchanged, // nothing to do, or the store refused the change
        // The due date was moved and saved; the caller now toggles the completion through the
        // check button (its bounce, then toggleCompletion).
        CompleteNext,
    };

    explicit QuickActionPerformer(DataManager& manager);

    // Clears the due and start dates (and, with `withRecurrence`, the repeat rules) and every
    // time alarm; alarms at a place stay. Nothing is saved.
    void removeDueDateOnReminder(const store::ReminderPtr& reminder,
                                 bool withRecurrence = true) const;
    // Sets the due and start dates to `date` in `zone`, to the minute. An alarm is added when
    // `forceAlarm` and `alarmBool` ask for it, or, without `forceAlarm`, when "alarmOn" is on; a
    // due date at 00:00 has no time of day, so its alarm rings at "alarmTime". Nothing is saved.
    void addDueDate(const QDateTime& date, const store::ReminderPtr& reminder,
                    const QTimeZone& zone, bool forceAlarm, bool alarmBool) const;

    // Performs the record at `index` of "quickActionsMac" as stored at this moment.
    Outcome menuQuickAction(int index, const store::ReminderPtr& reminder);
    Outcome performQuickAction(const QuickAction& action, const store::ReminderPtr& reminder);

    // Moves the task to the visible list at `index`; false when that is its list already or
    // there is no such list.
    bool menuChangeToList(const store::ReminderPtr& reminder, int index);
    // Tag 0-3 of the "Set Priority" submenu; false when the task has that priority already.
    bool menuSetPriority(const store::ReminderPtr& reminder, int tag);

    // The end of the check button's bounce: the opposite of the task's completion as it is now.
    // False, with the store's reason, when the change did not reach the store.
    bool toggleCompletion(const store::ReminderPtr& reminder, QString* error = nullptr);

private:
    Outcome performOn(const QuickAction& action, const store::ReminderPtr& reminder);
    Outcome moveDueDate(const QuickAction& action, const store::ReminderPtr& reminder);
    Outcome toggleTag(const QString& text, const store::ReminderPtr& reminder);
    Outcome switchWord(const QuickAction& action, const store::ReminderPtr& reminder);
    // Adds `text` where "tagOnNotes" says, with one blank before it.
    void appendTag(const QString& text, store::Reminder& reminder) const;
    QDateTime todayAtTimeOf(const QDateTime& base) const;
    QDateTime shifted(const QDateTime& base, const QuickAction& action) const;
    QTime alarmTimeOfDay() const;
    QDateTime now() const;
    Outcome save(const store::ReminderPtr& reminder);
    bool saveEdited(const store::ReminderPtr& shown,
                    const std::function<void(store::Reminder&)>& change);

    DataManager& m_manager;
};

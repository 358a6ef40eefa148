#pragma once

#include "platform/store/Alarm.h"
#include "platform/store/Calendar.h"
#include "platform/store/CompactText.h"
#include "platform/store/DateComponents.h"
#include "platform/store/ItemOrigin.h"
#include "platform/store/RareList.h"
#include "platform/store/RareText.h"
#include "platform/store/RecurrenceRule.h"

#include <QUrl>

namespace store {

// A task. Reminders are shared objects, like the store's records they stand for: the data
// layer hands pointers around, edits one and asks the store to save it.
struct Reminder
{
    QString calendarItemIdentifier; // stable across runs and edits
    CompactText title;
    CalendarPtr calendar;
    QUrl URL;
    CompactText notes;
    int priority = 0; // 0 none, 1-4 high, 5 medium, 6-9 low
    bool completed = false;
    // The subtasks are folded away (X-OC-HIDESUBTASKS:1, as CalDAV peers sync it). Beside the
    // other flag, where it takes no room of its own.
    bool hidesSubtasks = false;
    QDateTime completionDate;
    OptionalDateComponents dueDateComponents;
    OptionalDateComponents startDateComponents;
    QDateTime creationDate;
    QDateTime lastModifiedDate;
    RareList<Alarm> alarms;
    RareList<RecurrenceRule> recurrenceRules;
    // The UID its RELATED-TO parent link names (RELTYPE=PARENT, or no RELTYPE); empty for none.
    // Whether that task exists, is in the same list and forms no cycle is for the reader of
    // the whole list to decide (data/subtasks/SubtaskTree).
    RareText parentUid;

    // The iCalendar UID; given by the store on first save.
    QString uid;
    // The file it was read from; none for a new reminder.
    ItemOriginPtr origin;

    bool hasAlarms() const { return !alarms.isEmpty(); }
    bool hasRecurrenceRules() const { return !recurrenceRules.isEmpty(); }
    void addAlarm(const Alarm& alarm) { alarms.append(alarm); }
    void removeAlarm(int index)
    {
        if (index >= 0 && index < alarms.size())
            alarms.removeAt(index);
    }
    void addRecurrenceRule(const RecurrenceRule& rule) { recurrenceRules.append(rule); }
    void removeRecurrenceRule(int index)
    {
        if (index >= 0 && index < recurrenceRules.size())
            recurrenceRules.removeAt(index);
    }
    // Completing stamps the completion date; reopening clears it.
    void setCompleted(bool value, const QDateTime& now)
    {
        completed = value;
        completionDate = value ? now : QDateTime();
    }
    bool isNew() const { return !origin; }
};

using ReminderPtr = std::shared_ptr<Reminder>;

} // namespace store

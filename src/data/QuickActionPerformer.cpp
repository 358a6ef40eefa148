#include "data/QuickActionPerformer.h"

#include "data/DataManager.h"
#include "data/QuickActionMenu.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/store/RecordLock.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatter.h"
#include "text/DateFormatters.h"

#include <QtNumeric>

#include <algorithm>
#include <limits>

namespace {

QDateTime toMinute(const QDateTime& date)
{
    const QDateTime local = date.toLocalTime();
    return QDateTime(local.date(), QTime(local.time().hour(), local.time().minute()));
}

bool isTimeAlarm(const store::Alarm& alarm)
{
    return !alarm.isLocationAlarm();
}

bool removeFirst(QString& text, const QString& word)
{
    const qsizetype at = QuickAction::indexOfWord(text, word);
    if (at < 0)
        return false;
    text = text.remove(at, word.size()).trimmed();
    return true;
}

} // namespace

QuickActionPerformer::QuickActionPerformer(DataManager& manager)
    : m_manager(manager)
{}

void QuickActionPerformer::removeDueDateOnReminder(const store::ReminderPtr& reminder,
                                                   bool withRecurrence) const
{
    if (!reminder)
        return;
    reminder->dueDateComponents.reset();
    reminder->startDateComponents.reset();
    if (withRecurrence)
        reminder->recurrenceRules.clear();
    reminder->alarms.removeIf(isTimeAlarm);
}

void QuickActionPerformer::addDueDate(const QDateTime& date, const store::ReminderPtr& reminder,
                                      const QTimeZone& zone, bool forceAlarm, bool alarmBool) const
{
    if (!reminder || !date.isValid())
        return;
    const QDateTime inZone = zone.isValid() ? date.toTimeZone(zone) : date.toLocalTime();
    store::DateComponents components = store::DateComponents::fromDate(inZone.date());
    components.hour = inZone.time().hour();
    components.minute = inZone.time().minute();
    // A day without a time of day has no time zone, as its file will say.
    if (components.hasTimeOfDay())
        components.timeZone = zone;

    const bool alarmWanted =
        forceAlarm ? alarmBool : m_manager.defaults().boolForKey(PrefKey::alarmOn);
    if (alarmWanted) {
        QDateTime alarmDate = toMinute(components.toDateTime());
        if (!components.hasTimeOfDay())
            alarmDate = QDateTime(alarmDate.date(), alarmTimeOfDay());
        reminder->addAlarm(store::Alarm::withAbsoluteDate(alarmDate));
    }
    reminder->dueDateComponents = components;
    reminder->startDateComponents = components;
}

QuickActionPerformer::Outcome
QuickActionPerformer::menuQuickAction(int index, const store::ReminderPtr& reminder)
{
    // The record is read now, not when the menu was built: the preferences window may have
    // changed the list while the menu was open.
    const QVariantList records = m_manager.defaults().arrayForKey(PrefKey::quickActions);
    if (index < 0 || index >= records.size())
        return Outcome::Unchanged;
    return performQuickAction(QuickAction::fromVariant(records.at(index)), reminder);
}

QuickActionPerformer::Outcome
QuickActionPerformer::performQuickAction(const QuickAction& action, const store::ReminderPtr& shown)
{
    if (!shown || !action.isSupported())
        return Outcome::Unchanged;
    // Worked out on a copy: the task shown (the store's own record) takes the change once the
    // store has it, and stays as the disk has it when the store refuses.
    const store::ReminderPtr reminder = m_manager.tasks().recordToEdit(shown);
    const Outcome outcome = performOn(action, reminder);
    if (outcome != Outcome::Unchanged)
        store::RecordLock::assign(*shown, *reminder);
    return outcome;
}

QuickActionPerformer::Outcome QuickActionPerformer::performOn(const QuickAction& action,
                                                              const store::ReminderPtr& reminder)
{
    if (action.setsDueDate())
        return moveDueDate(action, reminder);
    switch (action.type) {
    case QuickAction::ClearDueDate:
        removeDueDateOnReminder(reminder, true);
        return save(reminder);
    case QuickAction::Tag:
    case QuickAction::Word:
        return toggleTag(action.tagText(), reminder);
    case QuickAction::Switch:
        return switchWord(action, reminder);
    default:
        return Outcome::Unchanged;
    }
}

QuickActionPerformer::Outcome QuickActionPerformer::moveDueDate(const QuickAction& action,
                                                                const store::ReminderPtr& reminder)
{
    const bool hadDue = reminder->dueDateComponents.has_value();
    const bool hadTimeAlarm =
        hadDue && std::any_of(reminder->alarms.cbegin(), reminder->alarms.cend(), isTimeAlarm);
    const QDateTime base = hadDue ? reminder->dueDateComponents->toDateTime() : QDateTime();

    QDateTime date;
    if (action.type == QuickAction::Now)
        date = now();
    else if (action.isDateShift())
        date = shifted(base.isValid() ? toMinute(base) : now(), action);
    else
        date = todayAtTimeOf(base);
    // A shift beyond the calendar leaves the task as it was rather than without a date.
    if (!date.isValid())
        return Outcome::Unchanged;

    if (hadDue)
        removeDueDateOnReminder(reminder, false);
    addDueDate(date, reminder, QTimeZone::systemTimeZone(), hadDue, hadTimeAlarm);

    const Outcome saved = save(reminder);
    // "After" saves the moved date before completing: the completion happens only once the
    // check button has bounced, and a refresh meanwhile would replace the record the
    // completion works on with one read from the store.
    if (action.type == QuickAction::After && saved == Outcome::Saved)
        return Outcome::CompleteNext;
    return saved;
}

QuickActionPerformer::Outcome QuickActionPerformer::toggleTag(const QString& text,
                                                              const store::ReminderPtr& reminder)
{
    QString title = reminder->title;
    if (removeFirst(title, text)) {
        reminder->title = title;
    } else {
        QString notes = reminder->notes;
        if (removeFirst(notes, text))
            reminder->notes = notes;
        else
            appendTag(text, *reminder);
    }
    return save(reminder);
}

QuickActionPerformer::Outcome QuickActionPerformer::switchWord(const QuickAction& action,
                                                               const store::ReminderPtr& reminder)
{
    const bool onNotes = m_manager.defaults().boolForKey(PrefKey::tagOnNotes);
    QString text = onNotes ? reminder->notes.toString() : reminder->title.toString();
    const int found = action.switchIndexIn(text);
    if (found < 0) {
        appendTag(action.array.first(), *reminder);
    } else {
        const QString& word = action.array.at(found);
        const QString& next = action.array.at((found + 1) % action.array.size());
        text = text.replace(QuickAction::indexOfWord(text, word), word.size(), next).trimmed();
        if (onNotes)
            reminder->notes = text;
        else
            reminder->title = text;
    }
    return save(reminder);
}

void QuickActionPerformer::appendTag(const QString& text, store::Reminder& reminder) const
{
    // No leading blank in an empty title or note.
    const auto appended = [&text](const QString& target) {
        return target.isEmpty() ? text : target + QLatin1Char(' ') + text;
    };
    if (m_manager.defaults().boolForKey(PrefKey::tagOnNotes))
        reminder.notes = appended(reminder.notes);
    else
        reminder.title = appended(reminder.title);
}

bool QuickActionPerformer::menuChangeToList(const store::ReminderPtr& reminder, int index)
{
    if (!reminder)
        return false;
    const QList<store::CalendarPtr> lists = m_manager.lists().visibleListsByCalendar();
    if (index < 0 || index >= lists.size() || !lists.at(index))
        return false;
    const store::CalendarPtr& list = lists.at(index);
    if (reminder->calendar && reminder->calendar->calendarIdentifier == list->calendarIdentifier)
        return false;
    // A parent takes its subtasks along, where their links hold again.
    if (!m_manager.subtasks().subtasksOf(*reminder).isEmpty())
        return m_manager.subtasks().moveWithSubtasks(reminder, list);
    return saveEdited(reminder, [&list](store::Reminder& moved) { moved.calendar = list; });
}

bool QuickActionPerformer::menuSetPriority(const store::ReminderPtr& reminder, int tag)
{
    const int priority = QuickActionMenu::priorityForTag(tag);
    if (!reminder || priority < 0 || reminder->priority == priority)
        return false;
    return saveEdited(reminder,
                      [priority](store::Reminder& changed) { changed.priority = priority; });
}

bool QuickActionPerformer::toggleCompletion(const store::ReminderPtr& reminder, QString* error)
{
    return reminder && m_manager.tasks().checkReminder(reminder, !reminder->completed, error);
}

QDateTime QuickActionPerformer::todayAtTimeOf(const QDateTime& base) const
{
    const QDate today = now().date();
    if (base.isValid()) {
        const QDateTime local = base.toLocalTime();
        const QDateTime moved(today, QTime(local.time().hour(), local.time().minute()));
        if (moved.isValid())
            return moved;
    }
    if (m_manager.defaults().boolForKey(PrefKey::noDueTime))
        return today.startOfDay();
    return QDateTime(today, alarmTimeOfDay());
}

QDateTime QuickActionPerformer::shifted(const QDateTime& base, const QuickAction& action) const
{
    const qint64 amount = action.movesForward() ? action.number : -action.number;
    const auto inIntRange = [](qint64 value) {
        return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
    };
    qint64 seconds = 0;
    switch (action.unit()) {
    case QuickAction::Unit::Minute:
        if (qMulOverflow(amount, qint64(60), &seconds))
            return {};
        return base.addSecs(seconds);
    case QuickAction::Unit::Hour:
        if (qMulOverflow(amount, qint64(3600), &seconds))
            return {};
        return base.addSecs(seconds);
    case QuickAction::Unit::Day:
        return base.addDays(amount);
    case QuickAction::Unit::Week:
        if (qint64 days = 0; !qMulOverflow(amount, qint64(7), &days))
            return base.addDays(days);
        return {};
    case QuickAction::Unit::Month:
        return inIntRange(amount) ? base.addMonths(int(amount)) : QDateTime();
    }
    return {};
}

// The preference "alarmTime" ("HH:mm"); midnight when it does not parse, as everywhere else.
QTime QuickActionPerformer::alarmTimeOfDay() const
{
    const QTime time = m_manager.formatters()
                           .hourTimeFormatter()
                           .dateFromString(m_manager.defaults().stringForKey(PrefKey::alarmTime))
                           .time();
    return time.isValid() ? QTime(time.hour(), time.minute()) : QTime(0, 0);
}

QDateTime QuickActionPerformer::now() const
{
    return toMinute(m_manager.clock().now());
}

QuickActionPerformer::Outcome QuickActionPerformer::save(const store::ReminderPtr& reminder)
{
    return m_manager.tasks().saveReminder(reminder) ? Outcome::Saved : Outcome::Unchanged;
}

// The change is made to a copy: the task shown (the store's own record) stays as the disk has it
// unless the store takes the change.
bool QuickActionPerformer::saveEdited(const store::ReminderPtr& shown,
                                      const std::function<void(store::Reminder&)>& change)
{
    const store::ReminderPtr edited = m_manager.tasks().recordToEdit(shown);
    change(*edited);
    if (save(edited) != Outcome::Saved)
        return false;
    store::RecordLock::assign(*shown, *edited);
    return true;
}

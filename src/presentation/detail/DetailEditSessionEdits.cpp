#include "presentation/detail/DetailEditSession.h"

#include "data/DataManager.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/TaskDetailEdits.h"
#include "data/location/ContactPlaces.h"
#include "data/location/LocationAlarms.h"
#include "data/subtasks/SubtaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QLocale>

// The rows' edits, each applied to a copy of the task and saved at once, and opening links.

using store::Reminder;

namespace {

TaskDetailEdits::DuePreferences duePreferences(const DataManager& manager)
{
    const UserDefaults& defaults = manager.defaults();
    TaskDetailEdits::DuePreferences prefs;
    prefs.noDueTime = defaults.boolForKey(PrefKey::noDueTime);
    prefs.alarmOn = defaults.boolForKey(PrefKey::alarmOn);
    prefs.alarmTime = manager.formatters()
                          .hourTimeFormatter()
                          .dateFromString(defaults.stringForKey(PrefKey::alarmTime))
                          .time();
    return prefs;
}

} // namespace

void DetailEditSession::setDueDateOn(bool on)
{
    if (!on) {
        applyEdit(TaskDetailEdits::turnDueDateOff);
        return;
    }
    const QDateTime now = m_manager.clock().now();
    const TaskDetailEdits::DuePreferences prefs = duePreferences(m_manager);
    const std::optional<store::RecurrenceRule> rule = m_repeat.rule();
    if (!applyEdit([&](Reminder& reminder) {
            return TaskDetailEdits::turnDueDateOn(reminder, now, prefs, rule);
        }))
        announce();
}

void DetailEditSession::setDueDate(const QDateTime& date)
{
    const std::optional<store::RecurrenceRule> rule = m_repeat.rule();
    applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::saveDueDate(reminder, date, rule); });
}

bool DetailEditSession::saveRule(const std::optional<store::RecurrenceRule>& rule)
{
    const bool saved = applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::saveDueDate(reminder, {}, rule); });
    if (!saved)
        announce();
    return saved;
}

void DetailEditSession::setCompleted(bool completed)
{
    // Only a completed task's row is shown, so turning it on is no change.
    if (completed || !applyEdit(TaskDetailEdits::reopen))
        announce();
}

void DetailEditSession::setCompletionDate(const QDateTime& date)
{
    applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::setCompletionDate(reminder, date); });
}

void DetailEditSession::setAlarmOn(bool on)
{
    bool saved = false;
    if (on) {
        saved = applyEdit([](Reminder& reminder) {
            const QDateTime due = TaskDetailEdits::dueDate(reminder);
            return due.isValid() &&
                   TaskDetailEdits::setTimeAlarm(reminder, store::Alarm::withAbsoluteDate(due));
        });
    } else {
        saved = applyEdit(TaskDetailEdits::removeTimeAlarms);
    }
    if (!saved)
        announce();
}

void DetailEditSession::setAlarmDate(const QDateTime& date)
{
    applyEdit([&](Reminder& reminder) {
        return TaskDetailEdits::setTimeAlarm(reminder, store::Alarm::withAbsoluteDate(date));
    });
}

void DetailEditSession::setAlarmOffset(int secondsBefore)
{
    applyEdit([secondsBefore](Reminder& reminder) {
        return TaskDetailEdits::setTimeAlarm(reminder,
                                             store::Alarm::withRelativeOffset(-secondsBefore));
    });
}

void DetailEditSession::setPriorityButton(int button)
{
    applyEdit([button](Reminder& reminder) {
        return TaskDetailEdits::setPriorityButton(reminder, button);
    });
}

void DetailEditSession::moveToList(const store::CalendarPtr& list)
{
    // Read before the move: a link holds only within one list.
    const QList<store::ReminderPtr> below =
        m_reminder ? m_manager.subtasks().tree()->descendantsOf(*m_reminder)
                   : QList<store::ReminderPtr>();
    const bool moved = applyEdit([&list](Reminder& reminder) {
        if (!list || (reminder.calendar &&
                      reminder.calendar->calendarIdentifier == list->calendarIdentifier))
            return false;
        reminder.calendar = list;
        return true;
    });
    if (!moved) {
        announce();
        return;
    }
    // The subtasks follow their parent, as from the task list's menu.
    for (const store::ReminderPtr& subtask : below)
        m_manager.subtasks().moveWithSubtasks(subtask, list);
}

// --- the Location row ------------------------------------------------------------------------

void DetailEditSession::addLocationAlarm(const store::Alarm& alarm)
{
    if (!alarm.structuredLocation)
        return;
    applyEdit([&alarm](Reminder& reminder) {
        return LocationAlarms::addLocationAlarm(reminder, *alarm.structuredLocation,
                                                alarm.proximity);
    });
}

void DetailEditSession::removeLocationAlarms()
{
    applyEdit(LocationAlarms::removeLocationAlarms);
}

QList<ContactPlace> DetailEditSession::contactPlaces()
{
    return ContactPlaces::fromContacts(m_services.addressBook.contacts(),
                                       ContactPlaces::lastNameFirst(QLocale()));
}

// --- links -----------------------------------------------------------------------------------

void DetailEditSession::openCurrentUrl()
{
    // The field may still hold an address being typed (the open button does not take the
    // keyboard, so the field has not been left): it is saved first, and that is what opens.
    finishUrl();
    if (m_reminder)
        openLink(m_reminder->URL);
    else if (m_event)
        openLink(m_event->URL);
}

void DetailEditSession::openLink(const QUrl& url)
{
    if (url.isEmpty())
        return;
    const QUrl target = DetailLinks::openableUrl(url);
    switch (DetailLinks::openPolicy(target)) {
    case DetailLinks::OpenPolicy::Refuse:
        showNotice(tr("\"%1\" is not opened: links of this kind can run code or hide where "
                      "they lead.")
                       .arg(target.toString().left(80)),
                   true);
        return;
    case DetailLinks::OpenPolicy::Confirm: {
        const QString where = target.isLocalFile() ? target.toLocalFile() : target.toString();
        if (!m_confirmation ||
            !m_confirmation(tr("Open \"%1\"? It is opened by the program your desktop chooses "
                               "for it.")
                                .arg(where)))
            return;
        break;
    }
    case DetailLinks::OpenPolicy::Open:
        break;
    }
    if (!m_services.openUrl || !m_services.openUrl(target))
        showNotice(tr("No program could open \"%1\".").arg(target.toString()), true);
}

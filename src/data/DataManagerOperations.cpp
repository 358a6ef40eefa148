// The data manager's changes to the store: adding, completing, deleting and saving tasks with
// their undo actions, and adding, changing and deleting lists. None of them refreshes: the
// store announces each change and the refresh that follows brings every pane up to date.

#include "data/DataManager.h"

#include "data/DateFormatter.h"
#include "data/DateFormatters.h"
#include "data/ReminderCopy.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "platform/store/PriorityClass.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QUndoCommand>
#include <QUrl>

namespace {

QString trUndo(const char* text)
{
    return QCoreApplication::translate("DataManager", text);
}

// Whole minutes: a due date carries no seconds, and a stray second would make a date-only
// due date look timed.
store::DateComponents dueComponentsOf(const QDateTime& dueDate)
{
    store::DateComponents components = store::DateComponents::fromDateTime(dueDate);
    components.second = 0;
    return components;
}

// The preference "alarmTime" ("HH:mm"); midnight when it does not parse.
QTime alarmTimeOfDay(const DataManager& manager)
{
    const QTime time = manager.formatters()
                           .hourTimeFormatter()
                           .dateFromString(manager.defaults().stringForKey(PrefKey::alarmTime))
                           .time();
    return time.isValid() ? QTime(time.hour(), time.minute()) : QTime(0, 0);
}

// A dated task's alarm goes off at the due time; a task due on a day without a time of day
// rings at the chosen alarm time when "noDueTime" asks for it.
QDateTime alarmDateFor(const DataManager& manager, const QDateTime& dueDate)
{
    const QDateTime local = dueDate.toLocalTime();
    const QTime time = local.time();
    if (manager.defaults().boolForKey(PrefKey::noDueTime) && time.hour() == 0 && time.minute() == 0)
        return QDateTime(local.date(), alarmTimeOfDay(manager));
    return local;
}

void setDueAndStart(store::Reminder& reminder, const QDateTime& dueDate)
{
    reminder.dueDateComponents = dueComponentsOf(dueDate);
    reminder.startDateComponents = reminder.dueDateComponents;
}

} // namespace

// Completing or reopening a task. The first redo is the change itself.
class DataManager::CompletionChange : public QUndoCommand
{
public:
    CompletionChange(DataManager& manager, store::ReminderPtr reminder, bool checked)
        : QUndoCommand(trUndo("Completion Change"))
        , m_manager(manager)
        , m_reminder(std::move(reminder))
        , m_checked(checked)
    {}

    void redo() override { apply(m_checked); }
    void undo() override { apply(!m_checked); }

private:
    void apply(bool checked)
    {
        // A change that did not reach the store leaves nothing to undo.
        if (!m_manager.applyCompletion(m_reminder, checked))
            setObsolete(true);
    }

    DataManager& m_manager;
    store::ReminderPtr m_reminder;
    bool m_checked;
};

// Deleting a task and bringing it back. Each removal keeps an unsaved copy, and that copy is
// what the next step saves; redo after undo thus deletes the restored task again.
class DataManager::DeleteTask : public QUndoCommand
{
public:
    // `reminder` is the task to delete when `deleteOnRedo`, otherwise the copy to save.
    DeleteTask(DataManager& manager, store::ReminderPtr reminder, bool deleteOnRedo)
        : QUndoCommand(trUndo("Delete Task"))
        , m_manager(manager)
        , m_reminder(std::move(reminder))
        , m_deleteOnRedo(deleteOnRedo)
    {}

    void redo() override { apply(m_deleteOnRedo); }
    void undo() override { apply(!m_deleteOnRedo); }

private:
    void apply(bool remove)
    {
        bool done = false;
        if (remove) {
            store::ReminderPtr copy = m_manager.removeKeepingCopy(m_reminder, &done);
            if (done)
                m_reminder = std::move(copy);
        } else {
            // The task's list may have gone meanwhile, here or in another program; the task
            // then comes back in the default list instead of silently not at all.
            if (!m_reminder->calendar ||
                !m_manager.calendarByUUID(m_reminder->calendar->calendarIdentifier))
                m_reminder->calendar = m_manager.defaultList();
            done = m_manager.m_eventStore->saveReminder(m_reminder, true);
        }
        // A task the store would not delete must not come back twice on undo.
        if (!done)
            setObsolete(true);
    }

    DataManager& m_manager;
    store::ReminderPtr m_reminder;
    bool m_deleteOnRedo;
};

// --- Adding ------------------------------------------------------------------------------

void DataManager::addReminderOnMacWithTitle(const QString& title,
                                            const store::CalendarPtr& calendar,
                                            std::optional<int> priority, const QDateTime& dueDate,
                                            const std::optional<store::RecurrenceRule>& rule,
                                            const QString& url, const QString& notes, bool alarm,
                                            const std::optional<store::Alarm>& place,
                                            const AddCompletion& completion)
{
    Sound::soundEffect(Sound::AddDone);
    store::ReminderPtr reminder = m_eventStore->reminderWithEventStore();
    reminder->title = title;
    reminder->calendar = calendar;
    if (!url.isEmpty()) {
        const QUrl parsed(url);
        if (parsed.isValid())
            reminder->URL = parsed;
    }
    if (!notes.isEmpty())
        reminder->notes = notes;
    if (priority)
        reminder->priority = store::storePriorityForClass(*priority);
    if (dueDate.isValid()) {
        setDueAndStart(*reminder, dueDate);
        if (alarm)
            reminder->addAlarm(store::Alarm::withAbsoluteDate(alarmDateFor(*this, dueDate)));
        // A rule repeats from the due date; without one it has nothing to repeat.
        if (rule)
            reminder->addRecurrenceRule(*rule);
    }
    if (place && place->structuredLocation)
        reminder->addAlarm(
            store::Alarm::withLocation(*place->structuredLocation, place->proximity));
    const bool saved = m_eventStore->saveReminder(reminder, true);
    incrementAddCount();
    if (completion)
        completion(saved, reminder);
}

store::ReminderPtr DataManager::addReminderWithTitle(const QString& title,
                                                     const store::CalendarPtr& calendar,
                                                     const QDateTime& dueDate, int priority,
                                                     std::optional<bool> alarmOnNumber,
                                                     const QString& notes, bool setDetail)
{
    Sound::soundEffect(Sound::AddDone);
    store::ReminderPtr reminder = m_eventStore->reminderWithEventStore();
    reminder->title = title;
    reminder->calendar = calendar;
    if (dueDate.isValid()) {
        setDueAndStart(*reminder, dueDate);
        if (alarmOnNumber.value_or(m_defaults.boolForKey(PrefKey::alarmOn)))
            reminder->addAlarm(store::Alarm::withAbsoluteDate(alarmDateFor(*this, dueDate)));
    }
    reminder->priority = store::storePriorityForClass(priority);
    if (!notes.isEmpty())
        reminder->notes = notes;
    saveReminder(reminder);
    if (setDetail)
        forceIntoDetail(reminder);
    incrementAddCount();
    return reminder;
}

void DataManager::forceIntoDetail(const store::ReminderPtr& reminder)
{
    m_tempReminder = reminder;
    Q_EMIT intoDetailFromAdd();
}

void DataManager::incrementAddCount()
{
    m_defaults.setInteger(m_defaults.integerForKey(PrefKey::addCount) + 1, PrefKey::addCount);
    m_defaults.synchronize();
}

// --- Completing --------------------------------------------------------------------------

void DataManager::checkReminder(const store::ReminderPtr& reminder, bool checked)
{
    // Panes may hold a copy older than the snapshot; the snapshot's own record is changed.
    const store::ReminderPtr found =
        reminder ? reminderWithIdentifier(reminder->calendarItemIdentifier) : nullptr;
    if (!found)
        return;
    // Completing a recurring task moves it on to its next occurrence; that cannot be taken
    // back by setting the flag again, so it is not offered as an undo.
    if (found->hasRecurrenceRules())
        applyCompletion(found, checked);
    else
        m_undoManager.push(new CompletionChange(*this, found, checked));
}

bool DataManager::applyCompletion(const store::ReminderPtr& reminder, bool checked)
{
    const store::ReminderPtr found =
        reminder ? reminderWithIdentifier(reminder->calendarItemIdentifier) : nullptr;
    if (!found)
        return false;
    if (!found->startDateComponents)
        found->startDateComponents = found->dueDateComponents;
    found->setCompleted(checked, m_clock.now());
    // The alarms go to the store as they are: when a recurring task moves on, the store keeps
    // an offset alarm as it stands (it follows the due date) and moves one at a date by as
    // much as the due date moved, each with every line other programs gave it.
    return m_eventStore->saveReminder(found, false) && m_eventStore->commit();
}

// --- Deleting ----------------------------------------------------------------------------

void DataManager::deleteReminder(const store::ReminderPtr& reminder)
{
    if (reminder)
        m_undoManager.push(new DeleteTask(*this, reminder, true));
}

void DataManager::undoDeleteReminder(const store::ReminderPtr& copy)
{
    if (copy)
        m_undoManager.push(new DeleteTask(*this, copy, false));
}

store::ReminderPtr DataManager::removeKeepingCopy(const store::ReminderPtr& reminder, bool* removed)
{
    Sound::soundEffect(Sound::Delete);
    store::ReminderPtr copy = m_eventStore->reminderWithEventStore();
    ReminderCopy::fillUndoCopy(*copy, *reminder, m_clock.now().date(), alarmTimeOfDay(*this));
    removeFromSnapshot(reminder);
    *removed = m_eventStore->removeReminder(reminder, true);
    return copy;
}

void DataManager::removeFromSnapshot(const store::ReminderPtr& reminder)
{
    const SnapshotPtr snapshot = remindersArray();
    if (!snapshot)
        return;
    const QString& identifier = reminder->calendarItemIdentifier;
    QList<store::ReminderPtr> kept;
    kept.reserve(snapshot->size());
    for (const store::ReminderPtr& each : snapshot->reminders()) {
        const bool same = each == reminder ||
                          (!identifier.isEmpty() && each->calendarItemIdentifier == identifier);
        if (!same)
            kept.append(each);
    }
    if (kept.size() != snapshot->size())
        setSnapshot(std::make_shared<ReminderSnapshot>(std::move(kept)));
}

// --- Saving and looking up ---------------------------------------------------------------

bool DataManager::saveReminder(const store::ReminderPtr& reminder)
{
    if (!reminder)
        return false;
    if (!reminder->startDateComponents)
        reminder->startDateComponents = reminder->dueDateComponents;
    return m_eventStore->saveReminder(reminder, true);
}

store::ReminderPtr DataManager::reminderWithIdentifier(const QString& identifier) const
{
    const SnapshotPtr snapshot = remindersArray();
    if (!snapshot)
        return nullptr;
    for (const store::ReminderPtr& reminder : snapshot->reminders()) {
        if (reminder->calendarItemIdentifier == identifier)
            return reminder;
    }
    return nullptr;
}

// --- Lists -------------------------------------------------------------------------------

QString DataManager::addListWithTitle(const QString& title, const QColor& color)
{
    store::CalendarPtr list = m_eventStore->calendarForEntityType(store::EntityType::Reminder);
    if (const store::CalendarPtr fallback = defaultCalendar()) {
        list->source = fallback->source;
    } else {
        const QList<store::SourcePtr> sources = m_eventStore->sources();
        for (auto it = sources.crbegin(); it != sources.crend(); ++it) {
            if ((*it)->sourceType == store::Source::Type::Local) {
                list->source = *it;
                break;
            }
        }
    }
    list->title = title;
    list->color = color;
    if (!m_eventStore->saveCalendar(list, true))
        return QString();
    return list->calendarIdentifier;
}

void DataManager::modifyList(const store::CalendarPtr& list, const QString& title,
                             const QColor& color)
{
    if (!list)
        return;
    list->title = title;
    list->color = color;
    m_eventStore->saveCalendar(list, true);
}

void DataManager::deleteListWithUUID(const QString& identifier)
{
    if (const store::CalendarPtr list = calendarByUUID(identifier))
        m_eventStore->removeCalendar(list, true);
}

void DataManager::deleteCompletedTasksOnListWithUUID(const QString& identifier)
{
    const store::CalendarPtr list =
        identifier.isEmpty() ? nullptr : m_eventStore->calendarWithIdentifier(identifier);
    // The store reads an empty set of lists as every list: an unknown identifier must not
    // clear the completed tasks of all of them.
    if (!list)
        return;
    store::EventStore* eventStore = m_eventStore.get();
    eventStore->fetchRemindersMatchingPredicate(
        eventStore->predicateForCompletedRemindersWithCompletionDateStarting({}, {}, {list}),
        [eventStore](const QList<store::ReminderPtr>& reminders) {
            if (reminders.isEmpty())
                return;
            for (const store::ReminderPtr& reminder : reminders)
                eventStore->removeReminder(reminder, false);
            eventStore->commit();
        });
}

#include "data/TaskOperations.h"

#include "data/ReminderCopy.h"
#include "data/StoreSession.h"
#include "data/TaskLists.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/PriorityClass.h"
#include "platform/store/RecordLock.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

// Whole minutes: a due date carries no seconds, and a stray second would make a date-only
// due date look timed.
store::DateComponents dueComponentsOf(const QDateTime& dueDate)
{
    store::DateComponents components = store::DateComponents::fromDateTime(dueDate);
    components.second = 0;
    return components;
}

void setDueAndStart(store::Reminder& reminder, const QDateTime& dueDate)
{
    reminder.dueDateComponents = dueComponentsOf(dueDate);
    reminder.startDateComponents = reminder.dueDateComponents;
}

} // namespace

// The preference "alarmTime" ("HH:mm"); midnight when it does not parse.
QTime TaskOperations::alarmTimeOfDay() const
{
    const QTime time = m_formatters.hourTimeFormatter()
                           .dateFromString(m_defaults.stringForKey(PrefKey::alarmTime))
                           .time();
    return time.isValid() ? QTime(time.hour(), time.minute()) : QTime(0, 0);
}

// A dated task's alarm goes off at the due time; a task due on a day without a time of day
// rings at the chosen alarm time when "noDueTime" asks for it.
QDateTime TaskOperations::alarmDateFor(const QDateTime& dueDate) const
{
    const QDateTime local = dueDate.toLocalTime();
    const QTime time = local.time();
    if (m_defaults.boolForKey(PrefKey::noDueTime) && time.hour() == 0 && time.minute() == 0)
        return QDateTime(local.date(), alarmTimeOfDay());
    return local;
}

TaskOperations::TaskOperations(StoreSession& session, TaskLists& lists, UserDefaults& defaults,
                               Clock& clock, const DateFormatters& formatters, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_lists(lists)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_formatters(formatters)
{}

// Completing or reopening a task, pushed once the change has reached the store: the first
// redo (the push) has nothing left to do.
class TaskOperations::CompletionChange : public UndoStep
{
public:
    CompletionChange(TaskOperations& manager, store::ReminderPtr reminder, bool checked)
        : UndoStep(TaskOperations::tr("Completion Change"))
        , m_manager(manager)
        , m_reminder(std::move(reminder))
        , m_checked(checked)
    {}

    void redo() override
    {
        if (std::exchange(m_applied, false))
            return;
        apply(m_checked);
    }
    void undo() override { apply(!m_checked); }

private:
    void apply(bool checked)
    {
        // A change that did not reach the store leaves nothing to undo.
        if (!m_manager.applyCompletion(m_reminder, checked, nullptr))
            setObsolete(true);
    }

    TaskOperations& m_manager;
    store::ReminderPtr m_reminder;
    bool m_checked;
    bool m_applied = true;
};

// Deleting a task and bringing it back, pushed once the first step has reached the store
// (its redo at the push has nothing left to do). A deletion moves the task's file to Recently
// Deleted and undo moves that very file back, under its old name with its UID and every line
// other programs wrote; redo deletes the restored task again.
class TaskOperations::DeleteTask : public UndoStep
{
public:
    DeleteTask(TaskOperations& manager, QString deletedId, bool wasCompleted)
        : UndoStep(TaskOperations::tr("Delete Task"))
        , m_manager(manager)
        , m_deletedId(std::move(deletedId))
        , m_wasCompleted(wasCompleted)
    {}

    void redo() override
    {
        if (std::exchange(m_applied, false))
            return;
        const store::ReminderPtr restored = m_manager.reminderInFile(m_restoredPath);
        m_deletedId = restored ? m_manager.moveToTrash(restored, nullptr) : QString();
        m_wasCompleted = false; // it came back open
        // A task the store would not delete must not come back twice on undo.
        if (m_deletedId.isEmpty())
            setObsolete(true);
    }
    void undo() override
    {
        if (!m_manager.restoreFromTrash(m_deletedId, m_wasCompleted, &m_restoredPath, nullptr))
            setObsolete(true);
    }

private:
    TaskOperations& m_manager;
    QString m_deletedId;
    QString m_restoredPath;
    bool m_wasCompleted;
    bool m_applied = true;
};

// --- Adding ------------------------------------------------------------------------------

void TaskOperations::addReminderWithTitle(const QString& title, const store::CalendarPtr& calendar,
                                          std::optional<int> priority, const QDateTime& dueDate,
                                          const std::optional<store::RecurrenceRule>& rule,
                                          const QString& url, const QString& notes, bool alarm,
                                          const std::optional<store::Alarm>& place,
                                          const AddCompletion& completion, const QString& parentUid)
{
    Q_EMIT addingTask();
    store::ReminderPtr reminder = m_session.eventStore()->reminderWithEventStore();
    reminder->title = title;
    reminder->calendar = calendar;
    reminder->parentUid = parentUid;
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
            reminder->addAlarm(store::Alarm::withAbsoluteDate(alarmDateFor(dueDate)));
        // A rule repeats from the due date; without one it has nothing to repeat.
        if (rule)
            reminder->addRecurrenceRule(*rule);
    }
    if (place && place->structuredLocation)
        reminder->addAlarm(
            store::Alarm::withLocation(*place->structuredLocation, place->proximity));
    m_lastSaveError.clear();
    const bool saved = m_session.eventStore()->saveReminder(reminder, true, &m_lastSaveError);
    incrementAddCount();
    if (completion)
        completion(saved, reminder);
}

store::ReminderPtr TaskOperations::addReminderWithTitle(const QString& title,
                                                        const store::CalendarPtr& calendar,
                                                        const QDateTime& dueDate, int priority,
                                                        std::optional<bool> alarmOnNumber,
                                                        const QString& notes, bool setDetail)
{
    Q_EMIT addingTask();
    store::ReminderPtr reminder = m_session.eventStore()->reminderWithEventStore();
    reminder->title = title;
    reminder->calendar = calendar;
    if (dueDate.isValid()) {
        setDueAndStart(*reminder, dueDate);
        if (alarmOnNumber.value_or(m_defaults.boolForKey(PrefKey::alarmOn)))
            reminder->addAlarm(store::Alarm::withAbsoluteDate(alarmDateFor(dueDate)));
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

void TaskOperations::forceIntoDetail(const store::ReminderPtr& reminder)
{
    m_tempReminder = reminder;
    Q_EMIT intoDetailFromAdd();
}

void TaskOperations::incrementAddCount()
{
    m_defaults.setInteger(m_defaults.integerForKey(PrefKey::addCount) + 1, PrefKey::addCount);
    m_defaults.synchronize();
}

// --- Completing --------------------------------------------------------------------------

bool TaskOperations::checkReminder(const store::ReminderPtr& reminder, bool checked, QString* error)
{
    // Panes may hold a copy older than the snapshot; the snapshot's own record is changed.
    const store::ReminderPtr found =
        reminder ? reminderWithIdentifier(reminder->calendarItemIdentifier) : nullptr;
    if (!applyCompletion(found, checked, error))
        return false;
    // Completing a recurring task moves it on to its next occurrence; that cannot be taken
    // back by setting the flag again, so it is not offered as an undo.
    if (!found->hasRecurrenceRules())
        m_undoManager.push(new CompletionChange(*this, found, checked));
    return true;
}

bool TaskOperations::applyCompletion(const store::ReminderPtr& reminder, bool checked,
                                     QString* error)
{
    const store::ReminderPtr found =
        reminder ? reminderWithIdentifier(reminder->calendarItemIdentifier) : nullptr;
    if (!found) {
        if (error)
            *error = tr("The task is no longer in the store.");
        return false;
    }
    // The snapshot's record shows the change at once, once the store took it: the change is
    // made to a copy, so that no view (and no other reader of the store's records) shows what
    // is not on disk.
    if (const store::Reminder* own = laterOwnSave(*found))
        store::RecordLock::assign(*found, *own);
    const store::ReminderPtr edited = std::make_shared<store::Reminder>(*found);
    if (!edited->startDateComponents)
        edited->startDateComponents = edited->dueDateComponents;
    edited->setCompleted(checked, m_clock.now());
    // The alarms go to the store as they are: when a recurring task moves on, the store keeps
    // an offset alarm as it stands (it follows the due date) and moves one at a date by as
    // much as the due date moved, each with every line other programs gave it.
    QString reason;
    if (m_session.eventStore()->saveReminder(edited, true, &reason)) {
        noteSaved(*edited);
        store::RecordLock::assign(*found, *edited);
        return true;
    }
    if (error)
        *error = reason;
    return false;
}

// --- Deleting ----------------------------------------------------------------------------

bool TaskOperations::deleteReminder(const store::ReminderPtr& reminder, QString* error)
{
    if (!reminder)
        return false;
    const QString deletedId = moveToTrash(reminder, error);
    if (deletedId.isEmpty())
        return false;
    m_undoManager.push(new DeleteTask(*this, deletedId, reminder->completed));
    return true;
}

bool TaskOperations::undoDeleteReminder(const QString& deletedId, QString* error)
{
    const std::optional<trash::DeletedEntry> entry =
        m_session.eventStore() ? m_session.eventStore()->recentlyDeleted().entry(deletedId)
                               : std::nullopt;
    const store::ReminderPtr kept = entry ? readKeptTask(*entry) : nullptr;
    QString path;
    if (!restoreFromTrash(deletedId, kept && kept->completed, &path, error))
        return false;
    m_undoManager.push(new DeleteTask(*this, deletedId, false));
    return true;
}

QString TaskOperations::moveToTrash(const store::ReminderPtr& reminder, QString* error)
{
    Q_EMIT deletingTask();
    QString deletedId;
    if (!m_session.eventStore()->removeReminder(reminder, true, error, &deletedId))
        return {};
    m_session.removeFromSnapshot(reminder);
    return deletedId;
}

store::ReminderPtr TaskOperations::reminderInFile(const QString& path) const
{
    return path.isEmpty() ? nullptr : m_session.eventStore()->reminderInFile(path);
}

store::ReminderPtr TaskOperations::readKeptTask(const trash::DeletedEntry& entry) const
{
    QFile file(m_session.eventStore()->recentlyDeleted().keptTaskFile(entry));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const std::optional<store::IcsItem> item = store::IcsItem::parse(file.readAll());
    return item && item->hasTodo() ? std::make_shared<store::Reminder>(item->toReminder())
                                   : nullptr;
}

bool TaskOperations::restoreFromTrash(const QString& deletedId, bool reopen, QString* restoredPath,
                                      QString* error)
{
    store::EventStore* eventStore = m_session.eventStore();
    store::EventStore::RestoreOutcome outcome;
    if (deletedId.isEmpty() || !eventStore ||
        !eventStore->restoreDeleted(deletedId, &outcome, error) || outcome.paths.isEmpty())
        return false;
    *restoredPath = outcome.paths.first();
    if (!reopen)
        return true;
    // A completed task comes back open and due today, as the same task with every other line.
    const store::ReminderPtr restored = eventStore->reminderInFile(*restoredPath);
    if (!restored)
        return true;
    ReminderCopy::reopenCompleted(*restored, m_clock.now().date(), alarmTimeOfDay());
    if (eventStore->saveReminder(restored, true, error))
        noteSaved(*restored);
    return true;
}

// --- Saving and looking up ---------------------------------------------------------------

bool TaskOperations::saveReminder(const store::ReminderPtr& reminder, QString* error)
{
    if (!reminder)
        return false;
    if (!reminder->startDateComponents)
        reminder->startDateComponents = reminder->dueDateComponents;
    return saveEditedReminder(reminder, error);
}

bool TaskOperations::saveEditedReminder(const store::ReminderPtr& reminder, QString* error)
{
    if (!reminder)
        return false;
    if (!m_session.eventStore()) {
        if (error)
            *error = tr("The store is not open.");
        return false;
    }
    if (!m_session.eventStore()->saveReminder(reminder, true, error))
        return false;
    noteSaved(*reminder);
    return true;
}

store::ReminderPtr TaskOperations::reminderWithIdentifier(const QString& identifier) const
{
    return m_session.reminderWithIdentifier(identifier);
}

// --- Our own saves -----------------------------------------------------------------------

namespace {

bool sameVersion(const store::ItemOrigin& a, const store::ItemOrigin& b)
{
    return a.path() == b.path() && a.stamp == b.stamp && a.contentHash == b.contentHash;
}

} // namespace

void TaskOperations::noteSaved(const store::Reminder& saved)
{
    if (!saved.origin || saved.calendarItemIdentifier.isEmpty())
        return;
    m_ownSaves.insert(saved.calendarItemIdentifier, saved);
    // A refresh fetched between two quick saves brings the first one back; a few are enough.
    constexpr qsizetype kept = 8;
    QList<store::ItemOriginPtr>& versions = m_ownVersions[saved.calendarItemIdentifier];
    versions.append(saved.origin);
    if (versions.size() > kept)
        versions.removeFirst();
}

const store::Reminder* TaskOperations::laterOwnSave(const store::Reminder& held) const
{
    const auto own = m_ownSaves.constFind(held.calendarItemIdentifier);
    if (own == m_ownSaves.cend() || !held.origin || sameVersion(*own->origin, *held.origin))
        return nullptr;
    // A file changed since by another program is theirs: the store refuses the stale record.
    if (store::AtomicFile::stampOf(own->origin->path()) != own->origin->stamp)
        return nullptr;
    return &*own;
}

store::ReminderPtr TaskOperations::recordToEdit(const store::ReminderPtr& held) const
{
    if (!held)
        return nullptr;
    const store::Reminder* own = laterOwnSave(*held);
    return std::make_shared<store::Reminder>(own ? *own : *held);
}

bool TaskOperations::isOwnVersion(const store::Reminder& record) const
{
    if (!record.origin)
        return false;
    const QList<store::ItemOriginPtr> versions = m_ownVersions.value(record.calendarItemIdentifier);
    return std::any_of(versions.cbegin(), versions.cend(), [&record](const auto& version) {
        return sameVersion(*version, *record.origin);
    });
}

// --- Lists -------------------------------------------------------------------------------

QString TaskOperations::addListWithTitle(const QString& title, const store::CollectionColor& color,
                                         QString* error)
{
    store::CalendarPtr list =
        m_session.eventStore()->calendarForEntityType(store::EntityType::Reminder);
    if (const store::CalendarPtr fallback = m_lists.defaultCalendar()) {
        list->source = fallback->source;
    } else {
        const QList<store::SourcePtr> sources = m_session.eventStore()->sources();
        for (auto it = sources.crbegin(); it != sources.crend(); ++it) {
            if ((*it)->sourceType == store::Source::Type::Local) {
                list->source = *it;
                break;
            }
        }
    }
    list->title = title;
    list->color = color;
    if (!m_session.eventStore()->saveCalendar(list, true, error))
        return QString();
    return list->calendarIdentifier;
}

bool TaskOperations::modifyList(const store::CalendarPtr& list, const QString& title,
                                const store::CollectionColor& color, QString* error)
{
    if (!list)
        return false;
    // The change is tried on a copy, so that a refused one leaves the list the window shows
    // as the store still has it.
    auto changed = std::make_shared<store::Calendar>(*list);
    changed->title = title;
    changed->color = color;
    if (!m_session.eventStore()->saveCalendar(changed, true, error))
        return false;
    list->title = title;
    list->color = color;
    return true;
}

bool TaskOperations::deleteListWithUUID(const QString& identifier, QString* error)
{
    const store::CalendarPtr list = m_lists.calendarByUUID(identifier);
    return !list || m_session.eventStore()->removeCalendar(list, true, error);
}

void TaskOperations::deleteCompletedTasksOnListWithUUID(const QString& identifier)
{
    const store::CalendarPtr list =
        identifier.isEmpty() ? nullptr : m_session.eventStore()->calendarWithIdentifier(identifier);
    // The store reads an empty set of lists as every list: an unknown identifier must not
    // clear the completed tasks of all of them.
    if (!list)
        return;
    store::EventStore* eventStore = m_session.eventStore();
    eventStore->fetchRemindersMatchingPredicate(
        store::predicateForCompletedRemindersWithCompletionDateStarting({}, {}, {list}),
        [eventStore](const QList<store::ReminderPtr>& reminders) {
            if (reminders.isEmpty())
                return;
            for (const store::ReminderPtr& reminder : reminders)
                eventStore->removeReminder(reminder, false);
            eventStore->commit();
        });
}

#include "data/subtasks/SubtaskOperations.h"

#include "data/StoreSession.h"
#include "data/TaskOperations.h"
#include "platform/store/RecordLock.h"

#include <utility>

// A task's parent link changing, pushed once the change has reached the store. Undo writes
// back the very link the task had, even one to a task that is gone.
class SubtaskOperations::ParentChange : public UndoStep
{
public:
    ParentChange(SubtaskOperations& owner, QString identifier, QString before, QString after)
        : UndoStep(after.isEmpty() ? SubtaskOperations::tr("Remove from Parent Task")
                                   : SubtaskOperations::tr("Make Subtask"))
        , m_owner(owner)
        , m_identifier(std::move(identifier))
        , m_before(std::move(before))
        , m_after(std::move(after))
    {}

    void redo() override
    {
        if (std::exchange(m_applied, false))
            return;
        if (!m_owner.writeParentUid(m_identifier, m_after, nullptr))
            setObsolete(true);
    }
    void undo() override
    {
        if (!m_owner.writeParentUid(m_identifier, m_before, nullptr))
            setObsolete(true);
    }

private:
    SubtaskOperations& m_owner;
    QString m_identifier;
    QString m_before;
    QString m_after;
    bool m_applied = true;
};

namespace {

QString listOf(const store::Reminder& task)
{
    return task.calendar ? task.calendar->calendarIdentifier : QString();
}

// The undo stack's macro, closed however the steps in it end.
class UndoMacro
{
public:
    UndoMacro(UndoHistory* stack, const QString& text)
        : m_stack(stack)
    {
        m_stack->beginMacro(text);
    }
    ~UndoMacro() { m_stack->endMacro(); }
    UndoMacro(const UndoMacro&) = delete;
    UndoMacro& operator=(const UndoMacro&) = delete;

private:
    UndoHistory* m_stack;
};

} // namespace

SubtaskOperations::SubtaskOperations(StoreSession& session, TaskOperations& tasks, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_tasks(tasks)
{}

std::shared_ptr<const SubtaskTree> SubtaskOperations::tree() const
{
    const SnapshotPtr snapshot = m_session.remindersArray();
    if (!snapshot)
        return std::make_shared<const SubtaskTree>();
    if (!m_tree || m_treeSnapshot.lock() != snapshot) {
        m_tree = std::make_shared<const SubtaskTree>(snapshot->reminders());
        m_treeSnapshot = snapshot;
    }
    return m_tree;
}

store::ReminderPtr SubtaskOperations::parentOf(const store::Reminder& task) const
{
    return tree()->parentOf(task);
}

QList<store::ReminderPtr> SubtaskOperations::subtasksOf(const store::Reminder& task) const
{
    return tree()->subtasksOf(task);
}

SubtaskTree::Progress SubtaskOperations::progressOf(const store::Reminder& task) const
{
    return tree()->progressOf(task);
}

bool SubtaskOperations::setParent(const store::ReminderPtr& task, const store::ReminderPtr& parent,
                                  QString* error)
{
    const store::ReminderPtr found = recordOf(task);
    if (!found) {
        if (error)
            *error = tr("The task is no longer in the store.");
        return false;
    }
    QString parentUid;
    if (parent) {
        const store::ReminderPtr above =
            m_tasks.reminderWithIdentifier(parent->calendarItemIdentifier);
        QString refusal;
        if (!above || above->uid.isEmpty())
            refusal = tr("The parent task is no longer in the store.");
        else if (listOf(*above) != listOf(*found))
            refusal = tr("A subtask must be in the list of its parent task.");
        else if (tree()->isWithin(*above, *found))
            refusal = tr("A task cannot be a subtask of itself or of one of its subtasks.");
        if (!refusal.isEmpty()) {
            if (error)
                *error = refusal;
            return false;
        }
        parentUid = above->uid;
    }
    const QString before = found->parentUid;
    if (before == parentUid)
        return true;
    if (!saveChange(
            found, [&parentUid](store::Reminder& edited) { edited.parentUid = parentUid; }, error))
        return false;
    m_tasks.undoManager()->push(
        new ParentChange(*this, found->calendarItemIdentifier, before, parentUid));
    return true;
}

bool SubtaskOperations::setSubtasksHidden(const store::ReminderPtr& task, bool hidden,
                                          QString* error)
{
    const store::ReminderPtr found = recordOf(task);
    if (!found) {
        if (error)
            *error = tr("The task is no longer in the store.");
        return false;
    }
    return saveChange(
        found, [hidden](store::Reminder& edited) { edited.hidesSubtasks = hidden; }, error);
}

store::ReminderPtr SubtaskOperations::recordOf(const store::ReminderPtr& task) const
{
    if (!task)
        return nullptr;
    if (store::ReminderPtr found = m_tasks.reminderWithIdentifier(task->calendarItemIdentifier))
        return found;
    // A task just added is in the store before a refresh brings it into the snapshot.
    return task->isNew() ? nullptr : task;
}

bool SubtaskOperations::writeParentUid(const QString& identifier, const QString& parentUid,
                                       QString* error)
{
    const store::ReminderPtr found = m_tasks.reminderWithIdentifier(identifier);
    if (!found) {
        if (error)
            *error = tr("The task is no longer in the store.");
        return false;
    }
    return saveChange(
        found, [&parentUid](store::Reminder& edited) { edited.parentUid = parentUid; }, error);
}

bool SubtaskOperations::saveChange(const store::ReminderPtr& found,
                                   const std::function<void(store::Reminder&)>& edit,
                                   QString* error)
{
    const store::ReminderPtr edited = m_tasks.recordToEdit(found);
    edit(*edited);
    if (!m_tasks.saveEditedReminder(edited, error))
        return false;
    // The snapshot shows the change at once, and the tree is read from it again.
    store::RecordLock::assign(*found, *edited);
    m_tree.reset();
    return true;
}

bool SubtaskOperations::completeWithSubtasks(const store::ReminderPtr& task, QString* error)
{
    if (!task)
        return false;
    const QList<store::ReminderPtr> below = tree()->descendantsOf(*task);
    UndoMacro macro(m_tasks.undoManager(), tr("Complete with Subtasks"));
    for (const store::ReminderPtr& subtask : below) {
        if (!subtask->completed && !m_tasks.checkReminder(subtask, true, error))
            return false;
    }
    return task->completed || m_tasks.checkReminder(task, true, error);
}

bool SubtaskOperations::deleteWithSubtasks(const store::ReminderPtr& task, QString* error)
{
    if (!task)
        return false;
    const QList<store::ReminderPtr> below = tree()->descendantsOf(*task);
    UndoMacro macro(m_tasks.undoManager(), tr("Delete with Subtasks"));
    // The deepest go first, so that an undo brings parents back before their subtasks.
    for (auto it = below.crbegin(); it != below.crend(); ++it) {
        if (!m_tasks.deleteReminder(*it, error))
            return false;
    }
    return m_tasks.deleteReminder(task, error);
}

bool SubtaskOperations::moveWithSubtasks(const store::ReminderPtr& task,
                                         const store::CalendarPtr& list, QString* error)
{
    if (!task || !list)
        return false;
    QList<store::ReminderPtr> moving{task};
    moving += tree()->descendantsOf(*task);
    for (const store::ReminderPtr& each : std::as_const(moving)) {
        if (listOf(*each) == list->calendarIdentifier)
            continue;
        if (!saveChange(
                each, [&list](store::Reminder& edited) { edited.calendar = list; }, error))
            return false;
    }
    return true;
}

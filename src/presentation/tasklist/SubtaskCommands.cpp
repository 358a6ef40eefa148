#include "presentation/tasklist/SubtaskCommands.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QSet>

#include <algorithm>

namespace {

bool sameTask(const store::ReminderPtr& a, const store::ReminderPtr& b)
{
    return (!a && !b) || (a && b && a->calendarItemIdentifier == b->calendarItemIdentifier);
}

} // namespace

SubtaskCommands::SubtaskCommands(DataManager& manager)
    : m_manager(manager)
{}

QList<QuickActionMenuEntry> SubtaskCommands::menuEntries(const store::Reminder& task) const
{
    using Kind = QuickActionMenuEntry::Kind;
    const auto item = [](Kind kind, const QString& title, bool enabled) {
        QuickActionMenuEntry entry;
        entry.kind = kind;
        entry.title = title;
        entry.enabled = enabled;
        return entry;
    };
    return {
        item(Kind::AddSubtask, tr("Add Subtask"), true), item(Kind::Indent, tr("Indent"), true),
        item(Kind::Outdent, tr("Outdent"), m_manager.subtasks().tree()->parentOf(task) != nullptr)};
}

bool SubtaskCommands::indent(const store::ReminderPtr& task, const QList<store::ReminderPtr>& shown,
                             QString* error)
{
    const auto at = std::find_if(shown.cbegin(), shown.cend(),
                                 [&task](const auto& each) { return sameTask(each, task); });
    if (!task || at == shown.cend() || at == shown.cbegin()) {
        *error = tr("There is no task above this one to make it a subtask of.");
        return false;
    }
    QSet<QString> inView;
    for (const store::ReminderPtr& each : shown)
        inView.insert(each->calendarItemIdentifier);
    const std::shared_ptr<const SubtaskTree> tree = m_manager.subtasks().tree();
    const store::ReminderPtr level = tree->parentOf(*task);
    const store::ReminderPtr directlyAbove = *(at - 1);
    // The task directly above may be a subtask (of a subtask) of the task's sibling: that
    // sibling is the one the task goes under. A view that does not show the sibling shows the
    // task above on its own, and that is the one.
    store::ReminderPtr parent = directlyAbove;
    for (store::ReminderPtr each = directlyAbove; each; each = tree->parentOf(*each)) {
        if (!inView.contains(each->calendarItemIdentifier))
            break;
        if (sameTask(tree->parentOf(*each), level)) {
            parent = each;
            break;
        }
    }
    return m_manager.subtasks().setParent(task, parent, error);
}

bool SubtaskCommands::outdent(const store::ReminderPtr& task, QString* error)
{
    const std::shared_ptr<const SubtaskTree> tree = m_manager.subtasks().tree();
    const store::ReminderPtr parent = task ? tree->parentOf(*task) : nullptr;
    if (!parent) {
        *error = tr("The task is not a subtask.");
        return false;
    }
    return m_manager.subtasks().setParent(task, tree->parentOf(*parent), error);
}

bool SubtaskCommands::makeSubtask(const store::ReminderPtr& task, const store::ReminderPtr& parent,
                                  QString* error)
{
    if (!task || !parent || sameTask(task, parent)) {
        *error = tr("A task cannot be a subtask of itself or of one of its subtasks.");
        return false;
    }
    return m_manager.subtasks().setParent(task, parent, error);
}

int SubtaskCommands::openSubtaskCount(const store::Reminder& task) const
{
    const QList<store::ReminderPtr> below = m_manager.subtasks().tree()->descendantsOf(task);
    return int(std::count_if(below.cbegin(), below.cend(),
                             [](const store::ReminderPtr& each) { return !each->completed; }));
}

bool SubtaskCommands::hasSubtasks(const store::Reminder& task) const
{
    return !m_manager.subtasks().subtasksOf(task).isEmpty();
}

std::optional<SubtaskCommands::Completion>
SubtaskCommands::settledCompletion(const store::ReminderPtr& task) const
{
    if (!task || task->completed || openSubtaskCount(*task) == 0)
        return Completion::OnlyThis;
    const QString remembered = m_manager.defaults().stringForKey(PrefKey::subtaskCompletion);
    if (remembered == PrefKey::kSubtaskCompletionAll)
        return Completion::WithSubtasks;
    if (remembered == PrefKey::kSubtaskCompletionOnly)
        return Completion::OnlyThis;
    return std::nullopt;
}

void SubtaskCommands::rememberCompletion(Completion completion)
{
    UserDefaults& defaults = m_manager.defaults();
    defaults.setString(completion == Completion::WithSubtasks
                           ? QString(PrefKey::kSubtaskCompletionAll)
                           : QString(PrefKey::kSubtaskCompletionOnly),
                       PrefKey::subtaskCompletion);
    defaults.synchronize();
}

bool SubtaskCommands::toggleCompletion(const store::ReminderPtr& task, Completion completion,
                                       QString* error)
{
    if (!task)
        return false;
    if (completion == Completion::WithSubtasks && !task->completed)
        return m_manager.subtasks().completeWithSubtasks(task, error);
    return m_manager.tasks().checkReminder(task, !task->completed, error);
}

bool SubtaskCommands::deleteTask(const store::ReminderPtr& task, QString* error)
{
    if (task && hasSubtasks(*task))
        return m_manager.subtasks().deleteWithSubtasks(task, error);
    return m_manager.tasks().deleteReminder(task, error);
}

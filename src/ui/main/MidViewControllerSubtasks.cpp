#include "ui/main/MidViewController.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "ui/common/SubtaskCompletionQuestion.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowDrag.h"
#include "ui/main/tasklist/TaskTableView.h"

// The centre pane's subtask commands: adding a subtask, indenting and outdenting, a task
// dropped on another, and the question before a parent with open subtasks is completed.

void MidViewController::runOnSelected(QuickActionMenuEntry::Kind command)
{
    runOn(m_presenter->selectedReminder(), command);
}

void MidViewController::runOn(const store::ReminderPtr& task, QuickActionMenuEntry::Kind command)
{
    using Kind = QuickActionMenuEntry::Kind;
    if (command == Kind::AddSubtask)
        addSubtaskTo(task);
    else if (command == Kind::Indent)
        indentTask(task);
    else if (command == Kind::Outdent)
        outdentTask(task);
}

void MidViewController::addSubtaskTo(const store::ReminderPtr& task)
{
    if (task && m_delegate)
        m_delegate->addSubtask(task);
}

void MidViewController::indentTask(const store::ReminderPtr& task)
{
    QString reason;
    if (task && !m_presenter->subtasks().indent(task, m_presenter->remindersArray(), &reason) &&
        m_delegate)
        m_delegate->changeFailed(tr("The task could not be indented"), reason);
}

void MidViewController::outdentTask(const store::ReminderPtr& task)
{
    QString reason;
    if (task && !m_presenter->subtasks().outdent(task, &reason) && m_delegate)
        m_delegate->changeFailed(tr("The task could not be outdented"), reason);
}

void MidViewController::acceptTaskDrops()
{
    auto* drag = new TaskRowDrag(m_table, [this](int row) { return m_model->reminderAt(row); });
    connect(drag, &TaskRowDrag::droppedOnTask, this,
            [this](const QString& dragged, const store::ReminderPtr& target) {
                QString reason;
                const store::ReminderPtr task = m_manager.tasks().reminderWithIdentifier(dragged);
                if (!task)
                    reason = tr("The task is no longer in the store.");
                if ((!task || !m_presenter->subtasks().makeSubtask(task, target, &reason)) &&
                    m_delegate)
                    m_delegate->changeFailed(tr("The task could not be made a subtask"), reason);
            });
}

void MidViewController::askHowToComplete(const store::ReminderPtr& task)
{
    auto* question = new SubtaskCompletionQuestion(m_presenter->subtasks(), *task, window());
    const QString identifier = task->calendarItemIdentifier;
    connect(question, &SubtaskCompletionQuestion::answered, this,
            [this, identifier](SubtaskCommands::Completion completion) {
                // The rows may have changed while the question was open.
                const int row = m_model->rowOfReminder(identifier);
                if (row >= 0)
                    completeRow(row, completion);
            });
    question->open();
}

#include "ui/main/MidViewController.h"

#include "data/DataManager.h"
#include "data/QuickActionMenu.h"
#include "data/QuickActionPerformer.h"
#include "platform/Sound.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QListView>
#include <QMenu>

// The task context menu and the check button of the centre pane.

store::ReminderPtr MidViewController::clickedReminder() const
{
    return m_model->reminderAt(m_clickedRow);
}

void MidViewController::menuNeedsUpdate(int clickedRow)
{
    m_clickedRow = clickedRow;
    m_quickActionsMenu->clear();
    const store::ReminderPtr reminder = clickedReminder();
    if (!reminder)
        return;
    const QList<QuickActionMenuEntry> entries =
        QuickActionMenu::build(m_manager, reminder, m_showingDetail);
    std::function<void(QMenu*, const QList<QuickActionMenuEntry>&)> fill =
        [this, &fill](QMenu* menu, const QList<QuickActionMenuEntry>& items) {
            for (const QuickActionMenuEntry& entry : items) {
                using Kind = QuickActionMenuEntry::Kind;
                if (entry.kind == Kind::Separator) {
                    menu->addSeparator();
                    continue;
                }
                if (entry.kind == Kind::MoveToListSubmenu ||
                    entry.kind == Kind::SetPrioritySubmenu) {
                    QMenu* submenu = menu->addMenu(entry.title);
                    submenu->setObjectName(entry.objectName);
                    submenu->setEnabled(entry.enabled);
                    fill(submenu, entry.items);
                    continue;
                }
                QAction* action = menu->addAction(entry.title);
                action->setEnabled(entry.enabled);
                action->setData(entry.tag);
                const int tag = entry.tag;
                switch (entry.kind) {
                case Kind::CompletionToggle:
                    connect(action, &QAction::triggered, this,
                            &MidViewController::menuCompletionChange);
                    break;
                case Kind::DetailsToggle:
                    connect(action, &QAction::triggered, this,
                            &MidViewController::menuShowHideDetails);
                    break;
                case Kind::QuickAction:
                    connect(action, &QAction::triggered, this,
                            [this, tag] { performQuickAction(tag); });
                    break;
                case Kind::MoveToList:
                    connect(action, &QAction::triggered, this, [this, tag] {
                        if (const store::ReminderPtr target = clickedReminder())
                            m_performer->menuChangeToList(target, tag);
                    });
                    break;
                case Kind::SetPriority:
                    connect(action, &QAction::triggered, this, [this, tag] {
                        if (const store::ReminderPtr target = clickedReminder())
                            m_performer->menuSetPriority(target, tag);
                    });
                    break;
                default:
                    break;
                }
            }
        };
    fill(m_quickActionsMenu, entries);
}

bool MidViewController::isRowOnScreen(int row) const
{
    const QRect rowRect = m_table->visualRect(m_model->index(row));
    return rowRect.isValid() && rowRect.intersects(m_table->viewport()->rect());
}

void MidViewController::menuCompletionChange()
{
    // Only a row on screen can show its check button bounce.
    if (clickedReminder() && isRowOnScreen(m_clickedRow))
        reminderChecked(m_clickedRow);
}

void MidViewController::menuShowHideDetails()
{
    if (!m_showingDetail) {
        const store::ReminderPtr reminder = clickedReminder();
        if (reminder) {
            selectRow(m_clickedRow);
            m_keptInDetails.clear();
            m_selectedReminder = reminder;
            m_selectedEvent.reset();
        }
        tellReminder(reminder);
    }
    if (m_delegate)
        m_delegate->toggleRightView();
}

void MidViewController::performQuickAction(int index)
{
    const store::ReminderPtr reminder = clickedReminder();
    if (!reminder)
        return;
    if (m_performer->menuQuickAction(index, reminder) ==
        QuickActionPerformer::Outcome::CompleteNext)
        reminderChecked(m_clickedRow);
}

void MidViewController::reminderChecked(int row)
{
    const store::ReminderPtr reminder = m_model->reminderAt(row);
    if (!reminder)
        return;
    const bool wasCompleted = reminder->completed;
    const bool started = m_rowDelegate->startBounce(row, [this, reminder, wasCompleted] {
        QString reason;
        if (m_performer->toggleCompletion(reminder, &reason))
            return;
        // The row shows the task as it still is on disk.
        m_table->viewport()->update();
        if (m_delegate)
            m_delegate->changeFailed(wasCompleted ? tr("The task could not be reopened")
                                                  : tr("The task could not be completed"),
                                     reason);
    });
    if (started && !wasCompleted)
        Sound::soundEffect(Sound::Check);
}

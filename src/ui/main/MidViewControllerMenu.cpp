#include "ui/main/MidViewController.h"

#include "platform/Sound.h"
#include "ui/common/MenuMnemonics.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/tasklist/SubtaskKeys.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskTableView.h"

#include <QListView>
#include <QMenu>

// The task context menu and the check button of the centre pane.

void MidViewController::menuNeedsUpdate(int clickedRow)
{
    m_clickedRow = clickedRow;
    m_quickActionsMenu->clear();
    const QList<QuickActionMenuEntry> entries = m_presenter->menuEntries(clickedRow);
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
                const Kind kind = entry.kind;
                switch (kind) {
                case Kind::CompletionToggle:
                    // Only a row on screen can show its check button bounce.
                    connect(action, &QAction::triggered, this, [this] {
                        if (m_presenter->reminderAt(m_clickedRow) && isRowOnScreen(m_clickedRow))
                            reminderChecked(m_clickedRow);
                    });
                    break;
                case Kind::DetailsToggle:
                    connect(action, &QAction::triggered, this,
                            &MidViewController::menuShowHideDetails);
                    break;
                case Kind::AddSubtask:
                case Kind::Indent:
                case Kind::Outdent:
                    // The keys are the menu bar's; here they are only shown.
                    action->setShortcuts(kind == Kind::AddSubtask
                                             ? QList<QKeySequence>{SubtaskKeys::addSubtask()}
                                         : kind == Kind::Indent ? SubtaskKeys::indent()
                                                                : SubtaskKeys::outdent());
                    action->setShortcutContext(Qt::WidgetShortcut);
                    connect(action, &QAction::triggered, this,
                            [this, kind] { runOn(m_presenter->reminderAt(m_clickedRow), kind); });
                    break;
                case Kind::QuickAction:
                case Kind::MoveToList:
                case Kind::SetPriority:
                    connect(action, &QAction::triggered, this, [this, kind, tag] {
                        if (m_presenter->perform(m_clickedRow, kind, tag))
                            reminderChecked(m_clickedRow);
                    });
                    break;
                default:
                    break;
                }
            }
            // The entries name lists, tags and quick actions the user made.
            MenuMnemonics::give(menu);
        };
    fill(m_quickActionsMenu, entries);
}

bool MidViewController::isRowOnScreen(int row) const
{
    const QRect rowRect = m_table->visualRect(m_model->index(row));
    return rowRect.isValid() && rowRect.intersects(m_table->viewport()->rect());
}

void MidViewController::menuShowHideDetails()
{
    m_presenter->selectForDetails(m_clickedRow);
    if (m_delegate)
        m_delegate->toggleRightView();
}

void MidViewController::showRowDetails(int row)
{
    if (m_model->kindAt(row) != TaskListRows::Kind::Task &&
        m_model->kindAt(row) != TaskListRows::Kind::Event)
        return;
    selectRow(row);
    m_presenter->proposeSelection(row);
    if (!m_presenter->showingDetail() && m_delegate)
        m_delegate->toggleRightView();
}

void MidViewController::reminderChecked(int row)
{
    const store::ReminderPtr reminder = m_model->reminderAt(row);
    if (!reminder)
        return;
    if (const auto settled = m_presenter->subtasks().settledCompletion(reminder))
        completeRow(row, *settled);
    else
        askHowToComplete(reminder);
}

void MidViewController::completeRow(int row, SubtaskCommands::Completion completion)
{
    const store::ReminderPtr reminder = m_model->reminderAt(row);
    if (!reminder)
        return;
    const bool wasCompleted = reminder->completed;
    const bool started = m_rowDelegate->startBounce(row, [this, reminder, completion] {
        // On failure the row shows the task as it still is on disk.
        if (!m_presenter->toggleCompletion(reminder, completion)) {
            m_table->viewport()->update();
            return;
        }
        m_table->announceRowCheckedChange(m_model->rowOfReminder(reminder->calendarItemIdentifier));
    });
    if (started && !wasCompleted)
        Sound::soundEffect(Sound::Check);
}

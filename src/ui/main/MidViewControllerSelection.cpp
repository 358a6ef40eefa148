#include "ui/main/MidViewController.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QLineEdit>
#include <QListView>
#include <QTimer>

// The selection of the centre pane: restored after a refresh, asked for from elsewhere, and
// the rules that keep it off the header and the spacers.

int MidViewController::selectedRow() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() && m_table->selectionModel()->isSelected(current) ? current.row() : -1;
}

void MidViewController::selectRow(int row)
{
    m_applyingSelection = true;
    if (row < 0) {
        m_table->selectionModel()->clearSelection();
    } else {
        const QModelIndex index = m_model->index(row);
        m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_table->scrollTo(index);
    }
    m_applyingSelection = false;
}

void MidViewController::tellReminder(const store::ReminderPtr& reminder)
{
    if (m_delegate)
        m_delegate->selectedRowChangedWithReminder(reminder);
}

void MidViewController::tellEvent(const store::EventPtr& event)
{
    if (m_delegate)
        m_delegate->selectedRowChangedWithEvent(event);
}

bool MidViewController::isSameViewAsLastRefresh() const
{
    const ShownView now{m_currentViewMode, m_currentViewDictionary, m_currentDate,
                        m_searchField->text(), m_showingCompleted};
    return m_lastShownView && *m_lastShownView == now;
}

void MidViewController::restoreSelection()
{
    const bool sameView = isSameViewAsLastRefresh();
    m_lastShownView = ShownView{m_currentViewMode, m_currentViewDictionary, m_currentDate,
                                m_searchField->text(), m_showingCompleted};
    // Another view, or another day, is the user leaving the task the details were kept on.
    const bool leftKeptTask = !sameView && !m_keptInDetails.isEmpty();
    if (!sameView)
        m_keptInDetails.clear();
    if (m_selectedReminder || !m_keptInDetails.isEmpty()) {
        const QString identifier =
            m_selectedReminder ? m_selectedReminder->calendarItemIdentifier : m_keptInDetails;
        m_selectedReminder.reset();
        m_keptInDetails.clear();
        for (qsizetype i = 0; i < m_remindersArray.size(); ++i) {
            if (m_remindersArray.at(i)->calendarItemIdentifier == identifier) {
                m_selectedReminder = m_remindersArray.at(i);
                selectRow(m_model->rows().rowForReminder(int(i)));
                break;
            }
        }
        store::ReminderPtr shown = m_selectedReminder;
        if (!shown) {
            selectRow(-1);
            // The list follows the change at once; the details do when the user leaves them.
            if (sameView) {
                shown = m_manager.tasks().reminderWithIdentifier(identifier);
                if (shown)
                    m_keptInDetails = identifier;
            }
        }
        tellReminder(shown);
    } else if (m_selectedEvent) {
        const QString identifier = m_selectedEvent->eventIdentifier;
        const QList<store::EventPtr> events = calendarEventsArray();
        m_selectedEvent.reset();
        for (qsizetype i = 0; i < events.size(); ++i) {
            if (events.at(i)->eventIdentifier == identifier) {
                m_selectedEvent = events.at(i);
                selectRow(m_model->rows().rowForEvent(int(i)));
                break;
            }
        }
        if (!m_selectedEvent)
            selectRow(-1);
        tellEvent(m_selectedEvent);
    } else {
        selectRow(-1);
        if (leftKeptTask)
            tellReminder(nullptr);
    }
}

void MidViewController::selectReminder(const store::ReminderPtr& reminder)
{
    m_selectionRetry.stop();
    m_pendingSelection.reset();
    if (!reminder)
        return;
    if (selectReminderFromNotifications(reminder)) {
        m_selectionTriedCount = 0;
        return;
    }
    if (m_selectionTriedCount < kMaximumRetries) {
        ++m_selectionTriedCount;
        m_pendingSelection = reminder;
        m_selectionRetry.start(kRetryIntervalMs);
    } else {
        m_selectionTriedCount = 0;
    }
}

bool MidViewController::selectReminderFromNotifications(const store::ReminderPtr& reminder)
{
    if (!reminder)
        return false;
    for (qsizetype i = 0; i < m_remindersArray.size(); ++i) {
        if (m_remindersArray.at(i)->calendarItemIdentifier == reminder->calendarItemIdentifier) {
            m_keptInDetails.clear();
            m_selectedReminder = m_remindersArray.at(i);
            m_selectedEvent.reset();
            selectRow(m_model->rows().rowForReminder(int(i)));
            tellReminder(m_selectedReminder);
            return true;
        }
    }
    return false;
}

void MidViewController::proposeSelection(int row)
{
    m_keptInDetails.clear();
    const TaskListRows::Selection decision = m_model->rows().proposeSelection(row);
    switch (decision.action) {
    case TaskListRows::Selection::Action::ClearBoth:
        m_selectedReminder.reset();
        m_selectedEvent.reset();
        tellReminder(nullptr);
        break;
    case TaskListRows::Selection::Action::MoveTo: {
        // The view is still applying the click that proposed this row; the move follows it.
        const int target = decision.row;
        QTimer::singleShot(0, this, [this, target] {
            if (target < m_model->rowCount()) {
                selectRow(target);
                proposeSelection(target);
            }
        });
        break;
    }
    case TaskListRows::Selection::Action::SelectTask:
        m_selectedReminder = m_model->reminderAt(decision.row);
        m_selectedEvent.reset();
        tellReminder(m_selectedReminder);
        break;
    case TaskListRows::Selection::Action::SelectEvent:
        m_selectedEvent = m_model->eventAt(decision.row);
        m_selectedReminder.reset();
        tellEvent(m_selectedEvent);
        break;
    case TaskListRows::Selection::Action::AcceptSilently:
        break;
    }
}

#include "presentation/tasklist/TaskListPresenter.h"

#include "data/DataManager.h"
#include "data/QuickActionPerformer.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "data/views/TaskListAssembly.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <algorithm>
#include <utility>

TaskListPresenter::TaskListPresenter(DataManager& manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_assembly(std::make_unique<TaskListAssembly>(manager))
    , m_performer(std::make_unique<QuickActionPerformer>(manager))
    , m_subtasks(std::make_unique<SubtaskCommands>(manager))
{
    m_view.showingCompleted = m_manager.defaults().boolForKey(PrefKey::showCompleted);
    m_selectionRetry.setSingleShot(true);
    connect(&m_selectionRetry, &QTimer::timeout, this, [this] {
        if (const store::ReminderPtr pending = m_pendingSelection)
            selectReminder(pending);
    });
}

TaskListPresenter::~TaskListPresenter() = default;

// --- The view ----------------------------------------------------------------------------

void TaskListPresenter::showEntry(const ListEntry& entry)
{
    m_view.entry = entry;
    m_view.mode = modeForEntry(entry);
    if (m_view.mode == TaskViewMode::Search)
        m_view.searchText.clear();
    refresh();
}

void TaskListPresenter::refresh()
{
    Q_EMIT aboutToRefresh();
    refreshTopView();
    fetchData();
    Q_EMIT contentChanged();
    restoreSelection();
    Q_EMIT refreshed();
}

void TaskListPresenter::refreshTopView()
{
    const TaskListAssembly::TopView top =
        m_assembly->refreshTopView(m_view.mode, m_view.entry, m_view.currentDate);
    m_view.currentDate = top.currentDate;
    if (top.title)
        m_view.title = *top.title;
    m_view.navigationEnabled = top.navigationEnabled;
    m_view.showHideVisible = top.showHideVisible;
    Q_EMIT viewChanged();
}

void TaskListPresenter::fetchData()
{
    TaskListAssembly::Content content = m_assembly->fetchData(
        m_view.mode, m_view.entry, m_view.currentDate, m_view.showingCompleted, m_view.searchText);
    TaskListNesting::Arranged arranged = arrangeSubtasks(content.reminders);
    m_reminders = std::move(arranged.reminders);
    m_nesting = std::move(arranged.rows);
    m_events = std::move(content.events);
    m_rows = TaskListRows(int(m_reminders.size()), int(calendarEventsArray().size()));
}

TaskListNesting::Arranged TaskListPresenter::arrangeSubtasks(const ReminderList& reminders) const
{
    const std::shared_ptr<const SubtaskTree> tree = m_manager.subtasks().tree();
    // The date views keep their sort by date: a subtask there stands where its date puts it.
    return isPeriodMode(m_view.mode) ? TaskListNesting::inPlace(*tree, reminders)
                                     : TaskListNesting::nested(*tree, reminders);
}

void TaskListPresenter::setSearchText(const QString& text)
{
    if (m_view.searchText == text)
        return;
    m_view.searchText = text;
    if (m_view.mode != TaskViewMode::Search)
        return;
    fetchData();
    Q_EMIT contentChanged();
}

void TaskListPresenter::saveSearch()
{
    if (m_view.searchText.isEmpty())
        return;
    SmartLists::addSmartListType(m_manager.defaults(), ListKind::SavedSearch, m_view.searchText, {},
                                 {});
    Q_EMIT searchSaved();
}

void TaskListPresenter::movePeriod(int step)
{
    if (!m_view.navigationEnabled)
        return;
    const QDateTime moved =
        m_assembly->periodMovedDate(m_view.mode, m_manager.dates().selectedDate(), step);
    if (moved.isValid())
        m_manager.dates().setSelectedDate(moved);
}

void TaskListPresenter::toggleShowCompleted()
{
    m_view.showingCompleted = !m_view.showingCompleted;
    UserDefaults& defaults = m_manager.defaults();
    defaults.setBool(m_view.showingCompleted, PrefKey::showCompleted);
    defaults.synchronize();
    refresh();
}

store::ReminderPtr TaskListPresenter::reminderAt(int row) const
{
    const int index = m_rows.reminderIndex(row);
    return index >= 0 && index < m_reminders.size() ? m_reminders.at(index) : nullptr;
}

store::EventPtr TaskListPresenter::eventAt(int row) const
{
    const int index = m_rows.eventIndex(row);
    const QList<store::EventPtr> events = calendarEventsArray();
    return index >= 0 && index < events.size() ? events.at(index) : nullptr;
}

CalendarDots TaskListPresenter::calendarDots() const
{
    return m_assembly->calendarDots(m_view.mode, m_view.currentDate, m_reminders,
                                    calendarEventsArray());
}

StyledText TaskListPresenter::sharedListText() const
{
    const QString subtitle = ListExport::subtitleForTaskCount(m_reminders.size());
    return ListExport::attributedStringsForSharingListWithTitle(
        m_view.title, subtitle, m_reminders, calendarEventsArray(), m_manager.formatters());
}

// --- The selection -----------------------------------------------------------------------

void TaskListPresenter::restoreSelection()
{
    const ShownView now{m_view.mode, m_view.entry, m_view.currentDate, m_view.searchText,
                        m_view.showingCompleted};
    const bool sameView = m_lastShownView && *m_lastShownView == now;
    m_lastShownView = now;
    const int deletedIndex = std::exchange(m_deletedIndex, -1);
    // Another view, or another day, is the user leaving the task the details were kept on.
    const bool leftKeptTask = !sameView && !m_keptInDetails.isEmpty();
    if (!sameView)
        m_keptInDetails.clear();
    if (m_selectedReminder || !m_keptInDetails.isEmpty()) {
        const QString identifier =
            m_selectedReminder ? m_selectedReminder->calendarItemIdentifier : m_keptInDetails;
        m_selectedReminder.reset();
        m_keptInDetails.clear();
        for (qsizetype i = 0; i < m_reminders.size(); ++i) {
            if (m_reminders.at(i)->calendarItemIdentifier == identifier) {
                m_selectedReminder = m_reminders.at(i);
                selectRow(m_rows.rowForReminder(int(i)));
                break;
            }
        }
        // A deleted task hands the selection, and with it the keyboard, to the task that took
        // its place (the one before it when it was the last), so that focus is never nowhere.
        if (!m_selectedReminder && sameView && deletedIndex >= 0 && !m_reminders.isEmpty()) {
            const int index = std::min(deletedIndex, int(m_reminders.size()) - 1);
            m_selectedReminder = m_reminders.at(index);
            selectRow(m_rows.rowForReminder(index));
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
        Q_EMIT reminderSelected(shown);
    } else if (m_selectedEvent) {
        const QString identifier = m_selectedEvent->eventIdentifier;
        const QList<store::EventPtr> events = calendarEventsArray();
        m_selectedEvent.reset();
        for (qsizetype i = 0; i < events.size(); ++i) {
            if (events.at(i)->eventIdentifier == identifier) {
                m_selectedEvent = events.at(i);
                selectRow(m_rows.rowForEvent(int(i)));
                break;
            }
        }
        if (!m_selectedEvent)
            selectRow(-1);
        Q_EMIT eventSelected(m_selectedEvent);
    } else {
        selectRow(-1);
        if (leftKeptTask)
            Q_EMIT reminderSelected(nullptr);
    }
}

void TaskListPresenter::selectReminder(const store::ReminderPtr& reminder)
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

bool TaskListPresenter::selectReminderFromNotifications(const store::ReminderPtr& reminder)
{
    if (!reminder)
        return false;
    for (qsizetype i = 0; i < m_reminders.size(); ++i) {
        if (m_reminders.at(i)->calendarItemIdentifier == reminder->calendarItemIdentifier) {
            m_keptInDetails.clear();
            m_selectedReminder = m_reminders.at(i);
            m_selectedEvent.reset();
            selectRow(m_rows.rowForReminder(int(i)));
            Q_EMIT reminderSelected(m_selectedReminder);
            return true;
        }
    }
    return false;
}

void TaskListPresenter::proposeSelection(int row)
{
    m_keptInDetails.clear();
    const TaskListRows::Selection decision = m_rows.proposeSelection(row);
    switch (decision.action) {
    case TaskListRows::Selection::Action::ClearBoth:
        m_selectedReminder.reset();
        m_selectedEvent.reset();
        Q_EMIT reminderSelected(nullptr);
        break;
    case TaskListRows::Selection::Action::MoveTo: {
        // The view is still applying the click that proposed this row; the move follows it.
        const int target = decision.row;
        QTimer::singleShot(0, this, [this, target] {
            if (target < m_rows.rowCount()) {
                selectRow(target);
                proposeSelection(target);
            }
        });
        break;
    }
    case TaskListRows::Selection::Action::SelectTask:
        m_selectedReminder = reminderAt(decision.row);
        m_selectedEvent.reset();
        Q_EMIT reminderSelected(m_selectedReminder);
        break;
    case TaskListRows::Selection::Action::SelectEvent:
        m_selectedEvent = eventAt(decision.row);
        m_selectedReminder.reset();
        Q_EMIT eventSelected(m_selectedEvent);
        break;
    case TaskListRows::Selection::Action::AcceptSilently:
        break;
    }
}

int TaskListPresenter::firstResultRow() const
{
    return m_rows.reminderCount() > 0 ? m_rows.rowForReminder(0)
           : m_rows.eventCount() > 0  ? m_rows.rowForEvent(0)
                                      : -1;
}

// --- The commands ------------------------------------------------------------------------

QList<QuickActionMenuEntry> TaskListPresenter::menuEntries(int row) const
{
    const store::ReminderPtr reminder = reminderAt(row);
    if (!reminder)
        return {};
    QList<QuickActionMenuEntry> menu = QuickActionMenu::build(m_manager, reminder, m_showingDetail);
    // After completing and showing the task, the commands that make and unmake subtasks.
    const QList<QuickActionMenuEntry> subtaskItems = m_subtasks->menuEntries(*reminder);
    menu.insert(2, QuickActionMenuEntry()); // a separator
    for (qsizetype i = 0; i < subtaskItems.size(); ++i)
        menu.insert(3 + i, subtaskItems.at(i));
    return menu;
}

bool TaskListPresenter::perform(int row, QuickActionMenuEntry::Kind kind, int tag)
{
    const store::ReminderPtr reminder = reminderAt(row);
    if (!reminder)
        return false;
    using Kind = QuickActionMenuEntry::Kind;
    switch (kind) {
    case Kind::QuickAction:
        return m_performer->menuQuickAction(tag, reminder) ==
               QuickActionPerformer::Outcome::CompleteNext;
    case Kind::MoveToList:
        m_performer->menuChangeToList(reminder, tag);
        return false;
    case Kind::SetPriority:
        m_performer->menuSetPriority(reminder, tag);
        return false;
    default:
        return false;
    }
}

void TaskListPresenter::selectForDetails(int row)
{
    if (m_showingDetail)
        return;
    const store::ReminderPtr reminder = reminderAt(row);
    if (reminder) {
        selectRow(row);
        m_keptInDetails.clear();
        m_selectedReminder = reminder;
        m_selectedEvent.reset();
    }
    Q_EMIT reminderSelected(reminder);
}

bool TaskListPresenter::toggleCompletion(const store::ReminderPtr& reminder,
                                         SubtaskCommands::Completion completion)
{
    const bool wasCompleted = reminder->completed;
    QString reason;
    if (m_subtasks->toggleCompletion(reminder, completion, &reason))
        return true;
    Q_EMIT changeFailed(wasCompleted ? tr("The task could not be reopened")
                                     : tr("The task could not be completed"),
                        reason);
    return false;
}

void TaskListPresenter::deleteSelected()
{
    if (!m_selectedReminder)
        return;
    const int index = int(m_reminders.indexOf(m_selectedReminder));
    QString reason;
    if (!m_subtasks->deleteTask(m_selectedReminder, &reason)) {
        Q_EMIT changeFailed(tr("The task could not be deleted"), reason);
        return;
    }
    m_deletedIndex = index;
}

#pragma once

#include "data/ReminderQueries.h"
#include "data/views/TaskViewMode.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class DataManager;
class ModeManager;
class MidViewControllerDelegate;
class MonthDateView;
class ElidedLabel;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QToolButton;
class QVariantAnimation;
class QuickActionPerformer;
class TaskListAssembly;
class TaskListDelegate;
class TaskListModel;
class UnreadableFilesBar;
class WeekDateView;

// The centre pane: the tasks (and, in the day, week and month views, the calendar events) of
// the view the sidebar chose, under a title line with the period buttons, with the week or
// month strip or the search field above the list. It keeps the selection across refreshes,
// answers the keyboard and the task context menu, and completes tasks with the check button.
class MidViewController : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRetryIntervalMs = 300;
    static constexpr int kMaximumRetries = 3;

    MidViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~MidViewController() override;

    void setDelegate(MidViewControllerDelegate* delegate) { m_delegate = delegate; }

    // The view.
    void changeViewToDict(const ListEntry& dictionary);
    void refreshView();
    void refreshTopView();
    void fetchData();
    TaskViewMode currentViewMode() const { return m_currentViewMode; }
    ListEntry currentViewDictionary() const { return m_currentViewDictionary; }
    QDateTime currentDate() const { return m_currentDate; }
    QString title() const;
    const ReminderList& remindersArray() const { return m_remindersArray; }
    QList<store::EventPtr> calendarEventsArray() const
    {
        return m_calendarEventsArray.value_or(QList<store::EventPtr>());
    }
    bool hasCalendarEventsArray() const { return m_calendarEventsArray.has_value(); }
    bool showingCompleted() const { return m_showingCompleted; }
    bool isNavigationEnabled() const;
    bool isShowHideButtonVisible() const;
    int stripHeight() const;

    // The selection.
    store::ReminderPtr selectedReminder() const { return m_selectedReminder; }
    store::EventPtr selectedEvent() const { return m_selectedEvent; }
    void selectReminder(const store::ReminderPtr& reminder);
    bool selectReminderFromNotifications(const store::ReminderPtr& reminder);
    int selectionTriedCount() const { return m_selectionTriedCount; }
    // The table's proposal of `row` as the new selection, decided by the selection rules.
    void proposeSelection(int row);
    int selectedRow() const;

    // Buttons and keys.
    void leftButtonTapped();
    void rightButtonTapped();
    void keyLeftTapped();
    void keyRightTapped();
    void showHideButtonTapped();
    void doubleClick();
    void deleteSelected();
    bool canDelete() const;
    void searchSaveButton();
    void setSearchText(const QString& text);
    QString searchText() const;
    // Down in the search field: the first task (or event) found is selected and the list
    // takes the keyboard; nothing happens when nothing was found.
    void selectFirstResult();
    bool isSearchSaveButtonVisible() const;

    // The context menu and the check button.
    QMenu* quickActionsMenu() const { return m_quickActionsMenu; }
    // Rebuilds the context menu for the task at `row` (the clicked row).
    void menuNeedsUpdate(int clickedRow);
    int clickedRow() const { return m_clickedRow; }
    void reminderChecked(int row);
    bool isRowOnScreen(int row) const;

    // The window's relays.
    void setReopenButtonHidden(bool hidden);
    // The "+" button works only once there is a quick-add window to open.
    void setAddButtonEnabled(bool enabled);
    bool isReopenButtonHidden() const;
    void setShowingDetail(bool showing) { m_showingDetail = showing; }
    bool showingDetail() const { return m_showingDetail; }
    void resetAppearance();
    void setupVisualEffectStateActiveAlways(bool always);
    // The bar above the list telling of files that could not be read.
    UnreadableFilesBar* unreadableFilesBar() const { return m_unreadableFilesBar; }
    QListView* tableView() const { return m_table; }
    // Everything here that takes the keyboard, in the order Tab visits it: the title line's
    // buttons, the strip, the list.
    QList<QWidget*> keyboardChain() const;
    TaskListModel* model() const { return m_model; }
    WeekDateView* weekDateView() const { return m_weekDateView; }
    MonthDateView* monthDateView() const { return m_monthDateView; }

    // As wide as the widest strip, shown or not, so that every view fits the list as it is.
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTopView();
    void buildTable();
    void showStripForMode();
    void reloadTable();
    void restoreSelection();
    bool isSameViewAsLastRefresh() const;
    void selectRow(int row);
    void tellReminder(const store::ReminderPtr& reminder);
    void tellEvent(const store::EventPtr& event);
    void resetCalendarDots();
    void moveByPeriod(int step);
    void updateShowHideButton();
    void menuCompletionChange();
    void menuShowHideDetails();
    void performQuickAction(int index);
    store::ReminderPtr clickedReminder() const;

    DataManager& m_manager;
    ModeManager& m_modeManager;
    MidViewControllerDelegate* m_delegate = nullptr;
    std::unique_ptr<TaskListAssembly> m_assembly;
    std::unique_ptr<QuickActionPerformer> m_performer;

    TaskViewMode m_currentViewMode = TaskViewMode::Day;
    ListEntry m_currentViewDictionary;
    QDateTime m_currentDate;
    QString m_title;
    bool m_navigationEnabled = true;
    bool m_showHideVisible = true;
    ReminderList m_remindersArray;
    std::optional<QList<store::EventPtr>> m_calendarEventsArray;
    bool m_showingCompleted = true;
    bool m_showingDetail = false;
    store::ReminderPtr m_selectedReminder;
    store::EventPtr m_selectedEvent;
    // A task an edit moved out of this view (a new date, another list, completed while
    // completed tasks are hidden): the details stay on it until the user chooses something
    // else or goes to another view.
    QString m_keptInDetails;
    // What the last refresh showed, to tell an edit that moved the task from a move of the view.
    struct ShownView
    {
        TaskViewMode mode = TaskViewMode::Day;
        ListEntry entry;
        QDateTime date;
        QString search;
        bool completed = true;
        bool operator==(const ShownView&) const = default;
    };
    std::optional<ShownView> m_lastShownView;
    int m_selectionTriedCount = 0;
    store::ReminderPtr m_pendingSelection;
    QTimer m_selectionRetry;
    int m_clickedRow = -1;
    bool m_applyingSelection = false;

    ElidedLabel* m_titleLabel = nullptr;
    QToolButton* m_leftButton = nullptr;
    QToolButton* m_rightButton = nullptr;
    QToolButton* m_showHideButton = nullptr;
    QToolButton* m_reopenButton = nullptr;
    QToolButton* m_addButton = nullptr;
    QWidget* m_strip = nullptr;
    WeekDateView* m_weekDateView = nullptr;
    MonthDateView* m_monthDateView = nullptr;
    QWidget* m_searchBar = nullptr;
    UnreadableFilesBar* m_unreadableFilesBar = nullptr;
    QLineEdit* m_searchField = nullptr;
    QToolButton* m_searchSaveButton = nullptr;
    QListView* m_table = nullptr;
    TaskListModel* m_model = nullptr;
    TaskListDelegate* m_rowDelegate = nullptr;
    QMenu* m_quickActionsMenu = nullptr;
    QPointer<QVariantAnimation> m_stripAnimation;
};

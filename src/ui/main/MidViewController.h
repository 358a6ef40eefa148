#pragma once

#include "presentation/tasklist/TaskListPresenter.h"
#include "ui/main/tasklist/TaskRowActions.h"

#include <QPointer>
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
class SubtaskFolding;
class TaskListDelegate;
class TaskListModel;
class TaskTableView;
class UnreadableFilesBar;
class WeekDateView;

// The centre pane: draws the task list presenter's tasks (and, in the day, week and month
// views, the calendar events) under a title line with the period buttons, with the week or
// month strip or the search field above the list, and forwards the keyboard, the task context
// menu and the check button to it.
class MidViewController : public QWidget, public TaskRowActions
{
    Q_OBJECT

public:
    MidViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~MidViewController() override;

    void setDelegate(MidViewControllerDelegate* delegate) { m_delegate = delegate; }
    // The view, its rows and the selection, and the commands on them.
    TaskListPresenter& presenter() const { return *m_presenter; }

    // Another entry of the sidebar: the strip follows and the list starts at its top.
    void changeViewToDict(const ListEntry& dictionary);
    // The data changed: the list keeps where the user scrolled it.
    void refreshView();
    int stripHeight() const;

    // The row selected in the table, -1 for none.
    int selectedRow() const;
    bool canDelete() const;
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
    // Asks first how to complete a task with open subtasks (unless the user chose to be
    // remembered).
    void reminderChecked(int row);
    bool isRowOnScreen(int row) const;
    // A screen reader's "Complete"/"Reopen" and "Show Details" on a row.
    void toggleRowCompletion(int row) override { reminderChecked(row); }
    void showRowDetails(int row) override;
    void setRowFolded(int row, bool folded) override;

    // A subtask command of the task menu (Add Subtask, Indent, Outdent) on the selected task:
    // the menu bar's items and their keys. Nothing without a selected task.
    void runOnSelected(QuickActionMenuEntry::Kind command);

    // The window's relays.
    void setReopenButtonHidden(bool hidden);
    // The "+" button works only once there is a quick-add window to open.
    void setAddButtonEnabled(bool enabled);
    bool isReopenButtonHidden() const;
    void resetAppearance();
    // The bar above the list telling of files that could not be read.
    UnreadableFilesBar* unreadableFilesBar() const { return m_unreadableFilesBar; }
    QListView* tableView() const;
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
    void connectPresenter();
    void showStripForMode(TaskViewMode mode);
    void showTopView();
    void reloadTable();
    void selectRow(int row);
    void resetCalendarDots();
    void updateShowHideButton();
    void menuShowHideDetails();
    void completeRow(int row, SubtaskCommands::Completion completion);
    // Subtasks (MidViewControllerSubtasks.cpp).
    void runOn(const store::ReminderPtr& task, QuickActionMenuEntry::Kind command);
    void addSubtaskTo(const store::ReminderPtr& task);
    void indentTask(const store::ReminderPtr& task);
    void outdentTask(const store::ReminderPtr& task);
    void askHowToComplete(const store::ReminderPtr& task);
    void acceptTaskDrops();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    MidViewControllerDelegate* m_delegate = nullptr;
    std::unique_ptr<TaskListPresenter> m_presenter;
    std::unique_ptr<SubtaskFolding> m_folding;
    int m_clickedRow = -1;
    bool m_applyingSelection = false;
    bool m_refreshing = false;
    int m_scrolled = 0;

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
    TaskTableView* m_table = nullptr;
    TaskListModel* m_model = nullptr;
    TaskListDelegate* m_rowDelegate = nullptr;
    QMenu* m_quickActionsMenu = nullptr;
    QPointer<QVariantAnimation> m_stripAnimation;
};

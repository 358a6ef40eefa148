#pragma once

#include "data/views/HourBuckets.h"
#include "platform/store/Reminder.h"
#include "presentation/tasklist/SubtaskCommands.h"
#include "ui/main/tasklist/TaskRowActions.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class DataManager;
class DayGraphView;
class HourPopover;
class ModeManager;
class PanelRowsModel;
class QGraphicsOpacityEffect;
class QLabel;
class QListView;
class QToolButton;
class QuickAddForm;
class SyncScheduler;
class TaskListDelegate;
class TaskTableView;

// The content of the tray panel: today's date and the pin button, the day graph of the next 25
// hours with its hour pop-up, the next three open tasks (overdue ones first) and a quick-add form
// of its own, and a Sync Now button while there is something to sync. It fetches the hour buckets
// when it opens, every minute while it is shown and after every refresh, and works out the height
// the panel needs for them.
class PanelViewController : public QWidget, public TaskRowActions
{
    Q_OBJECT

public:
    // Everything but the day graph and the rows: the date line and the quick-add form.
    static constexpr int kFixedHeight = 272;
    static constexpr int kHeaderHeight = 40;
    static constexpr int kInitialHeight = 360;
    static constexpr int kMaximumRows = 3;
    static constexpr int kRetryMs = 1000;
    static constexpr int kShowTableMs = 300;

    PanelViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~PanelViewController() override;

    // The list chooser, no due date, Smart Add afresh, the field focused.
    void loadInitially();
    // The hour buckets, the graph, the rows and the height.
    void fetchData();
    // The date line, then fetchData; nothing while the panel is hidden.
    void refreshOnMinuteChange();
    void refreshByModeChange();
    void fontChanged();
    // The pop-up's content for hour `k` (0 to 24) of the graph.
    void refreshPopoverWithTimeFrame(int k);
    void pinButtonTapped();
    // The accounts' syncing, for the Sync Now button (shown only while the scheduler has an
    // account or the user's own configuration to sync).
    void setSyncScheduler(SyncScheduler* scheduler);
    bool isOnTop() const { return m_isOnTop; }
    int panelHeight() const { return m_height; }
    QString dateText() const;
    // Return in the quick-add field with the modifiers held: Return and Shift-Return add and
    // start afresh; Ctrl-Return adds and keeps the list and due date.
    void returnPressed(Qt::KeyboardModifiers modifiers);

    // A screen reader's "Complete" and "Show Details" on a row (the main window shows it).
    void toggleRowCompletion(int row) override { checkRow(row); }
    void showRowDetails(int row) override;

    // The application's side: selecting a new task in the main window and checking the
    // night-mode schedule when the graph's window moves.
    std::function<void(const store::ReminderPtr&)> selectReminder;
    std::function<void()> checkNightMode;

    DayGraphView* dayGraph() const { return m_dayGraph; }
    QListView* rowsView() const;
    PanelRowsModel* rowsModel() const { return m_rowsModel; }
    TaskListDelegate* rowsDelegate() const { return m_rowsDelegate; }
    QuickAddForm* form() const { return m_form; }
    HourPopover* popover() const { return m_popover; }
    QToolButton* pinButton() const { return m_pinButton; }
    QToolButton* syncButton() const { return m_syncButton; }
    const HourBuckets& buckets() const { return m_buckets; }

Q_SIGNALS:
    void heightChanged(int height);
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showTableView();
    void updateHeight();
    void setShowingReminders(const ReminderList& reminders);
    // A parent with open subtasks is completed as the user answers or chose to be remembered.
    void checkRow(int row);
    void completeRow(int row, SubtaskCommands::Completion completion);
    void askHowToComplete(const store::ReminderPtr& task);
    void showPinImage();
    void updateSyncButton();
    void hoverChanged(bool inside);

    DataManager& m_manager;
    ModeManager& m_modeManager;
    SubtaskCommands m_subtasks;
    bool m_isOnTop = false;
    int m_height = kInitialHeight;
    HourBuckets m_buckets;
    ReminderList m_showingReminders;

    QLabel* m_dateLabel;
    QToolButton* m_pinButton;
    QToolButton* m_syncButton;
    QPointer<SyncScheduler> m_syncScheduler;
    DayGraphView* m_dayGraph;
    TaskTableView* m_rows;
    QWidget* m_rowsArea = nullptr;
    PanelRowsModel* m_rowsModel;
    TaskListDelegate* m_rowsDelegate;
    QGraphicsOpacityEffect* m_rowsOpacity;
    QuickAddForm* m_form;
    HourPopover* m_popover;
    QTimer m_fetchTimer;
    QTimer m_showTableTimer;
};

#pragma once

#include "text/ListExport.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/PaneRoom.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class ApplicationShell;
class DataManager;
struct DetailServices;
class LeftViewController;
class MidViewController;
class ModeManager;
class QSplitter;
class QVariantAnimation;
class RightViewController;
class ShareMenu;

// The content of the main window: the lists sidebar, the task list and the detail pane side by
// side. It is the only object that knows all three panes and relays between them; it opens and
// closes the side panes by growing and shrinking the window (so the task list keeps its width)
// as far as the screen has room, narrowing the list where it has none (PaneRoom), follows the
// data manager's refreshes and the change of day, and starts new tasks.
class ViewController : public QWidget,
                       public LeftViewControllerDelegate,
                       public MidViewControllerDelegate,
                       public RightViewControllerDelegate
{
    Q_OBJECT

public:
    static constexpr int kLeftMinimumWidth = 170;
    static constexpr int kRightMinimumWidth = 250;
    static constexpr int kRightOpenWidth = 250;

    ViewController(DataManager& manager, ModeManager& modeManager, const DetailServices& services,
                   QWidget* parent = nullptr);
    ~ViewController() override;

    LeftViewController* lvc() const { return m_lvc; }
    MidViewController* mvc() const { return m_mvc; }
    RightViewController* rvc() const { return m_rvc; }
    QSplitter* splitView() const { return m_splitView; }
    ShareMenu* shareMenu() const { return m_shareMenu; }

    void setApplicationShell(ApplicationShell* shell);
    // How a new task is entered through the quick-add window; the window arrives with its own
    // work. Called with the date the form starts on (invalid: none) and the list (may be null).
    using QuickAddOpener =
        std::function<void(const QDateTime& date, const QString& listIdentifier)>;
    // The same window bound to a task (its identifier): what it adds is that task's subtask.
    using SubtaskAddOpener = std::function<void(const QString& parentIdentifier)>;
    // Until there is one, the "+" button and File → New Task are off rather than silent, and
    // so is "Add Subtask" in the details.
    void setQuickAddOpener(QuickAddOpener opener, SubtaskAddOpener forSubtasks = {});
    // A new task through the quick-add window, starting on the sidebar's date and list.
    void addNewTask() override;
    bool hasQuickAddOpener() const { return bool(m_quickAddOpener); }

    // The help window ("Help" or "Update"), another window's work; without it nothing opens.
    using HelpOpener = std::function<bool(const QString& content)>;
    void setHelpOpener(HelpOpener opener);
    bool hasHelpOpener() const { return bool(m_helpOpener); }
    // 0 makes opening and closing a side pane immediate (tests, reduced motion).
    void setAnimationDuration(int milliseconds) { m_animationDuration = milliseconds; }

    // What the application asks of the window.
    void fetchData();
    void moveToToday();
    void showHideCompleted();
    void showHideLists();
    void showHideDetails();
    bool isListsShown() const;
    bool isDetailsShown() const;
    void openRightView();
    void refreshOnMidnight();
    void refreshLeftTableViewFromPreferences();
    void fontChanged();
    void resetAppearanceFromPreferences();
    void setupPinSettings();
    void addNewTaskWithTitle(const QString& title, const QString& mailLink);
    void showHelp();
    void openUpdateIntro();
    // The window's frame in the preferences (WindowPlacement::stringFromFrame), and back on a
    // screen.
    void saveSplitViewFrame();
    void loadSplitViewFrame();

Q_SIGNALS:
    // A task was added from a dropped message; the application selects it.
    void reminderAdded(const store::ReminderPtr& reminder);
    void quickAddAvailabilityChanged(bool available);

private:
    // The pane delegates: the panes reach the window through their interfaces only.
    void selectedRowChangedWithDictionary(const ListEntry& listDictionary) override;
    void selectedRowChangedWithReminder(const store::ReminderPtr& reminder) override;
    void selectedRowChangedWithEvent(const store::EventPtr& event) override;
    void toggleLeftView() override;
    void toggleRightView() override;
    void refreshLeftTableView() override;
    void pinButtonOn(bool on) override;
    void shareListWithRect(const QRect& rect) override;
    void keyLeftTapped() override;
    void keyRightTapped() override;
    void editSelectedReminder() override;
    void addSubtask(const store::ReminderPtr& parent) override;
    void returnToTaskList() override;
    void changeFailed(const QString& title, const QString& reason) override;

    void setupTabOrder();
    void showCollapsedPane(QWidget* pane);
    void takeKeyboardFrom(QWidget* pane);
    void collapseLeftSplitView();
    void collapseRightSplitView();
    // Moves the window's left and right edges outwards by `left` and `right` and widens the
    // side panes by `leftPane` and `rightPane`; the task list takes the difference.
    void resizeWindowBy(int left, int right, int leftPane, int rightPane,
                        const std::function<void()>& done);
    PaneRoom roomForOpening(PaneRoom::Side side, int paneWidth) const;
    // What the pane on `side`, `paneWidth` wide now, took when it opened.
    PaneRoom roomWhenOpened(PaneRoom::Side side, int paneWidth) const;
    void applySizes(int leftWidth, int rightWidth);
    bool isPaneOpen(int index) const;
    // A window-modal warning over the main window; it does not block the caller.
    void showWarning(const QString& title, const QString& message);

    DataManager& m_manager;
    ModeManager& m_modeManager;
    ApplicationShell* m_shell = nullptr;
    QSplitter* m_splitView = nullptr;
    LeftViewController* m_lvc = nullptr;
    MidViewController* m_mvc = nullptr;
    RightViewController* m_rvc = nullptr;
    ShareMenu* m_shareMenu = nullptr;
    QPointer<QVariantAnimation> m_resizing;
    // Where each open side pane found its width; none for a pane open from the start.
    std::optional<PaneRoom> m_leftRoom;
    std::optional<PaneRoom> m_rightRoom;
    QuickAddOpener m_quickAddOpener;
    SubtaskAddOpener m_subtaskAddOpener;
    HelpOpener m_helpOpener;
    int m_animationDuration = 200;
};

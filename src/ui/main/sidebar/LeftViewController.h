#pragma once

#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/lists/ListWindowDelegates.h"

#include <QListView>
#include <QPointer>
#include <QWidget>

#include <functional>

class ApplicationShell;
class DataManager;
class LeftViewControllerDelegate;
class ModeManager;
class QMenu;
class QToolButton;
class SidebarDelegate;
class SidebarModel;
class SidebarTableView;

// The lists pane of the main window: draws the sidebar presenter's rows (the day, week and
// month views, the preset, smart and user lists and the search, each with its count) and the
// add, pin and today buttons, and forwards clicks, keys and the context menu's commands to it.
class LeftViewController : public QWidget,
                           public AddListWindowDelegate,
                           public SmartListWindowDelegate
{
    Q_OBJECT

public:
    static constexpr int kTopInset = 30;

    LeftViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~LeftViewController() override;

    void setDelegate(LeftViewControllerDelegate* delegate) { m_delegate = delegate; }
    void setApplicationShell(ApplicationShell* shell) { m_shell = shell; }
    // The rows, the selection and the list commands.
    SidebarPresenter& presenter() { return m_presenter; }
    const SidebarPresenter& presenter() const { return m_presenter; }

    // Seams for what needs the window system: the window the pane sits in.
    std::function<bool()> isFullScreen;
    std::function<void(bool floating)> applyWindowLevel;
    // The question the presenter's confirmDeletion asks unless a test answers it: a
    // window-modal message box.
    void confirmWithMessageBox(std::function<void(bool)> answer);

    QListView* tableView() const;
    // The width at which every preset title, the date titles of any month and a four-digit
    // count fit beside a scroll bar, in the present fonts.
    int preferredWidth() const;
    // The counts or the date titles changed; the rows stay.
    void refreshView();

    // Buttons.
    void setupTodayTextField();
    void pinButtonAction();
    void setupPinSettings();
    QMenu* addMenu() const { return m_addMenu; }
    QToolButton* todayButton() const { return m_todayButton; }
    // The context menu of a row, as a right click on it opens it.
    QMenu* contextMenuForRow(int row);

    // The list windows.
    void openAddListWindow();
    void openAddTagListWindow();
    void openAddMergedListWindow();
    AddListWindowController* addListWindow() const { return m_addListWindow; }
    AddTagListWindowController* addTagListWindow() const { return m_addTagListWindow; }
    AddMergedListWindowController* addMergedListWindow() const { return m_addMergedListWindow; }
    // The Delete key and Edit → Delete while the sidebar has the keyboard.
    bool canDeleteSelected() const;
    void deleteSelected();
    // Share List on a row's context menu: the row is chosen, then the share menu opens by it.
    void shareList(int row);
    // Edit on the row's context menu: the list window opens on a list that may change.
    void editList(int row);

    void resetAppearance();
    // Everything here that takes the keyboard, in the order Tab visits it.
    QList<QWidget*> keyboardChain() const;

Q_SIGNALS:
    // The groups were rebuilt (a list or smart list came or went): the list menus follow.
    void listsReloaded();

private:
    void addListDoneEditing(bool edited, const QString& identifier) override;
    void addTagListDone() override;
    void addMergedListDone() override;
    void showSelectedRow(int row);
    void onSelectionChanged();
    void applyPin(bool on);
    void showContextMenu(int row, const QPoint& globalPos);
    void shareListShow();
    void showDeletionFailure(const QString& reason);
    QWidget* sheetParent();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    LeftViewControllerDelegate* m_delegate = nullptr;
    ApplicationShell* m_shell = nullptr;
    SidebarPresenter m_presenter;
    SidebarModel* m_model;
    SidebarDelegate* m_rowDelegate;
    SidebarTableView* m_table;
    QWidget* m_topArea;
    QWidget* m_bottomBar;
    QToolButton* m_addButton;
    QToolButton* m_pinButton;
    QToolButton* m_todayButton;
    QMenu* m_addMenu;
    QMenu* m_contextMenu;
    int m_clickedRow = -1;
    bool m_updatingSelection = false;
    QPointer<AddListWindowController> m_addListWindow;
    QPointer<AddTagListWindowController> m_addTagListWindow;
    QPointer<AddMergedListWindowController> m_addMergedListWindow;
};

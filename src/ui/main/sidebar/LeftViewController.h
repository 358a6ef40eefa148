#pragma once

#include "platform/store/Calendar.h"
#include "ui/main/lists/ListWindowDelegates.h"
#include "ui/main/sidebar/SidebarLayout.h"

#include <QListView>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class AddListWindowController;
class AddMergedListWindowController;
class AddTagListWindowController;
class ApplicationShell;
class DataManager;
class LeftViewControllerDelegate;
class ModeManager;
class QMenu;
class QToolButton;
class SidebarDelegate;
class SidebarModel;
class SidebarTableView;

// The lists pane of the main window: the day, week and month views, the preset, smart and
// user lists and the search, each with its count; the add, pin and today buttons; adding,
// editing, sharing and deleting lists.
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

    // Seams for what needs the window system. `confirmDeletion` asks whether to delete a list
    // and answers later (true for "Delete"); `isFullScreen` and `applyWindowLevel` concern
    // the window the pane sits in.
    std::function<void(std::function<void(bool)> answer)> confirmDeletion;
    // The question confirmDeletion asks unless a test answers it: a window-modal message box.
    void confirmWithMessageBox(std::function<void(bool)> answer);
    std::function<bool()> isFullScreen;
    std::function<void(bool floating)> applyWindowLevel;

    // Rows.
    void loadLists();
    ListEntry dictForRow(int row) const;
    const SidebarLayout& layout() const;
    const QList<ListEntry>& presetListsArray() const;
    const QList<ListEntry>& tagListsArray() const;
    const QList<ListEntry>& defaultListsArray() const;
    int rowCount() const;
    QListView* tableView() const;
    // The width at which every preset title, the date titles of any month and a four-digit
    // count fit beside a scroll bar, in the present fonts.
    int preferredWidth() const;

    // Rebuilding.
    void refreshView();
    void reloadDataFromPreference();
    void reloadDataFromSearch();
    void reloadDataFromDelete();
    // The lists changed elsewhere (another program, a synced folder): the rows are rebuilt and
    // the entry on show stays selected, wherever its row is now; only when it is gone does the
    // day view take its place.
    void reloadKeepingSelection();

    // Selection.
    int selectedRow() const { return m_selectedRow; }
    void selectDayView();
    void selectWeekView();
    void selectMonthView();
    void selectPresetList(int n);
    void selectSmartList(int n);
    void selectList(int n);
    void selectSearchView();
    void selectListWithCalendarIdentifier(const QString& identifier);
    store::CalendarPtr selectedList() const;
    // "#tag" for a tag list, the text of a saved search, else "".
    QString selectedTag() const;
    std::optional<int> selectedPriority() const;

    // Buttons.
    void todayButtonAction();
    void setupTodayTextField();
    void pinButtonAction();
    void setupPinSettings();
    void addButtonAction();
    QMenu* addMenu() const { return m_addMenu; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* pinButton() const { return m_pinButton; }
    QToolButton* todayButton() const { return m_todayButton; }

    // The context menu of the clicked row.
    QMenu* contextMenu() const { return m_contextMenu; }
    int clickedRow() const { return m_clickedRow; }
    void setClickedRow(int row) { m_clickedRow = row; }
    void menuNeedsUpdate();

    // Deleting, editing, sharing.
    void deleteListOnRow(int row);
    void deleteSelected();
    bool canDeleteSelected() const;
    void deleteList();
    void editList();
    void shareList();
    void shareListShow();

    // The list windows.
    void openAddListWindow();
    void openAddTagListWindow();
    void openAddMergedListWindow();
    AddListWindowController* addListWindow() const;
    AddTagListWindowController* addTagListWindow() const;
    AddMergedListWindowController* addMergedListWindow() const;
    void addListDoneEditing(bool edited, const QString& identifier) override;
    void addTagListDone() override;
    void addMergedListDone() override;

    void resetAppearance();
    // Everything here that takes the keyboard, in the order Tab visits it.
    QList<QWidget*> keyboardChain() const;

Q_SIGNALS:
    // The groups were rebuilt (a list or smart list came or went): the list menus follow.
    void listsReloaded();

private:
    void setSelectedRowSilently(int row);
    void refreshAfterSelection();
    void sendSelection();
    void onSelectionChanged();
    void deleteUserListOnRow(int row);
    void applyPin(bool on);
    void showContextMenu(int row, const QPoint& globalPos);
    QWidget* sheetParent();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    LeftViewControllerDelegate* m_delegate = nullptr;
    ApplicationShell* m_shell = nullptr;
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
    int m_selectedRow = 0;
    int m_clickedRow = -1;
    bool m_updatingSelection = false;
    QPointer<AddListWindowController> m_addListWindow;
    QPointer<AddTagListWindowController> m_addTagListWindow;
    QPointer<AddMergedListWindowController> m_addMergedListWindow;
};

#pragma once

#include "platform/store/Calendar.h"
#include "presentation/sidebar/SidebarLayout.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <optional>

class DataManager;

// What the lists sidebar shows and does, without a widget: its rows (SidebarLayout), the row
// on show, what choosing a row hands the task list, the defaults a new task takes from the
// choice, and deleting and adding lists. The sidebar's widgets draw it and forward input.
class SidebarPresenter : public QObject
{
    Q_OBJECT

public:
    explicit SidebarPresenter(DataManager& manager, QObject* parent = nullptr);

    // Asks whether to delete a user list and answers later (true for "Delete"); without it
    // nothing is deleted.
    std::function<void(std::function<void(bool)> answer)> confirmDeletion;

    const SidebarLayout& layout() const { return m_layout; }

    // Rebuilding the rows: from the preferences and the store; then with the day view, the
    // search, or the entry on show (the day view when it is gone) chosen.
    void loadLists();
    void reloadShowingDay();
    void reloadShowingSearch();
    void reloadKeepingSelection();

    // The row on show. `select` announces the entry (entrySelected); a proposal from the
    // table is taken only when it is an entry, never a divider or nothing.
    int selectedRow() const { return m_selectedRow; }
    void select(int row, bool announce = true);
    void proposeSelection(int row);
    void announceSelection();
    // `n` is 1-based within its group; a position outside the group changes nothing.
    void selectPresetList(int n);
    void selectSmartList(int n);
    void selectList(int n);
    void selectDayView() { select(0); }
    void selectWeekView() { select(1); }
    void selectMonthView() { select(2); }
    void selectSearch() { select(m_layout.searchRow()); }
    void selectListWithCalendarIdentifier(const QString& identifier);

    // What a new task takes from the choice: the store list, "#tag" of a tag list or the text
    // of a saved search, the priority class of a priority list (1 high … 3 low), and the day
    // of a date view when it is after today (else invalid).
    store::CalendarPtr selectedList() const;
    QString selectedTag() const;
    std::optional<int> selectedPriority() const;
    QDateTime presetDateForNewTask() const;

    // The context menu of `row`, and its commands.
    QList<SidebarLayout::Action> actionsForRow(int row) const;
    store::CalendarPtr editableListOnRow(int row) const;
    // A smart list goes at once; a user list after confirmDeletion says yes.
    void deleteRow(int row);
    // A list window closed: a new list (`edited` false) joins the shown lists; the day view
    // is chosen either way.
    void listWindowDone(bool edited, const QString& identifier);

    void goToToday();
    bool isPinned() const;
    void setPinned(bool on);

Q_SIGNALS:
    void rowsAboutToBeReset();
    void rowsReset();
    // The row on show changed or was put back: the table follows.
    void selectedRowChanged(int row);
    // The user chose an entry: the task list shows it.
    void entrySelected(const ListEntry& entry);
    // The groups were rebuilt (a list or smart list came or went): the list menus follow.
    void listsReloaded();
    // The shown lists changed here (a list was added): other views of them follow.
    void shownListsChanged();
    void deletionFailed(const QString& reason);
    void pinChanged(bool on);

private:
    void deleteUserListOnRow(int row);
    void resetRows();
    ListEntry entryForRow(int row) const { return m_layout.dictForRow(row); }

    DataManager& m_manager;
    SidebarLayout m_layout;
    int m_selectedRow = 0;
};

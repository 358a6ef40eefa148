#pragma once

#include "data/CountDictionary.h"
#include "data/ListEntry.h"
#include "platform/store/Calendar.h"

#include <QColor>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class DataManager;

// The rows of the lists sidebar, without any widget: the day, week and month entries, a
// divider, the preset lists, the smart lists and the user lists (each group followed by a
// divider, empty groups left out but the user lists' divider always there), and the search
// entry last. A divider row has no entry.
class SidebarLayout
{
public:
    enum class RowKind { Date, Preset, Smart, List, Search, Divider };
    // What the context menu of a row offers.
    enum class Action { Share, Edit, Delete };

    // Splits "listNavArray" into preset and smart lists, and makes one user-list entry per
    // identifier of `visibleLists` that names a list of `allCalendars` (others are skipped).
    void loadLists(const QList<ListEntry>& listNavArray, const QStringList& visibleLists,
                   const QList<store::CalendarPtr>& allCalendars);
    // The same from the manager's preferences and store.
    void loadLists(const DataManager& manager);

    const QList<ListEntry>& presetListsArray() const { return m_presetLists; }
    const QList<ListEntry>& tagListsArray() const { return m_tagLists; }
    const QList<ListEntry>& defaultListsArray() const { return m_defaultLists; }
    const QSet<int>& dividersIndexArray() const { return m_dividers; }

    int rowCount() const;
    int searchRow() const { return rowCount() - 1; }
    bool isDivider(int row) const { return m_dividers.contains(row); }
    RowKind kindOfRow(int row) const;
    // The entry shown on `row`; empty for a divider or a row outside the table.
    ListEntry dictForRow(int row) const;

    // `n` is 1-based within its group; the answer is the group's leading divider plus n.
    // rowForPresetList answers 0 when there are no preset lists.
    int rowForPresetList(int n) const;
    int rowForSmartList(int n) const;
    int rowForList(int n) const;
    // The row of the user list with that identifier, or -1.
    int rowForListIdentifier(const QString& identifier) const;
    // The row showing the entry: a user list by its identifier (its title may have changed),
    // the date and search rows by their kind, any other entry by equality; -1 when none does.
    int rowForEntry(const ListEntry& entry) const;

    // The row a proposed selection ends on: the proposal when it is a real entry, else the
    // current row, so that a divider is never selected and the selection never empties.
    int acceptedSelection(int proposedRow, int currentRow) const;

    // Smart lists always; a user list only while another one remains.
    bool canDeleteRow(int row) const;
    // The context menu of `row`; `listIsMutable` says whether the row's store list may change.
    QList<Action> actionsForRow(int row, bool listIsMutable) const;

    // The title of an entry as plain text, and as rich text for painting (the day entry
    // carries a coloured marker).
    static QString titleForEntry(const ListEntry& entry, const DataManager& manager);
    static QString richTitleForEntry(const ListEntry& entry, const DataManager& manager);
    // The marker after the day entry's title while the selected day is today, opaque.
    static QColor todayMarkerColor();
    // The count to show, or "" when the table holds none for the entry.
    static QString countTextForEntry(const ListEntry& entry, const CountDictionary& counts);

private:
    static QString dayTitle(const DataManager& manager, bool rich);
    int presetStart() const { return 4; }
    int smartStart() const;
    int listStart() const;

    QList<ListEntry> m_presetLists;
    QList<ListEntry> m_tagLists;
    QList<ListEntry> m_defaultLists;
    QSet<int> m_dividers;
};

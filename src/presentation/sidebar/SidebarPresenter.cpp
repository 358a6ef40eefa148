#include "presentation/sidebar/SidebarPresenter.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QPointer>
#include <QTimer>

namespace {

// Deleting a list makes the store change under the visible-list check; it stays off until
// the store has settled.
constexpr int kValidationPauseMs = 1000;

void storeShownLists(UserDefaults& defaults, const QStringList& visible,
                     const QStringList& invisible)
{
    defaults.setObject(visible, PrefKey::visibleLists);
    defaults.setObject(invisible, PrefKey::invisibleLists);
    defaults.synchronize();
}

} // namespace

SidebarPresenter::SidebarPresenter(DataManager& manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
{
    resetRows();
}

// --- Rows --------------------------------------------------------------------------------

void SidebarPresenter::resetRows()
{
    Q_EMIT rowsAboutToBeReset();
    m_layout.loadLists(m_manager);
    Q_EMIT rowsReset();
}

void SidebarPresenter::loadLists()
{
    resetRows();
    int row = qBound(0, m_selectedRow, m_layout.rowCount() - 1);
    if (m_layout.isDivider(row))
        --row;
    select(row, false);
    Q_EMIT listsReloaded();
}

void SidebarPresenter::reloadShowingDay()
{
    loadLists();
    select(0);
    m_manager.counts().refreshCounts();
}

void SidebarPresenter::reloadShowingSearch()
{
    loadLists();
    selectSearch();
    m_manager.counts().refreshCounts();
}

void SidebarPresenter::reloadKeepingSelection()
{
    const ListEntry shown = entryForRow(m_selectedRow);
    resetRows();
    const int row = m_layout.rowForEntry(shown);
    select(qMax(row, 0), row < 0);
    Q_EMIT listsReloaded();
    m_manager.counts().refreshCounts();
}

// --- Selection ---------------------------------------------------------------------------

void SidebarPresenter::select(int row, bool announce)
{
    m_selectedRow = row;
    Q_EMIT selectedRowChanged(row);
    if (announce)
        announceSelection();
}

void SidebarPresenter::announceSelection()
{
    Q_EMIT entrySelected(entryForRow(m_selectedRow));
}

void SidebarPresenter::proposeSelection(int row)
{
    const int accepted = m_layout.acceptedSelection(row, m_selectedRow);
    if (accepted != row) {
        Q_EMIT selectedRowChanged(m_selectedRow);
        return;
    }
    m_selectedRow = accepted;
    announceSelection();
}

void SidebarPresenter::selectPresetList(int n)
{
    if (n >= 1 && n <= m_layout.presetListsArray().size())
        select(m_layout.rowForPresetList(n));
}

void SidebarPresenter::selectSmartList(int n)
{
    if (n >= 1 && n <= m_layout.tagListsArray().size())
        select(m_layout.rowForSmartList(n));
}

void SidebarPresenter::selectList(int n)
{
    if (n >= 1 && n <= m_layout.defaultListsArray().size())
        select(m_layout.rowForList(n));
}

void SidebarPresenter::selectListWithCalendarIdentifier(const QString& identifier)
{
    const int row = m_layout.rowForListIdentifier(identifier);
    if (row >= 0)
        select(row);
}

store::CalendarPtr SidebarPresenter::selectedList() const
{
    const ListEntry entry = entryForRow(m_selectedRow);
    switch (entry.kind()) {
    case ListKind::UserList:
        return m_manager.lists().calendarByUUID(entry.identifier());
    case ListKind::MergedList: {
        const QStringList lists = entry.lists();
        return lists.isEmpty() ? nullptr : m_manager.lists().calendarByUUID(lists.first());
    }
    default:
        return nullptr;
    }
}

QString SidebarPresenter::selectedTag() const
{
    const ListEntry entry = entryForRow(m_selectedRow);
    switch (entry.kind()) {
    case ListKind::TagList:
        return QStringLiteral("#%1").arg(entry.tag());
    case ListKind::SavedSearch:
        return entry.tag();
    default:
        return QString();
    }
}

std::optional<int> SidebarPresenter::selectedPriority() const
{
    switch (entryForRow(m_selectedRow).kind()) {
    case ListKind::HighPriorityTasks:
        return 1;
    case ListKind::MediumPriorityTasks:
        return 2;
    case ListKind::LowPriorityTasks:
        return 3;
    default:
        return std::nullopt;
    }
}

QDateTime SidebarPresenter::presetDateForNewTask() const
{
    const QDateTime selected = m_manager.dates().selectedDate();
    if (m_selectedRow >= 0 && m_selectedRow <= 2 && selected > m_manager.dates().today())
        return selected;
    return {};
}

// --- Context menu, deleting, adding ------------------------------------------------------

store::CalendarPtr SidebarPresenter::editableListOnRow(int row) const
{
    const ListEntry entry = entryForRow(row);
    if (!entry.is(ListKind::UserList))
        return nullptr;
    const store::CalendarPtr list = m_manager.lists().calendarByUUID(entry.identifier());
    return list && list->allowsContentModifications() ? list : nullptr;
}

QList<SidebarLayout::Action> SidebarPresenter::actionsForRow(int row) const
{
    if (entryForRow(row).isEmpty())
        return {};
    return m_layout.actionsForRow(row, bool(editableListOnRow(row)));
}

void SidebarPresenter::deleteRow(int row)
{
    if (!m_layout.canDeleteRow(row))
        return;
    const ListEntry entry = entryForRow(row);
    if (m_layout.kindOfRow(row) == SidebarLayout::RowKind::Smart) {
        SmartLists::deleteSmartListFromDictionary(m_manager.defaults(), entry);
        // loadLists moves a selection that landed on a divider to the row above.
        loadLists();
        m_manager.counts().refreshCounts();
        announceSelection();
        return;
    }
    if (!confirmDeletion)
        return;
    const QString identifier = entry.identifier();
    QPointer<SidebarPresenter> self(this);
    confirmDeletion([self, identifier](bool confirmed) {
        if (!confirmed || !self)
            return;
        // The rows may have been rebuilt while the question was open: find the list again.
        const int current = self->m_layout.rowForListIdentifier(identifier);
        if (current >= 0 && self->m_layout.canDeleteRow(current))
            self->deleteUserListOnRow(current);
    });
}

void SidebarPresenter::deleteUserListOnRow(int row)
{
    const QString deleted = entryForRow(row).identifier();
    const QStringList all = m_manager.lists().allListIdentifiers();
    const QStringList oldVisible = m_manager.lists().visibleLists();
    // The store first: a list it keeps (a read-only folder) keeps its place in the sidebar.
    m_manager.lists().setDoNotValidate(true);
    DataManager* manager = &m_manager;
    QTimer::singleShot(kValidationPauseMs, manager,
                       [manager] { manager->lists().changeBackToValidate(); });
    QString error;
    if (!m_manager.tasks().deleteListWithUUID(deleted, &error)) {
        Q_EMIT deletionFailed(error);
        return;
    }
    QStringList visible;
    for (const QString& identifier : oldVisible) {
        if (identifier != deleted && all.contains(identifier))
            visible << identifier;
    }
    QStringList invisible;
    for (const QString& identifier : all) {
        if (identifier != deleted && !oldVisible.contains(identifier))
            invisible << identifier;
    }
    storeShownLists(m_manager.defaults(), visible, invisible);
    m_manager.lists().resetSortDescriptors();
    m_manager.lists().matchPreferencesForTodayExtension();
    loadLists();
    m_manager.counts().refreshCounts();
    announceSelection();
}

void SidebarPresenter::listWindowDone(bool edited, const QString& identifier)
{
    if (!edited && !identifier.isEmpty()) {
        const QStringList all = m_manager.lists().allListIdentifiers();
        // An empty "visibleLists" stands for every list; appending to it would hide the rest.
        QStringList candidates = m_manager.lists().visibleLists();
        candidates.removeAll(identifier);
        candidates << identifier;
        QStringList visible;
        for (const QString& candidate : candidates) {
            if (all.contains(candidate))
                visible << candidate;
        }
        QStringList invisible;
        for (const QString& other : all) {
            if (!visible.contains(other))
                invisible << other;
        }
        storeShownLists(m_manager.defaults(), visible, invisible);
        m_manager.lists().resetSortDescriptors();
        Q_EMIT shownListsChanged();
        m_manager.lists().matchPreferencesForTodayExtension();
    } else if (!edited) {
        return;
    }
    loadLists();
    select(0);
}

// --- Today and pinning -------------------------------------------------------------------

void SidebarPresenter::goToToday()
{
    m_manager.dates().setSelectedDate(m_manager.dates().today());
}

bool SidebarPresenter::isPinned() const
{
    return m_manager.defaults().boolForKey(PrefKey::alwaysOnTop);
}

void SidebarPresenter::setPinned(bool on)
{
    UserDefaults& defaults = m_manager.defaults();
    defaults.setBool(on, PrefKey::alwaysOnTop);
    defaults.synchronize();
    Q_EMIT pinChanged(on);
}

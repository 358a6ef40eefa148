#include "presentation/sidebar/SidebarLayout.h"

#include "data/DataManager.h"
#include "data/ListTitles.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"

#include <QCoreApplication>

void SidebarLayout::loadLists(const QList<ListEntry>& listNavArray, const QStringList& visibleLists,
                              const QList<store::CalendarPtr>& allCalendars)
{
    m_presetLists.clear();
    m_tagLists.clear();
    m_defaultLists.clear();
    for (const ListEntry& entry : listNavArray) {
        if (entry.isSmartList())
            m_tagLists << entry;
        else
            m_presetLists << entry;
    }
    for (const QString& identifier : visibleLists) {
        for (const store::CalendarPtr& list : allCalendars) {
            if (list->calendarIdentifier == identifier)
                m_defaultLists << ListEntry::userList(list->title, list->calendarIdentifier);
        }
    }

    m_dividers = {3};
    if (!m_presetLists.isEmpty())
        m_dividers.insert(presetStart() + int(m_presetLists.size()));
    if (!m_tagLists.isEmpty())
        m_dividers.insert(smartStart() + int(m_tagLists.size()));
    m_dividers.insert(listStart() + int(m_defaultLists.size()));
}

void SidebarLayout::loadLists(const DataManager& manager)
{
    loadLists(SmartLists::listNavArray(manager.defaults()), manager.lists().visibleLists(),
              manager.lists().allCalendars());
}

int SidebarLayout::smartStart() const
{
    return presetStart() + (m_presetLists.isEmpty() ? 0 : int(m_presetLists.size()) + 1);
}

int SidebarLayout::listStart() const
{
    return smartStart() + (m_tagLists.isEmpty() ? 0 : int(m_tagLists.size()) + 1);
}

int SidebarLayout::rowCount() const
{
    return listStart() + int(m_defaultLists.size()) + 2;
}

SidebarLayout::RowKind SidebarLayout::kindOfRow(int row) const
{
    if (isDivider(row))
        return RowKind::Divider;
    if (row < 3)
        return RowKind::Date;
    if (row < smartStart())
        return RowKind::Preset;
    if (row < listStart())
        return RowKind::Smart;
    if (row == searchRow())
        return RowKind::Search;
    return RowKind::List;
}

ListEntry SidebarLayout::dictForRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    switch (kindOfRow(row)) {
    case RowKind::Divider:
        return {};
    case RowKind::Date:
        return ListEntry::dateView(ListKind(qint64(ListKind::Day) + row));
    case RowKind::Preset:
        return m_presetLists.value(row - presetStart());
    case RowKind::Smart:
        return m_tagLists.value(row - smartStart());
    case RowKind::List:
        return m_defaultLists.value(row - listStart());
    case RowKind::Search:
        return ListEntry::search(QCoreApplication::translate("SidebarLayout", "Search"));
    }
    return {};
}

int SidebarLayout::rowForPresetList(int n) const
{
    return m_presetLists.isEmpty() ? 0 : presetStart() - 1 + n;
}

int SidebarLayout::rowForSmartList(int n) const
{
    return smartStart() - 1 + n;
}

int SidebarLayout::rowForList(int n) const
{
    return listStart() - 1 + n;
}

int SidebarLayout::rowForListIdentifier(const QString& identifier) const
{
    for (int i = 0; i < m_defaultLists.size(); ++i) {
        if (m_defaultLists.at(i).identifier() == identifier)
            return listStart() + i;
    }
    return -1;
}

int SidebarLayout::rowForEntry(const ListEntry& entry) const
{
    if (entry.isEmpty())
        return -1;
    if (entry.is(ListKind::UserList))
        return rowForListIdentifier(entry.identifier());
    if (entry.isDateView())
        return int(entry.storedType() - qint64(ListKind::Day));
    if (entry.is(ListKind::Search))
        return searchRow();
    for (int row = 0; row < rowCount(); ++row) {
        if (!isDivider(row) && dictForRow(row) == entry)
            return row;
    }
    return -1;
}

int SidebarLayout::acceptedSelection(int proposedRow, int currentRow) const
{
    if (proposedRow < 0 || proposedRow >= rowCount() || isDivider(proposedRow))
        return currentRow;
    return proposedRow;
}

bool SidebarLayout::canDeleteRow(int row) const
{
    switch (kindOfRow(row)) {
    case RowKind::Smart:
        return row >= 0 && row < rowCount();
    case RowKind::List:
        return m_defaultLists.size() >= 2;
    default:
        return false;
    }
}

QList<SidebarLayout::Action> SidebarLayout::actionsForRow(int row, bool listIsMutable) const
{
    QList<Action> actions{Action::Share};
    const RowKind kind = kindOfRow(row);
    if (kind == RowKind::Smart) {
        actions << Action::Delete;
    } else if (kind == RowKind::List && m_defaultLists.size() >= 2) {
        if (listIsMutable)
            actions << Action::Edit;
        actions << Action::Delete;
    }
    return actions;
}

QColor SidebarLayout::todayMarkerColor()
{
    // One blue for day and night (the sidebar's colours are not known here) that stands out at
    // 3:1 from the light and the dark rows, selected or not.
    return QColor(66, 140, 204);
}

QString SidebarLayout::dayTitle(const DataManager& manager, bool rich)
{
    const SharedDates& dates = manager.dates();
    const QString text = dates.selectedDateDayString();
    QString title = rich ? text.toHtmlEscaped() : text;
    if (!dates.selectedDateIsToday())
        return title;
    // The secondary label colour of the desktop's palette is the label's own; the marker
    // carries its colour.
    if (!rich)
        return title + QStringLiteral("\u00a0\u00a0●");
    const QColor marker = todayMarkerColor();
    return title + QStringLiteral("<span style=\"color: rgb(%1, %2, %3)\">&nbsp;&nbsp;●</span>")
                       .arg(marker.red())
                       .arg(marker.green())
                       .arg(marker.blue());
}

QString SidebarLayout::richTitleForEntry(const ListEntry& entry, const DataManager& manager)
{
    switch (entry.kind()) {
    case ListKind::Day:
        return dayTitle(manager, true);
    case ListKind::Week:
        return manager.dates().selectedDateWeekString().toHtmlEscaped();
    case ListKind::Month:
        return manager.dates().selectedDateMonthString().toHtmlEscaped();
    default:
        return titleForEntry(entry, manager).toHtmlEscaped();
    }
}

QString SidebarLayout::titleForEntry(const ListEntry& entry, const DataManager& manager)
{
    switch (entry.kind()) {
    case ListKind::Day:
        return dayTitle(manager, false);
    case ListKind::Week:
        return manager.dates().selectedDateWeekString();
    case ListKind::Month:
        return manager.dates().selectedDateMonthString();
    default:
        return ListTitles::titleForEntry(entry);
    }
}

QString SidebarLayout::countTextForEntry(const ListEntry& entry, const CountDictionary& counts)
{
    const std::optional<quint64> count = counts.countFor(entry);
    return count ? QString::number(*count) : QString();
}

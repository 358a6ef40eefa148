#include "data/ListChoice.h"

namespace {

// The chosen records first in the order of `chosen`, then the rest in their own order.
QList<store::CalendarPtr> chosenFirst(const QList<store::CalendarPtr>& all,
                                      const QStringList& chosen)
{
    QList<store::CalendarPtr> rows;
    for (const QString& identifier : chosen)
        for (const store::CalendarPtr& item : all)
            if (item->calendarIdentifier == identifier && !rows.contains(item))
                rows << item;
    for (const store::CalendarPtr& item : all)
        if (!rows.contains(item))
            rows << item;
    return rows;
}

} // namespace

void ListChoice::setupLists(const QList<store::CalendarPtr>& allLists, const QStringList& visible)
{
    m_visibleLists = visible;
    m_lists = chosenFirst(allLists, visible);
}

void ListChoice::setupCalendars(const QList<store::CalendarPtr>& allCalendars,
                                const QStringList& visibleCalendars)
{
    m_visibleCalendars = visibleCalendars;
    m_calendars = chosenFirst(allCalendars, visibleCalendars);
    if (m_visibleCalendars.isEmpty())
        for (const store::CalendarPtr& calendar : std::as_const(m_calendars))
            m_visibleCalendars << calendar->calendarIdentifier;
}

bool ListChoice::isListVisible(const QString& identifier) const
{
    return m_visibleLists.contains(identifier);
}

bool ListChoice::isCalendarVisible(const QString& identifier) const
{
    return m_visibleCalendars.contains(identifier);
}

int ListChoice::rowOfList(const QString& identifier) const
{
    for (int row = 0; row < m_lists.size(); ++row)
        if (m_lists.at(row)->calendarIdentifier == identifier)
            return row;
    return -1;
}

QStringList ListChoice::visibleInRowOrder() const
{
    QStringList result;
    for (const store::CalendarPtr& list : m_lists)
        if (isListVisible(list->calendarIdentifier))
            result << list->calendarIdentifier;
    return result;
}

QStringList ListChoice::invisibleInRowOrder() const
{
    QStringList result;
    for (const store::CalendarPtr& list : m_lists)
        if (!isListVisible(list->calendarIdentifier))
            result << list->calendarIdentifier;
    return result;
}

QStringList ListChoice::visibleCalendarsInRowOrder() const
{
    QStringList result;
    for (const store::CalendarPtr& calendar : m_calendars)
        if (isCalendarVisible(calendar->calendarIdentifier))
            result << calendar->calendarIdentifier;
    return result;
}

bool ListChoice::hideList(const QString& identifier)
{
    if (m_visibleLists.size() == 1 && m_visibleLists.first() == identifier)
        return false;
    m_visibleLists.removeAll(identifier);
    return true;
}

void ListChoice::showList(const QString& identifier)
{
    if (!m_visibleLists.contains(identifier))
        m_visibleLists << identifier;
}

bool ListChoice::hideCalendar(const QString& identifier)
{
    if (m_visibleCalendars.size() == 1 && m_visibleCalendars.first() == identifier)
        return false;
    m_visibleCalendars.removeAll(identifier);
    return true;
}

void ListChoice::showCalendar(const QString& identifier)
{
    if (!m_visibleCalendars.contains(identifier))
        m_visibleCalendars << identifier;
}

void ListChoice::moveList(int from, int to)
{
    if (from < 0 || from >= m_lists.size() || to < 0 || to > m_lists.size() || from == to)
        return;
    const store::CalendarPtr list = m_lists.at(from);
    if (from < to) {
        m_lists.insert(to, list);
        m_lists.removeAt(from);
    } else {
        m_lists.removeAt(from);
        m_lists.insert(to, list);
    }
}

void ListChoice::removeList(const QString& identifier)
{
    const int row = rowOfList(identifier);
    if (row >= 0)
        m_lists.removeAt(row);
    m_visibleLists.removeAll(identifier);
}

void ListChoice::addShownList(const QList<store::CalendarPtr>& allLists, const QStringList& visible,
                              const QString& identifier)
{
    QStringList shown = visible;
    if (!shown.contains(identifier))
        shown << identifier;
    setupLists(allLists, shown);
}

bool ListChoice::canDelete(const QList<int>& selectedRows) const
{
    if (m_visibleLists.size() <= 1 || selectedRows.size() != 1)
        return false;
    const int row = selectedRows.first();
    if (row < 0 || row >= m_lists.size())
        return false;
    const store::CalendarPtr& list = m_lists.at(row);
    return !isListVisible(list->calendarIdentifier) && list->allowsContentModifications();
}

QList<store::CalendarPtr> ListChoice::shownLists() const
{
    QList<store::CalendarPtr> result;
    for (const QString& identifier : m_visibleLists) {
        const int row = rowOfList(identifier);
        if (row >= 0)
            result << m_lists.at(row);
    }
    return result;
}

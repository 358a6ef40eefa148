#pragma once

#include "platform/store/Calendar.h"

#include <QList>
#include <QStringList>

// The working state of the Lists settings: every task list in the user's order with which of
// them are shown, and the event calendars with which of them are shown. Rows are the lists as
// the user sees and drags them: the shown ones first in their stored order, then the others
// in store order. Nothing here is stored; the page writes what rows() and the splits give.
class ListChoice
{
public:
    // `visible` is the data manager's list of shown identifiers.
    void setupLists(const QList<store::CalendarPtr>& allLists, const QStringList& visible);
    // An empty `visibleCalendars` shows every calendar (in memory only).
    void setupCalendars(const QList<store::CalendarPtr>& allCalendars,
                        const QStringList& visibleCalendars);

    const QList<store::CalendarPtr>& lists() const { return m_lists; }
    const QStringList& visibleLists() const { return m_visibleLists; }
    const QList<store::CalendarPtr>& calendars() const { return m_calendars; }
    const QStringList& visibleCalendars() const { return m_visibleCalendars; }
    bool isListVisible(const QString& identifier) const;
    bool isCalendarVisible(const QString& identifier) const;
    int rowOfList(const QString& identifier) const;

    // The stored pair "visibleLists" / "invisibleLists": the identifiers in row order, split by
    // whether they are shown. The stored order is the rows', not the working list's.
    QStringList visibleInRowOrder() const;
    QStringList invisibleInRowOrder() const;
    // The stored "visibleCalendars": the shown calendars in row order.
    QStringList visibleCalendarsInRowOrder() const;

    // Hiding the last shown list or calendar is refused (false, nothing changes).
    bool hideList(const QString& identifier);
    void showList(const QString& identifier);
    bool hideCalendar(const QString& identifier);
    void showCalendar(const QString& identifier);

    // A drag of row `from` dropped above row `to` (to may be the row count: the end). The
    // row lands just above the row it was dropped on.
    void moveList(int from, int to);
    // After the store deleted it.
    void removeList(const QString& identifier);
    // A new list, shown and last among the shown ones.
    void addShownList(const QList<store::CalendarPtr>& allLists, const QStringList& visible,
                      const QString& identifier);

    // Whether the selected rows may be deleted: exactly one, hidden, changeable, and more
    // than one list shown (a shown list is hidden before it can go).
    bool canDelete(const QList<int>& selectedRows) const;

    // The shown lists in their order, for the default-list pop-up.
    QList<store::CalendarPtr> shownLists() const;

private:
    QList<store::CalendarPtr> m_lists;
    QStringList m_visibleLists;
    QList<store::CalendarPtr> m_calendars;
    QStringList m_visibleCalendars;
};

#pragma once

#include "data/ReminderSort.h"
#include "data/VisibleListCheck.h"
#include "platform/store/Calendar.h"
#include "prefs/ListCatalog.h"
#include "prefs/ListDirectory.h"

#include <QMutex>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class DataLog;
class QThreadPool;
class StoreSession;
class UserDefaults;

// The store's task lists and which of them the user shows, in the user's order: the preferences
// "visibleLists" and "invisibleLists" kept in step with the lists that exist, the default list
// for new tasks, lists named by other programs, and the sort order that follows the user's
// order of lists.
class TaskLists : public QObject, public ListCatalog
{
    Q_OBJECT

public:
    // `background` runs the check of the visible lists against the store.
    TaskLists(StoreSession& session, UserDefaults& defaults, QThreadPool& background,
              const DataLog& log, QObject* parent = nullptr);

    QList<store::CalendarPtr> allCalendars() const;
    store::CalendarPtr defaultCalendar() const;
    // The list of the "defaultList" preference, else the store's default list.
    store::CalendarPtr defaultList() const;
    store::CalendarPtr calendarByUUID(const QString& identifier) const;
    QStringList allListIdentifiers() const override;

    // The identifiers of the shown lists; every list while the user has chosen none.
    QStringList visibleLists() const;
    // The shown lists themselves, in the user's order; lists that no longer exist are skipped.
    QList<store::CalendarPtr> visibleListsByCalendar() const;
    void makeInvisibleListAccordingToVisibleList(const QStringList& visibleLists);
    void matchPreferencesForTodayExtension();

    // Brings "visibleLists" and "invisibleLists" in step with the store's lists, off the main
    // thread; lists added elsewhere are shown when "autoAddNewList" is on.
    void validateVisibleLists();
    // The same check done at once on the calling thread.
    void validateVisibleListsNow();
    // The lists a refresh fetches and counts: the visible lists as the validation started
    // beside it will leave them.
    QList<store::CalendarPtr> refreshedLists() const;
    // The application's own list changes are not taken for changes made elsewhere for a moment.
    bool doNotValidate() const { return m_doNotValidate; }
    void setDoNotValidate(bool value) { m_doNotValidate = value; }
    void changeBackToValidate();
    // Asks the store for the list's tasks; `completion` runs with whether it could.
    void validateRemindersList(const store::CalendarPtr& list,
                               std::function<void(bool)> completion);

    // A list named by another program, from every task list of the store: the last list
    // whose title equals the name ignoring case, else the last one whose title begins with it,
    // else (and for an empty name) the default list.
    store::CalendarPtr calendarFromName(const QString& name) const;
    // The same over the visible lists in the user's order; without any, over the store's
    // default list for new reminders alone. Null when the store has no list at all.
    store::CalendarPtr calendarFromNameOnlyFromSelectedCalendars(const QString& name) const;

    // The task order, which follows the user's order of lists.
    ReminderSort fetchSortDescriptors() const;
    void resetSortDescriptors();

    // The store's lists as synced preference sets name them.
    const ListDirectory& listDirectory() const { return m_listDirectory; }

Q_SIGNALS:
    // The visible lists were repaired after a change made elsewhere: everything that shows
    // lists rebuilds.
    void visibleListsChanged();

private:
    void applyValidatedLists(const VisibleListCheck::Outcome& outcome);

    StoreSession& m_session;
    UserDefaults& m_defaults;
    QThreadPool& m_background;
    const DataLog& m_log;
    bool m_doNotValidate = false;
    mutable QMutex m_sortMutex;
    mutable std::optional<ReminderSort> m_sortDescriptors;
    EventStoreListDirectory m_listDirectory;
};

#pragma once

#include "data/DataLog.h"
#include "data/ReminderSnapshot.h"
#include "data/StoreSession.h"
#include "entry/SmartAdd.h"
#include "prefs/NightModeSchedule.h"
#include "text/DateFormatters.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

class CalendarEvents;
class Clock;
class ListFilters;
class ReminderQueries;
class SharedDates;
class SidebarCounts;
class SubtaskOperations;
class TaskLists;
class TaskOperations;
class UserDefaults;

// The one object through which the application reaches its tasks, lists and events. It runs
// the refresh — every reminder of the visible lists into an in-memory snapshot, the event
// windows the views use beside it, then "RemindersRefreshed" — and owns the parts that each keep
// one concern: the store session and its snapshot, the shared dates, the lists, the counts and
// badge, the task and list operations with undo, the calendar events and the night-mode schedule.
// Queries answer from the snapshot; only a refresh reads the store. Lives on the main thread; store
// fetches deliver on store threads and hand over to the main thread.
class DataManager : public QObject
{
    Q_OBJECT

public:
    using StoreFactory = StoreSession::StoreFactory;

    DataManager(UserDefaults& defaults, Clock& clock, StoreFactory storeFactory,
                QObject* parent = nullptr);
    ~DataManager() override;

    UserDefaults& defaults() const { return m_defaults; }
    Clock& clock() const { return m_clock; }
    const DateFormatters& formatters() const { return m_formatters; }

    // The parts.
    StoreSession& session() { return m_session; }
    const StoreSession& session() const { return m_session; }
    SharedDates& dates() const { return *m_dates; }
    TaskLists& lists() const { return *m_lists; }
    CalendarEvents& events() const { return *m_events; }
    SidebarCounts& counts() const { return *m_counts; }
    TaskOperations& tasks() const { return *m_tasks; }
    SubtaskOperations& subtasks() const { return *m_subtasks; }
    NightMode& nightMode() { return m_nightMode; }
    const SmartAdd& smartAdd() const { return m_smartAdd; }

    // Access, then the first refresh.
    void initStore();
    // For the command line: access and the first load at once on the calling thread, with no
    // timer and no event loop. Events are not fetched (nor expanded): a command that shows
    // them asks for them; without `withTasks` the snapshot stays absent too. The snapshot folds
    // its texts only when a question reads them.
    void initStoreNow(bool withTasks = true);
    // Waits until the count, list and event jobs started so far have finished.
    void waitForBackgroundJobs() { m_background.waitForDone(); }
    // Access only; `done` runs when both kinds of data have been asked for.
    void initiallyInitStore(std::function<void()> done = {});
    // Opens the store afresh (after a change of its folders or of access) and forgets the undo
    // steps, which name records of the old store.
    void refreshStore();
    // The store changed here or elsewhere.
    void handleNotification();
    // The refresh pipeline; a refresh asked for while one runs is dropped.
    void refreshRemindersArray();
    bool isRefreshRunning() const { return m_refreshRunning; }

    // The snapshot, null while a refresh runs, and the queries over it with the shared dates.
    store::EventStore* eventStore() const { return m_session.eventStore(); }
    SnapshotPtr remindersArray() const { return m_session.remindersArray(); }
    bool hasRemindersArray() const { return m_session.hasRemindersArray(); }
    ReminderQueries queries() const;
    ListFilters filters() const;

    // The "[Data] " diagnostic lines.
    bool logging() const { return m_log.isOn(); }
    void setLogging(bool on) { m_log.setOn(on); }

Q_SIGNALS:
    void remindersRefreshed();

private:
    // Ends the refresh once both the reminders and the events have arrived.
    void checkRemindersAndEventsAllFetched();
    // Posts "RemindersRefreshed".
    void postRemindersRefreshed();
    void requestAccess(store::EntityType type, std::function<void()> next);
    void logAccessGranted(store::EntityType type);
    void fetchEventWindow();
    // `previousFold`: what the last snapshot folded (ReminderSnapshot::finishedFold).
    void fetchReminders(ReminderSnapshot::Fold previousFold);
    void deliverReminders(SnapshotPtr snapshot);
    void showFetchedEvents();

    UserDefaults& m_defaults;
    Clock& m_clock;
    DataLog m_log;
    DateFormatters m_formatters;
    StoreSession m_session;
    // Runs the count job, the list check and the event fetch; the destructor waits for it
    // before any part they use goes.
    QThreadPool m_background;
    std::unique_ptr<SharedDates> m_dates;
    std::unique_ptr<TaskLists> m_lists;
    std::unique_ptr<CalendarEvents> m_events;
    std::unique_ptr<SidebarCounts> m_counts;
    std::unique_ptr<TaskOperations> m_tasks;
    std::unique_ptr<SubtaskOperations> m_subtasks;
    NightMode m_nightMode;
    SmartAdd m_smartAdd;

    bool m_refreshRunning = false;
    bool m_remindersFetched = false;
    bool m_eventsFetched = false;
    QTimer m_checkTimer;
};

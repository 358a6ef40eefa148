#pragma once

#include "data/CountDictionary.h"
#include "data/EventWindow.h"
#include "data/ReminderQueries.h"
#include "data/ReminderSnapshot.h"
#include "data/ReminderSort.h"
#include "entry/logic/SmartAdd.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "prefs/ListCatalog.h"
#include "prefs/ListDirectory.h"
#include "prefs/NightModeSchedule.h"
#include "prefs/PreferenceSync.h"
#include "text/ReferenceDates.h"

#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <QUndoStack>
#include <QVariantMap>

#include <functional>
#include <memory>

class DateFormatters;
class ListFilters;
class ModeManager;
class UbiquitousKeyValueStore;
class UserDefaults;

// The one object through which the application reaches its tasks, lists and events. It holds
// the store, an in-memory snapshot of every reminder of the visible lists and a window of
// events, the shared dates (today, this week, this month, the selected day), the sidebar
// counts and the undo stack; every query answers from the snapshot, and only a refresh reads
// the store. Lives on the main thread; store fetches deliver on store threads and hand over
// to the main thread.
class DataManager : public QObject, public ReferenceDates, public ListCatalog
{
    Q_OBJECT

public:
    using StoreFactory = std::function<std::unique_ptr<store::EventStore>()>;

    // The application's instance over the standard preferences, the configured store folders
    // and the system clock; created on first call, never destroyed.
    static DataManager& sharedManager();

    DataManager(UserDefaults& defaults, Clock& clock, StoreFactory storeFactory,
                QObject* parent = nullptr);
    ~DataManager() override;

    UserDefaults& defaults() const { return m_defaults; }
    Clock& clock() const { return m_clock; }
    store::EventStore* eventStore() const { return m_eventStore.get(); }
    QUndoStack* undoManager() { return &m_undoManager; }

    // Store access and refresh.
    void initStore();
    void initiallyInitStore(std::function<void()> done = {});
    // For the command line: access and the first load at once on the calling thread, with no
    // timer and no event loop. Events are not fetched (nor expanded): a command that shows
    // them asks for them; without `withTasks` the snapshot stays absent too.
    void initStoreNow(bool withTasks = true);
    // Waits until the count and list jobs started so far have finished.
    void waitForBackgroundJobs() { m_background.waitForDone(); }
    void refreshStore();
    void handleNotification();
    void refreshRemindersArrayOnMac();
    void checkRemindersAndEventsAllFetched();
    void notiOn();
    void refreshCounts();
    bool hasRemindersArray() const;
    quint64 countForAllReminders() const;
    bool isRefreshRunning() const { return m_refreshRunning; }

    // The snapshot (null while absent) and the event window (null before the first fetch).
    SnapshotPtr remindersArray() const;
    EventWindowPtr eventWindow() const;
    QList<store::EventPtr> eventsArray() const;
    CountDictionary countDictionary() const;
    QString badgeLabel() const;

    // Shared dates. The main window moves them at a change of day.
    QDateTime today() const override;
    QDateTime thisWeekDate() const override;
    QDateTime thisMonthDate() const override;
    void setToday(const QDateTime& today);
    // Recomputes thisWeekDate after the first day of the week changed.
    void resetThisWeekDate();
    QDateTime selectedDate() const;
    void setSelectedDate(const QDateTime& date);
    QDateTime selectedDateForView() const { return m_selectedDateForView; }
    void setSelectedDateForView(const QDateTime& date) { m_selectedDateForView = date; }
    QDateTime standardEventsDate() const;
    void setStandardEventsDate(const QDateTime& date);
    QueryDates queryDates() const;

    // Display strings of the selected date.
    QString selectedDateString() const;
    // The weekday and day, then "  ●" in the marker colour when the selected date is today;
    // rich text for labels.
    QString selectedDateDayString() const;
    bool selectedDateIsToday() const;
    static QColor todayMarkerColor();
    QString selectedDateWeekString() const;
    QString selectedDateWeekdayString() const;
    QString selectedDateWeeknumberString() const;
    QString selectedDateMonthString() const;
    QString selectedDateYearString() const;
    DateFormatters& formatters() const;

    // Lists.
    QList<store::CalendarPtr> allCalendars() const;
    store::CalendarPtr defaultCalendar() const;
    store::CalendarPtr defaultList() const;
    store::CalendarPtr calendarByUUID(const QString& identifier) const;
    QStringList allListIdentifiers() const override;
    QStringList visibleLists() const;
    QList<store::CalendarPtr> visibleListsByEKCalendar() const;
    void makeInvisibleListAccordingToVisibleList(const QStringList& visibleLists);
    void validateVisibleLists();
    // The same check done at once on the calling thread.
    void validateVisibleListsNow();
    void changeBackToValidate();
    bool doNotValidate() const { return m_doNotValidate; }
    void setDoNotValidate(bool value) { m_doNotValidate = value; }
    void validateRemindersList(const store::CalendarPtr& list,
                               std::function<void(bool)> completion);
    void matchPreferencesForTodayExtension();

    // Queries (see ReminderQueries), answered from the snapshot.
    ReminderQueries queries() const;
    ListFilters filters() const;
    ReminderSort fetchSortDescriptors() const;
    void resetSortDescriptors();

    // Events.
    void fetchEventsAsynchronouslyWithDate(const QDateTime& centre,
                                           std::function<void(QList<store::EventPtr>)> completion);
    void refreshEventsArrayWithDate(const QDateTime& centre);
    bool doesEventsArrayIncludeDate(const QDateTime& date) const;
    std::optional<QList<store::EventPtr>> fetchEventsByType(int type, const QDateTime& start);
    std::optional<QList<store::EventPtr>> fetchEventsFromDate(const QDateTime& start,
                                                              const QDateTime& end) const;
    QList<store::CalendarPtr> allEventCalendars() const;

    // The badge.
    quint64 calculateAppIconBadgeNumber() const;

    // Night mode.
    bool isNightMode() const { return m_nightMode.isNightMode(); }
    void presetNightMode() { m_nightMode.presetNightMode(); }
    bool resetNightMode() { return m_nightMode.resetNightMode(); }

    // The "[Data] " diagnostic lines.
    bool logging() const { return m_logging; }
    void setLogging(bool on) { m_logging = on; }

    // Task and list operations.
    using AddCompletion = std::function<void(bool saved, store::ReminderPtr reminder)>;
    // `priority` is the class chosen in the interface (1 high, 2 medium, 3 low); the
    // completion runs before this returns.
    void addReminderOnMacWithTitle(const QString& title, const store::CalendarPtr& calendar,
                                   std::optional<int> priority, const QDateTime& dueDate,
                                   const std::optional<store::RecurrenceRule>& rule,
                                   const QString& url, const QString& notes, bool alarm,
                                   const std::optional<store::Alarm>& place,
                                   const AddCompletion& completion);
    // Without `alarmOnNumber` the preference "alarmOn" decides whether a dated task gets an
    // alarm.
    store::ReminderPtr addReminderWithTitle(const QString& title,
                                            const store::CalendarPtr& calendar,
                                            const QDateTime& dueDate = {}, int priority = 0,
                                            std::optional<bool> alarmOnNumber = std::nullopt,
                                            const QString& notes = {}, bool setDetail = false);
    void forceIntoDetail(const store::ReminderPtr& reminder);
    store::ReminderPtr tempReminder() const { return m_tempReminder; }
    void checkReminder(const store::ReminderPtr& reminder, bool checked);
    void deleteReminder(const store::ReminderPtr& reminder);
    void undoDeleteReminder(const store::ReminderPtr& copy);
    bool saveReminder(const store::ReminderPtr& reminder);
    store::ReminderPtr reminderWithIdentifier(const QString& identifier) const;
    // The new list's identifier, or "" when it could not be created.
    QString addListWithTitle(const QString& title, const QColor& color);
    void modifyList(const store::CalendarPtr& list, const QString& title, const QColor& color);
    void deleteListWithUUID(const QString& identifier);
    void deleteCompletedTasksOnListWithUUID(const QString& identifier);

    // Smart Add, URL commands and preference sync.
    const SmartAdd& smartAdd() const { return m_smartAdd; }
    QDateTime dateFromDate(const QDateTime& date, const SmartAddRule& rule) const;
    SmartAddResult dictionaryFromSmartAddRules(const QList<SmartAddRule>& rules,
                                               const QDateTime& dueDate,
                                               std::optional<int> priority) const;
    // A list named by another program, from every reminder list of the store: the last list
    // whose title equals the name ignoring case, else the last one whose title begins with it,
    // else (and for an empty name) the default list.
    store::CalendarPtr calendarFromName(const QString& name) const;
    // The same over the visible lists in the user's order; without any, over the store's
    // default list for new reminders alone. Null when the store has no list at all.
    store::CalendarPtr calendarFromNameOnlyFromSelectedCalendars(const QString& name) const;
    // The "add" URL command. Every argument is the text handed in, empty when absent. A blank
    // title adds nothing (completion(false, nullptr)). The completion runs before this returns.
    void addReminderFromURLSchemeWithTitle(const QString& title, const store::CalendarPtr& calendar,
                                           const QString& priority, const QString& url,
                                           const QString& notes, const QString& due,
                                           const QString& dueAfter, const QString& alarm,
                                           const AddCompletion& completion);
    // The "smartadd" URL command: the whole line through the Smart Add rules in one pass. A
    // line with no title left once its triggers are cut adds nothing (completion(false,
    // nullptr)).
    void smartAddReminderFromURLSchemeWithText(const QString& text,
                                               const AddCompletion& completion);
    // The "due" and "dueAfter" texts as dates (see DueString.h); invalid when unreadable.
    QDateTime calculateDueDateFromDueString(const QString& due) const;
    QDateTime calculateDueDateFromDueAfterString(const QString& dueAfter) const;
    // The store's lists as synced preference sets name them.
    const ListDirectory& listDirectory() const { return m_listDirectory; }
    // Synced preference sets over the given companion suite, synced store and appearance
    // manager; `loaded` runs after a set has been applied. Without this call the first use
    // takes the application's own instances.
    void setupPreferenceSync(UserDefaults& suite, UbiquitousKeyValueStore& cloud,
                             ModeManager& modeManager, std::function<void()> loaded = {});
    PreferenceSync& preferenceSync();
    void uploadPreferences();
    void loadPreferencesWithDict(const QVariantMap& set);

private:
    class CompletionChange;
    class DeleteTask;
    bool applyCompletion(const store::ReminderPtr& reminder, bool checked);
    store::ReminderPtr removeKeepingCopy(const store::ReminderPtr& reminder, bool* removed);
    void removeFromSnapshot(const store::ReminderPtr& reminder);
    void incrementAddCount();

Q_SIGNALS:
    void remindersRefreshed();
    void countsRefreshed();
    void selectedDateChanged();
    void badgeLabelChanged(const QString& label);
    // The visible lists were repaired after a change made elsewhere: everything that shows
    // lists rebuilds (the application connects this to the appearance manager's list reset).
    void visibleListsChanged();
    // A task was just added and is to be opened in the detail editor (tempReminder).
    void intoDetailFromAdd();

private:
    void load();
    void openStore();
    void requestAccess(store::EntityType type, std::function<void()> next);
    void deliverReminders(QList<store::ReminderPtr> reminders);
    void setSnapshot(SnapshotPtr snapshot);
    void setBadgeLabel(const QString& label);
    void log(const QString& line) const;
    void applyValidatedLists(const QStringList& visible, const QStringList* invisible,
                             bool refreshEverything);
    // The lists a refresh fetches and counts: the visible lists as the validation started
    // beside it will leave them.
    QList<store::CalendarPtr> refreshedLists() const;

    UserDefaults& m_defaults;
    Clock& m_clock;
    StoreFactory m_storeFactory;
    std::unique_ptr<store::EventStore> m_eventStore;
    QUndoStack m_undoManager;
    NightMode m_nightMode;

    mutable QMutex m_stateMutex;
    SnapshotPtr m_snapshot;
    EventWindowPtr m_eventWindow;
    CountDictionary m_countDictionary;
    QDateTime m_today;
    QDateTime m_thisWeekDate;
    QDateTime m_thisMonthDate;
    QDateTime m_selectedDate;
    QDateTime m_standardEventsDate;
    QDateTime m_selectedDateForView;

    QString m_badgeLabel;
    mutable std::optional<ReminderSort> m_sortDescriptors;
    mutable std::unique_ptr<DateFormatters> m_formatters;

    bool m_refreshRunning = false;
    bool m_remindersFetched = false;
    bool m_eventsFetched = false;
    bool m_doNotValidate = false;
    bool m_logging = false;
    int m_refreshGeneration = 0;
    QThreadPool m_background;
    QTimer m_checkTimer;
    QTimer m_changeBackTimer;
    store::ReminderPtr m_tempReminder;

    // Smart Add, URL commands and preference sync.
    QTime presetTime() const;
    SmartAdd m_smartAdd{m_defaults, m_clock};
    EventStoreListDirectory m_listDirectory{[this] { return m_eventStore.get(); }};
    std::unique_ptr<PreferenceSync> m_preferenceSync;
};

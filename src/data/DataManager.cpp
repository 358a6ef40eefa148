#include "data/DataManager.h"

#include "data/CalendarEvents.h"
#include "data/ListFilters.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/store/RecordLock.h"
#include "prefs/PreferenceKeys.h"

namespace {

// Both halves of a refresh are checked a moment after each arrives, so that an event fetch and
// a reminder fetch landing together end the refresh once.
constexpr int kCheckDelayMs = 100;

} // namespace

DataManager::DataManager(UserDefaults& defaults, Clock& clock, StoreFactory storeFactory,
                         QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_session(std::move(storeFactory))
    , m_nightMode(defaults, clock)
    , m_smartAdd(defaults, clock)
{
    m_background.setMaxThreadCount(1);
    m_dates = std::make_unique<SharedDates>(defaults, clock, m_formatters);
    m_lists = std::make_unique<TaskLists>(m_session, defaults, m_background, m_log);
    m_events = std::make_unique<CalendarEvents>(m_session, defaults, *m_dates, m_background);
    m_counts = std::make_unique<SidebarCounts>(m_session, *m_lists, *m_dates, defaults,
                                               m_background, m_log);
    m_tasks = std::make_unique<TaskOperations>(m_session, *m_lists, defaults, clock, m_formatters);
    m_subtasks = std::make_unique<SubtaskOperations>(m_session, *m_tasks);

    m_checkTimer.setSingleShot(true);
    m_checkTimer.setInterval(kCheckDelayMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &DataManager::checkRemindersAndEventsAllFetched);
    connect(&m_session, &StoreSession::storeChanged, this, &DataManager::handleNotification);
    // A new selected date shows in the next snapshot; before the first one there is nothing to
    // bring up to date.
    connect(m_dates.get(), &SharedDates::selectedDateChanged, this, [this] {
        if (hasRemindersArray())
            refreshRemindersArray();
    });
    // Events a view asked for reach it like a refresh.
    connect(m_events.get(), &CalendarEvents::eventWindowRefreshed, this,
            &DataManager::showFetchedEvents);
}

DataManager::~DataManager()
{
    // Background jobs use the parts; none may outlive them.
    m_background.clear();
    m_background.waitForDone();
}

void DataManager::requestAccess(store::EntityType type, std::function<void()> next)
{
    m_session.requestAccess(type, [this, type, next](bool granted) {
        if (granted) {
            logAccessGranted(type);
            refreshStore();
        }
        next();
    });
}

void DataManager::logAccessGranted(store::EntityType type)
{
    m_log.write(type == store::EntityType::Event ? QStringLiteral("Event Access Granted")
                                                 : QStringLiteral("Reminders Access Granted"));
}

void DataManager::initStore()
{
    // Answered at once rather than from a worker: the panes built right after this call read
    // the lists, and would otherwise read (list every file of) a store about to be replaced.
    // The store is opened afresh once for both grants.
    bool granted = false;
    for (const store::EntityType type : {store::EntityType::Event, store::EntityType::Reminder}) {
        if (m_session.eventStore()->accessToEntityType(type)) {
            logAccessGranted(type);
            granted = true;
        }
    }
    if (granted)
        refreshStore();
    m_counts->setBadgeLabel(QString());
    refreshRemindersArray();
}

void DataManager::initStoreNow(bool withTasks)
{
    store::EventStore* eventStore = m_session.eventStore();
    if (eventStore->accessToEntityType(store::EntityType::Event))
        m_log.write(QStringLiteral("Event Access Granted"));
    if (eventStore->accessToEntityType(store::EntityType::Reminder))
        m_log.write(QStringLiteral("Reminders Access Granted"));
    m_counts->setBadgeLabel(QString());
    m_lists->validateVisibleListsNow();
    if (!withTasks)
        return;
    const QList<store::CalendarPtr> lists = m_lists->visibleListsByCalendar();
    QList<store::ReminderPtr> reminders;
    if (!lists.isEmpty())
        reminders =
            eventStore->remindersMatchingPredicate(store::predicateForRemindersInCalendars(lists));
    m_session.setRemindersArray(std::make_shared<ReminderSnapshot>(
        std::move(reminders), ReminderSnapshot::Folding::OnFirstUse));
    m_log.write(QStringLiteral("Fetched Count : %1").arg(m_session.countForAllReminders()));
}

void DataManager::initiallyInitStore(std::function<void()> done)
{
    requestAccess(store::EntityType::Event, [this, done] {
        requestAccess(store::EntityType::Reminder, [done] {
            if (done)
                done();
        });
    });
}

void DataManager::refreshStore()
{
    m_tasks->undoManager()->clear();
    // Background jobs hold the old store; let them finish before it goes.
    m_background.waitForDone();
    m_session.reopen();
}

void DataManager::handleNotification()
{
    refreshRemindersArray();
}

void DataManager::refreshRemindersArray()
{
    if (m_refreshRunning) {
        m_log.write(QStringLiteral("Refresh Reminders Already Running"));
        return;
    }
    m_lists->validateVisibleLists();
    m_refreshRunning = true;
    m_remindersFetched = false;
    m_eventsFetched = false;
    m_log.write(
        QStringLiteral("Refresh Reminders Refreshing : %1").arg(m_session.countForAllReminders()));
    // The texts the last snapshot folded that are still the same strings are not folded again.
    const SnapshotPtr previous = m_session.remindersArray();
    ReminderSnapshot::Fold fold = previous ? previous->finishedFold() : ReminderSnapshot::Fold();
    m_session.setRemindersArray(nullptr);
    fetchEventWindow();
    fetchReminders(std::move(fold));
}

void DataManager::fetchEventWindow()
{
    if (!m_defaults.boolForKey(PrefKey::viewEvents)) {
        m_events->forgetWindows();
        m_eventsFetched = true;
        return;
    }
    m_log.write(QStringLiteral("Standard Events Date : %1")
                    .arg(m_dates->standardEventsDate().toString(Qt::ISODate)));
    m_events->refreshWindows([this] {
        m_eventsFetched = true;
        m_checkTimer.start();
    });
}

void DataManager::fetchReminders(ReminderSnapshot::Fold previousFold)
{
    const QList<store::CalendarPtr> lists = m_lists->refreshedLists();
    if (lists.isEmpty()) {
        // No list to show: the store is not asked, as an empty list set means "all" to it.
        QMetaObject::invokeMethod(
            this, [this] { deliverReminders(std::make_shared<ReminderSnapshot>(ReminderList())); },
            Qt::QueuedConnection);
        return;
    }
    store::EventStore* eventStore = m_session.eventStore();
    eventStore->fetchRemindersMatchingPredicate(
        store::predicateForRemindersInCalendars(lists),
        [this, previousFold](const QList<store::ReminderPtr>& reminders) {
            // The snapshot's date keys are worked out here, off the main thread; its texts are
            // folded when a search or a tag count first needs them, not before the first view.
            // The records are the store's own, which the window changes in place once saved.
            SnapshotPtr snapshot;
            {
                store::RecordLock records;
                snapshot = std::make_shared<ReminderSnapshot>(
                    reminders, ReminderSnapshot::Folding::OnFirstUseAsTaken, previousFold);
            }
            QMetaObject::invokeMethod(
                this, [this, snapshot] { deliverReminders(snapshot); }, Qt::QueuedConnection);
        });
}

void DataManager::deliverReminders(SnapshotPtr snapshot)
{
    m_session.setRemindersArray(std::move(snapshot));
    m_remindersFetched = true;
    m_log.write(QStringLiteral("Fetched Count : %1").arg(m_session.countForAllReminders()));
    m_counts->refreshCounts();
    m_checkTimer.start();
}

void DataManager::showFetchedEvents()
{
    // A refresh under way shows them with everything else when it ends.
    if (!m_refreshRunning)
        QMetaObject::invokeMethod(this, &DataManager::postRemindersRefreshed, Qt::QueuedConnection);
}

void DataManager::checkRemindersAndEventsAllFetched()
{
    if (!m_remindersFetched || !m_eventsFetched)
        return;
    m_refreshRunning = false;
    m_remindersFetched = false;
    m_eventsFetched = false;
    m_log.write(QStringLiteral("All Fetched"));
    QMetaObject::invokeMethod(this, &DataManager::postRemindersRefreshed, Qt::QueuedConnection);
    m_checkTimer.stop();
}

void DataManager::postRemindersRefreshed()
{
    m_log.write(QStringLiteral("Noti Run"));
    Q_EMIT remindersRefreshed();
}

ReminderQueries DataManager::queries() const
{
    return ReminderQueries(remindersArray(), m_dates->queryDates());
}

ListFilters DataManager::filters() const
{
    return ListFilters(remindersArray(), m_dates->queryDates(),
                       m_defaults.boolForKey(PrefKey::overdueNow),
                       m_defaults.dictionaryForKey(PrefKey::filters));
}

#include "data/DataManager.h"

#include "data/DateFormatters.h"
#include "data/ListFilters.h"
#include "platform/LauncherEntry.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

#include <QLoggingCategory>
#include <QMutexLocker>
#include <QtConcurrent>

#include <mutex>

Q_LOGGING_CATEGORY(lcData, "velmoran.data")

namespace {

// Both halves of a refresh are checked a moment after each arrives, so that an event fetch and
// a reminder fetch landing together end the refresh once.
constexpr int kCheckDelayMs = 100;
// The window in which the app's own list change is not taken for one made elsewhere.
constexpr int kChangeBackDelayMs = 1000;

QDateTime startOfDay(const QDateTime& instant)
{
    return QDateTime(instant.date(), QTime(0, 0));
}

} // namespace

DataManager& DataManager::sharedManager()
{
    static DataManager* instance = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        instance = new DataManager(defaults, Clock::system(), [&defaults] {
            return std::make_unique<store::EventStore>(
                store::EventStore::configuredRoots(defaults));
        });
        Global::setReferenceDates(instance);
        ModeManager& modes = ModeManager::sharedManager();
        modes.setNightModeSource([] { return DataManager::sharedManager().isNightMode(); });
        QObject::connect(&modes, &ModeManager::remindersRefreshRequested, instance,
                         &DataManager::refreshRemindersArrayOnMac);
        QObject::connect(instance, &DataManager::visibleListsChanged, &modes,
                         &ModeManager::resetListFromDataManager);
        // The badge goes where Linux docks and task bars show application counts.
        auto* launcher = new LauncherEntry(QDBusConnection::sessionBus(),
                                           QStringLiteral("velmoran.desktop"), instance);
        QObject::connect(instance, &DataManager::badgeLabelChanged, launcher,
                         &LauncherEntry::setLabel);
    });
    return *instance;
}

DataManager::DataManager(UserDefaults& defaults, Clock& clock, StoreFactory storeFactory,
                         QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_storeFactory(std::move(storeFactory))
    , m_nightMode(defaults, clock)
{
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setInterval(kCheckDelayMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &DataManager::checkRemindersAndEventsAllFetched);
    m_changeBackTimer.setSingleShot(true);
    m_changeBackTimer.setInterval(kChangeBackDelayMs);
    connect(&m_changeBackTimer, &QTimer::timeout, this, &DataManager::changeBackToValidate);
    m_background.setMaxThreadCount(1);
    load();
}

DataManager::~DataManager()
{
    m_eventStore.reset();
    m_background.waitForDone();
}

void DataManager::load()
{
    openStore();
    const QDateTime today = startOfDay(m_clock.now());
    {
        QMutexLocker lock(&m_stateMutex);
        m_today = today;
        m_standardEventsDate = today;
    }
    resetThisWeekDate();
    {
        QMutexLocker lock(&m_stateMutex);
        m_thisMonthDate = Global::calculateStartingDayOfTheMonthOnDate(today);
    }
    setSelectedDate(today);
    m_selectedDateForView = today;
}

void DataManager::openStore()
{
    m_eventStore = m_storeFactory();
    connect(m_eventStore.get(), &store::EventStore::changed, this,
            &DataManager::handleNotification);
}

void DataManager::log(const QString& line) const
{
    if (m_logging)
        qCInfo(lcData).noquote() << QStringLiteral("[Data] ") + line;
}

void DataManager::requestAccess(store::EntityType type, std::function<void()> next)
{
    m_eventStore->requestAccessToEntityType(type, [this, type, next](bool granted, const QString&) {
        QMetaObject::invokeMethod(
            this,
            [this, type, granted, next] {
                if (granted) {
                    log(type == store::EntityType::Event
                            ? QStringLiteral("Event Access Granted")
                            : QStringLiteral("Reminders Access Granted"));
                    refreshStore();
                }
                next();
            },
            Qt::QueuedConnection);
    });
}

void DataManager::initStore()
{
    requestAccess(store::EntityType::Event, [this] {
        requestAccess(store::EntityType::Reminder, [this] {
            setBadgeLabel(QString());
            refreshRemindersArrayOnMac();
        });
    });
}

void DataManager::initStoreNow(bool withTasks)
{
    if (m_eventStore->accessToEntityType(store::EntityType::Event))
        log(QStringLiteral("Event Access Granted"));
    if (m_eventStore->accessToEntityType(store::EntityType::Reminder))
        log(QStringLiteral("Reminders Access Granted"));
    setBadgeLabel(QString());
    validateVisibleListsNow();
    if (!withTasks)
        return;
    const QList<store::CalendarPtr> lists = visibleListsByEKCalendar();
    QList<store::ReminderPtr> reminders;
    if (!lists.isEmpty())
        reminders = m_eventStore->remindersMatchingPredicate(
            m_eventStore->predicateForRemindersInCalendars(lists));
    setSnapshot(std::make_shared<ReminderSnapshot>(std::move(reminders)));
    log(QStringLiteral("Fetched Count : %1").arg(countForAllReminders()));
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
    m_undoManager.clear();
    // Background jobs hold the old store; let them finish before it goes.
    m_background.waitForDone();
    m_eventStore.reset();
    openStore();
}

void DataManager::handleNotification()
{
    refreshRemindersArrayOnMac();
}

SnapshotPtr DataManager::remindersArray() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_snapshot;
}

void DataManager::setSnapshot(SnapshotPtr snapshot)
{
    QMutexLocker lock(&m_stateMutex);
    m_snapshot = std::move(snapshot);
}

bool DataManager::hasRemindersArray() const
{
    return remindersArray() != nullptr;
}

quint64 DataManager::countForAllReminders() const
{
    const SnapshotPtr snapshot = remindersArray();
    return snapshot ? quint64(snapshot->size()) : 0;
}

void DataManager::refreshRemindersArrayOnMac()
{
    if (m_refreshRunning) {
        log(QStringLiteral("Refresh Reminders Already Running"));
        return;
    }
    validateVisibleLists();
    m_refreshRunning = true;
    m_remindersFetched = false;
    m_eventsFetched = false;
    log(QStringLiteral("Refresh Reminders Refreshing : %1").arg(countForAllReminders()));
    setSnapshot(nullptr);

    if (m_defaults.boolForKey(PrefKey::viewEvents)) {
        log(QStringLiteral("Standard Events Date : %1")
                .arg(standardEventsDate().toString(Qt::ISODate)));
        fetchEventsAsynchronouslyWithDate(
            standardEventsDate(), [this](const QList<store::EventPtr>& events) {
                QMutexLocker lock(&m_stateMutex);
                m_eventWindow = std::make_shared<EventWindow>(m_standardEventsDate, events);
                lock.unlock();
                m_eventsFetched = true;
                m_checkTimer.start();
            });
    } else {
        m_eventsFetched = true;
    }

    const QList<store::CalendarPtr> lists = refreshedLists();
    if (lists.isEmpty()) {
        // No list to show: the store is not asked, as an empty list set means "all" to it.
        QMetaObject::invokeMethod(
            this, [this] { deliverReminders({}); }, Qt::QueuedConnection);
        return;
    }
    m_eventStore->fetchRemindersMatchingPredicate(
        m_eventStore->predicateForRemindersInCalendars(lists),
        [this](const QList<store::ReminderPtr>& reminders) {
            // The snapshot's date keys are worked out here, off the main thread.
            auto snapshot = std::make_shared<ReminderSnapshot>(reminders);
            QMetaObject::invokeMethod(
                this,
                [this, snapshot] {
                    setSnapshot(snapshot);
                    m_remindersFetched = true;
                    log(QStringLiteral("Fetched Count : %1").arg(snapshot->size()));
                    refreshCounts();
                    m_checkTimer.start();
                },
                Qt::QueuedConnection);
        });
}

void DataManager::deliverReminders(QList<store::ReminderPtr> reminders)
{
    setSnapshot(std::make_shared<ReminderSnapshot>(std::move(reminders)));
    m_remindersFetched = true;
    log(QStringLiteral("Fetched Count : %1").arg(countForAllReminders()));
    refreshCounts();
    m_checkTimer.start();
}

void DataManager::checkRemindersAndEventsAllFetched()
{
    if (!m_remindersFetched || !m_eventsFetched)
        return;
    m_refreshRunning = false;
    m_remindersFetched = false;
    m_eventsFetched = false;
    log(QStringLiteral("All Fetched"));
    QMetaObject::invokeMethod(this, &DataManager::notiOn, Qt::QueuedConnection);
    m_checkTimer.stop();
}

void DataManager::notiOn()
{
    log(QStringLiteral("Noti Run"));
    Q_EMIT remindersRefreshed();
}

QueryDates DataManager::queryDates() const
{
    QMutexLocker lock(&m_stateMutex);
    return {m_clock.now(), m_today, m_thisWeekDate, m_thisMonthDate};
}

ReminderQueries DataManager::queries() const
{
    return ReminderQueries(remindersArray(), queryDates());
}

ListFilters DataManager::filters() const
{
    return ListFilters(remindersArray(), queryDates(), m_defaults.boolForKey(PrefKey::overdueNow),
                       m_defaults.dictionaryForKey(PrefKey::filters));
}

ReminderSort DataManager::fetchSortDescriptors() const
{
    QMutexLocker lock(&m_stateMutex);
    if (!m_sortDescriptors) {
        lock.unlock();
        ReminderSort sort(visibleLists());
        lock.relock();
        m_sortDescriptors = sort;
    }
    return *m_sortDescriptors;
}

void DataManager::resetSortDescriptors()
{
    ReminderSort sort(visibleLists());
    QMutexLocker lock(&m_stateMutex);
    m_sortDescriptors = sort;
}

CountDictionary DataManager::countDictionary() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_countDictionary;
}

QString DataManager::badgeLabel() const
{
    return m_badgeLabel;
}

void DataManager::setBadgeLabel(const QString& label)
{
    if (label == m_badgeLabel)
        return;
    m_badgeLabel = label;
    Q_EMIT badgeLabelChanged(label);
}

void DataManager::refreshCounts()
{
    const qint64 badgeMode = m_defaults.integerForKey(PrefKey::appIconBadge);
    const quint64 badgeNumber = calculateAppIconBadgeNumber();
    const quint64 incomplete = filters().countForUncompletedRemindersAtCalendar(nullptr);
    log(QStringLiteral("Fetched Count Uncompleted : %1").arg(incomplete));

    // Everything the job needs is read here, on the main thread; the job itself only computes.
    const SnapshotPtr snapshot = remindersArray();
    const QueryDates dates = queryDates();
    const bool overdueNow = m_defaults.boolForKey(PrefKey::overdueNow);
    const QVariantMap filterSettings = m_defaults.dictionaryForKey(PrefKey::filters);
    const QVariantList entries = m_defaults.arrayForKey(PrefKey::listNavArray);
    const QList<store::CalendarPtr> lists = refreshedLists();
    const QDateTime selected = selectedDate();
    const bool sundayFirst = m_defaults.boolForKey(PrefKey::sundayFirst);
    (void)QtConcurrent::run(&m_background, [=, this] {
        const ListFilters counter(snapshot, dates, overdueNow, filterSettings);
        CountDictionary counts;
        for (const QVariant& entry : entries) {
            const QVariantMap dictionary = entry.toMap();
            const qint64 type = dictionary.value(QStringLiteral("type")).toLongLong();
            const quint64 count = counter.countForDict(dictionary);
            if (type == 8 || type == 9 || type == 15)
                counts.setCount(QStringLiteral("###%1").arg(dictionary.value("tag").toString()),
                                count);
            else
                counts.setCount(type, count);
        }
        counts.setCount(11, counter.countForDayOnDate(selected));
        counts.setCount(12, counter.countForWeekOnDate(Global::calculateStartingDayOfTheWeekOnDate(
                                selected, sundayFirst)));
        counts.setCount(13, counter.countForMonthOnDate(
                                Global::calculateStartingDayOfTheMonthOnDate(selected)));
        for (const store::CalendarPtr& list : lists)
            counts.setCount(list->title, counter.countForUncompletedRemindersAtCalendar(list));
        {
            QMutexLocker lock(&m_stateMutex);
            m_countDictionary.merge(counts);
        }
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT countsRefreshed(); }, Qt::QueuedConnection);
    });

    switch (badgeMode) {
    case 0:
        setBadgeLabel(QString());
        break;
    case 1:
        setBadgeLabel(badgeNumber >= 1 ? QString::number(badgeNumber) : QString());
        break;
    case 2:
        setBadgeLabel(incomplete >= 1 ? QString::number(incomplete) : QString());
        break;
    default:
        break;
    }
}

// --- Dates -------------------------------------------------------------------------------

QDateTime DataManager::today() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_today;
}

QDateTime DataManager::thisWeekDate() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_thisWeekDate;
}

QDateTime DataManager::thisMonthDate() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_thisMonthDate;
}

void DataManager::setToday(const QDateTime& date)
{
    const QDateTime day = startOfDay(date);
    {
        QMutexLocker lock(&m_stateMutex);
        m_today = day;
        m_thisMonthDate = Global::calculateStartingDayOfTheMonthOnDate(day);
    }
    resetThisWeekDate();
}

void DataManager::resetThisWeekDate()
{
    const QDateTime week = Global::calculateStartingDayOfTheWeekOnDate(
        today(), m_defaults.boolForKey(PrefKey::sundayFirst));
    QMutexLocker lock(&m_stateMutex);
    m_thisWeekDate = week;
}

QDateTime DataManager::selectedDate() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_selectedDate;
}

void DataManager::setSelectedDate(const QDateTime& date)
{
    if (!date.isValid())
        return;
    {
        QMutexLocker lock(&m_stateMutex);
        m_selectedDate = date;
    }
    Q_EMIT selectedDateChanged();
    if (hasRemindersArray())
        refreshRemindersArrayOnMac();
}

QDateTime DataManager::standardEventsDate() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_standardEventsDate;
}

void DataManager::setStandardEventsDate(const QDateTime& date)
{
    QMutexLocker lock(&m_stateMutex);
    m_standardEventsDate = date;
}

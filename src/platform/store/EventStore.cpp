#include "platform/store/EventStore.h"

#include "platform/UserDefaults.h"
#include "platform/store/AtomicFile.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/RecordLock.h"
#include "platform/store/RecurringCompletion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QUuid>
#include <QtConcurrent>

#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcVdir)

namespace store {

namespace {

// Bursts of file events (a sync run, a batch of our own writes) become one notification.
constexpr int kSettleMs = 250;

struct EventStoreText
{
    Q_DECLARE_TR_FUNCTIONS(EventStore)
};

bool folderAccessible(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    if (::access(name.constData(), R_OK | W_OK | X_OK) == 0)
        return true;
    if (error)
        *error = EventStoreText::tr("The store folder %1 cannot be read and written.").arg(path);
    return false;
}

bool matches(const Reminder& reminder, const ReminderPredicate& predicate)
{
    switch (predicate.kind) {
    case ReminderPredicate::Kind::All:
        return true;
    case ReminderPredicate::Kind::Incomplete: {
        if (reminder.completed)
            return false;
        if (!predicate.start.isValid() && !predicate.end.isValid())
            return true;
        if (!reminder.dueDateComponents)
            return false;
        const QDateTime due = reminder.dueDateComponents->toDateTime();
        return (!predicate.start.isValid() || due >= predicate.start) &&
               (!predicate.end.isValid() || due < predicate.end);
    }
    case ReminderPredicate::Kind::Completed:
        if (!reminder.completed)
            return false;
        return (!predicate.start.isValid() || reminder.completionDate >= predicate.start) &&
               (!predicate.end.isValid() || reminder.completionDate < predicate.end);
    }
    return false;
}

// The index's own record, given its list and identifier. They are written into a record only
// the first time it is handed out (it has no list yet): one handed out before is read meanwhile,
// by the window or a command, and one that must now say another list or identifier (the list
// was renamed, a UID is taken by another file now) is handed out as a copy that says so.
ReminderPtr sharedRecord(const std::shared_ptr<const Reminder>& parsed, const CalendarPtr& list,
                         const QString& identifier)
{
    // Every record of the index is made as a mutable object (ParseCache, StoreIndex::parse):
    // only the index's view of it is const.
    ReminderPtr record = std::const_pointer_cast<Reminder>(parsed);
    if (!record->calendar) {
        record->calendar = list;
        record->calendarItemIdentifier = identifier;
        return record;
    }
    if (record->calendar == list && record->calendarItemIdentifier == identifier)
        return record;
    auto copy = std::make_shared<Reminder>(*record);
    copy->calendar = list;
    copy->calendarItemIdentifier = identifier;
    return copy;
}

} // namespace

EventStore::EventStore(const QStringList& roots, Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_index(roots, &m_watch)
{
    m_index.setCache(ParseCache(ParseCache::fileForRoots(roots)));
    LibicalSetup::initialize();
    // One fetch at a time, in the order asked: a later fetch never delivers before an
    // earlier one.
    m_fetchPool.setMaxThreadCount(1);
    m_cachePool.setMaxThreadCount(1);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &EventStore::checkFoldersChanged);
    // Whoever reads the kernel's events (this thread's notifier, or a fetch on a store
    // thread) starts the settle timer here.
    m_watch.setOnChange([this] {
        QMetaObject::invokeMethod(
            this, [this] { m_settle.start(); }, Qt::QueuedConnection);
    });
    m_index.setListingObserver([this](const CollectionFolder& folder,
                                      const QList<ItemFile>& listing,
                                      const DirectoryStamp& directory) {
        const QStringList gone = m_snapshot.update(folder.folderPath, listing, directory);
        if (gone.isEmpty())
            return;
        QMutexLocker lock(&m_vanishedMutex);
        for (const QString& name : gone)
            m_vanished.append({folder.folderPath, folder.displayName, name});
    });
    if (m_watch.descriptor() >= 0) {
        m_watchNotifier = new QSocketNotifier(m_watch.descriptor(), QSocketNotifier::Read, this);
        connect(m_watchNotifier, &QSocketNotifier::activated, this, [this] { m_watch.collect(); });
    }
}

EventStore::EventStore(const QStringList& roots, StoreIndex::Scope scope, Clock& clock)
    : EventStore(roots, clock)
{
    m_index.setScope(std::move(scope));
}

EventStore::~EventStore()
{
    m_fetchPool.waitForDone();
    m_cachePool.waitForDone();
}

QStringList EventStore::roots() const
{
    return m_index.roots();
}

bool EventStore::ensureFirstRunLocked(QString* error)
{
    const QStringList roots = m_index.roots();
    for (const QString& root : roots) {
        if (!QDir().mkpath(root)) {
            if (error)
                *error = EventStoreText::tr("The store folder %1 cannot be created.").arg(root);
            return false;
        }
        if (!folderAccessible(root, error))
            return false;
    }
    // A store without any collection gets the two a person needs to start with, but only in
    // a folder of its own: one that holds other things (a home folder, "/" through a link)
    // is left as it is.
    if (!VdirCollections::scan({roots.first()}).isEmpty())
        return true;
    if (!QDir(roots.first())
             .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
             .isEmpty()) {
        qCWarning(lcVdir).noquote()
            << EventStoreText::tr("%1 holds no lists but other files; no lists are created in it.")
                   .arg(roots.first());
        return true;
    }
    Calendar reminders;
    reminders.title = EventStoreText::tr("Reminders");
    reminders.color = CollectionColor::fromRgb(0x1b, 0xad, 0xf8);
    reminders.holdsReminders = true;
    reminders.holdsEvents = false;
    Calendar calendar;
    calendar.title = EventStoreText::tr("Calendar");
    calendar.color = CollectionColor::fromRgb(0x63, 0xda, 0x38);
    calendar.holdsReminders = false;
    calendar.holdsEvents = true;
    return writeCalendarLocked(reminders, error) && writeCalendarLocked(calendar, error);
}

void EventStore::requestAccessToEntityType(EntityType type, AccessCompletion completion)
{
    // On the store's own pool, which its destructor waits for: a store closed (the window
    // reopens it at start-up) while the check still runs must not be freed under it.
    m_fetchPool.start([this, type, completion] {
        QString error;
        const bool granted = accessToEntityType(type, &error);
        completion(granted, error);
    });
}

bool EventStore::accessToEntityType(EntityType type, QString* error)
{
    Q_UNUSED(type);
    QString reason;
    bool granted;
    {
        QMutexLocker lock(&m_mutex);
        granted = ensureFirstRunLocked(&reason);
    }
    if (!granted)
        qCWarning(lcVdir).noquote() << reason;
    if (error)
        *error = reason;
    return granted;
}

QList<CalendarPtr> EventStore::calendarsForEntityType(EntityType type)
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    QList<CalendarPtr> result;
    for (const CalendarPtr& calendar : m_index.calendars()) {
        if (calendar->allowsEntityType(type))
            result.append(calendar);
    }
    return result;
}

QList<CalendarPtr> EventStore::calendars()
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    return m_index.calendars();
}

CalendarPtr EventStore::defaultCalendarForNewReminders()
{
    const QList<CalendarPtr> lists = calendarsForEntityType(EntityType::Reminder);
    for (const CalendarPtr& list : lists) {
        if (list->allowsContentModifications())
            return list;
    }
    return nullptr;
}

CalendarPtr EventStore::calendarWithIdentifier(const QString& identifier)
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    return m_index.calendarWithIdentifier(identifier);
}

QList<SourcePtr> EventStore::sources() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.sources();
}

QList<ReminderPtr> EventStore::matchLocked(const ReminderPredicate& predicate)
{
    // The records matched are read, and stamped, while the window may change one it holds.
    RecordLock records;
    refreshLocked();
    QList<CalendarPtr> calendars;
    if (predicate.calendars.isEmpty()) {
        for (const CalendarPtr& calendar : m_index.calendars()) {
            if (calendar->holdsReminders)
                calendars.append(calendar);
        }
    } else {
        // Look the lists up again: the caller's objects may be older than the index.
        for (const CalendarPtr& asked : predicate.calendars) {
            if (!asked)
                continue;
            if (CalendarPtr calendar = m_index.calendarWithIdentifier(asked->calendarIdentifier))
                calendars.append(calendar);
        }
    }
    // One task a file is the rule: a question for every task gets room for as many as there
    // are files, and no more.
    QList<QList<ParsedItemPtr>> itemsByList;
    qsizetype files = 0;
    for (const CalendarPtr& calendar : std::as_const(calendars)) {
        itemsByList.append(m_index.items(calendar->calendarIdentifier));
        files += itemsByList.constLast().size();
    }
    QList<ReminderPtr> result;
    if (predicate.kind == ReminderPredicate::Kind::All && !predicate.accepts)
        result.reserve(files);
    for (qsizetype list = 0; list < calendars.size(); ++list) {
        const CalendarPtr& calendar = calendars[list];
        const QList<ParsedItemPtr>& items = itemsByList[list];
        for (const ParsedItemPtr& item : items) {
            for (const std::shared_ptr<const Reminder>& parsed : item->reminders) {
                if (!matches(*parsed, predicate) ||
                    (predicate.accepts && !predicate.accepts(*parsed)))
                    continue;
                if (m_sharing != RecordSharing::Copies) {
                    result.append(sharedRecord(parsed, calendar, m_index.identifierOf(*parsed)));
                    continue;
                }
                auto reminder = std::make_shared<Reminder>(*parsed);
                reminder->calendar = calendar;
                reminder->calendarItemIdentifier = m_index.identifierOf(*parsed);
                result.append(reminder);
            }
        }
    }
    return result;
}

void EventStore::fetchRemindersMatchingPredicate(const ReminderPredicate& predicate,
                                                 FetchCompletion completion)
{
    const std::function<void()> beforeFetch = m_beforeFetch;
    m_fetchPool.start([this, predicate, completion, beforeFetch] {
        if (beforeFetch)
            beforeFetch();
        QList<ReminderPtr> reminders;
        {
            QMutexLocker lock(&m_mutex);
            reminders = matchLocked(predicate);
        }
        completion(reminders);
    });
}

QList<ReminderPtr> EventStore::remindersMatchingPredicate(const ReminderPredicate& predicate)
{
    QMutexLocker lock(&m_mutex);
    return matchLocked(predicate);
}

void EventStore::waitForFetches()
{
    m_fetchPool.waitForDone();
}

void EventStore::setBeforeFetch(std::function<void()> hook)
{
    m_beforeFetch = std::move(hook);
}

QList<EventPtr> EventStore::eventsMatchingPredicate(const EventPredicate& predicate)
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    QList<CalendarPtr> calendars;
    for (const CalendarPtr& calendar : m_index.calendars()) {
        if (!calendar->holdsEvents)
            continue;
        if (!predicate.calendars.isEmpty() &&
            std::none_of(predicate.calendars.begin(), predicate.calendars.end(),
                         [&](const CalendarPtr& asked) {
                             return asked &&
                                    asked->calendarIdentifier == calendar->calendarIdentifier;
                         }))
            continue;
        calendars.append(calendar);
    }
    struct Work
    {
        ParsedItemPtr item;
        CalendarPtr calendar;
        std::shared_ptr<const ParsedItem::EventExpansion> expansion;
    };
    QList<Work> cached;
    QList<Work> toExpand;
    const qint64 fromMs = predicate.startDate.toMSecsSinceEpoch();
    const qint64 toMs = predicate.endDate.toMSecsSinceEpoch();
    for (const CalendarPtr& calendar : std::as_const(calendars)) {
        const QList<ParsedItemPtr> items = m_index.items(calendar->calendarIdentifier);
        for (const ParsedItemPtr& item : items) {
            // A file whose events all fall on other days is not read for this question.
            if (!item->hasEvent || !item->eventSpan().mayOverlap(fromMs, toMs))
                continue;
            const auto expansion = item->knownEvents() ? item->knownEvents()->expansion : nullptr;
            if (expansion && expansion->from == predicate.startDate &&
                expansion->to == predicate.endDate) {
                cached.append({item, calendar, expansion});
            } else {
                toExpand.append({item, calendar, nullptr});
            }
        }
    }
    // Expanding recurring events is the costly part of a query; files are independent, so it
    // spreads over the cores (with the reading of files the parse cache answered for), and each
    // file's result is kept for the next query of the window.
    struct Expanded
    {
        StoreIndex::EventSourceRead read;
        std::shared_ptr<const ParsedItem::EventExpansion> expansion;
    };
    auto expand = [&predicate](const Work& work) {
        Expanded result{StoreIndex::readEventSource(*work.item), nullptr};
        auto expansion = std::make_shared<ParsedItem::EventExpansion>();
        expansion->from = predicate.startDate;
        expansion->to = predicate.endDate;
        if (result.read.source)
            expansion->events = result.read.source->events(predicate.startDate, predicate.endDate);
        result.expansion = std::move(expansion);
        return result;
    };
    QList<Expanded> expanded;
    if (toExpand.size() >= 16) {
        expanded = QtConcurrent::blockingMapped(toExpand, expand);
    } else {
        for (const Work& work : std::as_const(toExpand))
            expanded.append(expand(work));
    }
    for (qsizetype i = 0; i < toExpand.size(); ++i) {
        const ParsedItem& item = *toExpand[i].item;
        m_index.keepEventSource(item, expanded[i].read);
        // What a file changed since says counts for this answer, and is read again next time.
        if (expanded[i].read.current)
            item.eventCache().expansion = expanded[i].expansion;
        cached.append({toExpand[i].item, toExpand[i].calendar, expanded[i].expansion});
    }

    QList<std::pair<qint64, EventPtr>> keyed;
    for (const Work& work : std::as_const(cached)) {
        for (const Event& event : work.expansion->events) {
            auto shared = std::make_shared<Event>(event);
            shared->calendar = work.calendar;
            keyed.append({shared->startMs(), std::move(shared)});
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<EventPtr> result;
    result.reserve(keyed.size());
    for (auto& entry : keyed)
        result.append(std::move(entry.second));
    return result;
}

ReminderPtr EventStore::reminderWithEventStore()
{
    auto reminder = std::make_shared<Reminder>();
    reminder->creationDate = m_clock.now();
    return reminder;
}

CalendarPtr EventStore::calendarForEntityType(EntityType type)
{
    auto calendar = std::make_shared<Calendar>();
    calendar->holdsReminders = type == EntityType::Reminder;
    calendar->holdsEvents = type == EntityType::Event;
    const QList<SourcePtr> all = sources();
    if (!all.isEmpty())
        calendar->source = all.first();
    return calendar;
}

void EventStore::setRecordSharing(RecordSharing sharing)
{
    m_sharing = sharing;
}

bool EventStore::queueOrApply(PendingChange change, bool commitNow, QString* error)
{
    if (m_sharing == RecordSharing::ReadingOnly) {
        if (error)
            *error = EventStoreText::tr("The store was opened for reading only.");
        return false;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_pending.append(std::move(change));
    }
    return commitNow ? commit(error) : true;
}

bool EventStore::saveReminder(const ReminderPtr& reminder, bool commitNow, QString* error)
{
    if (!reminder) {
        if (error)
            *error = EventStoreText::tr("No task was given.");
        return false;
    }
    if (!reminder->calendar) {
        if (error)
            *error = EventStoreText::tr("The task \"%1\" has no list.").arg(reminder->title);
        return false;
    }
    if (reminder->calendar->immutable) {
        const bool moving =
            reminder->origin && QFileInfo(reminder->origin->path()).absolutePath() !=
                                    QFileInfo(reminder->calendar->folderPath).absoluteFilePath();
        if (error) {
            *error =
                moving ? EventStoreText::tr("\"%1\" cannot move to \"%2\": that list is read-only.")
                             .arg(reminder->title, reminder->calendar->title)
                       : EventStoreText::tr("The list \"%1\" cannot be changed.")
                             .arg(reminder->calendar->title);
        }
        return false;
    }
    return queueOrApply({PendingChange::Kind::SaveReminder, reminder, nullptr}, commitNow, error);
}

bool EventStore::removeReminder(const ReminderPtr& reminder, bool commitNow, QString* error,
                                QString* deletedId)
{
    if (!reminder || !reminder->origin) {
        if (error)
            *error = EventStoreText::tr("The task was never saved.");
        return false;
    }
    if (reminder->calendar && reminder->calendar->immutable) {
        if (error)
            *error = EventStoreText::tr("The list \"%1\" cannot be changed.")
                         .arg(reminder->calendar->title);
        return false;
    }
    return queueOrApply({PendingChange::Kind::RemoveReminder, reminder, nullptr, deletedId},
                        commitNow, error);
}

bool EventStore::saveCalendar(const CalendarPtr& calendar, bool commitNow, QString* error)
{
    if (!calendar) {
        if (error)
            *error = EventStoreText::tr("No list was given.");
        return false;
    }
    if (calendar->immutable) {
        // Named as the user knows it, not by the title it was about to get.
        const CalendarPtr known = calendarWithIdentifier(calendar->calendarIdentifier);
        if (error)
            *error = EventStoreText::tr("The list \"%1\" cannot be changed.")
                         .arg(known ? known->title : calendar->title);
        return false;
    }
    return queueOrApply({PendingChange::Kind::SaveCalendar, nullptr, calendar}, commitNow, error);
}

bool EventStore::removeCalendar(const CalendarPtr& calendar, bool commitNow, QString* error,
                                QString* deletedId)
{
    if (!calendar || calendar->folderPath.isEmpty()) {
        if (error)
            *error = EventStoreText::tr("The list was never saved.");
        return false;
    }
    if (calendar->immutable) {
        if (error)
            *error = EventStoreText::tr("The list \"%1\" cannot be changed.").arg(calendar->title);
        return false;
    }
    return queueOrApply({PendingChange::Kind::RemoveCalendar, nullptr, calendar, deletedId},
                        commitNow, error);
}

bool EventStore::commit(QString* error)
{
    QMutexLocker lock(&m_mutex);
    const QList<PendingChange> pending = std::exchange(m_pending, {});
    if (pending.isEmpty())
        return true;
    // A save gives the record its file, stamp and dates: a record the window was given is read
    // meanwhile by the parse cache's writer.
    RecordLock records;
    bool ok = true;
    QStringList errors;
    for (const PendingChange& change : pending) {
        QString message;
        if (change.reminder)
            carryOriginLocked(*change.reminder);
        if (!applyLocked(change, &message)) {
            ok = false;
            errors << message;
            qCWarning(lcVdir).noquote() << message;
        }
    }
    m_rewritten.clear();
    refreshLocked();
    lock.unlock();
    announceChange();
    if (!ok && error)
        *error = errors.join(QLatin1Char('\n'));
    return ok;
}

namespace {

bool sameVersion(const ItemOrigin& a, const ItemOrigin& b)
{
    return a.stamp == b.stamp && a.contentHash == b.contentHash;
}

} // namespace

void EventStore::noteRewrittenLocked(const ItemOrigin& before, const ItemOriginPtr& after,
                                     const QStringList& untouched)
{
    m_rewritten[before.path()].append({before, after, untouched});
}

void EventStore::carryOriginLocked(Reminder& reminder) const
{
    if (!reminder.origin)
        return;
    const QList<Rewrite> steps = m_rewritten.value(reminder.origin->path());
    qsizetype from = 0;
    while (from < steps.size() && !sameVersion(steps[from].before, *reminder.origin))
        ++from;
    if (from == steps.size())
        return;
    // A task one of the writes changed or took out is not what this record read.
    for (qsizetype i = from; i < steps.size(); ++i) {
        if (!steps[i].untouched.contains(reminder.uid))
            return;
        if (i + 1 < steps.size() && !sameVersion(*steps[i].after, steps[i + 1].before))
            return;
    }
    reminder.origin = steps.last().after;
}

bool EventStore::applyLocked(const PendingChange& change, QString* error)
{
    switch (change.kind) {
    case PendingChange::Kind::SaveReminder:
        return writeReminderLocked(*change.reminder, error);
    case PendingChange::Kind::RemoveReminder:
        return removeReminderLocked(*change.reminder, change.deletedId, error);
    case PendingChange::Kind::SaveCalendar:
        return writeCalendarLocked(*change.calendar, error);
    case PendingChange::Kind::RemoveCalendar:
        return removeCalendarLocked(*change.calendar, change.deletedId, error);
    }
    return false;
}

void EventStore::announceChange()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_ownChangePending = true;
            m_settle.start();
        },
        Qt::QueuedConnection);
}

} // namespace store

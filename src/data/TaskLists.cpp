#include "data/TaskLists.h"

#include "data/DataLog.h"
#include "data/StoreSession.h"
#include "data/VisibleListCheck.h"
#include "platform/UserDefaults.h"
#include "prefs/InvisibleLists.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/TodayExtensionMirror.h"

#include <QMutexLocker>
#include <QtConcurrent>

namespace {

// The last list whose title satisfies `matches`, compared lower-cased.
store::CalendarPtr lastMatching(const QList<store::CalendarPtr>& lists, const QString& name,
                                bool prefix)
{
    store::CalendarPtr found;
    for (const store::CalendarPtr& list : lists) {
        const QString title = list->title.toLower();
        if (prefix ? title.startsWith(name) : title == name)
            found = list;
    }
    return found;
}

store::CalendarPtr resolveListName(const QList<store::CalendarPtr>& lists, const QString& name,
                                   const store::CalendarPtr& fallback)
{
    if (name.isEmpty())
        return fallback;
    const QString wanted = name.toLower();
    if (store::CalendarPtr equal = lastMatching(lists, wanted, false))
        return equal;
    if (store::CalendarPtr beginning = lastMatching(lists, wanted, true))
        return beginning;
    return fallback;
}

QList<store::CalendarPtr> taskListsOf(store::EventStore& eventStore, const QStringList& visible,
                                      const QStringList& invisible)
{
    return VisibleListCheck::taskListsOf(eventStore.calendars(), visible, invisible);
}

} // namespace

TaskLists::TaskLists(StoreSession& session, UserDefaults& defaults, QThreadPool& background,
                     const DataLog& log, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_defaults(defaults)
    , m_background(background)
    , m_log(log)
    , m_listDirectory([&session] { return session.eventStore(); })
{}

QList<store::CalendarPtr> TaskLists::allCalendars() const
{
    return taskListsOf(*m_session.eventStore(), m_defaults.stringArrayForKey(PrefKey::visibleLists),
                       m_defaults.stringArrayForKey(PrefKey::invisibleLists));
}

store::CalendarPtr TaskLists::defaultCalendar() const
{
    return m_session.eventStore()->defaultCalendarForNewReminders();
}

store::CalendarPtr TaskLists::calendarByUUID(const QString& identifier) const
{
    if (identifier.isEmpty())
        return nullptr;
    for (const store::CalendarPtr& list : allCalendars()) {
        if (list->calendarIdentifier == identifier)
            return list;
    }
    return nullptr;
}

store::CalendarPtr TaskLists::defaultList() const
{
    if (store::CalendarPtr chosen = calendarByUUID(m_defaults.stringForKey(PrefKey::defaultList)))
        return chosen;
    return defaultCalendar();
}

QStringList TaskLists::allListIdentifiers() const
{
    QStringList identifiers;
    for (const store::CalendarPtr& list : allCalendars())
        identifiers << list->calendarIdentifier;
    return identifiers;
}

QStringList TaskLists::visibleLists() const
{
    const QStringList stored = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    return stored.isEmpty() ? allListIdentifiers() : stored;
}

QList<store::CalendarPtr> TaskLists::visibleListsByCalendar() const
{
    const QList<store::CalendarPtr> all = allCalendars();
    const QStringList stored = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    if (stored.isEmpty())
        return all;
    QList<store::CalendarPtr> lists;
    for (const QString& identifier : stored) {
        for (const store::CalendarPtr& list : all) {
            if (list->calendarIdentifier == identifier) {
                lists << list;
                break;
            }
        }
    }
    return lists;
}

void TaskLists::makeInvisibleListAccordingToVisibleList(const QStringList& visible)
{
    ::makeInvisibleListAccordingToVisibleList(m_defaults, this, visible);
}

void TaskLists::matchPreferencesForTodayExtension()
{
    ::matchPreferencesForTodayExtension(m_defaults, UserDefaults::suite(PrefKey::suiteName));
}

void TaskLists::changeBackToValidate()
{
    m_doNotValidate = false;
}

void TaskLists::validateVisibleLists()
{
    if (m_doNotValidate)
        return;
    const QStringList visible = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    const QStringList invisible = m_defaults.stringArrayForKey(PrefKey::invisibleLists);
    const bool autoAdd = m_defaults.boolForKey(PrefKey::autoAddNewList);
    store::EventStore* eventStore = m_session.eventStore();
    (void)QtConcurrent::run(&m_background, [=, this] {
        QStringList all;
        for (const store::CalendarPtr& list : taskListsOf(*eventStore, visible, invisible))
            all << list->calendarIdentifier;
        const VisibleListCheck::Outcome outcome =
            VisibleListCheck::check(all, visible, invisible, autoAdd);
        if (outcome.listsDiffer)
            m_log.write(QStringLiteral("Lists Not matching : %1(v) + %2(in) =|= %3(all)")
                            .arg(visible.size())
                            .arg(invisible.size())
                            .arg(all.size()));
        if (outcome.apply)
            QMetaObject::invokeMethod(
                this, [=, this] { applyValidatedLists(outcome); }, Qt::QueuedConnection);
    });
}

void TaskLists::validateVisibleListsNow()
{
    if (m_doNotValidate)
        return;
    const VisibleListCheck::Outcome outcome = VisibleListCheck::check(
        allListIdentifiers(), m_defaults.stringArrayForKey(PrefKey::visibleLists),
        m_defaults.stringArrayForKey(PrefKey::invisibleLists),
        m_defaults.boolForKey(PrefKey::autoAddNewList));
    if (outcome.apply)
        applyValidatedLists(outcome);
}

QList<store::CalendarPtr> TaskLists::refreshedLists() const
{
    // The validation runs beside the refresh and stores its answer only later; a list made
    // elsewhere that it is about to show must not miss the refresh its appearance started.
    const QStringList stored = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    if (stored.isEmpty() || m_doNotValidate)
        return visibleListsByCalendar();
    const QList<store::CalendarPtr> all = allCalendars();
    QStringList identifiers;
    for (const store::CalendarPtr& list : all)
        identifiers << list->calendarIdentifier;
    const VisibleListCheck::Outcome outcome = VisibleListCheck::check(
        identifiers, stored, m_defaults.stringArrayForKey(PrefKey::invisibleLists),
        m_defaults.boolForKey(PrefKey::autoAddNewList));
    const QStringList visible = outcome.apply ? outcome.visible : stored;
    QList<store::CalendarPtr> lists;
    for (const QString& identifier : visible) {
        for (const store::CalendarPtr& list : all) {
            if (list->calendarIdentifier == identifier) {
                lists << list;
                break;
            }
        }
    }
    return lists;
}

void TaskLists::applyValidatedLists(const VisibleListCheck::Outcome& outcome)
{
    VisibleListCheck::storeLists(m_defaults, outcome);
    resetSortDescriptors();
    if (outcome.refreshEverything) {
        Q_EMIT visibleListsChanged();
        matchPreferencesForTodayExtension();
    }
}

void TaskLists::validateRemindersList(const store::CalendarPtr& list,
                                      std::function<void(bool)> completion)
{
    if (!list)
        return;
    m_log.write(QStringLiteral("fetchIdentifier : %1").arg(list->calendarIdentifier));
    store::EventStore* eventStore = m_session.eventStore();
    eventStore->fetchRemindersMatchingPredicate(
        store::predicateForRemindersInCalendars({list}),
        [completion](const QList<store::ReminderPtr>&) { completion(true); });
}

store::CalendarPtr TaskLists::calendarFromName(const QString& name) const
{
    return resolveListName(allCalendars(), name, defaultList());
}

store::CalendarPtr TaskLists::calendarFromNameOnlyFromSelectedCalendars(const QString& name) const
{
    // The visible lists as the rest of the application sees them: an empty "visibleLists"
    // (nothing chosen yet) shows every list.
    QList<store::CalendarPtr> lists = visibleListsByCalendar();
    if (lists.isEmpty()) {
        if (store::CalendarPtr fallback = defaultCalendar())
            lists << fallback;
        else
            return nullptr;
    }
    return resolveListName(lists, name, defaultList());
}

ReminderSort TaskLists::fetchSortDescriptors() const
{
    QMutexLocker lock(&m_sortMutex);
    if (!m_sortDescriptors) {
        lock.unlock();
        ReminderSort sort(visibleLists());
        lock.relock();
        m_sortDescriptors = sort;
    }
    return *m_sortDescriptors;
}

void TaskLists::resetSortDescriptors()
{
    ReminderSort sort(visibleLists());
    QMutexLocker lock(&m_sortMutex);
    m_sortDescriptors = sort;
}

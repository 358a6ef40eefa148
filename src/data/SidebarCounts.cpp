#include "data/SidebarCounts.h"

#include "data/DataLog.h"
#include "data/ListFilters.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/StoreSession.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

#include <QMutexLocker>
#include <QtConcurrent>

SidebarCounts::SidebarCounts(StoreSession& session, TaskLists& lists, SharedDates& dates,
                             UserDefaults& defaults, QThreadPool& background, const DataLog& log,
                             QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_lists(lists)
    , m_dates(dates)
    , m_defaults(defaults)
    , m_background(background)
    , m_log(log)
{}

CountDictionary SidebarCounts::countDictionary() const
{
    QMutexLocker lock(&m_mutex);
    return m_countDictionary;
}

void SidebarCounts::setBadgeLabel(const QString& label)
{
    if (label == m_badgeLabel)
        return;
    m_badgeLabel = label;
    Q_EMIT badgeLabelChanged(label);
}

void SidebarCounts::refreshCounts()
{
    const qint64 badgeMode = m_defaults.integerForKey(PrefKey::appIconBadge);
    const quint64 badgeNumber = calculateAppIconBadgeNumber();

    // Everything the job needs is read here, on the main thread; the job itself only computes.
    const SnapshotPtr snapshot = m_session.remindersArray();
    const QueryDates dates = m_dates.queryDates();
    const bool overdueNow = m_defaults.boolForKey(PrefKey::overdueNow);
    const QVariantMap filterSettings = m_defaults.dictionaryForKey(PrefKey::filters);
    const ListFilters counter(snapshot, dates, overdueNow, filterSettings);
    const quint64 incomplete = counter.countForUncompletedRemindersAtCalendar(nullptr);
    m_log.write(QStringLiteral("Fetched Count Uncompleted : %1").arg(incomplete));

    const QList<ListEntry> entries = SmartLists::listNavArray(m_defaults);
    const QList<store::CalendarPtr> lists = m_lists.refreshedLists();
    const QDateTime selected = m_dates.selectedDate();
    const bool sundayFirst = m_defaults.boolForKey(PrefKey::sundayFirst);
    (void)QtConcurrent::run(&m_background, [=, this] {
        CountDictionary counts;
        for (const ListEntry& entry : entries)
            counts.setCount(entry, counter.countForDict(entry));
        counts.setCount(ListEntry::dateView(ListKind::Day), counter.countForDayOnDate(selected));
        counts.setCount(ListEntry::dateView(ListKind::Week),
                        counter.countForWeekOnDate(
                            Global::calculateStartingDayOfTheWeekOnDate(selected, sundayFirst)));
        counts.setCount(
            ListEntry::dateView(ListKind::Month),
            counter.countForMonthOnDate(Global::calculateStartingDayOfTheMonthOnDate(selected)));
        for (const store::CalendarPtr& list : lists)
            counts.setCount(ListEntry::userList(list->title, list->calendarIdentifier),
                            counter.countForUncompletedRemindersAtCalendar(list));
        {
            QMutexLocker lock(&m_mutex);
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

quint64 SidebarCounts::calculateAppIconBadgeNumber() const
{
    const SnapshotPtr snapshot = m_session.remindersArray();
    if (!snapshot || snapshot->size() == 0)
        return 0;
    const QueryDates dates = m_dates.queryDates();
    const ReminderQueries query(snapshot, dates);
    const bool overdue = m_defaults.boolForKey(PrefKey::appIconBadgeOverdue);
    auto count = [](const std::optional<ReminderList>& list) -> quint64 {
        return list ? quint64(list->size()) : 0;
    };
    quint64 number = 0;
    switch (m_defaults.integerForKey(PrefKey::appIconBadgeType)) {
    case 0:
        number = overdue ? count(query.fetchUncompletedRemindersUntilCertainDate(dates.now)) : 0;
        break;
    case 1:
        number =
            overdue ? count(query.fetchUncompletedRemindersUntilCertainDate(dates.today.addDays(1)))
                    : count(query.fetchUncompletedRemindersOnDate(dates.today));
        break;
    case 2:
        number = overdue
                     ? count(query.fetchUncompletedRemindersUntilStartingDate(dates.thisWeekDate))
                     : count(query.fetchUncompletedRemindersFromStartingDate(dates.thisWeekDate));
        break;
    case 3:
        number = overdue ? count(query.fetchUncompletedRemindersMonthlyUntilStartingDate(
                               dates.thisMonthDate))
                         : count(query.fetchUncompletedRemindersMonthlyFromStartingDate(
                               dates.thisMonthDate));
        break;
    default:
        number = 0;
        break;
    }
    if (m_defaults.boolForKey(PrefKey::appIconBadgeUndated))
        number += quint64(query.fetchSimpleReminders().size());
    return number;
}

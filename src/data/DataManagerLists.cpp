// The data manager's list bookkeeping and the display strings of the selected date.

#include "data/DataManager.h"

#include "data/DateFormatters.h"
#include "platform/UserDefaults.h"
#include "prefs/InvisibleLists.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/TodayExtensionMirror.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QtConcurrent>

// --- Lists -------------------------------------------------------------------------------

QList<store::CalendarPtr> DataManager::allCalendars() const
{
    return m_eventStore->calendarsForEntityType(store::EntityType::Reminder);
}

store::CalendarPtr DataManager::defaultCalendar() const
{
    return m_eventStore->defaultCalendarForNewReminders();
}

store::CalendarPtr DataManager::calendarByUUID(const QString& identifier) const
{
    if (identifier.isEmpty())
        return nullptr;
    for (const store::CalendarPtr& list : allCalendars()) {
        if (list->calendarIdentifier == identifier)
            return list;
    }
    return nullptr;
}

store::CalendarPtr DataManager::defaultList() const
{
    if (store::CalendarPtr chosen = calendarByUUID(m_defaults.stringForKey(PrefKey::defaultList)))
        return chosen;
    return defaultCalendar();
}

QStringList DataManager::allListIdentifiers() const
{
    QStringList identifiers;
    for (const store::CalendarPtr& list : allCalendars())
        identifiers << list->calendarIdentifier;
    return identifiers;
}

QStringList DataManager::visibleLists() const
{
    const QStringList stored = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    return stored.isEmpty() ? allListIdentifiers() : stored;
}

QList<store::CalendarPtr> DataManager::visibleListsByEKCalendar() const
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

void DataManager::makeInvisibleListAccordingToVisibleList(const QStringList& visible)
{
    ::makeInvisibleListAccordingToVisibleList(m_defaults, this, visible);
}

void DataManager::matchPreferencesForTodayExtension()
{
    ::matchPreferencesForTodayExtension(m_defaults, UserDefaults::suite(PrefKey::suiteName));
}

void DataManager::changeBackToValidate()
{
    m_doNotValidate = false;
}

namespace {

// What validating the visible lists decides, from every list of the store and the two
// preferences: a list made or deleted elsewhere joins or leaves them.
struct ListValidation
{
    bool listsDiffer = false; // the lists and the preferences disagree in number
    bool apply = false;
    QStringList visible;
    std::optional<QStringList> invisible;
    bool refreshEverything = false;
};

ListValidation validateLists(const QStringList& all, const QStringList& visible,
                             const QStringList& invisible, bool autoAdd)
{
    ListValidation outcome;
    QStringList existing;
    for (const QString& identifier : visible) {
        if (all.contains(identifier))
            existing << identifier;
    }
    if (visible.size() + invisible.size() == all.size()) {
        outcome.apply = existing.size() != visible.size();
        outcome.visible = existing;
        outcome.refreshEverything = true;
        return outcome;
    }
    outcome.listsDiffer = true;
    outcome.apply = true;
    QStringList added;
    for (const QString& identifier : all) {
        if (!invisible.contains(identifier) && !existing.contains(identifier))
            added << identifier;
    }
    if (autoAdd) {
        outcome.visible = existing + added;
        outcome.refreshEverything = true;
    } else {
        outcome.visible = existing.size() != visible.size() ? existing : visible;
        outcome.invisible = invisible + added;
    }
    return outcome;
}

} // namespace

void DataManager::validateVisibleLists()
{
    if (m_doNotValidate)
        return;
    const QStringList visible = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    const QStringList invisible = m_defaults.stringArrayForKey(PrefKey::invisibleLists);
    const bool autoAdd = m_defaults.boolForKey(PrefKey::autoAddNewList);
    store::EventStore* eventStore = m_eventStore.get();
    (void)QtConcurrent::run(&m_background, [=, this] {
        QStringList all;
        for (const store::CalendarPtr& list :
             eventStore->calendarsForEntityType(store::EntityType::Reminder))
            all << list->calendarIdentifier;
        const ListValidation outcome = validateLists(all, visible, invisible, autoAdd);
        if (outcome.listsDiffer)
            log(QStringLiteral("Lists Not matching : %1(v) + %2(in) =|= %3(all)")
                    .arg(visible.size())
                    .arg(invisible.size())
                    .arg(all.size()));
        if (outcome.apply)
            QMetaObject::invokeMethod(
                this,
                [=, this] {
                    applyValidatedLists(outcome.visible,
                                        outcome.invisible ? &*outcome.invisible : nullptr,
                                        outcome.refreshEverything);
                },
                Qt::QueuedConnection);
    });
}

QList<store::CalendarPtr> DataManager::refreshedLists() const
{
    // The validation runs beside the refresh and stores its answer only later; a list made
    // elsewhere that it is about to show must not miss the refresh its appearance started.
    const QStringList stored = m_defaults.stringArrayForKey(PrefKey::visibleLists);
    if (stored.isEmpty() || m_doNotValidate)
        return visibleListsByEKCalendar();
    const QList<store::CalendarPtr> all = allCalendars();
    QStringList identifiers;
    for (const store::CalendarPtr& list : all)
        identifiers << list->calendarIdentifier;
    const ListValidation outcome =
        validateLists(identifiers, stored, m_defaults.stringArrayForKey(PrefKey::invisibleLists),
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

void DataManager::validateVisibleListsNow()
{
    if (m_doNotValidate)
        return;
    const ListValidation outcome =
        validateLists(allListIdentifiers(), m_defaults.stringArrayForKey(PrefKey::visibleLists),
                      m_defaults.stringArrayForKey(PrefKey::invisibleLists),
                      m_defaults.boolForKey(PrefKey::autoAddNewList));
    if (outcome.apply)
        applyValidatedLists(outcome.visible, outcome.invisible ? &*outcome.invisible : nullptr,
                            outcome.refreshEverything);
}

void DataManager::applyValidatedLists(const QStringList& visible, const QStringList* invisible,
                                      bool refreshEverything)
{
    m_defaults.setObject(visible, PrefKey::visibleLists);
    if (invisible)
        m_defaults.setObject(*invisible, PrefKey::invisibleLists);
    resetSortDescriptors();
    if (refreshEverything) {
        Q_EMIT visibleListsChanged();
        matchPreferencesForTodayExtension();
    }
}

void DataManager::validateRemindersList(const store::CalendarPtr& list,
                                        std::function<void(bool)> completion)
{
    if (!list)
        return;
    log(QStringLiteral("fetchIdentifier : %1").arg(list->calendarIdentifier));
    m_eventStore->fetchRemindersMatchingPredicate(
        m_eventStore->predicateForRemindersInCalendars({list}),
        [completion](const QList<store::ReminderPtr>&) { completion(true); });
}

// --- Display strings of the selected date ------------------------------------------------

DateFormatters& DataManager::formatters() const
{
    QMutexLocker lock(&m_stateMutex);
    if (!m_formatters)
        m_formatters = std::make_unique<DateFormatters>();
    return *m_formatters;
}

QString DataManager::selectedDateString() const
{
    const QDateTime date = selectedDate();
    return QStringLiteral("%1, %2").arg(formatters().weekdayFormatter().stringFromDate(date),
                                        formatters().fullDayFormatterMid().stringFromDate(date));
}

bool DataManager::selectedDateIsToday() const
{
    return selectedDate() == today();
}

QColor DataManager::todayMarkerColor()
{
    return QColor::fromRgbF(115 / 255.0f, 178 / 255.0f, 215 / 255.0f, 0.8f);
}

QString DataManager::selectedDateDayString() const
{
    const QDateTime date = selectedDate();
    const QString text =
        QStringLiteral("%1, %2").arg(formatters().weekdayFormatter().stringFromDate(date),
                                     formatters().fullDayFormatterShort().stringFromDate(date));
    // The secondary label colour of the desktop's palette is applied by the label; the marker
    // carries its own colour.
    QString rich = text.toHtmlEscaped();
    if (selectedDateIsToday()) {
        const QColor marker = todayMarkerColor();
        rich += QStringLiteral("<span style=\"color: rgba(%1, %2, %3, 0.8)\">&nbsp;&nbsp;●</span>")
                    .arg(marker.red())
                    .arg(marker.green())
                    .arg(marker.blue());
    }
    return rich;
}

QString DataManager::selectedDateWeekString() const
{
    return QStringLiteral("%1 %2").arg(QCoreApplication::translate("DataManager", "Week"),
                                       selectedDateWeeknumberString());
}

QString DataManager::selectedDateWeekdayString() const
{
    return formatters().weekdayFormatter().stringFromDate(selectedDate());
}

QString DataManager::selectedDateWeeknumberString() const
{
    return formatters().weeknumberFormatter().stringFromDate(selectedDate());
}

QString DataManager::selectedDateMonthString() const
{
    return formatters().monthFormatter().stringFromDate(selectedDate());
}

QString DataManager::selectedDateYearString() const
{
    return formatters().yearFormatter().stringFromDate(selectedDate());
}

// The data manager's part in adding tasks from other programs: the Smart Add date arithmetic it
// lends the quick-add fields, list names resolved to lists, the "add" and "smartadd" URL
// commands, the due date texts, and the synced preference sets.

#include "data/DataManager.h"

#include "text/LeadingInteger.h"

#include "entry/logic/DueString.h"
#include "entry/logic/SmartAddPatterns.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"

#include <limits>

namespace {

// The "priority" argument (0 none, 1 low, 2 medium, anything else high) as the priority class
// the add operation takes (0 none, 1 high, 2 medium, 3 low).
std::optional<int> priorityClassFromArgument(const QString& priority)
{
    if (priority.isEmpty())
        return std::nullopt;
    switch (leadingInteger(priority)) {
    case 0:
        return 0;
    case 1:
        return 3;
    case 2:
        return 2;
    default:
        return 1;
    }
}

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

} // namespace

// --- Smart Add ---------------------------------------------------------------------------

QDateTime DataManager::dateFromDate(const QDateTime& date, const SmartAddRule& rule) const
{
    return m_smartAdd.dateFromDate(date, rule);
}

SmartAddResult DataManager::dictionaryFromSmartAddRules(const QList<SmartAddRule>& rules,
                                                        const QDateTime& dueDate,
                                                        std::optional<int> priority) const
{
    return m_smartAdd.dictionaryFromSmartAddRules(rules, dueDate, priority);
}

// --- List names --------------------------------------------------------------------------

namespace {

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

} // namespace

store::CalendarPtr DataManager::calendarFromName(const QString& name) const
{
    return resolveListName(allCalendars(), name, defaultList());
}

store::CalendarPtr DataManager::calendarFromNameOnlyFromSelectedCalendars(const QString& name) const
{
    // The visible lists as the rest of the data manager sees them: an empty "visibleLists"
    // (nothing chosen yet) shows every list.
    QList<store::CalendarPtr> lists = visibleListsByEKCalendar();
    if (lists.isEmpty()) {
        if (store::CalendarPtr fallback = defaultCalendar())
            lists << fallback;
        else
            return nullptr;
    }
    return resolveListName(lists, name, defaultList());
}

// --- URL commands ------------------------------------------------------------------------

QTime DataManager::presetTime() const
{
    if (m_defaults.boolForKey(PrefKey::noDueTime))
        return QTime(0, 0);
    // An unreadable alarm time means no time of day rather than a made-up one.
    return SmartAddPatterns::timeFrom24HourText(m_defaults.stringForKey(PrefKey::alarmTime))
        .value_or(QTime(0, 0));
}

QDateTime DataManager::calculateDueDateFromDueString(const QString& due) const
{
    return DueString::calculateDueDateFromDueString(due, m_clock.now(), presetTime());
}

QDateTime DataManager::calculateDueDateFromDueAfterString(const QString& dueAfter) const
{
    return DueString::calculateDueDateFromDueAfterString(dueAfter, m_clock.now());
}

void DataManager::addReminderFromURLSchemeWithTitle(const QString& title,
                                                    const store::CalendarPtr& calendar,
                                                    const QString& priority, const QString& url,
                                                    const QString& notes, const QString& due,
                                                    const QString& dueAfter, const QString& alarm,
                                                    const AddCompletion& completion)
{
    // A task without a title would be an empty row nobody asked for.
    const QString trimmedTitle = title.trimmed();
    if (trimmedTitle.isEmpty()) {
        if (completion)
            completion(false, nullptr);
        return;
    }
    // "dueAfter" only stands in for an absent "due"; an unreadable "due" means no due date.
    const QDateTime dueDate = !due.isEmpty()        ? calculateDueDateFromDueString(due)
                              : !dueAfter.isEmpty() ? calculateDueDateFromDueAfterString(dueAfter)
                                                    : QDateTime();
    const bool alarmWanted =
        alarm.isEmpty() ? m_defaults.boolForKey(PrefKey::alarmOn) : leadingInteger(alarm) != 0;
    addReminderOnMacWithTitle(trimmedTitle, calendar, priorityClassFromArgument(priority), dueDate,
                              std::nullopt, url.trimmed(), notes, alarmWanted, std::nullopt,
                              completion);
}

void DataManager::smartAddReminderFromURLSchemeWithText(const QString& text,
                                                        const AddCompletion& completion)
{
    const SmartAddParse parse = m_smartAdd.parseLine(text, m_smartAdd.rulesFromPreferences());
    // A line of nothing but triggers leaves no title: nothing is added, rather than a task
    // without a name carrying the dates of the words that were cut.
    if (parse.title.isEmpty()) {
        if (completion)
            completion(false, nullptr);
        return;
    }
    const store::CalendarPtr list = parse.listName
                                        ? calendarFromNameOnlyFromSelectedCalendars(*parse.listName)
                                        : calendarFromName(QString());
    const SmartAddResult& result = parse.result;
    const bool alarm = result.alarmOn.value_or(m_defaults.boolForKey(PrefKey::alarmOn));
    addReminderOnMacWithTitle(parse.title, list, result.priority,
                              result.dueDate.value_or(QDateTime()), std::nullopt, QString(),
                              QString(), alarm, std::nullopt, completion);
}

// --- Synced preference sets --------------------------------------------------------------

void DataManager::setupPreferenceSync(UserDefaults& suite, UbiquitousKeyValueStore& cloud,
                                      ModeManager& modeManager, std::function<void()> loaded)
{
    m_preferenceSync =
        std::make_unique<PreferenceSync>(m_defaults, suite, cloud, m_listDirectory, modeManager,
                                         m_clock, [this, loaded = std::move(loaded)] {
                                             // A loaded set may bring another list order; the task
                                             // lists sort by it.
                                             resetSortDescriptors();
                                             if (loaded)
                                                 loaded();
                                         });
}

PreferenceSync& DataManager::preferenceSync()
{
    if (!m_preferenceSync)
        setupPreferenceSync(UserDefaults::suite(PrefKey::suiteName),
                            UbiquitousKeyValueStore::defaultStore(), ModeManager::sharedManager());
    return *m_preferenceSync;
}

void DataManager::uploadPreferences()
{
    preferenceSync().uploadPreferences();
}

void DataManager::loadPreferencesWithDict(const QVariantMap& set)
{
    preferenceSync().loadPreferencesWithDict(set);
}

#include "commands/ExternalTaskEntry.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "entry/DueString.h"
#include "entry/SmartAddPatterns.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "text/LeadingInteger.h"

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

} // namespace

ExternalTaskEntry::ExternalTaskEntry(DataManager& manager)
    : m_manager(manager)
{}

QTime ExternalTaskEntry::presetTime() const
{
    const UserDefaults& defaults = m_manager.defaults();
    if (defaults.boolForKey(PrefKey::noDueTime))
        return QTime(0, 0);
    // An unreadable alarm time means no time of day rather than a made-up one.
    return SmartAddPatterns::timeFrom24HourText(defaults.stringForKey(PrefKey::alarmTime))
        .value_or(QTime(0, 0));
}

QDateTime ExternalTaskEntry::calculateDueDateFromDueString(const QString& due) const
{
    return DueString::calculateDueDateFromDueString(due, m_manager.clock().now(), presetTime());
}

QDateTime ExternalTaskEntry::calculateDueDateFromDueAfterString(const QString& dueAfter) const
{
    return DueString::calculateDueDateFromDueAfterString(dueAfter, m_manager.clock().now());
}

void ExternalTaskEntry::addReminderFromURLSchemeWithTitle(
    const QString& title, const store::CalendarPtr& calendar, const QString& priority,
    const QString& url, const QString& notes, const QString& due, const QString& dueAfter,
    const QString& alarm, const AddCompletion& completion, const QString& parentUid)
{
    // A task without a title would be an empty row nobody asked for.
    const QString trimmedTitle = title.trimmed();
    if (trimmedTitle.isEmpty()) {
        if (completion)
            completion(false, nullptr);
        return;
    }
    // "dueAfter" only stands in for an absent "due"; an unreadable "due" means no due date.
    QDateTime dueDate = !due.isEmpty()        ? calculateDueDateFromDueString(due)
                        : !dueAfter.isEmpty() ? calculateDueDateFromDueAfterString(dueAfter)
                                              : QDateTime();
    // A title has no rules to run, but the repeat stage reads it as it reads a Smart Add line.
    QString taskTitle = trimmedTitle;
    std::optional<store::RecurrenceRule> repeat;
    const RepeatPhraseStage& repeats = m_manager.smartAdd().repeats();
    if (const auto phrase = repeats.find(trimmedTitle)) {
        taskTitle = RepeatPhraseStage::cut(trimmedTitle, *phrase).trimmed();
        repeat = phrase->rule;
        dueDate = repeats.firstDueDate(phrase->rule, dueDate);
    }
    if (taskTitle.isEmpty()) {
        if (completion)
            completion(false, nullptr);
        return;
    }
    const bool alarmWanted = alarm.isEmpty() ? m_manager.defaults().boolForKey(PrefKey::alarmOn)
                                             : leadingInteger(alarm) != 0;
    m_manager.tasks().addReminderWithTitle(taskTitle, calendar, priorityClassFromArgument(priority),
                                           dueDate, repeat, url.trimmed(), notes, alarmWanted,
                                           std::nullopt, completion, parentUid);
}

void ExternalTaskEntry::smartAddReminderFromURLSchemeWithText(const QString& text,
                                                              const AddCompletion& completion)
{
    const SmartAdd& smartAdd = m_manager.smartAdd();
    const SmartAddParse parse = smartAdd.parseLineWithRepeat(text, smartAdd.rulesFromPreferences());
    // A line of nothing but triggers leaves no title: nothing is added, rather than a task
    // without a name carrying the dates of the words that were cut.
    if (parse.title.isEmpty()) {
        if (completion)
            completion(false, nullptr);
        return;
    }
    const TaskLists& lists = m_manager.lists();
    const store::CalendarPtr list =
        parse.listName ? lists.calendarFromNameOnlyFromSelectedCalendars(*parse.listName)
                       : lists.calendarFromName(QString());
    const SmartAddResult& result = parse.result;
    const bool alarm = result.alarmOn.value_or(m_manager.defaults().boolForKey(PrefKey::alarmOn));
    m_manager.tasks().addReminderWithTitle(parse.title, list, result.priority,
                                           result.dueDate.value_or(QDateTime()), parse.repeat,
                                           QString(), QString(), alarm, std::nullopt, completion);
}

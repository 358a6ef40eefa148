#include "cli/CliEdit.h"

#include "cli/CliOutput.h"
#include "cli/CliRepeatText.h"
#include "cli/CliTaskLookup.h"
#include "cli/CliTaskSelection.h"
#include "commands/ExternalTaskEntry.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/RepeatChoices.h"
#include "data/detail/TaskDetailEdits.h"

#include <algorithm>

namespace CliEdit {

namespace {

using store::Reminder;

// Applies the request to `task`, a copy nobody else sees; answers whether anything changed, or
// nothing with the reason when a value cannot be used.
class EditApplier
{
public:
    EditApplier(DataManager& manager, const CliEditRequest& edit)
        : m_manager(manager)
        , m_edit(edit)
    {}

    std::optional<bool> apply(Reminder& task)
    {
        m_changed = false;
        if (m_edit.title)
            m_changed = TaskDetailEdits::setTitle(task, *m_edit.title) || m_changed;
        if (m_edit.notes)
            m_changed = TaskDetailEdits::setNotes(task, *m_edit.notes) || m_changed;
        if (m_edit.priority)
            m_changed = TaskDetailEdits::setPriorityButton(task, *m_edit.priority) || m_changed;
        if ((m_edit.url && !applyUrl(task)) || (m_edit.list && !applyList(task)) ||
            !applyDue(task) || !applyRepeat(task) || !applyAlarm(task))
            return std::nullopt;
        return m_changed;
    }

    QString error() const { return m_error; }

private:
    bool refuse(const QString& error)
    {
        m_error = error;
        return false;
    }

    QString noDueDate(const char* option)
    {
        return CliText::tr("--%1 needs a due date, and the task has none: give --due as well")
            .arg(QLatin1StringView(option));
    }

    QDateTime readDate(const QString& text) const
    {
        return ExternalTaskEntry(m_manager).calculateDueDateFromDueString(text);
    }

    bool applyUrl(Reminder& task)
    {
        const QString validated = DetailLinks::validatedUrlText(*m_edit.url);
        if (validated.isEmpty() && !m_edit.url->isEmpty())
            return refuse(CliText::tr("--url \"%1\" holds no link").arg(*m_edit.url));
        if (validated == DetailLinks::urlText(task.URL))
            return true;
        task.URL = validated.isEmpty() ? QUrl() : QUrl(validated, QUrl::TolerantMode);
        m_changed = true;
        return true;
    }

    bool applyList(Reminder& task)
    {
        const store::CalendarPtr list =
            CliTaskSelection::listNamed(m_manager.lists().allCalendars(), *m_edit.list);
        if (!list)
            return refuse(
                CliText::tr("--list: no list is called \"%1\" (see \"lists\")").arg(*m_edit.list));
        if (task.calendar && task.calendar->calendarIdentifier == list->calendarIdentifier)
            return true;
        task.calendar = list;
        m_changed = true;
        return true;
    }

    bool applyDue(Reminder& task)
    {
        if (m_edit.noDue) {
            m_changed = TaskDetailEdits::turnDueDateOff(task) || m_changed;
            return true;
        }
        if (!m_edit.due && !m_edit.time && !m_edit.noTime)
            return true;
        QDateTime due = TaskDetailEdits::dueDate(task);
        if (m_edit.due) {
            due = readDate(*m_edit.due);
            if (!due.isValid())
                return refuse(CliText::tr("--due: cannot read the due date \"%1\"; use HH:mm, "
                                          "MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm")
                                  .arg(*m_edit.due));
        }
        if (!due.isValid())
            return refuse(noDueDate(m_edit.time ? "time" : "no-time"));
        if (m_edit.time)
            due = QDateTime(due.date(), *m_edit.time);
        else if (m_edit.noTime)
            due = due.date().startOfDay();
        // The rules stay as they are, however many the file has; only the dates move.
        const QList<store::RecurrenceRule> rules = task.recurrenceRules;
        m_changed = TaskDetailEdits::saveDueDate(
                        task, due, rules.isEmpty() ? std::nullopt : std::optional(rules.first())) ||
                    m_changed;
        task.recurrenceRules = rules;
        return true;
    }

    bool applyRepeat(Reminder& task)
    {
        if (!m_edit.repeat && !m_edit.noRepeat)
            return true;
        std::optional<store::RecurrenceRule> rule;
        if (m_edit.repeat) {
            const QDateTime due = TaskDetailEdits::dueDate(task);
            if (!due.isValid())
                return refuse(noDueDate("repeat"));
            QString reason;
            rule = CliRepeatText::ruleFromText(
                *m_edit.repeat, m_manager.smartAdd().repeats().language(),
                m_manager.clock().now().toLocalTime().date(), &reason);
            if (!rule)
                return refuse(CliText::tr("--repeat \"%1\" is no repeat rule: %2")
                                  .arg(*m_edit.repeat, reason));
            if (RepeatChoices::endsBeforeDue(*rule, due))
                return refuse(CliText::tr("--repeat \"%1\" ends before the due date, so the "
                                          "task would never repeat")
                                  .arg(*m_edit.repeat));
        }
        m_changed = TaskDetailEdits::saveDueDate(task, {}, rule) || m_changed;
        return true;
    }

    bool applyAlarm(Reminder& task)
    {
        if (m_edit.noAlarm) {
            m_changed = TaskDetailEdits::removeTimeAlarms(task) || m_changed;
            return true;
        }
        if (!m_edit.alarm)
            return true;
        const QString word = m_edit.alarm->toLower();
        const auto isOneOf = [&word](std::initializer_list<const char16_t*> words) {
            return std::any_of(words.begin(), words.end(),
                               [&word](const char16_t* each) { return word == each; });
        };
        const bool on = isOneOf({u"on", u"yes", u"true"});
        if (isOneOf({u"off", u"no", u"false"})) {
            m_changed = TaskDetailEdits::removeTimeAlarms(task) || m_changed;
            return true;
        }
        // "on" is the details' alarm switch: an alarm at the due date.
        const QDateTime when = on ? TaskDetailEdits::dueDate(task) : readDate(*m_edit.alarm);
        if (!when.isValid())
            return refuse(on ? noDueDate("alarm")
                             : CliText::tr("--alarm takes on, off or a date in the forms of "
                                           "--due, not \"%1\"")
                                   .arg(*m_edit.alarm));
        m_changed =
            TaskDetailEdits::setTimeAlarm(task, store::Alarm::withAbsoluteDate(when)) || m_changed;
        return true;
    }

    DataManager& m_manager;
    const CliEditRequest& m_edit;
    bool m_changed = false;
    QString m_error;
};

} // namespace

int run(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr held = CliTaskLookup::task(manager, identifier);
    if (!held)
        return CliOutput::fail(CliTaskLookup::unknownTask(identifier));
    const store::ReminderPtr working = manager.tasks().recordToEdit(held);
    EditApplier applier(manager, request.edit);
    const std::optional<bool> changed = applier.apply(*working);
    if (!changed)
        return CliOutput::fail(applier.error());
    QString error;
    if (*changed && !manager.tasks().saveEditedReminder(working, &error))
        return CliOutput::fail(CliText::tr("the task was not changed: %1").arg(error));
    CliTaskLookup::print(manager, *changed ? working : held, request.json);
    return 0;
}

} // namespace CliEdit

#include "ui/main/RightViewController.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/ListSelectorRow.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/detail/RepeatEditor.h"
#include "ui/main/detail/UrlRow.h"

#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

// The edits of the detail pane: every row's change applied to the task and saved at once.

using store::Reminder;

void RightViewController::connectEdits()
{
    connect(m_title, &QTextEdit::textChanged, this, [this] {
        if (m_reminder)
            m_currentTitle = m_title->text();
    });
    connect(m_title, &GrowingTextEdit::editingFinished, this,
            &RightViewController::titleEditingEnded);
    connect(m_notes, &QTextEdit::textChanged, this, [this] {
        if (m_reminder && !m_notes->isReadOnly())
            m_currentNotes = m_notes->text();
    });
    connect(m_notes, &GrowingTextEdit::editingFinished, this,
            &RightViewController::notesEditingEnded);
    connect(m_notes, &GrowingTextEdit::linkActivated, this, &RightViewController::openLink);

    connect(m_dueRow, &CheckDateRow::checkChanged, this, &RightViewController::dueDateCheckChanged);
    connect(m_dueRow, &CheckDateRow::pickerDismissed, this, &RightViewController::dueDateChanged);
    connect(m_completionRow, &CheckDateRow::checkChanged, this,
            &RightViewController::completionCheckChanged);
    connect(m_completionRow, &CheckDateRow::pickerDismissed, this,
            &RightViewController::completionDateChanged);
    connect(m_alarmRow, &CheckDateRow::checkChanged, this, &RightViewController::alarmCheckChanged);
    connect(m_alarmRow, &CheckDateRow::pickerDismissed, this,
            &RightViewController::alarmTimeChanged);
    auto* offsets = new QMenu(m_alarmRow->offsetButton());
    for (int seconds : TaskDetailEdits::alarmOffsetChoices()) {
        QAction* action = offsets->addAction(TaskDetailEdits::alarmOffsetTitle(seconds));
        connect(action, &QAction::triggered, this, [this, seconds] { alarmOffsetChosen(seconds); });
    }
    m_alarmRow->offsetButton()->setMenu(offsets);

    connect(m_locationRow, &LocationRow::checkClicked, this,
            &RightViewController::locationCheckChanged);
    connect(m_priorityRow, &PriorityRow::pressed, this, &RightViewController::priorityPressed);
    connect(m_listRow, &ListSelectorRow::chosen, this, &RightViewController::listChosen);
    connect(m_urlRow->field(), &QLineEdit::editingFinished, this,
            &RightViewController::urlEditingEnded);
    connect(m_urlRow, &UrlRow::openRequested, this, &RightViewController::openCurrentURL);
    m_repeat->setSaveRule(
        [this](const std::optional<store::RecurrenceRule>& rule) { return saveRule(rule); });
}

bool RightViewController::applyEdit(const std::function<bool(Reminder&)>& edit)
{
    if (!m_reminder)
        return false;
    const store::ReminderPtr working = m_manager.tasks().recordToEdit(m_reminder);
    if (!edit(*working))
        return false;
    QString error;
    if (!m_manager.tasks().saveEditedReminder(working, &error)) {
        // Nothing changed on disk; the rows show the task as it is, typed texts stay.
        showNotice(error.isEmpty() ? tr("The change could not be saved.") : error, true);
        reloadRows();
        return false;
    }
    *m_reminder = *working;
    if (m_reminder->origin)
        m_seenStamp = m_reminder->origin->stamp;
    clearNotice();
    takeWorkingCopies(true);
    reloadRows();
    return true;
}

void RightViewController::saveEditedTexts()
{
    if (!m_reminder)
        return;
    titleEditingEnded();
    notesEditingEnded();
    if (urlEdited())
        urlEditingEnded();
}

void RightViewController::titleEditingEnded()
{
    if (!m_reminder || m_currentTitle == m_reminder->title)
        return;
    const QString title = m_currentTitle;
    if (!applyEdit(
            [&title](Reminder& reminder) { return TaskDetailEdits::setTitle(reminder, title); }))
        m_retryTexts = true;
}

void RightViewController::notesEditingEnded()
{
    if (!m_reminder || m_notes->isReadOnly() || m_currentNotes == m_reminder->notes)
        return;
    const QString notes = m_currentNotes;
    if (!applyEdit(
            [&notes](Reminder& reminder) { return TaskDetailEdits::setNotes(reminder, notes); }))
        m_retryTexts = true;
}

void RightViewController::urlEditingEnded()
{
    QLineEdit* field = m_urlRow->field();
    // A field left as it was is not validated: "Mail Link" stands for an address it does not
    // hold, and tabbing through the row must not remove it.
    if (!m_reminder || field->isReadOnly() || !field->isModified())
        return;
    const QString validated = DetailLinks::validatedUrlText(field->text());
    field->setText(validated);
    field->setModified(true);
    m_urlRow->updateOpenButton();
    if (validated == DetailLinks::urlText(m_reminder->URL)) {
        m_urlRow->setText(m_urlBase, true);
        return;
    }
    const bool saved = applyEdit([&validated](Reminder& reminder) {
        reminder.URL = validated.isEmpty() ? QUrl() : QUrl(validated, QUrl::TolerantMode);
        return true;
    });
    if (saved)
        m_urlRow->setText(m_urlBase, true);
    else
        m_retryTexts = true;
}

TaskDetailEdits::DuePreferences RightViewController::duePreferences() const
{
    const UserDefaults& defaults = m_manager.defaults();
    TaskDetailEdits::DuePreferences prefs;
    prefs.noDueTime = defaults.boolForKey(PrefKey::noDueTime);
    prefs.alarmOn = defaults.boolForKey(PrefKey::alarmOn);
    prefs.alarmTime = m_manager.formatters()
                          .hourTimeFormatter()
                          .dateFromString(defaults.stringForKey(PrefKey::alarmTime))
                          .time();
    return prefs;
}

void RightViewController::dueDateCheckChanged(bool checked)
{
    if (!checked) {
        applyEdit(TaskDetailEdits::turnDueDateOff);
        return;
    }
    const QDateTime now = m_manager.clock().now();
    const TaskDetailEdits::DuePreferences prefs = duePreferences();
    const std::optional<store::RecurrenceRule> rule = currentRule();
    if (!applyEdit([&](Reminder& reminder) {
            return TaskDetailEdits::turnDueDateOn(reminder, now, prefs, rule);
        }))
        reloadRows();
}

void RightViewController::dueDateChanged()
{
    const QDateTime date = m_dueRow->picker()->dateTime();
    const std::optional<store::RecurrenceRule> rule = currentRule();
    applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::saveDueDate(reminder, date, rule); });
}

bool RightViewController::saveRule(const std::optional<store::RecurrenceRule>& rule)
{
    const bool saved = applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::saveDueDate(reminder, {}, rule); });
    if (!saved)
        reloadRows();
    return saved;
}

void RightViewController::completionCheckChanged(bool checked)
{
    if (checked || !applyEdit(TaskDetailEdits::reopen))
        reloadRows();
}

void RightViewController::completionDateChanged()
{
    const QDateTime date = m_completionRow->picker()->dateTime();
    applyEdit(
        [&](Reminder& reminder) { return TaskDetailEdits::setCompletionDate(reminder, date); });
}

void RightViewController::alarmCheckChanged(bool checked)
{
    bool saved = false;
    if (checked) {
        saved = applyEdit([](Reminder& reminder) {
            const QDateTime due = TaskDetailEdits::dueDate(reminder);
            return due.isValid() &&
                   TaskDetailEdits::setTimeAlarm(reminder, store::Alarm::withAbsoluteDate(due));
        });
    } else {
        saved = applyEdit(TaskDetailEdits::removeTimeAlarms);
    }
    if (!saved)
        reloadRows();
}

void RightViewController::alarmTimeChanged()
{
    const QDateTime date = m_alarmRow->picker()->dateTime();
    applyEdit([&](Reminder& reminder) {
        return TaskDetailEdits::setTimeAlarm(reminder, store::Alarm::withAbsoluteDate(date));
    });
}

void RightViewController::alarmOffsetChosen(int secondsBefore)
{
    applyEdit([secondsBefore](Reminder& reminder) {
        return TaskDetailEdits::setTimeAlarm(reminder,
                                             store::Alarm::withRelativeOffset(-secondsBefore));
    });
}

void RightViewController::priorityPressed(int button)
{
    applyEdit([button](Reminder& reminder) {
        return TaskDetailEdits::setPriorityButton(reminder, button);
    });
}

void RightViewController::listChosen(const store::CalendarPtr& list)
{
    const bool moved = applyEdit([&list](Reminder& reminder) {
        if (!list || (reminder.calendar &&
                      reminder.calendar->calendarIdentifier == list->calendarIdentifier))
            return false;
        reminder.calendar = list;
        return true;
    });
    if (!moved)
        reloadRows();
}

void RightViewController::openCurrentURL()
{
    // The field may still hold an address being typed (the button does not take the
    // keyboard, so the field has not been left): it is saved first, and that is what opens.
    urlEditingEnded();
    if (m_reminder)
        openLink(m_reminder->URL);
    else if (m_event)
        openLink(m_event->URL);
}

void RightViewController::openLink(const QUrl& url)
{
    if (url.isEmpty())
        return;
    const QUrl target = DetailLinks::openableUrl(url);
    switch (DetailLinks::openPolicy(target)) {
    case DetailLinks::OpenPolicy::Refuse:
        showNotice(tr("\"%1\" is not opened: links of this kind can run code or hide where "
                      "they lead.")
                       .arg(target.toString().left(80)),
                   true);
        return;
    case DetailLinks::OpenPolicy::Confirm: {
        const QString where = target.isLocalFile() ? target.toLocalFile() : target.toString();
        if (!m_confirmation ||
            !m_confirmation(tr("Open \"%1\"? It is opened by the program your desktop chooses "
                               "for it.")
                                .arg(where)))
            return;
        break;
    }
    case DetailLinks::OpenPolicy::Open:
        break;
    }
    if (!m_urlOpener || !m_urlOpener(target))
        showNotice(tr("No program could open \"%1\".").arg(target.toString()), true);
}

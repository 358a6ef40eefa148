#include "ui/main/RightViewController.h"

#include "data/detail/TaskDetailEdits.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/common/MenuMnemonics.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/ListSelectorRow.h"
#include "ui/main/detail/LocationPopover.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/detail/UrlRow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

// The rows' input handed to the session, which applies each change to the task and saves it.

void RightViewController::connectEdits()
{
    DetailEditSession* session = m_session.get();
    connect(m_title, &QTextEdit::textChanged, this,
            [this, session] { session->type(DetailEditSession::Text::Title, m_title->text()); });
    connect(m_title, &GrowingTextEdit::editingFinished, this,
            [session] { session->finish(DetailEditSession::Text::Title); });
    connect(m_notes, &QTextEdit::textChanged, this,
            [this, session] { session->type(DetailEditSession::Text::Notes, m_notes->text()); });
    connect(m_notes, &GrowingTextEdit::editingFinished, this,
            [session] { session->finish(DetailEditSession::Text::Notes); });
    connect(m_notes, &GrowingTextEdit::linkActivated, this,
            [session](const QUrl& url) { session->openLink(url); });

    connect(m_dueRow, &CheckDateRow::checkChanged, this,
            [session](bool checked) { session->setDueDateOn(checked); });
    connect(m_dueRow, &CheckDateRow::pickerDismissed, this,
            [this, session] { session->setDueDate(m_dueRow->picker()->dateTime()); });
    connect(m_completionRow, &CheckDateRow::checkChanged, this,
            [session](bool checked) { session->setCompleted(checked); });
    connect(m_completionRow, &CheckDateRow::pickerDismissed, this,
            [this, session] { session->setCompletionDate(m_completionRow->picker()->dateTime()); });
    connect(m_alarmRow, &CheckDateRow::checkChanged, this,
            [session](bool checked) { session->setAlarmOn(checked); });
    connect(m_alarmRow, &CheckDateRow::pickerDismissed, this,
            [this, session] { session->setAlarmDate(m_alarmRow->picker()->dateTime()); });
    auto* offsets = new QMenu(m_alarmRow->offsetButton());
    for (int seconds : TaskDetailEdits::alarmOffsetChoices()) {
        QAction* action = offsets->addAction(TaskDetailEdits::alarmOffsetTitle(seconds));
        connect(action, &QAction::triggered, this,
                [session, seconds] { session->setAlarmOffset(seconds); });
    }
    MenuMnemonics::give(offsets);
    m_alarmRow->offsetButton()->setMenu(offsets);

    connect(m_locationRow, &LocationRow::checkClicked, this,
            &RightViewController::locationCheckChanged);
    connect(m_priorityRow, &PriorityRow::pressed, this,
            [session](int button) { session->setPriorityButton(button); });
    connect(m_listRow, &ListSelectorRow::chosen, this,
            [session](const store::CalendarPtr& list) { session->moveToList(list); });
    connect(m_urlRow->field(), &QLineEdit::textEdited, this,
            [session](const QString& text) { session->type(DetailEditSession::Text::Url, text); });
    connect(m_urlRow->field(), &QLineEdit::editingFinished, this,
            [session] { session->finish(DetailEditSession::Text::Url); });
    connect(m_urlRow, &UrlRow::openRequested, this, [session] { session->openCurrentUrl(); });
}

// The check box opens the pop-over that prepares a location alarm; turned off, it removes
// every location alarm.
void RightViewController::locationCheckChanged(bool checked)
{
    if (!m_session->reminder())
        return;
    if (!checked) {
        m_session->removeLocationAlarms();
        return;
    }
    // The box turns on only when a saved alarm rebuilds the row.
    m_locationRow->checkBox()->setChecked(false);
    if (!m_locationPopover) {
        m_locationPopover =
            new LocationPopover(m_session->services().geocoder, m_modeManager, this);
        connect(m_locationPopover, &LocationPopover::saveRequested, this,
                [this](const store::Alarm& alarm) { m_session->addLocationAlarm(alarm); });
    }
    if (m_locationPopover->isVisible())
        return;
    m_locationPopover->prepare(m_session->contactPlaces());
    m_locationPopover->showBelow(m_locationRow->checkBox());
}

#include "presentation/detail/DetailEditSession.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/store/RecordLock.h"

// Following the selection, the working copies of the texts and the notices. The row edits
// are in DetailEditSessionEdits.cpp.

using store::Reminder;

DetailEditSession::DetailEditSession(DataManager& manager, DetailServices services, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_services(std::move(services))
{}

void DetailEditSession::showReminder(const store::ReminderPtr& reminder)
{
    if (!reminder) {
        reminderGone();
        return;
    }
    if (m_reminder && m_reminder->calendarItemIdentifier == reminder->calendarItemIdentifier) {
        sameReminderAgain(reminder);
        return;
    }
    // Another task: whatever was typed for the one before goes to it first.
    finishTexts();
    clearNotice();
    m_event.reset();
    m_reminder = reminder;
    m_seenStamp.reset();
    if (reminder->origin)
        m_seenStamp = reminder->origin->stamp;
    m_retryTexts = false;
    takeWorkingCopies(false);
    announce();
}

void DetailEditSession::reminderGone()
{
    const store::ReminderPtr gone = m_reminder;
    const bool lostEdits = gone && (titleEdited() || notesEdited() || urlEdited());
    if (gone && m_manager.hasRemindersArray() &&
        !m_manager.tasks().reminderWithIdentifier(gone->calendarItemIdentifier)) {
        showNotice(
            lostEdits
                ? tr("\"%1\" was deleted or is no longer in a visible list; "
                     "what you typed in it was not saved.")
                      .arg(gone->title)
                : tr("\"%1\" was deleted or is no longer in a visible list.").arg(gone->title),
            lostEdits);
    } else if (!m_event) {
        clearNotice();
    }
    m_reminder.reset();
    m_event.reset();
    m_seenStamp.reset();
    cancelTyping();
}

// The same task again, usually read afresh after a change.
void DetailEditSession::sameReminderAgain(const store::ReminderPtr& reminder)
{
    const bool elsewhere = reminder->origin && m_seenStamp &&
                           reminder->origin->stamp != *m_seenStamp &&
                           !m_manager.tasks().isOwnVersion(*reminder);
    m_reminder = reminder;
    if (reminder->origin)
        m_seenStamp = reminder->origin->stamp;
    const QString oldTitle = m_titleBase;
    const QString oldNotes = m_notesBase;
    const QString oldUrl = m_urlBase;
    takeWorkingCopies(true);
    const bool conflict = (titleEdited() && m_titleBase != oldTitle) ||
                          (notesEdited() && m_notesBase != oldNotes) ||
                          (urlEdited() && m_urlBase != oldUrl);
    if (conflict) {
        showNotice(tr("\"%1\" was changed by another program while you were editing it. "
                      "Your text is kept here and replaces theirs when you leave the field.")
                       .arg(reminder->title),
                   true);
        m_retryTexts = false;
    } else if (elsewhere) {
        showNotice(tr("\"%1\" was changed by another program; this is its new version.")
                       .arg(reminder->title),
                   false);
    }
    announce();
    if (m_retryTexts && !conflict) {
        m_retryTexts = false;
        finishTexts();
    }
}

void DetailEditSession::showEvent(const store::EventPtr& event)
{
    if (event && m_event && event->eventIdentifier == m_event->eventIdentifier) {
        m_event = event;
        takeWorkingCopies(false);
        announce();
        return;
    }
    if (m_reminder)
        finishTexts();
    clearNotice();
    m_reminder.reset();
    m_seenStamp.reset();
    m_retryTexts = false;
    m_event = event;
    takeWorkingCopies(false);
    announce();
}

void DetailEditSession::takeWorkingCopies(bool keepEdited)
{
    QString title;
    QString notes;
    QString url;
    if (m_reminder) {
        title = m_reminder->title;
        notes = m_reminder->notes;
        url = DetailLinks::urlFieldText(m_reminder->URL);
    } else if (m_event) {
        title = m_event->title;
        notes = m_event->notes;
        url = DetailLinks::urlFieldText(m_event->URL);
    }
    if (!keepEdited || !titleEdited())
        m_title = title;
    if (!keepEdited || !notesEdited())
        m_notes = notes;
    if (!keepEdited || !urlEdited()) {
        m_url = url;
        m_urlTyped = false;
    }
    m_titleBase = title;
    m_notesBase = notes;
    m_urlBase = url;
}

void DetailEditSession::cancelTyping()
{
    m_retryTexts = false;
    takeWorkingCopies(false);
    announce();
}

// --- the texts -------------------------------------------------------------------------------

QString DetailEditSession::text(Text which) const
{
    switch (which) {
    case Text::Title:
        return m_title;
    case Text::Notes:
        return m_notes;
    case Text::Url:
        return m_url;
    }
    return {};
}

void DetailEditSession::type(Text which, const QString& text)
{
    if (!m_reminder)
        return;
    switch (which) {
    case Text::Title:
        m_title = text;
        break;
    case Text::Notes:
        // A decorated note (a mail link) is shown read-only and never typed in.
        if (m_notesEditable)
            m_notes = text;
        break;
    case Text::Url:
        m_url = text;
        m_urlTyped = true;
        break;
    }
}

void DetailEditSession::finish(Text which)
{
    switch (which) {
    case Text::Title:
        finishTitle();
        break;
    case Text::Notes:
        finishNotes();
        break;
    case Text::Url:
        finishUrl();
        break;
    }
}

void DetailEditSession::finishTexts()
{
    if (!m_reminder)
        return;
    finishTitle();
    finishNotes();
    if (urlEdited())
        finishUrl();
}

void DetailEditSession::finishTitle()
{
    if (!m_reminder || m_title == m_reminder->title)
        return;
    const QString title = m_title;
    if (!applyEdit(
            [&title](Reminder& reminder) { return TaskDetailEdits::setTitle(reminder, title); }))
        m_retryTexts = true;
}

void DetailEditSession::finishNotes()
{
    if (!m_reminder || !m_notesEditable || m_notes == m_reminder->notes)
        return;
    const QString notes = m_notes;
    if (!applyEdit(
            [&notes](Reminder& reminder) { return TaskDetailEdits::setNotes(reminder, notes); }))
        m_retryTexts = true;
}

void DetailEditSession::finishUrl()
{
    if (!m_reminder || !m_urlTyped)
        return;
    const QString validated = DetailLinks::validatedUrlText(m_url);
    m_url = validated;
    if (validated == DetailLinks::urlText(m_reminder->URL)) {
        m_url = m_urlBase;
        m_urlTyped = false;
        announce();
        return;
    }
    const bool saved = applyEdit([&validated](Reminder& reminder) {
        reminder.URL = validated.isEmpty() ? QUrl() : QUrl(validated, QUrl::TolerantMode);
        return true;
    });
    if (saved) {
        m_url = m_urlBase;
        m_urlTyped = false;
        announce();
    } else {
        m_retryTexts = true;
    }
}

// --- saving and showing ----------------------------------------------------------------------

bool DetailEditSession::applyEdit(const std::function<bool(Reminder&)>& edit)
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
        announce();
        return false;
    }
    store::RecordLock::assign(*m_reminder, *working);
    if (m_reminder->origin)
        m_seenStamp = m_reminder->origin->stamp;
    clearNotice();
    takeWorkingCopies(true);
    announce();
    return true;
}

void DetailEditSession::showNotice(const QString& text, bool error)
{
    const Notice notice{text, error && !text.isEmpty()};
    if (notice == m_notice)
        return;
    m_notice = notice;
    Q_EMIT noticeChanged();
}

void DetailEditSession::announce()
{
    if (m_reminder)
        m_rows = DetailRowLayout::rowsForReminder(m_reminder.get());
    else if (m_event)
        m_rows = DetailRowLayout::rowsForEvent();
    else
        m_rows.clear();
    if (m_reminder) {
        m_notesEditable = !DetailLinks::decorateNotes(m_notes, true).readOnly;
        m_repeat.showReminder(*m_reminder);
    } else if (m_event) {
        m_notesEditable = false;
    }
    Q_EMIT changed();
}

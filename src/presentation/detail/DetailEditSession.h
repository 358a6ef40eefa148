#pragma once

#include "data/detail/DetailRowLayout.h"
#include "platform/store/Event.h"
#include "platform/store/ItemOrigin.h"
#include "platform/store/Reminder.h"
#include "presentation/detail/DetailRepeatEdit.h"
#include "presentation/detail/DetailServices.h"

#include <QObject>

#include <functional>
#include <optional>

class DataManager;
struct ContactPlace;

// What the detail pane shows and edits: the task (or read-only event) selected in the task
// list, the working copies of the texts being typed, and the notice on top of the pane. Every
// edit is applied to a copy of the task and saved at once through the data manager; the task
// shown becomes the saved one only when the store took it. The working copies survive a
// refresh that replaces the task (another program changed it), and a text the store refused
// is saved again into the version read afresh.
class DetailEditSession : public QObject
{
    Q_OBJECT

public:
    // Asks the user whether to go on; `text` says what would happen.
    using Confirmation = std::function<bool(const QString& text)>;
    struct Notice
    {
        QString text;
        bool error = false;
        bool operator==(const Notice&) const = default;
    };

    DetailEditSession(DataManager& manager, DetailServices services, QObject* parent = nullptr);

    void setConfirmation(Confirmation confirmation) { m_confirmation = std::move(confirmation); }
    DetailServices& services() { return m_services; }

    // Following the selection: none, a task (the same one again after a refresh, or another),
    // an event.
    void showReminder(const store::ReminderPtr& reminder);
    void showEvent(const store::EventPtr& event);
    store::ReminderPtr reminder() const { return m_reminder; }
    store::EventPtr shownEvent() const { return m_event; }
    // The rows shown, top to bottom.
    const QList<DetailRow>& rows() const { return m_rows; }
    // The message on top of the pane: a refused edit, a task changed or gone elsewhere.
    const Notice& notice() const { return m_notice; }

    // The texts being typed; each is saved when its field is left. The typed address is
    // validated first: text without a link takes the URL away.
    enum class Text { Title, Notes, Url };
    QString text(Text which) const;
    void type(Text which, const QString& text);
    void finish(Text which);
    // Drops what was typed; the fields show the task as saved.
    void cancelTyping();

    // The rows' edits. A due date keeps the repeat rule being edited.
    void setDueDateOn(bool on);
    void setDueDate(const QDateTime& date);
    DetailRepeatEdit& repeat() { return m_repeat; }
    void setCompleted(bool completed);
    void setCompletionDate(const QDateTime& date);
    void setAlarmOn(bool on);
    void setAlarmDate(const QDateTime& date);
    void setAlarmOffset(int secondsBefore);
    void setPriorityButton(int button);
    void moveToList(const store::CalendarPtr& list);
    void addLocationAlarm(const store::Alarm& alarm);
    void removeLocationAlarms();
    // The address book's places, offered when a location alarm is prepared.
    QList<ContactPlace> contactPlaces();

    // Opens the shown item's address (the typed one is saved first), or a link in its notes.
    void openCurrentUrl();
    void openLink(const QUrl& url);

Q_SIGNALS:
    // The item or its working copies changed: the rows are drawn afresh.
    void changed();
    void noticeChanged();

private:
    bool applyEdit(const std::function<bool(store::Reminder&)>& edit);
    bool saveRule(const std::optional<store::RecurrenceRule>& rule);
    void finishTexts();
    void finishTitle();
    void finishNotes();
    void finishUrl();
    void sameReminderAgain(const store::ReminderPtr& reminder);
    void reminderGone();
    void takeWorkingCopies(bool keepEdited);
    bool titleEdited() const { return m_title != m_titleBase; }
    bool notesEdited() const { return m_notes != m_notesBase; }
    bool urlEdited() const { return m_urlTyped && m_url != m_urlBase; }
    void showNotice(const QString& text, bool error);
    void clearNotice() { showNotice({}, false); }
    void announce();

    DataManager& m_manager;
    DetailServices m_services;
    Confirmation m_confirmation;
    DetailRepeatEdit m_repeat{
        [this](const std::optional<store::RecurrenceRule>& rule) { return saveRule(rule); }};

    store::ReminderPtr m_reminder;
    store::EventPtr m_event;
    QList<DetailRow> m_rows;
    Notice m_notice;
    QString m_title;
    QString m_notes;
    QString m_url;
    // Whether the user typed in the address field since it was last filled: an address left
    // as it was is not validated ("Mail Link" stands for an address it does not hold).
    bool m_urlTyped = false;
    bool m_notesEditable = false;
    // What the working copies were taken from; a copy that differs was edited.
    QString m_titleBase;
    QString m_notesBase;
    QString m_urlBase;
    // The file as this pane last saw or saved it: a refresh with another stamp is another
    // program's change.
    std::optional<store::FileStamp> m_seenStamp;
    // A text the store refused, to be saved again once the task has been read afresh.
    bool m_retryTexts = false;
};

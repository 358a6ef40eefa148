#pragma once

#include "data/detail/DetailRowLayout.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/store/Event.h"
#include "platform/store/ItemOrigin.h"
#include "platform/store/Reminder.h"

#include <QMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CheckDateRow;
class DataManager;
class DividerRow;
class GrowingTextEdit;
class InfoRow;
class LinkHighlighter;
class ListSelectorRow;
class LocationPopover;
class LocationRow;
class MapView;
class ModeManager;
class PriorityRow;
class QLabel;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class RepeatEditor;
class RightViewControllerDelegate;
class UrlRow;
struct ContactPlace;
namespace contacts {
class AddressBook;
}
namespace geo {
class Geocoder;
}

// The detail pane on the right of the main window: every attribute of the task selected in the
// task list, as a column of rows (title, dates, repeat, alarm, location, priority, list, URL,
// notes), each edit saved at once; an event is shown read-only. It keeps working copies of
// the texts being typed, so that a refresh that replaces the task (another program changed
// it) never loses them, and says on the pane when the store refused an edit or the task
// changed or went elsewhere.
class RightViewController : public QWidget
{
    Q_OBJECT

public:
    // Opens an address in the program the desktop chooses; answers whether it could.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    // Asks the user whether to go on; `text` says what would happen.
    using Confirmation = std::function<bool(const QString& text)>;

    RightViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~RightViewController() override;

    void setDelegate(RightViewControllerDelegate* delegate) { m_delegate = delegate; }
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }
    void setConfirmation(Confirmation confirmation) { m_confirmation = std::move(confirmation); }

    void changeViewWithReminder(const store::ReminderPtr& reminder);
    void changeViewWithEvent(const store::EventPtr& event);
    store::ReminderPtr reminder() const { return m_reminder; }
    store::EventPtr event() const { return m_event; }

    // The rows shown, top to bottom, and where the dividers are among them.
    QList<DetailRow> rows() const { return m_rows; }
    QList<int> dividersIndexArray() const { return DetailRowLayout::dividersIndexArray(m_rows); }
    QString currentTitle() const { return m_currentTitle; }
    QString currentNotes() const { return m_currentNotes; }
    std::optional<store::RecurrenceRule> currentRule() const;
    // The message on top of the pane: a refused edit, a task changed or gone elsewhere.
    QString notice() const;

    void resetAppearance();
    // Pinned windows keep their panes in the active look.
    void setupVisualEffectStateActiveAlways(bool always);
    // The keyboard goes to the title (for an event, to the first row that takes it).
    void focusTitle();

    // Everything here that takes the keyboard, in the order Tab visits it: the button that
    // hides the pane, then the rows from top to bottom (rows not shown are skipped).
    QList<QWidget*> keyboardChain() const { return m_keyboardChain; }
    // The rows' widgets, for the window's keyboard handling and for tests.
    QWidget* rowWidget(DetailRowKind kind) const;
    QLabel* labelWidget(DetailLabel label) const { return m_labels.value(label); }
    GrowingTextEdit* titleField() const { return m_title; }
    GrowingTextEdit* notesField() const { return m_notes; }
    CheckDateRow* dueDateRow() const { return m_dueRow; }
    CheckDateRow* completionRow() const { return m_completionRow; }
    CheckDateRow* alarmRow() const { return m_alarmRow; }
    PriorityRow* priorityRow() const { return m_priorityRow; }
    ListSelectorRow* listRow() const { return m_listRow; }
    UrlRow* urlRow() const { return m_urlRow; }
    InfoRow* eventInfoRow() const { return m_eventInfo; }
    LocationRow* locationRow() const { return m_locationRow; }
    MapView* mapRow() const { return m_mapRow; }
    RepeatEditor* repeatEditor() const { return m_repeat; }
    // The place search of the Location row; created when first opened.
    LocationPopover* locationPopover() const { return m_locationPopover; }
    geo::Geocoder& geocoder();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Building and showing (RightViewController.cpp).
    void buildRows();
    void reloadRows();
    void layoutRows();
    void fillRows();
    void fillReminderRows(const store::Reminder& reminder);
    void fillEventRows(const store::Event& event);
    void fillNotes(bool editable);
    void updateTabOrder();
    void showNotice(const QString& text, bool error);
    void clearNotice();
    // The working copies follow the task unless the user changed them.
    void takeWorkingCopies(bool keepEdited);
    bool titleEdited() const { return m_currentTitle != m_titleBase; }
    bool notesEdited() const { return m_currentNotes != m_notesBase; }
    bool urlEdited() const;

    // Edits (RightViewControllerEdits.cpp). Each applies one change to a copy of the task
    // and saves it; the task on screen becomes the saved one only when the store took it.
    bool applyEdit(const std::function<bool(store::Reminder&)>& edit);
    void connectEdits();
    void titleEditingEnded();
    void notesEditingEnded();
    void urlEditingEnded();
    void saveEditedTexts();
    void dueDateCheckChanged(bool checked);
    void dueDateChanged();
    void completionCheckChanged(bool checked);
    void completionDateChanged();
    void alarmCheckChanged(bool checked);
    void alarmTimeChanged();
    void alarmOffsetChosen(int secondsBefore);
    void priorityPressed(int button);
    void listChosen(const store::CalendarPtr& list);
    bool saveRule(const std::optional<store::RecurrenceRule>& rule);
    TaskDetailEdits::DuePreferences duePreferences() const;
    void openCurrentURL();
    void openLink(const QUrl& url);
    // The Location row (RightViewControllerLocation.cpp).
    void locationCheckChanged(bool checked);
    void saveLocationAlarm(const store::Alarm& alarm);
    QList<ContactPlace> contactData();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    RightViewControllerDelegate* m_delegate = nullptr;
    UrlOpener m_urlOpener;
    Confirmation m_confirmation;

    store::ReminderPtr m_reminder;
    store::EventPtr m_event;
    QList<DetailRow> m_rows;
    QString m_currentTitle;
    QString m_currentNotes;
    // What the working copies were taken from; a copy that differs was edited.
    QString m_titleBase;
    QString m_notesBase;
    QString m_urlBase;
    // The file as this pane last saw or saved it: a refresh with another stamp is another
    // program's change.
    std::optional<store::FileStamp> m_seenStamp;
    // A text the store refused, to be saved again once the task has been read afresh.
    bool m_retryTexts = false;
    bool m_activeAlways = false;

    QList<QWidget*> m_keyboardChain;
    QLabel* m_noticeLabel = nullptr;
    QToolButton* m_collapseButton = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_rowsLayout = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QList<DividerRow*> m_dividers;
    QMap<DetailLabel, QLabel*> m_labels;
    GrowingTextEdit* m_title = nullptr;
    QWidget* m_titleRow = nullptr;
    CheckDateRow* m_dueRow = nullptr;
    CheckDateRow* m_completionRow = nullptr;
    CheckDateRow* m_alarmRow = nullptr;
    InfoRow* m_eventInfo = nullptr;
    RepeatEditor* m_repeat = nullptr;
    LocationRow* m_locationRow = nullptr;
    MapView* m_mapRow = nullptr;
    PriorityRow* m_priorityRow = nullptr;
    ListSelectorRow* m_listRow = nullptr;
    UrlRow* m_urlRow = nullptr;
    GrowingTextEdit* m_notes = nullptr;
    QWidget* m_notesRow = nullptr;
    LinkHighlighter* m_highlighter = nullptr;
    LocationPopover* m_locationPopover = nullptr;
    geo::Geocoder* m_geocoder = nullptr;
    // Kept while its folders stay the same, so that a broken card is reported once.
    std::shared_ptr<contacts::AddressBook> m_addressBook;
};

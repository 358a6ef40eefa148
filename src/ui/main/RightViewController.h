#pragma once

#include "data/detail/DetailRowLayout.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QMap>
#include <QWidget>

#include <memory>

class CheckDateRow;
class DataManager;
class DetailEditSession;
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
struct DetailServices;

// The detail pane on the right of the main window: every attribute of the task selected in the
// task list, as a column of rows (title, dates, repeat, alarm, location, priority, list, URL,
// notes), each edit saved at once; an event is shown read-only. It draws its DetailEditSession,
// which holds the task, the texts being typed and the notice, and hands it every edit.
class RightViewController : public QWidget
{
    Q_OBJECT

public:
    RightViewController(DataManager& manager, ModeManager& modeManager,
                        const DetailServices& services, QWidget* parent = nullptr);
    ~RightViewController() override;

    void setDelegate(RightViewControllerDelegate* delegate) { m_delegate = delegate; }
    DetailEditSession& session() const { return *m_session; }

    void changeViewWithReminder(const store::ReminderPtr& reminder);
    void changeViewWithEvent(const store::EventPtr& event);

    void resetAppearance();
    // Pinned windows keep their panes in the active look.
    void setupVisualEffectStateActiveAlways(bool always);
    // The keyboard goes to the title (for an event, to the first row that takes it).
    void focusTitle();

    // Everything here that takes the keyboard, in the order Tab visits it: the button that
    // hides the pane and the one that adds a subtask, then the rows from top to bottom (rows not
    // shown are skipped).
    QList<QWidget*> keyboardChain() const { return m_keyboardChain; }
    // The rows' widgets, for the window's keyboard handling and for tests.
    QWidget* rowWidget(DetailRowKind kind) const;
    QLabel* labelWidget(DetailLabel label) const { return m_labels.value(label); }
    QLabel* noticeLabel() const { return m_noticeLabel; }
    QToolButton* addSubtaskButton() const { return m_addSubtaskButton; }
    // "Add Subtask" works only once there is a quick-add window to open.
    void setAddSubtaskEnabled(bool enabled);
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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Building and showing (RightViewController.cpp).
    void buildRows();
    void reloadRows();
    void layoutRows();
    void fillReminderRows(const store::Reminder& reminder);
    void fillEventRows(const store::Event& event);
    void fillTexts();
    void fillNotes(bool editable);
    void showNotice();

    // Forwarding the rows' input to the session (RightViewControllerEdits.cpp).
    void connectEdits();
    void locationCheckChanged(bool checked);

    DataManager& m_manager;
    ModeManager& m_modeManager;
    std::unique_ptr<DetailEditSession> m_session;
    RightViewControllerDelegate* m_delegate = nullptr;
    bool m_activeAlways = false;

    QList<QWidget*> m_keyboardChain;
    QLabel* m_noticeLabel = nullptr;
    QToolButton* m_collapseButton = nullptr;
    QToolButton* m_addSubtaskButton = nullptr;
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
};

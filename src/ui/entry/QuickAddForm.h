#pragma once

#include "platform/store/Calendar.h"
#include "platform/store/Reminder.h"
#include "presentation/entry/QuickAddSession.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class DataManager;
class DueDateControl;
class ElidedLabel;
class ModeManager;
class NoticeLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The task entry the quick-add window and the tray panel share: a one-line title field that
// follows Smart Add as the user types, the list chooser, the due-date control with its
// "No Due Date" and clear buttons, the Smart Add label and the repeat read from the title with
// their undo button, the enter button and the notice line. It draws its QuickAddSession, which adds
// the task; the window around it decides what an add is followed by (closing, staying open,
// starting afresh).
class QuickAddForm : public QWidget
{
    Q_OBJECT

public:
    using AddResult = QuickAddSession::AddResult;
    static bool wasAdded(AddResult result) { return QuickAddSession::wasAdded(result); }

    // Compact for the window (the list and due date share a row); stacked, one control a
    // row, for the narrow tray panel.
    enum class Arrangement { Compact, Stacked };

    QuickAddForm(DataManager& manager, ModeManager& modeManager,
                 Arrangement arrangement = Arrangement::Compact, QWidget* parent = nullptr);
    ~QuickAddForm() override;

    // Fills the list chooser from the visible lists (the "defaultList" preference selected),
    // starts without a due date, reads the Smart Add rules afresh and empties the title (unless
    // asked to keep what is typed).
    void setupForm(bool keepTitle = false);
    // The due date the form starts at for `date` (invalid: none).
    void setupDueDate(const QDateTime& date);
    // The data manager's selected day.
    void changeToSelectedDate();
    // Selects that list in the chooser; nothing for a list the chooser does not offer.
    void changeToList(const QString& listIdentifier);
    void noDueDateButtonTapped();
    void clearDueDateButtonTapped();
    // The chooser back on the default list, no due date, no recorded rules, an empty title.
    void resetEntry();
    void resetAppearance();
    void focusTitleField();

    // Adds the task from the field (Smart Add's last pass included). On success the field is
    // emptied and taskAdded follows.
    AddResult addTask();
    void showNotice(const QString& notice);

    // What the user is asked when there is no list at all; tests answer it themselves.
    std::function<void(QWidget* parent)> noListAlert;

    QuickAddSession& session() const { return *m_session; }
    SmartAddEntry& entry() const { return m_session->entry(); }
    QLineEdit* titleField() const { return m_titleField; }
    QComboBox* listChooser() const { return m_listChooser; }
    DueDateControl* dueDateControl() const { return m_dueDate; }
    QPushButton* noDueDateButton() const { return m_noDueDateButton; }
    QToolButton* clearDueDateButton() const { return m_clearDueDateButton; }
    QLabel* smartRuleLabel() const { return m_ruleLabel; }
    // "Subtask of …", shown while the form adds subtasks to a task.
    QLabel* parentLabel() const { return m_parentLabel; }
    ElidedLabel* repeatLabel() const { return m_repeatLabel; }
    QToolButton* undoRuleButton() const { return m_undoButton; }
    QToolButton* enterButton() const { return m_enterButton; }
    NoticeLabel* noticeLabel() const { return m_notice; }

Q_SIGNALS:
    // Return or Enter in the title field (with the modifiers held), or the enter button.
    void returnPressed(Qt::KeyboardModifiers modifiers);
    void escapePressed();
    void taskAdded(const store::ReminderPtr& reminder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLists();
    QIcon listIcon(const store::CalendarPtr& list) const;
    void userEditedText(const QString& text);
    void setFieldText(const QString& text, qsizetype cursorPosition);
    void showDueDate(const QDateTime& dueDate);
    void showRuleLabel(const QString& text, bool undoVisible);
    void showRepeatLabel(const QString& text);
    void calendarShown();
    void calendarHidden();
    void showParentTask(const QString& title);

    ModeManager& m_modeManager;
    QuickAddSession* m_session;

    QLineEdit* m_titleField;
    QToolButton* m_enterButton;
    QComboBox* m_listChooser;
    QPushButton* m_noDueDateButton;
    DueDateControl* m_dueDate;
    QToolButton* m_clearDueDateButton;
    QLabel* m_ruleLabel;
    ElidedLabel* m_repeatLabel;
    QToolButton* m_undoButton;
    NoticeLabel* m_notice;
    QLabel* m_parentLabel;
};

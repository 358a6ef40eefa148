#pragma once

#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QWidget>

class DataManager;
class ModeManager;
class QuickAddForm;

// The floating "New Task" window: the quick-add form on its own. Return (or Shift-Return, or the
// enter button) adds the task and closes the window; Ctrl-Return adds it, says so and keeps the
// window open with its list, due date and Smart Add rules for the next task; Escape closes it.
class AddViewController : public QWidget
{
    Q_OBJECT

public:
    AddViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);
    ~AddViewController() override;

    QuickAddForm* form() const { return m_form; }

    // The form starts on the data manager's selected day.
    void changeToSelectedDate();
    void changeToList(const QString& listIdentifier);
    void resetAppearance();
    // Return in the title field, with the modifiers held.
    void returnPressed(Qt::KeyboardModifiers modifiers);

Q_SIGNALS:
    void taskAdded(const store::ReminderPtr& reminder);
    // Closed by the user or after adding, while it still shows.
    void closing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QuickAddForm* m_form;
};

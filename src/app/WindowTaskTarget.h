#pragma once

#include "commands/ShowTaskTarget.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class DataManager;
class WindowController;

// The main window as the place "open" and a clicked notification show a task: the window comes
// to the front and the task list selects the task, in the view on show, else in the day view
// of its due day, else in its own list. It tries again after each refresh and once a second
// while the window is not visible yet or the task is not listed yet (a refresh may still be
// on its way).
class WindowTaskTarget : public QObject, public ShowTaskTarget
{
    Q_OBJECT

public:
    static constexpr int kRetryIntervalMs = 1000;
    static constexpr int kMaximumAttempts = 10;

    WindowTaskTarget();

    // The window comes later than the requests that may want it; until then "open" shows
    // nothing.
    void setWindow(WindowController* window, DataManager* manager);

    void bringMainWindowToFront() override;
    bool canShowTaskNow() const override;
    void openObject(const store::ReminderPtr& reminder) override;

private:
    void attempt(int attemptsLeft);
    // Selects the task in the view on show, its due day's or its list's, with the keyboard on
    // its row; false when none of them lists it.
    bool showTask(const store::ReminderPtr& reminder);
    bool selectInView(const store::ReminderPtr& reminder);

    QPointer<WindowController> m_window;
    DataManager* m_manager = nullptr;
    QTimer m_retry;
    store::ReminderPtr m_pending;
    int m_attemptsLeft = 0;
};

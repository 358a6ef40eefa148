#pragma once

#include "commands/ShowTaskTarget.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// The main window as the place "open" and a clicked notification show a task: the window comes
// to the front and the task list selects the task, trying again once a second while the
// window is not visible yet or the task is not listed yet (a refresh may still be on its way).
class WindowTaskTarget : public ShowTaskTarget
{
public:
    static constexpr int kRetryIntervalMs = 1000;
    static constexpr int kMaximumAttempts = 10;

    // The window comes later than the requests that may want it; until then "open" shows
    // nothing.
    void setWindow(QWidget* window) { m_window = window; }
    // Selects the task in the task list; false when it is not listed.
    using Selector = std::function<bool(const store::ReminderPtr&)>;
    void setSelector(Selector selector) { m_selector = std::move(selector); }

    void bringMainWindowToFront() override;
    bool canShowTaskNow() const override;
    void openObject(const store::ReminderPtr& reminder) override;

private:
    void attempt(const store::ReminderPtr& reminder, int attemptsLeft);

    QPointer<QWidget> m_window;
    Selector m_selector;
    QTimer m_retry;
};

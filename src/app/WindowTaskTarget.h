#pragma once

#include "entry/logic/ShowTaskTarget.h"

#include <QPointer>
#include <QWidget>

// The main window as the place "open" shows a task. Until the window has content that lists
// tasks, showing one means bringing the window to the front.
class WindowTaskTarget : public ShowTaskTarget
{
public:
    // The window comes later than the requests that may want it; until then "open" shows
    // nothing.
    void setWindow(QWidget* window) { m_window = window; }

    void bringMainWindowToFront() override;
    bool canShowTaskNow() const override;
    void openObject(const store::ReminderPtr& reminder) override;

private:
    QPointer<QWidget> m_window;
};

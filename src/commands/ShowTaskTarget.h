#pragma once

#include "platform/store/Reminder.h"

// Where the "open" URL command shows a task: the application's main window. The application
// shell implements it; a program without windows (the command-line front end) has none, and
// "open" then only looks the task up.
class ShowTaskTarget
{
public:
    virtual ~ShowTaskTarget() = default;

    // Brings the main window to the front when it exists but is not visible; otherwise nothing.
    virtual void bringMainWindowToFront() = 0;
    // The centre pane exists and the main window is visible, so a task can be selected now.
    virtual bool canShowTaskNow() const = 0;
    // Selects the task in the main window, trying again once a second until the window is
    // visible.
    virtual void openObject(const store::ReminderPtr& reminder) = 0;
};

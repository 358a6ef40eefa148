#pragma once

#include "platform/store/Reminder.h"

// The application-wide relays the panes call (the application delegate implements them):
// the menu-bar panel, the sidebar reload from the preferences, and selecting a task from
// elsewhere. A pane without a shell (in tests) simply does not relay.
class ApplicationShell
{
public:
    virtual ~ApplicationShell() = default;
    // Lists or smart lists changed: the menu-bar panel refreshes its content.
    virtual void panelRefreshOnListChange() {}
    // The sidebar rebuilds from the preferences (and the list menus follow).
    virtual void refreshLeftList() {}
    // After each data refresh: the menu-bar panel refreshes its day line.
    virtual void refreshPanel() {}
    // After each data refresh, once the lists are current: the alarm notifications follow.
    virtual void scheduleNotifications() {}
    virtual void selectReminder(const store::ReminderPtr& reminder) { Q_UNUSED(reminder) }
};

#pragma once

#include "data/ListEntry.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QRect>

// What the three panes of the main window ask of the window's content controller, which is
// the only one that knows all three. Every call has an empty default so that a pane can run
// without a window around it (in tests, or while the window is being built): a call the
// delegate does not answer is skipped.

class LeftViewControllerDelegate
{
public:
    virtual ~LeftViewControllerDelegate() = default;
    virtual void selectedRowChangedWithDictionary(const ListEntry& listDictionary)
    {
        Q_UNUSED(listDictionary)
    }
    virtual void toggleLeftView() {}
    virtual void keyLeftTapped() {}
    virtual void keyRightTapped() {}
    virtual void pinButtonOn(bool on) { Q_UNUSED(on) }
    // `rect` is in the sidebar's own coordinates.
    virtual void shareListWithRect(const QRect& rect) { Q_UNUSED(rect) }
};

class MidViewControllerDelegate
{
public:
    virtual ~MidViewControllerDelegate() = default;
    virtual void selectedRowChangedWithReminder(const store::ReminderPtr& reminder)
    {
        Q_UNUSED(reminder)
    }
    virtual void selectedRowChangedWithEvent(const store::EventPtr& event) { Q_UNUSED(event) }
    virtual void toggleRightView() {}
    virtual void toggleLeftView() {}
    virtual void addNewTask() {}
    // The quick-add form bound to `parent`: what it adds is that task's subtask.
    virtual void addSubtask(const store::ReminderPtr& parent) { Q_UNUSED(parent) }
    virtual void refreshLeftTableView() {}
    // Return on a selected task: the detail pane opens with the keyboard in its title.
    virtual void editSelectedReminder() {}
    // A change the user made did not reach the store; `reason` is the store's.
    virtual void changeFailed(const QString& title, const QString& reason)
    {
        Q_UNUSED(title)
        Q_UNUSED(reason)
    }
};

class RightViewControllerDelegate
{
public:
    virtual ~RightViewControllerDelegate() = default;
    virtual void toggleRightView() {}
    // Escape in the detail pane: the keyboard goes back to the task list.
    virtual void returnToTaskList() {}
    virtual void addSubtask(const store::ReminderPtr& parent) { Q_UNUSED(parent) }
};

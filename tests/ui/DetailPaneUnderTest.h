#pragma once

#include "DetailStore.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/DatePickerButton.h"

#include <QCalendarWidget>

#include <QTest>

// The detail pane on its own over the detail store's task, kept as the main window keeps it:
// told the task afresh after every refresh, or none once it is gone. False when the pane never
// showed the task.
inline bool showDetailPane(std::unique_ptr<RightViewController>& pane, DataManager& manager,
                           ModeManager& modes, const DetailServices& services)
{
    pane = std::make_unique<RightViewController>(manager, modes, services);
    const auto showTask = [&manager, shown = pane.get()] {
        shown->changeViewWithReminder(manager.tasks().reminderWithIdentifier("water-plants"));
    };
    QObject::connect(&manager, &DataManager::remindersRefreshed, pane.get(), showTask);
    pane->resize(300, 900);
    pane->show();
    if (!QTest::qWaitForWindowExposed(pane.get()))
        return false;
    showTask();
    return bool(pane->session().reminder());
}

// A date picker's pop-over, opened from the keyboard; null (and a failed test) when it is not.
inline DatePopover* openPicker(DatePickerButton* picker)
{
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Space);
    DatePopover* popover = picker->popover();
    if (!popover)
        QTest::qFail("the pop-over did not open", __FILE__, __LINE__);
    else if (!QTest::qWaitForWindowExposed(popover))
        QTest::qFail("the pop-over is not shown", __FILE__, __LINE__);
    return popover;
}

// What takes the pop-over calendar's keys.
inline QWidget* calendarView(DatePopover* popover)
{
    return popover->calendar()->focusProxy() ? popover->calendar()->focusProxy()
                                             : popover->calendar();
}

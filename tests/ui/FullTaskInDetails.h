#pragma once

#include "PreferenceFixture.h"

#include "data/TaskOperations.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QTest>

// The task that fills every row of the details (due, repeating, high priority, a link and an
// alarm), written as "a" into the fixture's Work list and shown in All Tasks with its details
// open. False when a step did not come about.
inline bool showFullTaskInDetails(PreferenceFixture& fixture, ViewController& view)
{
    if (!PreferenceFixture::writeFile(
            fixture.root() + "/work/a.ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VTODO\r\nUID:a\r\n"
            "DTSTAMP:20261201T090000Z\r\nSUMMARY:Report\r\nDUE:20261209T153000\r\n"
            "RRULE:FREQ=MONTHLY;COUNT=6\r\nPRIORITY:1\r\nURL:https://example.org/\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\n"
            "END:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"))
        return false;
    fixture.manager->refreshRemindersArray();
    if (!fixture.waitForRefresh())
        return false;
    view.lvc()->presenter().selectPresetList(1);
    if (!QTest::qWaitFor([&view] { return view.mvc()->presenter().remindersArray().size() == 1; }))
        return false;
    view.mvc()->presenter().selectReminder(fixture.manager->tasks().reminderWithIdentifier("a"));
    if (!QTest::qWaitFor([&view] { return bool(view.rvc()->session().reminder()); }))
        return false;
    view.showHideDetails();
    return QTest::qWaitFor([&view] { return view.isDetailsShown(); });
}

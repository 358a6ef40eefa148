#pragma once

#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

// The day the task list suites look at, 9 December 2026 at 08:00: the list Work with the
// tasks Report and Slides due that day, and the calendar events Stand-up (09:30) and Review
// (15:00), opened by a data manager with default preferences.
struct TaskListDay : LoadedStore
{
    TaskListDay()
    {
        using namespace TestFiles;
        clock.setNow(TestEnvironment::local(2026, 12, 9, 8, 0));
        addList("work", "Work");
        writeFile(root() + "/work/a.ics", todo("a", "Report", "DUE;VALUE=DATE:20261209\r\n"));
        writeFile(root() + "/work/b.ics", todo("b", "Slides", "DUE;VALUE=DATE:20261209\r\n"));
        addList("calendar", "Calendar");
        writeFile(root() + "/calendar/e1.ics",
                  event("e1", "Stand-up", "20261209T093000", "20261209T094500"));
        writeFile(root() + "/calendar/e2.ics",
                  event("e2", "Review", "20261209T150000", "20261209T160000"));
        load();
    }

    static QByteArray event(const QByteArray& uid, const QByteArray& summary,
                            const QByteArray& start, const QByteArray& end)
    {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\n"
               "UID:" +
               uid + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;TZID=Europe/Berlin:" + start +
               "\r\nDTEND;TZID=Europe/Berlin:" + end + "\r\nSUMMARY:" + summary +
               "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
};

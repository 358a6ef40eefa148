#pragma once

#include "PreferenceFixture.h"
#include "TestFiles.h"

#include "data/TaskOperations.h"
#include "platform/store/CollectionFinder.h"
#include "presentation/detail/DetailEditSession.h"
#include "presentation/detail/DetailServices.h"
#include "ui/entry/AddViewController.h"
#include "ui/intro/IntroWindowController.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QTest>

#include <functional>

// The windows that the suites checking every control (names, text that fits) walk the same
// way, over a PreferenceFixture. A check takes the window and returns its faults.
using WindowCheck = std::function<QStringList(QWidget*)>;

// The task that fills every row of the details (due, repeating, high priority, a link and an
// alarm), written as "a" into the fixture's Work list and shown in All Tasks with its details
// open, in place of a task "a" the list may hold already. False when a step did not come about.
inline bool showFullTaskInDetails(PreferenceFixture& fixture, ViewController& view)
{
    // Renamed over the file as other programs write, which the store's folder watching sees.
    TestFiles::replaceFile(
        fixture.root() + "/work/a.ics",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VTODO\r\nUID:a\r\n"
        "DTSTAMP:20261201T090000Z\r\nSUMMARY:Report\r\nDUE:20261209T153000\r\n"
        "RRULE:FREQ=MONTHLY;COUNT=6\r\nPRIORITY:1\r\nURL:https://example.org/\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\n"
        "END:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    if (QTest::currentTestFailed())
        return false;
    fixture.manager->refreshRemindersArray();
    // The refresh that read the file written here: one the window started before may end first.
    DataManager& manager = *fixture.manager;
    if (!QTest::qWaitFor([&manager] {
            const store::ReminderPtr task = manager.tasks().reminderWithIdentifier("a");
            return task && task->priority == 1;
        }))
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

// The main window with the full task's details open (open()).
struct MainWindowWithFullTask
{
    explicit MainWindowWithFullTask(PreferenceFixture& preferences)
        : fixture(preferences)
        , services(*preferences.defaults)
        , window(*preferences.manager, *preferences.modes, services.services())
    {}

    bool open()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        view().setAnimationDuration(0);
        return showFullTaskInDetails(fixture, view());
    }

    ViewController& view() { return *window.viewController(); }

    // What `check` finds in All Tasks, the day, the week and the month with the task selected
    // in each, every fault headed by the view and the window's size.
    QStringList faultsInEveryView(const WindowCheck& check)
    {
        ViewController& shown = view();
        const QList<std::pair<QString, std::function<void()>>> views = {
            {"All Tasks", [&shown] { shown.lvc()->presenter().selectPresetList(1); }},
            {"the day", [&shown] { shown.lvc()->presenter().selectDayView(); }},
            {"the week", [&shown] { shown.lvc()->presenter().selectWeekView(); }},
            {"the month", [&shown] { shown.lvc()->presenter().selectMonthView(); }}};
        QStringList faults;
        for (const auto& [name, show] : views) {
            show();
            shown.mvc()->presenter().selectReminder(
                fixture.manager->tasks().reminderWithIdentifier("a"));
            QCoreApplication::processEvents();
            for (const QString& fault : check(&window))
                faults << QStringLiteral("%1 at %2 by %3: ")
                                  .arg(name)
                                  .arg(window.width())
                                  .arg(window.height()) +
                              fault;
        }
        return faults;
    }

    PreferenceFixture& fixture;
    PreferredDetailServices services;
    WindowController window;
};

inline QStringList faultsInQuickAdd(PreferenceFixture& fixture, const WindowCheck& check)
{
    AddViewController window(*fixture.manager, *fixture.modes);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {QStringLiteral("the quick-add window is not shown")};
    return check(&window);
}

// Every page of the onboarding, over the fixture's folder (which holds no other store).
inline QStringList faultsOnEveryOnboardingPage(PreferenceFixture& fixture, const WindowCheck& check)
{
    IntroWindowController window(*fixture.manager, *fixture.modes);
    const QString home = fixture.dir.path();
    window.setFinderFactory([home] { return store::CollectionFinder(home, {}); });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {QStringLiteral("the onboarding is not shown")};
    QStringList faults;
    for (int page = 1; page <= 5; ++page) {
        window.selectPageAtIndex(page);
        if (window.currentPage() != page)
            faults << QStringLiteral("page %1 is not shown").arg(page);
        QCoreApplication::processEvents();
        for (const QString& fault : check(&window))
            faults << QStringLiteral("page %1: ").arg(page) + fault;
    }
    return faults;
}

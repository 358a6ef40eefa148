#include "CalendarFiles.h"
#include "LoadedStore.h"
#include "ReminderBuilder.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/CalendarEvents.h"
#include "data/SharedDates.h"
#include "data/views/TaskListAssembly.h"

using namespace TestFiles;
using CalendarFiles::eventFile;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

QByteArray doneAt(const QByteArray& utc)
{
    return "STATUS:COMPLETED\r\nCOMPLETED:" + utc + "\r\n";
}

store::CalendarPtr coloured(const QString& identifier, const store::CollectionColor& color)
{
    store::CalendarPtr list = makeList(identifier, identifier);
    list->color = color;
    return list;
}

} // namespace

// The task list of every view over a real store, with the clock on Wednesday 9 December 2026,
// 10:30 in Berlin, and weeks starting on Monday (7 to 13 December).
class TestTaskListAssembly : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->defaults->setBool(false, PrefKey::sundayFirst);
        m_store->clock.setNow(local(2026, 12, 9, 10, 30));
    }

    void cleanup() { m_store.reset(); }

    // Each case: the view, the period relative to the current one, the switches that are on (O
    // overdueNow, U the view's Undated filter, C its Completed filter, S showing completed) and
    // the titles in order. The preferences are read at the moment of the fetch.
    void periodViews()
    {
        DataManager& manager = createLoaded();
        const SharedDates& dates = manager.dates();
        using enum TaskViewMode;
        using Case = std::tuple<TaskViewMode, int, QString, QStringList>;
        const QStringList open{"Overdue", "Yesterday", "Today", "Tomorrow", "Undated"};
        for (const auto& [mode, offset, switches, expected] :
             {Case{Day, 0, "OUCS", {"Overdue", "Yesterday", "Today", "Undated", "Done today"}},
              // Completed hidden although dayCompleted is on.
              Case{Day, 0, "OUC", {"Overdue", "Yesterday", "Today", "Undated"}},
              Case{Day, 0, "US", {"Today", "Undated", "Done today"}},
              Case{Day, -1, "OUC", {"Done yesterday"}}, Case{Day, -1, "OUS", {}},
              // A past day without overdueNow: that day's open tasks.
              Case{Day, -1, "US", {"Yesterday"}},
              // dayCompleted shows completed tasks while showingCompleted is off.
              Case{Day, 1, "OUC", {"Tomorrow", "Done tomorrow"}}, Case{Day, 1, "US", {"Tomorrow"}},
              Case{Week, 0, "OUCS",
                   open + QStringList{"Done yesterday", "Done today", "Done tomorrow"}},
              Case{Week, 0, "", {"Yesterday", "Today", "Tomorrow"}},
              Case{Week, 1, "OUS", {"Next week"}}, Case{Week, -1, "OUC", {"Done early"}},
              Case{Week, -1, "OUS", {}},
              Case{Month,
                   0,
                   "OCS",
                   {"Overdue", "Yesterday", "Today", "Tomorrow", "Next week", "Done early",
                    "Done yesterday", "Done today", "Done tomorrow"}},
              Case{Month,
                   0,
                   "OUC",
                   {"Overdue", "Yesterday", "Today", "Tomorrow", "Next week", "Undated"}},
              Case{Month, 1, "OUC", {"Next month"}}, Case{Month, -1, "OUCS", {}},
              Case{Month, -1, "US", {"Overdue"}}}) {
            m_store->defaults->setBool(switches.contains('O'), PrefKey::overdueNow);
            const QString name = QStringList{"day", "week", "month"}.at(int(mode));
            setFilter(QLatin1StringView((name + "Undated").toLatin1()), switches.contains('U'));
            setFilter(QLatin1StringView((name + "Completed").toLatin1()), switches.contains('C'));
            const QDateTime start = mode == Day    ? dates.today().addDays(offset)
                                    : mode == Week ? dates.thisWeekDate().addDays(7 * offset)
                                                   : dates.thisMonthDate().addMonths(offset);
            const auto content = TaskListAssembly(manager).fetchData(
                mode, ofType(11 + int(mode)), start, switches.contains('S'), {});
            // The case goes into the comparison, to tell which one failed.
            const QString which = QStringLiteral("%1 %2 %3: ").arg(name).arg(offset).arg(switches);
            QCOMPARE(which + titles(content.reminders).join(", "), which + expected.join(", "));
        }
    }

    // The day view's events: the switches as for the periods, and "d" or "v" for dayEvents or
    // viewEvents turned off. Ended events (Breakfast, Call) go behind the others, in their own
    // order; tomorrow keeps its order.
    void dayEvents()
    {
        DataManager& manager = createLoaded();
        using Case = std::tuple<int, QString, QStringList>;
        for (const auto& [offset, switches, expected] :
             {Case{0, "S", {"Holiday", "Lunch", "Breakfast", "Call"}},
              Case{0, "C", {"Holiday", "Lunch"}}, Case{-1, "S", {}}, Case{-1, "C", {"Dinner"}},
              Case{1, "", {"Trip", "Dentist"}}, Case{0, "CSd", {}}, Case{0, "CSv", {}}}) {
            setFilter(PrefKey::Filter::dayCompleted, switches.contains('C'));
            setFilter(PrefKey::Filter::dayEvents, !switches.contains('d'));
            m_store->defaults->setBool(!switches.contains('v'), PrefKey::viewEvents);
            const auto content = TaskListAssembly(manager).fetchData(TaskViewMode::Day, ofType(11),
                                                                     local(2026, 12, 9 + offset),
                                                                     switches.contains('S'), {});
            QVERIFY(content.events.has_value());
            const QString which = QStringLiteral("%1 %2: ").arg(offset).arg(switches);
            QCOMPARE(which + titles(*content.events).join(", "), which + expected.join(", "));
        }
    }

    void weekAndMonthEventsAndOtherViewsHaveNone()
    {
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        auto content =
            assembly.fetchData(TaskViewMode::Week, ofType(12), local(2026, 12, 7), false, {});
        QCOMPARE(titles(*content.events), (QStringList{"Holiday", "Lunch", "Trip", "Dentist"}));
        // The first refresh fetched the weeks around today: the month's events are fetched when
        // it first asks, and it shows them when they come.
        const auto month = [&] {
            return assembly.fetchData(TaskViewMode::Month, ofType(13), local(2026, 12, 1), true,
                                      {});
        };
        QSignalSpy fetched(&manager.events(), &CalendarEvents::eventWindowRefreshed);
        QVERIFY(month().events->isEmpty());
        QVERIFY(fetched.wait(5000));
        QCOMPARE(titles(*month().events), (QStringList{"Holiday", "Lunch", "Trip", "Dentist",
                                                       "Dinner", "Breakfast", "Call"}));

        content = assembly.fetchData(TaskViewMode::List, ofType(0), {}, false, {});
        QVERIFY(!content.events.has_value());
        QCOMPARE(titles(content.reminders),
                 (QStringList{"Overdue", "Yesterday", "Today", "Tomorrow", "Next week",
                              "Next month", "Undated"}));
        content = assembly.fetchData(TaskViewMode::List, ofType(1), {}, true, {});
        QCOMPARE(titles(content.reminders),
                 (QStringList{"Undated", "Done early", "Done tomorrow"}));
        content = assembly.fetchData(TaskViewMode::Search, ofType(14), {}, true, "DONE");
        QCOMPARE(titles(content.reminders),
                 (QStringList{"Done early", "Done yesterday", "Done today", "Done tomorrow"}));
        QVERIFY(assembly.fetchData(TaskViewMode::Search, {}, {}, true, "").reminders.isEmpty());
    }

    void withoutASnapshotEverythingIsEmpty()
    {
        DataManager& manager = createLoaded();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.refreshRemindersArray();
        QVERIFY(!manager.hasRemindersArray()); // the refresh runs
        const TaskListAssembly assembly(manager);
        const auto content =
            assembly.fetchData(TaskViewMode::Day, ofType(11), manager.dates().today(), true, {});
        QVERIFY(content.reminders.isEmpty());
        QVERIFY(content.events && content.events->isEmpty());
        QVERIFY(refreshed.wait(5000));
    }

    // A preset, a tag list, a user list, the search, a saved search; a day's type in a list and
    // an unknown type leave the title ("-") as it was.
    void titlesOfListsAndMovesBetweenPeriods()
    {
        const TaskListAssembly assembly(createLoaded());
        const QDateTime kept = local(2026, 3, 1);
        QStringList titles;
        for (const QVariantMap& stored :
             {QVariantMap{{"type", 4}}, QVariantMap{{"type", 8}, {"tag", "home"}},
              QVariantMap{{"type", 10}, {"title", "Errands"}, {"tag", "x"}},
              QVariantMap{{"type", 14}}, QVariantMap{{"type", 15}, {"tag", "milk bread"}},
              QVariantMap{{"type", 11}}, QVariantMap{{"type", 16}}}) {
            const ListEntry entry = ListEntry::fromStored(stored);
            const TaskListAssembly::TopView top = assembly.refreshTopView(
                entry.is(ListKind::Search) ? TaskViewMode::Search : TaskViewMode::List, entry,
                kept);
            titles << top.title.value_or("-");
            QCOMPARE(top.currentDate, kept);
            QVERIFY(!top.navigationEnabled && top.showHideVisible);
        }
        QCOMPARE(titles, (QStringList{"Overdue Tasks", "#home", "Errands", "Search", "milk bread",
                                      "-", "-"}));

        // Moving on: 31 January plus a month in a leap year, a day into summer time, a week over
        // the autumn change and back over the year's end, midnight each time; a search has no
        // periods.
        using enum TaskViewMode;
        using Move = std::tuple<TaskViewMode, QDateTime, int>;
        QList<QDateTime> moved;
        for (const auto& [mode, from, step] :
             {Move{Month, local(2028, 1, 31), 1}, Move{Day, local(2026, 3, 28), 1},
              Move{Week, local(2026, 10, 21), 1}, Move{Week, local(2027, 1, 3), -1},
              Move{Search, local(2027, 1, 3), 1}})
            moved << assembly.periodMovedDate(mode, from, step);
        QCOMPARE(moved, (QList<QDateTime>{local(2028, 2, 29), local(2026, 3, 29),
                                          local(2026, 10, 28), local(2026, 12, 27), QDateTime()}));
    }

    // Each case: the clock, a date chosen in the calendar (or none), the view, and the period,
    // the start of its title and whether Show/Hide Completed is offered. A week that is not
    // this one is named after the month of its own first day; the week that began on Monday
    // 30 November after today's month.
    void titlesOfDatesAndTheShowHideButton()
    {
        using enum TaskViewMode;
        using Case = std::tuple<QDateTime, QDateTime, TaskViewMode, QDateTime, const char*, bool>;
        const QDateTime now = local(2026, 12, 9, 10, 30), dec2 = local(2026, 12, 2, 9),
                        jan1 = local(2027, 1, 1), none;
        DataManager* manager = nullptr;
        QDateTime clock, chosen;
        for (const auto& [at, selected, mode, period, title, showHide] :
             {Case{now, none, Day, local(2026, 12, 9), "Wed, Dec 9, 2026. Today", true},
              Case{now, none, Week, local(2026, 12, 7), "December 2026. This Week", true},
              Case{now, none, Month, local(2026, 12, 1), "", true},
              Case{now, jan1, Day, jan1, "Fri, Jan 1, 2027. ", false},
              Case{now, jan1, Week, local(2026, 12, 28), "December 2026. ", false},
              Case{now, jan1, Month, jan1, "January 2027. Next Month", false},
              Case{dec2, none, Week, local(2026, 11, 30), "December 2026. This Week", true},
              Case{dec2, local(2026, 11, 25), Week, local(2026, 11, 23), "November 2026. ",
                   false}}) {
            if (at != clock) {
                m_store->clock.setNow(at);
                manager = &createLoaded();
                clock = at;
                chosen = {};
            }
            if (selected.isValid() && selected != std::exchange(chosen, selected)) {
                QSignalSpy refreshed(manager, &DataManager::remindersRefreshed);
                manager->dates().setSelectedDate(selected);
                QVERIFY(refreshed.wait(5000));
            }
            const auto top =
                TaskListAssembly(*manager).refreshTopView(mode, ofType(11 + int(mode)), {});
            QCOMPARE(top.currentDate, period);
            QVERIFY2(top.title->startsWith(title), qPrintable(*top.title));
            QVERIFY(top.navigationEnabled);
            QCOMPARE(top.showHideVisible, showHide);
        }
    }

    void aWeekAcrossTheSpringChange()
    {
        m_store->clock.setNow(
            local(2026, 3, 25, 12)); // the week of 23 to 29 March is 167 hours long
        writeFile(root() + "/home/displayname", "Home");
        for (const auto& [uid, title, due] :
             {std::tuple{"late", "Sunday late", "TZID=Europe/Berlin:20260329T233000"},
              {"early", "Monday early", "TZID=Europe/Berlin:20260330T003000"},
              {"first", "Monday first", "VALUE=DATE:20260323"}})
            writeFile(root() + "/home/" + uid + ".ics",
                      todo(uid, title, "DUE;" + QByteArray(due) + "\r\n"));
        setFilter(PrefKey::Filter::weekUndated, false);
        m_store->defaults->setBool(false, PrefKey::overdueNow);
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);

        const QDateTime week = assembly.refreshTopView(TaskViewMode::Week, {}, {}).currentDate;
        QCOMPARE(week, local(2026, 3, 23));
        auto content = assembly.fetchData(TaskViewMode::Week, {}, week, false, {});
        QCOMPARE(titles(content.reminders), (QStringList{"Monday first", "Sunday late"}));
        const CalendarDots dots =
            assembly.calendarDots(TaskViewMode::Week, week, content.reminders, {});
        QCOMPARE(dots.keys(), (QList<int>{1, 7}));

        const QDateTime next = TaskListAssembly::periodStart(
            TaskViewMode::Week,
            assembly.periodMovedDate(TaskViewMode::Week, manager.dates().selectedDate(), 1));
        QCOMPARE(next, local(2026, 3, 30));
        QCOMPARE(week.secsTo(next), 167 * 3600);
        content = assembly.fetchData(TaskViewMode::Week, {}, next, false, {});
        QCOMPARE(titles(content.reminders), QStringList{"Monday early"});
    }

    // --- Dots -------------------------------------------------------------------------------
    // Which day of the calendar strip carries a dot for each task and event, for the week of
    // Monday 7 December 2026 and for whole months; today is Wednesday 9 December.

    // Long overdue, and overdue since the evening before: the first day; late on the last day;
    // beyond the week; due in New York on Berlin's Thursday; completed: on its completion day,
    // not its due day; completed before the week. A midnight due date is a date without time.
    void tasksAreDottedOnTheirDay()
    {
        DataManager& manager = createLoaded();
        const store::CalendarPtr home =
            coloured("home", store::CollectionColor::fromText(u"#3366cc"));
        const auto task = [&] { return ReminderBuilder("task").in(home); };
        const QDateTime dec8 = local(2026, 12, 8);
        const QList<ReminderBuilder> tasks{
            task().dueAt(local(2026, 10, 1)),
            task().dueAt(local(2026, 12, 6, 23, 59)),
            task().dueAt(local(2026, 12, 13, 23, 30)),
            task().dueAt(local(2026, 12, 14)),
            task().dueIn("America/New_York", QDate(2026, 12, 9), QTime(20, 0)),
            task().dueAt(dec8).completedAt(local(2026, 12, 11, 9)),
            task().dueAt(dec8).completedAt(local(2026, 12, 6, 22))};
        QList<int> days;
        for (const ReminderBuilder& one : tasks) {
            const CalendarDots dots = TaskListAssembly(manager).calendarDots(
                TaskViewMode::Week, local(2026, 12, 7), {one.build()}, {});
            QVERIFY(dots.size() <= 1);
            days << (dots.isEmpty() ? 0 : dots.firstKey());
            if (!dots.isEmpty())
                QCOMPARE(dots.first(),
                         (QList<CalendarDot>{{CalendarDot::Kind::Reminder, home->color}}));
        }
        QCOMPARE(days, (QList<int>{1, 1, 7, 0, 4, 5, 0}));

        // Several on a day: the tasks first in the order given, each in its list's colour.
        const store::CalendarPtr red = coloured("red", store::CollectionColor::fromText(u"red"));
        const store::CalendarPtr blue = coloured("blue", store::CollectionColor::fromText(u"blue"));
        const store::CalendarPtr cal = coloured("cal", store::CollectionColor::fromText(u"green"));
        const ReminderList reminders{
            ReminderBuilder("one").in(red).dueOn(QDate(2026, 12, 9)),
            ReminderBuilder("two").in(blue).dueAt(local(2026, 12, 9, 8)),
            ReminderBuilder("three").in(red).dueOn(QDate(2026, 12, 9)),
            ReminderBuilder("four").dueOn(QDate(2026, 12, 9)), // no list: no colour
        };
        const QList<store::EventPtr> events{
            eventOf("Lunch", local(2026, 12, 9, 12), local(2026, 12, 9, 13), false, cal)};
        const CalendarDots dots = TaskListAssembly(manager).calendarDots(
            TaskViewMode::Week, local(2026, 12, 7), reminders, events);
        using K = CalendarDot::Kind;
        QCOMPARE(dots.value(3), (QList<CalendarDot>{{K::Reminder, red->color},
                                                    {K::Reminder, blue->color},
                                                    {K::Reminder, red->color},
                                                    {K::Reminder, store::CollectionColor()},
                                                    {K::Event, cal->color}}));
    }

    void eventsAreDottedOnEveryDayTheyTouch()
    {
        DataManager& manager = createLoaded();
        const store::CalendarPtr cal =
            coloured("cal", store::CollectionColor::fromText(u"#ff8800"));
        const TaskListAssembly assembly(manager);
        auto daysOf = [&](const store::EventPtr& one) {
            return assembly.calendarDots(TaskViewMode::Week, local(2026, 12, 7), {}, {one}).keys();
        };
        const store::EventPtr night =
            eventOf("Night", local(2026, 12, 8, 22), local(2026, 12, 9, 1), false, cal);
        QCOMPARE(daysOf(night), (QList<int>{2, 3}));
        // An all-day event ends the moment its last day does.
        QCOMPARE(daysOf(eventOf("Trip", local(2026, 12, 10), local(2026, 12, 12), true, cal)),
                 (QList<int>{4, 5}));
        QCOMPARE(daysOf(eventOf("Before", local(2026, 11, 30), local(2026, 12, 19), true, cal)),
                 (QList<int>{1, 2, 3, 4, 5, 6, 7}));

        m_store->defaults->setBool(false, PrefKey::showEventDots);
        QVERIFY(daysOf(night).isEmpty());
    }

    void aMonthRunsOverItsOwnDaysOnly()
    {
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        const ReminderList reminders{
            ReminderBuilder("overdue").dueOn(QDate(2027, 1, 20)),
            ReminderBuilder("last").dueAt(local(2027, 2, 28, 23, 59)),
            ReminderBuilder("march").dueOn(QDate(2027, 3, 1)),
        };
        const QList<store::EventPtr> events{
            eventOf("Fair", local(2027, 2, 27), local(2027, 3, 3), true,
                    coloured("cal", store::CollectionColor::fromText(u"green")))};
        const CalendarDots dots =
            assembly.calendarDots(TaskViewMode::Month, local(2027, 2, 1), reminders, events);
        QCOMPARE(dots.keys(), (QList<int>{1, 27, 28}));
        QCOMPARE(dots.value(28).size(), 2);

        const CalendarDots december =
            assembly.calendarDots(TaskViewMode::Month, local(2026, 12, 1),
                                  {ReminderBuilder("eve").dueOn(QDate(2026, 12, 31))}, {});
        QCOMPARE(december.keys(), QList<int>{31});

        // The day view has no strip.
        QVERIFY(assembly.calendarDots(TaskViewMode::Day, local(2026, 12, 9), reminders, events)
                    .isEmpty());
    }

private:
    QString root() const { return m_store->root(); }

    // Tasks around Wednesday 9 December 2026 in the list Home, and events in Calendar.
    void writeStore()
    {
        const QString home = root() + "/home/";
        writeFile(home + "displayname", "Home");
        writeFile(home + "color", "#3366CC");
        const QList<std::pair<QByteArray, QByteArray>> tasks{
            {"Overdue", "DUE;VALUE=DATE:20261120\r\n"},
            {"Yesterday", "DUE;TZID=Europe/Berlin:20261208T090000\r\n"},
            {"Today", "DUE;TZID=Europe/Berlin:20261209T150000\r\n"},
            {"Done today", "DUE;VALUE=DATE:20261209\r\n" + doneAt("20261209T080000Z")},
            {"Done yesterday", "DUE;VALUE=DATE:20261207\r\n" + doneAt("20261208T110000Z")},
            {"Tomorrow", "DUE;TZID=Europe/Berlin:20261210T100000\r\n"},
            // Completed on another device whose clock ran ahead.
            {"Done tomorrow", doneAt("20261210T070000Z")},
            {"Undated", ""},
            {"Next week", "DUE;VALUE=DATE:20261216\r\n"},
            {"Next month", "DUE;VALUE=DATE:20270112\r\n"},
            {"Done early", doneAt("20261201T100000Z")}};
        for (qsizetype i = 0; i < tasks.size(); ++i)
            writeFile(home + QString::number(i) + ".ics",
                      todo(QByteArray::number(i), tasks[i].first, tasks[i].second));

        const QString cal = root() + "/cal/";
        writeFile(cal + "displayname", "Calendar");
        const QList<QByteArrayList> events{{"Breakfast", "20261209T080000", "20261209T090000"},
                                           {"Call", "20261209T090000", "20261209T103000"},
                                           {"Lunch", "20261209T120000", "20261209T130000"},
                                           {"Holiday", "20261209", "20261210"},
                                           {"Dinner", "20261208T190000", "20261208T200000"},
                                           {"Trip", "20261210", "20261212"},
                                           {"Dentist", "20261210T080000", "20261210T090000"}};
        for (qsizetype i = 0; i < events.size(); ++i) {
            const QByteArray uid(1, char('a' + i));
            writeFile(cal + QString::fromLatin1(uid) + ".ics",
                      eventFile(uid, events[i][0], events[i][1], events[i][2]));
        }
    }

    DataManager& createLoaded()
    {
        if (!QFileInfo::exists(root()))
            writeStore();
        // The texts read the dates of the manager in use.
        m_store->context.emplace(m_store->defaults.get());
        m_store->load();
        m_store->context.emplace(m_store->defaults.get(), &m_store->manager->dates());
        return *m_store->manager;
    }

    void setFilter(QLatin1StringView entry, bool on)
    {
        QVariantMap filters = m_store->defaults->dictionaryForKey(PrefKey::filters);
        // The Filters page writes numbers, the defaults booleans; both must work.
        filters.insert(entry, on ? QVariant(1) : QVariant(false));
        m_store->defaults->setObject(filters, PrefKey::filters);
    }

    static ListEntry ofType(int type) { return ListEntry::fromStored({{"type", type}}); }

    std::optional<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestTaskListAssembly)
#include "tst_tasklistassembly.moc"

#include "LoadedDataManager.h"
#include "StoreQueries.h"
#include "TestContext.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/views/TaskListAssembly.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

QByteArray eventFile(const QByteArray& uid, const QByteArray& summary, const QByteArray& start,
                     const QByteArray& end)
{
    const QByteArray zone = start.size() == 8 ? ";VALUE=DATE:" : ";TZID=Europe/Berlin:";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
           uid + "\r\nSUMMARY:" + summary + "\r\nDTSTART" + zone + start + "\r\nDTEND" + zone +
           end + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

QByteArray doneAt(const QByteArray& utc)
{
    return "STATUS:COMPLETED\r\nCOMPLETED:" + utc + "\r\n";
}

QStringList titles(const std::optional<QList<store::EventPtr>>& events)
{
    QStringList result;
    for (const store::EventPtr& event : events.value_or(QList<store::EventPtr>()))
        result << event->title;
    return result;
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
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        setupDefaultPreferences(*m_defaults, nullptr);
        m_defaults->setBool(false, PrefKey::sundayFirst);
        m_clock.setNow(local(2026, 12, 9, 10, 30));
    }

    void cleanup()
    {
        m_context.reset();
        m_manager.reset();
    }

    void dayView_data()
    {
        periodColumns();
        dayRows();
    }
    void dayView() { checkPeriod(TaskViewMode::Day, "day"); }
    void weekView_data()
    {
        periodColumns();
        weekRows();
    }
    void weekView() { checkPeriod(TaskViewMode::Week, "week"); }
    void monthView_data()
    {
        periodColumns();
        monthRows();
    }
    void monthView() { checkPeriod(TaskViewMode::Month, "month"); }

    void dayEvents_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("completedFilter");
        QTest::addColumn<bool>("showingCompleted");
        QTest::addColumn<QString>("change"); // a preference changed after loading
        QTest::addColumn<QStringList>("expected");

        // Ended events (Breakfast, Call) go behind the others, in their own order.
        QTest::newRow("today, completed shown")
            << 0 << false << true << "" << QStringList{"Holiday", "Lunch", "Breakfast", "Call"};
        QTest::newRow("today, completed hidden")
            << 0 << true << false << "" << QStringList{"Holiday", "Lunch"};
        QTest::newRow("yesterday, Completed off") << -1 << false << true << "" << QStringList{};
        QTest::newRow("yesterday, Completed on")
            << -1 << true << false << "" << QStringList{"Dinner"};
        QTest::newRow("tomorrow keeps its order")
            << 1 << false << false << "" << QStringList{"Trip", "Dentist"};
        QTest::newRow("viewEvents off") << 0 << true << true << "viewEvents" << QStringList{};
        QTest::newRow("dayEvents off") << 0 << true << true << "dayEvents" << QStringList{};
    }

    void dayEvents()
    {
        QFETCH(int, offset);
        QFETCH(bool, completedFilter);
        QFETCH(bool, showingCompleted);
        QFETCH(QString, change);
        QFETCH(QStringList, expected);

        DataManager& manager = createLoaded();
        setFilter(PrefKey::Filter::dayCompleted, completedFilter);
        if (change == "viewEvents")
            m_defaults->setBool(false, PrefKey::viewEvents);
        if (change == "dayEvents")
            setFilter(PrefKey::Filter::dayEvents, false);

        const TaskListAssembly assembly(manager);
        const auto content = assembly.fetchData(TaskViewMode::Day, dayEntry(),
                                                local(2026, 12, 9 + offset), showingCompleted, {});
        QVERIFY(content.events.has_value());
        QCOMPARE(titles(content.events), expected);
    }

    void weekAndMonthEventsAndOtherViewsHaveNone()
    {
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        auto content = assembly.fetchData(TaskViewMode::Week, ListEntry::fromStored({{"type", 12}}),
                                          local(2026, 12, 7), false, {});
        QCOMPARE(titles(content.events), (QStringList{"Holiday", "Lunch", "Trip", "Dentist"}));
        // The first refresh fetched the weeks around today: the month's events are fetched when
        // it first asks, and it shows them when they come.
        const auto month = [&] {
            return assembly.fetchData(TaskViewMode::Month, ListEntry::fromStored({{"type", 13}}),
                                      local(2026, 12, 1), true, {});
        };
        QSignalSpy fetched(&manager.events(), &CalendarEvents::eventWindowRefreshed);
        QVERIFY(month().events->isEmpty());
        QVERIFY(fetched.wait(5000));
        QCOMPARE(titles(month().events), (QStringList{"Holiday", "Lunch", "Trip", "Dentist",
                                                      "Dinner", "Breakfast", "Call"}));

        content = assembly.fetchData(TaskViewMode::List, ListEntry::fromStored({{"type", 0}}), {},
                                     false, {});
        QVERIFY(!content.events.has_value());
        QCOMPARE(titles(content.reminders),
                 (QStringList{"Overdue", "Yesterday", "Today", "Tomorrow", "Next week",
                              "Next month", "Undated"}));
        content = assembly.fetchData(TaskViewMode::List, ListEntry::fromStored({{"type", 1}}), {},
                                     true, {});
        QCOMPARE(titles(content.reminders),
                 (QStringList{"Undated", "Done early", "Done tomorrow"}));

        content = assembly.fetchData(TaskViewMode::Search, ListEntry::fromStored({{"type", 14}}),
                                     {}, true, "DONE");
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
            assembly.fetchData(TaskViewMode::Day, dayEntry(), manager.dates().today(), true, {});
        QVERIFY(content.reminders.isEmpty());
        QVERIFY(content.events && content.events->isEmpty());
        QVERIFY(refreshed.wait(5000));
    }

    void titlesOfListsAndSearch_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QString>("title"); // "-" for unchanged

        QTest::newRow("preset") << QVariantMap{{"type", 4}} << "Overdue Tasks";
        QTest::newRow("tag") << QVariantMap{{"type", 8}, {"tag", "home"}} << "#home";
        QTest::newRow("user list")
            << QVariantMap{{"type", 10}, {"title", "Errands"}, {"tag", "x"}} << "Errands";
        QTest::newRow("search") << QVariantMap{{"type", 14}} << "Search";
        QTest::newRow("saved search")
            << QVariantMap{{"type", 15}, {"tag", "milk bread"}} << "milk bread";
        QTest::newRow("day type in a list") << QVariantMap{{"type", 11}} << "-";
        QTest::newRow("unknown type") << QVariantMap{{"type", 16}} << "-";
    }

    void titlesOfListsAndSearch()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QString, title);
        const ListEntry entry = ListEntry::fromStored(stored);
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        const QDateTime kept = local(2026, 3, 1);
        const TaskViewMode mode =
            entry.is(ListKind::Search) ? TaskViewMode::Search : TaskViewMode::List;
        const TaskListAssembly::TopView top = assembly.refreshTopView(mode, entry, kept);
        QCOMPARE(top.title.value_or("-"), title);
        QCOMPARE(top.currentDate, kept);
        QVERIFY(!top.navigationEnabled);
        QVERIFY(top.showHideVisible);
    }

    void titlesOfDatesAndTheShowHideButton()
    {
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        auto top = assembly.refreshTopView(TaskViewMode::Day, dayEntry(), {});
        QCOMPARE(top.currentDate, local(2026, 12, 9));
        QCOMPARE(*top.title, QString("Wed, Dec 9, 2026. Today"));
        QVERIFY(top.navigationEnabled && top.showHideVisible);
        top =
            assembly.refreshTopView(TaskViewMode::Week, ListEntry::fromStored({{"type", 12}}), {});
        QCOMPARE(top.currentDate, local(2026, 12, 7));
        QCOMPARE(*top.title, QString("December 2026. This Week"));
        top =
            assembly.refreshTopView(TaskViewMode::Month, ListEntry::fromStored({{"type", 13}}), {});
        QCOMPARE(top.currentDate, local(2026, 12, 1));

        selectDate(manager, local(2027, 1, 1));
        top = assembly.refreshTopView(TaskViewMode::Day, dayEntry(), {});
        QCOMPARE(top.currentDate, local(2027, 1, 1));
        QVERIFY(top.title->startsWith("Fri, Jan 1, 2027. "));
        QVERIFY(!top.showHideVisible);
        // Not this week: named after the month of its own first day.
        top =
            assembly.refreshTopView(TaskViewMode::Week, ListEntry::fromStored({{"type", 12}}), {});
        QCOMPARE(top.currentDate, local(2026, 12, 28));
        QVERIFY(top.title->startsWith("December 2026. "));
        QVERIFY(!top.showHideVisible);
        top =
            assembly.refreshTopView(TaskViewMode::Month, ListEntry::fromStored({{"type", 13}}), {});
        QCOMPARE(*top.title, QString("January 2027. Next Month"));
        QVERIFY(top.navigationEnabled && !top.showHideVisible);
    }

    void thisWeekIsNamedAfterTodaysMonth()
    {
        m_clock.setNow(local(2026, 12, 2, 9)); // the week began on Monday 30 November
        DataManager& manager = createLoaded();
        const TaskListAssembly assembly(manager);
        auto top =
            assembly.refreshTopView(TaskViewMode::Week, ListEntry::fromStored({{"type", 12}}), {});
        QCOMPARE(top.currentDate, local(2026, 11, 30));
        QCOMPARE(*top.title, QString("December 2026. This Week"));
        selectDate(manager, local(2026, 11, 25));
        top =
            assembly.refreshTopView(TaskViewMode::Week, ListEntry::fromStored({{"type", 12}}), {});
        QVERIFY(top.title->startsWith("November 2026. "));
    }

    void movingBetweenPeriods_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<QDateTime>("expected");

        const int day = int(TaskViewMode::Day), week = int(TaskViewMode::Week),
                  month = int(TaskViewMode::Month);
        QTest::newRow("31 January + 1 month, leap year")
            << month << local(2028, 1, 31) << 1 << local(2028, 2, 29);
        QTest::newRow("day into summer time")
            << day << local(2026, 3, 28) << 1 << local(2026, 3, 29);
        QTest::newRow("week over the autumn change")
            << week << local(2026, 10, 21) << 1 << local(2026, 10, 28);
        QTest::newRow("week back over the year")
            << week << local(2027, 1, 3) << -1 << local(2026, 12, 27);
        QTest::newRow("search") << int(TaskViewMode::Search) << local(2027, 1, 3) << 1
                                << QDateTime();
    }

    void movingBetweenPeriods()
    {
        QFETCH(int, mode);
        QFETCH(QDateTime, from);
        QFETCH(int, step);
        QFETCH(QDateTime, expected);
        DataManager& manager = createLoaded();
        const QDateTime moved =
            TaskListAssembly(manager).periodMovedDate(TaskViewMode(mode), from, step);
        QCOMPARE(moved, expected);
        if (expected.isValid())
            QCOMPARE(moved.time(), QTime(0, 0));
    }

    void aWeekAcrossTheSpringChange()
    {
        m_clock.setNow(local(2026, 3, 25, 12)); // the week of 23 to 29 March is 167 hours long
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/home/late.ics",
                  todo("late", "Sunday late", "DUE;TZID=Europe/Berlin:20260329T233000\r\n"));
        writeFile(root() + "/home/early.ics",
                  todo("early", "Monday early", "DUE;TZID=Europe/Berlin:20260330T003000\r\n"));
        writeFile(root() + "/home/first.ics",
                  todo("first", "Monday first", "DUE;VALUE=DATE:20260323\r\n"));
        setFilter(PrefKey::Filter::weekUndated, false);
        m_defaults->setBool(false, PrefKey::overdueNow);
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

private:
    // Columns shared by the three period views: the period relative to the current one, the
    // preferences, and the expected titles in order.
    static void periodColumns()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("overdueNow");
        QTest::addColumn<bool>("undatedFilter");
        QTest::addColumn<bool>("completedFilter");
        QTest::addColumn<bool>("showingCompleted");
        QTest::addColumn<QStringList>("expected");
    }

    static void periodRow(const char* name, int offset, bool overdueNow, bool undated,
                          bool completed, bool showingCompleted, const QStringList& expected)
    {
        QTest::newRow(name) << offset << overdueNow << undated << completed << showingCompleted
                            << expected;
    }

    static void dayRows()
    {
        periodRow("today, every overdue task", 0, true, true, true, true,
                  {"Overdue", "Yesterday", "Today", "Undated", "Done today"});
        periodRow("today, completed hidden although dayCompleted is on", 0, true, true, true, false,
                  {"Overdue", "Yesterday", "Today", "Undated"});
        periodRow("today, overdueNow off", 0, false, true, false, true,
                  {"Today", "Undated", "Done today"});
        periodRow("yesterday shows its completed tasks", -1, true, true, true, false,
                  {"Done yesterday"});
        periodRow("yesterday without dayCompleted is empty", -1, true, true, false, true, {});
        periodRow("past day, overdueNow off: that day's open tasks", -1, false, true, false, true,
                  {"Yesterday"});
        periodRow("tomorrow with dayCompleted shows completed while showingCompleted is off", 1,
                  true, true, true, false, {"Tomorrow", "Done tomorrow"});
        QTest::newRow("tomorrow, overdueNow off: no undated")
            << 1 << false << true << false << true << QStringList{"Tomorrow"};
    }

    static void weekRows()
    {
        const QStringList open{"Overdue", "Yesterday", "Today", "Tomorrow", "Undated"};
        periodRow("this week", 0, true, true, true, true,
                  open + QStringList{"Done yesterday", "Done today", "Done tomorrow"});
        periodRow("this week, overdueNow off, Undated off", 0, false, false, false, false,
                  {"Yesterday", "Today", "Tomorrow"});
        periodRow("next week", 1, true, true, false, true, {"Next week"});
        periodRow("last week, Completed on", -1, true, true, true, false, {"Done early"});
        QTest::newRow("last week, Completed off")
            << -1 << true << true << false << true << QStringList{};
    }

    static void monthRows()
    {
        periodRow("this month", 0, true, false, true, true,
                  {"Overdue", "Yesterday", "Today", "Tomorrow", "Next week", "Done early",
                   "Done yesterday", "Done today", "Done tomorrow"});
        periodRow("this month, completed hidden", 0, true, true, true, false,
                  {"Overdue", "Yesterday", "Today", "Tomorrow", "Next week", "Undated"});
        periodRow("next month", 1, true, true, true, false, {"Next month"});
        periodRow("last month, overdueNow on", -1, true, true, true, true, {});
        QTest::newRow("last month, overdueNow off")
            << -1 << false << true << false << true << QStringList{"Overdue"};
    }

    void checkPeriod(TaskViewMode mode, const char* prefix)
    {
        QFETCH(int, offset);
        QFETCH(bool, overdueNow);
        QFETCH(bool, undatedFilter);
        QFETCH(bool, completedFilter);
        QFETCH(bool, showingCompleted);
        QFETCH(QStringList, expected);

        DataManager& manager = createLoaded();
        // Read at the moment of the fetch, so changing them after loading is enough.
        m_defaults->setBool(overdueNow, PrefKey::overdueNow);
        const QString name = QString::fromLatin1(prefix);
        setFilter(QLatin1StringView((name + "Undated").toLatin1()), undatedFilter);
        setFilter(QLatin1StringView((name + "Completed").toLatin1()), completedFilter);

        QDateTime start;
        if (mode == TaskViewMode::Day)
            start = manager.dates().today().addDays(offset);
        else if (mode == TaskViewMode::Week)
            start = manager.dates().thisWeekDate().addDays(7 * offset);
        else
            start = manager.dates().thisMonthDate().addMonths(offset);
        const auto content = TaskListAssembly(manager).fetchData(
            mode, ListEntry::fromStored({{"type", 11 + int(mode)}}), start, showingCompleted, {});
        QCOMPARE(titles(content.reminders), expected);
    }

    QString root() const { return m_dir->filePath("store"); }

    // Tasks around Wednesday 9 December 2026 in the list Home, and events in Calendar.
    void writeStore()
    {
        const QString home = root() + "/home/";
        writeFile(home + "displayname", "Home");
        writeFile(home + "color", "#3366CC");
        writeFile(home + "1.ics", todo("1", "Overdue", "DUE;VALUE=DATE:20261120\r\n"));
        writeFile(home + "2.ics",
                  todo("2", "Yesterday", "DUE;TZID=Europe/Berlin:20261208T090000\r\n"));
        writeFile(home + "3.ics", todo("3", "Today", "DUE;TZID=Europe/Berlin:20261209T150000\r\n"));
        writeFile(home + "4.ics", todo("4", "Done today",
                                       "DUE;VALUE=DATE:20261209\r\n" + doneAt("20261209T080000Z")));
        writeFile(home + "5.ics", todo("5", "Done yesterday",
                                       "DUE;VALUE=DATE:20261207\r\n" + doneAt("20261208T110000Z")));
        writeFile(home + "6.ics",
                  todo("6", "Tomorrow", "DUE;TZID=Europe/Berlin:20261210T100000\r\n"));
        // Completed on another device whose clock ran ahead.
        writeFile(home + "7.ics", todo("7", "Done tomorrow", doneAt("20261210T070000Z")));
        writeFile(home + "8.ics", todo("8", "Undated"));
        writeFile(home + "9.ics", todo("9", "Next week", "DUE;VALUE=DATE:20261216\r\n"));
        writeFile(home + "10.ics", todo("10", "Next month", "DUE;VALUE=DATE:20270112\r\n"));
        writeFile(home + "11.ics", todo("11", "Done early", doneAt("20261201T100000Z")));

        const QString cal = root() + "/cal/";
        writeFile(cal + "displayname", "Calendar");
        writeFile(cal + "a.ics", eventFile("a", "Breakfast", "20261209T080000", "20261209T090000"));
        writeFile(cal + "b.ics", eventFile("b", "Call", "20261209T090000", "20261209T103000"));
        writeFile(cal + "c.ics", eventFile("c", "Lunch", "20261209T120000", "20261209T130000"));
        writeFile(cal + "d.ics", eventFile("d", "Holiday", "20261209", "20261210"));
        writeFile(cal + "e.ics", eventFile("e", "Dinner", "20261208T190000", "20261208T200000"));
        writeFile(cal + "f.ics", eventFile("f", "Trip", "20261210", "20261212"));
        writeFile(cal + "g.ics", eventFile("g", "Dentist", "20261210T080000", "20261210T090000"));
    }

    DataManager& createLoaded()
    {
        if (!QFileInfo::exists(root()))
            writeStore();
        m_manager = loadedDataManager(*m_defaults, m_clock, root());
        m_context.reset();
        m_context.emplace(m_defaults.get(), &m_manager->dates());
        return *m_manager;
    }

    void selectDate(DataManager& manager, const QDateTime& date)
    {
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.dates().setSelectedDate(date);
        QVERIFY(refreshed.wait(5000));
    }

    void setFilter(QLatin1StringView entry, bool on)
    {
        QVariantMap filters = m_defaults->dictionaryForKey(PrefKey::filters);
        // The Filters page writes numbers, the defaults booleans; both must work.
        filters.insert(entry, on ? QVariant(1) : QVariant(false));
        m_defaults->setObject(filters, PrefKey::filters);
    }

    static ListEntry dayEntry() { return ListEntry::fromStored({{"type", 11}}); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    Clock m_clock;
    std::unique_ptr<DataManager> m_manager;
};

VELMORAN_TEST_MAIN(TestTaskListAssembly)
#include "tst_tasklistassembly.moc"

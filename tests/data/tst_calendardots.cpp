#include "LoadedStore.h"
#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/views/TaskListAssembly.h"

using TestEnvironment::local;

namespace {

store::CalendarPtr coloured(const QString& identifier, const store::CollectionColor& color)
{
    store::CalendarPtr list = makeList(identifier, identifier);
    list->color = color;
    return list;
}

} // namespace

// Which day of the calendar strip carries a dot for each task and event, for the week of
// Monday 7 December 2026 and for whole months; today is Wednesday 9 December.
class TestCalendarDots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        m_store->defaults->setBool(false, PrefKey::sundayFirst);
        m_store->clock.setNow(local(2026, 12, 9, 10, 30));
        QVERIFY(m_store->load());
    }

    void cleanup() { m_store.reset(); }

    // Long overdue, and overdue since the evening before: the first day; late on the last day;
    // beyond the week; due in New York on Berlin's Thursday; completed: on its completion day,
    // not its due day; completed before the week. A midnight due date is a date without time.
    void tasksAreDottedOnTheirDay()
    {
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
            const CalendarDots dots =
                TaskListAssembly(*m_store->manager)
                    .calendarDots(TaskViewMode::Week, local(2026, 12, 7), {one.build()}, {});
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
        const CalendarDots dots =
            TaskListAssembly(*m_store->manager)
                .calendarDots(TaskViewMode::Week, local(2026, 12, 7), reminders, events);
        using K = CalendarDot::Kind;
        QCOMPARE(dots.value(3), (QList<CalendarDot>{{K::Reminder, red->color},
                                                    {K::Reminder, blue->color},
                                                    {K::Reminder, red->color},
                                                    {K::Reminder, store::CollectionColor()},
                                                    {K::Event, cal->color}}));
    }

    void eventsAreDottedOnEveryDayTheyTouch()
    {
        const store::CalendarPtr cal =
            coloured("cal", store::CollectionColor::fromText(u"#ff8800"));
        const TaskListAssembly assembly(*m_store->manager);
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
        const TaskListAssembly assembly(*m_store->manager);
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
    std::unique_ptr<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestCalendarDots)
#include "tst_calendardots.moc"

#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/EventWindow.h"

#include <QGuiApplication>

using namespace store;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

EventPtr makeEvent(const QString& title, const QDateTime& start, const QDateTime& end,
                   bool allDay = false)
{
    auto e = std::make_shared<Event>();
    e->title = title;
    e->startDate = start;
    e->endDate = end;
    e->isAllDay = allDay;
    return e;
}

} // namespace

class TestEventWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void viewPeriodsTakeWhatOverlapsThem()
    {
        const QList<EventPtr> events = {
            makeEvent("late", local(2026, 12, 9, 23, 0), local(2026, 12, 10, 1, 0)),
            makeEvent("all day", local(2026, 12, 9), local(2026, 12, 10), true),
            makeEvent("to midnight", local(2026, 12, 9, 22, 0), local(2026, 12, 10)),
            makeEvent("long", local(2026, 12, 1), local(2026, 12, 31), true),
        };
        QCOMPARE(titles(EventWindow::eventsOfPeriod(events, EventWindow::Day, local(2026, 12, 9))),
                 (QStringList{"late", "all day", "to midnight", "long"}));
        // The all-day event stays on its own day; a timed event ending at 00:00 reaches the
        // next day in the views, as the late one does.
        QCOMPARE(titles(EventWindow::eventsOfPeriod(events, EventWindow::Day, local(2026, 12, 10))),
                 (QStringList{"late", "to midnight", "long"}));
        // The range query ends every event a second early, so 00:00 stays on its own day.
        QCOMPARE(
            titles(EventWindow::eventsOfRange(events, local(2026, 12, 10), local(2026, 12, 11))),
            (QStringList{"late", "long"}));
    }

    void weeksAndMonthsAreCalendarPeriods()
    {
        // The week of the spring change is 167 hours long and still one week.
        const QDateTime sunday = local(2026, 3, 29);
        QCOMPARE(sunday.secsTo(EventWindow::periodEnd(EventWindow::Week, sunday)), 167 * 3600);
        QCOMPARE(EventWindow::periodEnd(EventWindow::Day, local(2026, 10, 25)),
                 local(2026, 10, 26));
        QCOMPARE(EventWindow::periodEnd(EventWindow::Month, local(2026, 1, 31)),
                 local(2026, 2, 28));

        const QList<EventPtr> events = {
            makeEvent("sunday 02:00-04:00", local(2026, 3, 29, 1, 30), local(2026, 3, 29, 4, 0)),
            makeEvent("saturday after", local(2026, 4, 4, 23, 30), local(2026, 4, 5, 0, 30)),
            makeEvent("next week", local(2026, 4, 5, 9, 0), local(2026, 4, 5, 10, 0)),
        };
        QCOMPARE(titles(EventWindow::eventsOfPeriod(events, EventWindow::Week, sunday)),
                 (QStringList{"sunday 02:00-04:00", "saturday after"}));
    }
};

VELMORAN_TEST_MAIN(TestEventWindow)
#include "tst_eventwindow.moc"

#include "TestEnvironment.h"
#include "app/MinuteTimer.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QSignalSpy>

using TestEnvironment::local;

// The minute timer under a set clock.
class TestMinuteTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Started at 12:00:07, the timer waits through the rest of the minute and switches to
    // minute ticks at the first alignment check early in a new minute.
    void alignsToTheStartOfAMinute()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 7));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(timer.savedDate(), local(2026, 12, 6, 12, 0, 7));

        for (int second : {12, 17, 22, 27, 32, 37, 42, 47, 52, 57}) {
            clock.setNow(local(2026, 12, 6, 12, 0, second));
            timer.initialTimeCheck();
            QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        }
        QCOMPARE(minutes.count(), 0);

        clock.setNow(local(2026, 12, 6, 12, 1, 2));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kMinuteIntervalMs);
        QCOMPARE(minutes.count(), 1);
        QCOMPARE(timer.savedDate(), local(2026, 12, 6, 12, 1, 2));

        // Once a minute from then on.
        clock.setNow(local(2026, 12, 6, 12, 2, 2));
        timer.timeCheck();
        clock.setNow(local(2026, 12, 6, 12, 3, 3));
        timer.timeCheck();
        QCOMPARE(minutes.count(), 3);
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
    }

    // A new minute seen too late in its course (second 11 or later) does not switch yet.
    void ignoresANewMinuteSeenLate()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 58));
        MinuteTimer timer(clock);
        timer.start();
        clock.setNow(local(2026, 12, 6, 12, 1, 11));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        clock.setNow(local(2026, 12, 6, 12, 2, 1));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
    }

    // A minute tick at second 11 or later has drifted: back to aligning, while the minute it
    // saw still counts once.
    void aDriftedTickRealigns()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 30));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        clock.setNow(local(2026, 12, 6, 12, 1, 4));
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 1);

        clock.setNow(local(2026, 12, 6, 12, 2, 15));
        timer.timeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(minutes.count(), 2);
        // The same minute is not announced again by the next alignment checks.
        clock.setNow(local(2026, 12, 6, 12, 2, 20));
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 2);
        clock.setNow(local(2026, 12, 6, 12, 3, 0));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
        QCOMPARE(minutes.count(), 3);
    }

    // Across the change to winter time the local minute still moves on one at a time.
    void countsMinutesAcrossTheClockChange()
    {
        Clock clock;
        clock.setNow(local(2026, 10, 25, 2, 59, 30));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        clock.advanceSeconds(35); // 02:00:05 winter time
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 1);
        QCOMPARE(timer.savedDate().time().minute(), 0);
    }
};

VELMORAN_WIDGET_TEST_MAIN(TestMinuteTimer)
#include "tst_minutetimer.moc"

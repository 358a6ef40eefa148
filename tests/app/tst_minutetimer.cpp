#include "TestEnvironment.h"
#include "app/MinuteTimer.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QSignalSpy>

using TestEnvironment::local;

// The minute timer under a set clock, on 6 December 2026 from noon.
class TestMinuteTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Started at 12:00:07, the timer waits through the rest of the minute and switches to
    // minute ticks at the first alignment check early in a new minute: a new minute seen too
    // late in its course (second 11 or later) does not switch yet.
    void alignsToTheStartOfAMinute()
    {
        start(local(2026, 12, 6, 12, 0, 7));
        QCOMPARE(m_timer->state(), MinuteTimer::State::Aligning);
        QCOMPARE(m_timer->currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(m_timer->savedDate(), local(2026, 12, 6, 12, 0, 7));
        for (int second : {12, 17, 22, 27, 32, 37, 42, 47, 52, 57})
            QCOMPARE(alignAt(0, second), MinuteTimer::State::Aligning);
        QCOMPARE(alignAt(1, 11), MinuteTimer::State::Aligning);
        QCOMPARE(m_minutes->count(), 0);

        QCOMPARE(alignAt(2, 2), MinuteTimer::State::EveryMinute);
        QCOMPARE(m_timer->currentInterval(), MinuteTimer::kMinuteIntervalMs);
        QCOMPARE(m_minutes->count(), 1);
        QCOMPARE(m_timer->savedDate(), local(2026, 12, 6, 12, 2, 2));
        // Once a minute from then on.
        QCOMPARE(tickAt(3, 2), MinuteTimer::State::EveryMinute);
        QCOMPARE(tickAt(4, 3), MinuteTimer::State::EveryMinute);
        QCOMPARE(m_minutes->count(), 3);
    }

    // A minute tick at second 11 or later has drifted: back to aligning, while the minute it
    // saw still counts once.
    void aDriftedTickRealigns()
    {
        start(local(2026, 12, 6, 12, 0, 30));
        alignAt(1, 4);
        QCOMPARE(m_minutes->count(), 1);
        QCOMPARE(tickAt(2, 15), MinuteTimer::State::Aligning);
        QCOMPARE(m_timer->currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(m_minutes->count(), 2);
        // The same minute is not announced again by the next alignment checks.
        alignAt(2, 20);
        QCOMPARE(m_minutes->count(), 2);
        QCOMPARE(alignAt(3, 0), MinuteTimer::State::EveryMinute);
        QCOMPARE(m_minutes->count(), 3);
    }

    // Across the change to winter time the local minute still moves on one at a time.
    void countsMinutesAcrossTheClockChange()
    {
        start(local(2026, 10, 25, 2, 59, 30));
        m_clock.advanceSeconds(35); // 02:00:05 winter time
        m_timer->initialTimeCheck();
        QCOMPARE(m_minutes->count(), 1);
        QCOMPARE(m_timer->savedDate().time().minute(), 0);
    }

private:
    void start(const QDateTime& now)
    {
        m_clock.setNow(now);
        m_minutes.reset();
        m_timer.emplace(m_clock);
        m_minutes.emplace(&*m_timer, &MinuteTimer::minuteChanged);
        m_timer->start();
    }

    // The checks the timer runs while it aligns, and once it ticks every minute.
    MinuteTimer::State alignAt(int minute, int second)
    {
        m_clock.setNow(local(2026, 12, 6, 12, minute, second));
        m_timer->initialTimeCheck();
        return m_timer->state();
    }
    MinuteTimer::State tickAt(int minute, int second)
    {
        m_clock.setNow(local(2026, 12, 6, 12, minute, second));
        m_timer->timeCheck();
        return m_timer->state();
    }

    Clock m_clock;
    std::optional<MinuteTimer> m_timer;
    std::optional<QSignalSpy> m_minutes;
};

VELMORAN_WIDGET_TEST_MAIN(TestMinuteTimer)
#include "tst_minutetimer.moc"

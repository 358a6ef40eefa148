#include "app/MinuteTimer.h"

#include "platform/Clock.h"

namespace {

int minuteOf(const QDateTime& date)
{
    return date.toLocalTime().time().minute();
}

} // namespace

MinuteTimer::MinuteTimer(Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_state == State::Aligning)
            initialTimeCheck();
        else if (m_state == State::EveryMinute)
            timeCheck();
    });
}

void MinuteTimer::start()
{
    if (!m_savedDate.isValid())
        m_savedDate = m_clock.now();
    startAligning();
}

void MinuteTimer::stop()
{
    m_timer.stop();
    m_state = State::Stopped;
}

void MinuteTimer::startAligning()
{
    m_state = State::Aligning;
    m_timer.start(kAlignmentIntervalMs);
}

void MinuteTimer::startEveryMinute()
{
    m_state = State::EveryMinute;
    m_timer.start(kMinuteIntervalMs);
}

void MinuteTimer::initialTimeCheck()
{
    const QDateTime now = m_clock.now().toLocalTime();
    if (minuteOf(now) != minuteOf(m_savedDate) && now.time().second() < kLateSecond) {
        startEveryMinute();
        timeCheck();
    }
}

void MinuteTimer::timeCheck()
{
    const QDateTime now = m_clock.now().toLocalTime();
    if (now.time().second() >= kLateSecond) {
        startAligning();
        initialTimeCheck();
    }
    if (minuteOf(now) != minuteOf(m_savedDate)) {
        m_savedDate = now;
        Q_EMIT minuteChanged();
    }
}

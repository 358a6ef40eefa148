#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

class Clock;

// Fires once a minute, early in the minute: a 5-second timer waits for the first seconds of a
// new minute, then a 60-second timer takes over; a minute tick that arrives late (second 11 or
// later, after a suspend or a busy moment) hands back to the 5-second timer so the ticks line
// up with the minute again. Minutes are compared in local time.
class MinuteTimer : public QObject
{
    Q_OBJECT

public:
    enum class State { Stopped, Aligning, EveryMinute };

    static constexpr int kAlignmentIntervalMs = 5000;
    static constexpr int kMinuteIntervalMs = 60000;
    // A tick in the first seconds of a minute counts as on time.
    static constexpr int kLateSecond = 11;

    explicit MinuteTimer(Clock& clock, QObject* parent = nullptr);

    // Sets the saved minute to now when none is saved yet, and starts aligning.
    void start();
    void stop();
    State state() const { return m_state; }
    QDateTime savedDate() const { return m_savedDate; }
    int currentInterval() const { return m_timer.interval(); }

    // The two ticks; public so that tests drive them under a set clock.
    void initialTimeCheck();
    void timeCheck();

Q_SIGNALS:
    // A new minute began (the menu-bar panel's day line and the night-mode/day check follow).
    void minuteChanged();

private:
    void startAligning();
    void startEveryMinute();

    Clock& m_clock;
    QTimer m_timer;
    State m_state = State::Stopped;
    QDateTime m_savedDate;
};

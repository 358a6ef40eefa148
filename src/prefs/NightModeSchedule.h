#pragma once

#include <QDateTime>
#include <QString>

class Clock;
class UserDefaults;

// The preferences that decide whether the night appearance is on.
struct NightModeSettings
{
    bool nightMode = false;     // on regardless of the time
    bool nightModeAuto = false; // follow the daily schedule
    QString startTime;          // "HH:mm", 24-hour
    QString endTime;            // "HH:mm", 24-hour

    static NightModeSettings fromDefaults(const UserDefaults& defaults);
};

// Whether the night appearance is on at `now` (taken in the local time zone, to the minute).
// The night starts after the minute of its start time and includes the minute of its end time
// (22:00-07:00: off at 22:00, on at 22:01 and at 07:00, off at 07:01); a start at or after the
// end runs across midnight, so equal times mean night all day.
bool nightModeAt(const NightModeSettings& settings, const QDateTime& now);

// The current night-mode value of the application, kept between evaluations so that the
// minute timer can tell when it flips. Owned by the data manager.
class NightMode
{
public:
    NightMode(const UserDefaults& defaults, const Clock& clock);

    // Evaluates the schedule now (also done at construction).
    void presetNightMode();
    // Evaluates the schedule now; true when the value changed.
    bool resetNightMode();
    bool isNightMode() const { return m_nightMode; }

private:
    const UserDefaults& m_defaults;
    const Clock& m_clock;
    bool m_nightMode = false;
};

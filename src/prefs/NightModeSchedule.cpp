#include "prefs/NightModeSchedule.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QTime>

namespace {

// The schedule compares times of day on one reference day, never real dates, so a DST change
// tonight cannot stretch or shorten the night: a day is always 24 hours here.
constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDefaultStart = 22 * 60;
constexpr int kDefaultEnd = 7 * 60;

// The times are written by our own settings page as "HH:mm"; "H:mm" reads those and a
// hand-edited one-digit hour alike. A value that does not parse (edited by hand, written by
// another device's synced set, or absent) falls back to the default of its key: it has no
// meaningful order against "now", and the default keeps the schedule predictable instead of
// switching the appearance at random.
int minuteOfDay(const QString& text, int fallback)
{
    const QTime time = QTime::fromString(text, QStringLiteral("H:mm"));
    return time.isValid() ? time.hour() * 60 + time.minute() : fallback;
}

} // namespace

NightModeSettings NightModeSettings::fromDefaults(const UserDefaults& defaults)
{
    return {defaults.boolForKey(PrefKey::nightMode), defaults.boolForKey(PrefKey::nightModeAuto),
            defaults.stringForKey(PrefKey::nightModeAutoStartTime),
            defaults.stringForKey(PrefKey::nightModeAutoEndTime)};
}

bool nightModeAt(const NightModeSettings& settings, const QDateTime& now)
{
    if (settings.nightMode)
        return true;
    if (!settings.nightModeAuto)
        return false;

    const int start = minuteOfDay(settings.startTime, kDefaultStart);
    int end = minuteOfDay(settings.endTime, kDefaultEnd);
    const QTime local = now.toLocalTime().time();
    int current = local.hour() * 60 + local.minute();

    if (start >= end)
        end += kMinutesPerDay;
    if (start >= current)
        current += kMinutesPerDay;
    return current >= start && current <= end;
}

NightMode::NightMode(const UserDefaults& defaults, const Clock& clock)
    : m_defaults(defaults)
    , m_clock(clock)
{
    presetNightMode();
}

void NightMode::presetNightMode()
{
    m_nightMode = nightModeAt(NightModeSettings::fromDefaults(m_defaults), m_clock.now());
}

bool NightMode::resetNightMode()
{
    const bool before = m_nightMode;
    presetNightMode();
    return m_nightMode != before;
}

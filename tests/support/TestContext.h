#pragma once

#include "platform/Sound.h"
#include "text/Global.h"

class ReferenceDates;
class UserDefaults;

// What the date texts and the sound effects read during one test: the test's own preferences
// and, where it moves time, its own reference dates. Everything is put back as it was when the
// context goes, so no test can leak them into the next. Hold one for the length of a test
// (a std::optional member set in init() and reset in cleanup(), or a local).
class TestContext
{
public:
    explicit TestContext(UserDefaults* preferences, const ReferenceDates* dates = nullptr)
        : m_text(dates, preferences)
        , m_sound(preferences)
    {}

private:
    Global::Context m_text;
    Sound::PreferencesScope m_sound;
};

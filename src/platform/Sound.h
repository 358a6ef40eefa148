#pragma once

#include <QString>

#include <cstdint>

class UserDefaults;

// The interface sound effects: short sounds played on a few user actions while "soundOn" is on.
// Playing never blocks and never fails loudly: without a sound device, a sound server or the
// sound file, nothing is heard and nothing else happens.
class Sound
{
public:
    Sound() = delete;

    enum Effect {
        Notify = 0,
        AddPull = 1,
        AddDone = 2,
        Check = 3,
        Clear = 4,
        Move = 5,
        Reveal = 6,
        General = 7,
        Delete = 8,
        Hide = 9
    };

    // Reads "soundOn" from these preferences for as long as it lives, then puts back what was
    // there before; without one, the standard preferences are read.
    class PreferencesScope
    {
    public:
        explicit PreferencesScope(UserDefaults* defaults);
        ~PreferencesScope();
        PreferencesScope(const PreferencesScope&) = delete;
        PreferencesScope& operator=(const PreferencesScope&) = delete;

    private:
        UserDefaults* m_previous;
    };

    // Plays the effect of that index (0-9); any other index plays nothing.
    static void soundEffect(int index);
    // Plays the resource sound of that name; returns its sound identifier, 0 when silent.
    static uint32_t soundEffectWithFileName(const QString& name);
    static void stopSoundWithID(uint32_t identifier);
    static void soundEffectRandom();
    // Opens the sound connection ahead of the first effect.
    static void preloadData();

    static QString fileNameForEffect(int index);
    // The sound file for a name, or "" when none is installed.
    static QString pathForName(const QString& name);
    // How many effects were asked to play while sound was on (the shell's tests read it).
    static int playRequestCount();
};

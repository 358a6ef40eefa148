#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

class UserDefaults;

// One setting as the preferences window edits it: its key and the kind of value it holds. A
// stored value of another kind (a string where a number belongs, a choice out of range, a time
// that does not read) is never shown: the window shows the key's default instead, and
// repair() writes what is shown, so the next write leaves the store well formed.
struct PreferenceField
{
    enum class Kind {
        Switch,    // a boolean; numbers stand for booleans as every reader takes them
        Choice,    // an integer from 0 to choiceCount - 1: the index of a pop-up's item
        TimeOfDay, // "HH:mm" text, 24-hour
        Minutes,   // a whole number of minutes, at least 1
        Word,      // one of `words`; the empty word is the key left out
    };

    QLatin1StringView key;
    Kind kind = Kind::Switch;
    int choiceCount = 0;
    QStringList words;

    static PreferenceField switchField(QLatin1StringView key) { return {key, Kind::Switch, 0, {}}; }
    static PreferenceField choiceField(QLatin1StringView key, int count)
    {
        return {key, Kind::Choice, count, {}};
    }
    static PreferenceField timeField(QLatin1StringView key)
    {
        return {key, Kind::TimeOfDay, 0, {}};
    }
    static PreferenceField minutesField(QLatin1StringView key)
    {
        return {key, Kind::Minutes, 0, {}};
    }
    static PreferenceField wordField(QLatin1StringView key, const QStringList& words)
    {
        return {key, Kind::Word, 0, words};
    }

    // Whether `value` is a value of this kind, as it would be stored.
    bool accepts(const QVariant& value) const;
    // The stored value when it is of this kind, else the default of the key (else the zero
    // value of the kind), in its stored form: bool, qint64, "HH:mm" text or a word (none for the
    // empty word, which is stored by leaving the key out).
    QVariant value(const UserDefaults& defaults) const;
    bool holdsValidValue(const UserDefaults& defaults) const;
    // Writes the shown value over a stored value of the wrong kind; true when it wrote.
    bool repair(UserDefaults& defaults) const;

    bool boolValue(const UserDefaults& defaults) const;
    int choiceValue(const UserDefaults& defaults) const;
    QTime timeValue(const UserDefaults& defaults) const;
    qint64 minutesValue(const UserDefaults& defaults) const;
    QString wordValue(const UserDefaults& defaults) const;

    // "HH:mm" and back; a text that does not read gives an invalid time. "7:05" reads too,
    // as the night-mode schedule reads it.
    static QTime timeFromText(const QString& text);
    static QString textFromTime(const QTime& time);
    // The minutes a typed text stands for: its leading whole number, and 1 for anything below
    // 1 (an empty field, letters, "0", a negative number).
    static qint64 minutesFromText(QStringView text);
};

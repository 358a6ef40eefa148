#include "prefs/PreferenceField.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"

#include <algorithm>

namespace {

// Snooze times beyond a week are typing mistakes; the bound also keeps the sum of a long run
// of digits from overflowing.
constexpr qint64 kMostMinutes = 7 * 24 * 60;

QVariant storedForm(PreferenceField::Kind kind, const QVariant& value);

QVariant zeroValue(const PreferenceField& field)
{
    switch (field.kind) {
    case PreferenceField::Kind::Switch:
        return false;
    case PreferenceField::Kind::Choice:
        return QVariant::fromValue(qint64(0));
    case PreferenceField::Kind::TimeOfDay:
        return QStringLiteral("00:00");
    case PreferenceField::Kind::Minutes:
        return QVariant::fromValue(qint64(1));
    case PreferenceField::Kind::Word:
        return storedForm(field.kind, field.words.value(0));
    }
    return {};
}

// Stored numbers are 64-bit integers, as the preference file gives them back.
QVariant storedForm(PreferenceField::Kind kind, const QVariant& value)
{
    switch (kind) {
    case PreferenceField::Kind::Switch:
        return UserDefaults::boolValue(value);
    case PreferenceField::Kind::Choice:
    case PreferenceField::Kind::Minutes:
        return QVariant::fromValue(UserDefaults::integerValue(value));
    case PreferenceField::Kind::TimeOfDay:
        return PreferenceField::textFromTime(PreferenceField::timeFromText(value.toString()));
    case PreferenceField::Kind::Word:
        return value.toString().isEmpty() ? QVariant() : QVariant(value.toString());
    }
    return {};
}

} // namespace

bool PreferenceField::accepts(const QVariant& value) const
{
    switch (kind) {
    case Kind::Switch:
        return UserDefaults::isNumber(value);
    case Kind::Choice: {
        if (!UserDefaults::isNumber(value))
            return false;
        const qint64 index = UserDefaults::integerValue(value);
        return index >= 0 && index < choiceCount;
    }
    case Kind::TimeOfDay:
        return value.typeId() == QMetaType::QString && timeFromText(value.toString()).isValid();
    case Kind::Minutes:
        return UserDefaults::isNumber(value) && UserDefaults::integerValue(value) >= 1;
    case Kind::Word:
        if (!value.isValid())
            return words.contains(QString());
        return value.typeId() == QMetaType::QString && words.contains(value.toString());
    }
    return false;
}

QVariant PreferenceField::value(const UserDefaults& defaults) const
{
    const QVariant stored = defaults.objectForKey(key);
    if (accepts(stored))
        return storedForm(kind, stored);
    const QVariant fallback = defaultPreferenceValue(QString(key));
    return accepts(fallback) ? storedForm(kind, fallback) : zeroValue(*this);
}

bool PreferenceField::holdsValidValue(const UserDefaults& defaults) const
{
    return accepts(defaults.objectForKey(key));
}

bool PreferenceField::repair(UserDefaults& defaults) const
{
    if (holdsValidValue(defaults))
        return false;
    defaults.setObject(value(defaults), key);
    return true;
}

bool PreferenceField::boolValue(const UserDefaults& defaults) const
{
    return UserDefaults::boolValue(value(defaults));
}

int PreferenceField::choiceValue(const UserDefaults& defaults) const
{
    return int(UserDefaults::integerValue(value(defaults)));
}

QTime PreferenceField::timeValue(const UserDefaults& defaults) const
{
    return timeFromText(value(defaults).toString());
}

qint64 PreferenceField::minutesValue(const UserDefaults& defaults) const
{
    return UserDefaults::integerValue(value(defaults));
}

QString PreferenceField::wordValue(const UserDefaults& defaults) const
{
    return value(defaults).toString();
}

QTime PreferenceField::timeFromText(const QString& text)
{
    return QTime::fromString(text, QStringLiteral("H:mm"));
}

QString PreferenceField::textFromTime(const QTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString();
}

qint64 PreferenceField::minutesFromText(QStringView text)
{
    QStringView rest = text.trimmed();
    if (!rest.isEmpty() && rest.front() == u'-')
        return 1;
    if (!rest.isEmpty() && rest.front() == u'+')
        rest = rest.sliced(1);
    qint64 minutes = 0;
    for (const QChar c : rest) {
        if (c < u'0' || c > u'9')
            break;
        minutes = std::min(minutes * 10 + (c.unicode() - u'0'), kMostMinutes);
    }
    return std::max<qint64>(minutes, 1);
}

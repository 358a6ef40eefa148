#include "PreferenceFileTarget.h"

#include "FuzzFiles.h"

#include "entry/SmartAddRule.h"
#include "platform/JsonKeyValueFile.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QDir>
#include <QFile>

namespace {

// Equal in type and content, through lists and dictionaries: a number that comes back as
// another kind of number is a change, whatever QVariant's own comparison says.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.typeId() != b.typeId())
        return false;
    switch (a.typeId()) {
    case QMetaType::QVariantList: {
        const QVariantList left = a.toList();
        const QVariantList right = b.toList();
        if (left.size() != right.size())
            return false;
        for (qsizetype i = 0; i < left.size(); ++i) {
            if (!sameValue(left.at(i), right.at(i)))
                return false;
        }
        return true;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap left = a.toMap();
        const QVariantMap right = b.toMap();
        if (left.keys() != right.keys())
            return false;
        for (auto it = left.cbegin(); it != left.cend(); ++it) {
            if (!sameValue(it.value(), right.value(it.key())))
                return false;
        }
        return true;
    }
    case QMetaType::Double: {
        const double left = a.toDouble();
        const double right = b.toDouble();
        return left == right || (left != left && right != right);
    }
    default:
        return a == b;
    }
}

// Keys whose values differ between two maps, absent keys included.
QStringList changedKeys(const QVariantMap& before, const QVariantMap& after)
{
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()) || !sameValue(it.value(), after.value(it.key())))
            changed << it.key();
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            changed << it.key();
    }
    return changed;
}

QString shortList(QStringList keys)
{
    for (QString& key : keys)
        key = key.left(40);
    return keys.mid(0, 5).join(QStringLiteral(", "));
}

void readEveryWay(const UserDefaults& defaults, const QString& key)
{
    defaults.objectForKey(key);
    defaults.boolForKey(key);
    defaults.integerForKey(key);
    defaults.doubleForKey(key);
    defaults.stringForKey(key);
    defaults.arrayForKey(key);
    defaults.stringArrayForKey(key);
    defaults.dictionaryForKey(key);
    defaults.dateForKey(key);
}

} // namespace

PreferenceFileTarget::PreferenceFileTarget(const QString& workFolder)
    : m_folder(workFolder + QStringLiteral("/preferences"))
{
    QDir(m_folder).removeRecursively();
    QDir().mkpath(m_folder);
    UserDefaults empty(m_folder + QStringLiteral("/empty.json"));
    setupDefaultPreferences(empty, nullptr);
    const QVariantMap written = *JsonKeyValueFile::parse(FuzzFiles::read(empty.filePath()));
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        m_routineKeys.insert(it.key());
}

QStringList PreferenceFileTarget::run(QByteArrayView input)
{
    QDir(m_folder).removeRecursively();
    QDir().mkpath(m_folder);
    const QString path = m_folder + QStringLiteral("/preferences.json");
    if (!FuzzFiles::write(path, input))
        return {QStringLiteral("The preference file could not be written for the test")};

    QStringList findings;
    const QByteArray bytes = input.toByteArray();
    const std::optional<QVariantMap> parsed = JsonKeyValueFile::parse(bytes);
    UserDefaults defaults(path);
    const QVariantMap before = defaults.dictionaryRepresentation();
    if (parsed) {
        if (const QStringList changed = changedKeys(*parsed, before); !changed.isEmpty())
            findings << QStringLiteral("The preferences read differ from the file in ") +
                            shortList(changed);
        const std::optional<QVariantMap> again =
            JsonKeyValueFile::parse(JsonKeyValueFile::serialize(*parsed));
        if (!again)
            findings << QStringLiteral("The preferences written back cannot be read");
        else if (const QStringList changed = changedKeys(*parsed, *again); !changed.isEmpty())
            findings << QStringLiteral("Written and read back, the preferences differ in ") +
                            shortList(changed);
    } else if (!bytes.trimmed().isEmpty()) {
        if (!before.isEmpty())
            findings << QStringLiteral("An unreadable preference file gives values");
        const QStringList aside =
            QDir(m_folder).entryList({QStringLiteral("preferences.json.corrupt-*")});
        if (aside.size() != 1 ||
            FuzzFiles::read(m_folder + QLatin1Char('/') + aside.value(0)) != bytes)
            findings << QStringLiteral("An unreadable preference file was not moved aside intact");
    }

    setupDefaultPreferences(defaults, nullptr);
    if (defaults.integerForKey(PrefKey::currentVersion) < kDefaultPreferencesVersion)
        findings << QStringLiteral("After the defaults routine the version is %1")
                        .arg(defaults.integerForKey(PrefKey::currentVersion));
    const std::optional<QVariantMap> onDisk = JsonKeyValueFile::parse(FuzzFiles::read(path));
    if (!onDisk) {
        findings << QStringLiteral("The file the defaults routine wrote cannot be read");
    } else {
        QStringList lost;
        for (const QString& key : changedKeys(before, *onDisk)) {
            if (!m_routineKeys.contains(key))
                lost << key;
        }
        if (!lost.isEmpty())
            findings << QStringLiteral("The defaults routine changed keys it does not own: ") +
                            shortList(lost);
    }

    const QVariantMap after = defaults.dictionaryRepresentation();
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        readEveryWay(defaults, it.key());
    SmartAddRule::listToVariant(
        SmartAddRule::listFromVariant(defaults.arrayForKey(PrefKey::smartAddRules)));
    return findings;
}

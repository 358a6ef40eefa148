#include "SyncedPrefsTarget.h"

#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int kMaxSetsPerRun = 2;

QString folderOf(const QString& workFolder, const char* name)
{
    return workFolder + QStringLiteral("/synced-prefs/") + QLatin1String(name);
}

} // namespace

SyncedPrefsTarget::SyncedPrefsTarget(const QString& workFolder)
    : m_syncFolder(folderOf(workFolder, "sync"))
    , m_standard(folderOf(workFolder, "preferences.json"))
    , m_suite(folderOf(workFolder, "suite.json"))
    , m_cloud(m_syncFolder)
    , m_modes(m_standard, [] { return false; })
    , m_lists([]() -> store::EventStore* { return nullptr; })
    , m_sync(m_standard, m_suite, m_cloud, m_lists, m_modes, m_clock, [this] { ++m_loads; })
{
    QDir().mkpath(m_syncFolder);
    setupDefaultPreferences(m_standard, nullptr);
}

QStringList SyncedPrefsTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QString file = m_syncFolder + QLatin1Char('/') + UbiquitousKeyValueStore::fileName();
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(input.data(), input.size()) != input.size())
            return {QStringLiteral("The synced file could not be written for the test")};
    }
    m_cloud.synchronize();

    const std::optional<QVariantMap> parsed = JsonKeyValueFile::parse(input.toByteArray());
    const QVariant stored = parsed ? parsed->value(PrefKey::syncedPreferences) : QVariant();
    const QVariantList expected =
        stored.typeId() == QMetaType::QVariantList ? stored.toList() : QVariantList();
    if (parsed && m_cloud.arrayForKey(PrefKey::syncedPreferences) != expected)
        findings << QStringLiteral("The synced sets read differ from the file");

    const QList<SyncedPreferenceSet> sets = m_sync.syncedPreferenceSets();
    for (qsizetype i = 0; i < sets.size() && i < kMaxSetsPerRun; ++i) {
        const QVariantMap& set = sets.at(i).values;
        PreferenceSync::missingListTitles(set, m_lists);
        const QVariantMap before = m_standard.dictionaryRepresentation();
        const int loads = m_loads;
        m_sync.loadPreferencesWithDict(set);
        QCoreApplication::processEvents();
        if (m_loads != loads + 1) {
            findings << QStringLiteral("Loading a set did not finish at once");
            continue;
        }
        const QVariantMap after = m_standard.dictionaryRepresentation();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QVariant now = after.value(it.key());
            if (now.isValid() && now.typeId() != it.value().typeId())
                findings << QStringLiteral("Loading a set changed the type of ") + it.key() +
                                QStringLiteral(" from %1 to %2")
                                    .arg(QLatin1String(it.value().typeName()),
                                         QLatin1String(now.typeName()));
        }
    }
    if (!sets.isEmpty()) {
        const qsizetype count = m_cloud.arrayForKey(PrefKey::syncedPreferences).size();
        if (!m_sync.removeSyncedPreferenceSet(sets.first().values))
            findings << QStringLiteral("A listed set cannot be removed");
        else if (m_cloud.arrayForKey(PrefKey::syncedPreferences).size() != count - 1)
            findings << QStringLiteral("Removing a set did not remove exactly one");
    }
    findings.removeDuplicates();
    return findings;
}

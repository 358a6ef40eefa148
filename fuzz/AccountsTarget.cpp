#include "AccountsTarget.h"

#include "platform/sync/SyncAccount.h"
#include "platform/sync/VdirsyncerConfig.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

// One configuration as vdirsyncer's reader takes it: sections by name, each a map of its keys
// to their JSON values.
struct ReadConfig
{
    QMap<QString, QMap<QString, QJsonValue>> sections;
    QStringList problems;
};

ReadConfig readBack(const QString& text)
{
    ReadConfig config;
    QString section;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        for (const QChar c : line) {
            if (c.unicode() < 0x20 || c.unicode() >= 0x7f) {
                config.problems << QStringLiteral("A line holds a byte outside printable ASCII");
                break;
            }
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            if (config.sections.contains(section))
                config.problems << QStringLiteral("A section comes twice: ") + section;
            config.sections[section];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1String(" = "));
        if (equals <= 0 || section.isEmpty()) {
            config.problems << QStringLiteral("A line is no setting: ") + line.left(60);
            continue;
        }
        const QString key = line.left(equals);
        QJsonParseError error;
        const QJsonDocument value =
            QJsonDocument::fromJson("[" + line.mid(equals + 3).toUtf8() + "]", &error);
        if (error.error != QJsonParseError::NoError || value.array().size() != 1) {
            config.problems << QStringLiteral("A value is no single JSON value: ") + line.left(60);
            continue;
        }
        config.sections[section].insert(key, value.array().at(0));
    }
    return config;
}

bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + QLatin1Char('/')) && QDir::cleanPath(path) == path;
}

QJsonArray explicitForm(const QStringList& names)
{
    QJsonArray entries;
    for (const QString& name : names)
        entries.append(QJsonArray{name, name, name});
    return entries;
}

QStringList checkAccount(const ReadConfig& config, const SyncAccount& account,
                         const SyncPaths& paths, const QStringList& collections)
{
    QStringList findings;
    const auto pair = config.sections.value(QStringLiteral("pair ") + account.id);
    const auto local =
        config.sections.value(QStringLiteral("storage ") + account.id + QStringLiteral("_local"));
    const auto remote =
        config.sections.value(QStringLiteral("storage ") + account.id + QStringLiteral("_remote"));
    if (pair.value(QStringLiteral("collections")).toArray() != explicitForm(collections))
        findings << QStringLiteral("An account's collections read back as others");
    if (pair.value(QStringLiteral("a")).toString() != account.id + QStringLiteral("_local") ||
        pair.value(QStringLiteral("b")).toString() != account.id + QStringLiteral("_remote"))
        findings << QStringLiteral("An account's pair names other storages");
    const QString folder = local.value(QStringLiteral("path")).toString();
    if (!isInside(folder, paths.dataFolder))
        findings << QStringLiteral("An account's folder lies outside the data folder: ") +
                        folder.left(80);
    if (remote.value(QStringLiteral("url")).toString() != account.url ||
        remote.value(QStringLiteral("username")).toString() != account.user)
        findings << QStringLiteral("An account's address or user reads back as another");
    const QJsonArray fetch = remote.value(QStringLiteral("password.fetch")).toArray();
    if (fetch.isEmpty() || fetch.last().toString() != account.id)
        findings << QStringLiteral("An account's password is fetched for another");
    return findings;
}

QStringList checkConfig(const QString& text, const QList<SyncAccount>& accounts,
                        const SyncPaths& paths, const QStringList& leftOut)
{
    const ReadConfig config = readBack(text);
    QStringList findings = config.problems;
    const QString status = config.sections.value(QStringLiteral("general"))
                               .value(QStringLiteral("status_path"))
                               .toString();
    if (status != paths.statusFolder())
        findings << QStringLiteral("The status folder reads back as another");
    qsizetype pairs = 0;
    for (const SyncAccount& account : accounts) {
        QStringList collections;
        for (const QString& collection : account.collections) {
            if (!leftOut.contains(account.id + QLatin1Char('/') + collection))
                collections << collection;
        }
        if (collections.isEmpty())
            continue;
        ++pairs;
        findings << checkAccount(config, account, paths, collections);
    }
    if (config.sections.size() != 1 + 3 * pairs)
        findings << QStringLiteral("The configuration has %1 sections for %2 pairs")
                        .arg(config.sections.size())
                        .arg(pairs);
    return findings;
}

} // namespace

AccountsTarget::AccountsTarget(const QString& workFolder)
    : m_paths{workFolder + QStringLiteral("/accounts/config"),
              workFolder + QStringLiteral("/accounts/data")}
{
    QDir(workFolder + QStringLiteral("/accounts")).removeRecursively();
    QDir().mkpath(m_paths.configFolder);
}

QStringList AccountsTarget::run(QByteArrayView input)
{
    QStringList findings;
    {
        QFile file(m_paths.accountsFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(input.data(), input.size()) != input.size())
            return {QStringLiteral("The accounts file could not be written for the test")};
    }
    const QList<SyncAccount> accounts = SyncAccounts::load(m_paths.accountsFile());
    if (accounts.isEmpty())
        return findings;

    if (!SyncAccounts::save(m_paths.accountsFile(), accounts))
        return {QStringLiteral("Accounts that were read cannot be written")};
    if (SyncAccounts::load(m_paths.accountsFile()) != accounts)
        findings << QStringLiteral("Written and read back, the accounts differ");

    const VdirsyncerConfig::Options options{
        m_paths, {QStringLiteral("velmoran-password")}, {QStringLiteral("velmoran-conflict")}};
    findings << checkConfig(VdirsyncerConfig::render(accounts, options), accounts, m_paths, {});
    // A list left out of a run leaves out nothing else.
    const SyncAccount& first = accounts.first();
    if (!first.collections.isEmpty()) {
        const QStringList leftOut{first.id + QLatin1Char('/') + first.collections.first()};
        findings << checkConfig(VdirsyncerConfig::render(accounts, options, leftOut), accounts,
                                m_paths, leftOut);
    }
    const QString listing = VdirsyncerConfig::renderListing(first, m_paths.accountFolder(first.id),
                                                            m_paths.statusFolder(), options);
    const ReadConfig read = readBack(listing);
    findings << read.problems;
    if (read.sections.value(QStringLiteral("pair ") + first.id)
            .value(QStringLiteral("collections")) != QJsonArray{QStringLiteral("from b")})
        findings << QStringLiteral("A listing run does not take every collection of the server");
    for (const SyncAccount& account : accounts) {
        for (const QString& collection : account.collections) {
            const QString folder = m_paths.collectionFolder(account.id, collection);
            if (!isInside(folder, m_paths.dataFolder))
                findings << QStringLiteral("A list's folder lies outside the data folder: ") +
                                folder.left(80);
        }
    }
    findings.removeDuplicates();
    return findings;
}

#include "platform/sync/SyncSetup.h"

#include "platform/sync/AccountsRun.h"
#include "platform/sync/SyncRunner.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace {

struct SyncSetupText
{
    Q_DECLARE_TR_FUNCTIONS(SyncSetup)
};

} // namespace

SyncSetup::SyncSetup(SyncPaths paths, SecretStore& secrets, QStringList conflictCommand)
    : m_secrets(secrets)
{
    m_options.paths = std::move(paths);
    m_options.passwordCommand = secrets.lookupCommand();
    m_options.conflictCommand = std::move(conflictCommand);
}

QList<SyncAccount> SyncSetup::accounts() const
{
    return SyncAccounts::load(m_options.paths.accountsFile());
}

SyncReport SyncSetup::listCollections(const SyncAccount& account, SyncRunner& runner)
{
    // A throw-away pair that takes everything the server has, so that listing leaves no
    // trace in the real configuration, its status or the store.
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("config"));
    VdirsyncerConfig::write(config, VdirsyncerConfig::renderListing(
                                        account, scratch.filePath(QStringLiteral("local")),
                                        scratch.filePath(QStringLiteral("status")), m_options));
    return runner.runAndWait(config, SyncRunner::listingSteps());
}

SyncSetup::Added SyncSetup::prepareAccount(const QString& url, const QString& user) const
{
    Added added;
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() ||
        (parsed.scheme() != QLatin1String("https") && parsed.scheme() != QLatin1String("http")) ||
        parsed.host().isEmpty()) {
        added.error = SyncSetupText::tr("\"%1\" is not a web address (https://…).").arg(url);
        return added;
    }
    SyncAccount account;
    account.id = SyncAccounts::newId(accounts());
    account.url = url;
    account.user = user;
    added.account = account;
    return added;
}

QString SyncSetup::passwordLabel(const SyncAccount& account)
{
    return SyncSetupText::tr("Velmoran: %1 at %2").arg(account.user, QUrl(account.url).host());
}

SyncSetup::Added SyncSetup::addAccount(const QString& url, const QString& user,
                                       const QString& password, SyncRunner& runner)
{
    Added added = prepareAccount(url, user);
    if (!added.account)
        return added;
    if (!m_secrets.store(added.account->id, passwordLabel(*added.account), password)) {
        added.error = m_secrets.error();
        added.account.reset();
        return added;
    }
    return finishAdding(*added.account, runner);
}

SyncSetup::Added SyncSetup::finishAdding(const SyncAccount& account, SyncRunner& runner)
{
    Added added;
    added.listing = listCollections(account, runner);
    if (!added.listing.ok()) {
        m_secrets.remove(account.id);
        added.error = added.listing.problemText();
        return added;
    }
    QList<SyncAccount> all = accounts();
    all.append(account);
    if (!SyncAccounts::save(m_options.paths.accountsFile(), all)) {
        m_secrets.remove(account.id);
        added.error = SyncSetupText::tr("The account could not be saved in %1.")
                          .arg(m_options.paths.accountsFile());
        return added;
    }
    added.account = account;
    return added;
}

bool SyncSetup::setCollections(const QString& id, const QStringList& collections)
{
    // A collection's name becomes a folder here: a server must not be able to name one
    // outside the account's folder.
    QStringList safe;
    for (const QString& name : collections) {
        if (SyncPaths::isEntryName(name))
            safe.append(name);
    }
    QList<SyncAccount> all = accounts();
    for (SyncAccount& account : all) {
        if (account.id == id)
            account.collections = safe;
    }
    return SyncAccounts::save(m_options.paths.accountsFile(), all) && writeConfig();
}

bool SyncSetup::removeAccount(const QString& id)
{
    QList<SyncAccount> all = accounts();
    all.removeIf([&](const SyncAccount& account) { return account.id == id; });
    m_secrets.remove(id);
    return SyncAccounts::save(m_options.paths.accountsFile(), all) && writeConfig();
}

bool SyncSetup::writeConfig(const QStringList& leftOut)
{
    QDir().mkpath(m_options.paths.statusFolder());
    // The chosen collections' folders exist before the store first looks at the account's
    // folder, which it would otherwise take for a new, empty store.
    const QList<SyncAccount> all = accounts();
    for (const SyncAccount& account : all) {
        QDir().mkpath(m_options.paths.accountFolder(account.id));
        for (const QString& collection : account.collections) {
            const QString folder = m_options.paths.collectionFolder(account.id, collection);
            if (!folder.isEmpty())
                QDir().mkpath(folder);
        }
    }
    return VdirsyncerConfig::write(m_options.paths.configFile(),
                                   VdirsyncerConfig::render(all, m_options, leftOut));
}

int SyncSetup::collectionCount() const
{
    int count = 0;
    for (const SyncAccount& account : accounts())
        count += int(account.collections.size());
    return count;
}

SyncReport SyncSetup::syncAll(SyncRunner& runner, const QHash<QString, EmptiedChoice>& choices)
{
    AccountsRun run(*this, choices);
    const QList<SyncRunner::Step> steps = run.begin();
    if (steps.isEmpty()) {
        SyncOutputReader failed;
        failed.addLine(QStringLiteral("critical: cannot write ") + m_options.paths.configFile());
        return failed.report();
    }
    runner.setRecovery([&run](const QStringList& failedStep, const SyncReport& soFar) {
        return run.recover(failedStep, soFar);
    });
    const SyncReport report =
        run.finish(runner.runAndWait(m_options.paths.configFile(), steps, collectionCount()));
    runner.setRecovery({});
    return report;
}

QString SyncSetup::keepCopy(const EmptiedList& list) const
{
    const QString sourcePath = m_options.paths.collectionFolder(list.pair, list.collection);
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString target = SyncPaths::entry(
        SyncPaths::entry(SyncPaths::entry(m_options.paths.backupFolder(), stamp), list.pair),
        list.collection);
    if (sourcePath.isEmpty() || target.isEmpty() || !QDir().mkpath(target))
        return {};
    const QDir source(sourcePath);
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), target + QLatin1Char('/') + name))
            return {};
    }
    return target;
}

bool SyncSetup::forgetSyncState(const EmptiedList& list) const
{
    const QString status = m_options.paths.statusFile(list.pair, list.collection);
    return !status.isEmpty() && (!QFile::exists(status) || QFile::remove(status));
}

QString SyncSetup::listTitle(const QString& list) const
{
    const qsizetype slash = list.indexOf(QLatin1Char('/'));
    const QString collection = list.mid(slash + 1);
    const QString folder = m_options.paths.collectionFolder(list.left(slash), collection);
    QFile file(folder + QLatin1String("/displayname"));
    if (!folder.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const QString title = QString::fromUtf8(file.read(4096)).trimmed();
        if (!title.isEmpty())
            return title;
    }
    return collection;
}

#include "cli/CliSync.h"

#include "cli/CliOutput.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "platform/sync/ConflictCopy.h"
#include "platform/sync/SyncRunner.h"
#include "platform/sync/SyncSetup.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("velmoran-cli", text);
}

SyncSetup makeSetup(SecretStore& secrets)
{
    return SyncSetup(SyncPaths::forThisUser(), secrets,
                     {QCoreApplication::applicationFilePath(), QStringLiteral("sync-conflict")});
}

// The problem in words, then vdirsyncer's own lines for whoever needs them.
int failWith(const QString& words, const SyncReport& report)
{
    QString message = words;
    for (const QString& line : report.engineMessages)
        message += QStringLiteral("\nvdirsyncer: ") + line;
    return CliOutput::fail(message);
}

int syncAll(UserDefaults& defaults, SyncSetup& setup)
{
    if (setup.accounts().isEmpty()) {
        CliOutput::print(tr("No CalDAV account is set up; add one with \"account add URL USER\"."));
        return 0;
    }
    if (!setup.writeConfig())
        return CliOutput::fail(tr("The sync configuration could not be written to %1.")
                                   .arg(setup.paths().configFile()));
    // What the sync removes from the store is kept in Recently Deleted: the snapshot of every
    // list folder is made current first.
    store::EventStore eventStore(store::EventStore::configuredRoots(defaults));
    eventStore.beginSync();
    SyncRunner runner;
    const SyncReport report = runner.runAndWait(setup.paths().configFile(), SyncRunner::syncSteps(),
                                                setup.collectionCount());
    eventStore.endSync();
    if (!report.ok())
        return failWith(report.problemText(), report);
    CliOutput::print(
        tr("Synced %1: %2")
            .arg(report.collectionsSynced.join(QLatin1String(", ")), report.summary()));
    return 0;
}

QString readPassword()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    QString password = QString::fromUtf8(in.read(4096));
    // "echo secret |" adds a line end that is not part of the password.
    if (password.endsWith(QLatin1Char('\n')))
        password.chop(1);
    if (password.endsWith(QLatin1Char('\r')))
        password.chop(1);
    return password;
}

int addAccount(UserDefaults& defaults, SyncSetup& setup, const QString& url, const QString& user)
{
    const QString password = readPassword();
    if (password.isEmpty())
        return CliOutput::fail(tr("Give the password on standard input."));
    SyncRunner runner;
    const SyncSetup::Added added = setup.addAccount(url, user, password, runner);
    if (!added.account)
        return failWith(added.error, added.listing);
    QStringList names;
    QStringList titles;
    for (const SyncReport::Collection& collection : added.listing.discovered) {
        names.append(collection.name);
        titles.append(collection.displayName);
    }
    if (!setup.setCollections(added.account->id, names))
        return CliOutput::fail(tr("The sync configuration could not be written to %1.")
                                   .arg(setup.paths().configFile()));
    const QString folder = setup.paths().accountFolder(added.account->id);
    QVariantList folders;
    for (const QString& path : StoreFolders::withFolder(defaults, folder))
        folders.append(path);
    defaults.setObject(folders, PrefKey::storeFolders);
    CliOutput::print(tr("Added %1 (%2) with the lists: %3")
                         .arg(added.account->id, url, titles.join(QLatin1String(", "))));
    return syncAll(defaults, setup);
}

int resolveConflict(const QStringList& arguments)
{
    const ConflictCopy::Outcome outcome =
        ConflictCopy::resolve(arguments.at(0), arguments.at(1), arguments.at(2));
    if (!outcome.ok)
        return CliOutput::fail(tr("The conflict could not be settled: %1").arg(outcome.error));
    // vdirsyncer passes this line on to whoever reads its output; the sync's report counts
    // the conflicts settled by it, so it goes without the usual prefix.
    const QString kept = QLatin1String(ConflictCopy::kKeptLinePrefix) +
                         tr("Kept both versions: \"%1\" is this computer's.").arg(outcome.title);
    std::fprintf(stderr, "%s\n", kept.toUtf8().constData());
    return 0;
}

} // namespace

namespace CliSync {

int run(UserDefaults& defaults, const CliRequest& request)
{
    if (request.command == CliRequest::Command::SyncConflict)
        return resolveConflict(request.arguments);
    SecretStore secrets;
    SyncSetup setup = makeSetup(secrets);
    if (request.command == CliRequest::Command::AccountAdd)
        return addAccount(defaults, setup, request.arguments.at(0), request.arguments.at(1));
    return syncAll(defaults, setup);
}

} // namespace CliSync

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

// The chosen list that `name` names: its collection, "pair/collection" or its title.
std::optional<EmptiedList> chosenList(const SyncSetup& setup, const QString& name)
{
    for (const SyncAccount& account : setup.accounts()) {
        for (const QString& collection : account.collections) {
            const EmptiedList list{
                VdirsyncerConfig::pairName(account), collection, EmptiedList::Side::Here, {}};
            if (name == collection || name == list.name() ||
                name.compare(setup.listTitle(list.name()), Qt::CaseInsensitive) == 0)
                return list;
        }
    }
    return std::nullopt;
}

// What to do, on the command line, about what the sync left out.
QStringList hints(const SyncReport& report)
{
    QStringList texts;
    for (const EmptiedList& list : report.waiting)
        texts.append(
            CliText::tr("To delete the tasks of \"%1\" on the other side too: velmoran-cli sync "
                        "--allow-emptied \"%1\"; to bring them back: velmoran-cli sync "
                        "--restore-emptied \"%1\".")
                .arg(report.titleOf(list.name())));
    QStringList accounts;
    for (const QString& list : report.missingOnServer) {
        const QString account = list.left(list.indexOf(QLatin1Char('/')));
        if (!accounts.contains(account))
            accounts.append(account);
    }
    for (const QString& account : accounts)
        texts.append(
            CliText::tr("To choose the lists of %1 again: velmoran-cli account lists %1 LIST...")
                .arg(account));
    return texts;
}

int syncAll(UserDefaults& defaults, SyncSetup& setup, const CliRequest& request)
{
    if (setup.accounts().isEmpty()) {
        CliOutput::print(
            CliText::tr("No CalDAV account is set up; add one with \"account add URL USER\"."));
        return 0;
    }
    QHash<QString, EmptiedChoice> choices;
    for (const auto& [names, choice] :
         {std::pair{request.allowEmptied, EmptiedChoice::PassOn},
          std::pair{request.restoreEmptied, EmptiedChoice::Restore}}) {
        for (const QString& name : names) {
            const std::optional<EmptiedList> list = chosenList(setup, name);
            if (!list)
                return CliOutput::fail(CliText::tr("No synced list is called \"%1\".").arg(name));
            choices.insert(list->name(), choice);
        }
    }
    // What the sync removes from the store is kept in Recently Deleted: the snapshot of every
    // list folder is made current first.
    store::EventStore eventStore(StoreFolders::configuredRoots(defaults));
    eventStore.beginSync();
    SyncRunner runner;
    const SyncReport report = setup.syncAll(runner, choices);
    eventStore.endSync();
    for (const QString& text : report.notices() + hints(report))
        CliOutput::printError(text);
    if (!report.ok())
        return failWith(report.problemText(), report);
    CliOutput::print(
        CliText::tr("Synced %1: %2")
            .arg(report.collectionsSynced.join(QLatin1String(", ")), report.summary()));
    return 0;
}

// "account lists ACCOUNT [LIST...]": what the server offers, and choosing from it.
int chooseLists(SyncSetup& setup, const QStringList& arguments)
{
    const QList<SyncAccount> accounts = setup.accounts();
    const auto account =
        std::find_if(accounts.cbegin(), accounts.cend(),
                     [&](const SyncAccount& a) { return a.id == arguments.first(); });
    if (account == accounts.cend()) {
        QStringList known;
        for (const SyncAccount& a : accounts)
            known.append(a.id);
        return CliOutput::fail(CliText::tr("No account is called \"%1\"; the accounts: %2")
                                   .arg(arguments.first(), known.join(QLatin1String(", "))));
    }
    SyncRunner runner;
    const SyncReport listing = setup.listCollections(*account, runner);
    if (!listing.ok())
        return failWith(listing.problemText(), listing);
    const QStringList wanted = arguments.mid(1);
    if (wanted.isEmpty()) {
        for (const SyncReport::Collection& collection : listing.discovered)
            CliOutput::print(QStringLiteral("%1\t%2\t%3")
                                 .arg(account->collections.contains(collection.name)
                                          ? QLatin1String("[x]")
                                          : QLatin1String("[ ]"),
                                      collection.name, collection.displayName));
        for (const QString& name : account->collections) {
            const bool onServer = std::any_of(
                listing.discovered.cbegin(), listing.discovered.cend(),
                [&](const SyncReport::Collection& collection) { return collection.name == name; });
            if (!onServer)
                CliOutput::print(QStringLiteral("[!]\t%1\t%2")
                                     .arg(name, CliText::tr("%1 (no longer on the server)")
                                                    .arg(setup.listTitle(
                                                        account->id + QLatin1Char('/') + name))));
        }
        return 0;
    }
    QStringList chosen;
    for (const QString& name : wanted) {
        const auto found =
            std::find_if(listing.discovered.cbegin(), listing.discovered.cend(),
                         [&](const SyncReport::Collection& collection) {
                             return collection.name == name ||
                                    collection.displayName.compare(name, Qt::CaseInsensitive) == 0;
                         });
        if (found == listing.discovered.cend())
            return CliOutput::fail(CliText::tr("The server has no list \"%1\".").arg(name));
        chosen.append(found->name);
    }
    if (!setup.setCollections(account->id, chosen))
        return CliOutput::fail(CliText::tr("The sync configuration could not be written to %1.")
                                   .arg(setup.paths().configFile()));
    CliOutput::print(CliText::tr("%1 syncs these lists from now on: %2")
                         .arg(account->id, chosen.join(QLatin1String(", "))));
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
        return CliOutput::fail(CliText::tr("Give the password on standard input."));
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
        return CliOutput::fail(CliText::tr("The sync configuration could not be written to %1.")
                                   .arg(setup.paths().configFile()));
    const QString folder = setup.paths().accountFolder(added.account->id);
    QVariantList folders;
    for (const QString& path : StoreFolders::withFolder(defaults, folder))
        folders.append(path);
    defaults.setObject(folders, PrefKey::storeFolders);
    CliOutput::print(CliText::tr("Added %1 (%2) with the lists: %3")
                         .arg(added.account->id, url, titles.join(QLatin1String(", "))));
    return syncAll(defaults, setup, {});
}

int resolveConflict(const QStringList& arguments)
{
    const ConflictCopy::Outcome outcome =
        ConflictCopy::resolve(arguments.at(0), arguments.at(1), arguments.at(2));
    if (!outcome.ok)
        return CliOutput::fail(
            CliText::tr("The conflict could not be settled: %1").arg(outcome.error));
    // vdirsyncer passes this line on to whoever reads its output; the sync's report counts
    // the conflicts settled by it, so it goes without the usual prefix.
    const QString kept =
        QLatin1String(ConflictCopy::kKeptLinePrefix) +
        CliText::tr("Kept both versions: \"%1\" is this computer's.").arg(outcome.title);
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
    if (request.command == CliRequest::Command::AccountLists)
        return chooseLists(setup, request.arguments);
    return syncAll(defaults, setup, request);
}

} // namespace CliSync

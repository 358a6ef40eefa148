#pragma once

#include "platform/sync/SecretStore.h"
#include "platform/sync/SyncAccount.h"
#include "platform/sync/SyncPaths.h"
#include "platform/sync/SyncReport.h"
#include "platform/sync/VdirsyncerConfig.h"

class SyncRunner;

// The accounts and the generated configuration kept in step: adding an account stores its
// password, asks the server what it holds and writes the configuration again; so do choosing
// collections and removing an account. Shared by the window and the command line.
class SyncSetup
{
public:
    // `conflictCommand` is the program (and its first arguments) that keeps both versions of
    // a task changed on both sides.
    SyncSetup(SyncPaths paths, SecretStore& secrets, QStringList conflictCommand);

    QList<SyncAccount> accounts() const;
    const SyncPaths& paths() const { return m_options.paths; }

    struct Added
    {
        std::optional<SyncAccount> account;
        // Why it could not be added, in words; the listing's report has the details.
        QString error;
        SyncReport listing;
    };
    // Stores the password, lists the server's collections with `runner` and, when that
    // worked, saves the account (with no collection chosen yet). Nothing stays behind when
    // it did not.
    Added addAccount(const QString& url, const QString& user, const QString& password,
                     SyncRunner& runner);
    // The two halves of `addAccount` around storing the password, for a caller that stores it
    // without waiting: the new account (not saved yet) or why the address will not do, and
    // the listing and saving once its password is stored.
    Added prepareAccount(const QString& url, const QString& user) const;
    Added finishAdding(const SyncAccount& account, SyncRunner& runner);
    // The name the secret service shows beside an account's password.
    static QString passwordLabel(const SyncAccount& account);
    SecretStore& secrets() const { return m_secrets; }
    // Asks the server again which collections it holds.
    SyncReport listCollections(const SyncAccount& account, SyncRunner& runner);
    bool setCollections(const QString& id, const QStringList& collections);
    bool removeAccount(const QString& id);

    bool writeConfig();
    int collectionCount() const;
    // The chosen collections ("pair/collection") whose folder here holds no task: the user
    // deleted or moved away every task of that list.
    QStringList emptiedCollections() const;
    // Copies the tasks of collections ("pair/collection") about to be emptied here, because
    // another device emptied them on the server, into the backup folder.
    bool keepCopies(const QStringList& collections) const;
    // Writes the configuration and runs one sync of every account to its end.
    SyncReport syncAll(SyncRunner& runner);

private:
    VdirsyncerConfig::Options m_options;
    SecretStore& m_secrets;
};

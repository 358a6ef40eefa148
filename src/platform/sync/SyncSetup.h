#pragma once

#include "platform/sync/EmptiedList.h"
#include "platform/sync/SecretStore.h"
#include "platform/sync/SyncAccount.h"
#include "platform/sync/SyncPaths.h"
#include "platform/sync/SyncReport.h"
#include "platform/sync/VdirsyncerConfig.h"

#include <QHash>

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

    // Writes the configuration, without the lists ("pair/collection") in `leftOut`.
    bool writeConfig(const QStringList& leftOut = {});
    int collectionCount() const;
    // Copies this computer's tasks of `list`, which was emptied on the server, into a new
    // folder under the backup folder; the folder, or empty when nothing could be copied.
    QString keepCopy(const EmptiedList& list) const;
    // Makes vdirsyncer forget what `list` held at the last sync, so that the next sync takes
    // each side's tasks as new and brings them to the side that lost them.
    bool forgetSyncState(const EmptiedList& list) const;
    // The title of a list ("pair/collection") as this computer knows it, else its name.
    QString listTitle(const QString& list) const;
    // Writes the configuration and runs one sync of every account to its end (AccountsRun),
    // with the user's `choices` for emptied lists.
    SyncReport syncAll(SyncRunner& runner, const QHash<QString, EmptiedChoice>& choices = {});

private:
    VdirsyncerConfig::Options m_options;
    SecretStore& m_secrets;
};

#pragma once

#include "platform/sync/SyncAccount.h"
#include "platform/sync/SyncPaths.h"

#include <QString>
#include <QStringList>

// The vdirsyncer configuration the application writes for its accounts: one pair per account
// between a filesystem storage under the account's store folder and the CalDAV server, the
// password fetched from the secret service, and conflicts handed to a command that keeps both
// versions. Every value the user typed or a server named is written as an ASCII-only JSON
// string on one line, which vdirsyncer's reader (an INI file whose values are JSON) cannot take
// for anything else; collection names also in a form it cannot take for a keyword.
namespace VdirsyncerConfig {

struct Options
{
    SyncPaths paths;
    // Run with the account's id appended; prints the password.
    QStringList passwordCommand;
    // Run with the account's store folder appended; vdirsyncer then adds the two versions.
    QStringList conflictCommand;
};

// `text` as a JSON string literal that holds no byte outside printable ASCII.
QString quoted(const QString& text);

// The whole configuration for `accounts`, without the lists ("pair/collection") in `leftOut`;
// an account without a collection to sync gets no pair.
QString render(const QList<SyncAccount>& accounts, const Options& options,
               const QStringList& leftOut = {});
// A configuration whose only pair takes every collection of the server into `localFolder`,
// with its status in `statusFolder`: for listing what a server offers before choosing.
QString renderListing(const SyncAccount& account, const QString& localFolder,
                      const QString& statusFolder, const Options& options);

// Writes `text` to `path` atomically, readable by the user only.
bool write(const QString& path, const QString& text);

// The names vdirsyncer gives an account's pair and storages.
QString pairName(const SyncAccount& account);
QString localStorageName(const SyncAccount& account);

} // namespace VdirsyncerConfig

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One CalDAV account the application keeps in step with its server: where the server is, who
// logs in, and which of its collections are synced. The password is never here; it lives in
// the secret service under the account's id.
struct SyncAccount
{
    // Our own name for the account, used for the configuration's sections and the secret's
    // attributes; letters, digits and '_' only, so it never needs quoting.
    QString id;
    QString url;
    QString user;
    // The server's names of the chosen collections (none: nothing is synced yet).
    QStringList collections;

    bool operator==(const SyncAccount&) const = default;
};

// The accounts file under the application's configuration folder: the one source the
// generated vdirsyncer configuration is written from.
namespace SyncAccounts {

QList<SyncAccount> load(const QString& path);
bool save(const QString& path, const QList<SyncAccount>& accounts);
// An id no account in `accounts` has, and most likely no other configuration either.
QString newId(const QList<SyncAccount>& accounts);

} // namespace SyncAccounts

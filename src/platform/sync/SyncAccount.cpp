#include "platform/sync/SyncAccount.h"

#include "platform/ReplaceFileContents.h"
#include "platform/sync/SyncPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace SyncAccounts {

namespace {

bool isValidId(const QString& id)
{
    // Anchored as a whole: '$' also matches before a final newline, which let "x\n" through
    // into the section names of the generated configuration.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(u"[A-Za-z0-9_]{1,40}"));
    return pattern.match(id).hasMatch();
}

} // namespace

QList<SyncAccount> load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // read() first makes room for as much as it is allowed to read: the size asks for less.
    const QJsonArray array =
        QJsonDocument::fromJson(file.read(qMin<qint64>(file.size(), 1 << 20))).array();
    QList<SyncAccount> accounts;
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        SyncAccount account;
        account.id = object.value(QLatin1String("id")).toString();
        account.url = object.value(QLatin1String("url")).toString();
        account.user = object.value(QLatin1String("user")).toString();
        // Each name becomes a folder of the account's: a hand-edited file must not name one
        // outside it.
        for (const QJsonValue& name : object.value(QLatin1String("collections")).toArray()) {
            if (SyncPaths::isEntryName(name.toString()))
                account.collections.append(name.toString());
        }
        // A hand-edited file must not bring a section name we would have to quote, nor a second
        // account under an id already read: vdirsyncer refuses a configuration that names a
        // pair twice, and would sync neither.
        const bool taken = std::any_of(accounts.cbegin(), accounts.cend(),
                                       [&](const SyncAccount& a) { return a.id == account.id; });
        if (isValidId(account.id) && !account.url.isEmpty() && !taken)
            accounts.append(account);
    }
    return accounts;
}

bool save(const QString& path, const QList<SyncAccount>& accounts)
{
    QJsonArray array;
    for (const SyncAccount& account : accounts) {
        QJsonObject object;
        object.insert(QLatin1String("id"), account.id);
        object.insert(QLatin1String("url"), account.url);
        object.insert(QLatin1String("user"), account.user);
        object.insert(QLatin1String("collections"),
                      QJsonArray::fromStringList(account.collections));
        array.append(object);
    }
    return replaceFileContents(path, QJsonDocument(array).toJson(), nullptr,
                               ReplaceFileOptions::creatingFolder());
}

QString newId(const QList<SyncAccount>& accounts)
{
    // Random, so that two configurations of one user (a second profile, a test) never share
    // the secret-service entry an id names, and a removed account's status is never reused.
    for (;;) {
        const QString id =
            QStringLiteral("account_%1")
                .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
        const bool taken = std::any_of(accounts.cbegin(), accounts.cend(),
                                       [&](const SyncAccount& a) { return a.id == id; });
        if (!taken)
            return id;
    }
}

} // namespace SyncAccounts

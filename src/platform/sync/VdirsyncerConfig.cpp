#include "platform/sync/VdirsyncerConfig.h"

#include "platform/ReplaceFileContents.h"

#include <QDir>
#include <QFileInfo>

namespace VdirsyncerConfig {

namespace {

QString quotedList(const QStringList& items)
{
    QStringList parts;
    for (const QString& item : items)
        parts.append(quoted(item));
    return QLatin1Char('[') + parts.join(QLatin1String(", ")) + QLatin1Char(']');
}

// vdirsyncer reads a plain string in the collections list as a keyword when it is one ("from
// a", "from b": every collection of that side), so each collection is written in its explicit
// form, [name, name on a, name on b], which is never read as anything else.
QString collectionList(const QStringList& collections)
{
    QStringList entries;
    for (const QString& name : collections)
        entries.append(quotedList({name, name, name}));
    return QLatin1Char('[') + entries.join(QLatin1String(", ")) + QLatin1Char(']');
}

QString remoteStorageName(const SyncAccount& account)
{
    return account.id + QLatin1String("_remote");
}

// The pair and its two storages. `collections` is a JSON value already.
QString pairSections(const SyncAccount& account, const QString& collections,
                     const QString& localFolder, const Options& options)
{
    QString text;
    text += QStringLiteral("[pair %1]\n").arg(pairName(account));
    text += QStringLiteral("a = %1\n").arg(quoted(localStorageName(account)));
    text += QStringLiteral("b = %1\n").arg(quoted(remoteStorageName(account)));
    text += QStringLiteral("collections = %1\n").arg(collections);
    text += QStringLiteral("metadata = [\"displayname\", \"color\"]\n");
    if (!options.conflictCommand.isEmpty())
        text += QStringLiteral("conflict_resolution = %1\n")
                    .arg(quotedList(QStringList{QStringLiteral("command")} +
                                    options.conflictCommand + QStringList{localFolder}));
    text += QStringLiteral("\n[storage %1]\n").arg(localStorageName(account));
    text += QStringLiteral("type = \"filesystem\"\n");
    text += QStringLiteral("path = %1\n").arg(quoted(localFolder));
    text += QStringLiteral("fileext = \".ics\"\n");
    text += QStringLiteral("\n[storage %1]\n").arg(remoteStorageName(account));
    text += QStringLiteral("type = \"caldav\"\n");
    text += QStringLiteral("url = %1\n").arg(quoted(account.url));
    text += QStringLiteral("username = %1\n").arg(quoted(account.user));
    text += QStringLiteral("password.fetch = %1\n")
                .arg(quotedList(QStringList{QStringLiteral("command")} + options.passwordCommand +
                                QStringList{account.id}));
    text += QLatin1Char('\n');
    return text;
}

QString generalSection(const QString& statusFolder)
{
    return QStringLiteral("# Written by Velmoran from its accounts; changes here are replaced.\n"
                          "[general]\nstatus_path = %1\n\n")
        .arg(quoted(statusFolder));
}

} // namespace

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u >= 0x20 && u < 0x7f) {
            out += c;
        } else {
            // Surrogate halves come one at a time, which is how JSON spells them too.
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString pairName(const SyncAccount& account)
{
    return account.id;
}

QString localStorageName(const SyncAccount& account)
{
    return account.id + QLatin1String("_local");
}

QString render(const QList<SyncAccount>& accounts, const Options& options,
               const QStringList& leftOut)
{
    QString text = generalSection(options.paths.statusFolder());
    for (const SyncAccount& account : accounts) {
        QStringList collections;
        for (const QString& collection : account.collections) {
            if (!leftOut.contains(pairName(account) + QLatin1Char('/') + collection))
                collections.append(collection);
        }
        if (collections.isEmpty())
            continue;
        text += pairSections(account, collectionList(collections),
                             options.paths.accountFolder(account.id), options);
    }
    return text;
}

QString renderListing(const SyncAccount& account, const QString& localFolder,
                      const QString& statusFolder, const Options& options)
{
    Options listing = options;
    listing.conflictCommand.clear();
    return generalSection(statusFolder) +
           pairSections(account, QStringLiteral("[\"from b\"]"), localFolder, listing);
}

bool write(const QString& path, const QString& text)
{
    ReplaceFileOptions options = ReplaceFileOptions::creatingFolder();
    options.permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return replaceFileContents(path, text.toUtf8(), nullptr, options);
}

} // namespace VdirsyncerConfig

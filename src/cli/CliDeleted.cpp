#include "cli/CliDeleted.h"

#include "cli/CliOutput.h"
#include "platform/store/EventStore.h"
#include "platform/store/LocalFileName.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>

namespace CliDeleted {

namespace {

using CliOutput::fail;

QJsonObject entryObject(const trash::DeletedEntry& entry)
{
    return QJsonObject{
        {QStringLiteral("id"), entry.id},
        {QStringLiteral("kind"), trash::storedName(entry.kind)},
        {QStringLiteral("title"), entry.title},
        {QStringLiteral("list"), entry.listTitle},
        {QStringLiteral("deletedAt"), CliOutput::localMinute(entry.deletedAt)},
        {QStringLiteral("deletedBy"), trash::storedName(entry.deletedBy)},
        {QStringLiteral("folder"), store::LocalFileName::forDisplay(entry.folderPath)},
        {QStringLiteral("file"), store::LocalFileName::forDisplay(entry.fileName)},
        {QStringLiteral("uid"), entry.uid},
        {QStringLiteral("tasks"), entry.taskCount},
    };
}

// id, kind, when, by whom, list, title.
QString entryLine(const trash::DeletedEntry& entry)
{
    return QStringList{entry.id,
                       trash::storedName(entry.kind),
                       CliOutput::localMinute(entry.deletedAt),
                       trash::storedName(entry.deletedBy),
                       entry.listTitle,
                       entry.title}
        .join(QLatin1Char('\t'));
}

} // namespace

int runDeleted(store::EventStore& eventStore, const CliRequest& request)
{
    trash::RecentlyDeleted& trash = eventStore.recentlyDeleted();
    if (request.emptyTrash) {
        // Each entry on its own, so an entry that could not be deleted is said, with its cause,
        // instead of being counted silently out of the total.
        int count = 0;
        int status = 0;
        for (const trash::DeletedEntry& entry : trash.entries()) {
            QString error;
            if (trash.remove(entry.id, &error)) {
                ++count;
                continue;
            }
            CliOutput::printError(
                CliText::tr("\"%1\" could not be deleted: %2").arg(entry.title, error));
            status = 1;
        }
        CliOutput::print(CliText::tr("Deleted %n item(s) for good.", nullptr, count));
        return status;
    }
    const QList<trash::DeletedEntry> entries = trash.entries();
    if (request.json) {
        QJsonArray array;
        for (const trash::DeletedEntry& entry : entries)
            array.append(entryObject(entry));
        CliOutput::printJson(array);
        return 0;
    }
    for (const trash::DeletedEntry& entry : entries)
        CliOutput::print(entryLine(entry));
    return 0;
}

int runRestore(store::EventStore& eventStore, const CliRequest& request)
{
    // Every identifier is checked before anything is put back: a typing slip restores nothing.
    for (const QString& id : request.arguments) {
        if (!eventStore.recentlyDeleted().entry(id))
            return fail(CliText::tr("\"%1\" is not in Recently Deleted; \"deleted\" lists what is.")
                            .arg(id));
    }
    int status = 0;
    for (const QString& id : request.arguments) {
        store::EventStore::RestoreOutcome outcome;
        QString error;
        if (!eventStore.restoreDeleted(id, &outcome, &error)) {
            CliOutput::printError(error);
            status = 1;
            continue;
        }
        if (outcome.kind == trash::EntryKind::List)
            CliOutput::print(CliText::tr("Restored the list \"%1\" with %n task(s).", nullptr,
                                         int(outcome.paths.size()))
                                 .arg(outcome.listTitle));
        else if (outcome.intoDefaultList)
            CliOutput::print(
                CliText::tr("Restored \"%1\" into \"%2\": its own list no longer exists.")
                    .arg(outcome.title, outcome.listTitle));
        else
            CliOutput::print(
                CliText::tr("Restored \"%1\" into \"%2\".").arg(outcome.title, outcome.listTitle));
    }
    return status;
}

} // namespace CliDeleted

#include "platform/sync/SyncReport.h"

#include "platform/sync/ConflictCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRegularExpression>
#include <QUrl>

namespace {

struct SyncReportText
{
    Q_DECLARE_TR_FUNCTIONS(SyncReport)
};

// The storage part of "account_1_local/work" or "account_1_local".
QString storageOf(const QString& instance)
{
    return instance.left(instance.indexOf(QLatin1Char('/')));
}

bool isLocalStorage(const QString& instance)
{
    return storageOf(instance).endsWith(QLatin1String("_local"));
}

bool isRemoteStorage(const QString& instance)
{
    return storageOf(instance).endsWith(QLatin1String("_remote"));
}

// The JSON string at the start of `text` (vdirsyncer prints collection names that way), and
// where it ends.
std::optional<std::pair<QString, qsizetype>> leadingJsonString(const QString& text)
{
    if (!text.startsWith(QLatin1Char('"')))
        return std::nullopt;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\')) {
            ++i;
        } else if (text.at(i) == QLatin1Char('"')) {
            const QByteArray json = "[" + text.left(i + 1).toUtf8() + "]";
            const QJsonDocument document = QJsonDocument::fromJson(json);
            if (!document.isArray())
                return std::nullopt;
            return std::make_pair(document.array().at(0).toString(), i + 1);
        }
    }
    return std::nullopt;
}

// `pair/collection` of "account_1/work: Storage "account_1_remote/work" was completely emptied…",
// with the side that lost its tasks.
std::optional<EmptiedList> emptiedListIn(const QString& message)
{
    static const QLatin1String storage(": Storage \"");
    static const QLatin1String emptied("\" was completely emptied");
    const qsizetype at = message.indexOf(storage);
    const qsizetype end = message.indexOf(emptied);
    if (at <= 0 || end < at)
        return std::nullopt;
    const QString name = message.left(at);
    const QString instance = message.mid(at + storage.size(), end - at - storage.size());
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return std::nullopt;
    EmptiedList list;
    list.pair = name.left(slash);
    list.collection = name.mid(slash + 1);
    list.side = isRemoteStorage(instance) ? EmptiedList::Side::Server : EmptiedList::Side::Here;
    return list;
}

// "pair/collection" of "No collection "work" found for storage account_1_remote.".
QString missingRemoteCollection(const QString& line)
{
    static const QLatin1String prefix("warning: No collection ");
    static const QLatin1String remote("_remote.");
    if (!line.startsWith(prefix) || !line.endsWith(remote))
        return {};
    const auto name = leadingJsonString(line.mid(prefix.size()));
    if (!name)
        return {};
    const QString storage = line.mid(line.lastIndexOf(QLatin1Char(' ')) + 1);
    return storage.chopped(remote.size()) + QLatin1Char('/') + name->first;
}

void appendOnce(QStringList& list, const QString& item)
{
    if (!list.contains(item))
        list.append(item);
}

} // namespace

QString SyncReport::titleOf(const QString& list) const
{
    return titles.value(list, list.mid(list.indexOf(QLatin1Char('/')) + 1));
}

QString SyncReport::problemText() const
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Authentication:
        return SyncReportText::tr(
            "The server refused the user name or password. Check them, or enter the "
            "password again in the account.");
    case Problem::Forbidden:
        if (refusedIn.isEmpty())
            return SyncReportText::tr(
                "The server does not let this user in there (403 Forbidden). Check the "
                "address, and the user's rights on the server.");
        return SyncReportText::tr(
                   "The server refused changes to \"%1\" (403 Forbidden): the list is read-only "
                   "for this user. The changes stay on this computer; ask the list's owner for "
                   "the right to change it, or move the tasks to another list.")
            .arg(titleOf(refusedIn.first()));
    case Problem::Unreachable:
        return SyncReportText::tr(
            "The server cannot be reached. Check the address and the network.");
    case Problem::NotCalDav:
        return SyncReportText::tr("The address does not lead to a CalDAV server.");
    case Problem::Certificate:
        return SyncReportText::tr(
            "The server's certificate is not trusted, or it does not speak HTTPS.");
    case Problem::Timeout:
        return SyncReportText::tr("The server did not answer in time.");
    case Problem::Conflict:
        return SyncReportText::tr(
            "A task was changed both here and on the server and could not be merged; "
            "both versions are unchanged.");
    case Problem::CollectionMissing:
        return SyncReportText::tr(
            "A list chosen for syncing no longer exists on the server. Choose the "
            "account's lists again.");
    case Problem::Password:
        return SyncReportText::tr(
            "The password could not be read from the secret service. Unlock the keyring "
            "or enter the password again.");
    case Problem::EmptiedHere:
        return SyncReportText::tr(
                   "Every task of \"%1\" was deleted on this computer. To be safe nothing was "
                   "deleted on the server; choose whether to delete the tasks there too.")
            .arg(emptied.isEmpty() ? QString() : titleOf(emptied.first().name()));
    case Problem::EmptiedOnServer:
        return SyncReportText::tr(
                   "Every task of \"%1\" was deleted on the server. To be safe nothing was "
                   "deleted here; choose whether to delete the tasks here too.")
            .arg(emptied.isEmpty() ? QString() : titleOf(emptied.first().name()));
    case Problem::Stopped:
        return SyncReportText::tr(
            "Syncing was stopped before it finished. What was synced is kept; the next "
            "sync goes on from there.");
    case Problem::Killed:
        return SyncReportText::tr(
                   "vdirsyncer was ended from outside (signal %1) before the sync finished. What "
                   "was synced is kept; sync again to finish.")
            .arg(killedBy);
    case Problem::Other:
        if (engineMessages.isEmpty())
            return SyncReportText::tr(
                "vdirsyncer failed without saying why. Nothing is lost by it; sync again.");
        return SyncReportText::tr(
                   "vdirsyncer failed: %1 Sync again; if it fails again, the details hold "
                   "vdirsyncer's own words.")
            .arg(engineMessages.first().section(QLatin1Char('\n'), 0, 0));
    }
    return {};
}

QString SyncReport::summary() const
{
    QStringList parts;
    if (downloaded)
        parts.append(SyncReportText::tr("%n received", nullptr, downloaded));
    if (uploaded)
        parts.append(SyncReportText::tr("%n sent", nullptr, uploaded));
    if (deletedHere)
        parts.append(SyncReportText::tr("%n deleted here", nullptr, deletedHere));
    if (deletedThere)
        parts.append(SyncReportText::tr("%n deleted on the server", nullptr, deletedThere));
    if (conflicts)
        parts.append(SyncReportText::tr("%n changed on both sides, both kept", nullptr, conflicts));
    if (parts.isEmpty())
        return SyncReportText::tr("Nothing to change");
    return parts.join(QLatin1String(", "));
}

QStringList SyncReport::notices() const
{
    QStringList texts;
    for (const QString& list : missingOnServer)
        texts.append(SyncReportText::tr(
                         "\"%1\" no longer exists on the server and was left out; its tasks stay "
                         "on this computer. Choose the account's lists again.")
                         .arg(titleOf(list)));
    for (const EmptiedList& list : waiting) {
        if (list.side == EmptiedList::Side::Here)
            texts.append(SyncReportText::tr(
                             "Every task of \"%1\" was deleted on this computer. The list is left "
                             "out of syncing until you choose whether to delete its tasks on the "
                             "server too or to bring them back here.")
                             .arg(titleOf(list.name())));
        else
            texts.append(SyncReportText::tr(
                             "Every task of \"%1\" was deleted on the server; a copy of this "
                             "computer's tasks is in %2. The list is left out of syncing until "
                             "you choose whether to delete them here too or to send them back.")
                             .arg(titleOf(list.name()), QDir::toNativeSeparators(list.copyFolder)));
    }
    for (const EmptiedList& list : passedOn) {
        if (list.side == EmptiedList::Side::Here)
            texts.append(SyncReportText::tr("The tasks of \"%1\" were deleted on the server too.")
                             .arg(titleOf(list.name())));
        else
            texts.append(
                SyncReportText::tr("The tasks of \"%1\" were deleted here too; a copy is in %2.")
                    .arg(titleOf(list.name()), QDir::toNativeSeparators(list.copyFolder)));
    }
    return texts;
}

void SyncOutputReader::addLine(const QString& line)
{
    m_report.log += line + QLatin1Char('\n');
    static const QLatin1String copying("Copying (");
    static const QLatin1String deleting("Deleting item ");
    if (line.startsWith(copying)) {
        const qsizetype to = line.lastIndexOf(QLatin1String(" to "));
        const QString storage = to < 0 ? QString() : line.mid(to + 4);
        if (isLocalStorage(storage)) {
            m_report.downloaded++;
        } else if (isRemoteStorage(storage)) {
            m_report.uploaded++;
            const qsizetype item = line.indexOf(QLatin1String(" item "));
            if (item >= 0 && item < to)
                m_uploads.append(storage + QLatin1Char('\n') + line.mid(item + 6, to - item - 6));
        }
    } else if (line.startsWith(deleting)) {
        const qsizetype from = line.lastIndexOf(QLatin1String(" from "));
        const QString storage = from < 0 ? QString() : line.mid(from + 6);
        if (isLocalStorage(storage))
            m_report.deletedHere++;
        else if (isRemoteStorage(storage))
            m_report.deletedThere++;
    } else if (line.startsWith(QLatin1String(ConflictCopy::kKeptLinePrefix))) {
        // vdirsyncer's own "Doing conflict resolution" comes before it knows whether the two
        // versions differ at all (after an interrupted sync, most are the same), and the
        // conflict step may yet fail: only the step's word that it kept both counts.
        m_report.conflicts++;
    } else if (line.startsWith(QLatin1String("Syncing "))) {
        const QString name = line.mid(8);
        m_report.collectionsSynced.append(name.mid(name.indexOf(QLatin1Char('/')) + 1));
    } else if (line.endsWith(QLatin1Char(':')) && !line.startsWith(QLatin1Char(' '))) {
        // "account_1_remote:" opens the list of what the server holds.
        m_inRemoteListing = line.endsWith(QLatin1String("_remote:"));
    } else if (m_inRemoteListing && line.startsWith(QLatin1String("  - "))) {
        const QString rest = line.mid(4);
        if (const auto name = leadingJsonString(rest)) {
            SyncReport::Collection collection{name->first, name->first};
            const QString tail = rest.mid(name->second).trimmed();
            if (tail.startsWith(QLatin1String("(\"")) && tail.endsWith(QLatin1String("\")")))
                collection.displayName = tail.mid(2, tail.size() - 4);
            m_report.discovered.append(collection);
        }
    } else if (const QString missing = missingRemoteCollection(line); !missing.isEmpty()) {
        appendOnce(m_report.missingOnServer, missing);
    } else if (line.startsWith(QLatin1String("error: ")) ||
               line.startsWith(QLatin1String("critical: "))) {
        addError(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
    } else {
        m_inRemoteListing = m_inRemoteListing && line.startsWith(QLatin1String("  "));
    }
}

void SyncOutputReader::addError(const QString& message)
{
    // vdirsyncer's advice to rerun with debug output is no use to the user.
    if (message.contains(QLatin1String("-vdebug")))
        return;
    if (const auto list = emptiedListIn(message); list && !m_report.emptied.contains(*list))
        m_report.emptied.append(*list);
    static const QRegularExpression refused(QStringLiteral(
        "^Unknown error occurred for (.+?): 403, message=(?:.*url=URL\\('([^']*)'\\))?"));
    if (const QRegularExpressionMatch match = refused.match(message); match.hasMatch()) {
        const QString collection = match.captured(1);
        appendOnce(m_report.refusedIn, collection);
        withdrawRefusedUpload(collection, match.captured(2));
    }
    m_report.engineMessages.append(message);
    const SyncReport::Problem problem = classify(message);
    if (m_report.problem == SyncReport::Problem::None ||
        m_report.problem == SyncReport::Problem::Other)
        m_report.problem = problem;
}

// vdirsyncer says "Copying (uploading)" before it sends; an item the server then refuses
// (403 on its URL) was not sent.
void SyncOutputReader::withdrawRefusedUpload(const QString& collection, const QString& url)
{
    const qsizetype slash = collection.indexOf(QLatin1Char('/'));
    if (url.isEmpty() || slash < 0)
        return;
    const QString storage =
        collection.left(slash) + QLatin1String("_remote") + collection.mid(slash);
    const QString href = QUrl(url).fileName();
    for (qsizetype i = m_uploads.size() - 1; i >= 0; --i) {
        const qsizetype split = m_uploads.at(i).indexOf(QLatin1Char('\n'));
        const QString item = m_uploads.at(i).mid(split + 1);
        if (m_uploads.at(i).left(split) == storage && !item.isEmpty() && href.startsWith(item)) {
            m_uploads.removeAt(i);
            m_report.uploaded--;
            return;
        }
    }
}

void SyncOutputReader::setProblem(SyncReport::Problem problem)
{
    m_report.problem = problem;
}

void SyncOutputReader::setKilled(int number)
{
    m_report.killedBy = number;
    m_report.problem = SyncReport::Problem::Killed;
}

void SyncOutputReader::clearProblems()
{
    m_report.problem = SyncReport::Problem::None;
    m_report.engineMessages.clear();
    m_report.refusedIn.clear();
    m_report.killedBy = 0;
}

void SyncOutputReader::finish(bool succeeded)
{
    if (!succeeded && m_report.problem == SyncReport::Problem::None)
        m_report.problem = SyncReport::Problem::Other;
}

SyncReport::Problem SyncOutputReader::classify(const QString& message)
{
    using P = SyncReport::Problem;
    const auto has = [&](const char* text) {
        return message.contains(QLatin1String(text), Qt::CaseInsensitive);
    };
    if (has("password.fetch") || has("Failed to execute command") || has("secret-tool"))
        return P::Password;
    // Every connection failure names "ssl:default"; only "[SSL: …]" is about TLS itself.
    if (message.contains(QLatin1String("[SSL")) || has("certificate"))
        return P::Certificate;
    // The status with its message, as vdirsyncer prints it: "401" alone is found in port
    // numbers and addresses too.
    if (has("401, message") || has("Unauthorized"))
        return P::Authentication;
    // A 403 is a user the server knows being refused something, most often a change to a
    // list shared read-only; the password was fine.
    if (has("403, message") || has("Forbidden"))
        return P::Forbidden;
    if (has("Cannot connect to host") || has("Connect call failed") ||
        has("Name or service not known") || has("name resolution") || has("Server disconnected") ||
        has("Connection reset") || has("Connection refused"))
        return P::Unreachable;
    if (has("timed out") || has("TimeoutError"))
        return P::Timeout;
    if (has("changed on both sides") || has("conflict"))
        return P::Conflict;
    if (has("Unable to find or create collection"))
        return P::CollectionMissing;
    if (const auto list = emptiedListIn(message))
        return list->side == EmptiedList::Side::Server ? P::EmptiedOnServer : P::EmptiedHere;
    if (has("Unsupported method") || has("405, message") || has("501, message") ||
        has("404, message") || has("Method Not Allowed") || has("Not Found") || has("XML") ||
        has("DAV"))
        return P::NotCalDav;
    return P::Other;
}

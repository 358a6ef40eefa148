#include "SyncOutputTarget.h"

#include "platform/sync/ConflictCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kMaxListsPerRun = 8;

SyncPaths pathsUnder(const QString& root)
{
    return SyncPaths{root + QStringLiteral("/config"), root + QStringLiteral("/data")};
}

bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + QLatin1Char('/')) && QDir::cleanPath(path) == path &&
           !path.contains(QChar(0));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

SyncOutputTarget::SyncOutputTarget(const QString& workFolder)
    : m_root(workFolder + QStringLiteral("/sync-output"))
    , m_setup(pathsUnder(m_root), m_secrets, {QStringLiteral("true")})
{
    QDir(m_root).removeRecursively();
    // Something for a copy to take, in the one list every run may name.
    writeFile(m_setup.paths().dataFolder + QStringLiteral("/acc/work/a.ics"),
              "BEGIN:VCALENDAR\r\n");
}

QStringList SyncOutputTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QString text = QString::fromUtf8(input);
    SyncOutputReader reader;
    for (const QString& line : text.split(QLatin1Char('\n')))
        reader.addLine(line);
    reader.finish(false);
    const SyncReport& report = reader.report();
    report.problemText();
    report.summary();
    report.notices();

    const SyncPaths& paths = m_setup.paths();
    int lists = 0;
    for (const EmptiedList& list : report.emptied) {
        if (++lists > kMaxListsPerRun)
            break;
        const QString copy = m_setup.keepCopy(list);
        if (!copy.isEmpty() && !isInside(copy, paths.backupFolder()))
            findings << QStringLiteral("A copy of an emptied list lies outside the backups: ") +
                            copy.left(100);
        const QString status = paths.statusFile(list.pair, list.collection);
        if (!status.isEmpty() && !isInside(status, paths.statusFolder()))
            findings << QStringLiteral("A status file lies outside the status folder: ") +
                            status.left(100);
        m_setup.forgetSyncState(list);
    }
    QStringList named = report.missingOnServer + report.refusedIn;
    for (const SyncReport::Collection& collection : report.discovered)
        named << QStringLiteral("acc/") + collection.name;
    for (const QString& list : named.mid(0, kMaxListsPerRun)) {
        const qsizetype slash = list.indexOf(QLatin1Char('/'));
        const QString folder = paths.collectionFolder(list.left(slash), list.mid(slash + 1));
        if (!folder.isEmpty() && !isInside(folder, paths.dataFolder))
            findings << QStringLiteral("A list's folder lies outside the accounts: ") +
                            folder.left(100);
        m_setup.listTitle(list);
    }

    // Nothing may have been made outside the two folders the paths name.
    const QStringList made = QDir(m_root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                    QDir::Hidden | QDir::System);
    for (const QString& name : made) {
        if (name != QLatin1String("config") && name != QLatin1String("data"))
            findings << QStringLiteral("Something was made beside the sync folders: ") + name;
    }
    QDir(paths.backupFolder()).removeRecursively();

    const QString uid = ConflictCopy::uidOf(text);
    if (!uid.isEmpty()) {
        const QString copy = ConflictCopy::asCopy(text, uid, QStringLiteral("fuzz-copy-uid"));
        if (ConflictCopy::uidOf(copy) != QLatin1String("fuzz-copy-uid"))
            findings << QStringLiteral("A conflict copy keeps its UID ") + uid.left(40);
    }
    return findings;
}

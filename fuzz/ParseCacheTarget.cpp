#include "ParseCacheTarget.h"

#include "FuzzFiles.h"

#include "ReminderFields.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

using store::ParseCache;
using store::ParsedItemPtr;

namespace {

// Names the writer with a short tag, so that the fuzzer's bytes go to the entries.
const QByteArray kEnvironment = QByteArrayLiteral("fuzz");

QStringList itemDifferences(const store::ParsedItem& a, const store::ParsedItem& b)
{
    QStringList differences;
    if (a.file().fileName != b.file().fileName || a.file().path() != b.file().path())
        differences << QStringLiteral("file name");
    if (a.file().stamp.size != b.file().stamp.size ||
        a.file().stamp.mtimeNs != b.file().stamp.mtimeNs ||
        a.file().stamp.inode != b.file().stamp.inode)
        differences << QStringLiteral("stamp");
    if (a.parsed != b.parsed || a.hasTodo != b.hasTodo || a.hasEvent != b.hasEvent)
        differences << QStringLiteral("flags");
    if (a.uid != b.uid || a.error() != b.error())
        differences << QStringLiteral("UID or error");
    if (a.origin->contentHash != b.origin->contentHash)
        differences << QStringLiteral("content hash");
    if (a.reminders.size() != b.reminders.size()) {
        differences << QStringLiteral("task count");
        return differences;
    }
    for (qsizetype i = 0; i < a.reminders.size(); ++i) {
        for (const QString& field : ReminderFields::differences(*a.reminders[i], *b.reminders[i]))
            differences << QStringLiteral("task ") + field;
        if (a.reminders[i]->lastModifiedDate != b.reminders[i]->lastModifiedDate)
            differences << QStringLiteral("task modification date");
    }
    return differences;
}

} // namespace

ParseCacheTarget::ParseCacheTarget(const QString& workFolder)
    : m_roots{QStringLiteral("/store/one"), QStringLiteral("/store/two")}
    , m_cache(workFolder + QStringLiteral("/parse-cache/store"), kEnvironment)
{
    m_folder.identifier = QStringLiteral("list");
    m_folder.folderPath = QStringLiteral("/store/one/list");
    m_folder.rootPath = m_roots.first();
    m_file = m_cache.fileForFolder(m_folder.folderPath);
    QDir(workFolder + QStringLiteral("/parse-cache")).removeRecursively();
    m_cache.save(m_roots, m_folder, {}, {});
    m_header = FuzzFiles::read(m_file);
    m_header.chop(4 + 8);
}

QStringList ParseCacheTarget::run(QByteArrayView input)
{
    if (input.isEmpty())
        return {};
    QByteArray bytes;
    if ((quint8(input.front()) & 1) == 0) {
        bytes = m_header + input.sliced(1).toByteArray();
        const quint64 sum = qToLittleEndian(ParseCache::checksum(bytes));
        bytes.append(reinterpret_cast<const char*>(&sum), 8);
    } else {
        bytes = input.sliced(1).toByteArray();
    }
    if (!FuzzFiles::write(m_file, bytes))
        return {QStringLiteral("The cache file could not be written for the test")};

    QStringList findings;
    const std::optional<ParseCache::Folder> entries = m_cache.load(m_roots, m_folder);
    if (!entries)
        return findings;
    if (!m_cache.save(m_roots, m_folder, entries->directory, entries->items))
        return {QStringLiteral("A cache that was read cannot be written")};
    const std::optional<ParseCache::Folder> again = m_cache.load(m_roots, m_folder);
    const QList<ParsedItemPtr> other = again ? again->items : QList<ParsedItemPtr>();
    if (other.size() != entries->items.size())
        return {QStringLiteral("Written and read back, the folder has %1 entries, not %2")
                    .arg(other.size())
                    .arg(entries->items.size())};
    for (qsizetype i = 0; i < other.size(); ++i) {
        for (const QString& field : itemDifferences(*entries->items.at(i), *other.at(i)))
            findings << QStringLiteral("Written and read back, an entry has another ") + field;
    }
    findings.removeDuplicates();
    return findings;
}

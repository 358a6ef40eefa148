#include "platform/trash/RecentlyDeleted.h"

#include "platform/trash/TrashFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LocalFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trash {

using namespace TrashFiles;

namespace {

QJsonObject readRecord(const QString& entryFolder)
{
    QFile file(entryFolder + QLatin1Char('/') + kRecordName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(1024 * 1024));
    return document.isObject() ? document.object() : QJsonObject();
}

QString newEntryName(const QDateTime& now)
{
    return now.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-")) +
           QString::number(QRandomGenerator::global()->bounded(0x100000, 0xffffff), 16);
}

} // namespace

QString storedName(DeletedBy by)
{
    switch (by) {
    case DeletedBy::Velmoran:
        return QStringLiteral("velmoran");
    case DeletedBy::OtherProgram:
        return QStringLiteral("other");
    case DeletedBy::Sync:
        return QStringLiteral("sync");
    case DeletedBy::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

DeletedBy deletedByFromStoredName(const QString& name)
{
    for (DeletedBy by : {DeletedBy::Velmoran, DeletedBy::OtherProgram, DeletedBy::Sync}) {
        if (storedName(by) == name)
            return by;
    }
    return DeletedBy::Unknown;
}

QString storedName(EntryKind kind)
{
    return kind == EntryKind::List ? QStringLiteral("list") : QStringLiteral("task");
}

QString RecentlyDeleted::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velmoran/deleted");
}

RecentlyDeleted::RecentlyDeleted(const QString& folder)
    : m_folder(QDir::cleanPath(folder))
{
    removeRetired();
}

struct RecentlyDeleted::NewEntry
{
    QString name;
    QString path; // the folder under construction
};

bool RecentlyDeleted::beginEntry(NewEntry& entry, const QDateTime& now, QString* error) const
{
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = RecentlyDeletedText::tr("The folder for deleted items, %1, cannot be created.")
                         .arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        entry.name = newEntryName(now);
        entry.path = m_folder + QLatin1Char('/') + kNewPrefix + entry.name;
        if (::mkdir(encoded(entry.path).constData(), 0700) == 0) {
            if (!QFileInfo::exists(m_folder + QLatin1Char('/') + entry.name))
                return true;
            ::rmdir(encoded(entry.path).constData()); // the name is an older entry's
            continue;
        }
        if (errno != EEXIST) {
            if (error)
                *error = RecentlyDeletedText::tr(
                             "The folder for deleted items, %1, cannot be written: %2.")
                             .arg(QDir::toNativeSeparators(m_folder), errnoText());
            return false;
        }
    }
    if (error)
        *error = RecentlyDeletedText::tr("No free name for a deleted item in %1.")
                     .arg(QDir::toNativeSeparators(m_folder));
    return false;
}

bool RecentlyDeleted::finishEntry(NewEntry& entry, const QJsonObject& record, QString* id,
                                  QString* error) const
{
    // Paths go in as they are: Qt writes an escaped byte of a name that is not UTF-8 (see
    // store::LocalFileName) as \uDCxx and reads it back as it was.
    const QByteArray bytes = QJsonDocument(record).toJson(QJsonDocument::Indented);
    if (!store::AtomicFile::create(entry.path + QLatin1Char('/') + kRecordName, bytes, error)) {
        store::LocalFiles::removeRecursively(entry.path);
        return false;
    }
    const QString finalPath = m_folder + QLatin1Char('/') + entry.name;
    if (::rename(encoded(entry.path).constData(), encoded(finalPath).constData()) != 0) {
        if (error)
            *error = RecentlyDeletedText::tr("The deleted item cannot be kept in %1: %2.")
                         .arg(QDir::toNativeSeparators(m_folder), errnoText());
        store::LocalFiles::removeRecursively(entry.path);
        return false;
    }
    store::AtomicFile::syncFolder(m_folder);
    if (id)
        *id = entry.name;
    return true;
}

bool RecentlyDeleted::keepTask(const QByteArray& bytes, const QString& folderPath,
                               const QString& fileName, const TaskInfo& info, DeletedBy by,
                               const QDateTime& now, QString* id, QString* error)
{
    NewEntry entry;
    if (!beginEntry(entry, now, error))
        return false;
    if (!store::AtomicFile::create(entry.path + QLatin1Char('/') + fileName, bytes, error)) {
        store::LocalFiles::removeRecursively(entry.path);
        return false;
    }
    const QJsonObject record{
        {QStringLiteral("kind"), storedName(EntryKind::Task)},
        {QStringLiteral("title"), info.title},
        {QStringLiteral("list"), info.listTitle},
        {QStringLiteral("folder"), QDir::cleanPath(folderPath)},
        {QStringLiteral("file"), fileName},
        {QStringLiteral("uid"), info.uid},
        {QStringLiteral("deletedAt"), now.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("deletedBy"), storedName(by)},
    };
    return finishEntry(entry, record, id, error);
}

bool RecentlyDeleted::moveTask(const QString& path, const TaskInfo& info, DeletedBy by,
                               const QDateTime& now, QString* id, QString* error)
{
    const QFileInfo source(path);
    const QString fileName = info.fileName.isEmpty() ? source.fileName() : info.fileName;
    NewEntry entry;
    if (!beginEntry(entry, now, error))
        return false;
    if (!placeFile(path, entry.path + QLatin1Char('/') + fileName, error)) {
        store::LocalFiles::removeRecursively(entry.path);
        return false;
    }
    const QJsonObject record{
        {QStringLiteral("kind"), storedName(EntryKind::Task)},
        {QStringLiteral("title"), info.title},
        {QStringLiteral("list"), info.listTitle},
        {QStringLiteral("folder"),
         info.folderPath.isEmpty() ? source.absolutePath() : QDir::cleanPath(info.folderPath)},
        {QStringLiteral("file"), fileName},
        {QStringLiteral("uid"), info.uid},
        {QStringLiteral("deletedAt"), now.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("deletedBy"), storedName(by)},
    };
    QString name;
    if (!finishEntry(entry, record, &name, error))
        return false;
    // Only now that the trash holds it does the file leave the store.
    if (!store::AtomicFile::remove(path, error)) {
        store::LocalFiles::removeRecursively(m_folder + QLatin1Char('/') + name);
        return false;
    }
    if (id)
        *id = name;
    return true;
}

bool RecentlyDeleted::moveList(const ListInfo& list, DeletedBy by, const QDateTime& now,
                               QString* id, QString* error)
{
    NewEntry entry;
    if (!beginEntry(entry, now, error))
        return false;
    const QString kept = entry.path + QLatin1Char('/') + kListFolderName;
    auto fail = [&] {
        store::LocalFiles::removeRecursively(entry.path);
        return false;
    };
    if (!QDir().mkdir(kept)) {
        if (error)
            *error = RecentlyDeletedText::tr("The deleted list cannot be kept in %1.")
                         .arg(QDir::toNativeSeparators(m_folder));
        return fail();
    }
    for (const QString& name : kMetadataFiles) {
        const QString from = list.folderPath + QLatin1Char('/') + name;
        if (store::LocalFiles::exists(from) &&
            !placeFile(from, kept + QLatin1Char('/') + name, error))
            return fail();
    }
    for (const QString& name : list.taskFiles) {
        if (!placeFile(list.folderPath + QLatin1Char('/') + name, kept + QLatin1Char('/') + name,
                       error))
            return fail();
    }
    const QJsonObject record{
        {QStringLiteral("kind"), storedName(EntryKind::List)},
        {QStringLiteral("title"), list.title},
        {QStringLiteral("list"), list.title},
        {QStringLiteral("folder"), QDir::cleanPath(list.folderPath)},
        {QStringLiteral("tasks"), int(list.taskFiles.size())},
        {QStringLiteral("deletedAt"), now.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("deletedBy"), storedName(by)},
    };
    QString name;
    if (!finishEntry(entry, record, &name, error))
        return false;
    // Only now that the trash holds every task do the tasks leave the store.
    if (list.takesFolder) {
        if (store::AtomicFile::removeFolder(list.folderPath, error)) {
            if (id)
                *id = name;
            return true;
        }
        retire(m_folder + QLatin1Char('/') + name, name, nullptr);
        return false;
    }
    // When one task cannot leave, the list stays whole: those already gone are linked back
    // from the entry and the entry is withdrawn. Should a task not come back, the entry stays,
    // so that nothing is lost.
    QStringList removed;
    for (const QString& file : list.taskFiles) {
        if (!store::AtomicFile::remove(list.folderPath + QLatin1Char('/') + file, error))
            break;
        removed << file;
    }
    if (removed.size() == list.taskFiles.size()) {
        if (id)
            *id = name;
        return true;
    }
    bool whole = true;
    for (const QString& file : std::as_const(removed)) {
        whole = ::link(encoded(kept + QLatin1Char('/') + file).constData(),
                       encoded(list.folderPath + QLatin1Char('/') + file).constData()) == 0 &&
                whole;
    }
    if (whole)
        retire(m_folder + QLatin1Char('/') + name, name, nullptr);
    else if (id)
        *id = name;
    return false;
}

std::optional<DeletedEntry> RecentlyDeleted::readEntry(const QString& id) const
{
    const QString path = m_folder + QLatin1Char('/') + id;
    const QFileInfo info(path);
    if (id.startsWith(QLatin1Char('.')) || !info.isDir())
        return std::nullopt;
    DeletedEntry entry;
    entry.id = id;
    const QJsonObject record = readRecord(path);
    const bool hasList = QFileInfo(path + QLatin1Char('/') + kListFolderName).isDir();
    entry.kind = hasList ? EntryKind::List : EntryKind::Task;
    entry.size = store::LocalFiles::sizeOfTree(path);
    if (!record.isEmpty()) {
        entry.title = record.value(QStringLiteral("title")).toString();
        entry.listTitle = record.value(QStringLiteral("list")).toString();
        entry.folderPath = record.value(QStringLiteral("folder")).toString();
        entry.fileName = record.value(QStringLiteral("file")).toString();
        entry.uid = record.value(QStringLiteral("uid")).toString();
        entry.deletedAt = QDateTime::fromString(
            record.value(QStringLiteral("deletedAt")).toString(), Qt::ISODate);
        entry.deletedBy =
            deletedByFromStoredName(record.value(QStringLiteral("deletedBy")).toString());
    }
    // A record a crash or a hand cut short: what the kept files say stands in for it.
    const QString keptFolder = hasList ? path + QLatin1Char('/') + kListFolderName : path;
    const QStringList files = icsFiles(keptFolder);
    entry.taskCount = int(files.size());
    if (entry.kind == EntryKind::Task) {
        if (files.isEmpty())
            return std::nullopt; // nothing left to restore
        if (entry.fileName.isEmpty() || !files.contains(entry.fileName))
            entry.fileName = files.first();
    }
    entry.recordDamaged = record.isEmpty() || !entry.deletedAt.isValid();
    if (!entry.deletedAt.isValid())
        entry.deletedAt = info.lastModified().toUTC();
    if (entry.kind == EntryKind::Task && (entry.title.isEmpty() || entry.uid.isEmpty())) {
        QFile file;
        if (store::LocalFiles::openForReading(file,
                                              keptFolder + QLatin1Char('/') + entry.fileName)) {
            if (const auto item = store::IcsItem::parse(file.readAll())) {
                if (entry.title.isEmpty())
                    entry.title = item->toReminder().title;
                if (entry.uid.isEmpty())
                    entry.uid = item->uid();
            }
        }
    }
    if (entry.kind == EntryKind::List && entry.title.isEmpty()) {
        QFile name(keptFolder + QStringLiteral("/displayname"));
        if (name.open(QIODevice::ReadOnly))
            entry.title = QString::fromUtf8(name.read(4096)).trimmed();
        entry.listTitle = entry.title;
    }
    return entry;
}

QList<DeletedEntry> RecentlyDeleted::entries() const
{
    QList<DeletedEntry> result;
    const QStringList names = QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (std::optional<DeletedEntry> entry = readEntry(name))
            result.append(std::move(*entry));
    }
    std::stable_sort(
        result.begin(), result.end(), [](const DeletedEntry& a, const DeletedEntry& b) {
            return a.deletedAt != b.deletedAt ? a.deletedAt > b.deletedAt : a.id > b.id;
        });
    return result;
}

std::optional<DeletedEntry> RecentlyDeleted::entry(const QString& id) const
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')))
        return std::nullopt;
    return readEntry(id);
}

QString RecentlyDeleted::keptTaskFile(const DeletedEntry& entry) const
{
    if (entry.kind != EntryKind::Task)
        return {};
    return m_folder + QLatin1Char('/') + entry.id + QLatin1Char('/') + entry.fileName;
}

QStringList RecentlyDeleted::keptItemFiles(const DeletedEntry& entry) const
{
    if (entry.kind == EntryKind::Task)
        return {keptTaskFile(entry)};
    const QString folder =
        m_folder + QLatin1Char('/') + entry.id + QLatin1Char('/') + kListFolderName;
    QStringList paths;
    for (const QString& name : icsFiles(folder))
        paths << folder + QLatin1Char('/') + name;
    return paths;
}

} // namespace trash

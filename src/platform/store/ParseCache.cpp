#include "platform/store/ParseCache.h"

#include "platform/store/CacheStream.h"
#include "platform/store/ParseCacheFormat.h"
#include "platform/store/ReminderCodec.h"
#include "platform/store/StoreReaderSignature.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimeZone>
#include <QUuid>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// Quiet unless asked for (QT_LOGGING_RULES="velmoran.store.cache.debug=true"): a rebuilt cache
// is nothing a user must know about.
Q_LOGGING_CATEGORY(lcParseCache, "velmoran.store.cache", QtWarningMsg)

namespace store {

using namespace ParseCacheFormat;

namespace {

// Files left by writers that died before their rename are removed after this long.
constexpr qint64 kAbandonedSeconds = 600;

} // namespace

// Four independent lanes of a multiply-xor hash over 8-byte words, fast enough to check
// megabytes at every start.
quint64 ParseCache::checksum(QByteArrayView bytes)
{
    constexpr quint64 prime = 0x100000001B3ull;
    quint64 lanes[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                        0x27D4EB2F165667C5ull};
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    for (; at + 32 <= size; at += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            quint64 word;
            std::memcpy(&word, data + at + lane * 8, 8);
            lanes[lane] = (lanes[lane] ^ word) * prime;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    quint64 hash = quint64(size);
    for (quint64 lane : lanes)
        hash = (hash ^ lane) * prime;
    for (; at < size; ++at)
        hash = (hash ^ quint8(data[at])) * prime;
    return hash ^ (hash >> 32);
}

QByteArray ParseCache::currentEnvironment()
{
    QByteArray tag = QByteArrayLiteral("reader=") + kStoreReaderSignature;
    tag += QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "|le" : "|be";
    tag += "|codec=" + QByteArray::number(ReminderCodec::kVersion);
    tag += "|qt=" + QByteArray(qVersion());
    tag += "|zone=" + QTimeZone::systemTimeZoneId() + "|TZ=" + qgetenv("TZ");
    struct stat st;
    if (::stat("/usr/share/zoneinfo/tzdata.zi", &st) == 0)
        tag += "|tzdata=" + QByteArray::number(qint64(st.st_size)) + ":" +
               QByteArray::number(qint64(st.st_mtim.tv_sec)) + "." +
               QByteArray::number(qint64(st.st_mtim.tv_nsec));
    return tag;
}

namespace {

// Temporaries that no writer will rename any more, and cache files of folders not in `kept`.
void removeAbandonedFiles(const QString& stem, const QSet<QByteArray>& kept)
{
    const QFileInfo info(stem);
    const QByteArray temporaryPrefix =
        QFile::encodeName(QStringLiteral(".") + info.fileName() + '-');
    const QByteArray cachePrefix = QFile::encodeName(info.fileName() + '-');
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const bool temporary = name.startsWith(temporaryPrefix) && name.endsWith(".tmp");
        const bool unknownFolder = name.startsWith(cachePrefix) && name.endsWith(".cache") &&
                                   !kept.contains(QByteArray(name.data(), name.size()));
        if (!temporary && !unknownFolder)
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && now - st.st_mtime > kAbandonedSeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

void putStamp(CacheWriter& out, const DirectoryStamp& stamp)
{
    out.put(stamp.mtimeNs);
    out.put(stamp.ctimeNs);
    out.put(stamp.inode);
    out.put(stamp.takenAtNs);
}

} // namespace

ParseCache::ParseCache(QString stem)
    : m_stem(std::move(stem))
    , m_environment(m_stem.isEmpty() ? QByteArray() : currentEnvironment())
{}

ParseCache::ParseCache(QString stem, QByteArray environment)
    : m_stem(std::move(stem))
    , m_environment(std::move(environment))
{}

quint64 ParseCache::textHash(const QString& text)
{
    return checksum(QByteArrayView(reinterpret_cast<const char*>(text.constData()),
                                   text.size() * qsizetype(sizeof(QChar))));
}

QString ParseCache::fileForRoots(const QStringList& roots)
{
    const QByteArray key = roots.join(QLatin1Char('\n')).toUtf8();
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/velmoran/store-") + name;
}

QString ParseCache::fileForFolder(const QString& folderPath) const
{
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(folderPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    return m_stem + QLatin1Char('-') + name + QStringLiteral(".cache");
}

std::optional<ParseCache::Summary> ParseCache::summary(const QStringList& roots,
                                                       const CollectionFolder& folder) const
{
    if (m_stem.isEmpty())
        return std::nullopt;
    const MappedFile file(fileForFolder(folder.folderPath));
    const char* why = nullptr;
    std::optional<Head> head = readHead(file.bytes(), m_environment, roots, folder, &why);
    if (!head || !head->complete || !head->directory.isSettled() ||
        !head->directory.sameAs(DirectoryStamp::ofFolder(folder.folderPath)))
        return std::nullopt;
    return std::move(head->summary);
}

std::optional<ParseCache::Folder> ParseCache::load(const QStringList& roots,
                                                   const CollectionFolder& folder) const
{
    if (m_stem.isEmpty())
        return std::nullopt;
    const QString path = fileForFolder(folder.folderPath);
    const MappedFile file(path);
    const QByteArrayView bytes = file.bytes();
    if (bytes.isEmpty())
        return std::nullopt;
    const char* why = nullptr;
    auto refuse = [&] {
        qCDebug(lcParseCache).noquote() << QStringLiteral("Ignoring the parse cache %1: %2")
                                               .arg(path, QString::fromLatin1(why));
        return std::nullopt;
    };
    const std::optional<Head> head = readHead(bytes, m_environment, roots, folder, &why);
    if (!head)
        return refuse();
    const QByteArrayView body = bytes.first(bytes.size() - 8);
    if (body.size() < head->end || !intact(bytes)) {
        why = "damaged or cut short";
        return refuse();
    }

    Folder loaded;
    loaded.directory = head->directory;
    loaded.complete = head->complete;
    CacheReader in(body.data() + head->end, body.data() + body.size());
    ReminderCodec codec;
    why = "damaged entry";
    const quint32 count = in.get<quint32>();
    QList<ParsedItemPtr>& items = loaded.items;
    // Room for no more entries than the bytes left can hold, whatever a damaged count says.
    items.reserve(qMin(qsizetype(count), in.remaining() / kMinEntryBytes));
    for (quint32 i = 0; i < count && in.ok(); ++i) {
        auto item = std::make_shared<ParsedItem>();
        ItemOrigin origin;
        origin.fileName = in.string();
        // An entry stands for one file of its folder: a name with a slash would be filed
        // under another folder once written again.
        if (origin.fileName.isEmpty() || origin.fileName.contains(QLatin1Char('/')))
            return refuse();
        origin.stamp.size = in.get<qint64>();
        origin.stamp.mtimeNs = in.get<qint64>();
        origin.stamp.inode = in.get<quint64>();
        const quint8 flags = in.get<quint8>();
        origin.folderPath = folder.folderPath;
        item->parsed = flags & Parsed;
        item->hasTodo = flags & HasTodo;
        item->hasEvent = flags & HasEvent;
        if (!item->parsed) {
            item->problem = flags & TooLarge ? ItemProblem::TooLarge : ItemProblem::NotICalendar;
            item->setError(in.string());
        } else {
            item->uid = in.string();
            origin.contentHash = in.get<quint64>();
            if (item->hasEvent) {
                EventSpan span;
                span.first = in.get<qint64>();
                span.last = in.get<qint64>();
                item->setEventSpan(span);
            }
        }
        item->origin = ItemOriginPtr::make(std::move(origin));
        if (flags & HasReminders) {
            const quint32 tasks = in.get<quint32>();
            if (!in.ok() || tasks == 0 || tasks > kMaxTasksPerFile)
                return refuse();
            item->reminders.reserve(qMin(qsizetype(tasks), in.remaining()));
            for (quint32 t = 0; t < tasks; ++t) {
                auto reminder = std::make_shared<Reminder>();
                if (!codec.read(in, reminder.get()))
                    return refuse();
                // A file's own task carries the file's UID: one string for both.
                if (reminder->uid == item->uid)
                    reminder->uid = item->uid;
                reminder->origin = item->origin;
                item->reminders.append(std::move(reminder));
            }
        }
        // Written in file-name order; a file that is not must not mislead a reader.
        if (!items.isEmpty() && !(items.constLast()->file().fileName < item->file().fileName))
            return refuse();
        items.append(std::move(item));
    }
    if (!in.ok() || !in.atEnd())
        return refuse();
    return loaded;
}

bool ParseCache::save(const QStringList& roots, const CollectionFolder& folder,
                      const DirectoryStamp& directory, const QList<ParsedItemPtr>& items,
                      QString* error) const
{
    if (m_stem.isEmpty())
        return true;
    QList<const ParsedItem*> kept;
    kept.reserve(items.size());
    bool complete = true;
    for (const ParsedItemPtr& item : items) {
        if (!item || item->mustReadAgain())
            complete = false;
        else
            kept.append(item.get());
    }
    std::sort(kept.begin(), kept.end(), [](const ParsedItem* a, const ParsedItem* b) {
        return a->file().fileName < b->file().fileName;
    });

    QByteArray bytes;
    bytes.reserve(qsizetype(kept.size()) * 420 + 4096);
    bytes.append(kMagic.data(), kMagic.size());
    CacheWriter out(bytes);
    out.put(kLayout);
    out.bytes(m_environment);
    out.put(quint32(roots.size()));
    for (const QString& root : roots)
        out.string(root);
    out.string(folder.folderPath);
    out.string(folder.identifier);
    putStamp(out, directory);
    out.put(quint8(complete));
    // The summary: kinds and identifiers, in the order the store goes through the tasks.
    quint8 kinds = 0;
    QList<ParseCache::Claim> claims;
    for (const ParsedItem* item : std::as_const(kept)) {
        kinds |= (item->hasTodo ? HasTodo : 0) | (item->hasEvent ? HasEvent : 0);
        const bool shared = item->reminders.size() > 1;
        for (const std::shared_ptr<const Reminder>& reminder : item->reminders) {
            const QString& uid = shared ? reminder->uid : item->uid;
            claims.append({uid.isEmpty() ? 0 : textHash(uid),
                           textHash(VdirCollections::taskIdentifierByPath(uid, folder.identifier,
                                                                          item->file().fileName))});
        }
    }
    out.put(kinds);
    out.put(quint32(claims.size()));
    for (const ParseCache::Claim& claim : std::as_const(claims)) {
        out.put(claim.uid);
        out.put(claim.path);
    }
    out.put(checksum(bytes));

    out.put(quint32(kept.size()));
    for (const ParsedItem* item : std::as_const(kept)) {
        const quint8 flags = (item->parsed ? Parsed : 0) | (item->hasTodo ? HasTodo : 0) |
                             (item->hasEvent ? HasEvent : 0) |
                             (item->reminders.isEmpty() ? 0 : HasReminders) |
                             (item->problem == ItemProblem::TooLarge ? TooLarge : 0) |
                             (item->problem == ItemProblem::NotICalendar ? NotICalendar : 0);
        out.string(item->file().fileName);
        out.put(item->file().stamp.size);
        out.put(item->file().stamp.mtimeNs);
        out.put(item->file().stamp.inode);
        out.put(flags);
        out.string(item->parsed ? item->uid : item->error());
        // A save compares the file's bytes with those read, even when they were read by
        // an earlier run.
        if (item->parsed)
            out.put(item->origin->contentHash);
        if (item->parsed && item->hasEvent) {
            const EventSpan span = item->eventSpan();
            out.put(span.first);
            out.put(span.last);
        }
        if (!item->reminders.isEmpty()) {
            out.put(quint32(item->reminders.size()));
            for (const std::shared_ptr<const Reminder>& reminder : item->reminders)
                ReminderCodec::write(out, *reminder);
        }
    }
    const quint64 sum = qToLittleEndian(checksum(bytes));
    bytes.append(reinterpret_cast<const char*>(&sum), 8);

    const QString target = fileForFolder(folder.folderPath);
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(info.absolutePath());
        return false;
    }
    const QString temporary =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
        QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".tmp");
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("cannot create %1: %2")
                         .arg(temporary, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // No sync: a cache cut short by a crash fails its checksum and is rebuilt.
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed ||
        ::rename(temporaryName.constData(), QFile::encodeName(target).constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2")
                         .arg(target, QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(temporaryName.constData());
        return false;
    }
    return true;
}

void ParseCache::tidy(const QStringList& folderPaths) const
{
    if (m_stem.isEmpty())
        return;
    // The one file earlier versions kept for the whole store.
    ::unlink(QFile::encodeName(m_stem + QStringLiteral(".cache")).constData());
    QSet<QByteArray> kept;
    kept.reserve(folderPaths.size());
    for (const QString& path : folderPaths)
        kept.insert(QFile::encodeName(QFileInfo(fileForFolder(path)).fileName()));
    removeAbandonedFiles(m_stem, kept);
}

} // namespace store

#include "platform/store/ParseCache.h"

#include "platform/store/CacheStream.h"
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
#include <sys/stat.h>
#include <unistd.h>

// Quiet unless asked for (QT_LOGGING_RULES="velmoran.store.cache.debug=true"): a rebuilt cache
// is nothing a user must know about.
Q_LOGGING_CATEGORY(lcParseCache, "velmoran.store.cache", QtWarningMsg)

namespace store {

namespace {

constexpr QByteArrayView kMagic = "VELMORAN PARSE CACHE\n";
// 3: an entry holds every task of its file (a count before them), not only the first.
// 4: a file that is no item keeps why (too large or not iCalendar).
constexpr quint32 kLayout = 4;
// No file a person keeps holds more tasks than this; a larger count is a damaged entry.
constexpr quint32 kMaxTasksPerFile = 1u << 20;
// The least an entry takes in the file: its name's length, size, time, inode and flags.
constexpr qsizetype kMinEntryBytes = 4 + 8 + 8 + 8 + 1;
// Files left by writers that died before their rename are removed after this long.
constexpr qint64 kAbandonedSeconds = 600;

enum Flag : quint8 {
    Parsed = 1,
    HasTodo = 2,
    HasEvent = 4,
    HasReminders = 8,
    TooLarge = 16,
    NotICalendar = 32
};

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

void removeAbandonedTemporaries(const QString& file)
{
    const QFileInfo info(file);
    const QByteArray prefix = QFile::encodeName(QStringLiteral(".") + info.fileName() + '.');
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!name.startsWith(prefix) || !name.endsWith(".tmp"))
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

} // namespace

ParseCache::ParseCache(QString file)
    : m_file(std::move(file))
    , m_environment(m_file.isEmpty() ? QByteArray() : currentEnvironment())
{}

ParseCache::ParseCache(QString file, QByteArray environment)
    : m_file(std::move(file))
    , m_environment(std::move(environment))
{}

QString ParseCache::fileForRoots(const QStringList& roots)
{
    const QByteArray key = roots.join(QLatin1Char('\n')).toUtf8();
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/velmoran/store-") + name + QStringLiteral(".cache");
}

ParseCache::Entries ParseCache::load(const QStringList& roots) const
{
    Entries entries;
    if (m_file.isEmpty())
        return entries;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QByteArray bytes = file.readAll();
    file.close();
    auto refuse = [&](const char* why) {
        qCDebug(lcParseCache).noquote() << QStringLiteral("Ignoring the parse cache %1: %2")
                                               .arg(m_file, QString::fromLatin1(why));
        return Entries();
    };
    if (bytes.size() < kMagic.size() + 8 || !bytes.startsWith(kMagic))
        return refuse("not a cache file");
    const QByteArrayView body(bytes.constData(), bytes.size() - 8);
    quint64 stored;
    std::memcpy(&stored, bytes.constData() + body.size(), 8);
    if (qFromLittleEndian(stored) != checksum(body))
        return refuse("damaged or cut short");

    CacheReader in(bytes.constData() + kMagic.size(), body.data() + body.size());
    const quint32 layout = in.get<quint32>();
    const QByteArray tag = in.bytes();
    if (!in.ok() || layout != kLayout || tag != m_environment)
        return refuse("written by another version");
    QStringList cachedRoots;
    for (quint32 n = in.get<quint32>(); in.ok() && n > 0; --n)
        cachedRoots << in.string();
    if (cachedRoots != roots)
        return refuse("made for other store folders");

    ReminderCodec codec;
    const quint32 folders = in.get<quint32>();
    for (quint32 f = 0; f < folders && in.ok(); ++f) {
        const QString folder = in.string();
        const quint32 count = in.get<quint32>();
        QList<ParsedItemPtr>& items = entries[folder];
        // Room for no more entries than the bytes left can hold, whatever a damaged count says.
        items.reserve(items.size() + qMin(qsizetype(count), in.remaining() / kMinEntryBytes));
        for (quint32 i = 0; i < count && in.ok(); ++i) {
            auto item = std::make_shared<ParsedItem>();
            item->file.fileName = in.string();
            // An entry stands for one file of its folder: a name with a slash would be filed
            // under another folder once written again.
            if (item->file.fileName.isEmpty() || item->file.fileName.contains(QLatin1Char('/')))
                return refuse("damaged entry");
            item->file.stamp.size = in.get<qint64>();
            item->file.stamp.mtimeNs = in.get<qint64>();
            item->file.stamp.inode = in.get<quint64>();
            const quint8 flags = in.get<quint8>();
            item->file.path = folder + QLatin1Char('/') + item->file.fileName;
            item->parsed = flags & Parsed;
            item->hasTodo = flags & HasTodo;
            item->hasEvent = flags & HasEvent;
            if (!item->parsed) {
                item->problem =
                    flags & TooLarge ? ItemProblem::TooLarge : ItemProblem::NotICalendar;
                item->error = in.string();
            } else {
                item->uid = in.string();
                item->origin = std::make_shared<ItemOrigin>(
                    ItemOrigin{item->file.path, item->file.stamp, in.get<quint64>()});
            }
            if (flags & HasReminders) {
                const quint32 tasks = in.get<quint32>();
                if (!in.ok() || tasks == 0 || tasks > kMaxTasksPerFile)
                    return refuse("damaged entry");
                item->reminders.reserve(qMin(qsizetype(tasks), in.remaining()));
                for (quint32 t = 0; t < tasks; ++t) {
                    auto reminder = std::make_shared<Reminder>();
                    if (!codec.read(in, reminder.get()))
                        return refuse("damaged entry");
                    reminder->origin = item->origin;
                    item->reminders.append(std::move(reminder));
                }
            }
            items.append(std::move(item));
        }
        // Written in file-name order; a file that is not must not mislead a reader.
        if (!std::is_sorted(items.cbegin(), items.cend(),
                            [](const ParsedItemPtr& a, const ParsedItemPtr& b) {
                                return a->file.fileName < b->file.fileName;
                            }))
            return refuse("damaged entry");
    }
    if (!in.ok() || !in.atEnd())
        return refuse("damaged entry");
    return entries;
}

bool ParseCache::save(const QStringList& roots, const QList<ParsedItemPtr>& items,
                      QString* error) const
{
    if (m_file.isEmpty())
        return true;
    QHash<QString, QList<const ParsedItem*>> byFolder;
    for (const ParsedItemPtr& item : items) {
        if (!item || item->mustReadAgain())
            continue;
        const QString& path = item->file.path;
        byFolder[path.left(path.lastIndexOf(QLatin1Char('/')))].append(item.get());
    }

    QByteArray bytes;
    bytes.reserve(qsizetype(items.size()) * 400 + 4096);
    bytes.append(kMagic.data(), kMagic.size());
    CacheWriter out(bytes);
    out.put(kLayout);
    out.bytes(m_environment);
    out.put(quint32(roots.size()));
    for (const QString& root : roots)
        out.string(root);
    out.put(quint32(byFolder.size()));
    for (auto folder = byFolder.begin(); folder != byFolder.end(); ++folder) {
        std::sort(folder->begin(), folder->end(), [](const ParsedItem* a, const ParsedItem* b) {
            return a->file.fileName < b->file.fileName;
        });
        out.string(folder.key());
        out.put(quint32(folder->size()));
        for (const ParsedItem* item : *folder) {
            const quint8 flags = (item->parsed ? Parsed : 0) | (item->hasTodo ? HasTodo : 0) |
                                 (item->hasEvent ? HasEvent : 0) |
                                 (item->reminders.isEmpty() ? 0 : HasReminders) |
                                 (item->problem == ItemProblem::TooLarge ? TooLarge : 0) |
                                 (item->problem == ItemProblem::NotICalendar ? NotICalendar : 0);
            out.string(item->file.fileName);
            out.put(item->file.stamp.size);
            out.put(item->file.stamp.mtimeNs);
            out.put(item->file.stamp.inode);
            out.put(flags);
            out.string(item->parsed ? item->uid : item->error);
            // A save compares the file's bytes with those read, even when they were read by
            // an earlier run.
            if (item->parsed)
                out.put(item->origin ? item->origin->contentHash : quint64(0));
            if (!item->reminders.isEmpty()) {
                out.put(quint32(item->reminders.size()));
                for (const std::shared_ptr<const Reminder>& reminder : item->reminders)
                    ReminderCodec::write(out, *reminder);
            }
        }
    }
    const quint64 sum = qToLittleEndian(checksum(bytes));
    bytes.append(reinterpret_cast<const char*>(&sum), 8);

    const QFileInfo info(m_file);
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
        ::rename(temporaryName.constData(), QFile::encodeName(m_file).constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2")
                         .arg(m_file, QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(temporaryName.constData());
        return false;
    }
    removeAbandonedTemporaries(m_file);
    return true;
}

} // namespace store

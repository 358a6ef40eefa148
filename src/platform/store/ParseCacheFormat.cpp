#include "platform/store/ParseCacheFormat.h"

#include "platform/store/CacheStream.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::ParseCacheFormat {

namespace {

DirectoryStamp getStamp(CacheReader& in)
{
    DirectoryStamp stamp;
    stamp.mtimeNs = in.get<qint64>();
    stamp.ctimeNs = in.get<qint64>();
    stamp.inode = in.get<quint64>();
    stamp.takenAtNs = in.get<qint64>();
    return stamp;
}

} // namespace

MappedFile::MappedFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        void* at = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (at != MAP_FAILED) {
            m_data = static_cast<const char*>(at);
            m_size = qsizetype(st.st_size);
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile()
{
    if (m_data)
        ::munmap(const_cast<char*>(m_data), size_t(m_size));
}

std::optional<Head> readHead(QByteArrayView bytes, const QByteArray& environment,
                             const QStringList& roots, const CollectionFolder& folder,
                             const char** why)
{
    if (bytes.size() < kMagic.size() + 16 || !bytes.startsWith(kMagic)) {
        *why = "not a cache file";
        return std::nullopt;
    }
    CacheReader in(bytes.data() + kMagic.size(), bytes.data() + bytes.size());
    const quint32 layout = in.get<quint32>();
    const QByteArray tag = in.bytes();
    if (!in.ok() || layout != kLayout || tag != environment) {
        *why = "written by another version";
        return std::nullopt;
    }
    QStringList cachedRoots;
    for (quint32 n = in.get<quint32>(); in.ok() && n > 0 && n < 4096; --n)
        cachedRoots << in.string();
    const QString folderPath = in.string();
    const QString identifier = in.string();
    Head head;
    head.directory = getStamp(in);
    head.complete = in.boolean();
    const quint8 kinds = in.get<quint8>();
    head.summary.holdsTodos = kinds & HasTodo;
    head.summary.holdsEvents = kinds & HasEvent;
    const quint32 claims = in.get<quint32>();
    if (!in.ok() || qsizetype(claims) > in.remaining() / 16) {
        *why = "damaged or cut short";
        return std::nullopt;
    }
    head.summary.claims.resize(claims);
    for (ParseCache::Claim& claim : head.summary.claims) {
        claim.uid = in.get<quint64>();
        claim.path = in.get<quint64>();
    }
    head.end = bytes.size() - in.remaining();
    const quint64 stored = in.get<quint64>();
    if (!in.ok() || stored != ParseCache::checksum(bytes.first(head.end))) {
        *why = "damaged or cut short";
        return std::nullopt;
    }
    head.end += 8;
    if (cachedRoots != roots || folderPath != folder.folderPath ||
        identifier != folder.identifier) {
        *why = "made for other store folders";
        return std::nullopt;
    }
    return head;
}

bool intact(QByteArrayView bytes)
{
    if (bytes.size() < 8)
        return false;
    const QByteArrayView body = bytes.first(bytes.size() - 8);
    quint64 stored;
    std::memcpy(&stored, bytes.data() + body.size(), 8);
    return qFromLittleEndian(stored) == ParseCache::checksum(body);
}

} // namespace store::ParseCacheFormat

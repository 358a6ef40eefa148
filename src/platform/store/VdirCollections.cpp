#include "platform/store/VdirCollections.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QUuid>

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcVdir, "velmoran.store")

namespace store::VdirCollections {

namespace {

// Metadata files are one short line; anything larger is not metadata.
constexpr qint64 kMaxMetadataSize = 4096;

bool isInside(const QString& canonicalPath, const QString& canonicalRoot)
{
    if (canonicalPath == canonicalRoot)
        return true;
    // The root folder "/" already ends in the separator.
    const QString prefix =
        canonicalRoot.endsWith(QLatin1Char('/')) ? canonicalRoot : canonicalRoot + QLatin1Char('/');
    return canonicalPath.startsWith(prefix);
}

QString shortHash(const QString& name)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(LocalFileName::encode(name), QCryptographicHash::Sha1)
            .toHex()
            .left(8));
}

// File systems stamp times in ticks (a few milliseconds, seconds on some).
constexpr qint64 kRacyNs = 2'000'000'000;

qint64 realtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

DirectoryStamp stampOf(const struct stat& st)
{
    DirectoryStamp stamp;
    stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.ctimeNs = qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    stamp.inode = st.st_ino;
    stamp.takenAtNs = realtimeNs();
    return stamp;
}

} // namespace

QString createdForFileName()
{
    return QStringLiteral(".velmoran-created-for");
}

QString titleForRecord(const QString& folderPath, const QString& title)
{
    if (title != LocalFileName::forDisplay(QFileInfo(folderPath).fileName()))
        return title;
    const QString name = readMetadata(folderPath, QStringLiteral("displayname"));
    return name.isEmpty() ? title : name;
}

QString readMetadata(const QString& folderPath, const QString& name, bool* unreadable)
{
    if (unreadable)
        *unreadable = false;
    const QString path = folderPath + QLatin1Char('/') + name;
    if (!LocalFiles::exists(path))
        return {};
    QFile file;
    const bool opened = LocalFiles::openForReading(file, path);
    if (opened && file.size() > kMaxMetadataSize)
        return {};
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        if (unreadable)
            *unreadable = true;
        return {};
    }
    return QString::fromUtf8(bytes).trimmed();
}

bool writeMetadata(const QString& folderPath, const QString& name, const QString& value,
                   QString* error)
{
    const QString path = folderPath + QLatin1Char('/') + name;
    const QByteArray bytes = value.toUtf8();
    if (LocalFiles::exists(path))
        return AtomicFile::replace(path, bytes, error);
    return AtomicFile::create(path, bytes, error);
}

QList<CollectionFolder> scan(const QStringList& roots)
{
    QList<CollectionFolder> collections;
    QSet<QString> identifiers;
    for (const QString& root : roots) {
        const QString canonicalRoot = LocalFiles::canonicalPath(root);
        if (canonicalRoot.isEmpty())
            continue;
        const QStringList names = LocalFiles::entryNames(root, LocalFiles::EntryKind::Folders);
        for (const QString& name : names) {
            if (name.startsWith(QLatin1Char('.')))
                continue;
            // A string operation only: the name's escaped bytes stay as they are.
            const QString folderPath = QFileInfo(root + QLatin1Char('/') + name).absoluteFilePath();
            if (!isInside(LocalFiles::canonicalPath(folderPath), canonicalRoot)) {
                qCWarning(lcVdir).noquote()
                    << QStringLiteral("Skipping %1: it points outside the store folder %2.")
                           .arg(LocalFileName::forDisplay(folderPath), root);
                continue;
            }
            CollectionFolder collection;
            collection.folderPath = folderPath;
            collection.rootPath = root;
            collection.identifier = identifierForName(name);
            if (identifiers.contains(collection.identifier))
                collection.identifier += QLatin1Char('@') + shortHash(canonicalRoot);
            identifiers.insert(collection.identifier);
            collection.displayName =
                readMetadata(collection.folderPath, QStringLiteral("displayname"),
                             &collection.displayNameUnknown);
            if (collection.displayName.isEmpty())
                collection.displayName = LocalFileName::forDisplay(name);
            collection.color = CollectionColor::fromText(
                readMetadata(collection.folderPath, QStringLiteral("color")));
            collection.description =
                readMetadata(collection.folderPath, QStringLiteral("description"));
            const QString order = readMetadata(collection.folderPath, QStringLiteral("order"));
            collection.order = order.toInt(&collection.hasOrder);
            collection.writable = ::access(LocalFileName::encode(collection.folderPath).constData(),
                                           W_OK | X_OK) == 0;
            collection.createdFor = readMetadata(collection.folderPath, createdForFileName(),
                                                 &collection.createdForUnknown);
            collections.append(collection);
        }
    }
    return collections;
}

QList<ItemFile> itemFiles(const CollectionFolder& collection, DirectoryStamp* directory,
                          bool* hidden)
{
    // One readdir pass and one stat per entry, relative to the open folder: this runs on every
    // refresh over every file of the store.
    QList<ItemFile> items;
    const QByteArray folder = LocalFileName::encode(collection.folderPath);
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return items;
    const int dirFd = ::dirfd(dir);
    if (directory) {
        struct stat st;
        *directory = ::fstat(dirFd, &st) == 0 ? stampOf(st) : DirectoryStamp();
    }
    QString canonicalFolder;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        const size_t length = std::strlen(name);
        if (hidden && name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
            *hidden = true;
        if (name[0] == '.' || length < 5 || std::strcmp(name + length - 4, ".ics") != 0)
            continue;
        struct stat st;
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const QString fileName = LocalFileName::decode(name);
        if (S_ISLNK(st.st_mode)) {
            const QString path = collection.folderPath + QLatin1Char('/') + fileName;
            if (canonicalFolder.isEmpty())
                canonicalFolder = LocalFiles::canonicalPath(collection.folderPath);
            const QString target = LocalFiles::canonicalPath(path);
            if (target.isEmpty() || !isInside(target, canonicalFolder)) {
                qCWarning(lcVdir).noquote()
                    << QStringLiteral("Skipping %1: it links outside its list folder.")
                           .arg(LocalFileName::forDisplay(path));
                continue;
            }
            if (::fstatat(dirFd, name, &st, 0) != 0)
                continue;
        }
        if (!S_ISREG(st.st_mode))
            continue;
        ItemFile item;
        item.fileName = fileName;
        item.stamp = AtomicFile::stampOf(st);
        items.append(item);
    }
    ::closedir(dir);
    return items;
}

QString identifierForName(const QString& name)
{
    if (!LocalFileName::hasEscapedBytes(name))
        return name;
    return LocalFileName::forDisplay(name) + QLatin1Char('@') + shortHash(name);
}

QString taskIdentifierByPath(const QString& uid, const QString& collectionIdentifier,
                             const QString& fileName)
{
    return uid + QLatin1Char('@') + collectionIdentifier + QLatin1Char('/') +
           identifierForName(fileName);
}

bool isSafeName(const QString& name)
{
    static const QRegularExpression safe(QRegularExpression::anchoredPattern(u"[A-Za-z0-9_.+-]+"));
    return !name.isEmpty() && name.size() <= 200 && name != QLatin1String(".") &&
           name != QLatin1String("..") && !name.startsWith(QLatin1Char('.')) &&
           safe.match(name).hasMatch();
}

QString fileNameForUid(const QString& uid)
{
    if (isSafeName(uid))
        return uid + QStringLiteral(".ics");
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".ics");
}

QString newFolderName(const QString& rootPath, const QString& title)
{
    QString base;
    for (const QChar c : title.toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            base += c;
        else if (!base.isEmpty() && !base.endsWith(QLatin1Char('-')))
            base += QLatin1Char('-');
    }
    while (base.endsWith(QLatin1Char('-')))
        base.chop(1);
    if (base.isEmpty())
        base = QUuid::createUuid().toString(QUuid::WithoutBraces);
    base = base.left(60);
    QString name = base;
    for (int n = 2; QFileInfo::exists(rootPath + QLatin1Char('/') + name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}

} // namespace store::VdirCollections

namespace store {

bool DirectoryStamp::isSettled() const
{
    // Any later change of the entries sets the time to "now", past this one; the change time
    // need not be old (a restored or copied folder has a new one). A clock set back makes a
    // stamp from the future: never settled.
    return mtimeNs >= 0 && mtimeNs < takenAtNs - VdirCollections::kRacyNs;
}

DirectoryStamp DirectoryStamp::ofFolder(const QString& folderPath)
{
    struct stat st;
    if (::stat(LocalFileName::encode(folderPath).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return VdirCollections::stampOf(st);
}

DirectoryStamp DirectoryStamp::ofOpenFolder(int folderFd)
{
    struct stat st;
    if (::fstat(folderFd, &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return VdirCollections::stampOf(st);
}

} // namespace store

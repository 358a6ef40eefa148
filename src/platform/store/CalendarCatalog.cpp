#include "platform/store/CalendarCatalog.h"

#include "platform/store/CollectionCalendars.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"
#include "platform/store/ParseCache.h"
#include "platform/store/UnreadableFile.h"

#include <QByteArray>
#include <QtConcurrent>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::CalendarCatalog {

namespace {

using CollectionCalendars::ItemKinds;

// The bytes of an item file into `bytes`, as the index reads it: a regular file (or a link to
// one inside its folder) no larger than an item may be. False when it is no item or cannot be
// read. Three calls for most files (the folder listing says which are regular files, and a
// short read ends a regular file): a store's calendars may have thousands.
bool readItem(int folderFd, const dirent& entry, const QString& folderPath, QByteArray& bytes)
{
    const char* name = entry.d_name;
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    if (entry.d_type == DT_LNK) {
        const QString path = folderPath + QLatin1Char('/') + LocalFileName::decode(name);
        const QString folder = LocalFiles::canonicalPath(folderPath);
        const QString target = LocalFiles::canonicalPath(path);
        if (target.isEmpty() || !target.startsWith(folder + QLatin1Char('/')))
            return false;
    } else {
        flags |= O_NOFOLLOW;
    }
    const int fd = ::openat(folderFd, name, flags);
    if (fd < 0)
        return false;
    struct stat st;
    if (entry.d_type != DT_REG && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return false;
    }
    bytes.resize(bytes.capacity() > 0 ? bytes.capacity() : 64 * 1024);
    qsizetype done = 0;
    bool ok = true;
    for (;;) {
        if (done == bytes.size()) {
            if (done > kMaxItemSize) {
                ok = false;
                break;
            }
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        done += n;
        if (n == 0 || done < bytes.size())
            break;
    }
    ::close(fd);
    bytes.resize(done);
    return ok && done <= kMaxItemSize;
}

// The file's text with its line folds (a line break followed by a blank) joined and its
// letters in upper case: a component's name, which may be written in any case and split by a
// fold, is found there by a plain search, so that files without it need no parsing.
QByteArray searchableText(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        qsizetype next = i;
        if (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n')
            ++next;
        if (bytes[next] == '\n' && next + 1 < bytes.size() &&
            (bytes[next + 1] == ' ' || bytes[next + 1] == '\t')) {
            i = next + 1;
            continue;
        }
        text.append(char(std::toupper(static_cast<unsigned char>(bytes[i]))));
    }
    return text;
}

// What the items of a folder hold, read until a task is found.
ItemKinds readKinds(const QString& folderPath)
{
    ItemKinds kinds;
    DIR* dir = ::opendir(LocalFileName::encode(folderPath).constData());
    if (!dir)
        return kinds;
    const int folderFd = ::dirfd(dir);
    QByteArray bytes;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        const size_t length = std::strlen(name);
        if (name[0] == '.' || length < 5 || std::strcmp(name + length - 4, ".ics") != 0)
            continue;
        if (!readItem(folderFd, *entry, folderPath, bytes))
            continue;
        const QByteArray text = searchableText(bytes);
        const bool mayHoldTodo = text.contains("VTODO");
        const bool mayHoldEvent = !kinds.events && text.contains("VEVENT");
        if (!mayHoldTodo && !mayHoldEvent)
            continue;
        const std::optional<IcsItem> item = IcsItem::parse(bytes, nullptr);
        if (!item)
            continue;
        kinds.events = kinds.events || item->hasEvent();
        if (item->hasTodo()) {
            kinds.todos = true;
            break;
        }
    }
    ::closedir(dir);
    return kinds;
}

} // namespace

QList<CalendarPtr> read(const QStringList& roots)
{
    const QList<CollectionFolder> folders = VdirCollections::scan(roots);
    const QList<SourcePtr> sources = CollectionCalendars::sourcesOf(roots);
    // A folder the parse cache can vouch for is not opened; the others, folders of events
    // above all, are read to the end: side by side.
    const ParseCache cache(ParseCache::fileForRoots(roots));
    const QList<ItemKinds> kinds =
        QtConcurrent::blockingMapped(folders, [&cache, &roots](const CollectionFolder& folder) {
            if (folder.createdFor == QLatin1String("VTODO"))
                return ItemKinds{true, false};
            if (const std::optional<ParseCache::Summary> summary = cache.summary(roots, folder))
                return ItemKinds{summary->holdsTodos, summary->holdsEvents};
            return readKinds(folder.folderPath);
        });
    QList<CalendarPtr> calendars;
    for (qsizetype i = 0; i < folders.size(); ++i)
        calendars.append(CollectionCalendars::calendarOf(folders[i], kinds[i], sources));
    CollectionCalendars::sort(calendars, folders);
    return calendars;
}

} // namespace store::CalendarCatalog

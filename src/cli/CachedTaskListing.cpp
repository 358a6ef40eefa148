#include "cli/CachedTaskListing.h"

#include "cli/CliOutput.h"
#include "data/DataManager.h"
#include "data/ReminderSort.h"
#include "data/SearchWords.h"
#include "data/TaskLists.h"
#include "data/subtasks/SubtaskTree.h"
#include "platform/store/CacheStream.h"
#include "platform/store/CachedFolderTasks.h"
#include "platform/store/EventStore.h"

#include <QLoggingCategory>
#include <QSet>
#include <QtConcurrent>

#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcParseCache)

namespace CachedTaskListing {

namespace {

using store::CachedFolderTasks;
using Task = CachedFolderTasks::Task;

// A list the answer may draw from, with its folder's tasks.
struct ListSource
{
    store::CalendarPtr calendar;
    const CachedFolderTasks* folder = nullptr;
};

// A task of the answer.
struct Row
{
    ReminderSort::Keys keys;
    const Task* task = nullptr;
    qsizetype list = 0; // into the sources
};

// The whole store's folders from the cache, opened side by side (listing a folder is a stat
// per file, as the index lists them) while the answer is chosen from those already open: on
// two cores the choosing then costs little more than the listing.
class OpeningFolders
{
public:
    explicit OpeningFolders(const QStringList& roots)
        : m_roots(roots)
        , m_cache(store::ParseCache::fileForRoots(roots))
        , m_folders(store::VdirCollections::scan(roots))
        , m_opened(QtConcurrent::mapped(m_folders, [this](const store::CollectionFolder& folder) {
            return std::shared_ptr<const CachedFolderTasks>(
                CachedFolderTasks::open(m_cache, m_roots, folder));
        }))
    {}
    ~OpeningFolders()
    {
        m_opened.cancel();
        m_opened.waitForFinished();
    }
    OpeningFolders(const OpeningFolders&) = delete;
    OpeningFolders& operator=(const OpeningFolders&) = delete;

    const QList<store::CollectionFolder>& folders() const { return m_folders; }
    // The folder at `index` of folders() once it is open; null when it must be read from its
    // files.
    std::shared_ptr<const CachedFolderTasks> at(qsizetype index)
    {
        return m_opened.resultAt(int(index));
    }
    // Every folder, in the order the index goes through them; none when one of them must be
    // read from its files.
    std::vector<std::shared_ptr<const CachedFolderTasks>> all()
    {
        const QList<std::shared_ptr<const CachedFolderTasks>> opened = m_opened.results();
        if (std::any_of(opened.cbegin(), opened.cend(), [](const auto& folder) { return !folder; }))
            return {};
        return {opened.cbegin(), opened.cend()};
    }

private:
    const QStringList m_roots;
    const store::ParseCache m_cache;
    const QList<store::CollectionFolder> m_folders;
    QFuture<std::shared_ptr<const CachedFolderTasks>> m_opened;
};

// The tasks whose identifier is not their UID, decided as the index decides (StoreIndex::
// assignIdentifiers) from the claims the cache keeps: a UID already taken earlier in the
// store's order gives way to the task's path.
QSet<const Task*>
tasksNamedByPath(const std::vector<std::shared_ptr<const CachedFolderTasks>>& folders)
{
    qsizetype count = 0;
    for (const auto& folder : folders)
        count += qsizetype(folder->tasks().size());
    QSet<quint64> taken;
    taken.reserve(count + count / 4);
    QSet<const Task*> byPath;
    for (const auto& folder : folders) {
        for (const Task& task : folder->tasks()) {
            const qsizetype before = taken.size();
            if (task.claim.uid != 0)
                taken.insert(task.claim.uid);
            if (taken.size() != before)
                continue;
            taken.insert(task.claim.path);
            byPath.insert(&task);
        }
    }
    return byPath;
}

// Codecs for the batches decoded at once, each kept with the zones it has met.
class CodecShelf
{
public:
    std::unique_ptr<store::ReminderCodec> take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_codecs.empty()) {
            auto codec = std::make_unique<store::ReminderCodec>();
            codec->setReadsTaskDatesAsUtc(true);
            return codec;
        }
        std::unique_ptr<store::ReminderCodec> codec = std::move(m_codecs.back());
        m_codecs.pop_back();
        return codec;
    }
    void give(std::unique_ptr<store::ReminderCodec> codec)
    {
        const std::lock_guard lock(m_mutex);
        m_codecs.push_back(std::move(codec));
    }

private:
    std::mutex m_mutex;
    std::vector<std::unique_ptr<store::ReminderCodec>> m_codecs;
};

class Listing
{
public:
    Listing(DataManager& manager, const CliRequest& request)
        : m_request(request)
        , m_sort(manager.lists().fetchSortDescriptors())
    {
        if (request.search)
            m_words = SearchWords::of(request.search->simplified());
        // Tasks are only ordered and printed here, and both read their dates' local wall
        // clock through LocalTimeOffsets.
        m_codec.setReadsTaskDatesAsUtc(true);
    }

    // Chooses the tasks asked for, in the order the application shows them; false when a
    // folder they may come from must be read from its files.
    bool select(const QList<store::CalendarPtr>& lists, const QStringList& roots)
    {
        if (m_request.search && !m_words)
            return false;
        OpeningFolders opening(roots);
        QHash<QString, qsizetype> byIdentifier;
        for (qsizetype i = 0; i < opening.folders().size(); ++i)
            byIdentifier.insert(opening.folders()[i].identifier, i);
        std::vector<qsizetype> folderOfList;
        for (const store::CalendarPtr& list : lists) {
            const qsizetype folder = byIdentifier.value(list->calendarIdentifier, -1);
            if (folder < 0)
                return false;
            folderOfList.push_back(folder);
        }
        store::Reminder probe;
        for (qsizetype list = 0; list < qsizetype(lists.size()); ++list) {
            const std::shared_ptr<const CachedFolderTasks> folder =
                opening.at(folderOfList[size_t(list)]);
            if (!folder)
                return false;
            m_sources.push_back({lists[list], folder.get()});
            probe.calendar = lists[list];
            const int position = m_sort.listPosition(probe.calendar.get());
            for (const Task& task : folder->tasks()) {
                store::CacheReader in(task.bytes, folder->end());
                m_codec.readHead(in, &probe);
                if (probe.completed && !m_request.completed)
                    continue;
                if (m_words && !m_words->matches(probe))
                    continue;
                m_rows.push_back({m_sort.keysOf(probe, position), &task, list});
            }
        }
        // Which identifiers are taken is decided over every folder, shown or not.
        m_folders = opening.all();
        if (m_folders.empty())
            return false;
        m_byPath = tasksNamedByPath(m_folders);
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const Row& a, const Row& b) { return a.keys < b.keys; });
        return true;
    }

    void printJson()
    {
        const SubtaskTree tree = subtaskTree();
        JsonWriter json(stdout);
        json.beginArray();
        const JsonWriter members = json.memberWriter();
        inBatches(
            [&](qsizetype first, qsizetype last) {
                JsonWriter batch = members;
                forEachTask(first, last, [&](const store::Reminder& task) {
                    QString parent;
                    if (!task.parentUid.isEmpty()) {
                        if (const store::ReminderPtr found = tree.parentOf(task))
                            parent = found->calendarItemIdentifier;
                    }
                    CliOutput::writeTask(batch, task, parent);
                });
                return batch.take();
            },
            [&](const QByteArray& written) { json.joinMembers(written); });
        json.endArray();
        json.flush();
    }

    void printLines()
    {
        CliOutput::Lines lines;
        inBatches(
            [this](qsizetype first, qsizetype last) {
                QByteArray written;
                forEachTask(first, last, [&written](const store::Reminder& task) {
                    written += CliOutput::taskLine(task).toUtf8();
                    written += '\n';
                });
                return written;
            },
            [&lines](const QByteArray& written) { lines.addEncoded(written); });
    }

private:
    // The rows turned into text batch by batch on the pool, by `write(first, last)`, and handed
    // to `take` here in order, a few batches ahead of the output so that a long listing is
    // never held whole. Decoding and writing the tasks was half of a listing, on this thread
    // alone while the pool stood idle.
    template <typename Write, typename Take>
    void inBatches(const Write& write, const Take& take) const
    {
        const qsizetype rows = qsizetype(m_rows.size());
        const qsizetype batch = std::clamp<qsizetype>(rows / 16, 8, 1024);
        constexpr size_t kAhead = 6;
        std::deque<QFuture<QByteArray>> written;
        qsizetype next = 0;
        const auto startBatch = [&] {
            const qsizetype first = next;
            next = std::min(rows, next + batch);
            written.push_back(
                QtConcurrent::run([&write, first, last = next] { return write(first, last); }));
        };
        while (next < rows && written.size() < kAhead)
            startBatch();
        while (!written.empty()) {
            take(written.front().result());
            written.pop_front();
            if (next < rows)
                startBatch();
        }
    }

    // Each task of the rows [first, last), decoded with a codec of its own thread's.
    template <typename Use> void forEachTask(qsizetype first, qsizetype last, const Use& use) const
    {
        std::unique_ptr<store::ReminderCodec> codec = m_codecs.take();
        for (qsizetype i = first; i < last; ++i) {
            const Row& row = m_rows[size_t(i)];
            store::Reminder task;
            decode(*codec, row.task, m_sources[size_t(row.list)], &task);
            use(task);
        }
        m_codecs.give(std::move(codec));
    }

    void decode(store::ReminderCodec& codec, const Task* task, const ListSource& source,
                store::Reminder* reminder) const
    {
        store::CacheReader in(task->bytes, source.folder->end());
        codec.read(in, reminder);
        reminder->calendar = source.calendar;
        QString uid = reminder->uid;
        if (!task->sharedFile)
            store::CacheReader::stringAt(task->fileUid, uid);
        if (m_byPath.contains(task)) {
            QString fileName;
            store::CacheReader::stringAt(task->fileName, fileName);
            reminder->calendarItemIdentifier = store::VdirCollections::taskIdentifierByPath(
                uid, source.folder->folder().identifier, fileName);
        } else {
            reminder->calendarItemIdentifier = uid;
        }
    }

    // The lists whose tasks the parents are looked for among: those of the tasks printed, in
    // the order the records' answer goes through them (CliSubtasks): every task of the
    // snapshot's lists, or for a search, which has no snapshot, the lists as the printed tasks
    // first name them.
    QList<qsizetype> treeLists() const
    {
        QList<qsizetype> lists;
        QSet<QString> wanted;
        for (const Row& row : m_rows) {
            const QString& identifier = m_sources[size_t(row.list)].calendar->calendarIdentifier;
            if (wanted.contains(identifier))
                continue;
            wanted.insert(identifier);
            if (m_request.search)
                lists.append(row.list);
        }
        if (m_request.search)
            return lists;
        for (qsizetype list = 0; list < qsizetype(m_sources.size()); ++list) {
            if (wanted.contains(m_sources[size_t(list)].calendar->calendarIdentifier))
                lists.append(list);
        }
        return lists;
    }

    // The tree of the tasks a parent link touches, as CliSubtasks builds it from records.
    SubtaskTree subtaskTree()
    {
        const QList<qsizetype> lists = treeLists();
        QSet<QString> named;
        QString text;
        for (const qsizetype list : lists) {
            for (const Task& task : m_sources[size_t(list)].folder->tasks()) {
                if (store::CacheReader::isEmptyAt(task.outline.parentUid))
                    continue;
                store::CacheReader::stringAt(task.outline.parentUid, text);
                named.insert(text);
            }
        }
        if (named.isEmpty())
            return {};
        QList<store::ReminderPtr> linked;
        for (const qsizetype list : lists) {
            const ListSource& source = m_sources[size_t(list)];
            for (const Task& task : source.folder->tasks()) {
                if (store::CacheReader::isEmptyAt(task.outline.parentUid)) {
                    store::CacheReader::stringAt(task.outline.uid, text);
                    if (text.isEmpty() || !named.contains(text))
                        continue;
                }
                auto reminder = std::make_shared<store::Reminder>();
                decode(m_codec, &task, source, reminder.get());
                linked.append(std::move(reminder));
            }
        }
        return SubtaskTree(std::move(linked));
    }

    const CliRequest& m_request;
    const ReminderSort m_sort;
    std::optional<SearchWords> m_words;
    std::vector<std::shared_ptr<const CachedFolderTasks>> m_folders;
    std::vector<ListSource> m_sources;
    QSet<const Task*> m_byPath;
    std::vector<Row> m_rows;
    store::ReminderCodec m_codec;
    mutable CodecShelf m_codecs;
};

} // namespace

bool suits(const CliRequest& request)
{
    if (request.command != CliRequest::Command::Tasks || request.view || request.tree)
        return false;
    return request.search || (!request.list && request.filter.value_or(0) == 0);
}

store::StoreIndex::Scope storeScope()
{
    return [](const store::CollectionFolder&) { return false; };
}

std::optional<int> run(DataManager& manager, const CliRequest& request)
{
    store::EventStore* eventStore = manager.eventStore();
    if (!eventStore)
        return std::nullopt;
    const QList<store::CalendarPtr> lists = manager.lists().visibleListsByCalendar();
    Listing listing(manager, request);
    if (!listing.select(lists, eventStore->roots()))
        return std::nullopt;
    qCDebug(lcParseCache) << "Tasks listed from the parse cache";
    if (request.json)
        listing.printJson();
    else
        listing.printLines();
    return 0;
}

} // namespace CachedTaskListing

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

class Listing
{
public:
    Listing(DataManager& manager, const CliRequest& request)
        : m_request(request)
        , m_sort(manager.lists().fetchSortDescriptors())
    {
        if (request.search)
            m_words = SearchWords::of(request.search->simplified());
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
            for (const Task& task : folder->tasks()) {
                store::CacheReader in(task.bytes, folder->end());
                m_codec.readHead(in, &probe);
                if (probe.completed && !m_request.completed)
                    continue;
                if (m_words && !m_words->matches(probe))
                    continue;
                m_rows.push_back({m_sort.keysOf(probe), &task, list});
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
        for (const Row& row : std::as_const(m_rows)) {
            store::Reminder task;
            decode(row.task, m_sources[size_t(row.list)], &task);
            QString parent;
            if (!task.parentUid.isEmpty()) {
                if (const store::ReminderPtr found = tree.parentOf(task))
                    parent = found->calendarItemIdentifier;
            }
            CliOutput::writeTask(json, task, parent);
        }
        json.endArray();
        json.flush();
    }

    void printLines()
    {
        CliOutput::Lines lines;
        for (const Row& row : std::as_const(m_rows)) {
            store::Reminder task;
            decode(row.task, m_sources[size_t(row.list)], &task);
            lines.add(CliOutput::taskLine(task));
        }
    }

private:
    void decode(const Task* task, const ListSource& source, store::Reminder* reminder)
    {
        store::CacheReader in(task->bytes, source.folder->end());
        m_codec.read(in, reminder);
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
                decode(&task, source, reminder.get());
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

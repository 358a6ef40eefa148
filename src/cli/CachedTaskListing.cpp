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

// The whole store's folders from the cache, in the order the index goes through them; none
// when one of them must be read from its files.
std::vector<std::shared_ptr<const CachedFolderTasks>> openFolders(const QStringList& roots)
{
    const store::ParseCache cache(store::ParseCache::fileForRoots(roots));
    const QList<store::CollectionFolder> folders = store::VdirCollections::scan(roots);
    // Listing a folder is a stat per file: side by side, as the index lists them.
    const QList<std::shared_ptr<const CachedFolderTasks>> opened = QtConcurrent::blockingMapped(
        folders, [&cache, &roots](const store::CollectionFolder& folder) {
            return std::shared_ptr<const CachedFolderTasks>(
                CachedFolderTasks::open(cache, roots, folder));
        });
    if (std::any_of(opened.cbegin(), opened.cend(), [](const auto& folder) { return !folder; }))
        return {};
    return {opened.cbegin(), opened.cend()};
}

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

    bool open(const QList<store::CalendarPtr>& lists, const QStringList& roots)
    {
        if (m_request.search && !m_words)
            return false;
        m_folders = openFolders(roots);
        if (m_folders.empty())
            return false;
        QHash<QString, const CachedFolderTasks*> byIdentifier;
        for (const auto& folder : m_folders)
            byIdentifier.insert(folder->folder().identifier, folder.get());
        for (const store::CalendarPtr& list : lists) {
            const CachedFolderTasks* folder = byIdentifier.value(list->calendarIdentifier);
            if (!folder)
                return false;
            m_sources.push_back({list, folder});
        }
        m_byPath = tasksNamedByPath(m_folders);
        return true;
    }

    // The tasks asked for, in the order the application shows them.
    void select()
    {
        store::Reminder probe;
        for (qsizetype list = 0; list < qsizetype(m_sources.size()); ++list) {
            const ListSource& source = m_sources[size_t(list)];
            probe.calendar = source.calendar;
            for (const Task& task : source.folder->tasks()) {
                store::CacheReader in(task.bytes, source.folder->end());
                m_codec.readHead(in, &probe);
                if (probe.completed && !m_request.completed)
                    continue;
                if (m_words && !m_words->matches(probe))
                    continue;
                m_rows.push_back({m_sort.keysOf(probe), &task, list});
            }
        }
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const Row& a, const Row& b) { return a.keys < b.keys; });
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
    if (!listing.open(lists, eventStore->roots()))
        return std::nullopt;
    listing.select();
    qCDebug(lcParseCache) << "Tasks listed from the parse cache";
    if (request.json)
        listing.printJson();
    else
        listing.printLines();
    return 0;
}

} // namespace CachedTaskListing

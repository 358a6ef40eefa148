// The parse cache kept per list folder, and a store opened for some of its lists: whatever
// happened to the folders since the cache was written, a store that reads only one list gives
// for it what a store reading everything without any cache gives, identifiers included.

#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"
#include "platform/store/ParseCache.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtConcurrent>

using namespace store;
using namespace TestFiles;

namespace {

// What a command shows of a task, identifier first.
QString describe(const Reminder& task)
{
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(task.calendarItemIdentifier, task.title,
             task.calendar ? task.calendar->calendarIdentifier : QString(),
             task.dueDateComponents ? task.dueDateComponents->toDateTime().toString(Qt::ISODate)
                                    : QString(),
             QString::number(task.completed));
}

// The lists as a command sees them, and the tasks of one (all when empty).
QStringList answer(EventStore& store, const QString& list)
{
    QStringList lines;
    for (const CalendarPtr& calendar : store.calendars())
        lines << QStringLiteral("list %1 %2 %3%4")
                     .arg(calendar->calendarIdentifier, calendar->title)
                     .arg(int(calendar->holdsReminders))
                     .arg(int(calendar->holdsEvents));
    QList<CalendarPtr> asked;
    if (!list.isEmpty())
        asked << store.calendarWithIdentifier(list);
    QStringList tasks;
    for (const ReminderPtr& task :
         store.remindersMatchingPredicate(store::predicateForRemindersInCalendars(asked)))
        tasks << describe(*task);
    tasks.sort();
    return lines + tasks;
}

} // namespace

class TestFolderCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_cacheStem = m_dir->filePath("cache/store");
        // Three lists and a calendar; a UID repeated in two lists, the later one's task takes
        // an identifier by its path.
        for (const QString list : {"home", "work", "shop"}) {
            writeFile(folder(list) + "/displayname", list.toUtf8().toUpper());
            for (int i = 0; i < 8; ++i)
                writeFile(folder(list) + QStringLiteral("/t%1.ics").arg(i),
                          todo(list.toUtf8() + QByteArray::number(i),
                               list.toUtf8() + " task " + QByteArray::number(i),
                               "DUE;VALUE=DATE:2026011" + QByteArray::number(i) + "\r\n"));
            writeFile(folder(list) + "/dup.ics", todo("dup", list.toUtf8() + " copy"));
        }
        // A task whose file names another UID first (an event's) takes the file's UID; a
        // repeated UID still gives the later task its path.
        writeFile(folder("shop") + "/mixed.ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:meeting\r\n"
                  "DTSTART:20260110T120000Z\r\nDTEND:20260110T130000Z\r\nSUMMARY:Meeting\r\n"
                  "END:VEVENT\r\nBEGIN:VTODO\r\nUID:errand\r\nSUMMARY:Errand\r\nEND:VTODO\r\n"
                  "END:VCALENDAR\r\n");
        writeFile(folder("shop") + "/z-again.ics", todo("meeting", "Again"));
        writeFile(folder("cal") + "/e.ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:e\r\n"
                  "DTSTART:20260110T120000Z\r\nDTEND:20260110T130000Z\r\nSUMMARY:Lunch\r\n"
                  "END:VEVENT\r\nEND:VCALENDAR\r\n");
        age();
    }

    // Every way the folders change between runs, for every list read alone.
    void oneListReadsAsTheWholeStoreGivesIt_data()
    {
        QTest::addColumn<QString>("change");
        for (const char* change :
             {"nothing", "file added", "file removed", "file renamed in its folder",
              "file moved to another folder", "folder renamed", "rewritten in place",
              "modified time going backwards", "UID taken by an earlier list",
              "cache from a newer program", "damaged cache", "no cache"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void oneListReadsAsTheWholeStoreGivesIt()
    {
        QFETCH(QString, change);
        warmUp();
        const QString work = folder("work");
        if (change == "file added") {
            writeFile(work + "/new.ics", todo("new", "New task"));
        } else if (change == "file removed") {
            QVERIFY(QFile::remove(work + "/t3.ics"));
        } else if (change == "file renamed in its folder") {
            QVERIFY(QFile::rename(work + "/t3.ics", work + "/t3-renamed.ics"));
        } else if (change == "file moved to another folder") {
            QVERIFY(QFile::rename(folder("home") + "/t3.ics", work + "/from-home.ics"));
        } else if (change == "folder renamed") {
            QVERIFY(QDir(root()).rename("work", "job"));
        } else if (change == "rewritten in place" || change == "modified time going backwards") {
            // Same name, size and inode: only the file's own times tell.
            writeFile(work + "/t3.ics",
                      readFile(work + "/t3.ics").replace("work task 3", "WORK TASK 3"));
            setModified(work + "/t3.ics",
                        change == "rewritten in place" ? kLongAgo + 60 : kLongAgo - 86400);
        } else if (change == "UID taken by an earlier list") {
            replaceFile(folder("home") + "/t5.ics", todo("work5", "Home takes work5"));
            setModified(folder("home") + "/t5.ics", kLongAgo);
        } else if (change == "cache from a newer program" || change == "damaged cache") {
            for (const QString list : {"home", "work", "shop", "cal"}) {
                const QString file = cache().fileForFolder(folder(list));
                QByteArray bytes = readFile(file);
                // The layout number right after the magic line, or a byte inside.
                const qsizetype at =
                    change == "damaged cache" ? bytes.size() / 3 : bytes.indexOf('\n') + 1;
                bytes[at] = char(bytes[at] + 1);
                writeFile(file, bytes);
            }
        } else if (change == "no cache") {
            QVERIFY(QDir(m_dir->filePath("cache")).removeRecursively());
        }

        for (const QString list : {"home", "work", "job", "shop"}) {
            if (!QFile::exists(folder(list)))
                continue;
            const QStringList expected = answer(*storeOf({}, false), list);
            const auto one = storeOf(list);
            QCOMPARE(answer(*one, list), expected);
            if (list == "shop")
                QCOMPARE(expected.filter(QRegularExpression("^meeting")),
                         (QStringList{"meeting@shop/z-again.ics|Again|shop||0",
                                      "meeting|Errand|shop||0"}));
            if (change == "nothing") {
                // The others were not read: the store has no task of theirs.
                QCOMPARE(answer(*one, {}).filter(" task ").size(), 8);
                QCOMPARE(one->parsedFileCount(), 0u);
            }
            one->waitForParseCache();
        }
    }

    // A store of a few thousand tasks: every answer the same with and without the cache, and
    // read whole or one list at a time.
    void aGeneratedStoreAnswersAlikeHoweverRead()
    {
        QVERIFY(QDir(root()).removeRecursively());
        for (int l = 0; l < 5; ++l) {
            const QString list = folder(QStringLiteral("list-%1").arg(l));
            writeFile(list + "/displayname", "List " + QByteArray::number(l));
            for (int i = 0; i < 600; ++i) {
                // Every 50th UID is in every list.
                const QByteArray uid = i % 50 == 0 ? "shared-" + QByteArray::number(i)
                                                   : QByteArray::number(l * 1000 + i);
                writeFile(list + QStringLiteral("/%1.ics").arg(i),
                          todo(uid, "Task " + QByteArray::number(l * 1000 + i),
                               i % 3 ? "DUE:20260301T090000Z\r\n" : "STATUS:COMPLETED\r\n"));
            }
        }
        age();
        const auto uncached = storeOf({}, false);
        const QStringList all = answer(*uncached, {});
        QCOMPARE(all.filter(QRegularExpression("^shared-50\\|")).size(), 1);
        QCOMPARE(all.filter(QRegularExpression("^shared-50@list-4/50.ics\\|")).size(), 1);
        warmUp();
        for (int l = -1; l < 5; ++l) {
            const QString list = l < 0 ? QString() : QStringLiteral("list-%1").arg(l);
            const auto cached = storeOf(list);
            QCOMPARE(answer(*cached, list), answer(*uncached, list));
            QCOMPARE(cached->parsedFileCount(), 0u);
        }
    }

    // A folder cached while its directory was still settling is cached again once it has
    // settled, with the same files: else its summary would never be trusted.
    void aFolderCachedTooSoonIsCachedAgainOnceSettled()
    {
        setModified(folder("shop"), QDateTime::currentSecsSinceEpoch());
        for (int run = 0; run < 2; ++run) {
            const auto store = storeOf();
            answer(*store, {});
            store->waitForParseCache();
            QCOMPARE(cache().summary({root()}, shop()).has_value(), run == 1);
            setModified(folder("shop"), kLongAgo);
        }
    }

    // Without a place to keep the cache, every command still answers, reading the files.
    void anUnwritableCacheFolderStillAnswers()
    {
        writeFile(m_dir->filePath("blocked"), "a file where the cache folder would be");
        m_cacheStem = m_dir->filePath("blocked/cache/store");
        const QStringList expected = answer(*storeOf({}, false), "shop");
        for (int run = 0; run < 2; ++run) {
            const auto store = storeOf("shop");
            QCOMPARE(answer(*store, "shop"), expected);
            QCOMPARE(store->parsedFileCount(), 30u);
            store->waitForParseCache();
        }
    }

    // Two programs writing one folder's cache at once: it is always one of the two, whole.
    void twoWritersLeaveOneWholeFile()
    {
        const CollectionFolder shop = this->shop();
        QList<ParsedItemPtr> items;
        for (const ItemFile& file : VdirCollections::itemFiles(shop)) {
            ItemFile named = file;
            named.folderPath = shop.folderPath;
            items << StoreIndex::parse(named);
        }
        const QList<ParsedItemPtr> fewer = items.mid(0, 3);
        const DirectoryStamp stamp = DirectoryStamp::ofFolder(shop.folderPath);
        auto write = [&](const QList<ParsedItemPtr>& what) {
            for (int i = 0; i < 40; ++i)
                QVERIFY(cache().save({root()}, shop, stamp, what));
        };
        QFuture<void> other = QtConcurrent::run([&] { write(fewer); });
        write(items);
        other.waitForFinished();
        const std::optional<ParseCache::Folder> loaded = cache().load({root()}, shop);
        QVERIFY(loaded);
        QVERIFY(loaded->items.size() == items.size() || loaded->items.size() == fewer.size());
        cache().tidy({folder("shop")});
        QCOMPARE(QDir(m_dir->filePath("cache"))
                     .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
                     .size(),
                 1);
    }

    // A list folder deleted between runs takes its cache file with it once that file is old
    // enough that no other run may still be writing it; the other lists' files stay.
    void aDeletedFolderLosesItsCacheFile()
    {
        warmUp();
        QVERIFY(QDir(folder("shop")).removeRecursively());
        for (const QString list : {"home", "shop"})
            setModified(cache().fileForFolder(folder(list)), kLongAgo);
        writeFile(folder("work") + "/new.ics", todo("new", "New at work"));
        age();
        const auto store = storeOf();
        QVERIFY(answer(*store, {}).contains("new|New at work|work||0"));
        store->waitForParseCache();
        QVERIFY(!QFile::exists(cache().fileForFolder(folder("shop"))));
        for (const QString list : {"home", "work", "cal"})
            QVERIFY2(QFile::exists(cache().fileForFolder(folder(list))), qPrintable(list));
    }

private:
    QString root() const { return m_dir->filePath("store"); }
    QString folder(const QString& name) const { return root() + '/' + name; }
    ParseCache cache() const { return ParseCache(m_cacheStem); }
    CollectionFolder shop() const
    {
        const QList<CollectionFolder> found = VdirCollections::scan({root()});
        return *std::find_if(found.cbegin(), found.cend(),
                             [](const CollectionFolder& f) { return f.identifier == "shop"; });
    }

    // A store over the folders that reads only the list `only` when one is given, with the
    // test's cache or without any.
    std::unique_ptr<EventStore> storeOf(const QString& only = {}, bool cached = true)
    {
        auto store =
            only.isEmpty()
                ? std::make_unique<EventStore>(QStringList{root()}, m_clock)
                : std::make_unique<EventStore>(
                      QStringList{root()},
                      [only](const CollectionFolder& f) { return f.identifier == only; }, m_clock);
        store->setParseCacheFile(cached ? m_cacheStem : QString());
        return store;
    }

    // Files and folders as they are between runs: changed long ago.
    void age() { ageTree(root()); }

    // A run over the whole store, which writes every folder's cache file. Folders changed in
    // the last moments are not trusted from their summary: this waits until they are not.
    void warmUp()
    {
        const auto store = storeOf();
        answer(*store, {});
        store->waitForParseCache();
        for (const QString list : {"home", "work", "shop", "cal"})
            QVERIFY(!QFile::exists(folder(list)) ||
                    QFile::exists(cache().fileForFolder(folder(list))));
    }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cacheStem;
};

VELMORAN_TEST_MAIN(TestFolderCache)
#include "tst_foldercache.moc"

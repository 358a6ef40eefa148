// The parse cache between runs: a warm start gives exactly what parsing gives, never serves a
// file that changed, and ignores cache files it cannot trust. Store files get modification
// times well in the past, as a store has between runs (a file changed in the last moments is
// never cached).

#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"
#include "platform/store/ParseCache.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

using namespace store;
using namespace TestFiles;
using StoreLookups::taskTitled;
using namespace StoreQueries;

namespace {

// A task with a value in every field the store reads.
const QByteArray kRichTask =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n"
    "BEGIN:VTODO\r\nUID:rich\r\nSUMMARY:Über \\\"alles\\\"\\, daß\r\n"
    "DESCRIPTION:two\\nlines 😀\r\nURL:https://example.org/a b?c=d#e\r\nPRIORITY:5\r\n"
    "CREATED:20251201T100000Z\r\nLAST-MODIFIED:20251202T110000Z\r\n"
    "DTSTART;TZID=America/New_York:20260110T080000\r\nDUE;TZID=Europe/Berlin:20260110T170000\r\n"
    "RRULE:FREQ=MONTHLY;INTERVAL=2;BYDAY=2MO,-1FR;BYMONTH=1,7;UNTIL=20271231T230000Z\r\n"
    "RRULE:FREQ=YEARLY;BYYEARDAY=100,-1;BYWEEKNO=3;BYSETPOS=1;WKST=MO;COUNT=4\r\n"
    "RELATED-TO;RELTYPE=SIBLING:t01\r\nRELATED-TO:t00\r\nX-OC-HIDESUBTASKS:1\r\n"
    "BEGIN:VALARM\r\nUID:a1\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT1H30M\r\n"
    "END:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\n"
    "TRIGGER;VALUE=DATE-TIME:20260109T120000Z\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nUID:place\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\n"
    "TRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\nX-APPLE-PROXIMITY:DEPART\r\n"
    "X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=150;X-TITLE=Office:"
    "geo:52.52,13.405\r\nEND:VALARM\r\n"
    "END:VTODO\r\nEND:VCALENDAR\r\n";

// Every field of a task, as one line, so that two readings can be compared whole.
QString describe(const Reminder& r)
{
    QString text;
    {
        QDebug out(&text);
        out << r.calendarItemIdentifier << r.title
            << (r.calendar ? r.calendar->calendarIdentifier : QString()) << r.URL << r.notes
            << r.priority << r.completed << r.completionDate << r.creationDate << r.lastModifiedDate
            << r.uid << r.parentUid << r.hidesSubtasks << (r.origin ? r.origin->path() : QString())
            << (r.origin ? r.origin->stamp.mtimeNs : -1);
        for (const OptionalDateComponents& c : {r.dueDateComponents, r.startDateComponents}) {
            if (c)
                out << c->year << c->month << c->day << c->hour << c->minute << c->second
                    << c->timeZone.id();
            else
                out << "none";
        }
        for (const Alarm& a : r.alarms) {
            out << "alarm" << a.absoluteDate << a.relativeOffset << a.hasRelativeOffset
                << int(a.proximity) << a.uid;
            if (const std::optional<StructuredLocation>& place = a.structuredLocation)
                out << "place" << place->title << place->latitude << place->longitude
                    << place->radius << place->hasGeoLocation;
        }
        for (const RecurrenceRule& rule : r.recurrenceRules) {
            out << "rule" << int(rule.frequency) << rule.interval << rule.firstDayOfTheWeek
                << rule.daysOfTheMonth << rule.monthsOfTheYear << rule.weeksOfTheYear
                << rule.daysOfTheYear << rule.setPositions;
            for (const RecurrenceDayOfWeek& day : rule.daysOfTheWeek)
                out << day.dayOfTheWeek << day.weekNumber;
            if (const std::optional<RecurrenceEnd>& end = rule.recurrenceEnd)
                out << "end" << end->endDate << end->endDateIsAllDay << end->occurrenceCount;
        }
    } // the text is complete once the stream goes
    return text;
}

QStringList describeAll(EventStore& store)
{
    QStringList all;
    for (const ReminderPtr& reminder : allReminders(store))
        all << describe(*reminder);
    all.sort();
    // Lists and calendars, read after the tasks: they are told apart by what the files hold.
    for (const EntityType type : {EntityType::Reminder, EntityType::Event}) {
        for (const CalendarPtr& calendar : store.calendarsForEntityType(type))
            all << QStringLiteral("%1 %2 %3 %4%5")
                       .arg(int(type))
                       .arg(calendar->calendarIdentifier, calendar->title)
                       .arg(int(calendar->holdsReminders))
                       .arg(int(calendar->holdsEvents));
    }
    return all;
}

} // namespace

class TestParseCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(list() + "/displayname", "Tasks");
        writeFile(list() + "/rich.ics", kRichTask);
        for (int i = 0; i < 20; ++i)
            writeFile(list() + QStringLiteral("/t%1.ics").arg(i, 2, 10, QLatin1Char('0')),
                      todo("t" + QByteArray::number(i), "Task " + QByteArray::number(i),
                           "DUE;VALUE=DATE:202601" +
                               QByteArray::number(10 + i).rightJustified(2, '0') + "\r\n"));
        writeFile(root() + "/cal/displayname", "Calendar");
        writeFile(root() + "/cal/e.ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:e\r\n"
                  "DTSTART:20260110T120000Z\r\nDTEND:20260110T130000Z\r\nSUMMARY:Lunch\r\n"
                  "END:VEVENT\r\nEND:VCALENDAR\r\n");
        ageTree(root());
    }

    void aWarmStartGivesWhatParsingGives()
    {
        // Every file of the public corpus, damaged ones included, as tasks of one list.
        QDirIterator corpus(TestEnvironment::corpusDir(), {"*.ics"}, QDir::Files,
                            QDirIterator::Subdirectories);
        int copied = 0;
        while (corpus.hasNext()) {
            const QString path = corpus.next();
            writeFile(root() + QStringLiteral("/corpus/%1.ics").arg(copied++), readFile(path));
        }
        QVERIFY(copied > 50);
        ageTree(root());

        const auto reasons = [](const EventStore& store) {
            QStringList said;
            for (const UnreadableFile& file : store.unreadableFiles())
                said << file.path + QLatin1Char(' ') + file.reason();
            said.sort();
            return said;
        };
        QStringList cold;
        QStringList coldReasons;
        {
            EventStore store({root()}, m_clock);
            cold = describeAll(store);
            coldReasons = reasons(store);
            QCOMPARE(store.parsedFileCount(), quint64(copied + 22));
            store.waitForParseCache();
        }
        EventStore warm({root()}, m_clock);
        const QStringList fromCache = describeAll(warm);
        QCOMPARE(warm.parsedFileCount(), 0u);
        QCOMPARE(fromCache, cold);
        // The damaged files of the corpus keep the parser's words on what is wrong with them.
        QVERIFY(!coldReasons.isEmpty());
        QVERIFY(coldReasons.join(u'\n').contains(QLatin1String(": ")));
        QCOMPARE(reasons(warm), coldReasons);
        // The rare fields were read at all, not merely missing from both.
        const QString all = fromCache.join(u'\n');
        QVERIFY(all.contains(R"(place "Office" 52.52 13.405 150 true)"));
        QVERIFY(all.contains(R"("rich" "t00" true)"));

        // Events come from their file when first asked for.
        const QList<EventPtr> events =
            warm.eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                TestEnvironment::local(2026, 1, 10), TestEnvironment::local(2026, 1, 11),
                {warm.calendarWithIdentifier("cal")}));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first()->title, QString("Lunch"));
    }

    // The same path with any other stamp is parsed again; the cache never answers for it.
    void aChangedFileIsNeverServedFromTheCache_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("same size and second, other nanoseconds") << "nanoseconds";
        QTest::newRow("same size and time, other inode") << "inode";
        QTest::newRow("changed in the tick it was cached in") << "racy";
    }

    void aChangedFileIsNeverServedFromTheCache()
    {
        QFETCH(QString, change);
        const QString path = list() + "/t05.ics";
        const QByteArray changed = todo("t5", "Task X", "DUE;VALUE=DATE:20260115\r\n");
        QCOMPARE(changed.size(), readFile(path).size());
        if (change == "racy")
            setModified(path, QDateTime::currentSecsSinceEpoch(), 123456789);
        warmUp();

        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        if (change == "nanoseconds") {
            writeFile(path, changed);
            setModified(path, before.st_mtim.tv_sec, before.st_mtim.tv_nsec + 1);
        } else if (change == "inode") {
            writeFile(path + ".new", changed);
            setModified(path + ".new", before.st_mtim.tv_sec, before.st_mtim.tv_nsec);
            QVERIFY(::rename(QFile::encodeName(path + ".new").constData(),
                             QFile::encodeName(path).constData()) == 0);
        } else {
            // Another program rewrites it within the same tick of the clock: size, time and
            // inode stay as they were.
            writeFile(path, changed);
            setModified(path, before.st_mtim.tv_sec, before.st_mtim.tv_nsec);
        }
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);

        EventStore store({root()}, m_clock);
        const QStringList read = titles(allReminders(store));
        QVERIFY(!read.contains("Task 5"));
        QVERIFY(read.contains("Task X"));
        QCOMPARE(read.size(), 21);
        QCOMPARE(store.parsedFileCount(), 1u);
    }

    // Whatever is in the cache file, a start that cannot trust it parses every file, gives the
    // right tasks and writes a good cache again.
    void anUntrustworthyCacheFileIsIgnoredAndRebuilt_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut short") << "truncated";
        QTest::newRow("empty") << "empty";
        QTest::newRow("not a cache file") << "foreign";
        QTest::newRow("another store's") << "other store";
        QTest::newRow("written by another version") << "old version";
    }

    void anUntrustworthyCacheFileIsIgnoredAndRebuilt()
    {
        QFETCH(QString, damage);
        const QString file = cacheFileOf(list());
        warmUp();
        QByteArray bytes = readFile(file);
        QVERIFY(bytes.size() > 1000);
        if (damage == "truncated") {
            bytes.truncate(bytes.size() / 2);
        } else if (damage == "empty") {
            bytes.clear();
        } else if (damage == "foreign") {
            bytes = "BEGIN:VCALENDAR\r\n" + QByteArray(5000, 'x');
        } else if (damage == "other store") {
            // A cache made for another folder, under this store's name.
            const QString other = m_dir->filePath("other");
            writeFile(other + "/list/displayname", "Other");
            writeFile(other + "/list/o.ics", todo("o", "Other task"));
            setModified(other + "/list/o.ics", kLongAgo, 0);
            EventStore store({other}, m_clock);
            QCOMPARE(titles(allReminders(store)), QStringList{"Other task"});
            store.waitForParseCache();
            bytes = readFile(
                ParseCache(ParseCache::fileForRoots({other})).fileForFolder(other + "/list"));
        } else {
            ParseCache older(ParseCache::fileForRoots({root()}), "an older reader");
            QVERIFY(older.save({root()}, listFolder(), DirectoryStamp::ofFolder(list()),
                               itemsOf(list())));
            bytes = readFile(file);
        }
        writeFile(file, bytes);

        {
            // The list's files are all parsed; the calendar's own cache file still answers.
            EventStore store({root()}, m_clock);
            QCOMPARE(titles(allReminders(store)).size(), 21);
            QCOMPARE(store.parsedFileCount(), 21u);
            store.waitForParseCache();
        }
        EventStore again({root()}, m_clock);
        QCOMPARE(titles(allReminders(again)).size(), 21);
        QCOMPARE(again.parsedFileCount(), 0u);
    }

    // A task the cache answered for is written back like a parsed one: the save and the delete
    // compare the file with what was read, content included, and must not take it for changed.
    void aTaskFromTheCacheCanBeSavedAndDeleted()
    {
        warmUp();
        EventStore store({root()}, m_clock);
        const ReminderPtr edited = taskTitled(store, "Task 3");
        const ReminderPtr removed = taskTitled(store, "Task 4");
        QCOMPARE(store.parsedFileCount(), 0u);
        edited->title = QStringLiteral("Task 3 edited");
        QString error;
        QVERIFY2(store.saveReminder(edited, true, &error), qPrintable(error));
        QVERIFY2(store.removeReminder(removed, true, &error), qPrintable(error));
        QVERIFY(readFile(list() + "/t03.ics").contains("SUMMARY:Task 3 edited"));
        QVERIFY(!QFile::exists(list() + "/t04.ics"));
    }

private:
    QString root() const { return m_dir->filePath("store"); }
    QString list() const { return root() + "/tasks"; }

    // A first run, which leaves the cache file written.
    void warmUp()
    {
        EventStore store({root()}, m_clock);
        QCOMPARE(titles(allReminders(store)).size(), 21);
        store.waitForParseCache();
        QVERIFY(QFile::exists(cacheFileOf(list())));
    }

    QString cacheFileOf(const QString& folder) const
    {
        return ParseCache(ParseCache::fileForRoots({root()})).fileForFolder(folder);
    }

    CollectionFolder listFolder() const
    {
        CollectionFolder folder;
        folder.identifier = QStringLiteral("tasks");
        folder.folderPath = list();
        folder.rootPath = root();
        return folder;
    }

    static QList<ParsedItemPtr> itemsOf(const QString& root)
    {
        QList<ParsedItemPtr> items;
        QDirIterator files(root, {"*.ics"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            ItemFile file;
            file.folderPath = QFileInfo(path).path();
            file.fileName = QFileInfo(path).fileName();
            items << StoreIndex::parse(file);
        }
        return items;
    }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
};

VELMORAN_TEST_MAIN(TestParseCache)
#include "tst_parsecache.moc"

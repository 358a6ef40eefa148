// The parse cache between runs: a warm start gives exactly what parsing gives, never serves a
// file that changed, and ignores cache files it cannot trust. Store files get modification
// times well in the past, as a store has between runs (a file changed in the last moments is
// never cached).

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

QString dateText(const QDateTime& date)
{
    if (!date.isValid())
        return QStringLiteral("-");
    return date.toString(Qt::ISODateWithMs) + QStringLiteral("/%1/").arg(int(date.timeSpec())) +
           QString::fromLatin1(date.timeZone().id());
}

QString componentsText(const std::optional<DateComponents>& components)
{
    if (!components)
        return QStringLiteral("-");
    return QStringLiteral("%1-%2-%3 %4:%5:%6 %7")
        .arg(components->year)
        .arg(components->month)
        .arg(components->day)
        .arg(components->hour)
        .arg(components->minute)
        .arg(components->second)
        .arg(QString::fromLatin1(components->timeZone.id()));
}

QString intsText(const QList<int>& values)
{
    QStringList out;
    for (int value : values)
        out << QString::number(value);
    return out.join(QLatin1Char(','));
}

// Every field of a task, as text, so that two readings can be compared whole.
QString describe(const Reminder& r)
{
    QStringList out{r.calendarItemIdentifier,
                    r.title,
                    r.calendar ? r.calendar->calendarIdentifier : QString(),
                    r.URL.toString(QUrl::FullyEncoded),
                    r.notes,
                    QString::number(r.priority),
                    QString::number(r.completed),
                    dateText(r.completionDate),
                    componentsText(r.dueDateComponents),
                    componentsText(r.startDateComponents),
                    dateText(r.creationDate),
                    dateText(r.lastModifiedDate),
                    r.uid,
                    r.parentUid,
                    QString::number(r.hidesSubtasks),
                    r.origin ? r.origin->filePath : QString(),
                    r.origin ? QString::number(r.origin->stamp.mtimeNs) : QString()};
    for (const Alarm& a : r.alarms) {
        out << QStringLiteral("alarm %1 %2 %3 %4 %5")
                   .arg(dateText(a.absoluteDate))
                   .arg(a.relativeOffset)
                   .arg(a.hasRelativeOffset)
                   .arg(int(a.proximity))
                   .arg(a.uid);
        if (a.structuredLocation)
            out << QStringLiteral("place %1 %2 %3 %4 %5")
                       .arg(a.structuredLocation->title)
                       .arg(a.structuredLocation->latitude)
                       .arg(a.structuredLocation->longitude)
                       .arg(a.structuredLocation->radius)
                       .arg(a.structuredLocation->hasGeoLocation);
    }
    for (const RecurrenceRule& rule : r.recurrenceRules) {
        QStringList days;
        for (const RecurrenceDayOfWeek& day : rule.daysOfTheWeek)
            days << QStringLiteral("%1/%2").arg(day.dayOfTheWeek).arg(day.weekNumber);
        out << QStringLiteral("rule %1 %2 %3 %4 | %5 | %6 | %7 | %8 | %9")
                   .arg(int(rule.frequency))
                   .arg(rule.interval)
                   .arg(rule.firstDayOfTheWeek)
                   .arg(days.join(u','), intsText(rule.daysOfTheMonth),
                        intsText(rule.monthsOfTheYear), intsText(rule.weeksOfTheYear),
                        intsText(rule.daysOfTheYear), intsText(rule.setPositions));
        if (rule.recurrenceEnd)
            out << QStringLiteral("end %1 %2 %3")
                       .arg(dateText(rule.recurrenceEnd->endDate))
                       .arg(rule.recurrenceEnd->endDateIsAllDay)
                       .arg(rule.recurrenceEnd->occurrenceCount);
    }
    return out.join(QLatin1Char('\n'));
}

QStringList describeAll(EventStore& store)
{
    QStringList all;
    for (const ReminderPtr& reminder :
         store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({})))
        all << describe(*reminder);
    all.sort();
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
        ageStore();
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
        ageStore();

        QStringList cold;
        QStringList coldCalendars;
        {
            EventStore store({root()}, m_clock);
            cold = describeAll(store);
            coldCalendars = calendarsOf(store);
            QCOMPARE(store.parsedFileCount(), quint64(copied + 22));
            store.waitForParseCache();
        }
        EventStore warm({root()}, m_clock);
        const QStringList fromCache = describeAll(warm);
        QCOMPARE(warm.parsedFileCount(), 0u);
        QCOMPARE(fromCache.size(), cold.size());
        for (qsizetype i = 0; i < cold.size(); ++i)
            QCOMPARE(fromCache[i], cold[i]);
        QVERIFY(fromCache.join(u'\n').contains("place Office 52.52 13.405 150 1"));
        QVERIFY(fromCache.join(u'\n').contains("\nrich\nt00\n1\n"));

        // Lists and calendars are told apart by what the cache says their files hold, and
        // events come from their file when first asked for.
        QCOMPARE(calendarsOf(warm), coldCalendars);
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
        const QStringList titles = titlesOf(store);
        QVERIFY(!titles.contains("Task 5"));
        QVERIFY(titles.contains("Task X"));
        QCOMPARE(titles.size(), 21);
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
            QCOMPARE(titlesOf(store), QStringList{"Other task"});
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
            QCOMPARE(titlesOf(store).size(), 21);
            QCOMPARE(store.parsedFileCount(), 21u);
            store.waitForParseCache();
        }
        EventStore again({root()}, m_clock);
        QCOMPARE(titlesOf(again).size(), 21);
        QCOMPARE(again.parsedFileCount(), 0u);
    }

    // A task the cache answered for is written back like a parsed one: the save and the delete
    // compare the file with what was read, content included, and must not take it for changed.
    void aTaskFromTheCacheCanBeSavedAndDeleted()
    {
        warmUp();
        EventStore store({root()}, m_clock);
        const QList<ReminderPtr> tasks =
            store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}));
        QCOMPARE(store.parsedFileCount(), 0u);
        auto named = [&tasks](const QString& title) {
            for (const ReminderPtr& task : tasks) {
                if (task->title == title)
                    return task;
            }
            return ReminderPtr();
        };
        auto edited = std::make_shared<Reminder>(*named("Task 3"));
        edited->title = QStringLiteral("Task 3 edited");
        QString error;
        QVERIFY2(store.saveReminder(edited, true, &error), qPrintable(error));
        QVERIFY2(store.removeReminder(named("Task 4"), true, &error), qPrintable(error));
        QVERIFY(readFile(list() + "/t03.ics").contains("SUMMARY:Task 3 edited"));
        QVERIFY(!QFile::exists(list() + "/t04.ics"));
    }

private:
    QString root() const { return m_dir->filePath("store"); }
    QString list() const { return root() + "/tasks"; }

    void ageStore()
    {
        QDirIterator files(root(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            setModified(files.next(), kLongAgo, 0);
    }

    // A first run, which leaves the cache file written.
    void warmUp()
    {
        EventStore store({root()}, m_clock);
        QCOMPARE(titlesOf(store).size(), 21);
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

    static QStringList titlesOf(EventStore& store)
    {
        QStringList titles;
        for (const ReminderPtr& reminder :
             store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({})))
            titles << reminder->title;
        titles.sort();
        return titles;
    }

    static QStringList calendarsOf(EventStore& store)
    {
        QStringList calendars;
        for (const EntityType type : {EntityType::Reminder, EntityType::Event}) {
            for (const CalendarPtr& calendar : store.calendarsForEntityType(type))
                calendars << QStringLiteral("%1 %2 %3 %4")
                                 .arg(int(type))
                                 .arg(calendar->calendarIdentifier, calendar->title)
                                 .arg(calendar->holdsReminders + 2 * calendar->holdsEvents);
        }
        return calendars;
    }

    static QList<ParsedItemPtr> itemsOf(const QString& root)
    {
        QList<ParsedItemPtr> items;
        QDirIterator files(root, {"*.ics"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            ItemFile file;
            file.path = path;
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

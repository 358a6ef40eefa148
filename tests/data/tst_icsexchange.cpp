#include "CalendarFiles.h"
#include "IcsLines.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/exchange/IcsExport.h"
#include "data/exchange/IcsImport.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/VdirCollections.h"

#include <QTemporaryDir>

using namespace CalendarFiles;
using namespace exchange;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QByteArray newYorkZone = "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
                               "BEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
                               "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
                               "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
                               "BEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\n"
                               "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
                               "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\n"
                               "END:VTIMEZONE\r\n";

// The lines of a file's tasks and events, unfolded, the calendar's own lines and zones left out.
QList<QByteArray> itemLines(const QByteArray& file)
{
    QList<QByteArray> lines;
    int depth = 0;
    for (const QByteArray& line : IcsLines::unfolded(file)) {
        const QByteArray upper = line.toUpper();
        if (upper == "BEGIN:VTODO" || upper == "BEGIN:VEVENT")
            ++depth;
        if (depth > 0)
            lines << line;
        if (upper == "END:VTODO" || upper == "END:VEVENT")
            --depth;
    }
    return lines;
}

} // namespace

// Import and export of .ics files over real store folders.
class TestIcsExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        for (const auto& [folder, kind] : {std::pair{"home", "VTODO"}, {"cal", "VEVENT"}}) {
            writeFile(root() + '/' + folder + "/displayname", folder);
            writeFile(root() + '/' + folder + '/' + store::VdirCollections::createdForFileName(),
                      kind);
        }
        m_store.emplace(QStringList{root()});
    }

    // Tasks of every shape go out as one calendar and come back into an empty store with the
    // lines their files had, each zone once.
    void exportThenImportKeepsEveryLine()
    {
        const QList<std::pair<QByteArray, QByteArray>> files{
            {"plain", calendar(vtodo("plain", "Water the plants"))},
            {"rich", calendar(vtodo(
                         "rich", "Pay rent",
                         "DESCRIPTION:A note long enough to be folded by whoever wrote it, "
                         "\r\n with a second line\\, and a comma\r\nX-ELSEWHERE-COLOR:#ff0000\r\n"
                         "PRIORITY:1\r\nCATEGORIES:home,money\r\nBEGIN:VALARM\r\n"
                         "ACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nX-KEEP:me\r\nEND:VALARM\r\n"))},
            {"zoned", calendar(newYorkZone +
                               vtodo("zoned", "Call the office",
                                     "DUE;TZID=America/New_York:20261210T090000\r\n"
                                     "RRULE:FREQ=WEEKLY;COUNT=4\r\n") +
                               vtodo("zoned", "Call the office later",
                                     "RECURRENCE-ID;TZID=America/New_York:20261217T090000\r\n"
                                     "DUE;TZID=America/New_York:20261217T150000\r\n"))},
            {"berlin",
             calendar(vtodo("berlin", "Bake", "DUE;TZID=Europe/Berlin:20261212T100000\r\n"))},
            {"unix", QByteArray(calendar(vtodo("unix", "Line feeds only"))).replace("\r\n", "\n")},
            {"done", calendar(vtodo("done", "Filed",
                                    "STATUS:COMPLETED\r\n"
                                    "COMPLETED:20261201T100000Z\r\n"))},
        };
        for (const auto& [name, bytes] : files)
            writeFile(root() + "/home/" + name + ".ics", bytes);

        const ExportResult exported = exportTasks(StoreQueries::allReminders(*m_store), 2026);
        QCOMPARE(exported.tasks, files.size());
        QVERIFY(store::IcsItem::parse(exported.calendar));
        QVERIFY(!exported.calendar.contains("\r\r") &&
                exported.calendar.count('\n') == exported.calendar.count("\r\n"));
        QCOMPARE(exported.calendar.count("BEGIN:VTIMEZONE"), 2);
        QVERIFY(exported.calendar.contains(newYorkZone) &&
                exported.calendar.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"));

        QTemporaryDir other;
        const QString otherRoot = other.filePath("store");
        writeFile(otherRoot + "/imported/displayname", "Imported");
        store::EventStore empty(QStringList{otherRoot});
        const QString exportFile = other.filePath("out.ics");
        writeFile(exportFile, exported.calendar);
        const ImportOutcome outcome = importInto(empty, {exportFile}, PresentItems::Skip);
        QCOMPARE(outcome.added, files.size());
        QVERIFY(outcome.failed.isEmpty());
        for (const auto& [name, bytes] : files) {
            const QByteArray back = readFile(otherRoot + "/imported/" + name + ".ics");
            QCOMPARE(itemLines(back), itemLines(bytes));
            QCOMPARE(back.contains("BEGIN:VTIMEZONE"), bytes.contains("TZID"));
        }
    }

    // A file with broken items imports the rest and names each broken one by its line.
    void brokenItemsAreNamed_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QStringList>("skipped"); // "line title: words of the reason"

        QTest::newRow("unclosed task")
            << calendar(vtodo("a", "First") + "BEGIN:VTODO\r\nUID:b\r\nSUMMARY:Open\r\n" +
                        vtodo("c", "Third"))
            << QStringList{"First", "Third"} << QStringList{"8 Open: END:VTODO is missing"};
        QTest::newRow("event without start")
            << calendar("BEGIN:VEVENT\r\nUID:e\r\nSUMMARY:Floating\r\nEND:VEVENT\r\n" +
                        vtodo("a", "First"))
            << QStringList{"First"} << QStringList{"4 Floating: has no start"};
        QTest::newRow("two tasks, one UID")
            << calendar(vtodo("a", "First") + vtodo("a", "Impostor")) << QStringList{"First"}
            << QStringList{"8 Impostor: UID a is another item's"};
        QTest::newRow("mismatched end")
            << calendar("BEGIN:VTODO\r\nUID:x\r\nSUMMARY:Tangled\r\nBEGIN:VALARM\r\n"
                        "END:VTODO\r\n" +
                        vtodo("a", "First"))
            << QStringList{"First"} << QStringList{"4 Tangled: END:VTODO closes BEGIN:VALARM"};
        QTest::newRow("task without UID gets one")
            << calendar("BEGIN:VTODO\r\nSUMMARY:Nameless\r\nEND:VTODO\r\n")
            << QStringList{"Nameless"} << QStringList{};
    }

    void brokenItemsAreNamed()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, imported);
        QFETCH(QStringList, skipped);
        const QString path = m_dir->filePath("in.ics");
        writeFile(path, file);
        ImportPlan plan;
        QString error;
        QVERIFY(planImport({path}, {}, 2026, &plan, &error));
        QStringList named;
        for (const SkippedItem& item : plan.skipped) {
            named << QStringLiteral("%1 %2: %3").arg(item.line).arg(item.title, item.reason);
            QVERIFY(item.text().startsWith(path + ':' + QString::number(item.line)));
        }
        QCOMPARE(named.size(), skipped.size());
        for (qsizetype i = 0; i < skipped.size(); ++i) {
            const QString expected = skipped.at(i);
            QVERIFY2(named.at(i).startsWith(expected.section(':', 0, 0) + ':') &&
                         named.at(i).contains(expected.section(": ", 1)),
                     qPrintable(named.at(i)));
        }
        const ImportOutcome outcome = runImport(plan, targets(), PresentItems::Skip);
        QCOMPARE(outcome.added, imported.size());
        QStringList titles = StoreQueries::titles(StoreQueries::allReminders(*m_store));
        titles.sort();
        QCOMPARE(titles, imported);
    }

    // Importing the same files again adds nothing, even as an update; an override that comes in
    // a file of its own joins its event's file.
    void importingTwiceAddsNothing()
    {
        const QString one = m_dir->filePath("one.ics");
        const QString two = m_dir->filePath("two.ics");
        writeFile(one, calendar(vtodo("t1", "Task one") + vtodo("t2", "Task two") +
                                "BEGIN:VEVENT\r\nUID:ev\r\nSUMMARY:Meeting\r\n"
                                "DTSTART:20261210T100000Z\r\nRRULE:FREQ=DAILY;COUNT=3\r\n"
                                "END:VEVENT\r\n" +
                                vtodo("t3", "Task three")));
        writeFile(two, calendar("BEGIN:VEVENT\r\nUID:ev\r\nSUMMARY:Meeting moved\r\n"
                                "RECURRENCE-ID:20261211T100000Z\r\n"
                                "DTSTART:20261211T140000Z\r\nEND:VEVENT\r\n"));
        ImportPlan plan;
        QString error;
        QVERIFY(planImport({one, two}, {}, 2026, &plan, &error));
        QCOMPARE(plan.count(ItemKind::Event), 1);

        const ImportOutcome first = importInto(*m_store, {one, two}, PresentItems::Skip);
        QCOMPARE(first.added, 4);
        const QStringList before = allFiles();
        QCOMPARE(readFile(root() + "/cal/ev.ics").count("BEGIN:VEVENT"), 2);

        QVERIFY(planImport({one, two}, storedItems(m_store->calendars()), 2026, &plan, &error));
        QCOMPARE(plan.present(), 4);
        const ImportOutcome second = runImport(plan, targets(), PresentItems::Update);
        QCOMPARE(second.added, 0);
        QCOMPARE(allFiles(), before);
    }

    // An item present already is left alone, or with Update replaced in place.
    void updateOrSkipWhatIsPresent()
    {
        const QString path = m_dir->filePath("in.ics");
        writeFile(path, calendar(vtodo("u", "Old title")));
        QCOMPARE(importInto(*m_store, {path}, PresentItems::Skip).added, 1);
        const QString stored = root() + "/home/u.ics";
        writeFile(path, calendar(vtodo("u", "New title")));

        ImportOutcome skipped = importInto(*m_store, {path}, PresentItems::Skip);
        QCOMPARE(skipped.left, 1);
        QVERIFY(readFile(stored).contains("Old title"));

        ImportOutcome updated = importInto(*m_store, {path}, PresentItems::Update);
        QCOMPARE(updated.writtenPaths, QStringList{stored});
        QCOMPARE(readFile(stored), calendar(vtodo("u", "New title")));
        QCOMPARE(allFiles().size(), 1);
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    ImportTargets targets()
    {
        const store::CalendarPtr home = m_store->calendarWithIdentifier("home");
        return {home,
                calendarForEvents(home, m_store->calendarsForEntityType(store::EntityType::Event))};
    }

    ImportOutcome importInto(store::EventStore& target, const QStringList& files,
                             PresentItems present)
    {
        ImportPlan plan;
        QString error;
        if (!planImport(files, storedItems(target.calendars()), 2026, &plan, &error))
            qWarning() << error;
        const QList<store::CalendarPtr> lists = target.calendars();
        const ImportTargets into =
            &target == &*m_store ? targets() : ImportTargets{lists.value(0), nullptr};
        return runImport(plan, into, present);
    }

    QStringList allFiles() const
    {
        QStringList files;
        for (const char* folder : {"home", "cal"})
            for (const QString& name :
                 QDir(root() + '/' + folder).entryList({"*.ics"}, QDir::Files, QDir::Name))
                files << QString(folder) + '/' + name + ':' +
                             QString::number(qHash(readFile(root() + '/' + folder + '/' + name)));
        return files;
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<store::EventStore> m_store;
};

VELMORAN_TEST_MAIN(TestIcsExchange)
#include "tst_icsexchange.moc"

// `tasks --list` and `export --list` read only the lists their names may stand for and answer
// from the parse cache for the others: what they print is what a run that reads every list
// prints, whichever way the list is named and whichever list took a repeated UID first. `lists`
// reads the folders' metadata and only as many items as it takes to tell a task list from a
// calendar: its answer too must be the one the whole store gives.

#include "../data/CalendarFiles.h"
#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/VisibleListCheck.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>

using namespace TestFiles;

class TestCliOneList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_cli.isValid());
        const QString root = m_cli.storeRoot();
        const QList<QPair<QString, QByteArray>> lists = {
            {"a-errands", "Errands"}, {"b-errands-old", "Errands old"}, {"c-work", "Work"}};
        for (const auto& [folder, title] : lists) {
            writeFile(root + '/' + folder + "/displayname", title);
            for (int i = 0; i < 30; ++i)
                writeFile(root + QStringLiteral("/%1/%2.ics").arg(folder).arg(i),
                          todo(folder.toUtf8() + QByteArray::number(i),
                               title + " " + QByteArray::number(i),
                               i % 2 ? "DUE:20261224T090000Z\r\n" : QByteArray()));
            // The same UID in every list: the first list in the store's order keeps it.
            writeFile(root + '/' + folder + "/copy.ics", todo("copy", title + " copy"));
        }
        // Events in a calendar and in a list of tasks, for `events`.
        const auto event = [](const QByteArray& uid, const QByteArray& day) {
            return CalendarFiles::eventFile(uid, "Event " + uid, day + "T090000", day + "T100000");
        };
        writeFile(root + "/d-calendar/displayname", "Calendar");
        writeFile(root + "/d-calendar/meeting.ics", event("meeting", "20261210"));
        writeFile(root + "/c-work/review.ics", event("review", "20261211"));
        ageStore();
    }

    // `events` reads only the folders that may hold events and knows the others from the
    // cache: a list of tasks that also holds an event still gives it.
    void oneListPrintsWhatTheWholeStoreGives_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("shows");
        for (const char* name : {"Work", "errands", "Errands o", "c-work", "Nothing"})
            QTest::newRow(name) << QStringList{"tasks", "--list", name, "--json", "--completed"}
                                << QByteArray();
        QTest::newRow("events") << QStringList{"events", "2026-12-01", "2026-12-31"}
                                << QByteArray("Event review");
    }

    void oneListPrintsWhatTheWholeStoreGives()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, shows);
        // Without a cache every list is read.
        QVERIFY(QDir(m_cli.environment().value("XDG_CACHE_HOME")).removeRecursively());
        const CliRun::Result whole = m_cli(arguments);
        QVERIFY2(whole.out.contains(shows), whole.out.constData());
        const CliRun::Result all = m_cli({"tasks", "--filter", "0", "--json"});
        QCOMPARE(all.exitCode, 0);
        QCOMPARE(all.json().size(), 93);
        const CliRun::Result one = m_cli(arguments);
        QCOMPARE(one.exitCode, whole.exitCode);
        QCOMPARE(one.out, whole.out);
        QCOMPARE(one.err, whole.err);
        // Every task printed has the identifier the whole store gives it.
        QSet<QString> identifiers;
        for (const QJsonValue& task : all.json())
            identifiers.insert(task.toObject().value("id").toString());
        for (const QJsonValue& task : one.json())
            QVERIFY(identifiers.contains(task.toObject().value("id").toString()));
    }

    // `export --list` reads the lists it names and no other: a file that is no iCalendar
    // object in another list is not reported, as it is by every run that reads that list.
    void exportReadsOnlyTheNamedLists_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("readsWork");
        QTest::newRow("one other list") << QStringList{"export", "--list", "Errands"} << false;
        QTest::newRow("two other lists")
            << QStringList{"export", "--list", "errands", "--list", "b-errands-old"} << false;
        QTest::newRow("the list itself") << QStringList{"export", "--list", "Work"} << true;
        QTest::newRow("every list") << QStringList{"export"} << true;
    }

    void exportReadsOnlyTheNamedLists()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, readsWork);
        const QString broken = m_cli.storeRoot() + "/c-work/broken.ics";
        writeFile(broken, "not a calendar\n");
        const auto removeBroken = qScopeGuard([&] {
            QFile::remove(broken);
            ageStore();
        });
        ageStore();
        QVERIFY(QDir(m_cli.environment().value("XDG_CACHE_HOME")).removeRecursively());
        const CliRun::Result whole = m_cli(arguments);
        QCOMPARE(whole.exitCode, 0);
        QVERIFY(whole.err.contains("broken.ics"));
        QVERIFY(whole.out.contains("BEGIN:VTODO"));
        const CliRun::Result scoped = m_cli(arguments);
        QCOMPARE(scoped.exitCode, 0);
        QCOMPARE(scoped.out, whole.out);
        QCOMPARE(scoped.err.contains("broken.ics"), readsWork);
    }

    void listsAreThoseOfTheWholeStore()
    {
        CliRun cli(QStringLiteral("2026-12-09T10:00"));
        const QString store = cli.storeRoot();
        writeFile(store + "/home/displayname", "Home");
        writeFile(store + "/home/color", "#ff8800");
        writeFile(store + "/home/a.ics", todo("a", "Water the plants"));
        writeFile(store + "/untitled/b.ics", todo("b", "No name"));
        writeFile(store + "/hidden/displayname", "Hidden");
        writeFile(store + "/hidden/c.ics", todo("c", "Out of sight"));
        const auto eventFile = [](int n) {
            return CalendarFiles::eventFile("event-" + QByteArray::number(n), "Meeting",
                                            "20261209T100000", "20261209T110000");
        };
        writeFile(store + "/meetings/displayname", "Meetings");
        for (int n = 0; n < 5; ++n)
            writeFile(store + QStringLiteral("/meetings/e%1.ics").arg(n), eventFile(n));
        // A broken task file neither makes a calendar a list nor takes a list away.
        writeFile(store + "/meetings/broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:x\r\n");
        writeFile(store + "/damaged/displayname", "Damaged");
        writeFile(store + "/damaged/only.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\n");
        // A task among events, its component named in lower case across a folded line.
        writeFile(store + "/mixed/displayname", "Mixed");
        for (int n = 5; n < 9; ++n)
            writeFile(store + QStringLiteral("/mixed/e%1.ics").arg(n), eventFile(n));
        writeFile(store + "/mixed/t.ics",
                  CalendarFiles::calendar(
                      "begin:vto\r\n do\r\nUID:t\r\nSUMMARY:Tucked in\r\nend:vtodo\r\n"));
        writeFile(store + "/empty/displayname", "Empty");
        writeFile(store + "/birthdays/displayname", "Birthdays");
        writeFile(store + "/birthdays/.velmoran-created-for", "VEVENT");
        QCOMPARE(cli({"prefs", "set", "invisibleLists", "[\"hidden\"]"}).exitCode, 0);
        QCOMPARE(cli({"prefs", "set", "visibleLists", "[\"home\",\"untitled\"]"}).exitCode, 0);

        const CliRun::Result json = cli({"lists", "--json"});
        QCOMPARE(json.exitCode, 0);
        Clock clock;
        store::EventStore whole(QStringList{store}, clock);
        const QList<store::CalendarPtr> lists =
            VisibleListCheck::taskListsOf(whole.calendars(), {"home", "untitled"}, {"hidden"});
        QJsonArray expected;
        for (const store::CalendarPtr& list : lists)
            expected.append(QJsonObject{
                {"id", list->calendarIdentifier},
                {"title", list->title},
                {"color", list->color.isValid() ? QJsonValue(list->color.name())
                                                : QJsonValue(QJsonValue::Null)},
                // Lists found since the preferences were written join the visible ones.
                {"visible", list->calendarIdentifier != "hidden"},
            });
        QCOMPARE(json.json(), expected);
        QCOMPARE(lists.size(), 6);

        const QList<QByteArray> lines = cli({"lists"}).out.trimmed().split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines.contains("hidden\tHidden\thidden"));
        QVERIFY(lines.contains("untitled\tuntitled\tvisible"));
    }

private:
    // Every file and folder of the store as changed long ago, so that the parse cache may
    // stand for the folders a command does not read.
    void ageStore() { ageTree(m_cli.storeRoot()); }

    CliRun m_cli{QStringLiteral("2026-12-01T10:00")};
};

VELMORAN_TEST_MAIN(TestCliOneList)
#include "tst_clionelist.moc"

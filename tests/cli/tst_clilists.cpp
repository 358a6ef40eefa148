#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/VisibleListCheck.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace TestFiles;

namespace {

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\n" + body +
           "END:VCALENDAR\r\n";
}

QByteArray eventFile(int n)
{
    return calendar("BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(n) +
                    "\r\nDTSTART:20261209T100000Z\r\nSUMMARY:Meeting\r\nEND:VEVENT\r\n");
}

} // namespace

// velmoran-cli lists reads the folders' metadata and only as many items as it takes to tell a
// task list from a calendar: its answer must be the one the whole store gives.
class TestCliLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
                  calendar("begin:vto\r\n do\r\nUID:t\r\nSUMMARY:Tucked in\r\nend:vtodo\r\n"));
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
};

VELMORAN_TEST_MAIN(TestCliLists)
#include "tst_clilists.moc"

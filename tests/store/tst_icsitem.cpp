#include "IcsLines.h"
#include "TestEnvironment.h"

#include "platform/store/CacheStream.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/TimeZones.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <libical/ical.h>

using namespace store;
using IcsLines::unfolded;
using store::ics::Component;
using store::ics::Property;
using TestEnvironment::local;

Q_DECLARE_METATYPE(store::DateComponents)
Q_DECLARE_METATYPE(store::Alarm)

namespace {

const QTimeZone berlin("Europe/Berlin");

QByteArray todoFile(const QByteArray& body, const QByteArray& newline = "\r\n")
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Test//EN\nBEGIN:VTODO\n"
                      "UID:task-1\nDTSTAMP:20260101T000000Z\nSUMMARY:Task\n" +
                      body + (body.isEmpty() || body.endsWith('\n') ? "" : "\n") +
                      "END:VTODO\nEND:VCALENDAR\n";
    text.replace("\n", newline);
    return text;
}

IcsItem parsed(const QByteArray& bytes)
{
    QString error;
    std::optional<IcsItem> item = IcsItem::parse(bytes, &error);
    if (!item)
        qFatal("refused: %s", qPrintable(error));
    return std::move(*item);
}

void verifyClean(const QByteArray& bytes)
{
    QVERIFY2(!bytes.contains("X-LIC-ERROR"), bytes.constData());
    QVERIFY2(!bytes.contains("freeassociation"), bytes.constData());
}

DateComponents components(int year, int month, int day, int hour = 0, int minute = 0,
                          const QTimeZone& zone = {})
{
    return {year, qint16(month), qint16(day), qint16(hour), qint16(minute), 0, zone};
}

const QDateTime editTime = QDateTime(QDate(2026, 12, 1), QTime(8, 0), QTimeZone::utc());

Component parsedLines(const QByteArray& bytes)
{
    QString error;
    std::optional<Component> document = Component::parseDocument(bytes, &error);
    if (!document)
        qWarning() << "refused:" << error;
    return document ? std::move(*document) : Component();
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

class TestIcsItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

    void reminderWithEveryFieldSurvivesTheRoundTrip()
    {
        Reminder reminder;
        reminder.uid = QStringLiteral("round-trip-1");
        reminder.title = QStringLiteral("Buy milk, eggs; and \\ bread\nand more");
        reminder.notes = QStringLiteral("Notes ☕ with a very long line that has to be folded "
                                        "because it is longer than seventy-five octets");
        reminder.URL = QUrl(QStringLiteral("https://example.com/a?b=c,d;e"));
        reminder.priority = 5;
        reminder.dueDateComponents = components(2026, 12, 6, 9, 30, berlin);
        reminder.startDateComponents = components(2026, 12, 1);
        reminder.creationDate = local(2026, 11, 1, 8, 0);
        reminder.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 6, 9, 0)));
        // Relative alarms of any length, each written with its own largest units.
        for (const double offset : {-900.0, -5400.0, -90061.0, 90.0, 172800.0})
            reminder.addAlarm(Alarm::withRelativeOffset(offset));
        reminder.addAlarm(
            Alarm::withLocation({QStringLiteral("Home, sweet: home"), 52.52, 13.405, 150, true},
                                Alarm::Proximity::Enter));
        reminder.addAlarm(Alarm::withLocation({QStringLiteral("Office"), 40.443, -79.945, 0, true},
                                              Alarm::Proximity::Leave));
        reminder.addRecurrenceRule(
            *Recurrence::parseRule("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;COUNT=10"));

        const QByteArray bytes = IcsItem::fromReminder(reminder, editTime).serialize();
        verifyClean(bytes);
        const QList<QByteArray> lines = unfolded(bytes);
        QVERIFY(lines.contains("CREATED:20261101T070000Z"));
        for (const char* trigger : {"-PT15M", "-PT1H30M", "-P1DT1H1M1S", "PT1M30S", "P2D"})
            QVERIFY2(lines.contains(QByteArray("TRIGGER;RELATED=END:") + trigger), trigger);
        // Location alarms as phones write them.
        QVERIFY(lines.contains("TRIGGER;VALUE=DATE-TIME:19760401T005545Z"));
        QVERIFY(lines.contains("X-APPLE-PROXIMITY:DEPART"));
        QVERIFY(lines.contains("X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=150;X-TITLE="
                               "\"Home, sweet: home\":geo:52.52,13.405"));
        QVERIFY(!bytes.contains("SEQUENCE")); // a new item is at its first version

        const IcsItem item = parsed(bytes);
        const Reminder back = item.toReminder();
        QCOMPARE(
            QStringList({item.uid(), back.title, back.notes, back.URL.toString()}),
            QStringList({reminder.uid, reminder.title, reminder.notes, reminder.URL.toString()}));
        QCOMPARE(
            std::tuple(back.priority, back.creationDate, back.lastModifiedDate, back.completed),
            std::tuple(5, reminder.creationDate, editTime, false));
        QCOMPARE(back.dueDateComponents, reminder.dueDateComponents);
        QCOMPARE(back.startDateComponents, reminder.startDateComponents);
        QCOMPARE(back.alarms.size(), reminder.alarms.size());
        for (qsizetype i = 0; i < back.alarms.size(); ++i) {
            QVERIFY2(back.alarms.at(i).sameContent(reminder.alarms.at(i)),
                     qPrintable(QString::number(i)));
            QVERIFY(lines.contains("X-WR-ALARMUID:" + back.alarms.at(i).uid.toUtf8()));
        }
        QCOMPARE(back.recurrenceRules, reminder.recurrenceRules);

        // Saving what was read changes nothing, not even the stamps.
        IcsItem again = item;
        again.applyReminder(back, editTime.addDays(3));
        QCOMPARE(again.serialize(), bytes);
    }

    void readsDueDates_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected"); // yyyy-MM-dd HH:mm zone, or empty for none
        QTest::newRow("date") << QByteArray("DUE;VALUE=DATE:20261206") << "2026-12-06 00:00 ";
        QTest::newRow("date without VALUE") << QByteArray("DUE:20261206") << "2026-12-06 00:00 ";
        QTest::newRow("zoned") << QByteArray("DUE;TZID=Europe/Berlin:20261206T093000")
                               << "2026-12-06 09:30 Europe/Berlin";
        QTest::newRow("todoman") << QByteArray(
                                        "DUE;VALUE=DATE-TIME;TZID=Europe/Berlin:20261206T093000")
                                 << "2026-12-06 09:30 Europe/Berlin";
        QTest::newRow("quoted zone") << QByteArray("DUE;TZID=\"America/New_York\":20261206T093000")
                                     << "2026-12-06 09:30 America/New_York";
        QTest::newRow("utc") << QByteArray("DUE:20261206T083000Z") << "2026-12-06 08:30 UTC";
        QTest::newRow("utc, as todoman writes it")
            << QByteArray("DUE;VALUE=DATE-TIME:20261206T083000Z") << "2026-12-06 08:30 UTC";
        QTest::newRow("floating") << QByteArray("DUE:20261206T093000") << "2026-12-06 09:30 ";
        QTest::newRow("unknown zone")
            << QByteArray("DUE;TZID=Mars/Olympus:20261206T093000") << "2026-12-06 09:30 ";
        QTest::newRow("zone only the file defines")
            << QByteArray("DUE;TZID=My Office:20260715T093000\nEND:VTODO\nBEGIN:VTIMEZONE\n"
                          "TZID:My Office\nBEGIN:STANDARD\nDTSTART:19701025T030000\n"
                          "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\nTZOFFSETFROM:+0600\n"
                          "TZOFFSETTO:+0500\nEND:STANDARD\nBEGIN:DAYLIGHT\n"
                          "DTSTART:19700329T020000\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\n"
                          "TZOFFSETFROM:+0500\nTZOFFSETTO:+0600\nEND:DAYLIGHT\nEND:VTIMEZONE\n"
                          "BEGIN:VTODO\nUID:second")
            << "2026-07-15 03:30 UTC";
        // Midnight is a day without a time of day, as a save writes it: the day as written.
        QTest::newRow("midnight in a zone")
            << QByteArray("DUE;TZID=Asia/Tokyo:20261206T000000") << "2026-12-06 00:00 ";
        QTest::newRow("midnight in utc, with seconds")
            << QByteArray("DUE:20261206T000030Z") << "2026-12-06 00:00 ";
        QTest::newRow("no such date") << QByteArray("DUE:20261340T093000") << "";
        QTest::newRow("no date at all") << QByteArray("DUE:tomorrow") << "";
        QTest::newRow("no value") << QByteArray("DUE;TZID=Europe/Berlin") << "";
    }
    void readsDueDates()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        const Reminder reminder = parsed(todoFile(body)).toReminder();
        QCOMPARE(reminder.title, QStringLiteral("Task"));
        if (expected.isEmpty()) {
            QVERIFY(!reminder.dueDateComponents || !reminder.dueDateComponents->isValid());
            return;
        }
        QVERIFY(reminder.dueDateComponents);
        const DateComponents& due = *reminder.dueDateComponents;
        QCOMPARE(due.date().toString(Qt::ISODate) +
                     QTime(due.hour, due.minute).toString(" HH:mm ") +
                     QString::fromUtf8(due.timeZone.id()),
                 expected);
    }

    void writesDueDates_data()
    {
        QTest::addColumn<DateComponents>("due");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("withZone");
        QTest::newRow("date") << components(2026, 12, 6) << QByteArray("DUE;VALUE=DATE:20261206")
                              << false;
        QTest::newRow("midnight in a zone is a date")
            << components(2026, 12, 6, 0, 0, berlin) << QByteArray("DUE;VALUE=DATE:20261206")
            << false;
        QTest::newRow("zoned") << components(2026, 12, 6, 9, 30, berlin)
                               << QByteArray("DUE;TZID=Europe/Berlin:20261206T093000") << true;
        QTest::newRow("another zone") << components(2026, 12, 6, 9, 30, QTimeZone("Asia/Tokyo"))
                                      << QByteArray("DUE;TZID=Asia/Tokyo:20261206T093000") << true;
        QTest::newRow("utc") << components(2026, 12, 6, 9, 30, QTimeZone::utc())
                             << QByteArray("DUE:20261206T093000Z") << false;
        QTest::newRow("fixed offset in utc") << components(2026, 12, 6, 9, 30, QTimeZone(3600))
                                             << QByteArray("DUE:20261206T083000Z") << false;
        QTest::newRow("floating") << components(2026, 12, 6, 9, 30)
                                  << QByteArray("DUE:20261206T093000") << false;
    }
    void writesDueDates()
    {
        QFETCH(DateComponents, due);
        QFETCH(QByteArray, line);
        QFETCH(bool, withZone);
        const QByteArray before =
            todoFile("DUE;VALUE=DATE-TIME;TZID=Europe/Berlin:20250101T100000\n"
                     "X-KEEP;X-PARAM=\"a;b\":value",
                     "\n");
        IcsItem item = parsed(before);
        Reminder edited = item.toReminder();
        edited.dueDateComponents = due;
        edited.startDateComponents = due;
        item.applyReminder(edited, editTime);
        const QByteArray after = item.serialize();
        verifyClean(after);
        QVERIFY2(!after.contains('\r'), "a file keeps its own line endings");
        const QList<QByteArray> lines = unfolded(after);
        QVERIFY2(lines.contains(line), after.constData());
        QCOMPARE(lines.indexOf(line) - lines.indexOf("BEGIN:VTODO"), 4); // where the old due was
        QVERIFY(lines.contains("DTSTART" + line.mid(3)));
        QCOMPARE(after.count("BEGIN:VTIMEZONE"), withZone ? 1 : 0);
        edited.dueDateComponents->day = 7; // a second save of the zone defines it once still
        item.applyReminder(edited, editTime);
        QCOMPARE(item.serialize().count("BEGIN:VTIMEZONE"), withZone ? 1 : 0);
        if (withZone) // before the task, where readers look for it first
            QVERIFY(after.indexOf("BEGIN:VTIMEZONE") < after.indexOf("BEGIN:VTODO"));
        QVERIFY(lines.contains("X-KEEP;X-PARAM=\"a;b\":value"));
        const Reminder back = parsed(after).toReminder();
        QVERIFY(back.dueDateComponents);
        QCOMPARE(back.dueDateComponents->toDateTime(), due.toDateTime());

        // Removing the due date removes its line.
        IcsItem undated = parsed(after);
        edited = undated.toReminder();
        edited.dueDateComponents.reset();
        undated.applyReminder(edited, editTime);
        QVERIFY(!undated.serialize().contains("\nDUE"));
        QVERIFY(!undated.toReminder().dueDateComponents);
    }

    void titleEditChangesOnlyItsLines()
    {
        const QByteArray before = todoFile(
            "SEQUENCE:3\nLAST-MODIFIED:20250101T000000Z\nCATEGORIES:Meeting\\, John,Work\n"
            "X-UNKNOWN;X-PARAM=\"a:b\";LANGUAGE=de:Wert\nDESCRIPTION:A long text that is folded "
            "on\n purpose over two lines\nRRULE:FREQ=HOURLY;INTERVAL=2\nBEGIN:X-THING\nFOO:bar\n"
            "END:X-THING\nBEGIN:VALARM\nACTION:AUDIO\nTRIGGER;RELATED=START:PT-2H\nEND:VALARM\n");
        IcsItem item = parsed(before);
        Reminder edited = item.toReminder();
        QVERIFY(edited.recurrenceRules.isEmpty()); // hourly is refused for tasks ...
        QVERIFY(edited.alarms.isEmpty());          // ... and so is a malformed trigger

        item.applyReminder(edited, editTime);
        QCOMPARE(item.serialize(), before);

        edited.title = QStringLiteral("Renamed, with comma");
        item.applyReminder(edited, editTime);
        const QByteArray after = item.serialize();
        // Only the title changes, in place (tst_corpus_roundtrip); the stamps are renewed.
        const QList<QByteArray> lines = unfolded(after);
        QVERIFY(lines.contains("SUMMARY:Renamed\\, with comma"));
        for (const char* stamp :
             {"DTSTAMP:20261201T080000Z", "SEQUENCE:4", "LAST-MODIFIED:20261201T080000Z"})
            QVERIFY2(lines.count(stamp) == 1, stamp);
        for (const char* stale :
             {"DTSTAMP:20260101T000000Z", "SEQUENCE:3", "LAST-MODIFIED:20250101T000000Z"})
            QVERIFY2(!lines.contains(stale), stale);
        QVERIFY(after.contains("folded on\r\n purpose"));
    }

    // Values out of range read clamped and addresses that are no URL read as none; either way
    // the line stays as another program wrote it until the field is edited, and a task is
    // never written with an empty URL line.
    void readsOddValuesAndKeepsTheirLines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected"); // priority, completed, completion date, URL
        QTest::newRow("too high") << QByteArray("PRIORITY:12") << "9 0  ";
        QTest::newRow("negative") << QByteArray("PRIORITY:-3") << "0 0  ";
        QTest::newRow("not a number") << QByteArray("PRIORITY:high") << "0 0  ";
        QTest::newRow("status") << QByteArray("STATUS:COMPLETED") << "0 1  ";
        QTest::newRow("completed stamp")
            << QByteArray("COMPLETED:20261130T120000Z") << "0 1 2026-11-30T12:00:00Z ";
        QTest::newRow("percent") << QByteArray("PERCENT-COMPLETE:100") << "0 1  ";
        QTest::newRow("partly done")
            << QByteArray("PERCENT-COMPLETE:60\nSTATUS:IN-PROCESS") << "0 0  ";
        QTest::newRow("web address")
            << QByteArray("URL:https://example.org/a?b=1") << "0 0  https://example.org/a?b=1";
        QTest::newRow("port that is text")
            << QByteArray("URL:http://LAST-MODIFIED:TTTT for TZOFFSETTO:+0200") << "0 0  ";
        QTest::newRow("blank URL") << QByteArray("URL:") << "0 0  ";
    }
    void readsOddValuesAndKeepsTheirLines()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        const QByteArray bytes = todoFile(body);
        IcsItem item = parsed(bytes);
        Reminder reminder = item.toReminder();
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(reminder.priority)
                     .arg(int(reminder.completed))
                     .arg(reminder.completionDate.toUTC().toString(Qt::ISODate),
                          reminder.URL.toString()),
                 expected);
        item.applyReminder(reminder, editTime);
        QCOMPARE(item.serialize(), bytes);
        reminder.title = QStringLiteral("Renamed");
        item.applyReminder(reminder, editTime);
        QVERIFY(unfolded(item.serialize()).contains(unfolded(body).first()));

        const QByteArray fresh = IcsItem::fromReminder(reminder, editTime).serialize();
        QCOMPARE(parsed(fresh).toReminder().URL, reminder.URL);
        QCOMPARE(fresh.contains("\r\nURL:"), !reminder.URL.isEmpty());
    }

    void completes()
    {
        const QByteArray before = todoFile("STATUS:NEEDS-ACTION\nPERCENT-COMPLETE:40");
        IcsItem item = parsed(before);
        Reminder edited = item.toReminder();
        edited.setCompleted(true, local(2026, 12, 2, 18, 0));
        item.applyReminder(edited, editTime);
        const QByteArray after = item.serialize();
        const QList<QByteArray> lines = unfolded(after);
        QVERIFY(lines.contains("COMPLETED:20261202T170000Z"));
        QVERIFY(lines.contains("PERCENT-COMPLETE:100"));
        QCOMPARE(lines.indexOf("STATUS:COMPLETED"), 7); // in place of NEEDS-ACTION
        QCOMPARE(parsed(after).toReminder().completionDate, local(2026, 12, 2, 18, 0));
        // (Reopening is tst_cliedit's.)

        // Completing without a date takes the time of the save.
        item = parsed(todoFile(""));
        edited = item.toReminder();
        edited.completed = true;
        item.applyReminder(edited, editTime);
        QCOMPARE(item.toReminder().completionDate, editTime);
    }

    void readsAlarms_data()
    {
        QTest::addColumn<QByteArray>("valarm");
        QTest::addColumn<QList<Alarm>>("expected"); // none, or the one alarm read
        // Each alarm after the same due and start dates.
        const auto row = [](const char* name, const QByteArray& valarm, QList<Alarm> expected) {
            QTest::newRow(name) << "DUE;TZID=Europe/Berlin:20261206T100000\n"
                                   "DTSTART;TZID=Europe/Berlin:20261206T090000\nBEGIN:VALARM\n"
                                   "ACTION:DISPLAY\nDESCRIPTION:x\n" +
                                       valarm
                                << expected;
        };
        const auto place = [](const QString& title, double latitude, double longitude,
                              double radius, Alarm::Proximity proximity, const char* uid = "") {
            Alarm alarm =
                Alarm::withLocation({title, latitude, longitude, radius, true}, proximity);
            alarm.uid = QString::fromLatin1(uid);
            return QList{alarm};
        };
        const auto relative = [](double seconds) {
            return QList{Alarm::withRelativeOffset(seconds)};
        };
        const QList absolute{Alarm::withAbsoluteDate(local(2026, 12, 6, 9, 0))};
        using P = Alarm::Proximity;
        row("relative", "TRIGGER:-PT15M", relative(-900));
        row("relative to the end", "TRIGGER;RELATED=END:-P2D", relative(-172800));
        row("relative to the start", "TRIGGER;RELATED=START:-PT15M", relative(-4500));
        row("days and minutes", "TRIGGER:P1DT25M", relative(87900));
        row("absolute", "TRIGGER;VALUE=DATE-TIME:20261206T080000Z", absolute);
        row("absolute without VALUE", "TRIGGER:20261206T080000Z", absolute);
        row("malformed duration", "TRIGGER:PT-2H", {});
        row("no trigger", "ACTION:AUDIO", {});
        row("sentinel without a place", "TRIGGER;VALUE=DATE-TIME:19760401T005545Z", {});
        row("apple location",
            "UID:A1\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\n"
            "X-APPLE-PROXIMITY:ARRIVE\nX-APPLE-STRUCTURED-LOCATION;VALUE=URI;"
            "X-APPLE-RADIUS=150;X-TITLE=\"Home, sweet\":geo:52.52,13.405",
            place("Home, sweet", 52.52, 13.405, 150, P::Enter, "A1"));
        row("escaped comma",
            "X-APPLE-PROXIMITY:DEPART\nX-APPLE-STRUCTURED-LOCATION;VALUE=URI;"
            "X-TITLE=Work:geo:52.52\\,13.405",
            place("Work", 52.52, 13.405, 0, P::Leave));
        row("vlocation",
            "X-WR-ALARMUID:B2\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\n"
            "PROXIMITY:DEPART\nBEGIN:VLOCATION\nUID:123\nNAME:Office\n"
            "URL:geo:40.443,-79.945;u=10\nEND:VLOCATION",
            place("Office", 40.443, -79.945, 10, P::Leave, "B2"));
        row("vlocation with geo",
            "PROXIMITY:ARRIVE\nBEGIN:VLOCATION\nNAME:Capitol\nGEO:38.90;-77.01\n"
            "END:VLOCATION",
            place("Capitol", 38.9, -77.01, 0, P::Enter));
        row("geo in the alarm", "PROXIMITY:ARRIVE\nGEO:38.90;-77.01",
            place("", 38.9, -77.01, 0, P::Enter));
        // Folded inside a parameter, with a tab, and between the two bytes of "ö".
        row("address as title",
            "X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-ADDRESS=\"R\xC3\n \xB6"
            "adstar 16\\n12764 Happyvi\n\tlle\";X-APPLE-RADIUS=49.913058665846\n 98;X-TITLE=:"
            "geo:52.382762,7.528319",
            place(QStringLiteral("Röadstar 16, 12764 Happyville"), 52.382762, 7.528319,
                  49.91305866584698, P::None));
        row("vehicle proximity", "PROXIMITY:CONNECT\nTRIGGER:-PT5M", {});
    }
    void readsAlarms()
    {
        QFETCH(QByteArray, valarm);
        QFETCH(QList<Alarm>, expected);
        const QByteArray bytes = todoFile(valarm + "\nEND:VALARM");
        IcsItem item = parsed(bytes);
        const Reminder reminder = item.toReminder();
        QCOMPARE(reminder.alarms.size(), expected.size());
        for (const Alarm& alarm : std::as_const(expected)) {
            QVERIFY(reminder.alarms.first().sameContent(alarm));
            if (alarm.isLocationAlarm())
                QCOMPARE(reminder.alarms.first().uid, alarm.uid);
        }
        // Whether shown or not, an alarm nobody touched stays as it was.
        Reminder edited = reminder;
        edited.title = QStringLiteral("Other");
        item.applyReminder(edited, editTime);
        QVERIFY(item.serialize().contains(
            bytes.mid(bytes.indexOf("BEGIN:VALARM"),
                      bytes.indexOf("END:VALARM") - bytes.indexOf("BEGIN:VALARM"))));
    }

    void editsAlarmsOneByOne()
    {
        const QByteArray kept = "BEGIN:VALARM\nUID:KEEP\nACTION:DISPLAY\nDESCRIPTION:Keep me\n"
                                "TRIGGER;RELATED=END:-PT30M\nX-SOMETHING:custom\nEND:VALARM\n";
        const QByteArray vehicle = "BEGIN:VALARM\nACTION:DISPLAY\nPROXIMITY:CONNECT\n"
                                   "TRIGGER:-PT5M\nEND:VALARM\n";
        const QByteArray before =
            todoFile("DUE:20261206T100000Z\nBEGIN:VALARM\nUID:DROP\nACTION:AUDIO\n"
                     "TRIGGER;VALUE=DATE-TIME:20261206T090000Z\nEND:VALARM\n" +
                     kept + vehicle);
        IcsItem item = parsed(before);
        Reminder edited = item.toReminder();
        QCOMPARE(edited.alarms.size(), 2);
        edited.removeAlarm(0);
        edited.addAlarm(Alarm::withRelativeOffset(-3600));
        item.applyReminder(edited, editTime);
        const QByteArray after = item.serialize();
        QVERIFY(after.contains(QByteArray(kept).replace("\n", "\r\n")));
        QVERIFY(after.contains(QByteArray(vehicle).replace("\n", "\r\n")));
        QVERIFY(!after.contains("DROP"));
        QVERIFY(after.contains("TRIGGER;RELATED=END:-PT1H\r\n"));
        const QList<QByteArray> lines = unfolded(after);
        QVERIFY(lines.indexOf("TRIGGER;RELATED=END:-PT1H") > lines.indexOf("PROXIMITY:CONNECT"));
        const Reminder back = item.toReminder();
        QCOMPARE(back.alarms.size(), 2);
        QCOMPARE(back.alarms.at(0).uid, QStringLiteral("KEEP"));
        QCOMPARE(back.alarms.at(1).relativeOffset, -3600.0);
    }

    // A task keeps its alarms, rules, parent and dates in the room a task without them needs:
    // an edit of a copy (what every save starts from) must still leave the task it was copied
    // from as it was, and a field emptied by the edit must read as one never set.
    void aCopyOfATaskIsEditedAlone()
    {
        Reminder task = parsed(todoFile("DUE;VALUE=DATE:20261206\nRRULE:FREQ=DAILY;COUNT=3\n"
                                        "RELATED-TO:parent-1\nBEGIN:VALARM\nACTION:DISPLAY\n"
                                        "TRIGGER:-PT5M\nEND:VALARM\n"))
                            .toReminder();
        QCOMPARE(task.parentUid, QStringLiteral("parent-1"));
        const Reminder before = task;
        QCOMPARE(before.alarms.first().relativeOffset, -300.0);

        Reminder edited = task;
        edited.removeAlarm(0);
        edited.recurrenceRules.first().interval = 2;
        edited.parentUid.clear();
        edited.dueDateComponents->day = 7;
        edited.startDateComponents = components(0, 0, 0); // held, though no valid date
        QCOMPARE(task.alarms.size(), 1);
        QCOMPARE(task.recurrenceRules.first().interval, 1);
        QCOMPARE(task.parentUid, QStringLiteral("parent-1"));
        QCOMPARE(task.dueDateComponents->day, 6);
        QVERIFY(!task.startDateComponents);
        QCOMPARE(task.alarms.first().relativeOffset, before.alarms.first().relativeOffset);

        QVERIFY(edited.alarms.isEmpty());
        QVERIFY(edited.parentUid == Reminder().parentUid);
        QVERIFY(edited.startDateComponents.has_value());
        QVERIFY(edited.startDateComponents != Reminder().startDateComponents);
        const std::optional<DateComponents> start = edited.startDateComponents;
        QVERIFY(start && start->year == 0);
        edited.startDateComponents = std::optional<DateComponents>();
        QVERIFY(edited.startDateComponents == std::nullopt);

        // What the edit wrote reads back as the edit.
        IcsItem item = parsed(todoFile("DUE;VALUE=DATE:20261206\nRELATED-TO:parent-1\n"));
        item.applyReminder(edited, editTime);
        const Reminder back = parsed(item.serialize()).toReminder();
        QVERIFY(back.parentUid.isEmpty());
        QVERIFY(back.alarms.isEmpty());
        QCOMPARE(back.recurrenceRules.size(), 1);
        QCOMPARE(back.recurrenceRules.first().interval, 2);
        QCOMPARE(back.dueDateComponents->day, 7);
    }

    // Notes are kept in one byte a character while every character is Latin-1, in two
    // otherwise: either way they read back as they were and compare as the text does, and a
    // copy keeps its text when the original takes another.
    void notesReadBackInEitherForm()
    {
        const QString texts[] = {QString(),
                                 QStringLiteral(""),
                                 QStringLiteral("plain"),
                                 QStringLiteral("Müller zahlt 5 µg, ÿ"),
                                 QStringLiteral("Ā is past Latin-1"),
                                 QString::fromUcs4(U"note \U0001F600"),
                                 QString(QChar(0xD800)) + QStringLiteral(" lone half"),
                                 QString(300, u'x')};
        for (const QString& text : texts) {
            const CompactText kept(text);
            QCOMPARE(kept.toString(), text);
            QCOMPARE(kept.size(), text.size());
            QCOMPARE(kept.isEmpty(), text.isEmpty());
            QVERIFY(kept == text);
            QVERIFY(text == kept);
            for (const QString& other : texts)
                QCOMPARE(kept == CompactText(other), text == other);
        }
        QVERIFY(CompactText().toString().isNull());

        // The parse cache keeps each in the same form and reads it back as it was.
        QByteArray cached;
        CacheWriter out(cached);
        for (const QString& text : texts)
            out.text(CompactText(text));
        CacheReader in(cached.constData(), cached.constData() + cached.size());
        QString room;
        for (const QString& text : texts) {
            const char* at = in.skipText();
            QVERIFY(in.ok());
            CompactText back(QStringLiteral("earlier"));
            CacheReader::textAt(at, back, room);
            QVERIFY(back == CompactText(text));
        }
        QVERIFY(in.atEnd());
        // Latin-1 in one byte a character ("plain", "Müller…", the x's), the rest in two.
        QCOMPARE(cached.size(), 8 * 4 + 5 + 20 + 2 * 17 + 2 * 7 + 2 * 11 + 300);
        // A count past the end is damage, not a text.
        const QByteArray damaged = cached.left(4 * 3 + 5 + 4 + 10);
        CacheReader cut(damaged.constData(), damaged.constData() + damaged.size());
        for (int i = 0; i < 4; ++i)
            cut.skipText();
        QVERIFY(!cut.ok());

        CompactText notes(QString(300, u'x'));
        const CompactText copy = notes;
        notes.assign(u"short, and Ā");
        notes.assign(u"shorter");
        QCOMPARE(notes.toString(), QStringLiteral("shorter"));
        QCOMPARE(notes.size(), 7);
        QCOMPARE(copy.toString(), QString(300, u'x'));
        const CompactText shorter = notes;
        notes.assign(u"wide: Ā");
        QCOMPARE(notes.toString(), QStringLiteral("wide: Ā"));
        QCOMPARE(shorter.toString(), QStringLiteral("shorter"));

        // A copy shares the characters until either takes another text; a text may take a
        // part of its own characters, which stay until it holds the new ones.
        CompactText title(QStringLiteral("Ābc, and more"));
        CompactText same = title;
        QVERIFY(same.sharesCharactersWith(title));
        title.assign(title.visit([](auto view) -> QStringView {
            if constexpr (std::is_same_v<decltype(view), QStringView>)
                return view.first(3);
            return {};
        }));
        QCOMPARE(title.toString(), QStringLiteral("Ābc"));
        QCOMPARE(same.toString(), QStringLiteral("Ābc, and more"));
        QVERIFY(!same.sharesCharactersWith(title));
        const CompactText moved = std::move(same);
        QCOMPARE(moved.toString(), QStringLiteral("Ābc, and more"));
        QVERIFY(same.isEmpty()); // NOLINT: moved from, left empty on purpose
        QVERIFY(CompactText(QStringLiteral("abc")) != CompactText(QStringLiteral("abd")));
        QVERIFY(CompactText(QStringLiteral("ab")) != CompactText(QStringLiteral("ab\u0101")));
    }

    // A rule on a task without a due or start date has no series to take the form of its
    // end from; it keeps the form it was written in. Otherwise an UNTIL whose form does not
    // match the task's dates is read as a save writes it: a DATE for an all-day task, the end
    // of that day for a timed one. The task then reads the same before and after it is
    // written, and the file keeps its line until the rule changes.
    void ruleEndsReadAsTheyAreWritten_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QDateTime>("end"); // invalid: as written
        QTest::addColumn<bool>("endIsAllDay");
        QTest::newRow("no dates, end on a day")
            << QByteArray("RRULE:FREQ=WEEKLY;UNTIL=20160925") << QDateTime() << false;
        QTest::newRow("no dates, end at an instant")
            << QByteArray("RRULE:FREQ=WEEKLY;UNTIL=20160925T060000Z") << QDateTime() << false;
        QTest::newRow("no dates, end by count")
            << QByteArray("RRULE:FREQ=DAILY;COUNT=3") << QDateTime() << false;
        QTest::newRow("instant on an all-day task")
            << QByteArray("DUE;VALUE=DATE:20070501\nRRULE:FREQ=WEEKLY;UNTIL=20140806T060000Z")
            << local(2014, 8, 6) << true;
        QTest::newRow("day on a timed task")
            << QByteArray("DUE:20070501T100000\nRRULE:FREQ=WEEKLY;UNTIL=20140806")
            << local(2014, 8, 6, 23, 59, 59) << false;
    }
    void ruleEndsReadAsTheyAreWritten()
    {
        QFETCH(QByteArray, body);
        QFETCH(QDateTime, end);
        QFETCH(bool, endIsAllDay);
        const QByteArray bytes = todoFile(body);
        IcsItem item = parsed(bytes);
        const Reminder reminder = item.toReminder();
        QCOMPARE(reminder.recurrenceRules.size(), 1);
        const QByteArray fresh = IcsItem::fromReminder(reminder, editTime).serialize();
        QCOMPARE(parsed(fresh).toReminder().recurrenceRules, reminder.recurrenceRules);
        if (!end.isValid()) {
            QVERIFY2(unfolded(fresh).contains(body), fresh.constData());
            return;
        }
        QCOMPARE(reminder.recurrenceRules.first().recurrenceEnd->endDate, end);
        QCOMPARE(reminder.recurrenceRules.first().recurrenceEnd->endDateIsAllDay, endIsAllDay);
        item.applyReminder(reminder, editTime);
        QCOMPARE(item.serialize(), bytes);
    }

    void keepsRulesItCannotShow()
    {
        const QByteArray before = todoFile("DUE;VALUE=DATE:20261206\nRRULE:FREQ=MINUTELY;COUNT=5\n"
                                           "RRULE:FREQ=WEEKLY;BYDAY=MO");
        IcsItem item = parsed(before);
        Reminder edited = item.toReminder();
        QCOMPARE(edited.recurrenceRules.size(), 1);
        QCOMPARE(edited.recurrenceRules.first().frequency, RecurrenceRule::Frequency::Weekly);

        const RecurrenceRule yearly = *Recurrence::parseRule("FREQ=YEARLY;UNTIL=20301206");
        edited.recurrenceRules = {yearly};
        item.applyReminder(edited, editTime);
        const QList<QByteArray> lines = unfolded(item.serialize());
        QVERIFY(lines.contains("RRULE:FREQ=MINUTELY;COUNT=5"));
        const qsizetype rule = lines.indexOf("RRULE:FREQ=MINUTELY;COUNT=5") + 1;
        QCOMPARE(lines.at(rule), "RRULE:FREQ=YEARLY;BYMONTH=12;UNTIL=20301206");
        QCOMPARE(item.toReminder().recurrenceRules.size(), 1);

        edited.recurrenceRules.clear();
        item.applyReminder(edited, editTime);
        QCOMPARE(item.serialize().count("RRULE"), 1);
        // A task shown without a rule that gets one repeats by it alone, in every program.
        edited.recurrenceRules = {yearly};
        item.applyReminder(edited, editTime);
        QCOMPARE(item.serialize().count("RRULE"), 1);
        QVERIFY(item.serialize().contains("RRULE:FREQ=YEARLY"));
    }

    void setUidMovesOverridesAlong()
    {
        IcsItem item = parsed("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\nEND:VEVENT\nBEGIN:VEVENT\n"
                              "UID:a\nRECURRENCE-ID:20260101T100000Z\nEND:VEVENT\nBEGIN:VEVENT\n"
                              "UID:b\nEND:VEVENT\nEND:VCALENDAR\n");
        item.setUid(QStringLiteral("new"));
        QCOMPARE(item.serialize().count("UID:new\n"), 2);
        QCOMPARE(item.serialize().count("UID:b\n"), 1);
    }

    void namesOfZones_data()
    {
        QTest::addColumn<QByteArray>("tzid");
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("iana") << QByteArray("Europe/Berlin") << QByteArray("Europe/Berlin");
        QTest::newRow("three parts") << QByteArray("America/Argentina/Buenos_Aires")
                                     << QByteArray("America/Argentina/Buenos_Aires");
        QTest::newRow("link") << QByteArray("US/Eastern") << QByteArray("US/Eastern");
        QTest::newRow("blanks around") << QByteArray(" Asia/Tokyo ") << QByteArray("Asia/Tokyo");
        QTest::newRow("windows") << QByteArray("Eastern Standard Time")
                                 << QByteArray("America/New_York");
        QTest::newRow("libical prefix")
            << QByteArray("/freeassociation.sourceforge.net/Tzfile/Europe/London")
            << QByteArray("Europe/London");
        QTest::newRow("mozilla prefix")
            << QByteArray("/mozilla.org/20070129_1/Asia/Kolkata") << QByteArray("Asia/Kolkata");
        QTest::newRow("unknown") << QByteArray("Nowhere") << QByteArray();
        QTest::newRow("posix rule") << QByteArray("ABC5DEF") << QByteArray();
        QTest::newRow("outside the database") << QByteArray("../../../etc/passwd") << QByteArray();
        QTest::newRow("absolute path") << QByteArray("/etc/passwd") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void namesOfZones()
    {
        QFETCH(QByteArray, tzid);
        QFETCH(QByteArray, zone);
        QCOMPARE(ics::zoneForTzid(tzid).id(), zone);
    }

    // What other programs make of the zones we write: libical reads them back and must find the
    // offsets the tz database has, through the year written and the ones after it.
    void writtenZonesAgreeWithTheDatabase_data()
    {
        QTest::addColumn<QByteArray>("zone");
        for (const char* zone :
             {"Europe/Berlin", "America/New_York", "Australia/Sydney", "Asia/Tokyo",
              "America/Sao_Paulo", "Europe/London", "Europe/Dublin", "Pacific/Chatham",
              "Asia/Tehran", "Asia/Jerusalem", "America/Santiago", "Africa/Casablanca",
              "Asia/Kolkata", "America/St_Johns", "Pacific/Auckland", "Asia/Gaza"})
            QTest::newRow(zone) << QByteArray(zone);
    }
    void writtenZonesAgreeWithTheDatabase()
    {
        QFETCH(QByteArray, zone);
        const QTimeZone system(zone);
        QVERIFY(system.isValid());
        const QByteArray text = ics::makeTimeZone(system, 2026, "\r\n").serialize();
        QVERIFY(text.contains("\r\nTZID:" + zone + "\r\n"));
        QVERIFY(!text.contains("X-LIC"));

        icalcomponent* component = icalparser_parse_string(text.constData());
        QVERIFY(component);
        QCOMPARE(icalcomponent_isa(component), ICAL_VTIMEZONE_COMPONENT);
        icaltimezone* parsed = icaltimezone_new();
        QVERIFY(icaltimezone_set_component(parsed, component));

        const QDateTime end(QDate(2029, 1, 1), QTime(0, 0), QTimeZone::utc());
        int mismatches = 0;
        for (QDateTime at(QDate(2026, 1, 1), QTime(0, 30), QTimeZone::utc()); at < end;
             at = at.addSecs(5 * 3600 + 17 * 60)) {
            icaltimetype utc = icaltime_from_timet_with_zone(at.toSecsSinceEpoch(), 0,
                                                             icaltimezone_get_utc_timezone());
            int isDaylight = 0;
            const int offset = icaltimezone_get_utc_offset_of_utc_time(parsed, &utc, &isDaylight);
            if (offset != system.offsetFromUtc(at) && ++mismatches < 4)
                qWarning() << zone << at << offset << system.offsetFromUtc(at);
        }
        icaltimezone_free(parsed, 1);
        QCOMPARE(mismatches, 0);
    }

    // --- Content lines: the bytes as written, names, parameters and values -------------------

    void roundTripIsByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
        QTest::newRow("lf, no final newline")
            << QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nEND:VCALENDAR");
        QTest::newRow("mixed endings") << QByteArray("BEGIN:A\r\nX:1\nY:2\r\nEND:A\n");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        QTest::newRow("folds with space and tab")
            << QByteArray("BEGIN:VTODO\r\nSUMMARY:one\r\n  two\r\n\tthree\r\nEND:VTODO\r\n");
        QTest::newRow("lone CR, NUL and invalid UTF-8")
            << QByteArray("BEGIN:VTODO\nSUMMARY:a\rb\0c\xff\xfe\nEND:VTODO\n", 38);
        QTest::newRow("blank and junk lines inside")
            << QByteArray("BEGIN:VTODO\r\n\r\nno colon here\r\n;;;\r\nEND:VTODO\r\n\r\n");
        QTest::newRow("several top-level components")
            << QByteArray("BEGIN:VEVENT\nEND:VEVENT\nBEGIN:X-THING\nA:b\nEND:X-THING\n");
        QTest::newRow("lower-case names, END with trailing blank")
            << QByteArray("begin:vtodo\r\nsummary:x\r\nend:VTODO \r\n");
        QTest::newRow("comment after the calendar")
            << QByteArray("BEGIN:VCALENDAR\nEND:VCALENDAR\nX-COMMENT:Cached\n");
        QTest::newRow("deep nesting") << QByteArray("BEGIN:A\nBEGIN:B\nBEGIN:C\nBEGIN:D\nZ:1\n"
                                                    "END:D\nEND:C\nEND:B\nEND:A\n");
    }
    void roundTripIsByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        std::optional<Component> document = Component::parseDocument(bytes, nullptr);
        QVERIFY(document);
        QCOMPARE(document->serialize(), bytes);
        QCOMPARE(document->serializedSize(), bytes.size());
        const Component copy = *document; // deep copies serialize the same
        QCOMPARE(copy.serialize(), bytes);
    }

    void refusesWhatIsNoCalendar_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n");
        QTest::newRow("missing END")
            << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nEND:VTODO\r\n");
        QTest::newRow("mismatched END") << QByteArray("BEGIN:VTODO\nEND:VEVENT\n");
        QTest::newRow("END first") << QByteArray("END:VTODO\n");
        QTest::newRow("text before") << QByteArray("hello\nBEGIN:VTODO\nEND:VTODO\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("hostile nesting")
            << QByteArray("BEGIN:X\n").repeated(1000) + QByteArray("END:X\n").repeated(1000);
    }
    void refusesWhatIsNoCalendar()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(!Component::parseDocument(bytes, &error));
        QVERIFY(!error.isEmpty());
    }

    void readsNamesParametersAndValues()
    {
        const Component document =
            parsedLines("BEGIN:VTODO\r\n"
                        "ATTENDEE;CN=\"Doe; John: Jr, "
                        "III\";ROLE=REQ-PARTICIPANT;X-LIST=a,\"b,c\",d:mailto:j@x\r\n"
                        "X-PARAM;NEWLINE=^n;ALL=^^^'^n;UNKNOWN=^a^ :v\r\n"
                        "DESCRIPTION:line\\none\\, two\\; three \\\\ four\\:five\r\n"
                        "X-EMPTY;A=:\r\n"
                        "X-NOCOLON;A=\"unterminated:value\r\n"
                        "END:VTODO\r\n");
        const Component& todo = *document.child("VTODO");
        const Property* attendee = todo.property("attendee");
        QVERIFY(attendee);
        QCOMPARE(attendee->value(), QByteArrayView("mailto:j@x"));
        QCOMPARE(attendee->parameter("cn"), QByteArray("Doe; John: Jr, III"));
        QCOMPARE(attendee->parameter("ROLE"), QByteArray("REQ-PARTICIPANT"));
        QVERIFY(!attendee->parameter("RSVP"));
        const auto parameters = attendee->parameters();
        QCOMPARE(parameters.size(), 3);
        QCOMPARE(parameters.at(2).values, (QList<QByteArray>{"a", "b,c", "d"}));

        const Property* escaped = todo.property("X-PARAM");
        QCOMPARE(escaped->parameter("NEWLINE"), QByteArray("\n"));
        QCOMPARE(escaped->parameter("ALL"), QByteArray("^\"\n"));
        QCOMPARE(escaped->parameter("UNKNOWN"), QByteArray("^a^ "));

        QCOMPARE(todo.property("DESCRIPTION")->text(),
                 QStringLiteral("line\none, two; three \\ four:five"));
        QCOMPARE(todo.property("X-EMPTY")->parameter("A"), QByteArray());
        QCOMPARE(todo.property("X-EMPTY")->value(), QByteArrayView(""));
        // A line whose quote never closes has no value; it is kept, not read.
        QVERIFY(!todo.property("X-NOCOLON"));
        QCOMPARE(document.serialize().count("X-NOCOLON"), 1);
    }

    void writesFoldedEscapedLines()
    {
        const QString text = QStringLiteral("Grüße, Kollegen; \\ Zeile\r\nzwei\nund ") +
                             QString(40, QChar(0x20AC)) + QStringLiteral(" 😀 Ende");
        const Property line = Property::text("DESCRIPTION", text, "\r\n");
        const QList<QByteArray> physical = line.raw().split('\n');
        QVERIFY(physical.size() > 3);
        QVERIFY(physical.last().isEmpty());
        for (qsizetype i = 0; i + 1 < physical.size(); ++i) {
            QByteArray one = physical.at(i);
            QVERIFY(one.endsWith('\r'));
            one.chop(1);
            QVERIFY2(one.size() <= 75, one.constData());
            if (i > 0) {
                QVERIFY(one.startsWith(' '));
                one.remove(0, 1);
            }
            QVERIFY2(isValidUtf8(one), "a fold split a UTF-8 sequence");
        }
        QVERIFY(line.raw().startsWith("DESCRIPTION:Grüße\\, Kollegen\\; \\\\ Zeile\\nzwei\\nund "));
        QCOMPARE(line.text(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        // Parameter values are quoted and ^-escaped as needed, and read back the same.
        const Property built = Property::build(
            "X-APPLE-STRUCTURED-LOCATION",
            {{"VALUE", {"URI"}}, {"X-TITLE", {"Home: \"Main\", 2^nd\nfloor"}}}, "geo:1,2", "\n");
        QCOMPARE(built.content(),
                 QByteArrayView("X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-TITLE=\"Home: ^'Main^', "
                                "2^^nd^nfloor\":geo:1,2"));
        QCOMPARE(built.raw().count('\n'), 2);
        QCOMPARE(built.parameter("X-TITLE"), QByteArray("Home: \"Main\", 2^nd\nfloor"));
        QCOMPARE(Property::build("X", {}, "", "\n").raw(), QByteArray("X:\n"));
    }

    // What a TEXT value reads as is what writing it back keeps, so a task written to a file
    // reads back as it was: control characters, which TEXT cannot carry, are not read, and a
    // bare CR is the line break it becomes when written.
    void textReadsAsItWritesBack_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("NUL bytes") << QByteArray("a\0b\0c", 5) << QStringLiteral("abc");
        QTest::newRow("other control bytes")
            << QByteArray("bell\x07 esc\x1b end") << QStringLiteral("bell esc end");
        QTest::newRow("escaped control byte") << QByteArray("a\\\x01z") << QStringLiteral("az");
        QTest::newRow("bare CR") << QByteArray("one\rtwo") << QStringLiteral("one\ntwo");
        QTest::newRow("leading zero-width no-break space")
            << QByteArray("\xEF\xBB\xBFtitle, \\n") << QStringLiteral("\uFEFFtitle, \n");
        QTest::newRow("tab and escaped break")
            << QByteArray("a\tb\\nc") << QStringLiteral("a\tb\nc");
    }
    void textReadsAsItWritesBack()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, text);
        const Component document =
            parsedLines("BEGIN:VTODO\r\nSUMMARY:" + value + "\r\nEND:VTODO\r\n");
        const Property* summary = document.child("VTODO")->property("SUMMARY");
        QVERIFY(summary);
        QCOMPARE(summary->text(), text);
        QCOMPARE(Property::text("SUMMARY", summary->text(), "\r\n").text(), text);
    }

    void largeFilesParseInLinearTime()
    {
        // 5 MB of small events, and one 5 MB property folded 70 000 times.
        QByteArray many = "BEGIN:VCALENDAR\r\n";
        while (many.size() < 5 * 1024 * 1024) {
            many += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(many.size()) +
                    "\r\nDTSTART;TZID=Europe/Berlin:20260101T100000\r\nSUMMARY:An event with a "
                    "long enough title to be realistic\r\nEND:VEVENT\r\n";
        }
        many += "END:VCALENDAR\r\n";
        const qsizetype folds = 70'000;
        const QByteArray folded =
            "BEGIN:VTODO\r\nDESCRIPTION:" + (QByteArray(73, 'x') + "\r\n ").repeated(folds) +
            "end\r\nEND:VTODO\r\n";
        QByteArray unbroken =
            "BEGIN:VTODO\r\nDESCRIPTION:" + QByteArray(5 * 1024 * 1024, 'y') + "\r\nEND:VTODO\r\n";

        for (const QByteArray& bytes : {many, folded, unbroken}) {
            QElapsedTimer timer;
            timer.start();
            std::optional<Component> document = Component::parseDocument(bytes, nullptr);
            QVERIFY(document);
            QCOMPARE(document->serialize(), bytes);
            QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        }
        const Component document = parsedLines(folded);
        QCOMPARE(document.child("VTODO")->property("DESCRIPTION")->text().size(), folds * 73 + 3);
    }
};

VELMORAN_TEST_MAIN(TestIcsItem)
#include "tst_icsitem.moc"

// Completing a recurring task through the store, on files another program wrote: the alarms
// move on with the task line for line.

#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace store;
using namespace TestFiles;

namespace {

// A daily task with the alarms other programs write: relative ones (to the due date and to
// the start), two at a date, one with and one without an identity, and one at a place.
// `due` is the value of the DUE and DTSTART lines, parameters included.
QByteArray standup(const QByteArray& due, const QByteArray& firstAlarm,
                   const QByteArray& secondAlarm)
{
    QByteArray text =
        "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Elsewhere//Planner 4.2//EN\n"
        "BEGIN:VTODO\nUID:standup\nSUMMARY:Standup\nDTSTART" +
        due + "\nDUE" + due +
        "\nRRULE:FREQ=DAILY;COUNT=5\nSTATUS:NEEDS-ACTION\n"
        "BEGIN:VALARM\nUID:alarm-sound\nACTION:AUDIO\nTRIGGER:-PT15M\n"
        "ATTACH;FMTTYPE=audio/basic:https://example.org/bell.au\nX-PLANNER-SNOOZE:5\nEND:VALARM\n"
        "BEGIN:VALARM\nUID:alarm-notes\nX-WR-ALARMUID:alarm-notes\nACTION:DISPLAY\n"
        "DESCRIPTION:Prepare the notes\nTRIGGER;VALUE=DATE-TIME:" +
        firstAlarm +
        "\nX-PLANNER-COLOR:red\nEND:VALARM\n"
        "BEGIN:VALARM\nACTION:AUDIO\nTRIGGER;VALUE=DATE-TIME:" +
        secondAlarm +
        "\nEND:VALARM\n"
        "BEGIN:VALARM\nUID:alarm-start\nACTION:DISPLAY\nDESCRIPTION:From the start\n"
        "TRIGGER;RELATED=START:-PT1H30M\nEND:VALARM\n"
        "BEGIN:VALARM\nUID:alarm-office\nACTION:DISPLAY\nDESCRIPTION:Standup\n"
        "TRIGGER;VALUE=DATE-TIME:19760401T005545Z\nX-APPLE-PROXIMITY:ARRIVE\n"
        "X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=100;X-TITLE=Office:geo:52.5,13.4\n"
        "END:VALARM\nEND:VTODO\nEND:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

// The alarm blocks of a file, BEGIN to END, in file order.
QList<QByteArray> alarmBlocks(const QByteArray& file)
{
    static const QRegularExpression block(QStringLiteral("BEGIN:VALARM\r\n.*?END:VALARM\r\n"),
                                          QRegularExpression::DotMatchesEverythingOption);
    QList<QByteArray> blocks;
    for (const QRegularExpressionMatch& match : block.globalMatch(QString::fromUtf8(file)))
        blocks << match.captured().toUtf8();
    return blocks;
}

} // namespace

class TestRecurringCompletion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(m_dir->filePath("store/tasks/displayname"), "Tasks");
    }

    void alarmsMoveOnLineForLine_data()
    {
        QTest::addColumn<QByteArray>("due");
        QTest::addColumn<QByteArray>("firstAlarm");
        QTest::addColumn<QByteArray>("secondAlarm");
        QTest::addColumn<QDateTime>("nextDue");
        QTest::addColumn<QByteArray>("nextFirstAlarm");
        QTest::addColumn<QByteArray>("nextSecondAlarm");

        // Due at 10:00 in Berlin, alarms 15 and 60 minutes before: 10:00 is 09:00 UTC in
        // winter and 08:00 UTC in summer.
        QTest::newRow("a winter day")
            << QByteArray(";TZID=Europe/Berlin:20261206T100000") << QByteArray("20261206T084500Z")
            << QByteArray("20261206T080000Z") << TestEnvironment::local(2026, 12, 7, 10, 0)
            << QByteArray("20261207T084500Z") << QByteArray("20261207T080000Z");
        // The next day is 23 hours long; the alarms keep their places before the due time.
        QTest::newRow("into summer time")
            << QByteArray(";TZID=Europe/Berlin:20260328T100000") << QByteArray("20260328T084500Z")
            << QByteArray("20260328T080000Z") << TestEnvironment::local(2026, 3, 29, 10, 0)
            << QByteArray("20260329T074500Z") << QByteArray("20260329T070000Z");
        // A task due on a day, with alarms at 09:00 on the day and 20:00 the evening before:
        // they keep their times of day, though the clock changes at 02:00 in between.
        QTest::newRow("a day without a time into summer time")
            << QByteArray(";VALUE=DATE:20260328") << QByteArray("20260328T080000Z")
            << QByteArray("20260327T190000Z") << TestEnvironment::local(2026, 3, 29)
            << QByteArray("20260329T070000Z") << QByteArray("20260328T190000Z");
    }

    void alarmsMoveOnLineForLine()
    {
        QFETCH(QByteArray, due);
        QFETCH(QByteArray, firstAlarm);
        QFETCH(QByteArray, secondAlarm);
        QFETCH(QDateTime, nextDue);
        QFETCH(QByteArray, nextFirstAlarm);
        QFETCH(QByteArray, nextSecondAlarm);
        const QString path = m_dir->filePath("store/tasks/standup.ics");
        const QByteArray original = standup(due, firstAlarm, secondAlarm);
        writeFile(path, original);

        EventStore store({m_dir->filePath("store")});
        const ReminderPtr task = StoreLookups::taskWithIdentifier(store, "standup");
        QCOMPARE(task->alarms.size(), 5);
        task->setCompleted(true, QDateTime::currentDateTime());
        QString error;
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));

        // The task moved on; each alarm is the block it was, the times of the two at a date
        // moved as far as the due date.
        const QList<QByteArray> before = alarmBlocks(original);
        QCOMPARE(before.size(), 5);
        QList<QByteArray> expected = before;
        expected[1].replace(firstAlarm, nextFirstAlarm);
        expected[2].replace(secondAlarm, nextSecondAlarm);
        const QByteArray advanced = readFile(path);
        QCOMPARE(alarmBlocks(advanced), expected);

        const ReminderPtr next = StoreLookups::taskWithIdentifier(store, "standup");
        QVERIFY(next && !next->completed);
        QCOMPARE(next->dueDateComponents->toDateTime(), nextDue);
        QCOMPARE(next->alarms.size(), 5);

        // The completed occurrence keeps its alarms as they were.
        const QList<ReminderPtr> all = StoreQueries::allReminders(store);
        QCOMPARE(all.size(), 2);
        const ReminderPtr done = all.first()->uid == "standup" ? all.last() : all.first();
        QVERIFY(done->completed);
        QCOMPARE(alarmBlocks(readFile(done->origin->path())), before);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

VELMORAN_TEST_MAIN(TestRecurringCompletion)

#include "tst_recurringcompletion.moc"

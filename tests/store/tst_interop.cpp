// The store shares its folders with todoman and khal. These cases run the real programs over
// a store in a temporary folder and check that each side reads what the other wrote.

#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Todoman.h"

#include "platform/store/EventStore.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

using namespace store;

namespace {

using StoreQueries::allReminders;

ReminderPtr reminderTitled(const QList<ReminderPtr>& reminders, const QString& title,
                           std::optional<bool> completed = std::nullopt)
{
    for (const ReminderPtr& reminder : reminders) {
        if (reminder->title == title && (!completed || reminder->completed == *completed))
            return reminder;
    }
    return nullptr;
}

DateComponents timed(int year, int month, int day, int hour, int minute)
{
    return DateComponents::fromDateTime(
        QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone("Europe/Berlin")));
}

ReminderPtr savedTask(EventStore& store, const CalendarPtr& list, const QString& title,
                      std::optional<DateComponents> due, int priority = 0,
                      const QString& notes = {}, const QString& rule = {})
{
    const ReminderPtr reminder = store.reminderWithEventStore();
    reminder->title = title;
    reminder->calendar = list;
    reminder->dueDateComponents = due;
    reminder->priority = priority;
    reminder->notes = notes;
    if (due)
        reminder->addAlarm(Alarm::withRelativeOffset(-900));
    if (!rule.isEmpty())
        reminder->addRecurrenceRule(*Recurrence::parseRule(rule));
    QString error;
    if (!store.saveReminder(reminder, true, &error))
        QTest::qFail(qPrintable(error), __FILE__, __LINE__);
    return reminder;
}

// An event as `khal list -f '{start} | {end} | {title}'` prints it: all-day events with their
// inclusive last day, timed ones in local time.
QString khalLine(const Event& event)
{
    if (event.isAllDay) {
        const QDate first = event.startDate.date();
        const QDate last =
            event.endDate > event.startDate ? event.endDate.date().addDays(-1) : first;
        return QStringLiteral("%1 | %2 | %3")
            .arg(first.toString(Qt::ISODate), last.toString(Qt::ISODate), event.title);
    }
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm");
    return QStringLiteral("%1 | %2 | %3")
        .arg(event.startDate.toLocalTime().toString(format),
             event.endDate.toLocalTime().toString(format), event.title);
}

} // namespace

constexpr char kKhalCase[] = "recurringEventsFromKhalFallOnTheSameDays";

class TestInterop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        LibicalSetup::initialize();
        m_khal = QStandardPaths::findExecutable(QStringLiteral("khal"));
    }

    void init()
    {
        if (m_khal.isEmpty() && QTest::currentTestFunction() == QLatin1String(kKhalCase))
            QSKIP("khal is not installed");
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = m_dir->path() + QStringLiteral("/store");
        QVERIFY(QDir().mkpath(m_store));
        // Both peers read their configuration from the private XDG folders of this process.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        m_todoman.emplace(m_store, m_dir->path());
        if (!m_todoman->isInstalled() && QTest::currentTestFunction() != QLatin1String(kKhalCase))
            QSKIP("todoman is not installed");
        TestFiles::writeFile(config + QStringLiteral("/khal/config"),
                             QStringLiteral("[calendars]\n[[calendar]]\npath = %1/calendar\n"
                                            "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                                            "longdateformat = %Y-%m-%d\n"
                                            "datetimeformat = %Y-%m-%d %H:%M\n"
                                            "longdatetimeformat = %Y-%m-%d %H:%M\n"
                                            "default_timezone = Europe/Berlin\n"
                                            "local_timezone = Europe/Berlin\n"
                                            "[default]\ndefault_calendar = calendar\n"
                                            "[sqlite]\npath = %2/khal.db\n")
                                 .arg(m_store, m_dir->path())
                                 .toUtf8());
    }

    void cleanup() { m_dir.reset(); }

    void taskCreatedByTodomanIsRead_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("priority");
        QTest::addColumn<QDateTime>("expectedDue"); // a time of day unless at midnight
        const auto row = [](const char* name, const char* list, const QString& title,
                            const char* due, const char* priority, const QDateTime& expectedDue) {
            QTest::newRow(name) << list << title << due << priority << expectedDue;
        };
        row("timed, high, after the clocks change", "Work", "Pay the rent", "2026-03-30 14:30",
            "high", TestEnvironment::local(2026, 3, 30, 14, 30));
        row("timed, low, before the clocks change", "Home",
            "Zahnarzt anrufen – Dr. Müller, 2. Stock; Praxis", "2026-03-28 09:05", "low",
            TestEnvironment::local(2026, 3, 28, 9, 5));
        row("date only, medium", "Work", "File the taxes", "2026-04-02", "medium",
            TestEnvironment::local(2026, 4, 2));
    }

    void taskCreatedByTodomanIsRead()
    {
        QFETCH(QString, list);
        QFETCH(QString, title);
        QFETCH(QString, due);
        QFETCH(QString, priority);
        QFETCH(QDateTime, expectedDue);

        addList(QStringLiteral("work"), "Work");
        addList(QStringLiteral("home"), "Home");
        m_todoman->run({"new", "--list", list, "--due", due, "--priority", priority, title});
        const QJsonObject seenByTodoman = m_todoman->task(title);
        QVERIFY(!seenByTodoman.isEmpty());

        EventStore store({m_store});
        const QList<ReminderPtr> reminders = allReminders(store);
        QCOMPARE(reminders.size(), 1);
        const ReminderPtr reminder = reminders.first();
        QVERIFY(!reminder->completed && reminder->dueDateComponents);
        const QDateTime readDue = reminder->dueDateComponents->toDateTime();
        QCOMPARE(std::tuple(reminder->title, reminder->calendar->title, readDue,
                            reminder->dueDateComponents->hasTimeOfDay(), readDue.toSecsSinceEpoch(),
                            reminder->priority),
                 std::tuple(title, list, expectedDue, expectedDue.time() != QTime(0, 0),
                            seenByTodoman.value("due").toInteger(),
                            seenByTodoman.value("priority").toInt()));
    }

    void tasksWrittenByVelmoranAreListedByTodoman()
    {
        EventStore store({m_store});
        const CalendarPtr list = store.calendarForEntityType(EntityType::Reminder);
        list->title = QStringLiteral("Errands");
        list->color = CollectionColor::fromText(u"#ff9500");
        QString error;
        QVERIFY2(store.saveCalendar(list, true, &error), qPrintable(error));

        const QList<ReminderPtr> written = {
            savedTask(store, list, "Call the bank", timed(2026, 3, 30, 14, 30), 1),
            savedTask(store, list, "Buy milk, eggs; bread – 5 €",
                      DateComponents::fromDate(QDate(2026, 4, 2)), 5),
            savedTask(store, list,
                      "Ask the landlord about the heating, the broken window in the kitchen and "
                      "the key for the cellar – ünd dänn nöch mehr",
                      std::nullopt, 9, "First line\nSecond line, with a comma"),
            savedTask(store, list, "Night before the change", timed(2026, 3, 28, 23, 45)),
        };

        // "title|list|priority|completed|notes|due": todoman gives a due date without time as
        // its local midnight, and no due date as null.
        const auto describe = [](const QString& title, const QString& listTitle, int priority,
                                 bool completed, const QString& notes, qint64 due) {
            return QStringLiteral("%1|%2|%3|%4|%5|%6")
                .arg(title, listTitle, QString::number(priority),
                     QLatin1String(completed ? "done" : "open"), notes, QString::number(due));
        };
        QStringList expected;
        for (const ReminderPtr& task : written)
            expected << describe(task->title, list->title, task->priority, false, task->notes,
                                 task->dueDateComponents
                                     ? task->dueDateComponents->toDateTime().toSecsSinceEpoch()
                                     : -1);
        QStringList listed;
        for (const QJsonValue& task : m_todoman->list())
            listed << describe(task["summary"].toString(), task["list"].toString(),
                               task["priority"].toInt(), task["completed"].toBool(),
                               task["description"].toString(),
                               task["due"].isNull() ? -1 : task["due"].toInteger());
        expected.sort();
        listed.sort();
        QCOMPARE(listed, expected);
    }

    void completionByTodomanIsSeenAndKept()
    {
        addList(QStringLiteral("work"), "Work");
        EventStore store({m_store});
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        QVERIFY(list);

        const ReminderPtr held =
            savedTask(store, list, "Renew the passport", timed(2026, 4, 10, 12, 0), 1);
        const ReminderPtr series = savedTask(store, list, "Water the plants",
                                             timed(2026, 3, 25, 9, 0), 0, {}, "FREQ=WEEKLY");

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        done("Renew the passport");
        done("Water the plants");
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        const QList<ReminderPtr> reminders = allReminders(store);
        const ReminderPtr passport = reminderTitled(reminders, "Renew the passport");
        QVERIFY(passport);
        QCOMPARE(passport->calendarItemIdentifier, held->calendarItemIdentifier);
        QVERIFY(passport->completed);
        QVERIFY(passport->completionDate >= before && passport->completionDate <= after);
        QCOMPARE(
            store
                .remindersMatchingPredicate(
                    store::predicateForCompletedRemindersWithCompletionDateStarting({}, {}, {list}))
                .size(),
            2);

        // todoman read our rule and zone, and we read the file it wrote in its own shape: the
        // series moved on by a week, same wall-clock time.
        const ReminderPtr done = reminderTitled(reminders, "Water the plants", true);
        const ReminderPtr next = reminderTitled(reminders, "Water the plants", false);
        QVERIFY(done && next);
        QCOMPARE(done->calendarItemIdentifier, series->calendarItemIdentifier);
        QCOMPARE(next->dueDateComponents->toDateTime(), TestEnvironment::local(2026, 4, 1, 9, 0));
        QCOMPARE(next->recurrenceRules, series->recurrenceRules);

        // An edit of what was read since keeps todoman's completion. (A save of a copy read
        // before another program's change is refused, as every conflict suite sees.)
        passport->title = "Renew the passport and the ID card";
        QString error;
        QVERIFY2(store.saveReminder(passport, true, &error), qPrintable(error));
        const QJsonObject edited = m_todoman->task(passport->title);
        QCOMPARE(std::pair(edited["completed"].toBool(), edited["priority"].toInt()),
                 std::pair(true, 1));
    }

    void recurringEventsFromKhalFallOnTheSameDays()
    {
        const QString calendar = m_store + QStringLiteral("/calendar");
        addList(QStringLiteral("calendar"), "Calendar");
        const QList<QStringList> creations = {
            {"-r", "weekly", "2026-03-20", "10:00", "11:00", "Weekly sync"},
            {"-r", "daily", "-u", "2026-04-01", "2026-03-27", "08:00", "1h", "Standup"},
            {"-r", "weekly", "2026-03-20", "10:00", "11:00", "America/New_York", "New York call"},
            {"2026-03-29", "Clocks change"},
        };
        for (const QStringList& arguments : creations)
            khal(QStringList{"new", "-a", "calendar"} + arguments);
        // khal 0.10.5 fails on `new -r` with a date-only start, so the weekly all-day event
        // goes in through its importer, which writes it with khal's own serializer.
        const QString toImport = m_dir->path() + QStringLiteral("/gym.ics");
        TestFiles::writeFile(toImport,
                             "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                             "BEGIN:VEVENT\r\nSUMMARY:Gym day\r\n"
                             "DTSTART;VALUE=DATE:20260326\r\nDTEND;VALUE=DATE:20260327\r\n"
                             "UID:gym-day-series\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
                             "END:VEVENT\r\nEND:VCALENDAR\r\n");
        khal({"import", "--batch", "-a", "calendar", toImport});

        // khal's own expansion is the reference: the same occurrences, at the same local times.
        const QByteArray listed = khal({"list", "-df", QString(), "-f", "{start} | {end} | {title}",
                                        "2026-03-15", "2026-04-20"});
        QStringList expected;
        for (const QByteArray& line : listed.split('\n')) {
            if (!line.trimmed().isEmpty())
                expected << QString::fromUtf8(line).trimmed();
        }
        QCOMPARE(expected.size(), 19);

        EventStore store({m_store});
        // khal's end day is inclusive.
        const QList<EventPtr> events =
            store.eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                TestEnvironment::local(2026, 3, 15), TestEnvironment::local(2026, 4, 21), {}));
        QStringList actual;
        for (const EventPtr& event : events)
            actual << khalLine(*event);
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);

        // The same lines are the same local times on both sides of the change; a window of
        // the 23-hour day itself holds what starts on it.
        QStringList dayOfChange = StoreQueries::titles(
            store.eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                TestEnvironment::local(2026, 3, 29), TestEnvironment::local(2026, 3, 30), {})));
        dayOfChange.sort();
        QCOMPARE(dayOfChange, (QStringList{"Clocks change", "Standup"}));
    }

private:
    // Marks the task done with todoman, as its user would.
    void done(const QString& title) const
    {
        const QJsonObject task = m_todoman->task(title);
        if (task.isEmpty())
            QTest::qFail(qPrintable("todoman does not list " + title), __FILE__, __LINE__);
        else
            m_todoman->run({"done", QString::number(task.value("id").toInt())});
    }

    // A list folder as vdirsyncer lays it out.
    void addList(const QString& folder, const QByteArray& name) const
    {
        TestFiles::writeFile(m_store + u'/' + folder + QStringLiteral("/displayname"), name);
    }

    // Runs khal; fails the running test with its output when it does not succeed. khal builds
    // its database on the first run; a minute is far more than it needs.
    QByteArray khal(const QStringList& arguments) const
    {
        QProcess process;
        process.start(m_khal, arguments);
        process.closeWriteChannel();
        const bool ok = process.waitForFinished(60000) &&
                        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (!ok) {
            process.kill();
            QTest::qFail(qPrintable(QStringLiteral("khal %1: %2")
                                        .arg(arguments.join(u' '), process.readAllStandardError())),
                         __FILE__, __LINE__);
        }
        return process.readAllStandardOutput();
    }

    std::optional<Todoman> m_todoman;
    QString m_khal;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_store;
};

VELMORAN_TEST_MAIN(TestInterop)

#include "tst_interop.moc"

#include "ReminderBuilder.h"
#include "SeededStore.h"
#include "TestEnvironment.h"

#include "data/QuickAction.h"
#include "data/QuickActionMenu.h"
#include "data/QuickActionPerformer.h"
#include "data/QuickActionSettings.h"

using namespace store;
using namespace TestFiles;
using TestEnvironment::local;
using Outcome = QuickActionPerformer::Outcome;

namespace {

QVariantMap record(int type, const QString& key = {}, const QVariant& value = {})
{
    QVariantMap map{{"type", QVariant::fromValue(qint64(type))}};
    if (!key.isEmpty())
        map.insert(key, value);
    return map;
}

QVariantMap shift(int type, qint64 number)
{
    return record(type, "number", QVariant::fromValue(number));
}

QVariantMap switchOf(const QStringList& words)
{
    return record(20, "array", QVariant(words).toList());
}

// The entries as the menu shows them: "-" for a separator, a disabled one in brackets.
QString menuText(const QList<QuickActionMenuEntry>& entries)
{
    QStringList texts;
    for (const QuickActionMenuEntry& entry : entries)
        texts << (entry.title.isEmpty() ? QStringLiteral("-")
                  : entry.enabled       ? entry.title
                                        : '(' + entry.title + ')');
    return texts.join(u", ");
}

QList<bool> enabledOf(const QList<QuickActionMenuEntry>& entries)
{
    QList<bool> enabled;
    for (const QuickActionMenuEntry& entry : entries)
        enabled << entry.enabled;
    return enabled;
}

} // namespace

class TestQuickActions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SeededStore>();
        m_store->defaults->setObject(QStringList{"work", "home"}, PrefKey::visibleLists);
        m_store->clock.setNow(local(2027, 2, 3, 10, 30)); // a Wednesday
        m_store->addList("home", "Home");
        m_store->addList("work", "Work");
    }

    void cleanup() { m_store.reset(); }

    // --- The preference page's rows ------------------------------------------------------

    // Each kind as the menu words it; unknown kinds and values of the wrong type are kept and
    // shown greyed (in brackets here).
    void rowsReadAsTheMenuWordsThem()
    {
        QStringList rows;
        for (const QVariant& stored :
             QVariantList{record(0), record(2, "tag", "home"), record(19, "tag", "urgent"),
                          record(6, "number", 1), record(11, "number", 3),
                          record(20, "array", QVariantList{"#a", "#b", "c"}), record(42),
                          record(6, "number", "3"), record(20, "array", QVariantList{1, 2}),
                          QVariant("Today")}) {
            const QString text = QuickActionSettings::rowText(stored);
            rows << (QuickActionSettings::isEditable(stored) ? text : '(' + text + ')');
        }
        QCOMPARE(rows, (QStringList{"Clear Due Date", "#home", "urgent", "+1 Minute", "-3 Days",
                                    "#a → #b → c", "(Unsupported Action)", "(Unsupported Action)",
                                    "(Unsupported Action)", "(Unsupported Action)"}));
    }

    // An edit replaces the first equal record and keeps its keys.
    void editsAndMovesOfTheRows()
    {
        QVariantMap marked = record(3);
        marked.insert("color", "red");
        QVariantList records{record(0), marked, record(3), marked};
        QVERIFY(QuickActionSettings::replace(
            records, marked, QuickAction::withDateShift(QuickAction::Unit::Hour, false, 2)));
        const QVariantMap expected{{"type", qint64(9)}, {"number", qint64(2)}, {"color", "red"}};
        QCOMPARE(records.at(1).toMap(), expected);
        QCOMPARE(records.at(3), QVariant(marked));
        // Deleted meanwhile: nothing comes back.
        QVERIFY(!QuickActionSettings::replace(records, record(4),
                                              QuickAction::withType(QuickAction::Today)));
        QCOMPARE(records.size(), 4);

        // A move lands above the target row.
        records = {record(0), record(3), record(4)};
        QVERIFY(QuickActionSettings::move(records, 0, 3));
        QCOMPARE(records, QVariantList({record(3), record(4), record(0)}));
        QVERIFY(QuickActionSettings::move(records, 2, 0));
        QCOMPARE(records, QVariantList({record(0), record(3), record(4)}));
        QVERIFY(!QuickActionSettings::move(records, 3, 0));
        QVERIFY(!QuickActionSettings::move(records, 0, 4));
    }

    // --- The menu ------------------------------------------------------------------------

    void theMenuFollowsTheTask()
    {
        const CalendarPtr home = makeList("home", "Home");
        const CalendarPtr work = makeList("work", "Work");
        const QList<QuickAction> actions =
            QuickAction::listFromVariant({record(21), record(0), record(3), record(5)});

        const ReminderPtr plain = ReminderBuilder("Plain").in(home);
        QList<QuickActionMenuEntry> menu =
            QuickActionMenu::build(plain, false, actions, false, {work, home});
        // Nothing to clear; "After" left out, so the records' index is the tag.
        QCOMPARE(menuText(menu), "Mark as Completed, Show Details, -, (Clear Due Date), Today, "
                                 "(Unsupported Action), -, Move to List, Set Priority");
        QCOMPARE(menu.at(3).tag, 1);
        QCOMPARE(menuText(menu.at(7).items), "Work, (Home)");
        QCOMPARE(menu.at(7).items.at(1).tag, 1);

        const ReminderPtr recurring = ReminderBuilder("Repeats")
                                          .in(work)
                                          .dueAt(local(2027, 2, 1, 9))
                                          .recurring()
                                          .completedAt(local(2027, 2, 1, 9));
        menu = QuickActionMenu::build(recurring, true, actions, false, {work, home});
        QCOMPARE(menuText(menu.mid(0, 6)),
                 "Mark as Incomplete, Hide Details, -, After, Clear Due Date, Today");
        QCOMPARE(menu.at(3).tag, 0);
        QCOMPARE(menuText(menu.at(8).items), "(Work), Home");

        QVERIFY(QuickActionMenu::build(nullptr, false, actions, false, {work, home}).isEmpty());

        // The priority items: the one the task has is greyed.
        const QList<std::pair<int, QList<bool>>> rows{{0, {false, true, true, true}},
                                                      {1, {true, true, true, false}},
                                                      {4, {true, true, true, false}},
                                                      {5, {true, true, false, true}},
                                                      {9, {true, false, true, true}}};
        for (const auto& [priority, enabled] : rows) {
            const ReminderPtr task = ReminderBuilder("Task").priority(priority);
            const QuickActionMenuEntry submenu =
                QuickActionMenu::build(task, false, {}, false, {}).last();
            QCOMPARE(enabledOf(submenu.items), enabled);
        }
    }

    // --- Date actions, saved and read back -----------------------------------------------

    // "expected": the due date, the alarms and whether the task still repeats.
    void dateActions_data()
    {
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QList<QDateTime>>("alarms");
        QTest::addColumn<QVariantMap>("action");
        QTest::addColumn<bool>("alarmOn");
        QTest::addColumn<bool>("noDueTime");
        QTest::addColumn<QString>("expected");
        using Dates = QList<QDateTime>;
        const auto row = [](const char* name, const QDateTime& due, const Dates& alarms,
                            const QVariantMap& action, bool alarmOn, bool noDueTime,
                            const char* expected) {
            QTest::newRow(name) << due << alarms << action << alarmOn << noDueTime
                                << QString(expected);
        };
        const QDateTime jan31 = local(2027, 1, 31, 10);
        row("+1 day at the end of a month", jan31, {}, shift(10, 1), true, false,
            "2027-02-01 10:00|place|repeats");
        row("+1 month to a shorter month", jan31, {jan31}, shift(14, 1), true, false,
            "2027-02-28 10:00|2027-02-28 10:00,place|repeats");
        row("two time alarms become one at the new time", jan31,
            {local(2027, 1, 31, 9), local(2027, 1, 31, 9, 45)}, shift(9, 2), true, false,
            "2027-01-31 08:00|2027-01-31 08:00,place|repeats");
        row("moved to midnight rings at the alarm time", local(2027, 1, 31, 23),
            {local(2027, 1, 31, 23)}, shift(8, 1), true, false,
            "2027-02-01|2027-02-01 08:00,place|repeats");
        row("+5 minutes undated, alarmOn on", {}, {}, shift(6, 5), true, false,
            "2027-02-03 10:35|2027-02-03 10:35,place|");
        row("today on undated", {}, {}, record(3), true, false,
            "2027-02-03 08:00|2027-02-03 08:00,place|");
        row("today on undated with noDueTime", {}, {}, record(3), false, true, "2027-02-03|place|");
        row("today keeps the time and the alarm", local(2027, 1, 26, 15, 30),
            {local(2027, 1, 26, 15)}, record(3), false, false,
            "2027-02-03 15:30|2027-02-03 15:30,place|repeats");
        row("now", jan31, {jan31}, record(4), false, false,
            "2027-02-03 10:30|2027-02-03 10:30,place|repeats");
        row("clearing keeps only the place alarm", jan31, {jan31}, record(0), true, false,
            "-|place|");
        row("missing number only moves the alarm", jan31, {local(2027, 1, 30, 18)}, record(8),
            false, false, "2027-01-31 10:00|2027-01-31 10:00,place|repeats");
    }

    void dateActions()
    {
        QFETCH(QDateTime, due);
        QFETCH(QList<QDateTime>, alarms);
        QFETCH(QVariantMap, action);
        QFETCH(bool, alarmOn);
        QFETCH(bool, noDueTime);
        QFETCH(QString, expected);

        m_store->defaults->setBool(alarmOn, PrefKey::alarmOn);
        m_store->defaults->setBool(noDueTime, PrefKey::noDueTime);
        m_store->defaults->setObject(QVariantList{action}, PrefKey::quickActions);
        m_store->seed("home", [&](Reminder& r) {
            r.title = "Task";
            if (due.isValid())
                r.dueDateComponents = DateComponents::fromDateTime(due);
            for (const QDateTime& date : alarms)
                r.addAlarm(Alarm::withAbsoluteDate(date));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Leave));
            if (due.isValid())
                r.addRecurrenceRule(RecurrenceRule());
        });
        QuickActionPerformer performer(createLoaded());
        const ReminderPtr task = inSnapshot("Task");
        QCOMPARE(performer.menuQuickAction(0, task), Outcome::Saved);

        const ReminderPtr saved = diskTask("Task");
        const QString described = describe(saved);
        QCOMPARE(described.section('|', 1, 1) + '|' + described.section('|', 4), expected);
        QCOMPARE(saved->startDateComponents, saved->dueDateComponents);
        // Until the next refresh the window shows the task it changed: it is what the file says.
        QCOMPARE(task->dueDateComponents, saved->dueDateComponents);
    }

    void afterCompletesARecurringTaskCountingFromToday()
    {
        m_store->defaults->setObject(QVariantList{record(21)}, PrefKey::quickActions);
        m_store->seed("home", [](Reminder& r) {
            r.title = "Water plants";
            r.dueDateComponents = DateComponents::fromDateTime(local(2027, 1, 26, 9));
            RecurrenceRule weekly;
            weekly.frequency = RecurrenceRule::Frequency::Weekly;
            r.addRecurrenceRule(weekly);
        });
        DataManager& manager = createLoaded();
        QuickActionPerformer performer(manager);
        const ReminderPtr task = inSnapshot("Water plants");
        const QString identifier = task->calendarItemIdentifier;

        QCOMPARE(performer.menuQuickAction(0, task), Outcome::CompleteNext);
        // The moved date is on disk before the completion comes.
        QCOMPARE(diskTask("Water plants")->dueDateComponents->toDateTime(), local(2027, 2, 3, 9));
        m_store->settle();
        performer.toggleCompletion(task);

        ReminderPtr series;
        ReminderPtr done;
        for (const ReminderPtr& r : m_store->tasksOnDisk())
            (r->calendarItemIdentifier == identifier ? series : done) = r;
        QVERIFY(series && done && !series->completed && done->completed);
        QCOMPARE(series->dueDateComponents->toDateTime(), local(2027, 2, 10, 9));
        QCOMPARE(done->dueDateComponents->toDateTime(), local(2027, 2, 3, 9));
    }

    // --- Tags and switches ---------------------------------------------------------------

    // The task as "title|notes" before and after the action, and the action's menu title.
    void textActions_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("tagOnNotes");
        QTest::addColumn<QVariantMap>("action");
        QTest::addColumn<QString>("menuTitle");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const char* before, bool tagOnNotes,
                            const QVariantMap& action, const char* menuTitle, const char* after) {
            QTest::newRow(name) << QString(before) << tagOnNotes << action << QString(menuTitle)
                                << QString(after);
        };
        const QVariantMap home = record(2, "tag", "Home");
        const QVariantMap levels = switchOf({"Low", "Mid", "High"});
        row("remove the tag from the title", "Buy milk #home|", false, home, "Remove #Home",
            "Buy milk|");
        row("remove the tag from the notes", "Buy milk|#HOME  for later", false, home,
            "Remove #Home", "Buy milk|for later");
        row("add the tag to empty notes", "Buy milk|", true, home, "Add #Home", "Buy milk|#Home");
        row("add the tag after the notes", "Buy milk|2 litres", true, home, "Add #Home",
            "Buy milk|2 litres #Home");
        row("a longer tag is left alone", "Read #homework|", false, home, "Add #Home",
            "Read #homework #Home|");
        row("a verbatim word", "call back urgent|", false, record(19, "tag", "Urgent"),
            "Remove Urgent", "call back|");
        row("switch a word of the title", "Deploy high risk|", false, levels, "Switch High to Low",
            "Deploy Low risk|");
        row("switch the last word round to the first", "Risk: HIGH|", false, levels,
            "Switch High to Low", "Risk: Low|");
        row("switch in the notes", "Deploy| mid ", true, levels, "Switch Mid to High",
            "Deploy|High");
        // The first of the words in the title, not one inside another word; with tags on notes
        // the notes only.
        row("switch the first word", "low then mid|", false, levels, "Switch Low to Mid",
            "Mid then mid|");
        row("no word inside another", "Highway|", false, levels, "Add Low", "Highway Low|");
        row("tags on notes ignore the title", "Mid|", true, levels, "Add Low", "Mid|Low");
    }

    void textActions()
    {
        QFETCH(QString, before);
        QFETCH(bool, tagOnNotes);
        QFETCH(QVariantMap, action);
        QFETCH(QString, menuTitle);
        QFETCH(QString, after);
        m_store->defaults->setBool(tagOnNotes, PrefKey::tagOnNotes);
        m_store->defaults->setObject(QVariantList{record(4), action}, PrefKey::quickActions);
        m_store->seed("home", [&](Reminder& r) {
            r.title = before.section('|', 0, 0);
            r.notes = before.section('|', 1);
        });
        DataManager& manager = createLoaded();
        const ReminderPtr task = inSnapshot(before.section('|', 0, 0));
        const QList<QuickActionMenuEntry> menu = QuickActionMenu::build(manager, task, false);
        QCOMPARE(menu.at(4).tag, 1);
        QCOMPARE(menu.at(4).title, menuTitle);

        QCOMPARE(QuickActionPerformer(manager).menuQuickAction(1, task), Outcome::Saved);
        const ReminderPtr saved = m_store->tasksOnDisk().value(0);
        QVERIFY(saved && !saved->dueDateComponents);
        QCOMPARE(saved->title + '|' + saved->notes, after);
    }

    // --- Lists, priorities and what does nothing -----------------------------------------

    // Records that cannot be performed, a move to the task's own list and the priority it has
    // change nothing; the others write the task.
    void listPriorityAndWhatDoesNothing()
    {
        m_store->defaults->setObject(
            QVariantList{record(5), record(2, "tag", ""), switchOf({}), QVariant("text")},
            PrefKey::quickActions);
        m_store->seed("home", [](Reminder& r) {
            r.title = "Task";
            r.priority = 5;
            r.dueDateComponents = DateComponents::fromDateTime(local(2027, 2, 5, 9));
        });
        DataManager& manager = createLoaded();
        QuickActionPerformer performer(manager);
        const ReminderPtr task = inSnapshot("Task");
        const QByteArray before = readFile(task->origin->path());
        for (int index : {-1, 0, 1, 2, 3, 4})
            QCOMPARE(performer.menuQuickAction(index, task), Outcome::Unchanged);
        QCOMPARE(performer.menuQuickAction(0, nullptr), Outcome::Unchanged);
        QVERIFY(!performer.menuChangeToList(task, 1)); // "home", its own list
        QVERIFY(!performer.menuSetPriority(task, 2));  // medium already
        QCOMPARE(readFile(task->origin->path()), before);
        QCOMPARE(task->dueDateComponents->toDateTime(), local(2027, 2, 5, 9));
        const QList<QuickActionMenuEntry> menu = QuickActionMenu::build(manager, task, false);
        QCOMPARE(enabledOf(menu.mid(3, 4)), (QList<bool>{false, false, false, false}));

        QVERIFY(performer.menuSetPriority(task, 3));
        QCOMPARE(diskTask("Task")->priority, 1);
        QVERIFY(performer.menuSetPriority(task, 0));
        QCOMPARE(diskTask("Task")->priority, 0);
        QVERIFY(performer.menuChangeToList(task, 0));
        QCOMPARE(diskTask("Task")->calendar->calendarIdentifier, QString("work"));
    }

private:
    DataManager& createLoaded()
    {
        m_store->load();
        return *m_store->manager;
    }

    ReminderPtr inSnapshot(const QString& title) const { return m_store->inSnapshot(title); }
    ReminderPtr diskTask(const QString& title) const { return m_store->taskOnDisk(title); }

    std::unique_ptr<SeededStore> m_store;
};

VELMORAN_TEST_MAIN(TestQuickActions)
#include "tst_quickactions.moc"

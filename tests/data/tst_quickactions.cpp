#include "ReminderBuilder.h"
#include "SeededStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/QuickAction.h"
#include "data/QuickActionMenu.h"
#include "data/QuickActionPerformer.h"
#include "data/QuickActionSettings.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QTemporaryDir>

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

QStringList menuTitles(const QList<QuickActionMenuEntry>& entries)
{
    QStringList titles;
    for (const QuickActionMenuEntry& entry : entries)
        titles << entry.title;
    return titles;
}

QList<bool> enabledOf(const QList<QuickActionMenuEntry>& entries)
{
    QList<bool> enabled;
    for (const QuickActionMenuEntry& entry : entries)
        enabled << entry.enabled;
    return enabled;
}

QList<QDateTime> timeAlarmsOf(const Reminder& reminder)
{
    QList<QDateTime> dates;
    for (const Alarm& alarm : reminder.alarms) {
        if (!alarm.isLocationAlarm())
            dates << alarm.absoluteDate.toLocalTime();
    }
    return dates;
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
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/displayname", "Work");
    }

    void cleanup() { m_store.reset(); }

    // --- Records and titles, no store ----------------------------------------------------

    void recordTitles_data()
    {
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("tagOnNotes");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QVariantMap& record, const QString& title,
                            bool tagOnNotes, const QString& expected) {
            QTest::newRow(name) << record << title << tagOnNotes << expected;
        };
        const QVariantMap levels = switchOf({"Low", "Mid", "High"});
        row("switch takes the first word", levels, "low then mid", false, "Switch Low to Mid");
        row("switch ignores a word inside another", levels, "Highway", false, "Add Low");
        row("switch looks only in the notes", levels, "Mid", true, "Add Low");
        row("unknown type", record(5), "", false, "Unsupported Action");
        row("switch without words", switchOf({}), "", false, "Unsupported Action");
    }

    void recordTitles()
    {
        QFETCH(QVariantMap, record);
        QFETCH(QString, title);
        QFETCH(bool, tagOnNotes);
        QFETCH(QString, expected);
        const Reminder task = *ReminderBuilder(title).build();
        QCOMPARE(QuickAction::fromVariant(record).title(task, tagOnNotes), expected);
    }

    void thePreferencesWindowCreatesRecords()
    {
        QCOMPARE(QuickAction::withTagText(" #Home ")->toMap(), record(2, "tag", "Home"));
        QCOMPARE(QuickAction::withTagText("call back")->toMap(), record(19, "tag", "call back"));
        QVERIFY(!QuickAction::withTagText("#"));
        QCOMPARE(QuickAction::withSwitchFields({"Low", "#", "  ", "High"})->toMap(),
                 switchOf({"Low"}));
        QVERIFY(!QuickAction::withSwitchFields({"", "#", " "}));
    }

    // --- The preference page's rows ------------------------------------------------------

    void rowsReadAsTheMenuWordsThem_data()
    {
        QTest::addColumn<QVariant>("record");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("editable");
        QTest::newRow("clear") << QVariant(record(0)) << "Clear Due Date" << true;
        QTest::newRow("tag") << QVariant(record(2, "tag", "home")) << "#home" << true;
        QTest::newRow("word") << QVariant(record(19, "tag", "urgent")) << "urgent" << true;
        QTest::newRow("+1 minute") << QVariant(record(6, "number", 1)) << "+1 Minute" << true;
        QTest::newRow("-3 days") << QVariant(record(11, "number", 3)) << "-3 Days" << true;
        QTest::newRow("switch") << QVariant(record(20, "array", QVariantList{"#a", "#b", "c"}))
                                << "#a → #b → c" << true;
        // Kept, shown greyed: unknown kinds and values of the wrong type.
        QTest::newRow("unknown") << QVariant(record(42)) << "Unsupported Action" << false;
        QTest::newRow("number text")
            << QVariant(record(6, "number", "3")) << "Unsupported Action" << false;
        QTest::newRow("switch of numbers")
            << QVariant(record(20, "array", QVariantList{1, 2})) << "Unsupported Action" << false;
        QTest::newRow("not a record") << QVariant("Today") << "Unsupported Action" << false;
    }

    void rowsReadAsTheMenuWordsThem()
    {
        QFETCH(QVariant, record);
        QFETCH(QString, text);
        QFETCH(bool, editable);
        QCOMPARE(QuickActionSettings::rowText(record), text);
        QCOMPARE(QuickActionSettings::isEditable(record), editable);
    }

    void anEditReplacesTheFirstEqualRecordAndKeepsItsKeys()
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
    }

    void movesLandAboveTheTargetRow()
    {
        QVariantList records{record(0), record(3), record(4)};
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
        QCOMPARE(menuTitles(menu),
                 (QStringList{"Mark as Completed", "Show Details", "", "Clear Due Date", "Today",
                              "Unsupported Action", "", "Move to List", "Set Priority"}));
        QCOMPARE(menu.at(3).tag, 1); // the record index, with "After" left out
        QCOMPARE(enabledOf(menu.mid(3, 3)), (QList<bool>{false, true, false})); // nothing to clear
        const QuickActionMenuEntry& lists = menu.at(7);
        QCOMPARE(menuTitles(lists.items), (QStringList{"Work", "Home"}));
        QCOMPARE(enabledOf(lists.items), (QList<bool>{true, false}));
        QCOMPARE(lists.items.at(1).tag, 1);

        const ReminderPtr recurring = ReminderBuilder("Repeats")
                                          .in(work)
                                          .dueAt(local(2027, 2, 1, 9))
                                          .recurring()
                                          .completedAt(local(2027, 2, 1, 9));
        menu = QuickActionMenu::build(recurring, true, actions, false, {work, home});
        QCOMPARE(menuTitles(menu).mid(0, 6), (QStringList{"Mark as Incomplete", "Hide Details", "",
                                                          "After", "Clear Due Date", "Today"}));
        QCOMPARE(menu.at(3).tag, 0);
        QCOMPARE(enabledOf(menu.at(8).items), (QList<bool>{false, true}));

        QVERIFY(QuickActionMenu::build(nullptr, false, actions, false, {work, home}).isEmpty());
    }

    void thePriorityItems()
    {
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

    void dateActions_data()
    {
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QList<QDateTime>>("alarms");
        QTest::addColumn<QVariantMap>("action");
        QTest::addColumn<bool>("alarmOn");
        QTest::addColumn<bool>("noDueTime");
        QTest::addColumn<QDateTime>("expectedDue");
        QTest::addColumn<QList<QDateTime>>("expectedAlarms");
        using Dates = QList<QDateTime>;
        const auto row = [](const char* name, const QDateTime& due, const Dates& alarms,
                            const QVariantMap& action, bool alarmOn, bool noDueTime,
                            const QDateTime& expectedDue, const Dates& expectedAlarms) {
            QTest::newRow(name) << due << alarms << action << alarmOn << noDueTime << expectedDue
                                << expectedAlarms;
        };
        const QDateTime jan31 = local(2027, 1, 31, 10);
        const QDateTime lastTuesday = local(2027, 1, 26, 15, 30);
        const QDateTime now = local(2027, 2, 3, 10, 30);
        row("+1 day at the end of a month", jan31, {}, shift(10, 1), true, false,
            local(2027, 2, 1, 10), {});
        row("+1 month to a shorter month", jan31, {jan31}, shift(14, 1), true, false,
            local(2027, 2, 28, 10), {local(2027, 2, 28, 10)});
        row("two time alarms become one at the new time", jan31,
            {local(2027, 1, 31, 9), local(2027, 1, 31, 9, 45)}, shift(9, 2), true, false,
            local(2027, 1, 31, 8), {local(2027, 1, 31, 8)});
        row("moved to midnight rings at the alarm time", local(2027, 1, 31, 23),
            {local(2027, 1, 31, 23)}, shift(8, 1), true, false, local(2027, 2, 1),
            {local(2027, 2, 1, 8)});
        row("+5 minutes undated, alarmOn on", {}, {}, shift(6, 5), true, false, now.addSecs(300),
            {now.addSecs(300)});
        row("today on undated", {}, {}, record(3), true, false, local(2027, 2, 3, 8),
            {local(2027, 2, 3, 8)});
        row("today on undated with noDueTime", {}, {}, record(3), false, true, local(2027, 2, 3),
            {});
        row("today keeps the time and the alarm", lastTuesday, {local(2027, 1, 26, 15)}, record(3),
            false, false, local(2027, 2, 3, 15, 30), {local(2027, 2, 3, 15, 30)});
        row("now", jan31, {jan31}, record(4), false, false, now, {now});
        row("clearing keeps only the place alarm", jan31, {jan31}, record(0), true, false, {}, {});
        row("missing number only moves the alarm", jan31, {local(2027, 1, 30, 18)}, record(8),
            false, false, jan31, {jan31});
    }

    void dateActions()
    {
        QFETCH(QDateTime, due);
        QFETCH(QList<QDateTime>, alarms);
        QFETCH(QVariantMap, action);
        QFETCH(bool, alarmOn);
        QFETCH(bool, noDueTime);
        QFETCH(QDateTime, expectedDue);
        QFETCH(QList<QDateTime>, expectedAlarms);

        m_store->defaults->setBool(alarmOn, PrefKey::alarmOn);
        m_store->defaults->setBool(noDueTime, PrefKey::noDueTime);
        m_store->defaults->setObject(QVariantList{action}, PrefKey::quickActions);
        seed("home", [&](Reminder& r) {
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
        QVERIFY(saved && bool(saved->dueDateComponents) == expectedDue.isValid());
        // Until the next refresh the window shows the task it changed: it is what the file says.
        QCOMPARE(task->dueDateComponents, saved->dueDateComponents);
        if (expectedDue.isValid()) {
            QCOMPARE(saved->dueDateComponents->toDateTime(), expectedDue);
            QCOMPARE(saved->dueDateComponents->hasTimeOfDay(), expectedDue.time() != QTime(0, 0));
        }
        QCOMPARE(saved->startDateComponents, saved->dueDateComponents);
        QCOMPARE(timeAlarmsOf(*saved), expectedAlarms);
        // Moving a date keeps the place alarm and the repeat rule; clearing it, the place only.
        QCOMPARE(saved->alarms.size(), expectedAlarms.size() + 1);
        QCOMPARE(saved->hasRecurrenceRules(), due.isValid() && expectedDue.isValid());
    }

    void afterCompletesARecurringTaskCountingFromToday()
    {
        m_store->defaults->setObject(QVariantList{record(21)}, PrefKey::quickActions);
        seed("home", [](Reminder& r) {
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

    void textActions_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<bool>("tagOnNotes");
        QTest::addColumn<QVariantMap>("action");
        QTest::addColumn<QString>("menuTitle");
        QTest::addColumn<QString>("expectedTitle");
        QTest::addColumn<QString>("expectedNotes");
        const auto row = [](const char* name, const QString& title, const QString& notes,
                            bool tagOnNotes, const QVariantMap& action, const QString& menuTitle,
                            const QString& expectedTitle, const QString& expectedNotes) {
            QTest::newRow(name) << title << notes << tagOnNotes << action << menuTitle
                                << expectedTitle << expectedNotes;
        };
        const QVariantMap home = record(2, "tag", "Home");
        const QVariantMap levels = switchOf({"Low", "Mid", "High"});
        row("remove the tag from the title", "Buy milk #home", "", false, home, "Remove #Home",
            "Buy milk", "");
        row("remove the tag from the notes", "Buy milk", "#HOME  for later", false, home,
            "Remove #Home", "Buy milk", "for later");
        row("add the tag to empty notes", "Buy milk", "", true, home, "Add #Home", "Buy milk",
            "#Home");
        row("add the tag after the notes", "Buy milk", "2 litres", true, home, "Add #Home",
            "Buy milk", "2 litres #Home");
        row("a longer tag is left alone", "Read #homework", "", false, home, "Add #Home",
            "Read #homework #Home", "");
        row("a verbatim word", "call back urgent", "", false, record(19, "tag", "Urgent"),
            "Remove Urgent", "call back", "");
        row("switch a word of the title", "Deploy high risk", "", false, levels,
            "Switch High to Low", "Deploy Low risk", "");
        row("switch the last word round to the first", "Risk: HIGH", "", false, levels,
            "Switch High to Low", "Risk: Low", "");
        row("switch in the notes", "Deploy", " mid ", true, levels, "Switch Mid to High", "Deploy",
            "High");
    }

    void textActions()
    {
        QFETCH(QString, title);
        QFETCH(QString, notes);
        QFETCH(bool, tagOnNotes);
        QFETCH(QVariantMap, action);
        QFETCH(QString, menuTitle);
        QFETCH(QString, expectedTitle);
        QFETCH(QString, expectedNotes);

        m_store->defaults->setBool(tagOnNotes, PrefKey::tagOnNotes);
        m_store->defaults->setObject(QVariantList{record(4), action}, PrefKey::quickActions);
        seed("home", [&](Reminder& r) {
            r.title = title;
            r.notes = notes;
        });
        DataManager& manager = createLoaded();
        const ReminderPtr task = inSnapshot(title);
        QVERIFY(task);
        const QList<QuickActionMenuEntry> menu = QuickActionMenu::build(manager, task, false);
        QCOMPARE(menu.at(4).tag, 1);
        QCOMPARE(menu.at(4).title, menuTitle);

        QCOMPARE(QuickActionPerformer(manager).menuQuickAction(1, task), Outcome::Saved);
        const ReminderPtr saved = diskTask(expectedTitle);
        QVERIFY(saved && !saved->dueDateComponents);
        QCOMPARE(saved->notes, expectedNotes);
    }

    // --- Lists, priorities and what does nothing -----------------------------------------

    void listAndPriority()
    {
        seed("home", [](Reminder& r) {
            r.title = "Task";
            r.priority = 5;
        });
        DataManager& manager = createLoaded();
        QuickActionPerformer performer(manager);
        const ReminderPtr task = inSnapshot("Task");

        const QByteArray before = readFile(task->origin->filePath);
        QVERIFY(!performer.menuChangeToList(task, 1)); // "home", its own list
        QVERIFY(!performer.menuSetPriority(task, 2));  // medium already
        QCOMPARE(readFile(task->origin->filePath), before);

        QVERIFY(performer.menuSetPriority(task, 3));
        QCOMPARE(diskTask("Task")->priority, 1);
        QVERIFY(performer.menuSetPriority(task, 0));
        QCOMPARE(diskTask("Task")->priority, 0);

        QVERIFY(performer.menuChangeToList(task, 0));
        QCOMPARE(diskTask("Task")->calendar->calendarIdentifier, QString("work"));
    }

    void recordsThatCannotBePerformedChangeNothing()
    {
        m_store->defaults->setObject(
            QVariantList{record(5), record(2, "tag", ""), switchOf({}), QVariant("text")},
            PrefKey::quickActions);
        seed("home", [](Reminder& r) {
            r.title = "Task";
            r.dueDateComponents = DateComponents::fromDateTime(local(2027, 2, 5, 9));
        });
        DataManager& manager = createLoaded();
        QuickActionPerformer performer(manager);
        const ReminderPtr task = inSnapshot("Task");
        const QByteArray before = readFile(task->origin->filePath);
        for (int index : {-1, 0, 1, 2, 3, 4})
            QCOMPARE(performer.menuQuickAction(index, task), Outcome::Unchanged);
        QCOMPARE(performer.menuQuickAction(0, nullptr), Outcome::Unchanged);
        QCOMPARE(readFile(task->origin->filePath), before);
        QCOMPARE(task->dueDateComponents->toDateTime(), local(2027, 2, 5, 9));

        const QList<QuickActionMenuEntry> menu = QuickActionMenu::build(manager, task, false);
        QCOMPARE(enabledOf(menu.mid(3, 4)), (QList<bool>{false, false, false, false}));
    }

private:
    QString root() const { return m_store->root(); }

    DataManager& createLoaded()
    {
        m_store->load();
        return *m_store->manager;
    }

    void seed(const QString& list, const std::function<void(Reminder&)>& fill)
    {
        m_store->seed(list, fill);
    }
    ReminderPtr inSnapshot(const QString& title) const { return m_store->inSnapshot(title); }
    ReminderPtr diskTask(const QString& title) const { return m_store->taskOnDisk(title); }

    std::unique_ptr<SeededStore> m_store;
};

VELMORAN_TEST_MAIN(TestQuickActions)
#include "tst_quickactions.moc"

#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "commands/ServicesEntry.h"
#include "commands/ShowTaskTarget.h"
#include "commands/UrlCommand.h"
#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace store;
using namespace TestFiles;
using TestEnvironment::local;

namespace {

// The main window as the "open" command sees it: whether it can show a task now, and what it
// was asked to do.
class WindowTarget : public ShowTaskTarget
{
public:
    void bringMainWindowToFront() override { ++broughtToFront; }
    bool canShowTaskNow() const override { return ready; }
    void openObject(const ReminderPtr& reminder) override { opened << reminder->title; }

    bool ready = true;
    int broughtToFront = 0;
    QStringList opened;
};

} // namespace

// Wednesday 9 December 2026, 10:00 in Berlin, over a store with the lists Home, Work and Wood
// in that order (Home is the store's default list), and the tasks Laundry in Home and Trip in
// Work.
class TestUrlCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        m_store->addList("home", "Home", 0);
        m_store->addList("work", "Work", 1);
        m_store->addList("wood", "Wood", 2);
        writeFile(m_store->root() + "/work/trip.ics", todo("trip-1", "Trip"));
        writeFile(m_store->root() + "/home/laundry-1.ics", todo("laundry-1", "Laundry"));
        QVERIFY(m_store->load());
        m_store->context.reset();
        m_store->context.emplace(m_store->defaults.get(), &m_store->manager->dates());
        m_command = std::make_unique<UrlCommand>(*m_store->manager);
    }

    void cleanup()
    {
        m_command.reset();
        m_store.reset();
    }

    void addMapsItsArguments()
    {
        const qint64 addCount = m_store->defaults->integerForKey(PrefKey::addCount);
        const UrlCommand::Result result = m_command->getUrl("velmoran://add?text=Buy%20milk");
        QCOMPARE(result.status, UrlCommand::Status::Saved);
        const ReminderPtr plain = diskTask("Buy milk");
        QVERIFY(plain);
        QCOMPARE(plain->calendar->calendarIdentifier, QString("home"));
        QVERIFY(!plain->dueDateComponents && plain->alarms.isEmpty() && plain->priority == 0);
        QCOMPARE(result.reminder->calendarItemIdentifier, plain->calendarItemIdentifier);
        QCOMPARE(m_store->defaults->integerForKey(PrefKey::addCount), addCount + 1);

        // CR LF is one break: one line break in the notes, one space in a title.
        m_command->getUrl("velmoran://add?text=call%0D%0Amom&url=https%3A%2F%2Fexample.org%2Fa"
                          "%3Fb%3D1&notes=line%20one%0D%0Aline%20two");
        const ReminderPtr full = diskTask("call mom");
        QVERIFY(full);
        QCOMPARE(full->URL, QUrl("https://example.org/a?b=1"));
        QCOMPARE(full->notes, QString("line one\nline two"));
        m_command->getUrl("velmoran://smartadd?text=water%0D%0Aplants");
        QVERIFY(diskTask("water plants"));
    }

    // A subtask goes into its parent's list whatever "list" says; an unknown parent adds nothing.
    void addWithAParentMakesASubtask()
    {
        const QString trip = diskTask("Trip")->calendarItemIdentifier;
        const UrlCommand::Result result =
            m_command->getUrl("velmoran://add?text=Pack&list=Home&parent=" + trip);
        QCOMPARE(result.status, UrlCommand::Status::Saved);
        const ReminderPtr pack = diskTask("Pack");
        QVERIFY(pack);
        QCOMPARE(pack->calendar->calendarIdentifier, QString("work"));
        QCOMPARE(pack->parentUid, QString("trip-1"));
        QCOMPARE(m_command->getUrl("velmoran://add?text=Lost&parent=no-such-task").status,
                 UrlCommand::Status::NotFound);
        QCOMPARE(onDisk().size(), 3);
    }

    void addDueForms_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("preference"); // a switch turned the other way
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QDateTime>("alarm");
        // Without an alarm argument the alarm is at the due date.
        const auto row = [](const char* query, const char* preference, const QDateTime& due,
                            std::optional<QDateTime> alarm = {}) {
            QTest::newRow(query) << QString::fromLatin1(query) << QString(preference) << due
                                 << alarm.value_or(due);
        };
        row("due=09:00", "", local(2026, 12, 10, 9, 0));
        row("due=2030-01-15", "noDueTime", local(2030, 1, 15), local(2030, 1, 15, 8, 0));
        row("due=2030-01-15%2018:30&alarm=0", "", local(2030, 1, 15, 18, 30), QDateTime());
        row("dueAfter=90", "noDueTime", local(2026, 12, 9, 11, 30));
        row("dueAfter=90&due=2030-01-15%2018:30", "", local(2030, 1, 15, 18, 30));
        row("due=&dueAfter=30", "", local(2026, 12, 9, 10, 30));
        // An unreadable due date (which forms are, tst_duestring says) is no due date, and
        // dueAfter does not stand in for it.
        row("due=13-45&dueAfter=90", "", {});
        // The alarm preference decides only without an alarm argument.
        row("due=2030-01-15%2018:30&notes=", "alarmOn", local(2030, 1, 15, 18, 30), QDateTime());
        row("due=2030-01-15%2018:30&alarm=1", "alarmOn", local(2030, 1, 15, 18, 30));
        row("due=2030-01-15%2018:30&alarm=7", "alarmOn", local(2030, 1, 15, 18, 30));
    }

    void addDueForms()
    {
        QFETCH(QString, query);
        QFETCH(QString, preference);
        QFETCH(QDateTime, due);
        QFETCH(QDateTime, alarm);
        if (!preference.isEmpty())
            m_store->defaults->setBool(!m_store->defaults->boolForKey(preference), preference);
        QCOMPARE(m_command->getUrl("velmoran://add?text=Dated&" + query).status,
                 UrlCommand::Status::Saved);
        const ReminderPtr task = diskTask("Dated");
        QVERIFY(task);
        QCOMPARE(bool(task->dueDateComponents), due.isValid());
        if (due.isValid()) {
            QCOMPARE(task->dueDateComponents->toDateTime(), due);
            QCOMPARE(task->startDateComponents, task->dueDateComponents);
        }
        QCOMPARE(task->alarms.size(), alarm.isValid() ? 1 : 0);
        if (alarm.isValid())
            QCOMPARE(task->alarms.first().absoluteDate.toLocalTime(), alarm);
    }

    void priorities()
    {
        // No argument, then the values of "priority=": 1 high … 3 low, others high or none.
        const QList<std::pair<QString, int>> rows{{{}, 0},  {"0", 0},  {"1", 9},  {"2", 5},
                                                  {"3", 1}, {"42", 1}, {"-1", 1}, {"urgent", 0}};
        for (const auto& [value, stored] : rows) {
            m_command->getUrl("velmoran://add?text=Ranked" +
                              (value.isNull() ? QString() : "&priority=" + value));
            const ReminderPtr task = diskTask("Ranked");
            QVERIFY2(task && task->priority == stored, qPrintable(value));
            QVERIFY(QFile::remove(task->origin->path()));
        }
    }

    void listNamesResolve()
    {
        const QList<std::pair<QString, QString>> rows{
            {"wo", "wood"},   // both begin with it: the later one
            {"WORK", "work"}, // equal ignoring case
            {"Wood", "wood"}, // equal beats beginning
            {"garden", "home"}, {"", "home"}, {"../../work", "home"}, {"/", "home"}};
        for (const auto& [name, list] : rows)
            QVERIFY2(m_store->manager->lists().calendarFromName(name)->calendarIdentifier == list,
                     qPrintable(name));
        m_command->getUrl("velmoran://add?text=Filed&list=WORK");
        QCOMPARE(diskTask("Filed")->calendar->calendarIdentifier, QString("work"));
        // The default list preference catches unknown names.
        m_store->defaults->setString("work", PrefKey::defaultList);
        QCOMPARE(m_store->manager->lists().calendarFromName("garden")->calendarIdentifier,
                 QString("work"));
    }

    void selectedListsOnly()
    {
        const auto found = [this](const QString& name) {
            return m_store->manager->lists()
                .calendarFromNameOnlyFromSelectedCalendars(name)
                ->calendarIdentifier;
        };
        m_store->defaults->setObject(QStringList{"wood", "gone", "home"}, PrefKey::visibleLists);
        // Work is hidden: "wo" finds Wood, and "work" finds nothing and falls to the default.
        QCOMPARE(found("wo"), QString("wood"));
        QCOMPARE(found("work"), QString("home"));
        // Only vanished lists chosen: the store's default list alone is searched.
        m_store->defaults->setObject(QStringList{"gone"}, PrefKey::visibleLists);
        QCOMPARE(found("ho"), QString("home"));
    }

    void smartAddPriorityListAndAlarm()
    {
        m_store->defaults->setBool(false, PrefKey::alarmOn);
        m_store->defaults->setObject(QStringList{"home", "work", "wood"}, PrefKey::visibleLists);
        m_command->smartAdd("!!! pay rent /wo tomorrow al");
        const ReminderPtr task = diskTask("pay rent");
        QVERIFY(task);
        QCOMPARE(task->priority, 1);
        QCOMPARE(task->calendar->calendarIdentifier, QString("wood"));
        QCOMPARE(task->dueDateComponents->toDateTime(), local(2026, 12, 10, 8, 0));
        // "al" asks for an alarm although the preference is off.
        QCOMPARE(task->alarms.size(), 1);
    }

    // Nothing left of a Smart Add line to make a title of, or a URL that is not ours: nothing
    // is added or counted. Hosts ignore case.
    void nothingIsAdded()
    {
        const qint64 addCount = m_store->defaults->integerForKey(PrefKey::addCount);
        for (const char* text : {"", "   ", "tomorrow ", "! tomorrow 3pm "}) {
            const UrlCommand::Result result = m_command->smartAdd(text);
            QVERIFY2(result.status == UrlCommand::Status::NotSaved && !result.reminder, text);
        }
        for (const char* url : {"velmoran://frobnicate?text=x", "https://add?text=x",
                                "velmoran:add?text=x", "add text=x", ""}) {
            const UrlCommand::Result result = m_command->getUrl(url);
            QVERIFY2(result.command == UrlCommand::Command::None &&
                         result.status == UrlCommand::Status::Ignored,
                     url);
        }
        QCOMPARE(onDisk().size(), 2);
        QCOMPARE(m_store->defaults->integerForKey(PrefKey::addCount), addCount);
        QCOMPARE(m_command->getUrl("VELMORAN://ADD?text=Loud").status, UrlCommand::Status::Saved);
    }

    // An open raises the window every time; it shows the task once the window can, and an
    // unknown task never.
    void openShowsTheTaskWhenTheWindowCan()
    {
        WindowTarget window;
        UrlCommand command(*m_store->manager, &window);
        const UrlCommand::Result result = command.getUrl("velmoran://open?uuid=laundry-1");
        QCOMPARE(result.status, UrlCommand::Status::Found);
        QCOMPARE(result.reminder->title, QString("Laundry"));
        QCOMPARE(window.opened, QStringList{"Laundry"});

        window.opened.clear();
        window.ready = false;
        for (const char* url :
             {"velmoran://open?uuid=nothing-here", "velmoran://open?uuid=", "velmoran://open"})
            QCOMPARE(command.getUrl(url).status, UrlCommand::Status::NotFound);
        command.getUrl("velmoran://open?uuid=laundry-1");
        QVERIFY(window.opened.isEmpty());
        window.ready = true;
        QTRY_COMPARE_WITH_TIMEOUT(window.opened, QStringList{"Laundry"}, 3000);
        QCOMPARE(window.broughtToFront, 5);
    }

    void badInputStillAddsASoundTask()
    {
        // A stray percent sign is kept as text.
        m_command->getUrl("velmoran://add?text=100%zz%");
        QVERIFY(diskTask("100%zz%"));
        // Control characters (NUL among them) cannot reach a task file.
        m_command->getUrl("velmoran://add?text=a%00b%01c%0Ad&notes=x%00y");
        const ReminderPtr binary = diskTask("a b c d");
        QVERIFY(binary);
        QCOMPARE(binary->notes, QString("x y"));
        // Invalid UTF-8 becomes replacement characters, not a broken file.
        m_command->getUrl("velmoran://add?text=caf%C3%A9%FF");
        QVERIFY(diskTask(QString::fromUtf8("café\uFFFD")));
        // A huge value is stored whole.
        const QString huge = QString("x").repeated(200000);
        QCOMPARE(m_command->getUrl("velmoran://add?text=" + huge).status,
                 UrlCommand::Status::Saved);
        QVERIFY(diskTask(huge));
        // No title at all adds nothing.
        QCOMPARE(m_command->getUrl("velmoran://add?text=").status, UrlCommand::Status::NotSaved);
        QCOMPARE(m_command->getUrl("velmoran://add?due=09:00").status,
                 UrlCommand::Status::NotSaved);
        QCOMPARE(onDisk().size(), 6);
    }

    void firstLinks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("link");
        const auto row = [](const char* name, const QString& text, const QString& link) {
            QTest::newRow(name) << text << link;
        };
        row("none", "Buy milk", {});
        row("https", "Read https://example.org/a?b=1 later", "https://example.org/a?b=1");
        row("first of two", "see http://a.example and https://b.example", "http://a.example");
        row("www", "visit www.example.org.", "http://www.example.org");
        row("mailto", "write mailto:anna@example.org, soon", "mailto:anna@example.org");
        row("ftp", "ftp://files.example.org/pub", "ftp://files.example.org/pub");
        row("in brackets", "(see https://example.org/x)", "https://example.org/x");
        row("brackets of its own", "https://en.example.org/wiki/Foo_(bar)",
            "https://en.example.org/wiki/Foo_(bar)");
        row("scheme alone", "http:// is a scheme", {});
        row("www alone", "the www. prefix", {});
        row("inside a word", "notwww.example.org", {});
    }

    void firstLinks()
    {
        QFETCH(QString, text);
        QTEST(firstLinkInText(text), "link");
    }

    void servicesTurnTextIntoATask()
    {
        m_store->defaults->setString("work", PrefKey::defaultList);
        VelmoranServices services(*m_store->manager);
        QVERIFY(
            services.newTaskFromServices(QString("Check www.example.org/report\nbefore Friday")));
        const ReminderPtr task = diskTask("Check www.example.org/report before Friday");
        QVERIFY(task);
        QCOMPARE(task->URL, QUrl("http://www.example.org/report"));
        QCOMPARE(task->calendar->calendarIdentifier, QString("work"));
        QVERIFY(!task->dueDateComponents && task->alarms.isEmpty());

        QVERIFY(!services.newTaskFromServices(std::nullopt));
        QVERIFY(!services.newTaskFromServices(QString(" \n ")));
        QCOMPARE(onDisk().size(), 3);
    }

private:
    // What the files hold, read by a store of its own.
    QList<ReminderPtr> onDisk() const { return m_store->tasksOnDisk(); }
    ReminderPtr diskTask(const QString& title) const { return m_store->taskOnDisk(title); }

    std::unique_ptr<LoadedStore> m_store;
    std::unique_ptr<UrlCommand> m_command;
};

VELMORAN_TEST_MAIN(TestUrlCommands)
#include "tst_urlcommands.moc"

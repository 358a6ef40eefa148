#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TypingField.h"

#include "commands/UrlCommand.h"
#include "entry/SmartAddPreview.h"
#include "platform/store/Recurrence.h"
#include "prefs/SmartAddRuleSets.h"

using TestEnvironment::local;

namespace {

QString described(const QString& title, const QDateTime& due,
                  const std::optional<store::RecurrenceRule>& rule)
{
    return title + '|' + due.toString(Qt::ISODate) + '|' +
           (rule ? store::Recurrence::formatRule(*rule, due, false) : QString());
}

// The preset time of a new due date ("alarmTime") on a day of 2027.
QDateTime at8(int day, int month)
{
    return local(2027, month, day, 8, 0);
}

} // namespace

// Friday 26 March 2027, 10:00 in Berlin; the clocks go forward on Sunday the 28th. Each line
// runs with its language's default rules, so a repeat phrase meets the rules' own words
// ("Monday", "morgen", "31.12." as a date).
class TestSmartAddRepeats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(local(2027, 3, 26, 10, 0));
        m_smartAdd = std::make_unique<SmartAdd>(*m_store->defaults, m_store->clock);
    }

    void cleanup()
    {
        m_smartAdd.reset();
        m_store.reset();
    }

    // The line in one pass (the "smartadd" command) and typed into a quick-add field give the
    // same task. An empty rule: no repeat.
    void phrases_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // title|due|rule
        QTest::addColumn<bool>("repeatsOn");
        const char* language = "en";
        const auto row = [&language](const char* line, const char* title, const char* rrule,
                                     const QDateTime& due, bool repeatsOn = true) {
            QTest::addRow(repeatsOn ? "%s: %s" : "%s: %s (repeats off)", language, line)
                << QString(language) << QString::fromUtf8(line)
                << QString::fromUtf8(title) + '|' + due.toString(Qt::ISODate) + '|' + rrule
                << repeatsOn;
        };
        const QDateTime none;
        // The days of the first week at the preset time, from today on.
        const QDateTime fri = at8(26, 3), sat = at8(27, 3), sun = at8(28, 3), mon = at8(29, 3),
                        tue = at8(30, 3), wed = at8(31, 3), thu = at8(1, 4);

        row("Water the plants daily", "Water the plants", "FREQ=DAILY", fri);
        row("Stretch every day", "Stretch", "FREQ=DAILY", fri);
        row("Backup every other day", "Backup", "FREQ=DAILY;INTERVAL=2", fri);
        row("Call grandma every 3 days", "Call grandma", "FREQ=DAILY;INTERVAL=3", fri);
        row("Review budget every 2 weeks", "Review budget", "FREQ=WEEKLY;INTERVAL=2", fri);
        row("Check tyres every six months", "Check tyres", "FREQ=MONTHLY;INTERVAL=6", fri);
        row("Renew passport every 10 years", "Renew passport", "FREQ=YEARLY;INTERVAL=10;BYMONTH=3",
            fri);
        row("Team report weekly", "Team report", "FREQ=WEEKLY", fri);
        row("Clean the fridge fortnightly", "Clean the fridge", "FREQ=WEEKLY;INTERVAL=2", fri);
        row("Pay rent monthly", "Pay rent", "FREQ=MONTHLY", fri);
        row("Dentist yearly", "Dentist", "FREQ=YEARLY;BYMONTH=3", fri);
        row("Standup every weekday", "Standup", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", fri);
        row("Hike every weekend", "Hike", "FREQ=WEEKLY;BYDAY=SA,SU", sat);
        row("Water the plants every Monday", "Water the plants", "FREQ=WEEKLY;BYDAY=MO", mon);
        row("Church every Sunday", "Church", "FREQ=WEEKLY;BYDAY=SU", sun);
        row("Gym every Mon and Thu", "Gym", "FREQ=WEEKLY;BYDAY=MO,TH", mon);
        row("Piano every Tuesday, Thursday and Saturday", "Piano", "FREQ=WEEKLY;BYDAY=TU,TH,SA",
            sat);
        row("Rotate logs every other Wednesday", "Rotate logs", "FREQ=WEEKLY;INTERVAL=2;BYDAY=WE",
            wed);
        row("Mow the lawn weekly on Saturday", "Mow the lawn", "FREQ=WEEKLY;BYDAY=SA", sat);
        row("Garden every 2 weeks on Mon and Fri", "Garden", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR",
            fri);
        row("Pay rent every month on the 15th", "Pay rent", "FREQ=MONTHLY;BYMONTHDAY=15",
            at8(15, 4));
        row("Pay rent monthly on the 1st", "Pay rent", "FREQ=MONTHLY;BYMONTHDAY=1", thu);
        row("Payroll every 2 months on the 25th", "Payroll",
            "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=25", at8(25, 4));
        row("Board meeting every last Friday", "Board meeting", "FREQ=MONTHLY;BYDAY=-1FR", fri);
        row("Book club every 1st Monday", "Book club", "FREQ=MONTHLY;BYDAY=1MO", at8(5, 4));
        row("Yoga every Monday until 31 Dec", "Yoga", "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z",
            mon);
        row("Bins every Thursday until Jun 30, 2027 please", "Bins please",
            "FREQ=WEEKLY;BYDAY=TH;UNTIL=20270630T215959Z", thu);
        row("Timesheet every Friday until 4/30", "Timesheet",
            "FREQ=WEEKLY;BYDAY=FR;UNTIL=20270430T215959Z", fri);
        row("Physio every other day for 10 times", "Physio", "FREQ=DAILY;INTERVAL=2;COUNT=10", fri);
        row("Vitamins daily 5 times", "Vitamins", "FREQ=DAILY;COUNT=5", fri);
        // With the rules' date and time words: the repeat starts on the rules' day and keeps
        // their time.
        row("Call mom tomorrow every week", "Call mom", "FREQ=WEEKLY", sat);
        row("Standup every weekday 9am", "Standup", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
            local(2027, 3, 26, 9, 0));
        row("Team sync Tuesday weekly", "Team sync", "FREQ=WEEKLY", tue);
        row("Review tomorrow every Monday", "Review", "FREQ=WEEKLY;BYDAY=MO", mon);
        // Not repeats.
        row("every", "every", "", none);
        row("Read every", "Read every", "", none);
        row("Monday's meeting", "Monday's meeting", "", none);
        row("Prepare every Monday's agenda", "Prepare every Monday's agenda", "", none);
        row("Write \"weekly report\"", "Write \"weekly report\"", "", none);
        row("Dailyness check", "Dailyness check", "", none);
        row("Run every 0 days", "Run every 0 days", "", none);
        row("Water the plants every Monday", "Water the plants every", "", mon, false);

        language = "de";
        row("Blumen gießen täglich", "Blumen gießen", "FREQ=DAILY", fri);
        row("Zähne putzen jeden Tag", "Zähne putzen", "FREQ=DAILY", fri);
        row("Rasen sprengen jeden zweiten Tag", "Rasen sprengen", "FREQ=DAILY;INTERVAL=2", fri);
        row("Auto waschen alle 3 Wochen", "Auto waschen", "FREQ=WEEKLY;INTERVAL=3", fri);
        row("Putzen alle zwei Wochen", "Putzen", "FREQ=WEEKLY;INTERVAL=2", fri);
        row("Bericht wöchentlich", "Bericht", "FREQ=WEEKLY", fri);
        row("Miete monatlich", "Miete", "FREQ=MONTHLY", fri);
        row("Steuer jährlich", "Steuer", "FREQ=YEARLY;BYMONTH=3", fri);
        row("Müll rausbringen jeden Montag", "Müll rausbringen", "FREQ=WEEKLY;BYDAY=MO", mon);
        row("Sport jeden Mo und Do", "Sport", "FREQ=WEEKLY;BYDAY=MO,TH", mon);
        row("Chor donnerstags", "Chor", "FREQ=WEEKLY;BYDAY=TH", thu);
        row("Zeitung werktags", "Zeitung", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", fri);
        row("Lauftreff jedes Wochenende", "Lauftreff", "FREQ=WEEKLY;BYDAY=SA,SU", sat);
        row("Miete jeden Monat am 15.", "Miete", "FREQ=MONTHLY;BYMONTHDAY=15", at8(15, 4));
        row("Stammtisch jeden letzten Freitag", "Stammtisch", "FREQ=MONTHLY;BYDAY=-1FR", fri);
        row("Müll jeden Montag bis 31.12.", "Müll", "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z",
            mon);
        row("Tabletten täglich 10 mal", "Tabletten", "FREQ=DAILY;COUNT=10", fri);
        row("Arzt morgen jährlich", "Arzt", "FREQ=YEARLY;BYMONTH=3", sat);
        row("Montags-Meeting vorbereiten", "Montags-Meeting vorbereiten", "", none);

        language = "fr";
        row("Arroser les plantes tous les jours", "Arroser les plantes", "FREQ=DAILY", fri);
        row("Méditer chaque jour", "Méditer", "FREQ=DAILY", fri);
        row("Ménage un jour sur deux", "Ménage", "FREQ=DAILY;INTERVAL=2", fri);
        row("Piscine tous les deux jours", "Piscine", "FREQ=DAILY;INTERVAL=2", fri);
        row("Réunion toutes les 2 semaines", "Réunion", "FREQ=WEEKLY;INTERVAL=2", fri);
        row("Rapport hebdomadaire", "Rapport", "FREQ=WEEKLY", fri);
        row("Loyer mensuel", "Loyer", "FREQ=MONTHLY", fri);
        row("Bilan annuel", "Bilan", "FREQ=YEARLY;BYMONTH=3", fri);
        row("Sortir les poubelles chaque lundi", "Sortir les poubelles", "FREQ=WEEKLY;BYDAY=MO",
            mon);
        row("Marché tous les samedis", "Marché", "FREQ=WEEKLY;BYDAY=SA", sat);
        row("Cours chaque lun et jeu", "Cours", "FREQ=WEEKLY;BYDAY=MO,TH", mon);
        row("Rando tous les week-ends", "Rando", "FREQ=WEEKLY;BYDAY=SA,SU", sat);
        row("Loyer tous les mois le 1er", "Loyer", "FREQ=MONTHLY;BYMONTHDAY=1", thu);
        row("Apéro chaque dernier vendredi", "Apéro", "FREQ=MONTHLY;BYDAY=-1FR", fri);
        row("Jogging chaque lundi jusqu'au 31 déc", "Jogging",
            "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z", mon);
        row("Yoga chaque mardi jusqu’au 30/04", "Yoga",
            "FREQ=WEEKLY;BYDAY=TU;UNTIL=20270430T215959Z", tue);
        row("Kiné chaque jour 10 fois", "Kiné", "FREQ=DAILY;COUNT=10", fri);
        row("Appeler maman demain chaque semaine", "Appeler maman", "FREQ=WEEKLY", sat);
        row("Loyer mensuel", "Loyer mensuel", "", none, false);
    }

    void phrases()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QFETCH(bool, repeatsOn);
        m_store->defaults->setObject(SmartAddRuleSets::forLanguage(language),
                                     PrefKey::smartAddRules);
        m_store->defaults->setBool(repeatsOn, PrefKey::smartAddRepeats);
        m_smartAdd->repeats().setLanguage(language);

        const SmartAddParse parse =
            m_smartAdd->parseLineWithRepeat(line, m_smartAdd->rulesFromPreferences());
        QCOMPARE(described(parse.title, parse.result.dueDate.value_or(QDateTime()), parse.repeat),
                 expected);
        const SmartAddPreview typed = SmartAddPreview::ofLine(*m_smartAdd, line);
        QVERIFY(typed.accepted);
        QCOMPARE(described(typed.title, typed.dueDate, typed.repeat), expected);
    }

    // The label shows the repeat as it is typed; undo takes back what came last, and a repeat
    // taken back leaves its words in the title and is read no more.
    void undoTakesTheRepeatBackAndKeepsItsWords()
    {
        m_smartAdd->repeats().setLanguage("en");
        SmartAddEntry entry(*m_smartAdd);
        entry.setup();
        QSignalSpy labels(&entry, &SmartAddEntry::repeatLabelChanged);

        TypingField field(entry);
        field.type("!! weekly report");
        const QString text = field.text();
        QCOMPARE(text, "weekly report");
        QCOMPARE(labels.last().at(0).toString(), "Every Week");
        QVERIFY(entry.canUndo());

        entry.undo();
        QCOMPARE(labels.last().at(0).toString(), QString());
        QVERIFY(!entry.repeat());
        QCOMPARE(entry.ruleLabelText(), "!!");
        entry.undo();
        QVERIFY(!entry.canUndo());

        const SmartAddEntry::Submission added = entry.submit(text + " daily");
        QCOMPARE(added.title, "weekly report daily");
        QVERIFY(!added.repeat && !added.priority && !added.dueDate.isValid());
    }

    // Through the "smartadd" URL command into a real store: the file holds the rule, and the due
    // date is the first Monday, after the clocks went forward, still at 08:00.
    void storedWithItsRule()
    {
        LoadedStore store;
        store.clock.setNow(local(2027, 3, 26, 10, 0));
        store.addList("home", "Home", 0);
        QVERIFY(store.load());
        UrlCommand command(*store.manager);

        const UrlCommand::Result result = command.getUrl(
            "velmoran://smartadd?text=Water%20the%20plants%20every%20Monday%20until%2030%20Apr");
        QCOMPARE(result.status, UrlCommand::Status::Saved);
        const store::ReminderPtr task = store.taskOnDisk("Water the plants");
        QVERIFY(task);
        QCOMPARE(task->dueDateComponents->toDateTime(), at8(29, 3));
        const QByteArray file = TestFiles::readFile(task->origin->path());
        QVERIFY2(file.contains("RRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20270430T215959Z\r\n"),
                 file.constData());
    }

private:
    std::optional<LoadedStore> m_store;
    std::unique_ptr<SmartAdd> m_smartAdd;
};

VELMORAN_TEST_MAIN(TestSmartAddRepeats)
#include "tst_smartaddrepeats.moc"

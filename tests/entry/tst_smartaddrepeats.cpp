#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "commands/UrlCommand.h"
#include "entry/SmartAddEntry.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/Recurrence.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/SmartAddRuleSets.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

using TestEnvironment::local;

namespace {

// Each character a user edit, the cursor at the end, the entry's answer written back.
QString typeInto(SmartAddEntry& entry, const QString& line)
{
    QString text;
    for (const QChar c : line) {
        text.append(c);
        if (const auto change = entry.userEditedText(text, text.size()))
            text = change->text;
    }
    return text;
}

QString rruleOf(const std::optional<store::RecurrenceRule>& rule, const QDateTime& due)
{
    return rule ? store::Recurrence::formatRule(*rule, due, false) : QString();
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
        m_dir = std::make_unique<QTemporaryDir>();
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        setupDefaultPreferences(*m_defaults, nullptr);
        m_clock.setNow(local(2027, 3, 26, 10, 0));
        m_smartAdd = std::make_unique<SmartAdd>(*m_defaults, m_clock);
    }

    void cleanup()
    {
        m_smartAdd.reset();
        m_defaults.reset();
        m_dir.reset();
    }

    // The line in one pass (the "smartadd" command) and typed into a quick-add field give the
    // same task. An empty rule: no repeat.
    void phrases_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rrule");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<bool>("repeatsOn");
        const auto row = [](const char* language, const char* line, const char* title,
                            const char* rrule, const QDateTime& due, bool repeatsOn = true) {
            QTest::addRow(repeatsOn ? "%s: %s" : "%s: %s (repeats off)", language, line)
                << QString(language) << QString::fromUtf8(line) << QString::fromUtf8(title)
                << QString(rrule) << due << repeatsOn;
        };
        const QDateTime none;

        row("en", "Water the plants daily", "Water the plants", "FREQ=DAILY", at8(26, 3));
        row("en", "Stretch every day", "Stretch", "FREQ=DAILY", at8(26, 3));
        row("en", "Backup every other day", "Backup", "FREQ=DAILY;INTERVAL=2", at8(26, 3));
        row("en", "Call grandma every 3 days", "Call grandma", "FREQ=DAILY;INTERVAL=3", at8(26, 3));
        row("en", "Review budget every 2 weeks", "Review budget", "FREQ=WEEKLY;INTERVAL=2",
            at8(26, 3));
        row("en", "Check tyres every six months", "Check tyres", "FREQ=MONTHLY;INTERVAL=6",
            at8(26, 3));
        row("en", "Renew passport every 10 years", "Renew passport",
            "FREQ=YEARLY;INTERVAL=10;BYMONTH=3", at8(26, 3));
        row("en", "Team report weekly", "Team report", "FREQ=WEEKLY", at8(26, 3));
        row("en", "Clean the fridge fortnightly", "Clean the fridge", "FREQ=WEEKLY;INTERVAL=2",
            at8(26, 3));
        row("en", "Pay rent monthly", "Pay rent", "FREQ=MONTHLY", at8(26, 3));
        row("en", "Dentist yearly", "Dentist", "FREQ=YEARLY;BYMONTH=3", at8(26, 3));
        row("en", "Standup every weekday", "Standup", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
            at8(26, 3));
        row("en", "Hike every weekend", "Hike", "FREQ=WEEKLY;BYDAY=SA,SU", at8(27, 3));
        row("en", "Water the plants every Monday", "Water the plants", "FREQ=WEEKLY;BYDAY=MO",
            at8(29, 3));
        row("en", "Church every Sunday", "Church", "FREQ=WEEKLY;BYDAY=SU", at8(28, 3));
        row("en", "Gym every Mon and Thu", "Gym", "FREQ=WEEKLY;BYDAY=MO,TH", at8(29, 3));
        row("en", "Piano every Tuesday, Thursday and Saturday", "Piano",
            "FREQ=WEEKLY;BYDAY=TU,TH,SA", at8(27, 3));
        row("en", "Rotate logs every other Wednesday", "Rotate logs",
            "FREQ=WEEKLY;INTERVAL=2;BYDAY=WE", at8(31, 3));
        row("en", "Mow the lawn weekly on Saturday", "Mow the lawn", "FREQ=WEEKLY;BYDAY=SA",
            at8(27, 3));
        row("en", "Garden every 2 weeks on Mon and Fri", "Garden",
            "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR", at8(26, 3));
        row("en", "Pay rent every month on the 15th", "Pay rent", "FREQ=MONTHLY;BYMONTHDAY=15",
            at8(15, 4));
        row("en", "Pay rent monthly on the 1st", "Pay rent", "FREQ=MONTHLY;BYMONTHDAY=1",
            at8(1, 4));
        row("en", "Payroll every 2 months on the 25th", "Payroll",
            "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=25", at8(25, 4));
        row("en", "Board meeting every last Friday", "Board meeting", "FREQ=MONTHLY;BYDAY=-1FR",
            at8(26, 3));
        row("en", "Book club every 1st Monday", "Book club", "FREQ=MONTHLY;BYDAY=1MO", at8(5, 4));
        row("en", "Yoga every Monday until 31 Dec", "Yoga",
            "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z", at8(29, 3));
        row("en", "Bins every Thursday until Jun 30, 2027 please", "Bins please",
            "FREQ=WEEKLY;BYDAY=TH;UNTIL=20270630T215959Z", at8(1, 4));
        row("en", "Timesheet every Friday until 4/30", "Timesheet",
            "FREQ=WEEKLY;BYDAY=FR;UNTIL=20270430T215959Z", at8(26, 3));
        row("en", "Physio every other day for 10 times", "Physio", "FREQ=DAILY;INTERVAL=2;COUNT=10",
            at8(26, 3));
        row("en", "Vitamins daily 5 times", "Vitamins", "FREQ=DAILY;COUNT=5", at8(26, 3));
        // With the rules' date and time words: the repeat starts on the rules' day and keeps
        // their time.
        row("en", "Call mom tomorrow every week", "Call mom", "FREQ=WEEKLY", at8(27, 3));
        row("en", "Standup every weekday 9am", "Standup", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
            local(2027, 3, 26, 9, 0));
        row("en", "Team sync Tuesday weekly", "Team sync", "FREQ=WEEKLY", at8(30, 3));
        row("en", "Review tomorrow every Monday", "Review", "FREQ=WEEKLY;BYDAY=MO", at8(29, 3));
        // Not repeats.
        row("en", "every", "every", "", none);
        row("en", "Read every", "Read every", "", none);
        row("en", "Monday's meeting", "Monday's meeting", "", none);
        row("en", "Prepare every Monday's agenda", "Prepare every Monday's agenda", "", none);
        row("en", "Write \"weekly report\"", "Write \"weekly report\"", "", none);
        row("en", "Dailyness check", "Dailyness check", "", none);
        row("en", "Run every 0 days", "Run every 0 days", "", none);
        row("en", "Water the plants every Monday", "Water the plants every", "", at8(29, 3), false);

        row("de", "Blumen gießen täglich", "Blumen gießen", "FREQ=DAILY", at8(26, 3));
        row("de", "Zähne putzen jeden Tag", "Zähne putzen", "FREQ=DAILY", at8(26, 3));
        row("de", "Rasen sprengen jeden zweiten Tag", "Rasen sprengen", "FREQ=DAILY;INTERVAL=2",
            at8(26, 3));
        row("de", "Auto waschen alle 3 Wochen", "Auto waschen", "FREQ=WEEKLY;INTERVAL=3",
            at8(26, 3));
        row("de", "Putzen alle zwei Wochen", "Putzen", "FREQ=WEEKLY;INTERVAL=2", at8(26, 3));
        row("de", "Bericht wöchentlich", "Bericht", "FREQ=WEEKLY", at8(26, 3));
        row("de", "Miete monatlich", "Miete", "FREQ=MONTHLY", at8(26, 3));
        row("de", "Steuer jährlich", "Steuer", "FREQ=YEARLY;BYMONTH=3", at8(26, 3));
        row("de", "Müll rausbringen jeden Montag", "Müll rausbringen", "FREQ=WEEKLY;BYDAY=MO",
            at8(29, 3));
        row("de", "Sport jeden Mo und Do", "Sport", "FREQ=WEEKLY;BYDAY=MO,TH", at8(29, 3));
        row("de", "Chor donnerstags", "Chor", "FREQ=WEEKLY;BYDAY=TH", at8(1, 4));
        row("de", "Zeitung werktags", "Zeitung", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", at8(26, 3));
        row("de", "Lauftreff jedes Wochenende", "Lauftreff", "FREQ=WEEKLY;BYDAY=SA,SU", at8(27, 3));
        row("de", "Miete jeden Monat am 15.", "Miete", "FREQ=MONTHLY;BYMONTHDAY=15", at8(15, 4));
        row("de", "Stammtisch jeden letzten Freitag", "Stammtisch", "FREQ=MONTHLY;BYDAY=-1FR",
            at8(26, 3));
        row("de", "Müll jeden Montag bis 31.12.", "Müll",
            "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z", at8(29, 3));
        row("de", "Tabletten täglich 10 mal", "Tabletten", "FREQ=DAILY;COUNT=10", at8(26, 3));
        row("de", "Arzt morgen jährlich", "Arzt", "FREQ=YEARLY;BYMONTH=3", at8(27, 3));
        row("de", "Montags-Meeting vorbereiten", "Montags-Meeting vorbereiten", "", none);

        row("fr", "Arroser les plantes tous les jours", "Arroser les plantes", "FREQ=DAILY",
            at8(26, 3));
        row("fr", "Méditer chaque jour", "Méditer", "FREQ=DAILY", at8(26, 3));
        row("fr", "Ménage un jour sur deux", "Ménage", "FREQ=DAILY;INTERVAL=2", at8(26, 3));
        row("fr", "Piscine tous les deux jours", "Piscine", "FREQ=DAILY;INTERVAL=2", at8(26, 3));
        row("fr", "Réunion toutes les 2 semaines", "Réunion", "FREQ=WEEKLY;INTERVAL=2", at8(26, 3));
        row("fr", "Rapport hebdomadaire", "Rapport", "FREQ=WEEKLY", at8(26, 3));
        row("fr", "Loyer mensuel", "Loyer", "FREQ=MONTHLY", at8(26, 3));
        row("fr", "Bilan annuel", "Bilan", "FREQ=YEARLY;BYMONTH=3", at8(26, 3));
        row("fr", "Sortir les poubelles chaque lundi", "Sortir les poubelles",
            "FREQ=WEEKLY;BYDAY=MO", at8(29, 3));
        row("fr", "Marché tous les samedis", "Marché", "FREQ=WEEKLY;BYDAY=SA", at8(27, 3));
        row("fr", "Cours chaque lun et jeu", "Cours", "FREQ=WEEKLY;BYDAY=MO,TH", at8(29, 3));
        row("fr", "Rando tous les week-ends", "Rando", "FREQ=WEEKLY;BYDAY=SA,SU", at8(27, 3));
        row("fr", "Loyer tous les mois le 1er", "Loyer", "FREQ=MONTHLY;BYMONTHDAY=1", at8(1, 4));
        row("fr", "Apéro chaque dernier vendredi", "Apéro", "FREQ=MONTHLY;BYDAY=-1FR", at8(26, 3));
        row("fr", "Jogging chaque lundi jusqu'au 31 déc", "Jogging",
            "FREQ=WEEKLY;BYDAY=MO;UNTIL=20271231T225959Z", at8(29, 3));
        row("fr", "Yoga chaque mardi jusqu’au 30/04", "Yoga",
            "FREQ=WEEKLY;BYDAY=TU;UNTIL=20270430T215959Z", at8(30, 3));
        row("fr", "Kiné chaque jour 10 fois", "Kiné", "FREQ=DAILY;COUNT=10", at8(26, 3));
        row("fr", "Appeler maman demain chaque semaine", "Appeler maman", "FREQ=WEEKLY",
            at8(27, 3));
        row("fr", "Loyer mensuel", "Loyer mensuel", "", none, false);
    }

    void phrases()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(QString, title);
        QFETCH(QString, rrule);
        QFETCH(QDateTime, due);
        QFETCH(bool, repeatsOn);
        m_defaults->setObject(SmartAddRuleSets::forLanguage(language), PrefKey::smartAddRules);
        m_defaults->setBool(repeatsOn, PrefKey::smartAddRepeats);
        m_smartAdd->repeats().setLanguage(language);

        const SmartAddParse parse =
            m_smartAdd->parseLineWithRepeat(line, m_smartAdd->rulesFromPreferences());
        QCOMPARE(parse.title, title);
        QCOMPARE(parse.result.dueDate.value_or(QDateTime()), due);
        QCOMPARE(rruleOf(parse.repeat, due), rrule);

        SmartAddEntry entry(*m_smartAdd);
        entry.setup();
        const SmartAddEntry::Submission typed = entry.submit(typeInto(entry, line));
        QVERIFY(typed.accepted);
        QCOMPARE(typed.title, title);
        QCOMPARE(typed.dueDate, due);
        QCOMPARE(rruleOf(typed.repeat, due), rrule);
    }

    // The label shows the repeat as it is typed; undo takes back what came last, and a repeat
    // taken back leaves its words in the title and is read no more.
    void undoTakesTheRepeatBackAndKeepsItsWords()
    {
        m_smartAdd->repeats().setLanguage("en");
        SmartAddEntry entry(*m_smartAdd);
        entry.setup();
        QSignalSpy labels(&entry, &SmartAddEntry::repeatLabelChanged);

        const QString text = typeInto(entry, "!! weekly report");
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
        QVERIFY(!added.repeat);
        QVERIFY(!added.priority);
        QVERIFY(!added.dueDate.isValid());
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
        QByteArray file;
        for (QDirIterator it(store.root(), {"*.ics"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile ics(it.next());
            QVERIFY(ics.open(QIODevice::ReadOnly));
            file += ics.readAll();
        }
        QVERIFY2(file.contains("RRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20270430T215959Z\r\n"),
                 file.constData());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    Clock m_clock;
    std::unique_ptr<SmartAdd> m_smartAdd;
};

VELMORAN_TEST_MAIN(TestSmartAddRepeats)
#include "tst_smartaddrepeats.moc"

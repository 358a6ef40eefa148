#include "TestEnvironment.h"

#include "entry/SmartAdd.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/SmartAddRuleSets.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

using TestEnvironment::local;

namespace {

QVariantMap rule(qint64 type, qint64 resultType, const QString& word, const QString& result = {},
                 const QString& unit = {})
{
    QVariantMap record{{"type", type}, {"resultType", resultType}, {"word", word}};
    if (!result.isEmpty())
        record.insert("result", result);
    if (!unit.isEmpty())
        record.insert("resultUnit", unit);
    return record;
}

QVariantMap pattern(const QString& family, const QString& value)
{
    QVariantMap record = rule(1, family.contains('/') ? 0 : 1, family);
    record.insert("value", value);
    return record;
}

QVariantMap weekday(const QString& code)
{
    return rule(0, 9, "Someday", code);
}

} // namespace

// Wednesday 9 December 2026, 10:00 in Berlin, unless a test moves the clock.
class TestSmartAddDates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        setupDefaultPreferences(*m_defaults, nullptr);
        m_clock.setNow(local(2026, 12, 9, 10, 0));
        m_smartAdd = std::make_unique<SmartAdd>(*m_defaults, m_clock);
    }

    void cleanup()
    {
        m_smartAdd.reset();
        m_defaults.reset();
        m_dir.reset();
    }

    void oneRuleOnADate_data()
    {
        QTest::addColumn<QVariantMap>("rule");
        QTest::addColumn<QDateTime>("given");
        QTest::addColumn<bool>("noDueTime");
        QTest::addColumn<QDateTime>("expected");
        const auto row = [](const char* name, const QVariantMap& rule, const QDateTime& given,
                            bool noDueTime, const QDateTime& expected) {
            QTest::newRow(name) << rule << given << noDueTime << expected;
        };
        const QDateTime none;
        const QDateTime given = local(2026, 12, 20, 14, 30);
        const QVariantMap today = rule(0, 2, "Today", "0", "Day");

        // Relative dates start today and take the time of the given date or the preset.
        row("today", today, none, false, local(2026, 12, 9, 8, 0));
        row("today, no due time", today, none, true, local(2026, 12, 9));
        row("tomorrow keeps the given time", rule(0, 2, "Tomorrow", "+1", "Day"), given, true,
            local(2026, 12, 10, 14, 30));
        row("next week", rule(0, 2, "x", "+1", "Week"), none, false, local(2026, 12, 16, 8, 0));
        row("month", rule(0, 2, "x", "+1", "Month"), none, false, local(2027, 1, 9, 8, 0));
        row("unknown unit adds nothing", rule(0, 2, "x", "+3", "Fortnight"), none, false,
            local(2026, 12, 9, 8, 0));
        row("absurd number leaves the date", rule(0, 2, "x", "+99999999999", "Year"), given, false,
            given);
        // Times set the time on the given day or today; "noDueTime" does not stop them.
        row("noon today", rule(0, 1, "noon", "12:00"), none, false, local(2026, 12, 9, 12, 0));
        row("unreadable rule time", rule(0, 1, "late", "25:99"), given, false, given);
        row("12:15a", pattern("h:map", "12:15a"), none, false, local(2026, 12, 9, 0, 15));
        row("12p", pattern("hap", "12p"), none, false, local(2026, 12, 9, 12, 0));
        row("7:30pm", pattern("h:mampm", "7:30pm"), none, false, local(2026, 12, 9, 19, 30));
        row("22p folds", pattern("hap", "22p"), none, false, local(2026, 12, 9, 22, 0));
        row("3Pm on the given day", pattern("hampm", "3Pm"), given, false,
            local(2026, 12, 20, 15, 0));
        row("value not of the family", pattern("h:map", "bogus"), given, false, given);
        // Date texts: this year unless passed, today included.
        row("3/27 is next year", pattern("M/dd", "3/27"), none, false, local(2027, 3, 27, 8, 0));
        row("today's date is today", pattern("M/dd", "12/09"), none, false,
            local(2026, 12, 9, 8, 0));
        row("yesterday's date", pattern("M/dd", "12/8"), none, false, local(2027, 12, 8, 8, 0));
        row("2/30 is no date", pattern("M/dd", "2/30"), given, false, given);
        row("2/29 waits for a leap year", pattern("M/dd", "2/29"), none, false,
            local(2028, 2, 29, 8, 0));
        // Weekdays: always 1 to 7 days ahead.
        row("friday", weekday("fri"), none, false, local(2026, 12, 11, 8, 0));
        row("wednesday on a wednesday", weekday("wed"), none, false, local(2026, 12, 16, 8, 0));
        row("unknown code is sunday", weekday("xyz"), none, false, local(2026, 12, 13, 8, 0));
        // Everything else leaves the date alone.
        row("priority", rule(0, 3, "!"), given, false, given);
        row("unknown result type", rule(0, 42, "zz"), given, false, given);
    }

    void oneRuleOnADate()
    {
        QFETCH(QVariantMap, rule);
        QFETCH(QDateTime, given);
        QFETCH(bool, noDueTime);
        QFETCH(QDateTime, expected);
        m_defaults->setBool(noDueTime, PrefKey::noDueTime);
        const QDateTime result = m_smartAdd->dateFromDate(given, rule);
        QCOMPARE(result.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(result, expected);
    }

    void presetTimeFollowsThePreference()
    {
        m_defaults->setString("18:45", PrefKey::alarmTime);
        QCOMPARE(m_smartAdd->dateFromDate({}, rule(0, 2, "Tomorrow", "+1", "Day")),
                 local(2026, 12, 10, 18, 45));
        // An unreadable preset gives a date without a time rather than an invented one.
        m_defaults->setString("soon", PrefKey::alarmTime);
        QCOMPARE(m_smartAdd->dateFromDate({}, rule(0, 2, "Tomorrow", "+1", "Day")),
                 local(2026, 12, 10));
    }

    void fridayOnAFriday()
    {
        m_clock.setNow(local(2026, 12, 11, 23, 59));
        QCOMPARE(m_smartAdd->dateFromDate({}, weekday("fri")), local(2026, 12, 18, 8, 0));
        QCOMPARE(m_smartAdd->dateFromDate({}, weekday("sat")), local(2026, 12, 12, 8, 0));
        m_clock.setNow(local(2026, 12, 12, 0, 0));
        QCOMPARE(m_smartAdd->dateFromDate({}, weekday("sun")), local(2026, 12, 13, 8, 0));
        QCOMPARE(m_smartAdd->dateFromDate({}, weekday("fri")), local(2026, 12, 18, 8, 0));
    }

    // Week-relative rules count days from today; the first day of the week plays no part.
    void firstWeekdayDoesNotMoveDates()
    {
        const QList<std::pair<QVariantMap, QDateTime>> cases{
            {rule(0, 2, "Next Week", "+1", "Week"), local(2026, 12, 16, 8, 0)},
            {weekday("sun"), local(2026, 12, 13, 8, 0)},
            {weekday("mon"), local(2026, 12, 14, 8, 0)},
            {weekday("sat"), local(2026, 12, 12, 8, 0)},
        };
        for (const bool sundayFirst : {true, false}) {
            m_defaults->setBool(sundayFirst, PrefKey::sundayFirst);
            for (const auto& [record, expected] : cases)
                QCOMPARE(m_smartAdd->dateFromDate({}, record), expected);
        }
    }

    // A preset of 08:00 stays 08:00 on the days the clocks change.
    void wallClockAcrossDaylightSaving()
    {
        const QVariantMap tomorrow = rule(0, 2, "Tomorrow", "+1", "Day");
        m_clock.setNow(local(2026, 3, 28, 10, 0));
        QDateTime result = m_smartAdd->dateFromDate({}, tomorrow);
        QCOMPARE(result, local(2026, 3, 29, 8, 0));
        m_clock.setNow(local(2026, 10, 24, 10, 0));
        result = m_smartAdd->dateFromDate({}, tomorrow);
        QCOMPARE(result, local(2026, 10, 25, 8, 0));
        // The time of a given date is carried over as a wall-clock time too.
        m_clock.setNow(local(2026, 3, 28, 10, 0));
        result = m_smartAdd->dateFromDate(local(2026, 3, 28, 1, 30), tomorrow);
        QCOMPARE(result.time(), QTime(1, 30));
    }

    void severalRules()
    {
        const auto rules = SmartAddRule::listFromVariant({
            rule(0, 3, "!"),
            rule(0, 7, "al"),
            rule(0, 2, "Tomorrow", "+1", "Day"),
            rule(0, 1, "noon", "12:00"),
            rule(0, 6, "listword"),
            rule(0, 42, "zz"),
        });
        const SmartAddResult result =
            m_smartAdd->dictionaryFromSmartAddRules(rules, {}, std::nullopt);
        QCOMPARE(result.priority, 3);
        QCOMPARE(result.alarmOn, true);
        QCOMPARE(result.dueDate, local(2026, 12, 10, 12, 0));

        // Later rules of a kind override earlier ones.
        const auto overriding = SmartAddRule::listFromVariant(
            {rule(0, 3, "!"), rule(0, 5, "!!!"), rule(0, 7, "al"), rule(0, 8, "noal")});
        const SmartAddResult second =
            m_smartAdd->dictionaryFromSmartAddRules(overriding, {}, std::nullopt);
        QCOMPARE(second.priority, 1);
        QCOMPARE(second.alarmOn, false);
        QVERIFY(!second.dueDate);

        // Starting values pass through untouched by rules of other kinds.
        const QDateTime start = local(2026, 12, 24, 9, 0);
        const SmartAddResult third = m_smartAdd->dictionaryFromSmartAddRules(
            SmartAddRule::listFromVariant({rule(0, 7, "al")}), start, 2);
        QCOMPARE(third.dueDate, start);
        QCOMPARE(third.priority, 2);

        const QVariantMap dictionary = m_smartAdd->dictionaryFromSmartAddRules(
            QVariantList{rule(0, 4, "!!"), rule(0, 8, "noal")}, start, QVariant());
        QCOMPARE(dictionary.value("priority").toInt(), 2);
        QCOMPARE(dictionary.value("alarmOnNumber"), QVariant(false));
        QCOMPARE(dictionary.value("dueDate").toDateTime(), start);
    }

    void onePass_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QDateTime>("dueDate");
        QTest::addColumn<int>("priority"); // 0: none
        QTest::addColumn<int>("alarm");    // -1: none
        QTest::addColumn<QString>("list"); // empty: none
        const auto row = [](const char* line, const char* title, const QDateTime& due,
                            int priority = 0, int alarm = -1, const char* list = "") {
            QTest::newRow(line) << line << title << due << priority << alarm << list;
        };
        row("call mom tomorrow 3pm !", "call mom !", local(2026, 12, 10, 15, 0));
        row("! call mom tomorrow 3pm", "call mom", local(2026, 12, 10, 15, 0), 3);
        row("buy milk tomorrow", "buy milk", local(2026, 12, 10, 8, 0));
        row("lunch friday noon", "lunch", local(2026, 12, 11, 12, 0));
        row("review NEXT WEEK al", "review", local(2026, 12, 16, 8, 0), 0, 1);
        row("x /work /home y", "x /home y", {}, 0, -1, "work");
        row("", "", {});
        row("! !! !!! tomorrow today noon al 3pm /x", "!! !!! tomorrow 3pm",
            local(2026, 12, 9, 12, 0), 3, 1, "x");
        row("  tomorrow  ", "", local(2026, 12, 10, 8, 0));
    }

    void onePass()
    {
        QFETCH(QString, line);
        QFETCH(QString, title);
        QFETCH(QDateTime, dueDate);
        QFETCH(int, priority);
        QFETCH(int, alarm);
        QFETCH(QString, list);

        const SmartAddParse parse = m_smartAdd->parseLine(line, m_smartAdd->rulesFromPreferences());
        QCOMPARE(parse.title, title);
        QCOMPARE(parse.result.dueDate.value_or(QDateTime()), dueDate);
        QCOMPARE(parse.result.priority.value_or(0), priority);
        QCOMPARE(parse.result.alarmOn ? int(*parse.result.alarmOn) : -1, alarm);
        QCOMPARE(parse.listName.value_or(QString()), list);
    }

    // The default rules of each language on the lines its people type; where a language has a
    // case the others lack (the day after tomorrow), it stands alone.
    void onePassInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QDateTime>("dueDate");
        QTest::addColumn<int>("priority"); // 0: none
        QTest::addColumn<int>("alarm");    // -1: none
        const auto row = [](const char* language, const QString& line, const QString& title,
                            const QDateTime& due = {}, int priority = 0, int alarm = -1) {
            QTest::addRow("%s: %s", language, qPrintable(line))
                << QString::fromLatin1(language) << line << title << due << priority << alarm;
        };
        const QDateTime today8 = local(2026, 12, 9, 8, 0);
        const QDateTime tomorrow9 = local(2026, 12, 10, 9, 0);
        const QDateTime friday12 = local(2026, 12, 11, 12, 0);
        const QDateTime today1430 = local(2026, 12, 9, 14, 30);
        const QDateTime christmasEve = local(2026, 12, 24, 8, 0);

        // Wednesday 9 December 2026, 10:00.
        row("en", "!! dentist tomorrow 9am", "dentist", tomorrow9, 2);
        row("de", "Zahnarzt morgen um 9 !!", "Zahnarzt", tomorrow9, 2);
        row("fr", "dentiste demain à 9h !!", "dentiste", tomorrow9, 2);
        // An exclamation mark is punctuation in French, unless it comes first.
        row("fr", "Appeler maman demain !", "Appeler maman !", local(2026, 12, 10, 8, 0));
        row("fr", "! appeler maman", "appeler maman", {}, 3);
        row("de", "Mama anrufen HEUTE", "Mama anrufen", today8);
        row("fr", "appeler maman Aujourd'hui", "appeler maman", today8);
        row("fr", "appeler maman aujourd’hui", "appeler maman", today8);
        row("de", "Übermorgen Reifen wechseln", "Reifen wechseln", local(2026, 12, 11, 8, 0));
        row("fr", "changer les pneus APRÈS-DEMAIN", "changer les pneus", local(2026, 12, 11, 8, 0));
        row("de", "Bericht NÄCHSTE WOCHE lesen", "Bericht lesen", local(2026, 12, 16, 8, 0));
        row("fr", "lire le rapport la semaine prochaine", "lire le rapport",
            local(2026, 12, 16, 8, 0));
        row("de", "Essen Freitag mittags", "Essen", friday12);
        row("fr", "déjeuner vendredi midi", "déjeuner", friday12);
        row("de", "Treffen um 14.30 Uhr", "Treffen", today1430);
        row("fr", "réunion 14h30", "réunion", today1430);
        row("fr", "réunion À 14:30", "réunion", today1430);
        row("de", "Treffen 9 Uhr morgen", "Treffen", tomorrow9);
        row("fr", "réunion 9h demain", "réunion", tomorrow9);
        row("de", "zahlen 24.12.", "zahlen", christmasEve);
        row("fr", "payer 24/12", "payer", christmasEve);
        row("de", "anrufen Alarm", "anrufen", {}, 0, 1);
        row("fr", "appeler alarme", "appeler", {}, 0, 1);
        // Rule words inside longer words, and numbers that are no time, stay in the title.
        row("en", "todays tomorrowland", "todays tomorrowland");
        row("de", "Morgenrot Datum 9 Minuten", "Morgenrot Datum 9 Minuten");
        row("de", "Termin um 25 Uhr", "Termin um 25 Uhr");
        row("fr", "lundis demainville 9hx", "lundis demainville 9hx");
    }

    void onePassInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(QString, title);
        QFETCH(QDateTime, dueDate);
        QFETCH(int, priority);
        QFETCH(int, alarm);

        const auto rules = SmartAddRule::listFromVariant(SmartAddRuleSets::forLanguage(language));
        const SmartAddParse parse = m_smartAdd->parseLine(line, rules);
        QCOMPARE(parse.title, title);
        QCOMPARE(parse.result.dueDate.value_or(QDateTime()), dueDate);
        QCOMPARE(parse.result.priority.value_or(0), priority);
        QCOMPARE(parse.result.alarmOn ? int(*parse.result.alarmOn) : -1, alarm);
    }

    // Random lines made of what triggers are made of: no crash, and a due date, when there is
    // one, is never before today nor far beyond what the default rules can reach.
    void randomLinesGiveSaneDates()
    {
        static const QString alphabet = QStringLiteral("  !/:apmAPM0123456789todaywk");
        static const QStringList words{"tomorrow", "today", "next week", "noon", "al",
                                       "friday",   "3pm",   "12:15a",    "3/27", "2/30",
                                       "/work",    "!",     "!!"};
        QRandomGenerator random(20261209);
        const QList<SmartAddRule> rules = m_smartAdd->rulesFromPreferences();
        const QDateTime earliest = local(2026, 12, 9);
        const QDateTime latest = local(2028, 3, 1);
        for (int i = 0; i < 3000; ++i) {
            QString line;
            const int length = random.bounded(1, 60);
            for (int j = 0; j < length; ++j) {
                if (random.bounded(4) == 0)
                    line += words.at(random.bounded(int(words.size())));
                else
                    line += alphabet.at(random.bounded(int(alphabet.size())));
            }
            const SmartAddParse parse = m_smartAdd->parseLine(line, rules);
            QVERIFY(parse.title.size() <= line.size());
            QVERIFY(parse.appliedRules.size() <= rules.size());
            if (parse.result.dueDate) {
                QVERIFY2(*parse.result.dueDate >= earliest && *parse.result.dueDate < latest,
                         qPrintable(line));
            }
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    Clock m_clock;
    std::unique_ptr<SmartAdd> m_smartAdd;
};

VELMORAN_TEST_MAIN(TestSmartAddDates)
#include "tst_smartadddates.moc"

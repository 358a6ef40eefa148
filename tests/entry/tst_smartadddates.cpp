#include "LoadedStore.h"
#include "SmartAddRecords.h"
#include "TestEnvironment.h"

#include "entry/SmartAdd.h"
#include "prefs/SmartAddRuleSets.h"

using TestEnvironment::local;

namespace {

using SmartAddRecords::record;

QVariantMap pattern(const QString& family, const QString& value)
{
    QVariantMap map = record(1, family.contains('/') ? 0 : 1, family);
    map.insert("value", value);
    return map;
}

QVariantMap weekday(const QString& code)
{
    return record(0, 9, "Someday", code);
}

QString described(const QString& title, const QDateTime& due, int priority, int alarm,
                  const QString& list)
{
    return QStringList{title, due.toString(u"yyyy-MM-dd hh:mm"), QString::number(priority),
                       QString::number(alarm), list}
        .join(u'|');
}

} // namespace

// Wednesday 9 December 2026, 10:00 in Berlin, unless a test moves the clock.
class TestSmartAddDates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        m_smartAdd = std::make_unique<SmartAdd>(*m_store->defaults, m_store->clock);
    }

    void cleanup()
    {
        m_smartAdd.reset();
        m_store.reset();
    }

    // "prefs" are set before the rule runs; "now" defaults to Wednesday 10:00.
    void oneRuleOnADate_data()
    {
        QTest::addColumn<QVariantMap>("rule");
        QTest::addColumn<QDateTime>("given");
        QTest::addColumn<QVariantMap>("prefs");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime wednesday = local(2026, 12, 9, 10, 0);
        const auto row = [&](const QByteArray& name, const QVariantMap& rule,
                             const QDateTime& given, const QDateTime& expected,
                             const QVariantMap& prefs = {}, const QDateTime& now = {}) {
            QTest::newRow(name.constData())
                << rule << given << prefs << (now.isValid() ? now : wednesday) << expected;
        };
        const QDateTime none;
        const QDateTime given = local(2026, 12, 20, 14, 30);
        const QVariantMap today = record(0, 2, "Today", "0", "Day");
        const QVariantMap tomorrow = record(0, 2, "Tomorrow", "+1", "Day");
        const QVariantMap noDueTime{{"noDueTime", true}};

        // Relative dates start today and take the time of the given date or the preset.
        row("today", today, none, local(2026, 12, 9, 8, 0));
        row("today, no due time", today, none, local(2026, 12, 9), noDueTime);
        row("tomorrow keeps the given time", tomorrow, given, local(2026, 12, 10, 14, 30),
            noDueTime);
        row("next week", record(0, 2, "x", "+1", "Week"), none, local(2026, 12, 16, 8, 0));
        row("month", record(0, 2, "x", "+1", "Month"), none, local(2027, 1, 9, 8, 0));
        row("unknown unit adds nothing", record(0, 2, "x", "+3", "Fortnight"), none,
            local(2026, 12, 9, 8, 0));
        row("absurd number leaves the date", record(0, 2, "x", "+99999999999", "Year"), given,
            given);
        row("preset time", tomorrow, none, local(2026, 12, 10, 18, 45), {{"alarmTime", "18:45"}});
        // An unreadable preset gives a date without a time rather than an invented one.
        row("unreadable preset", tomorrow, none, local(2026, 12, 10), {{"alarmTime", "soon"}});
        // A preset of 08:00 stays 08:00, and a given time stays, on the days the clocks change.
        row("spring change", tomorrow, none, local(2026, 3, 29, 8, 0), {}, local(2026, 3, 28, 10));
        row("autumn change", tomorrow, none, local(2026, 10, 25, 8, 0), {},
            local(2026, 10, 24, 10));
        row("given time over the spring change", tomorrow, local(2026, 3, 28, 1, 30),
            local(2026, 3, 29, 1, 30), {}, local(2026, 3, 28, 10));
        // Times set the time on the given day or today; "noDueTime" does not stop them.
        row("noon today", record(0, 1, "noon", "12:00"), none, local(2026, 12, 9, 12, 0));
        row("unreadable rule time", record(0, 1, "late", "25:99"), given, given);
        row("12:15a", pattern("h:map", "12:15a"), none, local(2026, 12, 9, 0, 15));
        row("12p", pattern("hap", "12p"), none, local(2026, 12, 9, 12, 0));
        row("7:30pm", pattern("h:mampm", "7:30pm"), none, local(2026, 12, 9, 19, 30));
        row("22p folds", pattern("hap", "22p"), none, local(2026, 12, 9, 22, 0));
        row("3Pm on the given day", pattern("hampm", "3Pm"), given, local(2026, 12, 20, 15, 0));
        row("value not of the family", pattern("h:map", "bogus"), given, given);
        // Date texts: this year unless passed, today included.
        row("3/27 is next year", pattern("M/dd", "3/27"), none, local(2027, 3, 27, 8, 0));
        row("today's date is today", pattern("M/dd", "12/09"), none, local(2026, 12, 9, 8, 0));
        row("yesterday's date", pattern("M/dd", "12/8"), none, local(2027, 12, 8, 8, 0));
        row("2/30 is no date", pattern("M/dd", "2/30"), given, given);
        row("2/29 waits for a leap year", pattern("M/dd", "2/29"), none, local(2028, 2, 29, 8, 0));
        // Weekdays: always 1 to 7 days ahead, whatever day starts the week.
        row("friday", weekday("fri"), none, local(2026, 12, 11, 8, 0));
        row("wednesday on a wednesday", weekday("wed"), none, local(2026, 12, 16, 8, 0));
        row("unknown code is sunday", weekday("xyz"), none, local(2026, 12, 13, 8, 0));
        row("friday late on a friday", weekday("fri"), none, local(2026, 12, 18, 8, 0), {},
            local(2026, 12, 11, 23, 59));
        row("saturday late on a friday", weekday("sat"), none, local(2026, 12, 12, 8, 0), {},
            local(2026, 12, 11, 23, 59));
        row("sunday at saturday midnight", weekday("sun"), none, local(2026, 12, 13, 8, 0), {},
            local(2026, 12, 12, 0, 0));
        for (const bool sundayFirst : {true, false}) {
            const QVariantMap first{{"sundayFirst", sundayFirst}};
            const QByteArray tag = sundayFirst ? "sunday first: " : "monday first: ";
            row(tag + "next week", record(0, 2, "Next Week", "+1", "Week"), none,
                local(2026, 12, 16, 8, 0), first);
            row(tag + "sunday", weekday("sun"), none, local(2026, 12, 13, 8, 0), first);
            row(tag + "monday", weekday("mon"), none, local(2026, 12, 14, 8, 0), first);
        }
        // Everything else leaves the date alone.
        row("priority", record(0, 3, "!"), given, given);
        row("unknown result type", record(0, 42, "zz"), given, given);
    }

    void oneRuleOnADate()
    {
        QFETCH(QVariantMap, rule);
        QFETCH(QDateTime, given);
        QFETCH(QVariantMap, prefs);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        m_store->defaults->setObjects(prefs);
        m_store->clock.setNow(now);
        QCOMPARE(m_smartAdd->dateFromDate(given, rule), expected);
    }

    // Later rules of a kind override earlier ones; starting values pass through rules of other
    // kinds. The dictionary holds only what is there.
    void severalRules()
    {
        const QDateTime start = local(2026, 12, 24, 9, 0);
        for (const auto& [records, due, priority, expected] :
             {std::tuple{QVariantList{record(0, 3, "!"), record(0, 7, "al"),
                                      record(0, 2, "Tomorrow", "+1", "Day"),
                                      record(0, 1, "noon", "12:00"), record(0, 6, "listword"),
                                      record(0, 42, "zz")},
                         QDateTime(), QVariant(),
                         QVariantMap{{"dueDate", local(2026, 12, 10, 12, 0)},
                                     {"priority", 3},
                                     {"alarmOnNumber", true}}},
              {QVariantList{record(0, 3, "!"), record(0, 5, "!!!"), record(0, 7, "al"),
                            record(0, 8, "noal")},
               QDateTime(), QVariant(), QVariantMap{{"priority", 1}, {"alarmOnNumber", false}}},
              {QVariantList{record(0, 7, "al")}, start, QVariant(2),
               QVariantMap{{"dueDate", start}, {"priority", 2}, {"alarmOnNumber", true}}}})
            QCOMPARE(m_smartAdd->dictionaryFromSmartAddRules(records, due, priority), expected);
    }

    // The stored rules ("prefs") or each language's default rules on the lines people type;
    // where a language has a case the others lack (the day after tomorrow), it stands alone.
    void onePass_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        // Priority 0 is none, alarm -1 none.
        const auto row = [](const char* language, const QString& line, const QString& title,
                            const QDateTime& due = {}, int priority = 0, int alarm = -1,
                            const QString& list = {}) {
            QTest::addRow("%s: %s", language, qPrintable(line))
                << QString::fromLatin1(language) << line
                << described(title, due, priority, alarm, list);
        };
        const QDateTime today8 = local(2026, 12, 9, 8, 0);
        const QDateTime tomorrow8 = local(2026, 12, 10, 8, 0);
        const QDateTime tomorrow9 = local(2026, 12, 10, 9, 0);
        const QDateTime friday12 = local(2026, 12, 11, 12, 0);
        const QDateTime today1430 = local(2026, 12, 9, 14, 30);
        const QDateTime christmasEve = local(2026, 12, 24, 8, 0);

        row("prefs", "call mom tomorrow 3pm !", "call mom !", local(2026, 12, 10, 15, 0));
        row("prefs", "! call mom tomorrow 3pm", "call mom", local(2026, 12, 10, 15, 0), 3);
        row("prefs", "lunch friday noon", "lunch", friday12);
        row("prefs", "review NEXT WEEK al", "review", local(2026, 12, 16, 8, 0), 0, 1);
        row("prefs", "x /work /home y", "x /home y", {}, 0, -1, "work");
        row("prefs", "", "");
        row("prefs", "! !! !!! tomorrow today noon al 3pm /x", "!! !!! tomorrow 3pm",
            local(2026, 12, 9, 12, 0), 3, 1, "x");
        row("prefs", "  tomorrow  ", "", tomorrow8);
        row("en", "!! dentist tomorrow 9am", "dentist", tomorrow9, 2);
        row("de", "Zahnarzt morgen um 9 !!", "Zahnarzt", tomorrow9, 2);
        row("fr", "dentiste demain à 9h !!", "dentiste", tomorrow9, 2);
        // An exclamation mark is punctuation in French, unless it comes first.
        row("fr", "Appeler maman demain !", "Appeler maman !", tomorrow8);
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

    void onePass()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const auto rules =
            language == "prefs"
                ? m_smartAdd->rulesFromPreferences()
                : SmartAddRule::listFromVariant(SmartAddRuleSets::forLanguage(language));
        const SmartAddParse parse = m_smartAdd->parseLine(line, rules);
        QCOMPARE(described(parse.title, parse.result.dueDate.value_or(QDateTime()),
                           parse.result.priority.value_or(0),
                           parse.result.alarmOn ? int(*parse.result.alarmOn) : -1,
                           parse.listName.value_or(QString())),
                 expected);
    }

    // Random lines made of what triggers are made of: no crash, and a due date, when there is
    // one, is never before today nor far beyond what the default rules can reach.
    void randomLinesGiveSaneDates()
    {
        static const QString alphabet = "  !/:apmAPM0123456789todaywk";
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
            if (parse.result.dueDate)
                QVERIFY2(*parse.result.dueDate >= earliest && *parse.result.dueDate < latest,
                         qPrintable(line));
        }
    }

private:
    std::optional<LoadedStore> m_store;
    std::unique_ptr<SmartAdd> m_smartAdd;
};

VELMORAN_TEST_MAIN(TestSmartAddDates)
#include "tst_smartadddates.moc"

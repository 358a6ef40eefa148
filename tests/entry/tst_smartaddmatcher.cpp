#include "SmartAddRecords.h"
#include "TestEnvironment.h"

#include "entry/SmartAddMatcher.h"
#include "entry/SmartAddPatterns.h"
#include "prefs/DefaultPreferences.h"

namespace {

QList<SmartAddRule> defaultRules()
{
    return SmartAddRule::listFromVariant(defaultSmartAddRules());
}

SmartAddRule wordRule(const QString& word, qint64 resultType, std::optional<qint64> place = {})
{
    SmartAddRule rule;
    rule.type = SmartAddRule::WordRule;
    rule.resultType = resultType;
    rule.word = word;
    rule.placeType = place;
    return rule;
}

SmartAddRule findDefault(const QString& word)
{
    for (const SmartAddRule& rule : defaultRules())
        if (rule.word == word)
            return rule;
    return {};
}

} // namespace

class TestSmartAddMatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "expected": "none" or the rule's word, the matched text, location+length and whether
    // it stood between spaces; then what the line is once the match is cut out.
    void defaultRulesMatch_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("withSuffix");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& line, bool withSuffix,
                            const QString& expected) {
            QTest::newRow(name) << line << withSuffix << expected;
        };
        // Word rules, in the three places.
        row("word between spaces", "buy milk tomorrow ", false, "Tomorrow||8+10|spaced|buy milk ");
        row("word at end needs the end allowed", "buy milk tomorrow", false,
            "none|buy milk tomorrow");
        row("word at end", "buy milk tomorrow", true, "Tomorrow||8+9||buy milk");
        row("word at start, any case", "TOMORROW call", false, "Tomorrow||0+9||call");
        row("two-word rule", "review next week ", false, "Next Week||6+11|spaced|review ");
        row("twice in the middle, the first counts", "call tomorrow mom tomorrow now", false,
            "Tomorrow||4+10|spaced|call mom tomorrow now");
        row("end search replaces the range, flag stays", "x tomorrow y tomorrow", true,
            "Tomorrow||12+9|spaced|x tomorrow y ");
        row("inside a longer word", "tomorrowland trip ", true, "none|tomorrowland trip ");
        row("al only as a word", "alarm check ", true, "none|alarm check ");
        row("al", "x al y", false, "al||1+4|spaced|x y");
        // Priorities act only as the first word.
        row("! first", "! call mom", false, "!||0+2||call mom");
        row("! last", "call mom !", true, "none|call mom !");
        // Pattern rules carry their matched text.
        row("M/dd", "pay rent 3/27 ", false, "M/dd|3/27|8+6|spaced|pay rent ");
        row("h:map two-digit hour", "meet 12:15a ", false, "h:map|12:15a|4+8|spaced|meet ");
        row("h:map at end", "x 8:30p", true, "h:map|8:30p|1+6||x");
        // Only the first occurrence of a pattern counts, even when a later one would stand
        // between spaces.
        row("first occurrence only", "a8:30p 9:30p ", true, "none|a8:30p 9:30p ");
        row("prefix", "buy /groceries milk ", false, "/|/groceries|3+12|spaced|buy milk ");
        // Bad input.
        row("empty", "", true, "none|");
        row("lone trigger", "tomorrow", true, "none|tomorrow");
        row("bare prefix", "x / y", true, "none|x / y");
    }

    void defaultRulesMatch()
    {
        QFETCH(QString, line);
        QFETCH(bool, withSuffix);
        QFETCH(QString, expected);
        const SmartAddMatch match =
            SmartAddMatcher().checkRules(line, withSuffix, defaultRules(), {}, {}, {});
        const QString found = QStringList{match.rule.word, match.matchedText,
                                          QString("%1+%2").arg(match.location).arg(match.length),
                                          match.betweenSpaces ? "spaced" : ""}
                                  .join('|');
        QCOMPARE((match.found ? found : "none") + '|' + match.cutFrom(line), expected);
        if (match.found)
            QCOMPARE(match.searchText, line.mid(match.location, match.length));
    }

    // Each family's first match: two digits; the first expression tried over the whole line
    // before the second; day first; no month 13; no hour 24; a prefix of "pm"; nothing.
    void familiesTryTheirExpressionsInOrder()
    {
        using Line = std::pair<const char*, const char*>; // family, line
        QStringList found;
        for (const auto& [family, line] :
             {Line{"M/dd", "10/22"}, Line{"M/dd", "1/2 and 03/15"}, Line{"dd/M", "27/3"},
              Line{"dd/M", "13/13"}, Line{"h:m", "at 24:00"}, Line{"hap", "3pm"},
              Line{"h:map", "no time here"}}) {
            const auto parsed = SmartAddPatterns::familyFromName(family);
            QVERIFY(parsed);
            found << SmartAddPatterns::firstMatch(*parsed, line);
        }
        QCOMPARE(found, (QStringList{"10/22", "03/15", "27/3", "13/1", "4:00", "3p", ""}));
    }

    // Rule words are the user's literal text: none of them may act as an expression. Each line
    // as it is once its match is cut out, unchanged when nothing matched.
    void ruleWordsAreLiteral()
    {
        using Case = std::tuple<qint64, const char*, const char*>; // type, word, line
        QStringList cut;
        for (const auto& [type, word, line] :
             {Case{0, "c++", "learn c++ now "}, Case{0, "(x", "a (x b"}, Case{0, "a|b", "x a|b y"},
              Case{0, "\\d", "x 5 y"}, Case{0, ".*", "x anything y"},
              Case{2, "+", "buy +work milk"}, Case{2, ".*", "x .*abc y"},
              Case{2, ".*", "x zzabc y"}, Case{2, "@@", "x @@home y"}}) {
            SmartAddRule rule =
                wordRule(word, type == SmartAddRule::PrefixRule ? qint64(SmartAddRule::List) : 7);
            rule.type = type;
            const SmartAddMatch match =
                SmartAddMatcher().checkRules(line, true, {rule}, {}, {}, {});
            QCOMPARE(match.found, match.cutFrom(line) != line);
            cut << match.cutFrom(line);
        }
        QCOMPARE(cut, (QStringList{"learn now ", "a b", "x y", "x 5 y", "x anything y", "buy milk",
                                   "x y", "x zzabc y", "x y"}));
    }

    // An unknown kind, a date family as a time, a time family as a date, a prefix of another
    // result, an empty word, an unknown place, values of the wrong types: none matches.
    void rulesThatCannotMatch()
    {
        using SmartAddRecords::record;
        QVariantMap unknownPlace = record(0, 7, "x");
        unknownPlace.insert("placeType", 9);
        for (const auto& [stored, line] :
             {std::pair{record(5, 7, "x"), "a x b"},
              {record(1, 1, "M/dd"), "a 3/27 b"},
              {record(1, 0, "h:m"), "a 10:00 b"},
              {record(2, 7, "/"), "a /work b"},
              {record(0, 7, ""), "a  b"},
              {unknownPlace, "x a x b x"},
              {QVariantMap{{"type", "zero"}, {"resultType", QVariantList{}}, {"word", 42}},
               "a 42 b"}}) {
            const SmartAddMatch match = SmartAddMatcher().checkRules(
                line, true, {SmartAddRule::fromVariant(stored)}, {}, {}, {});
            QVERIFY2(!match.found && match.location == 0 && match.length == 0, line);
        }
    }

    // Place 0 anywhere, 1 at the start, 2 at the end, 3 in the middle.
    void placeTypes()
    {
        QStringList found;
        for (const qint64 place : {0, 1, 2, 3}) {
            QString where;
            for (const char* line : {"zz a", "a zz b", "a zz"})
                where += SmartAddMatcher()
                                 .checkRules(line, true, {wordRule("zz", 7, place)}, {}, {}, {})
                                 .found
                             ? 'y'
                             : '-';
            found << where;
        }
        QCOMPARE(found, (QStringList{"yyy", "y--", "--y", "-y-"}));
    }

    void skipsBlockedAppliedAndCancelledRules()
    {
        const SmartAddMatcher matcher;
        const QList<SmartAddRule> rules = defaultRules();
        const SmartAddRule low = findDefault("!");

        // Blocking works on the result type alone: the group is blocked by listing all of it.
        QVERIFY(!matcher.checkRules("! x", false, rules, {3}, {}, {}).found);
        QCOMPARE(matcher.checkRules("!! x", false, rules, {3}, {}, {}).rule.word, "!!");
        QVERIFY(!matcher.checkRules("!!! x", false, rules, {3, 4, 5}, {}, {}).found);

        QVERIFY(!matcher.checkRules("! x", false, rules, {}, {}, {low}).found);
        QVERIFY(!matcher.checkRules("! x", false, rules, {}, {low}, {}).found);
        QCOMPARE(matcher.checkRules("!! x", false, rules, {}, {}, {low}).rule.word, "!!");

        // An applied pattern rule is recorded as a copy carrying its text; it is still the rule.
        SmartAddRule time = findDefault("hampm");
        time.value = "3pm";
        QVERIFY(!matcher.checkRules("x 4pm y", false, rules, {}, {time}, {}).found);

        // A skipped rule lets a later one match: "today" then "tomorrow".
        const SmartAddMatch next =
            matcher.checkRules("tomorrow today x", true, rules, {}, {findDefault("Today")}, {});
        QCOMPARE(next.rule.word, "Tomorrow");
    }

    // Stored records may hold anything (strings for numbers, a number for the word, doubles,
    // values not finite, no dictionary): each read as "type result place word".
    void recordsAreReadSafely()
    {
        const double inf = std::numeric_limits<double>::infinity();
        QStringList read;
        for (const QVariant& stored :
             {QVariant(QVariantMap{{"type", "2"}, {"resultType", "6"}, {"word", "/"}}),
              QVariant(
                  QVariantMap{{"type", 0}, {"resultType", 3}, {"word", 7}, {"placeType", true}}),
              QVariant(QVariantMap{{"type", 1.0}, {"resultType", 1.9}}),
              QVariant(QVariantMap{{"type", inf},
                                   {"resultType", std::numeric_limits<double>::quiet_NaN()},
                                   {"placeType", 1e300}}),
              QVariant("rule")}) {
            const SmartAddRule rule = SmartAddRule::fromVariant(stored);
            read << QStringLiteral("%1 %2 %3 %4")
                        .arg(rule.type)
                        .arg(rule.resultType)
                        .arg(rule.place())
                        .arg(rule.word);
        }
        QCOMPARE(read, (QStringList{"0 0 0 /", "0 3 1 ", "1 1 0 ", "0 0 0 ", "0 0 0 "}));
    }

    void unknownKeysAreKept()
    {
        const QVariantMap record{{"type", 0},
                                 {"resultType", 7},
                                 {"word", "al"},
                                 {"colour", "#ff0000"},
                                 {"note", QVariantMap{{"a", 1}}}};
        const SmartAddRule rule = SmartAddRule::fromVariant(record);
        QCOMPARE(rule.toVariant(), record);
        // They are part of the rule's content; an absent place is place 0.
        QVERIFY(!rule.sameRule(wordRule("al", 7)));
        QVERIFY(wordRule("al", 7).sameRule(wordRule("al", 7, 0)));
        QVERIFY(!wordRule("al", 7).sameRule(wordRule("al", 7, 1)));
    }

    // After the cut, at the line's end, before it, inside it; and with the cut at the start.
    void cursorFollowsTheCut()
    {
        const SmartAddMatcher matcher;
        QList<int> moved;
        for (const auto& [line, cursor] :
             {std::pair{"buy tomorrow milk", 13}, std::pair{"buy tomorrow milk", 17},
              std::pair{"buy tomorrow milk", 2}, std::pair{"buy tomorrow milk", 7},
              std::pair{"tomorrow milk", 9}}) {
            const SmartAddMatch match = matcher.checkRules(line, false, defaultRules(), {}, {}, {});
            QVERIFY(match.found);
            moved << match.cursorAfterCut(cursor);
        }
        QCOMPARE(moved, (QList<int>{4, 8, 2, 4, 0}));
    }

    void hugeAndHostileLines()
    {
        const SmartAddMatcher matcher;
        const QList<SmartAddRule> rules = defaultRules();

        const QString words = QString("word ").repeated(2000);
        const SmartAddMatch atEnd = matcher.checkRules(words + "tomorrow", true, rules, {}, {}, {});
        QCOMPARE(atEnd.rule.word, "Tomorrow");
        QCOMPARE(atEnd.location, words.size() - 1);

        // Long runs of what the patterns are made of, with nothing between spaces.
        for (const char* unit : {"1/", "1:", "9p", "/", "!"}) {
            const QString line = QString(unit).repeated(5000);
            QVERIFY(!matcher.checkRules(line, true, rules, {}, {}, {}).found);
        }
    }
};

VELMORAN_TEST_MAIN(TestSmartAddMatcher)
#include "tst_smartaddmatcher.moc"

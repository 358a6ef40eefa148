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
    for (const SmartAddRule& rule : defaultRules()) {
        if (rule.word == word)
            return rule;
    }
    return {};
}

} // namespace

class TestSmartAddMatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultRulesMatch_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("withSuffix");
        QTest::addColumn<QString>("ruleWord"); // empty: nothing matches
        QTest::addColumn<QString>("matchedText");
        QTest::addColumn<int>("location");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("betweenSpaces");
        QTest::addColumn<QString>("cut");
        const auto row = [](const char* name, const QString& line, bool withSuffix,
                            const QString& word, const QString& matched, int location, int length,
                            bool betweenSpaces, const QString& cut) {
            QTest::newRow(name) << line << withSuffix << word << matched << location << length
                                << betweenSpaces << cut;
        };
        const auto none = [](const char* name, const QString& line) {
            QTest::newRow(name) << line << true << QString() << QString() << 0 << 0 << false
                                << line;
        };

        // Word rules, in the three places.
        row("word between spaces", "buy milk tomorrow ", false, "Tomorrow", "", 8, 10, true,
            "buy milk ");
        row("word at end needs the end allowed", "buy milk tomorrow", false, "", "", 0, 0, false,
            "buy milk tomorrow");
        row("word at end", "buy milk tomorrow", true, "Tomorrow", "", 8, 9, false, "buy milk");
        row("word at start, any case", "TOMORROW call", false, "Tomorrow", "", 0, 9, false, "call");
        row("two-word rule", "review next week ", false, "Next Week", "", 6, 11, true, "review ");
        row("twice in the middle, the first counts", "call tomorrow mom tomorrow now", false,
            "Tomorrow", "", 4, 10, true, "call mom tomorrow now");
        row("end search replaces the range, flag stays", "x tomorrow y tomorrow", true, "Tomorrow",
            "", 12, 9, true, "x tomorrow y ");
        none("inside a longer word", "tomorrowland trip ");
        none("al only as a word", "alarm check ");
        row("al", "x al y", false, "al", "", 1, 4, true, "x y");
        // Priorities act only as the first word.
        row("! first", "! call mom", false, "!", "", 0, 2, false, "call mom");
        none("! last", "call mom !");
        // Pattern rules carry their matched text.
        row("M/dd", "pay rent 3/27 ", false, "M/dd", "3/27", 8, 6, true, "pay rent ");
        row("h:map two-digit hour", "meet 12:15a ", false, "h:map", "12:15a", 4, 8, true, "meet ");
        row("h:map at end", "x 8:30p", true, "h:map", "8:30p", 1, 6, false, "x");
        // Only the first occurrence of a pattern counts, even when a later one would stand
        // between spaces.
        none("first occurrence only", "a8:30p 9:30p ");
        row("prefix", "buy /groceries milk ", false, "/", "/groceries", 3, 12, true, "buy milk ");
        // Bad input.
        none("empty", "");
        none("lone trigger", "tomorrow");
        none("bare prefix", "x / y");
    }

    void defaultRulesMatch()
    {
        QFETCH(QString, line);
        QFETCH(bool, withSuffix);
        QFETCH(QString, ruleWord);
        QFETCH(QString, matchedText);
        QFETCH(int, location);
        QFETCH(int, length);
        QFETCH(bool, betweenSpaces);
        QFETCH(QString, cut);

        const SmartAddMatcher matcher;
        const SmartAddMatch match =
            matcher.checkRules(line, withSuffix, defaultRules(), {}, {}, {});
        QCOMPARE(match.found, !ruleWord.isEmpty());
        QCOMPARE(match.cutFrom(line), cut);
        if (!match.found)
            return;
        QCOMPARE(match.rule.word, ruleWord);
        QCOMPARE(match.matchedText, matchedText);
        QCOMPARE(match.location, location);
        QCOMPARE(match.length, length);
        QCOMPARE(match.betweenSpaces, betweenSpaces);
        QCOMPARE(match.searchText, line.mid(location, length));
    }

    void familiesTryTheirExpressionsInOrder_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& family, const QString& line,
                            const QString& expected) {
            QTest::newRow(name) << family << line << expected;
        };
        row("M/dd two digits", "M/dd", "10/22", "10/22");
        // The first expression is tried over the whole line before the second one.
        row("M/dd later full form wins", "M/dd", "1/2 and 03/15", "03/15");
        row("dd/M", "dd/M", "27/3", "27/3");
        row("dd/M no month 13", "dd/M", "13/13", "13/1");
        row("h:m 24", "h:m", "at 24:00", "4:00");
        row("hap finds a prefix of am", "hap", "3pm", "3p");
        row("none", "h:map", "no time here", "");
    }

    void familiesTryTheirExpressionsInOrder()
    {
        QFETCH(QString, family);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const auto parsed = SmartAddPatterns::familyFromName(family);
        QVERIFY(parsed);
        QCOMPARE(SmartAddPatterns::firstMatch(*parsed, line), expected);
    }

    // Rule words are the user's literal text: none of them may act as an expression.
    void ruleWordsAreLiteral_data()
    {
        QTest::addColumn<qint64>("type");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("cut"); // equal to line: no match
        const auto row = [](const char* name, qint64 type, const QString& word, const QString& line,
                            const QString& cut) {
            QTest::newRow(name) << type << word << line << cut;
        };
        row("c++", 0, "c++", "learn c++ now ", "learn now ");
        row("(x", 0, "(x", "a (x b", "a b");
        row("a|b", 0, "a|b", "x a|b y", "x y");
        row("\\d not a digit", 0, "\\d", "x 5 y", "x 5 y");
        row(".*", 0, ".*", "x anything y", "x anything y");
        row("prefix +", 2, "+", "buy +work milk", "buy milk");
        row("prefix .* literal", 2, ".*", "x .*abc y", "x y");
        row("prefix .* not a pattern", 2, ".*", "x zzabc y", "x zzabc y");
        row("prefix two characters", 2, "@@", "x @@home y", "x y");
    }

    void ruleWordsAreLiteral()
    {
        QFETCH(qint64, type);
        QFETCH(QString, word);
        QFETCH(QString, line);
        QFETCH(QString, cut);
        SmartAddRule rule =
            wordRule(word, type == SmartAddRule::PrefixRule ? qint64(SmartAddRule::List) : 7);
        rule.type = type;
        const SmartAddMatcher matcher;
        const SmartAddMatch match = matcher.checkRules(line, true, {rule}, {}, {}, {});
        QCOMPARE(match.found, cut != line);
        QCOMPARE(match.cutFrom(line), cut);
    }

    void rulesThatCannotMatch_data()
    {
        using SmartAddRecords::record;
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<QString>("line");
        QVariantMap unknownPlace = record(0, 7, "x");
        unknownPlace.insert("placeType", 9);
        QTest::newRow("unknown kind") << record(5, 7, "x") << "a x b";
        QTest::newRow("date family as time") << record(1, 1, "M/dd") << "a 3/27 b";
        QTest::newRow("time family as date") << record(1, 0, "h:m") << "a 10:00 b";
        QTest::newRow("prefix of another result") << record(2, 7, "/") << "a /work b";
        QTest::newRow("empty word") << record(0, 7, "") << "a  b";
        QTest::newRow("unknown place") << unknownPlace << "x a x b x";
        QTest::newRow("wrong value types")
            << QVariantMap{{"type", "zero"}, {"resultType", QVariantList{}}, {"word", 42}}
            << "a 42 b";
    }

    void rulesThatCannotMatch()
    {
        QFETCH(QVariantMap, record);
        QFETCH(QString, line);
        const SmartAddMatcher matcher;
        const SmartAddMatch match =
            matcher.checkRules(line, true, {SmartAddRule::fromVariant(record)}, {}, {}, {});
        QVERIFY(!match.found);
        QCOMPARE(match.location, 0);
        QCOMPARE(match.length, 0);
    }

    void placeTypes_data()
    {
        QTest::addColumn<qint64>("place");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("found");

        for (const qint64 place : {0, 1, 2, 3}) {
            const QByteArray tag = QByteArray::number(place);
            QTest::newRow(tag + " start") << place << "zz a" << (place == 0 || place == 1);
            QTest::newRow(tag + " middle") << place << "a zz b" << (place == 0 || place == 3);
            QTest::newRow(tag + " end") << place << "a zz" << (place == 0 || place == 2);
        }
    }

    void placeTypes()
    {
        QFETCH(qint64, place);
        QFETCH(QString, line);
        QFETCH(bool, found);
        const SmartAddMatcher matcher;
        QCOMPARE(matcher.checkRules(line, true, {wordRule("zz", 7, place)}, {}, {}, {}).found,
                 found);
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

    // Stored records may hold anything: wrong types read as zero and never match, and keys of
    // other versions are written back.
    void recordsAreReadSafely_data()
    {
        QTest::addColumn<QVariant>("record");
        QTest::addColumn<QList<qint64>>("read"); // type, result type, place
        QTest::addColumn<QString>("word");
        const auto row = [](const char* name, const QVariant& record, const QList<qint64>& read,
                            const QString& word = {}) {
            QTest::newRow(name) << record << read << word;
        };
        row("strings for numbers", QVariantMap{{"type", "2"}, {"resultType", "6"}, {"word", "/"}},
            {0, 0, 0}, "/");
        row("number for word",
            QVariantMap{{"type", 0}, {"resultType", 3}, {"word", 7}, {"placeType", true}},
            {0, 3, 1});
        row("doubles", QVariantMap{{"type", 1.0}, {"resultType", 1.9}}, {1, 1, 0});
        row("not finite",
            QVariantMap{{"type", std::numeric_limits<double>::infinity()},
                        {"resultType", std::numeric_limits<double>::quiet_NaN()},
                        {"placeType", 1e300}},
            {0, 0, 0});
        row("not a dictionary", QVariant("rule"), {0, 0, 0});
    }

    void recordsAreReadSafely()
    {
        QFETCH(QVariant, record);
        QFETCH(QList<qint64>, read);
        QFETCH(QString, word);
        const SmartAddRule rule = SmartAddRule::fromVariant(record);
        QCOMPARE((QList<qint64>{rule.type, rule.resultType, rule.place()}), read);
        QCOMPARE(rule.word, word);
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

    void cursorFollowsTheCut_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("expected");

        QTest::newRow("after") << "buy tomorrow milk" << 13 << 4;
        QTest::newRow("end") << "buy tomorrow milk" << 17 << 8;
        QTest::newRow("before") << "buy tomorrow milk" << 2 << 2;
        QTest::newRow("inside") << "buy tomorrow milk" << 7 << 4;
        QTest::newRow("cut at start") << "tomorrow milk" << 9 << 0;
    }

    void cursorFollowsTheCut()
    {
        QFETCH(QString, line);
        QFETCH(int, cursor);
        QFETCH(int, expected);
        const SmartAddMatcher matcher;
        const SmartAddMatch match = matcher.checkRules(line, false, defaultRules(), {}, {}, {});
        QVERIFY(match.found);
        QCOMPARE(match.cursorAfterCut(cursor), expected);
    }

    void hugeAndHostileLines()
    {
        const SmartAddMatcher matcher;
        const QList<SmartAddRule> rules = defaultRules();

        QString words;
        for (int i = 0; i < 2000; ++i)
            words += "word ";
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

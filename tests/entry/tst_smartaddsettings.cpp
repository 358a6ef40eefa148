#include "SmartAddRecords.h"
#include "TestEnvironment.h"

#include "entry/SmartAddSettings.h"
#include "prefs/SmartAddRuleSets.h"

using SmartAddRecords::record;

namespace {

// Each stored record as "type/resultType/word", for short comparisons.
QStringList words(const QVariantList& stored)
{
    QStringList out;
    for (const QVariant& value : stored) {
        const QVariantMap map = value.toMap();
        out << QStringLiteral("%1/%2/%3")
                   .arg(map.value("type").toString(), map.value("resultType").toString(),
                        map.value("word").toString());
    }
    return out;
}

} // namespace

// The rule sheet of the settings: stored records read as switches and rules, and written back.
class TestSmartAddSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rebuildPutsSwitchedRulesFirstInTheFixedOrder()
    {
        const QVariantList stored{record(0, 2, "next", "+7", "Day"),
                                  record(0, 3, "!"),
                                  record(1, 1, "hap"),
                                  record(0, 5, "!!!"),
                                  record(1, 0, "M/dd"),
                                  record(2, 6, "/"),
                                  record(0, 4, "!!"),
                                  record(0, 7, "al")};
        SmartAddSettings settings = SmartAddSettings::fromStored(stored);
        QCOMPARE(settings.switches,
                 (std::array<bool, 13>{true, false, false, false, false, true, true, true, false,
                                       false, false, false, false}));
        QCOMPARE(words(settings.toStored()),
                 QStringList({"1/0/M/dd", "1/1/hap", "2/6//", "0/5/!!!", "0/4/!!", "0/3/!",
                              "0/2/next", "0/7/al"}));
        // One date order at a time.
        settings.toggleSwitch(1);
        QVERIFY(!settings.switches[0] && settings.switches[1]);
        settings.toggleSwitch(7);
        settings.toggleSwitch(9);
        QCOMPARE(words(settings.toStored()),
                 QStringList({"1/0/dd/M", "1/1/hap", "2/6//", "1/1/hampm", "0/2/next", "0/7/al"}));
        // A new priority mark carries the placement the matcher needs.
        SmartAddSettings fresh;
        fresh.toggleSwitch(7);
        QCOMPARE(fresh.toStored().at(0).toMap().value("placeType"), QVariant(qint64(1)));

        // Every language's default rules read as switches and rules the sheet edits; written
        // back, a time with words still comes before "h:m", which would take its digits.
        for (const QString& language : SmartAddRuleSets::languages()) {
            const SmartAddSettings read =
                SmartAddSettings::fromStored(SmartAddRuleSets::forLanguage(language));
            for (const QVariant& custom : read.customRecords)
                QVERIFY2(SmartAddSettings::isEditable(custom), qPrintable(language));
        }
        const QStringList french =
            words(SmartAddSettings::fromStored(SmartAddRuleSets::forLanguage("fr")).toStored());
        QVERIFY(french.contains("1/1/H'h'mm"));
        QVERIFY(french.indexOf("1/1/H'h'mm") < french.indexOf("1/1/h:m"));
    }

    void recordsItCannotEditAreKeptInPlaceWithTheirKeys()
    {
        QVariantMap marked = record(1, 0, "M/dd");
        marked.insert("since", "v9");
        QVariantMap wrongWord = record(0, 2, "x", "+1", "Day");
        wrongWord.insert("word", 42);
        const QVariantList stored{record(0, 2, "soon", "+2", "Day"),
                                  record(1, 0, "yyyy-MM-dd"), // a newer pattern family
                                  marked,
                                  record(0, 12, "teleport"), // an unknown result
                                  wrongWord,
                                  QVariant("not a record"),
                                  record(0, 1, "tea", "25:99")};
        const SmartAddSettings settings = SmartAddSettings::fromStored(stored);
        QCOMPARE(settings.customRecords.size(), 6);
        QList<bool> editable;
        for (const QVariant& value : settings.customRecords)
            editable << SmartAddSettings::isEditable(value);
        QCOMPARE(editable, QList<bool>({true, false, false, false, false, false}));
        const QVariantList rewritten = settings.toStored();
        QCOMPARE(rewritten.first(), QVariant(marked));
        QCOMPARE(rewritten.mid(1), QVariantList(stored.mid(0, 2)) + stored.mid(3));
    }

    // +7 days, -1 week, a time, alarm off, Sunday; opening the sheet on the record gives back
    // the same choice.
    void sheetChoicesMakeTheirRecords()
    {
        using C = SmartAddRuleChoice;
        for (const auto& [made, expected] :
             {std::pair{C{.number = 7}, record(0, 2, "w", "+7", "Day")},
              std::pair{C{.forward = false, .number = 1, .unit = 1},
                        record(0, 2, "w", "-1", "Week")},
              std::pair{C{.kind = 1, .time = QTime(7, 5)}, record(0, 1, "w", "07:05")},
              std::pair{C{.kind = 3}, record(0, 8, "w")},
              std::pair{C{.kind = 4}, record(0, 9, "w", "sun")}}) {
            const SmartAddRule rule = made.ruleWithWord("w");
            QCOMPARE(rule.toVariant(), expected);
            QCOMPARE(SmartAddRuleChoice::fromRule(rule).ruleWithWord("w").toVariant(), expected);
        }
    }

    // A rule's time is written as the locale writes times: 24-hour in German, AM/PM in US English.
    void ruleTimesAreWrittenAsTheLocaleWritesThem()
    {
        const QLocale before;
        const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        const SmartAddRule rule = SmartAddRule::fromVariant(record(0, 1, "late", "14:05"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(SmartAddRuleChoice::describe(rule), QString("Due Time 14:05"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString described = SmartAddRuleChoice::describe(rule);
        QVERIFY2(described.startsWith("Due Time 2:05") && described.endsWith("PM"),
                 qPrintable(described));
    }

    void wordsAreRefusedWhenBlankOrTaken()
    {
        const QVariantList stored{record(1, 0, "M/dd"), record(0, 2, "Next", "+7", "Day")};
        QCOMPARE(checkSmartAddWord("", stored, -1), SmartAddWordProblem::Empty);
        QCOMPARE(checkSmartAddWord("next", stored, -1), SmartAddWordProblem::Taken);
        QCOMPARE(checkSmartAddWord(" NEXT ", stored, -1), SmartAddWordProblem::Taken);
        // Editing a rule may keep its own word; a pattern's name is no word.
        QCOMPARE(checkSmartAddWord("next", stored, 1), SmartAddWordProblem::None);
        QCOMPARE(checkSmartAddWord("M/dd", stored, -1), SmartAddWordProblem::None);
        // An edit stays in its place and keeps keys this version does not know.
        QVariantList withKey = stored;
        QVariantMap extra = stored.at(1).toMap();
        extra.insert("color", "red");
        withKey[1] = extra;
        const SmartAddRuleChoice later{.number = 3};
        const QVariantList edited = storeSmartAddRule(withKey, later.ruleWithWord("later"), 1);
        QCOMPARE(edited.at(1).toMap().value("word"), QVariant("later"));
        QCOMPARE(edited.at(1).toMap().value("color"), QVariant("red"));
        QCOMPARE(storeSmartAddRule(stored, later.ruleWithWord("x"), -1).size(), 3);
    }
};

VELMORAN_TEST_MAIN(TestSmartAddSettings)
#include "tst_smartaddsettings.moc"

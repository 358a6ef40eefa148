#include "TestEnvironment.h"

#include "text/RecurrenceDescription.h"

#include <QTranslator>

using store::RecurrenceDayOfWeek;
using store::RecurrenceRule;
using Frequency = RecurrenceRule::Frequency;

Q_DECLARE_METATYPE(RecurrenceRule)

namespace {

enum Day { Sun = 1, Mon, Tue, Wed, Thu, Fri, Sat };

RecurrenceRule rule(Frequency frequency, int interval, QList<RecurrenceDayOfWeek> days = {},
                    QList<int> daysOfTheMonth = {})
{
    RecurrenceRule result;
    result.frequency = frequency;
    result.interval = interval;
    result.daysOfTheWeek = std::move(days);
    result.daysOfTheMonth = std::move(daysOfTheMonth);
    return result;
}

QList<RecurrenceDayOfWeek> every(std::initializer_list<int> days)
{
    QList<RecurrenceDayOfWeek> result;
    for (const int day : days)
        result.append({day, 0});
    return result;
}

// A translation that puts the list before the unit and renames a few words, to show that each
// fragment is looked up on its own and filled afterwards.
class ReorderingTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(context, "Global") != 0)
            return {};
        static const QHash<QByteArray, QString> texts = {
            {"%@ %@", "%2$@ / %1$@"}, {"Every %n Week(s)", "alle %n Wochen"},
            {"on ", "am "},           {" and ", " und "},
            {"Monday", "Montag"},     {"Friday", "Freitag"},
        };
        return texts.value(sourceText);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestRecurrenceDescription : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void describes_data()
    {
        QTest::addColumn<RecurrenceRule>("rule");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const RecurrenceRule& rule, const char* expected) {
            QTest::newRow(name) << rule << QString(expected);
        };

        // Units and intervals; daily and yearly rules never describe their days.
        row("every 10 days", rule(Frequency::Daily, 10), "Every 10 Days");
        row("daily ignores days", rule(Frequency::Daily, 2, every({Mon}), {5}), "Every 2 Days");
        row("yearly ignores days", rule(Frequency::Yearly, 1, {{Mon, 2}}, {1}), "Every Year");
        row("weekly, no days", rule(Frequency::Weekly, 1), "Every Week");

        // Weekly: the two words, only for exactly those days.
        row("weekdays in any order", rule(Frequency::Weekly, 1, every({Fri, Mon, Wed, Thu, Tue})),
            "Weekdays");
        row("weekdays every other week",
            rule(Frequency::Weekly, 2, every({Mon, Tue, Wed, Thu, Fri})),
            "Every 2 Weeks on Weekdays");
        row("weekend and a day", rule(Frequency::Weekly, 1, every({Sun, Mon, Sat})),
            "Every Week on Sunday, Monday and Saturday");
        row("six days", rule(Frequency::Weekly, 1, every({Mon, Tue, Wed, Thu, Fri, Sat})),
            "Every Week on Monday, Tuesday, Wednesday, Thursday, Friday and Saturday");
        row("every other week, two days in rule order",
            rule(Frequency::Weekly, 2, every({Thu, Mon})), "Every 2 Weeks on Thursday and Monday");
        row("unknown day keeps its separator", rule(Frequency::Weekly, 1, every({Mon, 9, Fri})),
            "Every Week on Monday,  and Friday");

        // Monthly: weekdays with their week numbers win over days of the month.
        row("first Monday and last Friday", rule(Frequency::Monthly, 1, {{Mon, 1}, {Fri, -1}}),
            "Every Month on 1st Monday and Last Friday");
        row("nth weekdays", rule(Frequency::Monthly, 2, {{Tue, 2}, {Wed, 3}, {Thu, 4}, {Sat, 5}}),
            "Every 2 Months on 2nd Tuesday, 3rd Wednesday, 4th Thursday and 5th Saturday");
        row("second to last", rule(Frequency::Monthly, 1, {{Sun, -2}}),
            "Every Month on -2th Sunday");
        row("weekdays win over days of the month", rule(Frequency::Monthly, 1, {{Mon, 1}}, {15}),
            "Every Month on 1st Monday");
        row("days of the month", rule(Frequency::Monthly, 3, {}, {1, 15, -1}),
            "Every 3 Months on 1st, 15th and Last");
        row("ordinals past ten",
            rule(Frequency::Monthly, 1, {}, {2, 3, 11, 12, 13, 21, 22, 23, 31}),
            "Every Month on 2nd, 3rd, 11th, 12th, 13th, 21st, 22nd, 23rd and 31st");

        // How a rule ends is not part of its description.
        RecurrenceRule byCount = rule(Frequency::Weekly, 2, every({Tue, Fri}));
        byCount.recurrenceEnd = store::RecurrenceEnd::withOccurrenceCount(10);
        row("end by count", byCount, "Every 2 Weeks on Tuesday and Friday");

        row("unknown frequency", rule(static_cast<Frequency>(7), 1), "Custom");
    }

    void describes()
    {
        QFETCH(RecurrenceRule, rule);
        QFETCH(QString, expected);
        QCOMPARE(RecurrenceDescription::recurrenceRuleDescription(rule), expected);
    }

    void fragmentsAreTranslatedSeparately()
    {
        ReorderingTexts translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString text = RecurrenceDescription::recurrenceRuleDescription(
            rule(Frequency::Weekly, 2, every({Mon, Fri})));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(text, "am Montag und Freitag / alle 2 Wochen");
    }
};

VELMORAN_TEST_MAIN(TestRecurrenceDescription)
#include "tst_recurrencedescription.moc"

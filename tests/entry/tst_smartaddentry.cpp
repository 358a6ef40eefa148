#include "LoadedStore.h"
#include "SmartAddRecords.h"
#include "TestEnvironment.h"
#include "TypingField.h"

#include "entry/SmartAddPreview.h"
#include "prefs/SmartAddRuleSets.h"

using SmartAddRecords::record;
using TestEnvironment::local;

// Wednesday 9 December 2026, 10:00 in Berlin.
class TestSmartAddEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        m_smartAdd = std::make_unique<SmartAdd>(*m_store->defaults, m_store->clock);
        m_entry = std::make_unique<SmartAddEntry>(*m_smartAdd);
        m_entry->setup();
    }

    void cleanup()
    {
        m_entry.reset();
        m_smartAdd.reset();
        m_store.reset();
    }

    // Typed a character at a time under the preferences given, then added, as the quick-add
    // window and the settings' preview do. Times with words wait for their last word: "um 15"
    // is not taken before "Uhr" could follow.
    // "expected": title|due|priority|alarm or not|list.
    void typedAndAdded_data()
    {
        QTest::addColumn<QVariantMap>("prefs");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QVariantMap& prefs, const QString& typed, const char* expected) {
            QTest::newRow(qPrintable(typed)) << prefs << typed << QString(expected);
        };
        const auto rulesOf = [](const char* language) {
            return QVariantMap{{"smartAddRules", SmartAddRuleSets::forLanguage(language)}};
        };
        // Two rules of the user's own, and no alarm unless asked for.
        const QVariantMap own{{"alarmOn", false},
                              {"smartAddRules", defaultSmartAddRules() +
                                                    QVariantList{record(0, 2, "next", "+7", "Day"),
                                                                 record(0, 1, "c++", "14:00")}}};
        row(rulesOf("de"), "Milch kaufen morgen um 15 Uhr ",
            "Milch kaufen|2026-12-10 15:00|0|alarm|");
        row(rulesOf("fr"), "acheter du lait demain à 15h ",
            "acheter du lait|2026-12-10 15:00|0|alarm|");
        row(rulesOf("de"), "Zahnarzt morgen um 9 !!", "Zahnarzt|2026-12-10 09:00|2|alarm|");
        // Added with the space still after "um 9": the time is taken all the same.
        row(rulesOf("de"), "Zahnarzt morgen um 9 ", "Zahnarzt|2026-12-10 09:00|0|alarm|");
        row(rulesOf("de"), "morgen um 9 und dann", "und dann|2026-12-10 09:00|0|alarm|");
        row(own, "Pay rent next", "Pay rent|2026-12-16 08:00|0||");
        row(own, "Learn c++ today", "Learn|2026-12-09 14:00|0||");
        row(own, "Dentist 12/24 3p", "Dentist|2026-12-24 15:00|0||");
        row(own, "!!! Call Anna /Work al", "Call Anna||1|alarm|Work");
        // Across the change to summer time the wall-clock time stays.
        row(own, "Plant 3/29 9:30", "Plant|2027-03-29 09:30|0||");
        // A word alone is the title: a trigger needs text before it.
        row(own, "tomorrow", "tomorrow||0||");
        row({{"alarmOn", false}}, "x ", "x||0||");
        row({{"smartAdd", false}}, "! buy milk tomorrow 3pm al",
            "! buy milk tomorrow 3pm al||0|alarm|");
    }

    void typedAndAdded()
    {
        QFETCH(QVariantMap, prefs);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        m_store->defaults->setObjects(prefs);
        const SmartAddPreview added = SmartAddPreview::ofLine(*m_smartAdd, typed);
        QVERIFY(added.accepted);
        QCOMPARE(QStringList({added.title, added.dueDate.toString(u"yyyy-MM-dd hh:mm"),
                              QString::number(added.priority.value_or(0)),
                              added.alarm ? "alarm" : "", added.listName})
                     .join('|'),
                 expected);
    }

    // "expected": the field's text|the due date|the label of the last recorded rule.
    void typedTriggers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QString& typed, const char* expected) {
            QTest::newRow(qPrintable(typed)) << typed << QString(expected);
        };
        row("dinner 7:30pm ", "dinner |2026-12-09 19:30|");
        row("noon lunch", "lunch|2026-12-09 12:00|");
        row("call friday ", "call |2026-12-11 08:00|");
        row("water al plants", "water plants||al");
        row("!!! call mom", "call mom||!!!");
        row("call mom ! ", "call mom ! ||");
        // One trigger per edit: the second date word moves the date again.
        row("x tomorrow friday ", "x |2026-12-11 08:00|");
        row("x 3pm tomorrow ", "x |2026-12-10 15:00|");
        row("buy milk tomorrow 3pm ", "buy milk |2026-12-10 15:00|");
    }

    void typedTriggers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TypingField field(*m_entry);
        field.type(typed);
        const QString due =
            m_entry->hasDueDate() ? m_entry->dueDate().toString(u"yyyy-MM-dd hh:mm") : QString();
        QCOMPARE(QStringList({field.text(), due, m_entry->ruleLabelText()}).join('|'), expected);
        // Date and time rules move the date but are not recorded.
        QCOMPARE(m_entry->canUndo(), !m_entry->ruleLabelText().isEmpty());
    }

    void groupsBlockAndUndoUnblocks()
    {
        TypingField field(*m_entry);
        field.type("! ");
        QCOMPARE(field.text(), "");
        QCOMPARE(m_entry->addedRuleTypes(), (QList<qint64>{3, 4, 5}));

        // The priority group is blocked: "!!" stays in the text.
        field.type("!! ");
        QCOMPARE(field.text(), "!! ");

        m_entry->undo();
        QCOMPARE(m_entry->ruleLabelText(), "");
        QVERIFY(m_entry->addedRuleTypes().isEmpty());
        QCOMPARE(m_entry->cancelledRules().size(), 1);
        // Undo does not put the cut word back.
        QCOMPARE(field.text(), "!! ");

        // Another priority word matches again, the undone one never.
        field.clear();
        field.type("!! ");
        QCOMPARE(m_entry->ruleLabelText(), "!!");
        m_entry->undo();
        field.type("! x");
        QCOMPARE(field.text(), "! x");
        QVERIFY(m_entry->addedRules().isEmpty());

        // The alarm is a group of its own; the label follows the last recorded rule.
        field.clear();
        field.type("!!! ");
        field.type("water al ");
        QCOMPARE(m_entry->ruleLabelText(), "al");
        QCOMPARE(m_entry->addedRules().size(), 2);
        m_entry->undo();
        QCOMPARE(m_entry->ruleLabelText(), "!!!");
        QCOMPARE(m_entry->addedRuleTypes(), (QList<qint64>{3, 4, 5}));

        const SmartAddEntry::Submission added = m_entry->submit(field.text());
        QCOMPARE(added.title, "water");
        QCOMPARE(added.priority, 1);
        QVERIFY(added.alarm); // from "alarmOn": the "al" rule was undone
    }

    void prefixRuleSelectsAList()
    {
        QSignalSpy lists(m_entry.get(), &SmartAddEntry::listRequested);
        TypingField field(*m_entry);
        field.type("buy /groceries milk");
        QCOMPARE(field.text(), "buy milk");
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists.at(0).at(0).toString(), "groceries");
        QVERIFY(m_entry->addedRules().isEmpty());
        // Not recorded, so a second list word is taken too (the last one wins in the chooser).
        field.type(" /home");
        const SmartAddEntry::Submission added = m_entry->submit(field.text());
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists.at(1).at(0).toString(), "home");
        QCOMPARE(added.title, "buy milk");
    }

    void rulesApplyToTheChoosersDate()
    {
        m_entry->setDueDate(local(2026, 12, 24, 9, 0));
        TypingField field(*m_entry);
        field.type("noon party");
        QCOMPARE(m_entry->dueDate(), local(2026, 12, 24, 12, 0));
        m_entry->setDueDate(QDateTime());
        QVERIFY(!m_entry->hasDueDate());
        QCOMPARE(m_entry->submit(field.text()).dueDate, QDateTime());
    }

    void nothingToAdd()
    {
        const QList<std::tuple<QString, QString, bool>> rows{
            {"", "", false}, {"   ", "   ", false}, {"  tomorrow", " ", true}};
        for (const auto& [text, after, dueDate] : rows) {
            m_entry->reset();
            const SmartAddEntry::Submission added = m_entry->submit(text);
            QVERIFY(!added.accepted);
            QCOMPARE(added.text, after);
            QCOMPARE(m_entry->hasDueDate(), dueDate);
        }
    }

    // The quick-add window keeps its state across a Command-Return add; the tray panel resets
    // after every add; setup starts over and reads the preferences again.
    void stateAcrossAdds()
    {
        TypingField field(*m_entry);
        field.type("! tomorrow first");
        QVERIFY(m_entry->submit(field.text()).accepted);
        field.clear();
        field.type("second");
        SmartAddEntry::Submission added = m_entry->submit(field.text());
        QCOMPARE(added.priority, 3);
        QCOMPARE(added.dueDate, local(2026, 12, 10, 8, 0));

        QSignalSpy labels(m_entry.get(), &SmartAddEntry::ruleLabelChanged);
        m_entry->reset();
        QCOMPARE(labels.last(), (QVariantList{"", false}));
        added = m_entry->submit("third");
        QVERIFY(!added.priority && !added.dueDate.isValid());

        // Rules are a copy taken at setup.
        m_store->defaults->setObject(QVariantList{record(0, 7, "zz")}, PrefKey::smartAddRules);
        QVERIFY(m_entry->userEditedText("x tomorrow ", 11));
        m_entry->setup();
        QVERIFY(!m_entry->userEditedText("x tomorrow ", 11));
        QVERIFY(m_entry->userEditedText("x zz ", 5));
    }

    // Rules from the preferences may hold anything; none of it may crash the field or give a
    // date the rules do not describe.
    void hostileRules()
    {
        m_store->defaults->setObject(
            QVariantList{
                record(0, 42, "zz"), record(0, 2, "c++", "x"), record(1, 0, "nope"),
                record(2, 6, "a|b"),
                QVariantMap{{"type", "1"}, {"resultType", 1.0}, {"word", "(x"}, {"result", 5}},
                QVariant("not a rule"), QVariant()},
            PrefKey::smartAddRules);
        m_entry->setup();
        QCOMPARE(m_entry->rules().size(), 5);
        QSignalSpy lists(m_entry.get(), &SmartAddEntry::listRequested);
        TypingField field(*m_entry);
        field.type("a zz b c++ c (x d a|bwork e 3/27 ");
        QCOMPARE(field.text(), "a b c d e 3/27 ");
        QCOMPARE(m_entry->ruleLabelText(), "zz");
        QCOMPARE(lists.size(), 1);
        // "c++" reads its unreadable result as zero days; "(x" has no readable time.
        QCOMPARE(m_entry->dueDate(), local(2026, 12, 9, 8, 0));

        const SmartAddEntry::Submission added =
            m_entry->submit(QString("zz tomorrow 3pm ! ").repeated(500));
        QVERIFY(added.accepted);
        QCOMPARE(added.dueDate, local(2026, 12, 9, 8, 0));
    }

private:
    std::optional<LoadedStore> m_store;
    std::unique_ptr<SmartAdd> m_smartAdd;
    std::unique_ptr<SmartAddEntry> m_entry;
};

VELMORAN_TEST_MAIN(TestSmartAddEntry)
#include "tst_smartaddentry.moc"

#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/ListFilters.h"
#include "data/SearchWords.h"

#include <QtConcurrent>

using TestEnvironment::local;

Q_DECLARE_METATYPE(ReminderSnapshot::Folding)

namespace {

// Wednesday 26 March 2025, 10:00; the week starts on Sunday.
QueryDates referenceDates()
{
    return {local(2025, 3, 26, 10), local(2025, 3, 26), local(2025, 3, 23), local(2025, 3, 1)};
}

QVariantMap entry(qint64 type, const QVariantMap& more = {})
{
    QVariantMap dictionary = more;
    dictionary.insert("type", type);
    return dictionary;
}

QVariantMap merged(const QStringList& lists, const QVariantList& priorities)
{
    return entry(
        9, {{"tag", "Merged"}, {"lists", QVariant(lists).toList()}, {"priorities", priorities}});
}

// The sidebar fixture: one task for each thing an entry can look at, numbered from 1.
const QStringList kTitles =
    QString(",Report,Undated,Undated done,Undated done no date,Midnight today,"
            "Evening today,Last week,Done late,Water plants,Pay rent,"
            "Pick up parcel,Return books,Call Anna,Urgent,Soon,Medium,Low six,"
            "Low nine,Urgent done,Finish #Homework,home chores,Groceries,"
            "Sweep #home,Loose end")
        .split(u',');

QStringList titles(std::initializer_list<int> numbers)
{
    QStringList result;
    for (const int number : numbers)
        result.append(kTitles.at(number));
    return result;
}

SnapshotPtr sidebarFixture()
{
    const store::CalendarPtr work = makeList("w", "Work");
    const store::CalendarPtr home = makeList("h", "Home");
    const store::CalendarPtr errands = makeList("e", "Errands");
    const QDateTime tomorrow = local(2025, 3, 27, 9);
    const QDateTime yesterday = local(2025, 3, 25, 12);
    const auto task = [&](int number, const store::CalendarPtr& list) {
        return ReminderBuilder(kTitles.at(number)).in(list);
    };
    return snapshotOf({
        task(1, work).dueAt(tomorrow),
        task(2, home),
        task(3, home).completedAt(yesterday),
        task(4, home).completedWithoutDate(),
        task(5, work).dueOn(QDate(2025, 3, 26)),
        task(6, work).dueAt(local(2025, 3, 26, 18)),
        task(7, errands).dueAt(local(2025, 3, 19, 9)),
        task(8, errands).dueAt(local(2025, 3, 20, 9)).completedAt(local(2025, 3, 21)),
        task(9, home).dueAt(tomorrow).completedAt(local(2025, 3, 24)).recurring(),
        task(10, home).dueAt(tomorrow).recurring(),
        task(11, errands).dueAt(tomorrow).withLocationAlarm(),
        task(12, errands).dueAt(tomorrow).completedAt(yesterday).withLocationAlarm(),
        task(13, work).dueAt(tomorrow).withAlarm(),
        task(14, work).dueAt(tomorrow).priority(1),
        task(15, work).dueAt(tomorrow).priority(4),
        task(16, work).dueAt(tomorrow).priority(5),
        task(17, work).dueAt(tomorrow).priority(6),
        task(18, work).dueAt(tomorrow).priority(9),
        task(19, work).dueAt(tomorrow).priority(1).completedAt(yesterday),
        task(20, home).dueAt(tomorrow),
        task(21, home).dueAt(tomorrow),
        task(22, home).dueAt(tomorrow).notes("see #HOME list"),
        task(23, home).dueAt(tomorrow).completedAt(yesterday),
        task(24, nullptr).dueAt(tomorrow),
    });
}

// The date-count fixture, against Wednesday 26 March.
SnapshotPtr countFixture()
{
    return snapshotOf({
        ReminderBuilder("today").dueAt(local(2025, 3, 26, 9)),
        ReminderBuilder("last week").dueAt(local(2025, 3, 19, 9)),
        ReminderBuilder("done today").dueOn(QDate(2025, 3, 10)).completedAt(local(2025, 3, 26, 8)),
        ReminderBuilder("undated"),
        ReminderBuilder("tomorrow").dueOn(QDate(2025, 3, 27)),
        ReminderBuilder("yesterday").dueOn(QDate(2025, 3, 25)),
        ReminderBuilder("done yesterday")
            .dueOn(QDate(2025, 1, 1))
            .completedAt(local(2025, 3, 25, 12)),
        ReminderBuilder("next week").dueOn(QDate(2025, 4, 2)),
        ReminderBuilder("february").dueOn(QDate(2025, 2, 10)),
    });
}

QVariantMap undatedFilters(const QVariant& value)
{
    return {{"dayUndated", value}, {"weekUndated", value}, {"monthUndated", value}};
}

} // namespace

class TestListFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The fixture's tasks by number: the open ones, then those including completed tasks.
    void entriesSelectByType_data()
    {
        QTest::addColumn<QVariantMap>("dictionary");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("includingCompleted");
        using Numbers = std::initializer_list<int>;
        const auto row = [](const char* name, const QVariantMap& entry, Numbers open, Numbers all) {
            QTest::newRow(name) << entry << titles(open) << titles(all);
        };
        row("0 all", entry(0), {1, 2, 5, 6, 7, 10, 11, 13, 14, 15, 16, 17, 18, 20, 21, 22, 24},
            {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
             13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
        row("1 undated", entry(1), {2}, {2, 3, 4});
        row("2 recurring, completed too", entry(2), {9, 10}, {9, 10});
        row("3 location", entry(3), {11}, {11, 12});
        // Due today at 00:00 is overdue at 10:00; due today at 18:00 is not yet.
        row("4 overdue, open only", entry(4), {5, 7}, {5, 7});
        row("5 high", entry(5), {14, 15}, {14, 15, 19});
        row("6 medium", entry(6), {16}, {16});
        row("7 low", entry(7), {17, 18}, {17, 18});
        row("8 tag Home", entry(8, {{"tag", "Home"}}), {20, 22}, {20, 22, 23});
        row("8 tag Homework", entry(8, {{"tag", "Homework"}}), {20}, {20});
        row("15 saved search home", entry(15, {{"tag", "home"}}), {20, 21, 22}, {20, 21, 22, 23});
        row("9 any list, no priority", merged({}, {3}), {1, 2, 5, 6, 7, 10, 11, 13, 20, 21, 22, 24},
            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 20, 21, 22, 23, 24});
        row("9 work, high and medium", merged({"w"}, {0, 1}), {14, 15, 16}, {14, 15, 16, 19});
        row("9 home, none", merged({"h"}, {3}), {2, 10, 20, 21, 22},
            {2, 3, 4, 9, 10, 20, 21, 22, 23});
        row("9 a list that is gone", merged({"gone"}, {0, 1, 2, 3}), {}, {});
        row("10 list Errands", entry(10, {{"title", "Errands"}, {"identifier", "e"}}), {7, 11},
            {7, 8, 11, 12});
        row("10 title compared exactly", entry(10, {{"title", "errands"}}), {}, {});
        row("unknown type by title", entry(42, {{"title", "Home"}}), {2, 10, 20, 21, 22},
            {2, 3, 4, 9, 10, 20, 21, 22, 23});
    }

    void entriesSelectByType()
    {
        QFETCH(QVariantMap, dictionary);
        QFETCH(QStringList, open);
        QFETCH(QStringList, includingCompleted);

        const ListEntry stored = ListEntry::fromStored(dictionary);
        const ListFilters filters(sidebarFixture(), referenceDates(), true, {});
        QCOMPARE(titlesOf(filters.fetchRemindersFromDictionary(stored)), open);
        QCOMPARE(titlesOf(filters.fetchRemindersIncludingCompletedFromDictionary(stored)),
                 includingCompleted);
        QCOMPARE(filters.countForDict(stored), quint64(open.size()));
    }

    void overdueFollowsTheCurrentInstant()
    {
        const SnapshotPtr snapshot =
            snapshotOf({ReminderBuilder("due today").dueOn(QDate(2025, 3, 26))});
        QueryDates dates = referenceDates();
        for (const auto& [now, count] : {std::pair{local(2025, 3, 26, 0, 0, 1), 1u},
                                         std::pair{local(2025, 3, 25, 23, 59), 0u}}) {
            dates.now = now;
            const ListFilters filters(snapshot, dates, true, {});
            QCOMPARE(filters.countForDict(ListEntry::fromStored(entry(4))), count);
        }
    }

    void noSnapshotSelectsNothing()
    {
        const ListFilters filters(nullptr, referenceDates(), true, undatedFilters(true));
        QVERIFY(!filters.fetchRemindersFromDictionary(ListEntry::fromStored(entry(0))));
        QVERIFY(!filters.fetchRemindersFromSearchText("milk", true));
        QCOMPARE(filters.countForDict(ListEntry::fromStored(entry(0))), 0u);
        QCOMPARE(filters.countForDayOnDate(local(2025, 3, 26)), 0u);
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(nullptr), 0u);
    }

    // Overdue off, today counts its open and completed tasks, other days their open ones; on,
    // today takes every earlier open task and an earlier day keeps none. The Filters page
    // stores numbers; each view reads its own entry.
    void dateCounts()
    {
        const QVariantMap on = undatedFilters(true), off = undatedFilters(false);
        const QVariantMap dayOnly{{"dayUndated", 1}, {"weekUndated", 0}, {"monthUndated", false}};
        const QDateTime today = local(2025, 3, 26), yesterday = local(2025, 3, 25),
                        week = local(2025, 3, 23), month = local(2025, 3, 1);
        using Case = std::tuple<const char*, QDateTime, bool, QVariantMap>;
        QList<quint64> counts;
        for (const auto& [span, start, overdueNow, filters] :
             {Case{"day", today, false, on}, Case{"day", today, false, off},
              Case{"day", yesterday, false, on}, Case{"day", today, true, undatedFilters(1)},
              Case{"day", today, true, undatedFilters(0)}, Case{"day", today, true, {}},
              Case{"day", yesterday, true, on}, Case{"week", week, false, on},
              Case{"week", week, true, off}, Case{"week", week.addDays(-7), true, on},
              Case{"month", month, false, on}, Case{"month", local(2025, 2, 1), false, on},
              Case{"month", month, true, on}, Case{"day", today, false, dayOnly},
              Case{"week", week, false, dayOnly}}) {
            const ListFilters counter(countFixture(), referenceDates(), overdueNow, filters);
            const QString kind(span);
            counts << (kind == "day"    ? counter.countForDayOnDate(start)
                       : kind == "week" ? counter.countForWeekOnDate(start)
                                        : counter.countForMonthOnDate(start));
        }
        QCOMPARE(counts, (QList<quint64>{3, 2, 1, 5, 4, 4, 0, 6, 5, 0, 7, 1, 6, 3, 5}));
    }

    // Work, Home, a list without tasks, and every list. Lists are compared by identifier: a list
    // object read again (renamed meanwhile) still counts.
    void openTasksPerList()
    {
        const ListFilters filters(sidebarFixture(), referenceDates(), true, {});
        QList<quint64> counts;
        for (const store::CalendarPtr& list : {makeList("w", "Renamed"), makeList("h", "Home"),
                                               makeList("new", "New"), store::CalendarPtr()})
            counts << filters.countForUncompletedRemindersAtCalendar(list);
        QCOMPARE(counts, (QList<quint64>{9, 5, 0, 17}));
    }

    // Both words in the title or both in the notes, not spread over them; completed tasks when
    // asked for; a trailing space and a single space find nothing; case ignored; substrings;
    // the notes alone. An empty text has no answer.
    void search()
    {
        const ListFilters filters(
            snapshotOf({ReminderBuilder("Bread and milk"), ReminderBuilder("milk").notes("bread"),
                        ReminderBuilder("Buy MILK").notes("fresh BREAD and milk"),
                        ReminderBuilder("Milk bread done").completedAt(local(2025, 3, 20)),
                        ReminderBuilder("Butter").notes("")}),
            referenceDates(), true, {});
        QList<QStringList> found;
        for (const auto& [text, completed] :
             {std::pair{"milk bread", false}, std::pair{"milk bread", true},
              std::pair{"milk bread ", false}, std::pair{" ", true}, std::pair{"MILK", false},
              std::pair{"rea", false}, std::pair{"fresh", false}}) {
            const std::optional<ReminderList> answer =
                filters.fetchRemindersFromSearchText(text, completed);
            QVERIFY(answer.has_value());
            found << titlesOf(answer);
        }
        const QStringList three{"Bread and milk", "milk", "Buy MILK"};
        QCOMPARE(found, (QList<QStringList>{{"Bread and milk", "Buy MILK"},
                                            {"Bread and milk", "Buy MILK", "Milk bread done"},
                                            {},
                                            {},
                                            three,
                                            three,
                                            {"Buy MILK"}}));
        QVERIFY(!filters.fetchRemindersFromSearchText("", true));
    }

    // A search ignores case as a search of the case-folded texts would, whatever the script
    // of the text: over a task's own texts, and over a snapshot's with their signatures.
    void searchWordsMatchLikeTheFoldedTexts_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("expected");

        const auto row = [](const char* name, const QString& title, const QString& notes,
                            const QString& words, bool expected) {
            QTest::newRow(name) << title << notes << words << expected;
        };
        row("ascii, any case", "Buy MILK", "", "milk buy", true);
        row("words in notes", "Shopping", "Fresh Bread", "bread fresh", true);
        row("spread over both", "milk", "bread", "milk bread", false);
        row("accent after ascii", "Call Müller", "", "MÜLLER", true);
        row("capital accent", "ÉCOLE", "", "école", true);
        row("sharp s stays", "Straße", "", "strasse", false);
        row("kelvin sign", "5 \u212A", "", "k", true);
        row("surrogate pair", QString::fromUcs4(U"note \U00010400"), "",
            QString::fromUcs4(U"\U00010428"), true);
        row("final sigma", "ΟΔΟΣ", "", "οδοσ", true);
        row("latin word in a greek text", "Call Σοφία", "", "CALL", true);
        row("kelvin sign in the word", "5 k", "", "5 \u212A", true);
        row("empty word", "milk", "", "milk ", false);
        row("long s", "Meſſe", "", "MESSE", true);
        // Texts longer than a vector's eight characters, with the word's rarest letter early.
        row("far into a long text", QString(37, u'k') + "Buy MILK", "", "milk", true);
        row("rare letters, no word", "milx kilk " + QString(20, u'K'), "", "milk", false);
        row("micro sign folds to mu", "Dose: 5 µg", "", "5 ΜG", true);
        row("amid a long accented text", QString(20, u'ü') + "Buy MILK" + QString(20, u'ü'), "",
            "milk", true);
        row("accented word far in", QString(40, u'k') + "Über", "", "ÜBER", true);
    }

    void searchWordsMatchLikeTheFoldedTexts()
    {
        QFETCH(QString, title);
        QFETCH(QString, notes);
        QFETCH(QString, words);
        QFETCH(bool, expected);

        const std::optional<SearchWords> search = SearchWords::of(words);
        QVERIFY(search);
        const QString foldedTitle = title.toCaseFolded();
        const QString foldedNotes = notes.toCaseFolded();
        // The folded texts, the texts as they are, and the texts as a snapshot has them.
        QCOMPARE(search->matchTexts(foldedTitle, ReminderSnapshot::signatureOf(foldedTitle),
                                    foldedNotes, ReminderSnapshot::signatureOf(foldedNotes)),
                 expected);
        // Notes are kept in another form than titles, and searched in it: each text is found
        // in the notes as it is in the title.
        for (const auto& [inTitle, inNotes] : {std::pair{title, notes}, std::pair{notes, title}}) {
            QCOMPARE(search->matches(*ReminderBuilder(inTitle).notes(inNotes).build()), expected);
            const ReminderSnapshot snapshot({ReminderBuilder(inTitle).notes(inNotes).build()});
            QCOMPARE(snapshot.titleSignature(0),
                     ReminderSnapshot::signatureOf(inTitle.toCaseFolded()));
            QCOMPARE(snapshot.notesSignature(0),
                     ReminderSnapshot::signatureOf(inNotes.toCaseFolded()));
            QCOMPARE(search->matchTexts(snapshot.titleText(0), snapshot.titleSignature(0),
                                        snapshot.notesText(0), snapshot.notesSignature(0)),
                     expected);
        }
    }

    // The snapshot's texts are those of the moment it was taken, whenever they are folded:
    // the window's detail pane edits reminders in place while a search or a background count may
    // fold them for the first time.
    void foldedTextsAreThoseOfTheSnapshot_data()
    {
        QTest::addColumn<ReminderSnapshot::Folding>("folding");
        QTest::addColumn<bool>("editsSeen");
        QTest::newRow("now") << ReminderSnapshot::Folding::Now << false;
        QTest::newRow("on first use, as taken")
            << ReminderSnapshot::Folding::OnFirstUseAsTaken << false;
        // Only for snapshots nobody edits: what it folds is the reminders' text at that time.
        QTest::newRow("on first use") << ReminderSnapshot::Folding::OnFirstUse << true;
    }
    void foldedTextsAreThoseOfTheSnapshot()
    {
        QFETCH(ReminderSnapshot::Folding, folding);
        QFETCH(bool, editsSeen);
        const QList<store::ReminderPtr> reminders{
            ReminderBuilder("Straße FIXEN").notes(QStringLiteral("Über ΣΊΣΥΦΟΣ")).build(),
            ReminderBuilder("").build(),
            ReminderBuilder("Call Anna").notes(QStringLiteral("#Home")).build(),
        };
        const ReminderSnapshot snapshot(reminders, folding);
        reminders[0]->title = QStringLiteral("Edited");
        reminders[2]->notes.clear();

        // Two threads asking at once both see every text folded completely.
        auto titles = QtConcurrent::run([&snapshot] {
            QStringList folded;
            for (qsizetype i = 0; i < snapshot.size(); ++i) {
                folded << snapshot.titleText(i).toString().toCaseFolded();
                if (snapshot.titleSignature(i) != ReminderSnapshot::signatureOf(folded.last()))
                    folded.last() += QStringLiteral(" (signature of another text)");
            }
            return folded;
        });
        QStringList notes;
        for (qsizetype i = 0; i < snapshot.size(); ++i)
            notes << snapshot.notesText(i).toString().toCaseFolded();
        const QStringList expectedTitles{editsSeen ? QStringLiteral("edited")
                                                   : QStringLiteral("straße fixen"),
                                         QString(), QStringLiteral("call anna")};
        const QStringList expectedNotes{QStringLiteral("über σίσυφοσ"), QString(),
                                        editsSeen ? QString() : QStringLiteral("#home")};
        QCOMPARE(titles.result(), expectedTitles);
        QCOMPARE(notes, expectedNotes);
        for (qsizetype i = 0; i < snapshot.size(); ++i)
            QCOMPARE(snapshot.notesSignature(i),
                     ReminderSnapshot::signatureOf(expectedNotes.at(int(i))));
    }

    // A refresh hands the last fold to the next snapshot: texts that are the very same strings
    // at the same place keep their folding, and every other one is folded afresh — also one
    // with the same characters at a place that held another text before.
    void nextSnapshotFoldsOnlyWhatChanged()
    {
        const auto taken = [](const QList<store::ReminderPtr>& reminders,
                              ReminderSnapshot::Fold previous = {}) {
            return std::make_shared<const ReminderSnapshot>(
                reminders, ReminderSnapshot::Folding::OnFirstUseAsTaken, std::move(previous));
        };
        const auto foldedTitles = [](const ReminderSnapshot& snapshot) {
            QStringList titles;
            for (qsizetype i = 0; i < snapshot.size(); ++i) {
                const QString title = snapshot.titleText(i).toString().toCaseFolded();
                const QString notes = snapshot.notesText(i).toString().toCaseFolded();
                const bool signed_ =
                    snapshot.titleSignature(i) == ReminderSnapshot::signatureOf(title) &&
                    snapshot.notesSignature(i) == ReminderSnapshot::signatureOf(notes);
                titles << title + QLatin1Char('|') + notes + (signed_ ? "" : " (other signature)");
            }
            return titles;
        };
        const QList<store::ReminderPtr> first{
            ReminderBuilder("Call ANNA").notes(QStringLiteral("Über")).build(),
            ReminderBuilder("Pay Rent").build(),
            ReminderBuilder("Fix BIKE").build(),
        };
        const SnapshotPtr before = taken(first);
        QVERIFY(before->finishedFold().titles.isEmpty());
        QCOMPARE(foldedTitles(*before), QStringList({"call anna|über", "pay rent|", "fix bike|"}));
        QCOMPARE(before->finishedFold().titles.size(), 3);
        QCOMPARE(before->finishedFold().notes.size(), 3);

        // The store hands out copies sharing the strings of files that did not change.
        QList<store::ReminderPtr> second;
        for (const store::ReminderPtr& reminder : first)
            second << std::make_shared<store::Reminder>(*reminder);
        second[1]->title = QStringLiteral("Pay RANT"); // as long as before
        second << ReminderBuilder("New TASK").notes(QStringLiteral("ΣΊΣΥΦΟΣ")).build();
        const SnapshotPtr after = taken(second, before->finishedFold());
        const QStringList expected{"call anna|über", "pay rant|", "fix bike|", "new task|σίσυφοσ"};
        QCOMPARE(foldedTitles(*after), expected);

        // Moved tasks: the same strings at other places.
        QList<store::ReminderPtr> third = second;
        std::swap(third[2], third[3]);
        const SnapshotPtr moved = taken(third, after->finishedFold());
        QCOMPARE(foldedTitles(*moved),
                 QStringList({expected[0], expected[1], expected[3], expected[2]}));
        // Kept in place, the Greek notes come from the last fold as they are.
        QCOMPARE(foldedTitles(*taken(third, moved->finishedFold())), foldedTitles(*moved));
        for (qsizetype i = 0; i < moved->size(); ++i)
            QCOMPARE(moved->titleSignature(i),
                     ReminderSnapshot::signatureOf(moved->titleText(i).toString().toCaseFolded()));
    }
};

VELMORAN_TEST_MAIN(TestListFilters)
#include "tst_listfilters.moc"

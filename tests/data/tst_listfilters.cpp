#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/ListFilters.h"
#include "data/SearchWords.h"

#include <QGuiApplication>

using TestEnvironment::local;

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
    void entriesSelectByType_data()
    {
        QTest::addColumn<QVariantMap>("dictionary");
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("includingCompleted");

        const QStringList openTasks =
            titles({1, 2, 5, 6, 7, 10, 11, 13, 14, 15, 16, 17, 18, 20, 21, 22, 24});
        QTest::newRow("0 all") << entry(0) << openTasks << kTitles.mid(1);
        QTest::newRow("1 undated") << entry(1) << titles({2}) << titles({2, 3, 4});
        QTest::newRow("2 recurring, completed too")
            << entry(2) << titles({9, 10}) << titles({9, 10});
        QTest::newRow("3 location") << entry(3) << titles({11}) << titles({11, 12});
        // Due today at 00:00 is overdue at 10:00; due today at 18:00 is not yet.
        QTest::newRow("4 overdue, open only") << entry(4) << titles({5, 7}) << titles({5, 7});
        QTest::newRow("5 high") << entry(5) << titles({14, 15}) << titles({14, 15, 19});
        QTest::newRow("6 medium") << entry(6) << titles({16}) << titles({16});
        QTest::newRow("7 low") << entry(7) << titles({17, 18}) << titles({17, 18});
        QTest::newRow("8 tag Home")
            << entry(8, {{"tag", "Home"}}) << titles({20, 22}) << titles({20, 22, 23});
        QTest::newRow("8 tag Homework")
            << entry(8, {{"tag", "Homework"}}) << titles({20}) << titles({20});
        QTest::newRow("15 saved search home")
            << entry(15, {{"tag", "home"}}) << titles({20, 21, 22}) << titles({20, 21, 22, 23});
        QTest::newRow("9 any list, no priority")
            << merged({}, {3}) << titles({1, 2, 5, 6, 7, 10, 11, 13, 20, 21, 22, 24})
            << titles({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 20, 21, 22, 23, 24});
        QTest::newRow("9 work, high and medium")
            << merged({"w"}, {0, 1}) << titles({14, 15, 16}) << titles({14, 15, 16, 19});
        QTest::newRow("9 home, none") << merged({"h"}, {3}) << titles({2, 10, 20, 21, 22})
                                      << titles({2, 3, 4, 9, 10, 20, 21, 22, 23});
        QTest::newRow("9 a list that is gone")
            << merged({"gone"}, {0, 1, 2, 3}) << QStringList() << QStringList();
        QTest::newRow("10 list Errands") << entry(10, {{"title", "Errands"}, {"identifier", "e"}})
                                         << titles({7, 11}) << titles({7, 8, 11, 12});
        QTest::newRow("10 title compared exactly")
            << entry(10, {{"title", "errands"}}) << QStringList() << QStringList();
        QTest::newRow("unknown type by title")
            << entry(42, {{"title", "Home"}}) << titles({2, 10, 20, 21, 22})
            << titles({2, 3, 4, 9, 10, 20, 21, 22, 23});
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
        dates.now = local(2025, 3, 26, 0, 0, 1);
        QCOMPARE(
            ListFilters(snapshot, dates, true, {}).countForDict(ListEntry::fromStored(entry(4))),
            1u);
        dates.now = local(2025, 3, 25, 23, 59);
        QCOMPARE(
            ListFilters(snapshot, dates, true, {}).countForDict(ListEntry::fromStored(entry(4))),
            0u);
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

    void dateCounts_data()
    {
        QTest::addColumn<QString>("span");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("overdueNow");
        QTest::addColumn<QVariantMap>("filters");
        QTest::addColumn<quint64>("expected");
        const auto row = [](const char* name, const char* span, const QDateTime& start,
                            bool overdueNow, const QVariantMap& filters, quint64 expected) {
            QTest::newRow(name) << QString::fromLatin1(span) << start << overdueNow << filters
                                << expected;
        };
        const QVariantMap on = undatedFilters(true);
        const QVariantMap off = undatedFilters(false);
        const QDateTime today = local(2025, 3, 26);
        // Overdue off: today counts its open and completed tasks, other days their open ones.
        row("day, today", "day", today, false, on, 3);
        row("day, today, no undated", "day", today, false, off, 2);
        row("day, yesterday", "day", today.addDays(-1), false, on, 1);
        // Overdue on: today takes every earlier open task, an earlier day keeps none. The
        // Filters page stores numbers.
        row("overdue day, today", "day", today, true, undatedFilters(1), 5);
        row("overdue day, today, no undated", "day", today, true, undatedFilters(0), 4);
        row("overdue day, no filters", "day", today, true, {}, 4);
        row("overdue day, yesterday", "day", today.addDays(-1), true, on, 0);
        const QDateTime week = local(2025, 3, 23);
        row("week, this", "week", week, false, on, 6);
        row("overdue week, this", "week", week, true, off, 5);
        row("overdue week, last", "week", week.addDays(-7), true, on, 0);
        const QDateTime month = local(2025, 3, 1);
        row("month, this", "month", month, false, on, 7);
        row("month, February", "month", local(2025, 2, 1), false, on, 1);
        row("overdue month, this", "month", month, true, on, 6);
        // Each view reads its own entry.
        const QVariantMap dayOnly{{"dayUndated", 1}, {"weekUndated", 0}, {"monthUndated", false}};
        row("own entry: day", "day", today, false, dayOnly, 3);
        row("own entry: week", "week", week, false, dayOnly, 5);
    }

    void dateCounts()
    {
        QFETCH(QString, span);
        QFETCH(QDateTime, start);
        QFETCH(bool, overdueNow);
        QFETCH(QVariantMap, filters);
        QFETCH(quint64, expected);

        const ListFilters counter(countFixture(), referenceDates(), overdueNow, filters);
        const quint64 count = span == "day"    ? counter.countForDayOnDate(start)
                              : span == "week" ? counter.countForWeekOnDate(start)
                                               : counter.countForMonthOnDate(start);
        QCOMPARE(count, expected);
    }

    void openTasksPerList()
    {
        const store::CalendarPtr work = makeList("w", "Work");
        const store::CalendarPtr home = makeList("h", "Home");
        const ListFilters filters(snapshotOf({
                                      ReminderBuilder("a").in(work),
                                      ReminderBuilder("b").in(home),
                                      ReminderBuilder("c").in(work).completedAt(local(2025, 3, 1)),
                                      ReminderBuilder("d").in(work),
                                      ReminderBuilder("e"),
                                  }),
                                  referenceDates(), true, {});
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(work), 2u);
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(home), 1u);
        // Lists are compared by identifier: a list object read again still counts.
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(makeList("w", "Renamed")), 2u);
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(makeList("new", "New")), 0u);
        QCOMPARE(filters.countForUncompletedRemindersAtCalendar(nullptr), 4u);
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("both words in the title or both in the notes")
            << "milk bread" << false << QStringList{"Bread and milk", "Buy MILK"};
        QTest::newRow("completed asked for")
            << "milk bread" << true << QStringList{"Bread and milk", "Buy MILK", "Milk bread done"};
        QTest::newRow("trailing space") << "milk bread " << false << QStringList();
        QTest::newRow("a single space") << " " << true << QStringList();
        QTest::newRow("case ignored")
            << "MILK" << false << QStringList{"Bread and milk", "milk", "Buy MILK"};
        QTest::newRow("substring")
            << "rea" << false << QStringList{"Bread and milk", "milk", "Buy MILK"};
        QTest::newRow("notes only") << "fresh" << false << QStringList{"Buy MILK"};
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(bool, completed);
        QFETCH(QStringList, expected);

        const ListFilters filters(
            snapshotOf({
                ReminderBuilder("Bread and milk"),
                // The words are spread over title and notes: no match for both.
                ReminderBuilder("milk").notes("bread"),
                ReminderBuilder("Buy MILK").notes("fresh BREAD and milk"),
                ReminderBuilder("Milk bread done").completedAt(local(2025, 3, 20)),
                ReminderBuilder("Butter").notes(""),
            }),
            referenceDates(), true, {});
        const std::optional<ReminderList> found =
            filters.fetchRemindersFromSearchText(text, completed);
        QVERIFY(found.has_value());
        QCOMPARE(titlesOf(found), expected);
        QVERIFY(!filters.fetchRemindersFromSearchText("", true)); // empty text: no answer
    }

    // A search asked of the store folds each task's texts as it goes; it must find what the
    // snapshot's folded copies find, whatever the script of the text.
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
        row("empty word", "milk", "", "milk ", false);
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
        QCOMPARE(search->matchFolded(foldedTitle, ReminderSnapshot::signatureOf(foldedTitle),
                                     foldedNotes, ReminderSnapshot::signatureOf(foldedNotes)),
                 expected);
        // After a longer text, so that the buffers it folds into hold something to overwrite.
        search->matches(*ReminderBuilder(QString(200, u'x')).notes(QString(300, u'y')).build());
        QCOMPARE(search->matches(*ReminderBuilder(title).notes(notes).build()), expected);
    }
};

VELMORAN_TEST_MAIN(TestListFilters)
#include "tst_listfilters.moc"

#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include <QtConcurrent>

Q_DECLARE_METATYPE(ReminderSnapshot::Folding)

// The snapshot's folded texts are those of the moment it was taken, whenever they are folded:
// the window's detail pane edits reminders in place while a search or a background count may
// fold them for the first time.
class TestSnapshotTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
            for (qsizetype i = 0; i < snapshot.size(); ++i)
                folded << snapshot.foldedTitle(i).toString();
            return folded;
        });
        QStringList notes;
        for (qsizetype i = 0; i < snapshot.size(); ++i)
            notes << snapshot.foldedNotes(i).toString();
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
            for (qsizetype i = 0; i < snapshot.size(); ++i)
                titles << snapshot.foldedTitle(i).toString() + QLatin1Char('|') +
                              snapshot.foldedNotes(i).toString();
            return titles;
        };
        const QList<store::ReminderPtr> first{
            ReminderBuilder("Call ANNA").notes(QStringLiteral("Über")).build(),
            ReminderBuilder("Pay Rent").build(),
            ReminderBuilder("Fix BIKE").build(),
        };
        const SnapshotPtr before = taken(first);
        QVERIFY(before->finishedFold().texts.isEmpty());
        QCOMPARE(foldedTitles(*before), QStringList({"call anna|über", "pay rent|", "fix bike|"}));
        QCOMPARE(before->finishedFold().texts.size(), 6);

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
        for (qsizetype i = 0; i < moved->size(); ++i)
            QCOMPARE(moved->titleSignature(i),
                     ReminderSnapshot::signatureOf(moved->foldedTitle(i)));
    }
};

VELMORAN_TEST_MAIN(TestSnapshotTexts)
#include "tst_snapshottexts.moc"

#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include <QGuiApplication>
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
};

VELMORAN_TEST_MAIN(TestSnapshotTexts)
#include "tst_snapshottexts.moc"

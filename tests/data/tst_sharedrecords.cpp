#include "SeededStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/QuickActionPerformer.h"
#include "data/TaskOperations.h"

// The window holds the store's own records rather than a copy of each: an edit goes to a copy
// until the store has it, and a record handed out is never changed behind its holder's back.
using namespace store;

class TestSharedRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SeededStore>();
        m_store->clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        m_store->addList("home", "Home");
        m_store->seed("home", [](Reminder& r) { r.title = "Laundry"; });
        QVERIFY(m_store->load());
    }

    void cleanup() { m_store.reset(); }

    void anEditIsSeenByNobodyBeforeItIsSaved()
    {
        const ReminderPtr shown = m_store->inSnapshot("Laundry");
        QVERIFY(shown);
        QCOMPARE(fetch("Laundry").get(), shown.get());

        const ReminderPtr working = tasks().recordToEdit(shown);
        working->title = "Ironing";
        working->priority = 1;
        QCOMPARE(shown->title, "Laundry");
        QCOMPARE(fetch("Laundry").get(), shown.get());
        QVERIFY(!fetch("Ironing"));

        QString error;
        QVERIFY2(tasks().saveEditedReminder(working, &error), qPrintable(error));
        // Saved: the store reads the file again, and hands out what it now holds.
        const ReminderPtr saved = fetch("Ironing");
        QVERIFY(saved);
        QCOMPARE(saved->priority, 1);
        QVERIFY(!fetch("Laundry"));
    }

    void theShownTaskTakesAChangeOnlyWhenTheStoreTookIt()
    {
        const ReminderPtr shown = m_store->inSnapshot("Laundry");
        QuickActionPerformer actions(*m_store->manager);
        QVERIFY(actions.menuSetPriority(shown, 3));
        const int high = shown->priority;
        QCOMPARE(high, 1);
        QCOMPARE(m_store->taskOnDisk("Laundry")->priority, high);

        // Another program rewrites the file: the store refuses the stale record, and neither
        // the task shown nor the store's next answer says what is not on disk.
        const QString path = shown->origin->filePath;
        QByteArray bytes = TestFiles::readFile(path);
        bytes.replace("SUMMARY:Laundry", "SUMMARY:Laundry!");
        TestFiles::writeFile(path, bytes);
        QVERIFY(!actions.menuSetPriority(shown, 1));
        QCOMPARE(shown->priority, high);
        const ReminderPtr afresh = fetch("Laundry!");
        QVERIFY(afresh);
        QCOMPARE(afresh->priority, high);
    }

    void aRenamedListReachesNewAnswersNotTheRecordsHandedOut()
    {
        const ReminderPtr shown = fetch("Laundry");
        const CalendarPtr before = shown->calendar;
        m_store->addList("home", "House");
        QTRY_COMPARE(fetch("Laundry")->calendar->title, "House");
        QVERIFY(fetch("Laundry") != shown);
        QCOMPARE(shown->calendar, before);
        QCOMPARE(before->title, "Home");
    }

private:
    TaskOperations& tasks() { return m_store->manager->tasks(); }

    ReminderPtr fetch(const QString& title) const
    {
        for (const ReminderPtr& reminder :
             StoreQueries::allReminders(*m_store->manager->eventStore()))
            if (reminder->title == title)
                return reminder;
        return nullptr;
    }

    std::unique_ptr<SeededStore> m_store;
};

VELMORAN_TEST_MAIN(TestSharedRecords)
#include "tst_sharedrecords.moc"

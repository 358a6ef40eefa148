#include "../data/CalendarFiles.h"
#include "QuickAddStore.h"

#include "presentation/entry/QuickAddSession.h"

using namespace TestFiles;
using TestEnvironment::local;
using AddResult = QuickAddSession::AddResult;

// The quick-add form without its widgets, over a temporary store with the lists Home and Work:
// which list and due date it starts with, Smart Add's hold on the typed line, and every outcome
// of adding.
class TestQuickAddSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        QVERIFY(m_store->load());
    }

    void cleanup() { m_store.reset(); }

    // The shown lists are offered with the default one chosen; a default list that is not
    // shown leaves the first one chosen; a list can be chosen by identifier only when offered.
    void theDefaultListIsChosen()
    {
        m_store->defaults->setString(listId("Work"), PrefKey::defaultList);
        QuickAddSession session(*m_store->manager);
        session.setup();
        QCOMPARE(session.lists().size(), 2);
        QCOMPARE(session.chosenList()->title, "Work");
        session.chooseList("no such list");
        session.chooseIndex(7);
        QCOMPARE(session.chosenList()->title, "Work");
        session.chooseList(listId("Home"));
        QCOMPARE(session.chosenList()->title, "Home");
        session.reset();
        QCOMPARE(session.chosenList()->title, "Work");

        m_store->defaults->setObject(QStringList{listId("Home")}, PrefKey::visibleLists);
        session.setup();
        QCOMPARE(session.lists().size(), 1);
        QCOMPARE(session.chosenList()->title, "Home");
    }

    // "No Due Date" at 09:40 gives 10:00 today, or today without a time under "noDueTime";
    // clearing takes it away and the task is added without one.
    void theDueDateButtons()
    {
        for (const auto& [noDueTime, expected] :
             {std::pair{false, local(2026, 12, 9, 10, 0)}, std::pair{true, local(2026, 12, 9)}}) {
            m_store->defaults->setBool(noDueTime, PrefKey::noDueTime);
            QuickAddSession session(*m_store->manager);
            session.setup();
            QSignalSpy due(&session, &QuickAddSession::dueDateChanged);
            session.addDueDate();
            QCOMPARE(due.takeFirst().at(0).toDateTime(), expected);
            session.clearDueDate();
            QVERIFY(!due.takeFirst().at(0).toDateTime().isValid());
            const QuickAddSession::Addition addition = session.addTask("someday");
            QCOMPARE(addition.result, AddResult::Added);
            QVERIFY(!addition.added->dueDateComponents);
        }
    }

    // Words are taken as typed and a prefix chooses its list; a pasted line is made one line
    // even when Smart Add takes nothing from it.
    void theTypedLineIsFollowed()
    {
        QuickAddSession session(*m_store->manager);
        session.setup();
        std::optional<SmartAddEntry::TextChange> change =
            session.userEditedText("report /work ", 13);
        QVERIFY(change);
        QCOMPARE(change->text, "report ");
        QCOMPARE(session.chosenList()->title, "Work");

        change = session.userEditedText("line one\nline\ttwo\x01 end", 22);
        QVERIFY(change);
        QCOMPARE(change->text, "line one line two  end");
        QVERIFY(change->cursorPosition <= change->text.size());
        QVERIFY(!session.userEditedText("plain words", 11));
    }

    void blankTitlesAddNothing()
    {
        for (const QString& typed : {QString(), QString("tomorrow ")}) {
            QuickAddSession session(*m_store->manager);
            session.setup();
            QSignalSpy notices(&session, &QuickAddSession::noticeRequested);
            const auto change = session.userEditedText(typed, typed.size());
            QCOMPARE(session.addTask(change ? change->text : typed).result, AddResult::Blank);
            QCOMPARE(notices.size(), 1);
            QCOMPARE(notices.at(0).at(0).toString(), "Type a title for the task.");
        }
    }

    // The chosen list is removed while the form is open: the task goes to the default list,
    // the notice says so, and only the lists still there are offered.
    void aListRemovedMeanwhileFallsBack()
    {
        QuickAddSession session(*m_store->manager);
        session.setup();
        session.chooseList(listId("Work"));
        QVERIFY(QDir(root() + "/work").removeRecursively());
        QSignalSpy notices(&session, &QuickAddSession::noticeRequested);
        const QuickAddSession::Addition addition = session.addTask("orphan");
        QCOMPARE(addition.result, AddResult::AddedToDefaultList);
        QCOMPARE(addition.added->calendar->title, "Home");
        QCOMPARE(notices.at(0).at(0).toString(), "“Work” is gone; the task went to “Home”.");
        QCOMPARE(session.lists().size(), 1);
    }

    // The store refuses the write: the typed text is given back with the reason, and goes
    // through once the store can write again.
    void aRefusedWriteGivesTheTextBack()
    {
        QuickAddSession session(*m_store->manager);
        session.setup();
        QVERIFY(QDir().mkpath(root() + "/home/.velmoran.lock"));
        QSignalSpy notices(&session, &QuickAddSession::noticeRequested);
        QuickAddSession::Addition addition = session.addTask("keep me tomorrow");
        QCOMPARE(addition.result, AddResult::Failed);
        QCOMPARE(addition.fieldText, "keep me tomorrow");
        QVERIFY2(notices.at(0).at(0).toString().startsWith("The task could not be saved: "),
                 qPrintable(notices.at(0).at(0).toString()));

        QVERIFY(QDir(root() + "/home/.velmoran.lock").removeRecursively());
        addition = session.addTask("keep me tomorrow");
        QCOMPARE(addition.result, AddResult::Added);
        QCOMPARE(addition.added->title, "keep me");
        QCOMPARE(addition.added->dueDateComponents->toDateTime(), local(2026, 12, 10, 8, 0));
    }

    // With no list at all the view is asked to tell the user, and nothing is added.
    void withoutAListNothingIsAdded()
    {
        m_store->manager.reset();
        QVERIFY(QDir(root()).removeRecursively());
        QVERIFY(QDir().mkpath(root() + "/calendar"));
        // A folder of events only: a calendar, but no list of tasks.
        writeFile(root() + "/calendar/e.ics",
                  CalendarFiles::eventFile("e", "E", "20261209T100000", "20261209T110000"));
        QVERIFY(m_store->load());
        QuickAddSession session(*m_store->manager);
        QSignalSpy alerts(&session, &QuickAddSession::noListAlertRequested);
        session.setup();
        QCOMPARE(alerts.size(), 1);
        QVERIFY(!session.chosenList());
        QCOMPARE(session.addTask("nowhere").result, AddResult::NoList);
    }

private:
    QString root() const { return m_store->root(); }
    QString listId(const QString& title) const { return m_store->listId(title); }

    std::optional<QuickAddStore> m_store;
};

VELMORAN_TEST_MAIN(TestQuickAddSession)
#include "tst_quickaddsession.moc"

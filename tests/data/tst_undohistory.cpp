// The undo history behind the Edit menu: a pushed step is made once, undo and redo walk it, a
// step that can no longer be taken back leaves, a new step drops what was undone, and steps
// gathered in a macro come back as one, newest first.

#include "TestEnvironment.h"

#include "data/UndoHistory.h"

namespace {

// Records what it was asked to do in a shared log; refuses while `fails` is set.
class LoggedStep : public UndoStep
{
public:
    LoggedStep(QString name, QStringList& log, const bool& fails = kNever)
        : UndoStep(std::move(name))
        , m_log(log)
        , m_fails(fails)
    {}

    void undo() override { act(QStringLiteral("undo ")); }
    void redo() override { act(QStringLiteral("redo ")); }

private:
    void act(const QString& what)
    {
        if (m_fails)
            setObsolete(true);
        else
            m_log << what + text();
    }

    static constexpr bool kNever = false;
    QStringList& m_log;
    const bool& m_fails;
};

} // namespace

class TestUndoHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walksBackAndForthAndLetsFailedStepsGo()
    {
        QStringList log;
        bool fails = false;
        UndoHistory history;
        QSignalSpy undoTexts(&history, &UndoHistory::undoTextChanged);
        QSignalSpy canRedo(&history, &UndoHistory::canRedoChanged);
        history.push(new LoggedStep("a", log));
        history.push(new LoggedStep("b", log));
        QCOMPARE(log, (QStringList{"redo a", "redo b"}));
        QCOMPARE(history.undoText(), "b");
        history.undo();
        QCOMPARE(history.redoText(), "b");
        QCOMPARE(canRedo.count(), 1);
        history.redo();
        history.undo();
        // A new step drops the undone one.
        history.push(new LoggedStep("c", log));
        QCOMPARE(history.count(), 2);
        QVERIFY(!history.canRedo());
        QCOMPARE(log.mid(2), (QStringList{"undo b", "redo b", "undo b", "redo c"}));
        QCOMPARE(undoTexts.last().first().toString(), "c");
        history.clear();
        QVERIFY(!history.canUndo());
        QCOMPARE(undoTexts.last().first().toString(), QString());

        // A step that can no longer be taken back leaves.
        history.push(new LoggedStep("a", log));
        history.push(new LoggedStep("b", log, fails));
        fails = true;
        history.undo();
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.undoText(), "a");
        QVERIFY(!history.canRedo());
        // One that cannot even be made is never kept.
        history.push(new LoggedStep("c", log, fails));
        QCOMPARE(history.count(), 1);
    }

    void aMacroIsOneStep()
    {
        QStringList log;
        UndoHistory history;
        history.beginMacro("both");
        history.push(new LoggedStep("a", log));
        QVERIFY(!history.canUndo());
        history.push(new LoggedStep("b", log));
        history.endMacro();
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.undoText(), "both");
        history.undo();
        history.redo();
        QCOMPARE(log, (QStringList{"redo a", "redo b", "undo b", "undo a", "redo a", "redo b"}));
    }
};

VELMORAN_TEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"

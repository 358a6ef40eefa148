// Completing a recurring task writes twice: the completed copy of the occurrence, then the
// task moved on. The suite starts copies of its own binary that complete a daily task and
// kills them with SIGKILL right after each sync of a completion (between two syncs the store
// reads what it read at one of them), then completes again as a user would who finds the
// task still open. Whatever the moment, every occurrence is recorded exactly once and the task
// moves on exactly once per occurrence.

#include "ChildReport.h"
#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include <unistd.h>

using namespace store;

namespace {

using StoreQueries::allReminders;

// Set in a child's environment: the store, and at which sync call to stop.
constexpr char kStoreVariable[] = "VELMORAN_COMPLETIONSAFETY_STORE";
constexpr char kPauseVariable[] = "VELMORAN_COMPLETIONSAFETY_PAUSE_AT";

constexpr char kTaskUid[] = "water-plants";
constexpr int kInitialCount = 1000;

// The series starts before the spring daylight-saving change, so completions cross it.
const QDate kFirstDue(2026, 3, 22);

// Completes the task's current occurrence; false (and why) when the store refused.
bool completeOnce(EventStore& store, QDate* occurrence, QString* error)
{
    const ReminderPtr task = StoreLookups::taskWithIdentifier(store, kTaskUid);
    if (!task || !task->dueDateComponents) {
        *error = QStringLiteral("the task is gone");
        return false;
    }
    *occurrence = task->dueDateComponents->date();
    task->setCompleted(true, QDateTime::currentDateTime());
    return store.saveReminder(task, true, error);
}

// The child: completes the task, and stops for good right after the sync call `pauseAt`, so
// that the parent kills it exactly there.
int runCompleter(const QString& root, int pauseAt)
{
    int syncs = 0;
    AtomicFile::ScopedSyncCall counting(
        [&syncs, pauseAt](int fd, AtomicFile::SyncTarget target, const QString& path) {
            const int result = ::fsync(fd);
            if (++syncs == pauseAt) {
                reportToParent(QStringLiteral("paused %1 %2")
                                   .arg(target == AtomicFile::SyncTarget::File ? "file" : "folder",
                                        QFileInfo(path).fileName()));
                for (;;)
                    ::pause();
            }
            return result;
        });
    EventStore store({root});
    for (;;) {
        QDate occurrence;
        QString error;
        if (!completeOnce(store, &occurrence, &error)) {
            reportToParent(QStringLiteral("fail %1").arg(error.simplified()));
            return 2;
        }
        reportToParent(QStringLiteral("done %1").arg(occurrence.toString(Qt::ISODate)));
    }
}

// What the store holds of the series: where the task stands and the recorded occurrences.
struct History
{
    QDate taskDue;
    bool taskOpen = false;
    int count = 0;
    QMap<QDate, int> copies; // occurrence -> completed copies of it

    // A copy of the task's current occurrence exists: a completion was cut short between
    // its two writes.
    bool cutShort() const { return copies.contains(taskDue); }
};

History historyOf(const QString& root)
{
    History history;
    EventStore store({root});
    for (const ReminderPtr& reminder : allReminders(store)) {
        if (reminder->uid == QLatin1String(kTaskUid)) {
            history.taskDue = reminder->dueDateComponents->date();
            history.taskOpen = !reminder->completed;
            if (!reminder->recurrenceRules.isEmpty() &&
                reminder->recurrenceRules.first().recurrenceEnd)
                history.count = reminder->recurrenceRules.first().recurrenceEnd->occurrenceCount;
        } else if (reminder->completed && reminder->recurrenceRules.isEmpty() &&
                   reminder->dueDateComponents) {
            ++history.copies[reminder->dueDateComponents->date()];
        }
    }
    return history;
}

// Empty when the history is sound: the task moved on exactly once per occurrence, every
// occurrence before it is recorded exactly once, and nothing else is.
QString problemsOf(const History& history)
{
    QStringList problems;
    if (!history.taskDue.isValid() || !history.taskOpen)
        return QStringLiteral("the task is not open at a date");
    const qint64 advances = kFirstDue.daysTo(history.taskDue);
    if (history.count != kInitialCount - advances)
        problems << QStringLiteral("the task moved on %1 times but its count says %2")
                        .arg(advances)
                        .arg(kInitialCount - history.count);
    for (auto it = history.copies.cbegin(); it != history.copies.cend(); ++it) {
        if (it.value() > 1)
            problems << QStringLiteral("%1 is recorded %2 times")
                            .arg(it.key().toString(Qt::ISODate))
                            .arg(it.value());
        if (it.key() < kFirstDue || it.key() > history.taskDue)
            problems << QStringLiteral("%1 was never due").arg(it.key().toString(Qt::ISODate));
    }
    for (QDate day = kFirstDue; day < history.taskDue; day = day.addDays(1)) {
        if (!history.copies.contains(day))
            problems
                << QStringLiteral("the completion of %1 is lost").arg(day.toString(Qt::ISODate));
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace

class TestCompletionSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = memoryBackedDir(QStringLiteral("velmoran-completionsafety"));
        QVERIFY(m_dir->isValid());
        m_root = m_dir->path() + QStringLiteral("/store");
        TestFiles::writeFile(m_root + QStringLiteral("/tasks/displayname"), "Tasks");
        // Daily from kFirstDue at nine, kInitialCount times, with an alarm.
        TestFiles::writeFile(m_root + QStringLiteral("/tasks/water-plants.ics"),
                             TestFiles::todo(kTaskUid, "Water plants",
                                             "DUE;TZID=Europe/Berlin:20260322T090000\r\n"
                                             "DTSTART;TZID=Europe/Berlin:20260322T090000\r\n"
                                             "RRULE:FREQ=DAILY;COUNT=1000\r\nBEGIN:VALARM\r\n"
                                             "ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT15M\r\n"
                                             "END:VALARM\r\n"));
    }

    void cleanup() { m_dir.reset(); }

    // Four syncs make a completion: the copy's temporary file, the folder with the copy in
    // it, the task's temporary file, the folder with the task replaced.
    void aKillAfterEverySyncOfACompletionIsMadeGoodByARetry()
    {
        constexpr int kSyncsPerCompletion = 4;
        int cutShort = 0;
        for (int round = 0; round < 2 * kSyncsPerCompletion; ++round) {
            const int pauseAt = 1 + round % kSyncsPerCompletion;
            const History before = historyOf(m_root);
            QVERIFY2(problemsOf(before).isEmpty(), qPrintable(problemsOf(before)));

            QProcess child;
            startSelf(child,
                      {{kStoreVariable, m_root}, {kPauseVariable, QString::number(pauseAt)}});
            QByteArray output;
            readUntil(child, output, [](const QByteArray& out) { return out.contains("paused "); });
            QVERIFY2(!output.contains("done "), output.constData());
            QVERIFY2(killChild(child, output), output.constData());

            const History killed = historyOf(m_root);
            QVERIFY2(problemsOf(killed).isEmpty(),
                     qPrintable(QStringLiteral("killed after sync %1 (%2): %3")
                                    .arg(pauseAt)
                                    .arg(QString::fromUtf8(output.trimmed()))
                                    .arg(problemsOf(killed))));
            // Right after the copy appeared, the task has not moved yet; after the last sync
            // it has.
            QVERIFY2(killed.cutShort() == (pauseAt == 2 || pauseAt == 3), output.constData());
            QCOMPARE(killed.taskDue, before.taskDue.addDays(pauseAt == 4 ? 1 : 0));
            cutShort += killed.cutShort() ? 1 : 0;

            // The user finds the occurrence still open and completes it again.
            if (killed.taskDue == before.taskDue) {
                EventStore store({m_root});
                QDate occurrence;
                QString error;
                QVERIFY2(completeOnce(store, &occurrence, &error), qPrintable(error));
                QCOMPARE(occurrence, before.taskDue);
            }
            const History after = historyOf(m_root);
            QVERIFY2(problemsOf(after).isEmpty(),
                     qPrintable(QStringLiteral("retry after a kill at sync %1: %2")
                                    .arg(pauseAt)
                                    .arg(problemsOf(after))));
            QCOMPARE(after.taskDue, before.taskDue.addDays(1));
            QVERIFY(!after.cutShort());
            QCOMPARE(after.copies.value(before.taskDue), 1);
        }
        QCOMPARE(cutShort, 4);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
};

VELMORAN_TEST_MAIN_WITH_CHILD(TestCompletionSafety, kStoreVariable, [] {
    return runCompleter(qEnvironmentVariable(kStoreVariable),
                        qEnvironmentVariableIntValue(kPauseVariable));
})

#include "tst_completionsafety.moc"

// Crash safety and concurrent writers. The suite starts copies of its own binary as writers:
// one that is killed at random moments while it saves, and two that edit the same tasks at
// once. The parent checks the store between and after them, and each write's own syncs.

#include "ChildReport.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/Clock.h"
#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

#include <sys/stat.h>

#include <unistd.h>

using namespace store;

namespace {

using StoreQueries::allReminders;
using TestFiles::readFile;
using TestFiles::setModified;
using TestFiles::todo;
using TestFiles::writeFile;

// Set in a child's environment: which writer to be, over which store.
constexpr char kRoleVariable[] = "VELMORAN_STORESAFETY_ROLE";
constexpr char kStoreVariable[] = "VELMORAN_STORESAFETY_STORE";
constexpr char kNameVariable[] = "VELMORAN_STORESAFETY_NAME";
constexpr char kSeedVariable[] = "VELMORAN_STORESAFETY_SEED";

constexpr int kCrashTasks = 4;
constexpr int kRaceTasks = 3;
constexpr int kRaceSeconds = 4;

// The writers run on a frozen clock so that the bytes of every save can be known in advance.
const QDateTime kFrozenNow(QDate(2026, 3, 29), QTime(1, 59, 30), Qt::UTC);

QString listFolder(const QString& root)
{
    return root + QStringLiteral("/tasks");
}

QByteArray hashOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// --- What a sync call found on disk when it came --------------------------------------------

struct SyncSeen
{
    AtomicFile::SyncTarget target;
    QString path;
    QByteArray synced; // the file's bytes, for a file sync
    QByteArray targetBytes;
    bool targetExists = false;
    QStringList temporaries;
};

QStringList temporariesIn(const QString& folder)
{
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    found.removeIf([](const QString& name) { return !AtomicFile::isTemporaryName(name); });
    return found;
}

// --- The crash writer's edits ---------------------------------------------------------------
//
// Version n of task i has a title "Task i v<n>" followed by n % 23 words (so it grows and
// folds), n % 4 alarms and priority n % 10. A file whose parts disagree was torn or mixed.

void applyVersion(Reminder& reminder, int task, int version)
{
    reminder.title = QStringLiteral("Task %1 v%2").arg(task).arg(version) +
                     QStringLiteral(" grün").repeated(version % 23);
    reminder.priority = version % 10;
    const int alarms = version % 4;
    while (reminder.alarms.size() > alarms)
        reminder.alarms.removeLast();
    while (reminder.alarms.size() < alarms) {
        Alarm alarm = Alarm::withRelativeOffset(-600.0 * double(reminder.alarms.size() + 1));
        alarm.uid = QStringLiteral("alarm-%1-%2").arg(task).arg(reminder.alarms.size());
        reminder.alarms.append(alarm);
    }
}

// True when the title, priority and alarms all belong to one version.
bool consistentVersion(const Reminder& reminder, int* task = nullptr, int* version = nullptr)
{
    static const QRegularExpression pattern(QStringLiteral("^Task (\\d+) v(\\d+)((?: grün)*)$"));
    const QRegularExpressionMatch match = pattern.match(reminder.title);
    if (!match.hasMatch())
        return false;
    const int n = match.captured(2).toInt();
    if (task)
        *task = match.captured(1).toInt();
    if (version)
        *version = n;
    return match.captured(3).size() == 5 * (n % 23) && reminder.priority == n % 10 &&
           reminder.alarms.size() == n % 4;
}

int runCrashWriter(const QString& root)
{
    Clock clock;
    clock.setNow(kFrozenNow);
    EventStore store({root}, clock);
    QList<ReminderPtr> reminders = allReminders(store);
    if (reminders.size() != kCrashTasks) {
        reportToParent(QStringLiteral("error found %1 tasks").arg(reminders.size()));
        return 2;
    }
    reportToParent(QStringLiteral("ready"));
    QRandomGenerator random(quint32(::getpid()));
    for (;;) {
        const ReminderPtr reminder = reminders.at(random.bounded(int(reminders.size())));
        int task = 0;
        int version = 0;
        if (!consistentVersion(*reminder, &task, &version)) {
            reportToParent(QStringLiteral("error inconsistent %1").arg(reminder->title));
            return 2;
        }
        const QString path = reminder->origin->path();
        const QString fileName = QFileInfo(path).fileName();
        applyVersion(*reminder, task, version + 1);
        // The bytes this save must leave: the store edits the file as read, changing only
        // our lines, at the frozen time.
        std::optional<IcsItem> expected = IcsItem::parse(readFile(path));
        if (!expected) {
            reportToParent(QStringLiteral("error unreadable %1").arg(fileName));
            return 2;
        }
        expected->applyReminder(*reminder, clock.now());
        const QByteArray expectedBytes = expected->serialize();
        reportToParent(QStringLiteral("intent %1 %2")
                           .arg(fileName, QString::fromLatin1(hashOf(expectedBytes))));
        QString error;
        if (!store.saveReminder(reminder, true, &error)) {
            reportToParent(QStringLiteral("fail %1 %2").arg(fileName, error.simplified()));
            reminders = allReminders(store);
            continue;
        }
        const QByteArray written = readFile(path);
        reportToParent(
            QStringLiteral("%1 %2 %3")
                .arg(written == expectedBytes ? QStringLiteral("done") : QStringLiteral("differs"),
                     fileName, QString::fromLatin1(hashOf(written))));
    }
}

// --- The racing writers ---------------------------------------------------------------------

int runRacer(const QString& root, const QString& name, quint32 seed)
{
    EventStore store({root});
    QRandomGenerator random(seed);
    QElapsedTimer timer;
    timer.start();
    int attempts = 0;
    QList<ReminderPtr> reminders = allReminders(store);
    while (timer.elapsed() < kRaceSeconds * 1000) {
        // Half of the edits start from a fresh read, half from the copy we already hold.
        if (random.bounded(2) == 0 || reminders.isEmpty())
            reminders = allReminders(store);
        if (reminders.size() != kRaceTasks) {
            reportToParent(QStringLiteral("error found %1 tasks").arg(reminders.size()));
            return 2;
        }
        const ReminderPtr reminder = reminders.at(random.bounded(int(reminders.size())));
        const QString base = reminder->title;
        const QString uid = reminder->calendarItemIdentifier;
        ++attempts;
        reminder->title = QStringLiteral("%1 %2#%3").arg(uid, name).arg(attempts);
        // Widen the gap between read and write so that the other writer gets in between.
        QThread::usleep(random.bounded(20000));
        QString error;
        if (store.saveReminder(reminder, true, &error)) {
            reportToParent(QStringLiteral("saved\t%1\t%2\t%3").arg(uid, base, reminder->title));
        } else {
            reportToParent(QStringLiteral("failed\t%1\t%2\t%3\t%4")
                               .arg(uid, base, reminder->title, error.simplified()));
            reminders.clear();
        }
        // A pause between saves, so that the other writer finds the folder lock free too.
        QThread::usleep(random.bounded(5000));
    }
    return 0;
}

int runChild(const QByteArray& role)
{
    LibicalSetup::initialize();
    const QString root = qEnvironmentVariable(kStoreVariable);
    if (role == "crash-writer")
        return runCrashWriter(root);
    return runRacer(root, qEnvironmentVariable(kNameVariable),
                    quint32(qEnvironmentVariableIntValue(kSeedVariable)));
}

QStringList itemFileNames(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
}

} // namespace

class TestStoreSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = memoryBackedDir(QStringLiteral("velmoran-storesafety"));
        QVERIFY(m_dir->isValid());
        m_root = m_dir->path() + QStringLiteral("/store");
        writeFile(listFolder(m_root) + QStringLiteral("/displayname"), "Tasks");
    }

    void cleanup() { m_dir.reset(); }

    void killedWriterNeverLeavesATornFile()
    {
        QStringList uids = createTasks(kCrashTasks, [](Reminder& reminder, int task) {
            DateComponents due = DateComponents::fromDate(QDate(2026, 4, 1 + task));
            due.hour = 9;
            due.timeZone = QTimeZone("Europe/Berlin");
            reminder.dueDateComponents = due;
            applyVersion(reminder, task, 0);
        });
        uids.sort();
        const QString folder = listFolder(m_root);
        const QStringList fileNames = itemFileNames(folder);
        QCOMPARE(fileNames.size(), kCrashTasks);
        // Per file: the version last confirmed on disk, and the one a save was writing.
        QHash<QString, QByteArray> confirmed;
        QHash<QString, QByteArray> inFlight;
        for (const QString& fileName : fileNames)
            confirmed.insert(fileName, hashOf(readFile(folder + QLatin1Char('/') + fileName)));

        EventStore reader({m_root});
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("kill timing seed %u", seed);
        QRandomGenerator random(seed);
        constexpr int kKills = 500;
        constexpr qint64 kBudgetMs = 40000;
        QElapsedTimer budget;
        budget.start();
        int kills = 0;
        int killedMidSave = 0;
        while (kills < kKills && budget.elapsed() < kBudgetMs) {
            QProcess child;
            startSelf(child, {{kRoleVariable, "crash-writer"}, {kStoreVariable, m_root}});
            // Let the writer get a few saves in, then kill it at a random point of the next
            // ones: counting saves rather than time keeps the kills spread over the saves
            // however busy the machine is.
            const int savesFirst = random.bounded(4);
            QByteArray output;
            // A refused save ends the wait at once: its line below says why (a lock that a
            // writer killed earlier left behind refuses saves after a 10 s wait).
            readUntil(child, output, [savesFirst](const QByteArray& out) {
                return (out.contains("ready\n") && out.count("\ndone ") >= savesFirst) ||
                       out.contains("\nfail ");
            });
            QThread::usleep(random.bounded(3000));
            QVERIFY2(killChild(child, output), output.constData());
            ++kills;

            inFlight.clear();
            for (const QByteArray& line : output.split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.first() == "intent" && parts.size() == 3) {
                    inFlight.insert(QString::fromUtf8(parts[1]), parts[2]);
                } else if (parts.first() == "done" && parts.size() == 3) {
                    const QString fileName = QString::fromUtf8(parts[1]);
                    QCOMPARE(parts[2], inFlight.take(fileName));
                    confirmed.insert(fileName, parts[2]);
                } else {
                    QVERIFY2(line.isEmpty() || line == "ready", line.constData());
                }
            }
            if (!inFlight.isEmpty())
                ++killedMidSave;

            // Every item file is a whole version the writer meant to leave, never a mix.
            QCOMPARE(itemFileNames(folder), fileNames);
            for (const QString& fileName : fileNames) {
                const QByteArray bytes = readFile(folder + QLatin1Char('/') + fileName);
                const QByteArray hash = hashOf(bytes);
                if (hash != confirmed.value(fileName)) {
                    QVERIFY2(inFlight.contains(fileName) && hash == inFlight.value(fileName),
                             qPrintable(QStringLiteral("%1 after kill %2 is neither its last "
                                                       "saved nor its next version:\n%3")
                                            .arg(fileName)
                                            .arg(kills)
                                            .arg(QString::fromUtf8(bytes))));
                    confirmed.insert(fileName, hash);
                }
            }
            // Each reads as one version, and temporary files of an interrupted save are never
            // taken for tasks.
            const QList<ReminderPtr> reminders = allReminders(reader);
            QStringList seen;
            for (const ReminderPtr& reminder : reminders) {
                seen << reminder->calendarItemIdentifier;
                QVERIFY2(consistentVersion(*reminder), qPrintable(reminder->title));
            }
            seen.sort();
            QCOMPARE(seen, uids);
        }
        QVERIFY2(kills >= 100, "too few kills to say anything");
        // Most kills must land inside a save, or this test says little.
        QVERIFY(killedMidSave * 2 >= kills);
    }

    void lockLeftByAKilledWriterDoesNotBlockSaves()
    {
        // What a writer killed between creating the folder's lock file and writing its process
        // into it leaves behind: a lock nobody holds.
        writeFile(listFolder(m_root) + QStringLiteral("/.velmoran.lock"), {});
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(createTasks(1, [](Reminder& reminder, int) { reminder.title = "After a crash"; })
                     .size(),
                 1);
        QVERIFY2(timer.elapsed() < 2000,
                 qPrintable(QStringLiteral("the save waited %1 ms").arg(timer.elapsed())));
    }

    void twoWritersNeverLoseAnUpdateSilently()
    {
        const QStringList uids = createTasks(kRaceTasks, [](Reminder& reminder, int task) {
            reminder.title = QStringLiteral("Race task %1").arg(task);
        });

        QProcess writers[2];
        const QString names[2] = {QStringLiteral("A"), QStringLiteral("B")};
        for (int i = 0; i < 2; ++i) {
            startSelf(
                writers[i],
                {{kRoleVariable, "racer"},
                 {kStoreVariable, m_root},
                 {kNameVariable, names[i]},
                 {kSeedVariable, QString::number(QRandomGenerator::global()->bounded(1 << 30))}});
        }

        // identifier -> (title it replaced -> title it became), for saves that landed.
        QHash<QString, QHash<QString, QString>> successor;
        QHash<QString, int> landed;
        QSet<QString> refused;
        QSet<QString> writersPerTask[kRaceTasks];
        int totalSaved = 0;
        int totalFailed = 0;
        for (int i = 0; i < 2; ++i) {
            QProcess& writer = writers[i];
            QVERIFY(writer.waitForFinished(30000));
            QVERIFY2(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0,
                     writer.readAllStandardError().constData());
            for (const QByteArray& raw : writer.readAllStandardOutput().split('\n')) {
                if (raw.isEmpty())
                    continue;
                const QStringList parts = QString::fromUtf8(raw).split(QLatin1Char('\t'));
                if (parts.first() == QLatin1String("saved") && parts.size() == 4) {
                    ++totalSaved;
                    const QString& uid = parts[1];
                    QVERIFY2(
                        !successor[uid].contains(parts[2]),
                        qPrintable(QStringLiteral("two saves both replaced \"%1\": \"%2\" "
                                                  "and \"%3\"; one of them is lost")
                                       .arg(parts[2], successor[uid].value(parts[2]), parts[3])));
                    successor[uid].insert(parts[2], parts[3]);
                    ++landed[uid];
                    const qsizetype task = uids.indexOf(uid);
                    QVERIFY(task >= 0);
                    writersPerTask[task].insert(names[i]);
                } else {
                    QVERIFY2(parts.first() == QLatin1String("failed") && parts.size() == 5,
                             raw.constData());
                    ++totalFailed;
                    QVERIFY2(!parts[4].isEmpty(), "a save failed without saying why");
                    refused.insert(parts[3]);
                }
            }
        }
        QVERIFY(totalSaved > 0);
        const bool overlapped =
            std::any_of(std::begin(writersPerTask), std::end(writersPerTask),
                        [](const QSet<QString>& taskWriters) { return taskWriters.size() == 2; });
        // Unless a save was refused or both writers changed one task, they never met and
        // nothing was tested.
        QVERIFY(totalFailed > 0 || overlapped);

        // No save is left half-written.
        QVERIFY(QDir(listFolder(m_root))
                    .entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden)
                    .isEmpty());

        // Each task's saves form one chain from its first title to the title on disk: every
        // landed save built on the one before it, so none was overwritten unseen, and no
        // refused save reached the disk.
        EventStore reader({m_root});
        const QList<ReminderPtr> reminders = allReminders(reader);
        QCOMPARE(reminders.size(), kRaceTasks);
        for (const ReminderPtr& reminder : reminders) {
            const QString uid = reminder->calendarItemIdentifier;
            QVERIFY(uids.contains(uid));
            QString title = QStringLiteral("Race task %1").arg(uids.indexOf(uid));
            int steps = 0;
            while (successor[uid].contains(title)) {
                title = successor[uid].value(title);
                QVERIFY(!refused.contains(title));
                ++steps;
            }
            QCOMPARE(title, reminder->title);
            QCOMPARE(steps, landed.value(uid));
        }
    }

    // --- Each write on its own ------------------------------------------------------------------
    // The store's file writes seen through their sync calls: what is on disk at each sync tells
    // the order of write, sync, rename and folder sync. And what writers killed mid-save leave
    // behind is tidied on the next load. (A sync that fails, like every other call of a write, is
    // tst_faultinjection's.)

    void theTemporaryIsSyncedBeforeTheRenameAndTheFolderAfter_data()
    {
        QTest::addColumn<bool>("replacing");
        QTest::newRow("replace") << true;
        QTest::newRow("create") << false;
    }

    void theTemporaryIsSyncedBeforeTheRenameAndTheFolderAfter()
    {
        QFETCH(bool, replacing);
        const QString folder = m_dir->path();
        const QString target = folder + "/item.ics";
        // A file the user keeps private stays private when it is replaced: the new file takes
        // the old one's permissions, not the ones new files get.
        if (replacing) {
            writeFile(target, "old version");
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        }
        const QByteArray bytes = "new version";

        QList<SyncSeen> seen;
        {
            AtomicFile::ScopedSyncCall watch([&](int fd, AtomicFile::SyncTarget what,
                                                 const QString& path) {
                SyncSeen call{
                    what, path, {}, readFile(target), QFile::exists(target), temporariesIn(folder)};
                if (what == AtomicFile::SyncTarget::File)
                    call.synced = readFile("/proc/self/fd/" + QString::number(fd));
                seen << call;
                return ::fsync(fd);
            });
            QString error;
            const bool written = replacing ? AtomicFile::replace(target, bytes, &error)
                                           : AtomicFile::create(target, bytes, &error);
            QVERIFY2(written, qPrintable(error));
        }

        QCOMPARE(seen.size(), 2);
        // First the whole new content is synced beside the target, which is still as it was: in
        // a temporary file for a replace, in a file with no name yet for a new one (so no
        // failure can leave a temporary file behind).
        const SyncSeen& file = seen.first();
        QCOMPARE(file.target, AtomicFile::SyncTarget::File);
        QCOMPARE(QFileInfo(file.path).absolutePath(), folder);
        if (replacing) {
            QVERIFY(AtomicFile::isTemporaryName(QFileInfo(file.path).fileName()));
            QCOMPARE(file.temporaries, QStringList{QFileInfo(file.path).fileName()});
        } else {
            QCOMPARE(file.path, target);
            QVERIFY(file.temporaries.isEmpty());
        }
        QCOMPARE(file.synced, bytes);
        QCOMPARE(file.targetExists, replacing);
        QCOMPARE(file.targetBytes, replacing ? QByteArray("old version") : QByteArray());
        // Then the folder, once the new content stands under the target's name.
        const SyncSeen& after = seen.last();
        QCOMPARE(after.target, AtomicFile::SyncTarget::Folder);
        QCOMPARE(after.path, folder);
        QVERIFY(after.targetExists);
        QCOMPARE(after.targetBytes, bytes);
        QVERIFY(after.temporaries.isEmpty());
        QCOMPARE(readFile(target), bytes);
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(replacing ? 0600 : 0644));
    }

    void killedWritersLeftoversGoOnTheNextLoad()
    {
        const QString folder = m_dir->filePath("store/tasks");
        writeFile(folder + "/displayname", "Tasks");
        writeFile(folder + "/task.ics", todo("task", "Task"));
        // Name, content, age in seconds, and whether the load removes it.
        const QList<std::tuple<QString, QByteArray, int, bool>> leftovers{
            // Killed between creating the temporary and writing it.
            {".task.ics.0f1e2d3c4b5a.tmp", {}, 120, true},
            // Killed after writing it, before the rename: the target still holds the last
            // version that was saved.
            {".task.ics.a1b2c3d4e5f6.tmp", todo("task", "Task v2"), 120, true},
            {".displayname.00aa11bb22cc.tmp", "Tasks", 3600, true},
            // A writer may be at work on these.
            {".task.ics.123456abcdef.tmp", {}, 5, false},
            {".new.ics.fedcba987654.tmp", {}, 0, false},
            // Not ours: other programs name their temporaries otherwise.
            {".task.ics.tmp", {}, 3600, false},
            {"task.ics.0f1e2d3c4b5a.tmp", {}, 3600, false},
            {".task.ics.0F1E2D3C4B5A.tmp", {}, 3600, false},
            {".task.ics.0f1e2d3c4b.tmp", {}, 3600, false},
            {"tmpk2j3h4.tmp", {}, 3600, false},
        };
        for (const auto& [name, bytes, age, removed] : leftovers) {
            writeFile(folder + "/" + name, bytes);
            setModified(folder + "/" + name, ::time(nullptr) - age);
        }

        EventStore store({m_dir->filePath("store")});
        const QList<ReminderPtr> reminders =
            store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}));
        QCOMPARE(reminders.size(), 1);
        QCOMPARE(reminders.first()->title, QString("Task"));
        for (const auto& [name, bytes, age, removed] : leftovers)
            QVERIFY2(QFile::exists(folder + "/" + name) != removed, qPrintable(name));
        QCOMPARE(readFile(folder + "/task.ics"), todo("task", "Task"));
    }

private:
    // Saves `count` tasks made by `make` in the list: their identifiers, in creation order.
    QStringList createTasks(int count, const std::function<void(Reminder&, int)>& make)
    {
        EventStore store({m_root});
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        QStringList uids;
        for (int task = 0; list && task < count; ++task) {
            const ReminderPtr reminder = store.reminderWithEventStore();
            reminder->calendar = list;
            make(*reminder, task);
            if (store.saveReminder(reminder, true))
                uids << reminder->calendarItemIdentifier;
        }
        return uids;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
};

VELMORAN_TEST_MAIN_WITH_CHILD(TestStoreSafety, kRoleVariable,
                              [] { return runChild(qgetenv(kRoleVariable)); })

#include "tst_storesafety.moc"

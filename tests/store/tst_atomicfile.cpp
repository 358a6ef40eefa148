// The store's file writes seen through their sync calls: what is on disk at each sync tells
// the order of write, sync, rename and folder sync. And what writers killed mid-save leave
// behind is tidied on the next load. (A sync that fails, like every other call of a write, is
// tst_faultinjection's.)

#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace store;
using namespace TestFiles;

namespace {

// What a sync call found on disk when it came.
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

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup() { m_dir.reset(); }

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
    std::unique_ptr<QTemporaryDir> m_dir;
};

VELMORAN_TEST_MAIN(TestAtomicFile)

#include "tst_atomicfile.moc"

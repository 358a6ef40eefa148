// runs velmoran-cli
#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"
#include "platform/trash/RecentlyDeleted.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

using namespace TestFiles;

class Sandbox;

namespace {

// Set in the environment of this suite run as a child, with the store folder to act on.
constexpr char kChildStoreVariable[] = "VELMORAN_FAULTINJECTION_CHILD_STORE";

// Its exit code is -1 when it crashed or hung.
using Run = CliRun::Result;

// What one folder holds: each file's path below it and its bytes, with the random identifiers
// new items get replaced by one placeholder, so that two runs of the same change compare equal.
using Tree = QMap<QString, QByteArray>;

QByteArray withoutRandomIds(QByteArray bytes)
{
    static const QRegularExpression uuid(QStringLiteral(
        "[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}"));
    // A Recently Deleted entry is named by its time and a random suffix.
    static const QRegularExpression entryId(QStringLiteral("(\\d{8}-\\d{6})-[0-9a-f]{6}"));
    return QString::fromUtf8(bytes)
        .replace(uuid, QStringLiteral("<id>"))
        .replace(entryId, QStringLiteral("\\1-<id>"))
        .toUtf8();
}

// What a write in progress makes and the next load tidies: temporary files, the hidden folders
// Recently Deleted moves entries through, and a removed list folder's remains.
bool isWorkInProgress(const QString& name)
{
    return store::AtomicFile::isTemporaryName(name) || name.startsWith(QLatin1String(".new-")) ||
           name.startsWith(QLatin1String(".restoring-")) ||
           name.startsWith(QLatin1String(".gone-")) ||
           name.startsWith(QLatin1String(".velmoran-removed-"));
}

Tree treeOf(const QString& folder, bool withTemporaries)
{
    Tree tree;
    QDirIterator it(folder,
                    QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = QDir(folder).relativeFilePath(info.filePath());
        // Lock files are no state: they are left in place on purpose and hold nothing.
        const QStringList parts = relative.split(u'/');
        if (info.fileName().endsWith(QLatin1String(".lock")) ||
            (!withTemporaries && std::any_of(parts.cbegin(), parts.cend(), isWorkInProgress)))
            continue;
        tree.insert(QString::fromUtf8(withoutRandomIds(relative.toUtf8())),
                    info.isDir() ? QByteArray("<folder>")
                                 : withoutRandomIds(readFile(info.filePath())));
    }
    return tree;
}

// One change the sweep breaks at every counted call: how the folders look before it, and the
// command that makes it, run by velmoran-cli or, for the window's changes the command line has
// no command for, by velmoran-storechange (tests/support/faultshim).
struct Operation
{
    QString name;
    std::function<void(Sandbox&)> prepare;
    QStringList arguments; // kDeletedEntry stands for the Recently Deleted entry prepared
    const char* program = VELMORAN_CLI_PATH;
};
const QString kDeletedEntry = QStringLiteral("<deleted entry>");

// Which call of a run fails, and how (tests/support/faultshim reads these); at 0 none does.
// Without `path`, every call on a path of the home folder counts.
struct Fault
{
    int at = 0;
    QString errnoName = QStringLiteral("EIO");
    bool readsToo = false;
    QString path;
};

} // namespace

// A home folder of its own (store, Recently Deleted, preferences) at a fixed path, so that a
// copy of one state can be put back before every run.
class Sandbox
{
public:
    explicit Sandbox(const QString& root)
        : m_root(root)
        , m_cli(QStringLiteral("2026-12-07T10:00"))
    {}

    QString home() const { return m_cli.path(); }
    // The folders whose state a change must keep whole: the store, Recently Deleted, the
    // preferences, and last the watcher's snapshot of the store, which a failed write may leave
    // behind the store until the next load brings it up to date. The parse cache and the state
    // folder are not state.
    QStringList stateFolders() const
    {
        return {
            home() + QStringLiteral("/store"), home() + QStringLiteral("/data/velmoran/deleted"),
            home() + QStringLiteral("/config"), home() + QStringLiteral("/data/velmoran/snapshot")};
    }

    Run cli(const QStringList& arguments) const { return m_cli(arguments); }

    Run run(const char* program, const QStringList& arguments, const Fault& fault = {}) const
    {
        QProcessEnvironment environment = m_cli.environment();
        QFile::remove(report());
        if (fault.at > 0) {
            environment.insert("LD_PRELOAD", VELMORAN_FAULTSHIM_PATH);
            environment.insert("VELMORAN_FAULT_PATH", fault.path.isEmpty() ? home() : fault.path);
            environment.insert("VELMORAN_FAULT_AT", QString::number(fault.at));
            environment.insert("VELMORAN_FAULT_ERRNO", fault.errnoName);
            environment.insert("VELMORAN_FAULT_REPORT", report());
            if (fault.readsToo)
                environment.insert("VELMORAN_FAULT_READS", "1");
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromLocal8Bit(program), arguments);
        return CliRun::finish(process);
    }

    // An empty home with a store folder, after the first run that makes the default lists and
    // preferences.
    bool startWithDefaultLists() const
    {
        QDir(home()).removeRecursively();
        return QDir().mkpath(home() + QStringLiteral("/store")) && cli({"lists"}).exitCode == 0;
    }

    QList<Tree> trees(bool withTemporaries) const
    {
        QList<Tree> result;
        for (const QString& folder : stateFolders())
            result.append(treeOf(folder, withTemporaries));
        return result;
    }

    // cp -a keeps the hard links between the store and the watcher's snapshot of it.
    bool copyTo(const QString& target) const
    {
        QDir(target).removeRecursively();
        return QProcess::execute("cp", {"-a", home(), target}) == 0;
    }
    bool restoreFrom(const QString& source) const
    {
        QDir(home()).removeRecursively();
        return QProcess::execute("cp", {"-a", source, home()}) == 0;
    }

    // The call the last run had fail, as the fault library names it; empty when the run made
    // fewer calls than the one to fail.
    QByteArray failedCall() const { return readFile(report()).trimmed(); }

    QString deletedId() const { return cli({"deleted", "--json"}).first().value("id").toString(); }

private:
    QString report() const { return m_root + QStringLiteral("/report"); }

    QString m_root;
    CliRun m_cli; // its folder is the home, and its environment the one every run gets
};

// Every change velmoran-cli makes, broken at each file-system call it makes in its folders, in
// the manner of SQLite's I/O-error tests (tests/support/faultshim). After each broken run every
// folder holds the state before the change or the one after it; the next load leaves no
// temporary file; and a change that did not happen was reported as failed.
class TestFaultInjection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyFailingCallLeavesOldOrNewState_data()
    {
        QTest::addColumn<QString>("errnoName");
        QTest::addColumn<bool>("readsToo");
        QTest::newRow("ENOSPC") << "ENOSPC" << false;
        // The whole sweep takes several minutes; `make test` runs the one above.
        if (qEnvironmentVariable("VELMORAN_FAULT_FULL") != u"1")
            return;
        QTest::newRow("EIO") << "EIO" << false;
        QTest::newRow("EDQUOT") << "EDQUOT" << false;
        QTest::newRow("EIO on reads too") << "EIO" << true;
    }

    void everyFailingCallLeavesOldOrNewState()
    {
        QFETCH(QString, errnoName);
        QFETCH(bool, readsToo);
        int pairs = 0;
        for (const Operation& operation : operations())
            sweep(operation, errnoName, readsToo, &pairs);
        QVERIFY(pairs > 0);
    }

    // A list folder whose marker of what it holds cannot be read, at whichever read of it a
    // run fails, stays the list the user knows: listed, with its place in the preferences.
    void anUnreadableListMarkerKeepsTheListAndItsPreferences()
    {
        Sandbox box(m_dir.path());
        QVERIFY(box.startWithDefaultLists());
        QCOMPARE(box.cli({"prefs", "set", "visibleLists", "[\"reminders\"]"}).exitCode, 0);
        QVERIFY(box.copyTo(before()));
        const Fault reads{0, "EIO", true, box.home() + "/store/reminders/.velmoran-created-for"};
        const auto check = [&box](const QString& step, const Run& run, bool) {
            QVERIFY2(run.exitCode == 0, qPrintable(step + ": " + run.err));
            const QJsonArray lists = QJsonDocument::fromJson(run.out).array();
            QVERIFY2(lists.size() == 1 && lists.first()["id"] == "reminders",
                     qPrintable(step + ": " + run.out));
            QCOMPARE(box.cli({"prefs", "get", "visibleLists"}).out.simplified(),
                     QByteArray("[\"reminders\"]"));
        };
        QVERIFY(breakEachCall(box, VELMORAN_CLI_PATH, {"lists", "--json"}, reads, check) > 0);
    }

    // A list deleted while its "displayname" cannot be read goes to Recently Deleted under the
    // name the store knew it by, not its folder's, which stands in only for a name never read.
    // Run again as a child for each read of that file that can fail.
    void aListDeletedWhileItsNameCannotBeReadKeepsItsName()
    {
        if (qEnvironmentVariableIsSet(kChildStoreVariable)) {
            deleteTheListAsAChild(qEnvironmentVariable(kChildStoreVariable));
            return;
        }
        Sandbox box(m_dir.path());
        QDir(box.home()).removeRecursively();
        const QString list = box.home() + "/store/groceries";
        writeFile(list + "/displayname", "Groceries");
        writeFile(list + "/milk.ics", todo("milk", "Milk"));
        QVERIFY(box.copyTo(before()));
        qputenv(kChildStoreVariable, QFile::encodeName(box.home() + "/store"));
        int deletions = 0;
        const auto check = [&deletions](const QString& step, const Run& run, bool broken) {
            QVERIFY2(run.exitCode == 0, run.out + run.err);
            const QString known = lineAfter(run.out, "known as ");
            const QString kept = lineAfter(run.out, "kept as ");
            if (!broken || kept.isNull())
                return; // the name could not go with the list: nothing was deleted
            ++deletions;
            // The folder's name stands in only for a name the store never read.
            QVERIFY2(kept == "Groceries" || known == "groceries",
                     qPrintable(step + ": kept as \"" + kept + "\", known as \"" + known + "\""));
        };
        const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
        breakEachCall(box, self.constData(), {"aListDeletedWhileItsNameCannotBeReadKeepsItsName"},
                      {0, "EIO", true, list + "/displayname"}, check);
        qunsetenv(kChildStoreVariable);
        QVERIFY(deletions > 1);
    }

    // The sync's vdirsyncer configuration on a full disk: whichever call of the sync on its
    // folder fails, the file keeps what it held, rather than an empty file taking its place
    // while the write counts as done.
    void aSyncConfigurationThatCannotBeWrittenKeepsTheOldOne()
    {
        Sandbox box(m_dir.path());
        QDir(box.home()).removeRecursively();
        const QString folder = box.home() + "/config/velmoran/vdirsyncer";
        // Nothing answers on that port: each sync fails, after writing its configuration.
        writeFile(folder + "/accounts.json",
                  "[{\"id\": \"home\", \"url\": \"http://127.0.0.1:9/dav/\", "
                  "\"user\": \"anna\", \"collections\": [\"tasks\"]}]");
        QVERIFY(box.cli({"sync"}).exitCode != 0);
        const QByteArray config = readFile(folder + "/config");
        QVERIFY(config.contains("[storage"));
        QVERIFY(box.copyTo(before()));
        const auto check = [&](const QString& step, const Run& run, bool) {
            QVERIFY2(run.exitCode != 0, qPrintable(step));
            QVERIFY2(readFile(folder + "/config") == config,
                     qPrintable(step + ": the configuration changed: " + run.err));
        };
        QVERIFY(breakEachCall(box, VELMORAN_CLI_PATH, {"sync"}, {0, "ENOSPC", false, folder},
                              check) > 0);
    }

private:
    // Opens the store, says what it calls the list, deletes it and says what Recently Deleted
    // calls it (this run's own data folder holds nothing else).
    static void deleteTheListAsAChild(const QString& root)
    {
        store::EventStore eventStore({root});
        const QList<store::CalendarPtr> lists =
            eventStore.calendarsForEntityType(store::EntityType::Reminder);
        QCOMPARE(lists.size(), 1);
        QTextStream out(stdout);
        out << "known as " << lists.first()->title << Qt::endl;
        // Another program adds a task just before: the deletion looks at the folder again.
        writeFile(lists.first()->folderPath + "/bread.ics", todo("bread", "Bread"));
        QString error;
        if (!eventStore.removeCalendar(lists.first(), true, &error))
            return;
        const QList<trash::DeletedEntry> entries = eventStore.recentlyDeleted().entries();
        QCOMPARE(entries.size(), 1);
        out << "kept as " << entries.first().title << Qt::endl;
    }

    // The rest of the line that starts with `prefix`; null when there is none.
    static QString lineAfter(const QByteArray& output, const QString& prefix)
    {
        const QRegularExpressionMatch line =
            QRegularExpression('^' + prefix + "(.*)$", QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(output));
        return line.hasMatch() ? line.captured(1).trimmed() : QString();
    }

    static QList<Operation> operations()
    {
        const auto plain = [](Sandbox& box) {
            writeFile(box.home() + "/store/reminders/plain-task.ics",
                      todo("plain-task", "Water the plants"));
        };
        const auto recurring = [](Sandbox& box) {
            writeFile(box.home() + "/store/reminders/daily-task.ics",
                      todo("daily-task", "Stretch",
                           "DUE;TZID=Europe/Berlin:20261207T090000\r\n"
                           "RRULE:FREQ=DAILY;COUNT=5\r\n"));
        };
        const auto deleted = [plain](Sandbox& box) {
            plain(box);
            QCOMPARE(box.cli({"delete", "plain-task"}).exitCode, 0);
        };
        const char* const change = VELMORAN_STORECHANGE_PATH;
        return {
            {"add", nullptr, {"add", "Buy bread"}},
            {"url add", nullptr, {"url", "velmoran://add?text=Call%20Anna&priority=1"}},
            // The link goes into the subtask's first write: no failing call leaves it unlinked.
            {"add subtask", plain, {"add", "--parent", "plain-task", "Buy soil"}},
            {"complete", plain, {"complete", "plain-task"}},
            {"complete recurring", recurring, {"complete", "daily-task"}},
            {"delete", plain, {"delete", "plain-task"}},
            {"restore", deleted, {"restore", kDeletedEntry}},
            {"undo of a delete", deleted, {"undo-delete", kDeletedEntry}, change},
            {"empty Recently Deleted", deleted, {"deleted", "--empty"}},
            {"prefs set", nullptr, {"prefs", "set", "showCompleted", "false"}},
            {"edit", plain, {"edit", "plain-task", "Water the ferns", "Twice a week"}, change},
            {"list create", nullptr, {"list-create", "Garden"}, change},
            {"list rename", plain, {"list-rename", "Reminders", "Household"}, change},
            {"list delete", plain, {"list-delete", "Reminders"}, change},
        };
    }

    void sweep(const Operation& operation, const QString& errnoName, bool readsToo, int* pairs)
    {
        Sandbox box(m_dir.path());
        // A load after the first run changes nothing, so the states compared are those of the
        // change alone.
        QVERIFY(box.startWithDefaultLists());
        if (operation.prepare)
            operation.prepare(box);
        QCOMPARE(box.cli({"tasks"}).exitCode, 0);
        QStringList command = operation.arguments;
        command.replaceInStrings(kDeletedEntry, box.deletedId());
        QVERIFY(box.copyTo(before()));
        const QList<Tree> oldState = box.trees(true);

        const Run done = box.run(operation.program, command);
        QVERIFY2(done.exitCode == 0, done.err.constData());
        QCOMPARE(box.cli({"tasks"}).exitCode, 0);
        const QList<Tree> newState = box.trees(true);
        QVERIFY2(newState != oldState, qPrintable(operation.name));

        const auto check = [&](const QString& call, const Run& run, bool broken) {
            const QString step = operation.name + ", " + call;
            if (!broken) { // the change needs fewer calls: it ran through untouched
                QVERIFY2(run.exitCode == 0, qPrintable(step + ": " + run.err));
                return;
            }
            const QString outcome = checkOutcome(box, oldState, newState, false);
            QVERIFY2(!outcome.startsWith(u'!'), qPrintable(step + ": " + outcome.mid(1)));
            if (outcome == u"old") {
                QVERIFY2(run.exitCode != 0,
                         qPrintable(step + ": nothing changed, yet it exited 0: " + run.out));
                QVERIFY2(!run.err.trimmed().isEmpty(), qPrintable(step + ": no message"));
            }
            QVERIFY2(box.cli({"tasks"}).exitCode == 0, qPrintable(step + ": the next load"));
            const QString afterLoad = checkOutcome(box, oldState, newState, true);
            QVERIFY2(!afterLoad.startsWith(u'!'),
                     qPrintable(step + ", after the next load: " + afterLoad.mid(1)));
        };
        *pairs +=
            breakEachCall(box, operation.program, command, {0, errnoName, readsToo, {}}, check);
    }

    // Runs `program` with its first, second, … counted call failing, each time from the state
    // saved in before(), until a run makes fewer calls, and hands every run (that last one
    // too) to `check`; returns how many runs had a call fail.
    int breakEachCall(const Sandbox& box, const char* program, const QStringList& arguments,
                      Fault fault,
                      const std::function<void(const QString&, const Run&, bool)>& check)
    {
        for (fault.at = 1; fault.at < 1000; ++fault.at) {
            if (!box.restoreFrom(before()))
                break;
            const Run run = box.run(program, arguments, fault);
            const QByteArray failed = box.failedCall();
            const QString step = QStringLiteral("call %1 (%2) failing with %3")
                                     .arg(fault.at)
                                     .arg(QString::fromUtf8(failed), fault.errnoName);
            if (run.exitCode == -1)
                QTest::qFail(qPrintable(step + ": crashed or hung"), __FILE__, __LINE__);
            else
                check(step, run, !failed.isEmpty());
            if (failed.isEmpty() || QTest::currentTestFailed())
                return fault.at - 1;
        }
        QTest::qFail("the sweep does not end, or the state cannot be put back", __FILE__, __LINE__);
        return 0;
    }

    // "old" or "new" when the store and Recently Deleted together hold one of the two states
    // (the preferences may keep either on their own: a change of a task that could not store
    // a preference on the side is still made); "!…" says what is wrong.
    static QString checkOutcome(const Sandbox& box, const QList<Tree>& oldState,
                                const QList<Tree>& newState, bool strict)
    {
        const QList<Tree> now = box.trees(strict);
        QStringList verdicts;
        for (qsizetype i = 0; i < (strict ? now.size() : now.size() - 1); ++i) {
            if (now.at(i) == oldState.at(i))
                verdicts.append("old");
            else if (now.at(i) == newState.at(i))
                verdicts.append("new");
            else
                return QStringLiteral("!%1 holds neither state").arg(box.stateFolders().at(i));
        }
        // The store and Recently Deleted change together (a delete moves a file between them).
        if (oldState.at(0) != newState.at(0) && oldState.at(1) != newState.at(1) &&
            verdicts.at(0) != verdicts.at(1))
            return QStringLiteral("!the store is %1 but Recently Deleted is %2")
                .arg(verdicts.at(0), verdicts.at(1));
        // The first folder the change touches tells.
        return verdicts.at(oldState.at(0) != newState.at(0)   ? 0
                           : oldState.at(1) != newState.at(1) ? 1
                                                              : 2);
    }

    QString before() const { return m_dir.filePath("before"); }

    QTemporaryDir m_dir;
};

VELMORAN_TEST_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"

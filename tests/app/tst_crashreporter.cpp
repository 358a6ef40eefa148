#include "LaunchedProgram.h"
#include "TestEnvironment.h"

#include "app/CrashReporter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr const char* kChildVariable = "VELMORAN_CRASH_CHILD";

// A run of this suite with the variable set is the crashing child: it installs the handler
// before main, as the application does first thing, and dies as the variable says.
const int kChildRun = [] {
    const char* how = std::getenv(kChildVariable);
    if (!how)
        return 0;
    CrashReporter::install("9.8.7-test");
    if (std::strcmp(how, "abort") == 0)
        std::abort();
    ::raise(std::atoi(how));
    ::_exit(0);
}();

} // namespace

class TestCrashReporter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aFatalSignalLeavesAReport_data()
    {
        QTest::addColumn<QByteArray>("how");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("name");
        // None: under HOME; "blocked": a file where the folder would be.
        QTest::addColumn<QString>("stateHome");
        const auto row = [](const char* tag, const QByteArray& how, int signal, const char* name,
                            const char* stateHome = "state") {
            QTest::newRow(tag) << how << signal << QByteArray(name) << QString(stateHome);
        };
        row("segmentation fault", QByteArray::number(SIGSEGV), SIGSEGV, "SIGSEGV");
        row("abort", "abort", SIGABRT, "SIGABRT");
        row("bus error", QByteArray::number(SIGBUS), SIGBUS, "SIGBUS");
        row("arithmetic", QByteArray::number(SIGFPE), SIGFPE, "SIGFPE");
        row("illegal instruction", QByteArray::number(SIGILL), SIGILL, "SIGILL");
        row("without XDG_STATE_HOME", QByteArray::number(SIGSEGV), SIGSEGV, "SIGSEGV", "");
        // No report can be written: the handler must not hang or loop.
        row("unwritable", QByteArray::number(SIGSEGV), SIGSEGV, "SIGSEGV", "blocked");
    }

    void aFatalSignalLeavesAReport()
    {
        QFETCH(QByteArray, how);
        QFETCH(int, signal);
        QFETCH(QByteArray, name);
        QFETCH(QString, stateHome);
        if (stateHome == "blocked")
            QVERIFY(QFile(m_dir->filePath(stateHome)).open(QIODevice::WriteOnly));
        const LaunchedProgram::Launch crash = LaunchedProgram::launch(
            QProcessEnvironment::systemEnvironment(), {},
            {{kChildVariable, QString::fromLatin1(how)},
             {"HOME", m_dir->path()},
             {"XDG_STATE_HOME", stateHome.isEmpty() ? QString() : m_dir->filePath(stateHome)}},
            QCoreApplication::applicationFilePath());
        // The process still dies of its signal, for the shell and for core dumps.
        QCOMPARE(crash.exitCode, -1);
        QCOMPARE(crash.signal, signal);
        if (stateHome == "blocked") {
            QVERIFY(!crash.err.contains("report written"));
            return;
        }
        const QDir folder(m_dir->filePath(stateHome.isEmpty() ? ".local/state" : stateHome) +
                          "/velmoran/crashes");
        const QStringList reports = folder.entryList(QDir::Files);
        QCOMPARE(reports.size(), 1);
        QVERIFY(crash.err.contains(folder.filePath(reports.first()).toUtf8()));

        QFile file(folder.filePath(reports.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray report = file.readAll();
        QVERIFY2(report.contains("Signal: " + name + " (" + QByteArray::number(signal) + ")"),
                 report.constData());
        QVERIFY(report.contains("Version: 9.8.7-test\n"));
        const QList<QByteArray> backtrace = report.mid(report.indexOf("Backtrace:\n")).split('\n');
        QVERIFY2(backtrace.size() > 3, report.constData());
        // The frames name the program that crashed.
        QVERIFY2(report.count("tst_crashreporter") >= 1, report.constData());
        QVERIFY((file.permissions() & (QFile::ReadGroup | QFile::ReadOther)) == 0);
    }

    // Without a display the application prints its help and version and refuses anything
    // else in one line, instead of dying in QApplication and leaving a report.
    void withoutADisplayTheApplicationSaysSoAndLeavesNoReport_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << QByteArray("--new-task-from-selection") << QByteArray();
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QByteArray("velmoran " VELMORAN_VERSION "\n") << QByteArray();
        QTest::newRow("start") << QStringList{} << 1 << QByteArray()
                               << QByteArray("velmoran: no graphical display");
    }

    void withoutADisplayTheApplicationSaysSoAndLeavesNoReport()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const LaunchedProgram::Launch run =
            LaunchedProgram::launch(QProcessEnvironment(), arguments,
                                    {{"PATH", qEnvironmentVariable("PATH")},
                                     {"HOME", m_dir->path()},
                                     {"XDG_STATE_HOME", m_dir->filePath("state")},
                                     {"XDG_RUNTIME_DIR", m_dir->path()},
                                     {"LANG", "C.UTF-8"}});
        QTEST(run.exitCode, "exitCode");
        QVERIFY2(run.out.contains(out), run.out.constData());
        if (err.isEmpty()) {
            QVERIFY2(run.err.isEmpty(), run.err.constData());
        } else {
            QVERIFY2(run.err.startsWith(err), run.err.constData());
            QCOMPARE(run.err.count('\n'), 1);
        }
        QVERIFY(QDir(m_dir->filePath("state/velmoran/crashes")).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

VELMORAN_TEST_MAIN(TestCrashReporter)
#include "tst_crashreporter.moc"

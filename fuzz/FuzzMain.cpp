// The libFuzzer harness around one FuzzTarget, chosen at build time by VELMORAN_FUZZ_TARGET.
// A finding aborts, so that libFuzzer keeps the input as a crash.

#include "FuzzTarget.h"

#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::unique_ptr<FuzzTarget> target;

// Saves fsync every file; in memory that costs nothing, so the fuzzer spends its time in our
// code rather than waiting for a disk.
QString workParent()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
}

// The same surroundings as the test suites: a private home, the Berlin time zone with its
// daylight-saving changes, a fixed English locale, no display.
void prepareEnvironment(const QString& home)
{
    const QByteArray root = QFile::encodeName(home);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_STATE_HOME", root + "/state");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qunsetenv("VELMORAN_STORE");
    qunsetenv("VELMORAN_SYNC_DIR");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_HASH_SEED", "0");
    // Warnings about the hostile inputs themselves would drown the fuzzer's own output.
    qputenv("QT_LOGGING_RULES", "*=false");
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QTemporaryDir home(workParent() + QStringLiteral("/velmoran-fuzz-XXXXXX"));
    prepareEnvironment(home.path());
    // Qt takes the arguments it knows out of argv; libFuzzer's own stay with libFuzzer.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication application(qtArgc, qtArgv);
    Q_UNUSED(argc);
    Clock::system().reset();
    const QString work = home.filePath(QStringLiteral("work"));
    QDir().mkpath(work);
    target = FuzzTarget::create(QStringLiteral(VELMORAN_FUZZ_TARGET), work);
    if (!target) {
        std::fprintf(stderr, "No fuzz target named %s\n", VELMORAN_FUZZ_TARGET);
        std::abort();
    }
    // A target's Qt objects (a network manager with threads of its own, a store) must go
    // before the application and its home: registered after both were made, this runs before
    // their destructors at exit. Left to the global's own destructor, the target went after
    // them, and the network threads still running then used freed memory or leaked, at the
    // end of each fuzzing job whatever its inputs.
    std::atexit([] { target.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QStringList findings =
        target->run(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (findings.isEmpty())
        return 0;
    for (const QString& finding : findings)
        std::fprintf(stderr, "FINDING (%s): %s\n", VELMORAN_FUZZ_TARGET,
                     finding.toLocal8Bit().constData());
    std::abort();
}

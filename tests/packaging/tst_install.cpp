#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

using namespace TestFiles;

// An installed copy, as `make install DESTDIR=…` leaves it: every file a desktop program needs
// is in place and valid, and both programs run from there with the source and build folders
// hidden from them (runs inside dbus-run-session; runs under xvfb-run).
class TestInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QProcess install;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DESTDIR", m_root.path());
        install.setProcessEnvironment(environment);
        install.start("cmake", {"--install", VELMORAN_BUILD_DIR});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
        QDirIterator binaries(m_root.path(), {"velmoran"}, QDir::Files,
                              QDirIterator::Subdirectories);
        while (binaries.hasNext() && m_prefix.isEmpty()) {
            const QString path = binaries.next();
            if (path.endsWith("/bin/velmoran"))
                m_prefix = path.chopped(int(qstrlen("/bin/velmoran")));
        }
        QVERIFY2(!m_prefix.isEmpty(), "no bin/velmoran was installed");
        // Covering folders needs a mount namespace of our own; where the sandbox refuses one,
        // the programs still run from the installed copy, only without the cover.
        m_canHide =
            QProcess::execute("unshare", {"--mount", "sh", "-c", "mount -t tmpfs none \"$1\"", "sh",
                                          m_root.path()}) == 0;
        if (!m_canHide)
            qWarning("no mount namespace here: the source and build folders stay visible");
    }

    void everyFileIsInPlace()
    {
        QStringList files{"bin/velmoran", "bin/velmoran-cli", "share/velmoran/sounds/Notify.wav",
                          "share/man/man1/velmoran.1", "share/man/man1/velmoran-cli.1"};
        for (const char* file :
             {"applications/velmoran.desktop", "metainfo/org.velmoran.Velmoran.metainfo.xml",
              "icons/hicolor/scalable/apps/velmoran.svg",
              "icons/hicolor/symbolic/apps/velmoran-symbolic.svg",
              "dbus-1/services/org.velmoran.Velmoran.service",
              "bash-completion/completions/velmoran-cli", "zsh/vendor-completions/_velmoran-cli",
              "fish/vendor_completions.d/velmoran-cli.fish"})
            files << QStringLiteral("share/") + file;
        for (const char* language : {"", "de/", "fr/"})
            files << QStringLiteral("share/doc/velmoran/help/%1Help.html").arg(language);
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
            files << QStringLiteral("share/icons/hicolor/%1x%1/apps/velmoran.png").arg(size);
        for (const QString& file : files)
            QVERIFY2(QFileInfo(m_prefix + '/' + file).size() > 0, qPrintable(file));
        QCOMPARE(QImage(m_prefix + "/share/icons/hicolor/256x256/apps/velmoran.png").size(),
                 QSize(256, 256));
        // The service starts the installed program, not the one in the build folder.
        const QString service =
            readFile(m_prefix + "/share/dbus-1/services/org.velmoran.Velmoran.service");
        QVERIFY2(service.contains("Name=org.velmoran.Velmoran\n"), qPrintable(service));
        QVERIFY2(service.contains("Exec=" + m_prefix.mid(m_root.path().size()) + "/bin/velmoran "),
                 qPrintable(service));
    }

    // The programs find what they need through the install prefix: the source and build
    // folders are covered by empty ones for them.
    void theProgramsAndTheWindowRunFromThere()
    {
        const QString version = QStringLiteral(VELMORAN_VERSION);
        QCOMPARE(runHidden("bin/velmoran-cli", {"--version"}).trimmed(), "velmoran-cli " + version);
        QCOMPARE(runHidden("bin/velmoran", {"--version"}).trimmed(), "velmoran " + version);
        QVERIFY(runHidden("bin/velmoran-cli", {"--help"}).contains("smartadd TEXT"));

        writeFile(m_programs.storeRoot() + "/work/displayname", "Work");
        QVERIFY(runHidden("bin/velmoran-cli", {"smartadd", "Water the plants tomorrow"})
                    .contains("Water the plants"));
        QVERIFY(runHidden("bin/velmoran-cli", {"tasks"}).contains("\tWork\tWater the plants"));

        // The window comes up from the installed copy and claims its bus name.
        QProcess window;
        window.setProcessEnvironment(m_programs.environment());
        window.start("unshare", hiddenProgram("bin/velmoran", {}));
        QVERIFY(window.waitForStarted());
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered("org.velmoran.Velmoran"), 30000);
        QCOMPARE(window.state(), QProcess::Running);
        window.terminate();
        QVERIFY(window.waitForFinished(20000));
    }

private:
    // unshare's arguments that run `program` of the installed copy in a mount namespace where
    // the source and build folders are empty (where there can be one).
    QStringList hiddenProgram(const QString& program, const QStringList& arguments) const
    {
        if (!m_canHide)
            return QStringList{"--", m_prefix + '/' + program} + arguments;
        const QString script = QStringLiteral(
            "mount -t tmpfs none \"$1\" && mount -t tmpfs none \"$2\" && shift 2 && exec \"$@\"");
        // The build folder first: it may lie inside the source folder.
        const QStringList hidden{VELMORAN_BUILD_DIR, TestEnvironment::sourceDir()};
        return QStringList{"--mount", "sh", "-c", script, "sh"} + hidden +
               QStringList{m_prefix + '/' + program} + arguments;
    }

    QString runHidden(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_programs.environment());
        process.start("unshare", hiddenProgram(program, arguments));
        if (!process.waitForFinished(60000))
            return "<timed out>";
        if (process.exitCode() != 0)
            qWarning() << program << arguments << process.readAllStandardError();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir m_root;
    // The store, preferences and clock the installed programs run with.
    CliRun m_programs{QStringLiteral("2026-12-09T09:40")};
    QString m_prefix;
    bool m_canHide = false;
};

VELMORAN_TEST_MAIN(TestInstall)
#include "tst_install.moc"

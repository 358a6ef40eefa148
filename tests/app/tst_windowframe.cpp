#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace TestFiles;

// The saved window frame under a real window manager that decorates the window, which is
// where a restored window used to open a title bar's height higher than it was left.
// This suite runs under xvfb-run and starts openbox on that display itself.
class TestWindowFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("openbox").isEmpty())
            QFAIL("openbox is not installed (scripts/install-deps.sh installs it)");
        m_windowManager.setProgram("openbox");
        m_windowManager.setArguments({"--sm-disable"});
        m_windowManager.start();
        QVERIFY(m_windowManager.waitForStarted(5000));

        QVERIFY(m_dir.isValid());
        m_defaults = std::make_unique<UserDefaults>(m_dir.filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        setupDefaultPreferences(*m_defaults, nullptr);
        m_clock.setNow(QDateTime::currentDateTime());
        writeFile(m_dir.filePath("store") + "/work/displayname", "Work");
        writeFile(m_dir.filePath("store") + "/work/a.ics", todo("a", "Report"));
        m_manager = loadedDataManager(*m_defaults, m_clock, m_dir.filePath("store"));
        QVERIFY(m_manager);
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
    }

    void cleanupTestCase()
    {
        m_context.reset();
        m_modes.reset();
        m_manager.reset();
        m_windowManager.terminate();
        m_windowManager.waitForFinished(5000);
    }

    // Saved, closed and opened again three times, the window stays where the user left it,
    // title bar included, and keeps its size.
    void aRestoredWindowOpensWhereItWasLeft()
    {
        QPoint place;
        QSize size;
        {
            WindowController first(*m_manager, *m_modes);
            first.resize(1000, 640);
            first.move(120, 90);
            showDecorated(first);
            QVERIFY2(first.frameGeometry().top() < first.geometry().top(),
                     "the window manager did not decorate the window");
            place = first.pos();
            size = first.size();
            first.viewController()->saveSplitViewFrame();
        }
        for (int round = 0; round < 3; ++round) {
            WindowController again(*m_manager, *m_modes);
            again.viewController()->loadSplitViewFrame();
            showDecorated(again);
            QTRY_COMPARE(again.pos(), place);
            QCOMPARE(again.size(), size);
            again.viewController()->saveSplitViewFrame();
        }
    }

private:
    static void showDecorated(QWidget& window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The frame arrives from the window manager after the window is mapped.
        QTRY_VERIFY_WITH_TIMEOUT(window.frameGeometry().top() < window.geometry().top(), 10000);
    }

    QTemporaryDir m_dir;
    QProcess m_windowManager;
    Clock m_clock;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modes;
};

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"

#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestDetailServices.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "app/AppDelegate.h"
#include "app/IntroWindows.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/UpdateNote.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/intro/HelpWindowController.h"
#include "ui/intro/IntroWindowController.h"
#include "ui/main/WindowController.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

using namespace TestFiles;

// The onboarding, help and about windows plugged into the application delegate: the Help
// menu's items open them, the notes on what is new show once after an update, and finishing
// the onboarding opens the main window.
class TestIntroWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        writeFile(m_dir->filePath("store/work/displayname"), "Work");
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        m_defaults->setBool(false, PrefKey::showMenuBar);
        m_manager = loadedDataManager(*m_defaults, m_clock, m_dir->filePath("store"));
        QVERIFY(m_manager);
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_detailServices = std::make_unique<TestDetailServices>(*m_defaults);
        m_delegate = std::make_unique<AppDelegate>(*m_manager, *m_modes, *m_defaults, nullptr,
                                                   m_detailServices->services());
        m_windows = std::make_unique<IntroWindows>(*m_manager, *m_modes, *m_defaults, *m_delegate);
        m_delegate->setWindows({.onboarding = m_windows.get()});
    }

    void cleanup()
    {
        m_windows.reset();
        delete m_delegate->windowController();
        m_delegate.reset();
        m_manager.reset();
        m_context.reset();
    }

    // After the onboarding, every item of the Help menu works: help, the notes, the about
    // window. The notes of a first installation are not shown by themselves.
    void helpMenuAfterTheOnboarding()
    {
        m_delegate->applicationDidFinishLaunching();
        QVERIFY(!m_delegate->windowController());
        IntroWindowController* intro = m_windows->introWindow();
        QVERIFY(intro && intro->isVisible());
        intro->nextButton(1)->click();
        for (int page = 2; page <= 5; ++page) {
            QTRY_COMPARE_WITH_TIMEOUT(intro->currentPage(), page, 5000);
            QTRY_VERIFY(intro->nextButton(page)->isEnabled());
            intro->nextButton(page)->click();
        }
        QTRY_VERIFY(m_delegate->windowController());
        QVERIFY(!m_defaults->boolForKey(PrefKey::initialLaunch));
        QTest::qWait(700);
        QVERIFY(!m_windows->helpWindow());

        QMenu* help = menu("&Help");
        QVERIFY(help);
        for (QAction* action : help->actions())
            QVERIFY2(action->isSeparator() || action->isEnabled(), qPrintable(action->text()));
        trigger(help, "Velmoran Help");
        QVERIFY(m_windows->helpWindow());
        QCOMPARE(m_windows->helpWindow()->currentFileName(), QString("Help"));
        QCOMPARE(m_windows->helpWindow()->parentWidget(), m_delegate->windowController());
        trigger(help, "What's New");
        QCOMPARE(m_windows->helpWindow()->currentFileName(), QString("Update"));
        QPointer<HelpWindowController> sheet = m_windows->helpWindow();
        sheet->startButton()->click();
        QTRY_VERIFY(!sheet);
        trigger(help, "About Velmoran");
        QVERIFY(m_windows->aboutWindow() && m_windows->aboutWindow()->isVisible());
        m_windows->aboutWindow()->close();
    }

    // A start after an update shows the notes once, as a sheet on the main window.
    void notesAfterAnUpdate()
    {
        setupDefaultPreferences(*m_defaults, &m_manager->lists());
        m_defaults->setBool(false, PrefKey::initialLaunch);
        m_defaults->setBool(false, PrefKey::updateNote);
        m_defaults->setString("0.0.1", UpdateNote::kVersionKey);
        m_delegate->applicationDidFinishLaunching();
        QVERIFY(m_delegate->windowController());
        QTRY_VERIFY(m_windows->helpWindow());
        QCOMPARE(m_windows->helpWindow()->currentFileName(), QString("Update"));
        QVERIFY(!m_defaults->boolForKey(PrefKey::updateNote));
    }

private:
    QMenu* menu(const QString& title) const
    {
        for (QAction* action : m_delegate->windowController()->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    static void trigger(QMenu* menu, const QString& text)
    {
        for (QAction* action : menu->actions()) {
            if (QString(action->text()).remove(QLatin1Char('&')) == text)
                return action->trigger();
        }
        QFAIL(qPrintable("no menu item " + text));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    Clock m_clock;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<TestDetailServices> m_detailServices;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<IntroWindows> m_windows;
};

VELMORAN_WIDGET_TEST_MAIN(TestIntroWindows)
#include "tst_introwindows.moc"

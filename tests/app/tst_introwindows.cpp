#include "RunningApp.h"
#include "TestEnvironment.h"

#include "app/IntroWindows.h"
#include "data/TaskLists.h"
#include "prefs/UpdateNote.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/intro/HelpWindowController.h"
#include "ui/intro/IntroWindowController.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

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
        m_app.emplace();
        m_app->addList("work", "Work");
        m_app->defaults->setBool(false, PrefKey::showMenuBar);
        QVERIFY(m_app->build());
        m_defaults = m_app->defaults.get();
        m_manager = m_app->manager.get();
        m_delegate = m_app->delegate.get();
        m_windows =
            std::make_unique<IntroWindows>(*m_manager, *m_app->modes, *m_defaults, *m_delegate);
        m_delegate->setWindows({.onboarding = m_windows.get()});
    }

    void cleanup()
    {
        m_windows.reset();
        delete m_delegate->windowController();
        m_app.reset();
    }

    // A start after an update shows the notes once, as a sheet on the main window; then every
    // item of the Help menu works: help, the notes again, the about window. (The onboarding
    // before a first start is driven in tst_firstlaunch.)
    void notesAfterAnUpdateAndTheHelpMenu()
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
        QPointer<HelpWindowController> sheet = m_windows->helpWindow();
        sheet->startButton()->click();
        QTRY_VERIFY(!sheet);

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
        trigger(help, "About Velmoran");
        QVERIFY(m_windows->aboutWindow() && m_windows->aboutWindow()->isVisible());
        m_windows->aboutWindow()->close();
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

    std::optional<RunningApp> m_app;
    UserDefaults* m_defaults = nullptr;
    DataManager* m_manager = nullptr;
    AppDelegate* m_delegate = nullptr;
    std::unique_ptr<IntroWindows> m_windows;
};

VELMORAN_WIDGET_TEST_MAIN(TestIntroWindows)
#include "tst_introwindows.moc"

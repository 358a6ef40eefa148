#include "RunningApp.h"
#include "TestEnvironment.h"
#include "XTestClient.h"

#include "app/EntryWindows.h"
#include "app/IntroWindows.h"
#include "app/PreferenceWindows.h"
#include "app/RecentlyDeletedWindows.h"
#include "hotkeys/PTHotKey.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCombo.h"
#include "platform/UserNotificationCenter.h"
#include "ui/entry/AddViewController.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>

// This suite runs under xvfb-run and runs inside dbus-run-session: the application's windows as
// it opens them, each where the user left it in the run before; the preferences window, and
// global shortcuts recorded in it grabbed on a real X server, where a second X client stands
// for another program holding a key.
class TestPreferenceWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QDir().mkpath(m_app.root() + "/home");
        m_defaults->setBool(false, PrefKey::showMenuBar);
        // Ctrl+Alt+F12 (X key code 96) for the main window.
        m_defaults->setObject(QVariantMap{{"keyCode", 96}, {"modifierFlags", kCtrlAltFlags}},
                              PrefKey::shortcut);
        m_app.clock.setNow(QDateTime::currentDateTime());
        QVERIFY(m_app.build(&PTHotKeyCenter::sharedCenter()));
        m_center = std::make_unique<UserNotificationCenter>(m_app.clock);
        m_windows = std::make_unique<PreferenceWindows>(*m_app.manager, *m_app.modes, *m_defaults,
                                                        *m_center, *m_app.delegate);
        QVERIFY(m_app.launch({.preferences = m_windows.get()}));

        m_j = m_other.keyCode('j');
        m_k = m_other.keyCode('k');
        QVERIFY(m_j && m_k);
    }

    void cleanupTestCase()
    {
        m_windows.reset();
        m_app.delegate.reset();
    }

    // Edit → Preferences (whose item tst_menuitems triggers) opens one window for the run.
    void editPreferencesOpensOneWindowForTheRun()
    {
        QVERIFY(m_windows->openPreferences());
        PreferenceWindowController* window = m_windows->window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The first time, it opens on the main window's centre, not in a corner of the screen.
        const QPoint mainCentre = m_app.delegate->windowController()->frameGeometry().center();
        QTRY_VERIFY2((window->frameGeometry().center() - mainCentre).manhattanLength() < 40,
                     qPrintable(QString("%1,%2").arg(window->x()).arg(window->y())));
        QCOMPARE(window->windowTitle(), QString("General"));
        // Alt+3 reaches the third page from the keyboard, once the window has the keyboard
        // (an exposed window may not be the active one yet).
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(window->currentIndex(), int(PreferenceObject::Lists));

        window->close();
        QVERIFY(!window->isVisible());
        QVERIFY(m_windows->openPreferences());
        QCOMPARE(m_windows->window(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->currentIndex(), int(PreferenceObject::Lists));
    }

    void everyWindowOpensWhereItWasLeft_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QPoint>("place");
        // Each at a place of its own, so that no window can pass on another one's.
        int row = 0;
        for (const auto& [kind, key] : {std::pair{"main", PrefKey::frameString},
                                        {"help", PrefKey::helpFrameString},
                                        {"Recently Deleted", PrefKey::recentlyDeletedFrameString},
                                        {"quick add", PrefKey::quickAddFrameString},
                                        {"about", PrefKey::aboutFrameString},
                                        {"preferences", PrefKey::preferencesFrameString}}) {
            QTest::newRow(kind) << QString(kind) << QString(key)
                                << QPoint(60 + 20 * row, 70 + 10 * row);
            ++row;
        }
    }

    // Every window the user can move or resize opens in the next run where it was left, at the
    // size it had; where the screen has since become smaller than that place (a place beyond
    // this screen's 1280 by 800, a size larger than it), it opens on the screen and within it.
    void everyWindowOpensWhereItWasLeft()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(QPoint, place);
        QSize size;
        {
            Run run(*this);
            QPointer<QWidget> window = run.open(kind);
            QVERIFY(window && QTest::qWaitForWindowExposed(window));
            // Windows of a fixed size keep it.
            window->resize(window->size() + QSize(60, 40));
            window->move(place);
            QTRY_COMPARE(window->pos(), place);
            size = window->size();
            window->close();
            QTRY_VERIFY(!window || !window->isVisible());
        }
        {
            Run next(*this);
            QWidget* again = next.open(kind);
            QVERIFY(again && QTest::qWaitForWindowExposed(again));
            QTRY_COMPARE(again->pos(), place);
            // The preferences window takes the size of the page it shows.
            if (kind != "preferences")
                QCOMPARE(again->size(), size);
            again->close();
        }

        m_defaults->setString(kind == "preferences" ? QString("2400,1500")
                                                    : QString("{{2400, 1500}, {2000, 1200}}"),
                              key);
        Run smaller(*this);
        QWidget* onScreen = smaller.open(kind);
        QVERIFY(onScreen && QTest::qWaitForWindowExposed(onScreen));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY2(screen.contains(onScreen->frameGeometry()),
                     qPrintable(QDebug::toString(onScreen->frameGeometry())));
        onScreen->close();
    }

    void aShortcutAnotherProgramHoldsIsRefused()
    {
        QVERIFY(m_windows->openPreferences());
        ShortcutRecorder* recorder =
            m_windows->preferenceObject()->generalPage()->keyboardShortcut();
        QCOMPARE(recorder->keyCombo().keyCode(), 96);
        // On X11 this program grabs the keys itself: no desktop binding to show.
        QVERIFY(!m_windows->preferenceObject()->generalPage()->keyboardShortcutNote());

        // Another program holds Ctrl+Alt+J.
        QVERIFY(m_other.grab(m_j, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
        recorder->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_J));
        QVERIFY2(recorder->message().contains("another program"), qPrintable(recorder->message()));
        QCOMPARE(
            PTKeyCombo::fromShortcutRecord(m_defaults->objectForKey(PrefKey::shortcut)).keyCode(),
            96);
        QCOMPARE(registeredKeyCode(), 96);

        recorder->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
        QVERIFY(recorder->message().isEmpty());
        const QVariantMap stored = m_defaults->dictionaryForKey(PrefKey::shortcut);
        QCOMPARE(stored.value("keyCode").toInt(), m_k);
        QCOMPARE(stored.value("modifierFlags").toInt(), kCtrlAltFlags);
        QCOMPARE(registeredKeyCode(), m_k);
    }

private:
    // The windows of one run of the program, over the suite's data, preferences and session.
    struct Run
    {
        explicit Run(TestPreferenceWindows& suite)
            : services(*suite.m_defaults)
            , delegate(*suite.m_app.manager, *suite.m_app.modes, *suite.m_defaults, nullptr,
                       services.services())
            , intro(*suite.m_app.manager, *suite.m_app.modes, *suite.m_defaults, delegate)
            , deleted(*suite.m_app.manager, *suite.m_app.modes, delegate)
            , entry(*suite.m_app.manager, *suite.m_app.modes, delegate)
            , preferences(*suite.m_app.manager, *suite.m_app.modes, *suite.m_defaults,
                          *suite.m_center, delegate)
        {
            delegate.setWindows({.onboarding = &intro,
                                 .preferences = &preferences,
                                 .recentlyDeleted = &deleted,
                                 .quickAdd = &entry,
                                 .tray = &entry});
        }

        QWidget* open(const QString& kind)
        {
            if (kind == "quick add")
                return entry.openQuickAdd({}, {}), entry.quickAddWindow();
            if (kind == "about")
                return intro.openAbout(), intro.aboutWindow();
            if (kind == "preferences")
                return preferences.openPreferences(), preferences.window();
            delegate.openMainWindow();
            if (kind == "help")
                return intro.openHelp("Help"), intro.helpWindow();
            if (kind == "Recently Deleted")
                return deleted.openRecentlyDeleted(), deleted.window();
            return delegate.windowController();
        }

        TestDetailServices services;
        AppDelegate delegate;
        IntroWindows intro;
        RecentlyDeletedWindows deleted;
        EntryWindows entry;
        PreferenceWindows preferences;
    };

    static constexpr int kCtrlAltFlags = PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask;

    static int registeredKeyCode()
    {
        const auto hotKey = PTHotKeyCenter::sharedCenter().hotKeyWithIdentifier(
            QString::fromLatin1(GlobalShortcuts::kWindowIdentifier));
        return hotKey ? hotKey->keyCombo().keyCode() : -1;
    }

    RunningApp m_app;
    UserDefaults* m_defaults = m_app.defaults.get();
    std::unique_ptr<UserNotificationCenter> m_center;
    std::unique_ptr<PreferenceWindows> m_windows;
    XTestClient m_other;
    int m_j = 0;
    int m_k = 0;
};

VELMORAN_WIDGET_TEST_MAIN(TestPreferenceWindows)
#include "tst_preferencewindows.moc"

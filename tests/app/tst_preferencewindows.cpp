#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestEnvironment.h"

#include "app/AppDelegate.h"
#include "app/PreferenceWindows.h"
#include "hotkeys/PTHotKey.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCombo.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/WindowController.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

// This suite runs under xvfb-run and runs inside dbus-run-session: the preferences window as
// the application opens it, and global shortcuts recorded in it grabbed on a real X server,
// where a second X client stands for another program holding a key.
class TestPreferenceWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QVERIFY(m_dir.isValid());
        QDir().mkpath(m_dir.filePath("store/home"));
        m_defaults = std::make_unique<UserDefaults>(m_dir.filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        m_defaults->setBool(false, PrefKey::showMenuBar);
        // Ctrl+Alt+F12 (X key code 96) for the main window.
        m_defaults->setObject(QVariantMap{{"keyCode", 96}, {"modifierFlags", kCtrlAltFlags}},
                              PrefKey::shortcut);
        m_clock.setNow(QDateTime::currentDateTime());
        const QString root = m_dir.filePath("store");
        m_manager = std::make_unique<DataManager>(*m_defaults, m_clock, [this, root] {
            return std::make_unique<store::EventStore>(QStringList{root}, m_clock);
        });
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_center = std::make_unique<UserNotificationCenter>(m_clock);
        m_delegate = std::make_unique<AppDelegate>(*m_manager, *m_modes, *m_defaults,
                                                   &PTHotKeyCenter::sharedCenter());
        m_windows = std::make_unique<PreferenceWindows>(*m_manager, *m_modes, *m_defaults,
                                                        *m_center, *m_delegate);
        AppDelegate::Windows windows;
        m_windows->install(windows);
        m_delegate->setWindows(std::move(windows));
        QSignalSpy refreshed(m_manager.get(), &DataManager::remindersRefreshed);
        m_delegate->applicationDidFinishLaunching();
        QVERIFY(refreshed.wait(10000));

        m_other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(m_other));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_other)).data->root;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_other);
        for (auto [keysym, code] : {std::pair{xcb_keysym_t('j'), &m_j}, {'k', &m_k}}) {
            xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
            *code = codes ? codes[0] : 0;
            std::free(codes);
        }
        xcb_key_symbols_free(symbols);
        QVERIFY(m_j && m_k);
    }

    void cleanupTestCase()
    {
        if (m_other)
            xcb_disconnect(m_other);
        m_windows.reset();
        m_delegate.reset();
        m_center.reset();
        m_modes.reset();
        m_manager.reset();
        m_context.reset();
    }

    void editPreferencesOpensOneWindowForTheRun()
    {
        QAction* preferences = nullptr;
        for (QAction* menu : m_delegate->windowController()->menuBar()->actions())
            for (QAction* action : menu->menu()->actions())
                if (action->text() == QStringLiteral("Preferences…"))
                    preferences = action;
        QVERIFY(preferences);
        QVERIFY(preferences->isEnabled());
        QCOMPARE(preferences->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));

        preferences->trigger();
        PreferenceWindowController* window = m_windows->window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The first time, it opens on the main window's centre, not in a corner of the screen.
        const QPoint mainCentre = m_delegate->windowController()->frameGeometry().center();
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
        preferences->trigger();
        QCOMPARE(m_windows->window(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->currentIndex(), int(PreferenceObject::Lists));
    }

    // Where the user leaves the window is where it opens in the next run, brought back onto
    // the screen when that has become smaller than the place.
    void theWindowOpensWhereItWasLeftAndOnScreen()
    {
        QVERIFY(m_windows->openPreferences());
        PreferenceWindowController* window = m_windows->window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->move(70, 90);
        QTRY_COMPARE(window->pos(), QPoint(70, 90));
        window->close();
        QCOMPARE(m_defaults->stringForKey(PrefKey::preferencesFrameString), QString("70,90"));
        {
            PreferenceWindows nextRun(*m_manager, *m_modes, *m_defaults, *m_center, *m_delegate);
            QVERIFY(nextRun.openPreferences());
            QVERIFY(QTest::qWaitForWindowExposed(nextRun.window()));
            QTRY_COMPARE(nextRun.window()->pos(), QPoint(70, 90));
            nextRun.window()->close();
        }

        // A place on a larger screen than this one's 1280 by 800.
        m_defaults->setString("2400,1500", PrefKey::preferencesFrameString);
        PreferenceWindows smaller(*m_manager, *m_modes, *m_defaults, *m_center, *m_delegate);
        QVERIFY(smaller.openPreferences());
        QVERIFY(QTest::qWaitForWindowExposed(smaller.window()));
        const QRect screen = smaller.window()->screen()->availableGeometry();
        QTRY_VERIFY2(
            screen.contains(smaller.window()->frameGeometry()),
            qPrintable(QString("%1,%2").arg(smaller.window()->x()).arg(smaller.window()->y())));
        smaller.window()->close();
    }

    void aShortcutAnotherProgramHoldsIsRefused()
    {
        QVERIFY(m_windows->openPreferences());
        ShortcutRecorder* recorder =
            m_windows->preferenceObject()->generalPage()->keyboardShortcut();
        QCOMPARE(recorder->keyCombo().keyCode(), 96);

        // Another program holds Ctrl+Alt+J.
        xcb_generic_error_t* error = xcb_request_check(
            m_other, xcb_grab_key_checked(m_other, 0, m_root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1,
                                          quint8(m_j), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        QVERIFY(!error);
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
    static constexpr int kCtrlAltFlags = PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask;

    static int registeredKeyCode()
    {
        const auto hotKey = PTHotKeyCenter::sharedCenter().hotKeyWithIdentifier(
            QString::fromLatin1(AppDelegate::kHotKeyIdentifier));
        return hotKey ? hotKey->keyCombo().keyCode() : -1;
    }

    QTemporaryDir m_dir;
    Clock m_clock;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<UserNotificationCenter> m_center;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<PreferenceWindows> m_windows;
    xcb_connection_t* m_other = nullptr;
    xcb_window_t m_root = 0;
    int m_j = 0;
    int m_k = 0;
};

VELMORAN_WIDGET_TEST_MAIN(TestPreferenceWindows)
#include "tst_preferencewindows.moc"

#include "ProductMessages.h"
#include "RunningApp.h"
#include "TestEnvironment.h"

#include "app/EntryWindows.h"
#include "app/PreferenceWindows.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCombo.h"
#include "hotkeys/PortalShortcutSession.h"
#include "platform/UserNotificationCenter.h"
#include "ui/panel/PanelWindowController.h"
#include "ui/prefs/DesktopShortcutNote.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>

namespace {

constexpr int kCtrlAltFlags = PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask;
constexpr int kCtrlShiftFlags = PTKeyCombo::controlKeyMask | PTKeyCombo::shiftKeyMask;

} // namespace

// The application's two global shortcuts in a Plasma Wayland session, bound through the
// GlobalShortcuts portal: pressed by KWin's global-shortcut service they show and hide the main
// window and open the tray panel, and the preferences show what the desktop bound and bind
// again when a shortcut is recorded or cleared. This suite runs on a headless KWin.
class TestWaylandShortcuts : public QObject
{
    Q_OBJECT

    PortalShortcutSession& session() const { return *m_hotKeys->portalSession(); }

    bool press(const QString& id) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.kde.kglobalaccel", "/component/" + session().sessionToken(),
            "org.kde.kglobalaccel.Component", "invokeShortcut");
        call.setArguments({id});
        return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
    }

    bool bound() const { return session().status() == PortalShortcutSession::Status::Bound; }
    WindowController* mainWindow() const { return m_app.window(); }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("wayland"));
        ProductMessages::install();
        QDir().mkpath(m_app.root() + "/home");
        UserDefaults* defaults = m_app.defaults.get();
        defaults->setBool(true, PrefKey::showMenuBar);
        // Ctrl+Alt+R (X key code 27) for the window, Ctrl+Shift+comma (59) for the panel.
        defaults->setObject(QVariantMap{{"keyCode", 27}, {"modifierFlags", kCtrlAltFlags}},
                            PrefKey::shortcut);
        defaults->setObject(QVariantMap{{"keyCode", 59}, {"modifierFlags", kCtrlShiftFlags}},
                            PrefKey::shortcut2);
        m_app.clock.setNow(QDateTime::currentDateTime());
        m_hotKeys = std::make_unique<PTHotKeyCenter>(HotKeyService::createForPlatform());
        QVERIFY2(m_hotKeys->portalSession(), "the shortcuts go through the desktop portal");
        QVERIFY(m_app.build(m_hotKeys.get()));
        m_notifications = std::make_unique<UserNotificationCenter>(m_app.clock);
        m_entry = std::make_unique<EntryWindows>(*m_app.manager, *m_app.modes, *m_app.delegate);
        m_preferences = std::make_unique<PreferenceWindows>(*m_app.manager, *m_app.modes, *defaults,
                                                            *m_notifications, *m_app.delegate);
        QVERIFY(m_app.launch({.preferences = m_preferences.get(),
                              .quickAdd = m_entry.get(),
                              .tray = m_entry.get()}));
        // A missing tray is said once in the log; that is not this suite's subject.
        ProductMessages::recorded().clear();
    }

    void cleanupTestCase()
    {
        m_preferences.reset();
        m_entry.reset();
        m_app.delegate.reset();
        m_hotKeys.reset();
        ProductMessages::uninstall();
    }

    void cleanup()
    {
        QVERIFY2(ProductMessages::recorded().isEmpty(),
                 qPrintable(ProductMessages::recorded().join('\n')));
    }

    void theShortcutsToggleTheWindowAndOpenThePanel()
    {
        // Which keys were bound, the preferences' notes show below.
        QTRY_VERIFY(bound());

        QTRY_VERIFY(mainWindow()->isActiveWindow());
        QVERIFY(press(GlobalShortcuts::kWindowIdentifier));
        QTRY_VERIFY(!mainWindow()->isVisible());
        QVERIFY(press(GlobalShortcuts::kWindowIdentifier));
        QTRY_VERIFY(mainWindow()->isVisible());

        QVERIFY(press(GlobalShortcuts::kPanelIdentifier));
        QTRY_VERIFY(m_entry->panelWindow()->isVisible());
    }

    void thePreferencesShowWhatTheDesktopBoundAndBindAgain()
    {
        QVERIFY(m_preferences->openPreferences());
        GeneralPage* page = m_preferences->preferenceObject()->generalPage();
        DesktopShortcutNote* windowNote = page->keyboardShortcutNote();
        DesktopShortcutNote* panelNote = page->menuBarShortcutNote();
        QVERIFY(windowNote && panelNote);
        QTRY_COMPARE(windowNote->text(), QString("Desktop shortcut: Ctrl+Alt+R"));
        QCOMPARE(panelNote->text(), QString("Desktop shortcut: Ctrl+Shift+,"));
        QVERIFY(!windowNote->isHidden());

        // A new recording: the desktop binds the new keys (the new session is followed in
        // tst_portalshortcuts), and the page shows them.
        page->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Q));
        QVERIFY(page->keyboardShortcut()->message().isEmpty());
        QTRY_COMPARE(windowNote->text(), QString("Desktop shortcut: Ctrl+Alt+Q"));
        QCOMPARE(panelNote->text(), QString("Desktop shortcut: Ctrl+Shift+,"));

        // A cleared shortcut is given back to the desktop and its note goes.
        page->menuBarShortcut()->clear();
        QTRY_VERIFY(bound() &&
                    !session().boundTriggers().contains(GlobalShortcuts::kPanelIdentifier));
        QVERIFY(panelNote->isHidden());
        QCOMPARE(windowNote->text(), QString("Desktop shortcut: Ctrl+Alt+Q"));
    }

    // What the note says when the desktop binds no keys, or refuses the shortcuts.
    void theNotesSayWhatTheDesktopDidNotBind()
    {
        QWidget page; // never shown: the notes are read, not looked at
        PortalShortcutSession unassigned(QDBusConnection::sessionBus(), QStringLiteral("keyless"));
        DesktopShortcutNote keyless(unassigned, QStringLiteral("Velmoran"), &page);
        QVERIFY(keyless.isHidden());
        unassigned.bind({{"Velmoran", "Window", QString()}});
        QCOMPARE(keyless.text(), QString("Asking the desktop for these keys…"));
        QTRY_COMPARE(keyless.text(), QString("Desktop shortcut: not assigned"));

        // The portal refuses a second session under a token in use.
        const QList<PortalShortcut> shortcuts{{"Velmoran", "Window", "CTRL+ALT+F8"}};
        PortalShortcutSession first(QDBusConnection::sessionBus(), QStringLiteral("twin"));
        first.bind(shortcuts);
        QTRY_COMPARE(first.status(), PortalShortcutSession::Status::Bound);
        PortalShortcutSession second(QDBusConnection::sessionBus(), QStringLiteral("twin"));
        DesktopShortcutNote refused(second, QStringLiteral("Velmoran"), &page);
        second.bind(shortcuts);
        QTRY_COMPARE(refused.text(), QString("The desktop could not bind this shortcut."));
        QVERIFY(!refused.isHidden());
        QCOMPARE(ProductMessages::recorded().size(), 1); // the refusal, in the hot-key log
        QVERIFY(ProductMessages::recorded().constFirst().startsWith("The desktop did not bind"));
        ProductMessages::recorded().clear();
    }

private:
    RunningApp m_app;
    std::unique_ptr<UserNotificationCenter> m_notifications;
    std::unique_ptr<PTHotKeyCenter> m_hotKeys;
    std::unique_ptr<EntryWindows> m_entry;
    std::unique_ptr<PreferenceWindows> m_preferences;
};

VELMORAN_WIDGET_TEST_MAIN(TestWaylandShortcuts)
#include "tst_waylandshortcuts.moc"

#include "ProductMessages.h"
#include "TestEnvironment.h"

#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PortalHotKeyService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>

// The global shortcuts through the real GlobalShortcuts portal of a Plasma session: the
// registry binds them, KWin's global-shortcut service presses them (as a user's keys would),
// and a change of keys binds again (a refusal is followed in tst_waylandshortcuts). This
// suite runs on a headless KWin.
class TestPortalShortcuts : public QObject
{
    Q_OBJECT

    static constexpr int ctrlAlt = PTKeyCombo::controlKey | PTKeyCombo::optionKey;
    static constexpr int kKeyR = 27; // X11 key codes of a US evdev keyboard
    static constexpr int kKeyQ = 24;
    static constexpr int kKeyK = 45;

    // Presses a shortcut the way the desktop does when its keys are typed.
    static bool press(const PortalShortcutSession& session, const QString& id)
    {
        return callComponent(session.sessionToken(), QStringLiteral("invokeShortcut"), {id})
                   .type() == QDBusMessage::ReplyMessage;
    }
    // The shortcuts the desktop holds for the session.
    static QStringList desktopShortcutNames(const PortalShortcutSession& session)
    {
        const QDBusMessage reply =
            callComponent(session.sessionToken(), QStringLiteral("shortcutNames"));
        return reply.arguments().value(0).toStringList();
    }
    static bool componentIsActive(const QString& token)
    {
        return callComponent(token, QStringLiteral("isActive")).arguments().value(0).toBool();
    }
    static QDBusMessage callComponent(const QString& token, const QString& method,
                                      const QVariantList& arguments = {})
    {
        // An unsandboxed program has no application id, so the desktop files its shortcuts
        // under the session's token.
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/component/") + token,
            QStringLiteral("org.kde.kglobalaccel.Component"), method);
        call.setArguments(arguments);
        return QDBusConnection::sessionBus().call(call);
    }

    static std::shared_ptr<PTHotKey> hotKey(const char* identifier, int keyCode, int modifiers,
                                            int& presses)
    {
        auto key = std::make_shared<PTHotKey>(QString::fromLatin1(identifier),
                                              PTKeyCombo(keyCode, modifiers));
        key->setAction([&presses](PTHotKey*) { ++presses; });
        return key;
    }

    static bool bound(const PortalShortcutSession& session)
    {
        return session.status() == PortalShortcutSession::Status::Bound;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        ProductMessages::install();
    }

    void init() { ProductMessages::recorded().clear(); }
    void cleanup()
    {
        QVERIFY2(ProductMessages::recorded().isEmpty(),
                 qPrintable(ProductMessages::recorded().join('\n')));
    }

    // Both bound (tst_waylandshortcuts presses them through the application); new keys bind
    // again in a new session, the same keys keep it, and a cleared one is given back.
    void changedKeysAreBoundAgainAndAClearedShortcutIsGivenBack()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        PortalShortcutSession* session = center.portalSession();
        QVERIFY2(session, "on Wayland with the portal, hot keys go through it");
        QVERIFY(center.service().deliversEvents());
        int windowPresses = 0;
        int panelPresses = 0;
        auto window = hotKey("Velmoran", kKeyR, ctrlAlt, windowPresses);
        auto panel = hotKey("Velmoran2", kKeyK, PTKeyCombo::cmdKey, panelPresses);
        QVERIFY(center.registerHotKey(window));
        QVERIFY(center.registerHotKey(panel));
        QTRY_VERIFY(bound(*session));
        QCOMPARE(session->boundTriggers(),
                 (QMap<QString, QString>{{"Velmoran", "Ctrl+Alt+R"}, {"Velmoran2", "Meta+K"}}));
        QCOMPARE(desktopShortcutNames(*session).size(), 2);
        QVERIFY(press(*session, "Velmoran2"));
        QTRY_COMPARE(panelPresses, 1);
        const QString firstToken = session->sessionToken();

        // The preferences record new keys and register the hot key again.
        window->setKeyCombo(PTKeyCombo(kKeyQ, ctrlAlt));
        QVERIFY(center.registerHotKey(window));
        QTRY_VERIFY(bound(*session) && session->sessionToken() != firstToken);
        QCOMPARE(session->boundTriggers(),
                 (QMap<QString, QString>{{"Velmoran", "Ctrl+Alt+Q"}, {"Velmoran2", "Meta+K"}}));
        QTRY_VERIFY(!componentIsActive(firstToken)); // the old session was closed
        QVERIFY(press(*session, "Velmoran"));
        QTRY_COMPARE(windowPresses, 1);

        // Registering the same keys again (as after every recording) keeps the session.
        const QString boundToken = session->sessionToken();
        QVERIFY(center.registerHotKey(panel));
        // The binding waits for the event loop's next turn; a new one would start then.
        QCoreApplication::processEvents();
        QCOMPARE(session->sessionToken(), boundToken);
        QCOMPARE(session->status(), PortalShortcutSession::Status::Bound);

        // A cleared shortcut is no longer held by the desktop.
        center.unregisterHotKey(panel);
        QTRY_VERIFY(bound(*session) && session->sessionToken() != boundToken);
        QCOMPARE(session->boundTriggers(), (QMap<QString, QString>{{"Velmoran", "Ctrl+Alt+Q"}}));
        QCOMPARE(desktopShortcutNames(*session), QStringList({"Velmoran"}));
        QVERIFY(press(*session, "Velmoran"));
        QTRY_COMPARE(windowPresses, 2);

        // With none left the session is closed.
        center.unregisterHotKey(window);
        QTRY_COMPARE(session->status(), PortalShortcutSession::Status::Closed);
        QVERIFY(session->sessionHandle().isEmpty());
    }

    // Keys asked for in a burst (the preferences register both shortcuts on start-up and
    // again after a recording) end in one session holding the last keys asked for.
    void aRebindEndsWithTheLastKeysAndTheDesktopsChangesAreFollowed()
    {
        PortalShortcutSession session(QDBusConnection::sessionBus());
        session.bind(
            {{"Velmoran", "Window", "CTRL+ALT+F10"}, {"Velmoran2", "Panel", "CTRL+ALT+F11"}});
        QCOMPARE(session.status(), PortalShortcutSession::Status::Binding);
        const QString firstToken = session.sessionToken();
        // The session being created must not keep the keys the next one asks for again.
        session.bind(
            {{"Velmoran", "Window", "CTRL+ALT+F10"}, {"Velmoran2", "Panel", "CTRL+ALT+F9"}});
        QTRY_VERIFY(bound(session));
        QCOMPARE(session.boundTriggers(), (QMap<QString, QString>{{"Velmoran", "Ctrl+Alt+F10"},
                                                                  {"Velmoran2", "Ctrl+Alt+F9"}}));
        QStringList names = desktopShortcutNames(session);
        names.sort();
        QCOMPARE(names, QStringList({"Velmoran", "Velmoran2"}));
        // The first session was closed, not left holding its keys.
        QTRY_VERIFY(!componentIsActive(firstToken));
        QVERIFY(componentIsActive(session.sessionToken()));

        // The user gives a shortcut other keys in the desktop's settings: the session learns
        // them from the portal's ShortcutsChanged signal. What System Settings does: set the
        // keys of another program's shortcut.
        QDBusMessage set = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
            QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("setForeignShortcut"));
        const QStringList action{session.sessionToken(), "Velmoran", session.sessionToken(),
                                 "Window"};
        set.setArguments({action, QVariant::fromValue(
                                      QList<int>{(Qt::CTRL | Qt::ALT | Qt::Key_W).toCombined()})});
        const QDBusMessage reply = QDBusConnection::sessionBus().call(set);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
        QTRY_COMPARE(session.boundTriggers().value("Velmoran"), QString("Ctrl+Alt+W"));
    }

    // A portal that takes a request and never answers (here: one that chokes on a session
    // token it should have refused) does not leave the shortcuts waiting for good.
    void anUnansweredRequestFails()
    {
        PortalShortcutSession session(QDBusConnection::sessionBus(), QStringLiteral("no token"));
        session.setAnswerTimeout(1000);
        session.bind({{"Velmoran", "Window", "CTRL+ALT+r"}});
        QCOMPARE(session.status(), PortalShortcutSession::Status::Binding);
        QTRY_COMPARE(session.status(), PortalShortcutSession::Status::Failed);
        QCOMPARE(session.failure(), QString("the desktop did not answer"));
        QCOMPARE(ProductMessages::recorded().size(), 1);
        ProductMessages::recorded().clear();
    }
};

VELMORAN_TEST_MAIN(TestPortalShortcuts)
#include "tst_portalshortcuts.moc"

#include "TestEnvironment.h"

#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCodeTranslator.h"

#include <QGuiApplication>
#include <QThread>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>

// This suite runs under xvfb-run.
//
// Real key presses on a real X server: a second X client, standing in for the user's
// keyboard and for other programs, types through the XTEST extension and holds key grabs of
// its own.
class TestHotKeysX11 : public QObject
{
    Q_OBJECT

    static constexpr int ctrlAlt = PTKeyCombo::controlKey | PTKeyCombo::optionKey;

    // The other client's connection.
    xcb_connection_t* m_other = nullptr;
    xcb_window_t m_root = 0;
    int m_control = 0, m_alt = 0, m_shift = 0, m_numLock = 0, m_capsLock = 0, m_k = 0, m_j = 0;

    int keyCode(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const int code = codes ? codes[0] : 0;
        std::free(codes);
        return code;
    }

    // Waits until the server has dealt with everything sent so far.
    void sync()
    {
        std::free(xcb_get_input_focus_reply(m_other, xcb_get_input_focus(m_other), nullptr));
    }

    // Events a millisecond or more apart, as typing is: a release and a press with the same
    // time stamp are how the server repeats a held key.
    void fake(quint8 type, int key)
    {
        xcb_test_fake_input(m_other, type, quint8(key), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
        QThread::msleep(2);
    }

    void tap(int key)
    {
        fake(XCB_KEY_PRESS, key);
        fake(XCB_KEY_RELEASE, key);
    }

    // Holds the modifiers, taps the key and lets go, as a person types a shortcut.
    void type(QList<int> modifiers, int key)
    {
        for (int modifier : modifiers)
            fake(XCB_KEY_PRESS, modifier);
        tap(key);
        for (int modifier : modifiers)
            fake(XCB_KEY_RELEASE, modifier);
    }

    // The count stays as it is while the application has time to see any event it would act
    // on; fails at once when it moves.
    static bool staysAt(const int& count, int expected)
    {
        return !QTest::qWaitFor([&] { return count != expected; }, 150) && count == expected;
    }

    bool otherClientGrabs(int key, quint16 modifiers)
    {
        xcb_generic_error_t* error = xcb_request_check(
            m_other, xcb_grab_key_checked(m_other, 0, m_root, modifiers, quint8(key),
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }

    void otherClientUngrabsEverything()
    {
        xcb_ungrab_key(m_other, XCB_GRAB_ANY, m_root, XCB_MOD_MASK_ANY);
        sync();
    }

    std::shared_ptr<PTHotKey> counting(int key, int& count)
    {
        auto hotKey = std::make_shared<PTHotKey>(QString("Velmoran"), PTKeyCombo(key, ctrlAlt));
        hotKey->setAction([&count](PTHotKey*) {
            QVERIFY(QThread::currentThread() == qApp->thread());
            ++count;
        });
        return hotKey;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        m_other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(m_other));
        const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(m_other, &xcb_test_id);
        QVERIFY2(xtest && xtest->present, "the X server has no XTEST extension");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_other)).data->root;

        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_other);
        m_control = keyCode(symbols, 0xFFE3);
        m_alt = keyCode(symbols, 0xFFE9);
        m_shift = keyCode(symbols, 0xFFE1);
        m_numLock = keyCode(symbols, 0xFF7F);
        m_capsLock = keyCode(symbols, 0xFFE5);
        m_k = keyCode(symbols, 'k');
        m_j = keyCode(symbols, 'j');
        xcb_key_symbols_free(symbols);
        QVERIFY(m_control && m_alt && m_shift && m_numLock && m_capsLock && m_k && m_j);
    }

    void cleanup() { otherClientUngrabsEverything(); }

    void cleanupTestCase() { xcb_disconnect(m_other); }

    void theSessionLayoutTranslatesKeyCodes()
    {
        const PTKeyCodeTranslator session;
        QVERIFY(session.usesWindowSystemLayout());
        QCOMPARE(session.keyCodeForKeysym('k'), m_k);
        const PTKeyCombo recorded = PTKeyCombo::fromKeySequence(QKeySequence("Ctrl+Alt+K"));
        QCOMPARE(recorded, PTKeyCombo(m_k, ctrlAlt));
        QCOMPARE(recorded.keySequence(), QKeySequence("Ctrl+Alt+K"));
    }

    void aPressFiresOnceWhateverTheLockKeys()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        QVERIFY(center.service().deliversEvents());
        int count = 0;
        auto hotKey = counting(m_k, count);
        QVERIFY(center.registerHotKey(hotKey));

        fake(XCB_KEY_PRESS, m_control);
        fake(XCB_KEY_PRESS, m_alt);
        fake(XCB_KEY_PRESS, m_k);
        QTRY_COMPARE(count, 1);
        // The release (here with the modifiers let go first) does nothing.
        fake(XCB_KEY_RELEASE, m_alt);
        fake(XCB_KEY_RELEASE, m_control);
        fake(XCB_KEY_RELEASE, m_k);
        QVERIFY(staysAt(count, 1));

        // Num Lock on, Caps Lock on as well, then Num Lock off again.
        for (const int lock : {m_numLock, m_capsLock, m_numLock}) {
            tap(lock);
            const int before = count;
            type({m_control, m_alt}, m_k);
            QTRY_COMPARE(count, before + 1);
        }
        tap(m_capsLock);

        // Other combinations of the same key are not this hot key.
        type({m_control}, m_k);
        type({m_control, m_alt, m_shift}, m_k);
        type({m_control, m_alt}, m_j);
        QVERIFY(staysAt(count, 4));
    }

    void holdingTheKeyDoesNotRepeatTheAction()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        int count = 0;
        QVERIFY(center.registerHotKey(counting(m_k, count)));
        fake(XCB_KEY_PRESS, m_control);
        fake(XCB_KEY_PRESS, m_alt);
        fake(XCB_KEY_PRESS, m_k);
        // Held longer than the server's auto-repeat delay: no second action comes meanwhile.
        QVERIFY(!QTest::qWaitFor([&] { return count > 1; }, 1200));
        fake(XCB_KEY_RELEASE, m_k);
        fake(XCB_KEY_RELEASE, m_alt);
        fake(XCB_KEY_RELEASE, m_control);
        QVERIFY(staysAt(count, 1));
    }

    void unregisteringGivesTheKeyBack()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        int count = 0;
        auto hotKey = counting(m_k, count);
        QVERIFY(center.registerHotKey(hotKey));
        // While grabbed, no other client gets any lock variant of the combination.
        const quint16 mask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        QVERIFY(!otherClientGrabs(m_k, mask | XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK));

        center.unregisterHotKey(hotKey);
        type({m_control, m_alt}, m_k);
        QVERIFY(staysAt(count, 0));
        const quint16 locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                 XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
        for (quint16 lock : locks)
            QVERIFY(otherClientGrabs(m_k, mask | lock));
    }

    void aCombinationHeldByAnotherProgramIsRefused()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        const quint16 mask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        // The other program holds only the Num Lock variant: the plain grab succeeds first.
        QVERIFY(otherClientGrabs(m_j, mask | XCB_MOD_MASK_2));
        int count = 0;
        auto hotKey = counting(m_j, count);
        QVERIFY(!center.registerHotKey(hotKey));
        QCOMPARE(hotKey->hotKeyNumber(), 0u);
        QCOMPARE(center.hotKeyCount(), 1u);
        QVERIFY(center.allHotKeys().isEmpty());
        // Nothing of the refused registration stays grabbed.
        QVERIFY(otherClientGrabs(m_j, mask));
        QVERIFY(otherClientGrabs(m_j, mask | XCB_MOD_MASK_LOCK));

        otherClientUngrabsEverything();
        QVERIFY(center.registerHotKey(hotKey));
        QCOMPARE(hotKey->hotKeyNumber(), 2u);
        type({m_control, m_alt}, m_j);
        QTRY_COMPARE(count, 1);
    }

    void oneCombinationServesOneHotKey()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        int first = 0, second = 0;
        auto firstKey = counting(m_k, first);
        auto secondKey = counting(m_k, second);
        QVERIFY(center.registerHotKey(firstKey));
        QVERIFY(!center.registerHotKey(secondKey));
        // The refusal did not disturb the first registration.
        type({m_control, m_alt}, m_k);
        QTRY_COMPARE(first, 1);
        QCOMPARE(second, 0);
    }

    void destroyingTheCenterUngrabs()
    {
        int count = 0;
        {
            PTHotKeyCenter center(HotKeyService::createForPlatform());
            QVERIFY(center.registerHotKey(counting(m_k, count)));
        }
        QVERIFY(otherClientGrabs(m_k, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    }
};

VELMORAN_TEST_MAIN(TestHotKeysX11)
#include "tst_hotkeys_x11.moc"

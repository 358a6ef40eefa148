#include "TestEnvironment.h"
#include "XTestClient.h"

#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCodeTranslator.h"

#include <QGuiApplication>

// This suite runs under xvfb-run.
//
// Real key presses on a real X server: a second X client, standing in for the user's
// keyboard and for other programs, types through the XTEST extension and holds key grabs of
// its own.
class TestHotKeysX11 : public QObject
{
    Q_OBJECT

    static constexpr int ctrlAlt = PTKeyCombo::controlKey | PTKeyCombo::optionKey;

    XTestClient m_other;
    int m_control = 0, m_alt = 0, m_shift = 0, m_numLock = 0, m_capsLock = 0, m_k = 0, m_j = 0;

    // Presses (or lets go of) the keys in their order, as they are held down for a shortcut.
    void press(const QList<int>& keys, quint8 type = XCB_KEY_PRESS)
    {
        for (int key : keys)
            m_other.fake(type, key);
    }

    // Holds the modifiers, taps the key and lets go, as a person types a shortcut.
    void type(const QList<int>& modifiers, int key)
    {
        press(modifiers);
        m_other.tap(key);
        press(modifiers, XCB_KEY_RELEASE);
    }

    // The count stays as it is while the application has time to see any event it would act
    // on; fails at once when it moves.
    static bool staysAt(const int& count, int expected)
    {
        return !QTest::qWaitFor([&] { return count != expected; }, 150) && count == expected;
    }

    void otherClientUngrabsEverything()
    {
        xcb_ungrab_key(m_other.connection(), XCB_GRAB_ANY, m_other.root(), XCB_MOD_MASK_ANY);
        m_other.sync();
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
        QVERIFY(m_other.isConnected());
        const xcb_query_extension_reply_t* xtest =
            xcb_get_extension_data(m_other.connection(), &xcb_test_id);
        QVERIFY2(xtest && xtest->present, "the X server has no XTEST extension");
        m_control = m_other.keyCode(0xFFE3);
        m_alt = m_other.keyCode(0xFFE9);
        m_shift = m_other.keyCode(0xFFE1);
        m_numLock = m_other.keyCode(0xFF7F);
        m_capsLock = m_other.keyCode(0xFFE5);
        m_k = m_other.keyCode('k');
        m_j = m_other.keyCode('j');
        QVERIFY(m_control && m_alt && m_shift && m_numLock && m_capsLock && m_k && m_j);
    }

    void cleanup() { otherClientUngrabsEverything(); }

    void keysOfTheSessionLayoutFireOnceWhateverTheLockKeysAndHowLongHeld()
    {
        const PTKeyCodeTranslator session;
        QVERIFY(session.usesWindowSystemLayout());
        QCOMPARE(session.keyCodeForKeysym('k'), m_k);
        const PTKeyCombo recorded = PTKeyCombo::fromKeySequence(QKeySequence("Ctrl+Alt+K"));
        QCOMPARE(recorded, PTKeyCombo(m_k, ctrlAlt));
        QCOMPARE(recorded.keySequence(), QKeySequence("Ctrl+Alt+K"));

        PTHotKeyCenter center(HotKeyService::createForPlatform());
        QVERIFY(center.service().deliversEvents());
        int count = 0;
        QVERIFY(center.registerHotKey(counting(m_k, count)));

        press({m_control, m_alt, m_k});
        QTRY_COMPARE(count, 1);
        // Held longer than the server's auto-repeat delay: no second action comes meanwhile.
        QVERIFY(!QTest::qWaitFor([&] { return count > 1; }, 1200));
        // The release (here with the modifiers let go first) does nothing.
        press({m_alt, m_control, m_k}, XCB_KEY_RELEASE);
        QVERIFY(staysAt(count, 1));

        // Num Lock on, Caps Lock on as well, then Num Lock off again.
        for (const int lock : {m_numLock, m_capsLock, m_numLock}) {
            m_other.tap(lock);
            const int before = count;
            type({m_control, m_alt}, m_k);
            QTRY_COMPARE(count, before + 1);
        }
        m_other.tap(m_capsLock);

        // Other combinations of the same key are not this hot key.
        type({m_control}, m_k);
        type({m_control, m_alt, m_shift}, m_k);
        type({m_control, m_alt}, m_j);
        QVERIFY(staysAt(count, 4));
    }

    void unregisteringGivesTheKeyBack()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        int count = 0;
        auto hotKey = counting(m_k, count);
        QVERIFY(center.registerHotKey(hotKey));
        // While grabbed, no other client gets any lock variant of the combination.
        const quint16 mask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        QVERIFY(!m_other.grab(m_k, mask | XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK));

        center.unregisterHotKey(hotKey);
        type({m_control, m_alt}, m_k);
        QVERIFY(staysAt(count, 0));
        const quint16 locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                 XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
        for (quint16 lock : locks)
            QVERIFY(m_other.grab(m_k, mask | lock));
    }

    void aCombinationHeldByAnotherProgramIsRefused()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        const quint16 mask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        // The other program holds only the Num Lock variant: the plain grab succeeds first.
        QVERIFY(m_other.grab(m_j, mask | XCB_MOD_MASK_2));
        int count = 0;
        auto hotKey = counting(m_j, count);
        QVERIFY(!center.registerHotKey(hotKey));
        QCOMPARE(hotKey->hotKeyNumber(), 0u);
        QCOMPARE(center.hotKeyCount(), 1u);
        QVERIFY(center.allHotKeys().isEmpty());
        // Nothing of the refused registration stays grabbed.
        QVERIFY(m_other.grab(m_j, mask));
        QVERIFY(m_other.grab(m_j, mask | XCB_MOD_MASK_LOCK));

        otherClientUngrabsEverything();
        QVERIFY(center.registerHotKey(hotKey));
        QCOMPARE(hotKey->hotKeyNumber(), 2u);
        type({m_control, m_alt}, m_j);
        QTRY_COMPARE(count, 1);
    }

    // A second hot key of the same combination is refused without disturbing the first, and
    // the registry gives the key back when it goes.
    void oneCombinationServesOneHotKeyTillTheCenterGoes()
    {
        int first = 0, second = 0;
        {
            PTHotKeyCenter center(HotKeyService::createForPlatform());
            QVERIFY(center.registerHotKey(counting(m_k, first)));
            QVERIFY(!center.registerHotKey(counting(m_k, second)));
            type({m_control, m_alt}, m_k);
            QTRY_COMPARE(first, 1);
            QCOMPARE(second, 0);
        }
        QVERIFY(m_other.grab(m_k, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    }
};

VELMORAN_TEST_MAIN(TestHotKeysX11)
#include "tst_hotkeys_x11.moc"

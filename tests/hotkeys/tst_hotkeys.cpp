// runs inside dbus-run-session: GNOME's custom keyboard shortcuts are written through
// GSettings to a real dconf service on the suite's own bus and read back with the dconf tool.
#include "TestEnvironment.h"

#include "hotkeys/DesktopKeyBindings.h"
#include "hotkeys/DesktopShortcutSupport.h"
#include "hotkeys/GnomeCustomKeybindings.h"
#include "hotkeys/KeySymbols.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCodeTranslator.h"
#include "hotkeys/PortalTrigger.h"
#include "platform/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kBase = QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/");
const QString kForeign = kBase + QStringLiteral("custom-keybindings/custom0/");
const QString kToggle = kBase + QStringLiteral("custom-keybindings/velmoran-toggle-window/");
const QString kPanel = kBase + QStringLiteral("custom-keybindings/velmoran-show-panel/");
constexpr int kCtrlAlt = PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask;

QString dconf(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("dconf"), arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QStringLiteral("dconf %1 failed: %2")
            .arg(arguments.join(' '), QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString read(const QString& key)
{
    return dconf({QStringLiteral("read"), key});
}

QString list()
{
    return read(kBase + QStringLiteral("custom-keybindings"));
}

QString quotedList(const QStringList& paths)
{
    return "['" + paths.join("', '") + "']";
}

} // namespace

// Key combinations, their conversions, what desktops are given to bind (GNOME's through its
// real settings service) and the registry's bookkeeping. On the offscreen platform the
// registry runs over the service of platforms without global hot keys; the X11 suite presses
// real keys.
class TestHotKeys : public QObject
{
    Q_OBJECT

    static constexpr int kKeyK = 45; // X11 key codes of a US evdev keyboard
    static constexpr int kKeyJ = 44;
    static constexpr int ctrlAlt = PTKeyCombo::controlKey | PTKeyCombo::optionKey;

    static std::shared_ptr<PTHotKey> hotKey(const char* identifier, int keyCode, int modifiers)
    {
        return std::make_shared<PTHotKey>(QString::fromLatin1(identifier),
                                          PTKeyCombo(keyCode, modifiers));
    }

private Q_SLOTS:
    // The dconf service is started by the bus when first asked, with the bus's environment:
    // it is told the suite's private folders first, so no write reaches the user's settings.
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("GSETTINGS_BACKEND", "dconf");
        QMap<QString, QString> environment;
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        qDBusRegisterMetaType<QMap<QString, QString>>();
        QDBusMessage update =
            QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus", "UpdateActivationEnvironment");
        update << QVariant::fromValue(environment);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(update);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
        QVERIFY2(GnomeCustomKeybindings::isAvailable(),
                 "gnome-settings-daemon-common's schemas are not installed");

        // Someone's own shortcut, already there.
        for (const auto& [key, value] :
             {std::pair{kBase + "custom-keybindings", quotedList({kForeign})},
              {kForeign + "name", "'Terminal'"},
              {kForeign + "command", "'foot'"},
              {kForeign + "binding", "'<Super>t'"}})
            QCOMPARE(dconf({"write", key, value}), QString());
        QVERIFY(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/dconf/user"));
    }

    // Each modifier in the hot key's bits, the recorder's event flags, X11's mask and Qt's.
    void modifiersShortcutRecordsAndKeySymbols()
    {
        for (const auto& [hotKeyBits, eventFlags, x11Mask, qtModifiers] :
             {std::tuple{0x100, 0x100000, 0x40, int(Qt::MetaModifier)},
              {0x800, 0x80000, 0x08, int(Qt::AltModifier)},
              {0x1000, 0x40000, 0x04, int(Qt::ControlModifier)},
              {0x200, 0x20000, 0x01, int(Qt::ShiftModifier)}}) {
            const PTKeyCombo combo(kKeyK, hotKeyBits);
            QCOMPARE(combo.modifierMask(), eventFlags);
            QCOMPARE(recorderFlagsToHotKeyFlags(eventFlags), hotKeyBits);
            QCOMPARE(int(combo.x11ModifierMask()), x11Mask);
            QCOMPARE(int(combo.qtModifiers()), qtModifiers);
            QCOMPARE(PTKeyCombo::modifiersFromQt(Qt::KeyboardModifiers(qtModifiers)), hotKeyBits);
        }

        // Caps Lock (0x10000) and the function-key flag (0x800000) are no shortcut modifiers.
        QCOMPARE(recorderFlagsToHotKeyFlags(0x40000 | 0x10000 | 0x800000),
                 int(PTKeyCombo::controlKey));
        const QVariantMap stored{{"keyCode", kKeyK}, {"modifierFlags", 0x40000 | 0x80000}};
        const PTKeyCombo combo = PTKeyCombo::fromShortcutRecord(stored);
        QCOMPARE(combo, PTKeyCombo(kKeyK, ctrlAlt));
        QCOMPARE(combo.shortcutRecord(), stored);

        // Never recorded: key code 0 and no modifiers, which is not a hot key; key code 0 is a
        // key, and a hot key with a modifier.
        const PTKeyCombo absent = PTKeyCombo::fromShortcutRecord(QVariant());
        QCOMPARE(absent, PTKeyCombo(0, 0));
        QVERIFY(!absent.isValidHotKeyCombo());
        QVERIFY(PTKeyCombo(0, PTKeyCombo::cmdKey).isValidHotKeyCombo());

        for (const auto& [keysym, qtKey] : {std::pair{uint('k'), int(Qt::Key_K)},
                                            {0xE4u, int(Qt::Key_Adiaeresis)},
                                            {0x0100043Au, 0x041A},
                                            {0xFE20u, int(Qt::Key_Backtab)}}) {
            QCOMPARE(KeySymbols::qtKeyForKeysym(keysym), qtKey);
            QCOMPARE(KeySymbols::keysymForQtKey(qtKey), keysym);
        }
        // Characters beyond ASCII by code point, which xkb reads as the same symbol.
        QCOMPARE(KeySymbols::xkbName(0xE4), QString("U00E4"));
        QCOMPARE(KeySymbols::xkbName(0x0100043A), QString("U043A"));
        QCOMPARE(KeySymbols::xkbName(0xFE03), QString()); // ISO_Level3_Shift: no shortcut key
    }

    void keySequences_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ctrl+alt+k") << "Ctrl+Alt+K" << kKeyK << ctrlAlt << "Ctrl+Alt+K";
        QTest::newRow("meta+shift+F5") << "Meta+Shift+F5" << 71 << 0x300 << "Meta+Shift+F5";
        // Shift+1 reaches the recorder as "!": the key code is the 1 key's.
        QTest::newRow("shifted symbol") << "Ctrl+Shift+!" << 10 << 0x1200 << "Ctrl+Shift+1";
        QTest::newRow("shift+tab") << "Ctrl+Shift+Backtab" << 23 << 0x1200 << "Ctrl+Shift+Tab";
        QTest::newRow("first key only") << "Ctrl+J, Ctrl+K" << kKeyJ << 0x1000 << "Ctrl+J";
        QTest::newRow("not on the layout") << "Ctrl+Alt+\u00E9" << -1 << -1 << "";
        QTest::newRow("media key") << "Ctrl+Volume Down" << -1 << -1 << "";
        QTest::newRow("empty") << "" << -1 << -1 << "";
    }
    void keySequences()
    {
        QFETCH(QString, recorded);
        QFETCH(int, keyCode);
        QFETCH(int, modifiers);
        const PTKeyCodeTranslator us = PTKeyCodeTranslator::usLayout();
        const PTKeyCombo combo =
            PTKeyCombo::fromKeySequence(QKeySequence(recorded, QKeySequence::PortableText), us);
        QCOMPARE(combo, PTKeyCombo(keyCode, modifiers));
        QTEST(combo.keySequence(us).toString(QKeySequence::PortableText), "shown");
    }

    // The preferred triggers the GlobalShortcuts portal is asked for: modifiers in the
    // portal's order and words, then the keysym name of the unshifted key.
    void portalTriggers_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("qtModifiers");
        QTest::addColumn<int>("keyCode"); // the same key on the US layout; -1: none
        QTest::addColumn<QString>("trigger");
        const int ctrl = Qt::ControlModifier;
        const int alt = Qt::AltModifier;
        const int shift = Qt::ShiftModifier;
        const int meta = Qt::MetaModifier;
        QTest::newRow("letter") << int(Qt::Key_R) << (ctrl | alt) << 27 << "CTRL+ALT+r";
        QTest::newRow("F-key") << int(Qt::Key_F5) << meta << 71 << "LOGO+F5";
        QTest::newRow("comma") << int(Qt::Key_Comma) << (ctrl | shift) << 59 << "CTRL+SHIFT+comma";
        QTest::newRow("every modifier, in the portal's order")
            << int(Qt::Key_K) << (meta | shift | alt | ctrl) << 45 << "CTRL+ALT+SHIFT+LOGO+k";
        // A shifted symbol is the key it is on, as the stored combination keeps it.
        QTest::newRow("shifted symbol")
            << int(Qt::Key_Exclam) << (ctrl | shift) << -1 << "CTRL+SHIFT+exclam";
        QTest::newRow("character beyond Latin-1") << 0x20AC << ctrl << -1 << "CTRL+U20AC";
        QTest::newRow("no keysym") << int(Qt::Key_VolumeUp) << ctrl << -1 << "";
    }
    void portalTriggers()
    {
        QFETCH(int, qtKey);
        QFETCH(int, qtModifiers);
        QFETCH(int, keyCode);
        QFETCH(QString, trigger);
        const auto modifiers = Qt::KeyboardModifiers::fromInt(qtModifiers);
        QCOMPARE(PortalTrigger::fromQtKey(qtKey, modifiers), trigger);
        if (keyCode < 0)
            return;
        const PTKeyCombo combo(keyCode, PTKeyCombo::modifiersFromQt(modifiers));
        QCOMPARE(PortalTrigger::fromKeyCombo(combo, PTKeyCodeTranslator::usLayout()), trigger);
    }

    // What a Wayland desktop is given to bind: GNOME's accelerator and the configuration
    // lines of sway, Hyprland and river, named by the key's xkb symbol.
    void desktopBindingsAndCommands()
    {
        const PTKeyCodeTranslator us = PTKeyCodeTranslator::usLayout();
        const QString command = QStringLiteral("velmoran --x");
        for (const auto& [combo, gnome, sway, hyprland, river] :
             {std::tuple{PTKeyCombo(71, PTKeyCombo::cmdKey | PTKeyCombo::shiftKey),
                         "<Super><Shift>F5", "bindsym Mod4+Shift+F5 exec velmoran --x",
                         "bind = SUPER SHIFT, F5, exec, velmoran --x",
                         "riverctl map normal Super+Shift F5 spawn 'velmoran --x'"},
              {PTKeyCombo(117, 0x1B00), "<Super><Control><Alt><Shift>Next",
               "bindsym Mod4+Ctrl+Alt+Shift+Next exec velmoran --x",
               "bind = SUPER CTRL ALT SHIFT, Next, exec, velmoran --x",
               "riverctl map normal Super+Control+Alt+Shift Next spawn 'velmoran --x'"}}) {
            QCOMPARE(DesktopKeyBindings::gnomeBinding(combo, us), QString(gnome));
            QCOMPARE(DesktopKeyBindings::swayLine(combo, us, command), QString(sway));
            QCOMPARE(DesktopKeyBindings::hyprlandLine(combo, us, command), QString(hyprland));
            QCOMPARE(DesktopKeyBindings::riverLine(combo, us, command), QString(river));
        }
        // No modifier, no key, or a key without a symbol: nothing to bind, on any desktop.
        for (const PTKeyCombo& none :
             {PTKeyCombo(kKeyK, 0), PTKeyCombo(-1, -1), PTKeyCombo(200, ctrlAlt)}) {
            QVERIFY(DesktopKeyBindings::gnomeBinding(none, us).isEmpty() &&
                    DesktopKeyBindings::swayLine(none, us, command).isEmpty() &&
                    DesktopKeyBindings::riverLine(none, us, command).isEmpty());
            QVERIFY(PortalTrigger::fromKeyCombo(none, us).isEmpty());
        }

        // The command: found on PATH, the name; otherwise the running binary, quoted for the
        // shell.
        using namespace DesktopKeyBindings;
        QCOMPARE(program("/usr/bin/velmoran", "/home/a/build/velmoran"), QString("velmoran"));
        QCOMPARE(program("", "/home/a/build/velmoran"), QString("/home/a/build/velmoran"));
        QCOMPARE(program("", "/home/a/build/tools/screenshots"), QString("velmoran"));
        QCOMPARE(DesktopKeyBindings::command("/home/a/my build/velmoran", "--show-panel"),
                 QString("'/home/a/my build/velmoran' --show-panel"));
        QCOMPARE(shellQuoted("/tmp/it's"), QString("'/tmp/it'\\''s'"));
    }

    // Adding writes both entries after the foreign one; adding again with other keys updates
    // them in place, a shortcut that is off is taken out, and removing leaves only the
    // foreign entry, which is never touched.
    void addUpdateAndRemoveKeepOthersEntries()
    {
        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath("preferences.json"));
        defaults.setObject(QVariantMap{{"keyCode", 27}, {"modifierFlags", kCtrlAlt}}, "shortcut");
        defaults.setObject(QVariantMap{{"keyCode", 33}, {"modifierFlags", kCtrlAlt}}, "shortcut2");
        const PTKeyCodeTranslator us = PTKeyCodeTranslator::usLayout();
        const QString program = "/opt/vel moran/velmoran";
        GnomeCustomKeybindings gnome;

        const auto bindings = DesktopKeyBindings::gnomeBindings(defaults, us, program);
        QVERIFY(gnome.apply(bindings));
        QCOMPARE(list(), quotedList({kForeign, kToggle, kPanel}));
        QCOMPARE(read(kToggle + "binding"), QString("'<Control><Alt>r'"));
        QCOMPARE(read(kToggle + "command"),
                 QString("\"'/opt/vel moran/velmoran' --toggle-window\""));
        QCOMPARE(read(kPanel + "binding"), QString("'<Control><Alt>p'"));
        QCOMPARE(gnome.installed(), bindings);

        // Other keys, the panel's shortcut off.
        defaults.setObject(QVariantMap{{"keyCode", 71}, {"modifierFlags", 0x100000}}, "shortcut");
        defaults.setObject(QVariantMap{{"keyCode", 0}, {"modifierFlags", 0}}, "shortcut2");
        const auto changed = DesktopKeyBindings::gnomeBindings(defaults, us, "velmoran");
        QCOMPARE(changed.size(), 1);
        QVERIFY(gnome.apply(changed) && gnome.apply(changed));
        QCOMPARE(list(), quotedList({kForeign, kToggle}));
        QCOMPARE(read(kToggle + "binding"), QString("'<Super>F5'"));
        QCOMPARE(read(kToggle + "command"), QString("'velmoran --toggle-window'"));
        QVERIFY(!dconf({"list", kBase + "custom-keybindings/"}).contains("velmoran-show-panel"));
        QCOMPARE(gnome.installed(), changed);

        QVERIFY(gnome.remove());
        QCOMPARE(list(), quotedList({kForeign}));
        QCOMPARE(dconf({"list", kBase + "custom-keybindings/"}), QString("custom0/"));
        QVERIFY(gnome.installed().isEmpty());
        QCOMPARE(read(kForeign + "binding"), QString("'<Super>t'"));

        // An entry of ours listed twice (written by hand, or by two programs at once) is listed
        // once after the next add.
        QCOMPARE(dconf({"write", kBase + "custom-keybindings",
                        quotedList({kToggle, kForeign, kToggle})}),
                 QString());
        QVERIFY(gnome.apply(changed));
        QCOMPARE(list(), quotedList({kToggle, kForeign}));
        QVERIFY(gnome.remove());
        QCOMPARE(list(), quotedList({kForeign}));
    }

    // Which help the preferences give, from plain facts of the session.
    void desktopHelp_data()
    {
        using Help = DesktopShortcutSupport::ShortcutHelp;
        using Tray = DesktopShortcutSupport::TrayHelp;
        using DesktopKeyBindings::Compositor;
        QTest::addColumn<DesktopSession>("session"); // Wayland, desktop, portal, schemas, tray
        QTest::addColumn<bool>("trayIconOn");
        QTest::addColumn<Help>("help");
        QTest::addColumn<Tray>("trayHelp");
        QTest::addColumn<Compositor>("compositor");
        const auto row = [](const char* name, const DesktopSession& session, Help help,
                            Tray tray = Tray::None, Compositor compositor = Compositor::Sway,
                            bool trayIconOn = true) {
            QTest::newRow(name) << session << trayIconOn << help << tray << compositor;
        };
        row("X11 needs nothing", {false, "GNOME", false, true, false}, Help::None);
        row("KDE with the portal", {true, "KDE", true, false, true}, Help::None);
        row("GNOME without a tray", {true, "ubuntu:GNOME", false, true, false},
            Help::GnomeKeybindings, Tray::GnomeExtension);
        row("tray icon switched off", {true, "GNOME", false, true, false}, Help::GnomeKeybindings,
            Tray::None, Compositor::Sway, false);
        row("GNOME without its schemas", {true, "GNOME", false, false, true},
            Help::CompositorLines);
        // GNOME's schemas installed beside sway are no use there: its daemon is not running.
        row("sway", {true, "sway", false, true, false}, Help::CompositorLines, Tray::AnyTray);
        row("Hyprland", {true, "Hyprland", false, false, true}, Help::CompositorLines, Tray::None,
            Compositor::Hyprland);
        row("river", {true, "river", false, false, true}, Help::CompositorLines, Tray::None,
            Compositor::River);
    }
    void desktopHelp()
    {
        QFETCH(DesktopSession, session);
        QFETCH(bool, trayIconOn);
        const DesktopShortcutSupport support(session);
        QTEST(support.shortcutHelp(), "help");
        QTEST(support.trayHelp(trayIconOn), "trayHelp");
        QTEST(support.compositor(), "compositor");
    }

    // A combination that is no hot key registers nothing, and a shortcut that was cleared
    // takes the old registration away. Registering again replaces the registration; a hot key
    // this registry does not hold, even one with the same number, changes nothing.
    void registrations()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        QVERIFY(!center.service().deliversEvents());
        auto absent = std::make_shared<PTHotKey>(QString("Velmoran"),
                                                 PTKeyCombo::fromShortcutRecord(QVariant()));
        QVERIFY(center.registerHotKey(absent));
        QCOMPARE(center.hotKeyCount(), 0u);
        QVERIFY(!center.isEventHandlerInstalled());
        QVERIFY(!center.registerHotKey(nullptr));

        auto cleared = hotKey("Velmoran", kKeyK, ctrlAlt);
        QVERIFY(center.registerHotKey(cleared));
        QVERIFY(center.isEventHandlerInstalled());
        cleared->setKeyCombo(PTKeyCombo::clearKeyCombo());
        QVERIFY(center.registerHotKey(cleared));
        QCOMPARE(cleared->hotKeyNumber(), 0u);
        QVERIFY(center.allHotKeys().isEmpty());

        auto first = hotKey("Velmoran", kKeyK, ctrlAlt);
        QVERIFY(center.registerHotKey(first));
        QVERIFY(center.registerHotKey(first));
        QCOMPARE(center.allHotKeys(), (QList<std::shared_ptr<PTHotKey>>{first}));

        auto second = hotKey("Velmoran2", kKeyJ, ctrlAlt);
        auto twin = hotKey("Velmoran", kKeyJ, PTKeyCombo::cmdKey);
        QVERIFY(center.registerHotKey(second));
        QVERIFY(center.registerHotKey(twin));
        center.unregisterHotKey(first);
        QCOMPARE(first->hotKeyHandle(), HotKeyService::Handle(0));

        PTHotKeyCenter elsewhere(HotKeyService::createForPlatform());
        auto foreign = hotKey("Velmoran2", kKeyJ, ctrlAlt);
        while (foreign->hotKeyNumber() != second->hotKeyNumber())
            QVERIFY(elsewhere.registerHotKey(foreign));
        center.unregisterHotKey(foreign);
        center.unregisterHotKey(nullptr);
        QCOMPARE(foreign->hotKeyNumber(), second->hotKeyNumber());
        QCOMPARE(center.allHotKeys(), (QList<std::shared_ptr<PTHotKey>>{second, twin}));
    }

    void eventsReachTheHotKeyOfTheirNumber()
    {
        PTHotKeyCenter center(HotKeyService::createForPlatform());
        auto first = hotKey("Velmoran", kKeyK, ctrlAlt);
        auto second = hotKey("Velmoran2", kKeyJ, ctrlAlt);
        QList<PTHotKey*> invoked;
        QObject target;
        first->setTarget(&target);
        first->setAction([&invoked](PTHotKey* key) { invoked << key; });
        second->setAction([&invoked](PTHotKey* key) { invoked << key; });
        QVERIFY(center.registerHotKey(first));
        QVERIFY(center.registerHotKey(second));

        auto event = [](quint32 kind, quint32 number,
                        quint32 signature = PTHotKeyCenter::kHotKeySignature) {
            HotKeyEvent e;
            e.kind = kind;
            e.hotKeyID = HotKeyID{signature, number};
            return e;
        };
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, 2)));
        QCOMPARE(invoked, (QList<PTHotKey*>{second.get()}));
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyReleased, 2)));
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, 1)));
        QCOMPARE(invoked, (QList<PTHotKey*>{second.get(), first.get()}));

        // Not the registry's events: passed on.
        QVERIFY(!center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, 1, 0x41424344)));
        HotKeyEvent otherClass = event(HotKeyEvent::kEventHotKeyPressed, 1);
        otherClass.eventClass = 0x6D6F7573; // 'mous'
        QVERIFY(!center.handleHotKeyEvent(otherClass));
        QVERIFY(!center.handleHotKeyEvent(event(7, 1)));

        // A press that arrives after its hot key was registered again finds no hot key.
        QVERIFY(center.registerHotKey(second));
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, 2)));
        QCOMPARE(invoked.size(), 2);

        // Once the target has gone the hot key does nothing.
        {
            QObject shortLived;
            first->setTarget(&shortLived);
        }
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, 1)));
        QCOMPARE(invoked.size(), 2);

        // An action may unregister its own hot key, which only the registry holds.
        auto own = hotKey("Velmoran3", kKeyK, PTKeyCombo::cmdKey);
        const std::weak_ptr<PTHotKey> watch = own;
        own->setAction([&center, &invoked](PTHotKey* self) {
            invoked << self;
            for (const std::shared_ptr<PTHotKey>& registered : center.allHotKeys()) {
                if (registered.get() == self)
                    center.unregisterHotKey(registered);
            }
            QCOMPARE(self->identifier(), QVariant(QString("Velmoran3")));
        });
        QVERIFY(center.registerHotKey(own));
        const quint32 number = own->hotKeyNumber();
        own.reset();
        QVERIFY(center.handleHotKeyEvent(event(HotKeyEvent::kEventHotKeyPressed, number)));
        QCOMPARE(invoked.size(), 3);
        QVERIFY(watch.expired());
    }

private:
    QTemporaryDir m_runtime;
};

VELMORAN_TEST_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"

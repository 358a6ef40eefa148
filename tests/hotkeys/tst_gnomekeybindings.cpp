// runs inside dbus-run-session: GNOME's custom keyboard shortcuts written through GSettings to
// a real dconf service on the suite's own bus, read back with the dconf tool.
#include "TestEnvironment.h"

#include "hotkeys/DesktopKeyBindings.h"
#include "hotkeys/GnomeCustomKeybindings.h"
#include "hotkeys/PTKeyCodeTranslator.h"
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
    QStringList quoted;
    for (const QString& path : paths)
        quoted << "'" + path + "'";
    return "[" + quoted.join(", ") + "]";
}

} // namespace

class TestGnomeKeybindings : public QObject
{
    Q_OBJECT

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
        QCOMPARE(dconf({"write", kBase + "custom-keybindings", quotedList({kForeign})}), QString());
        QCOMPARE(dconf({"write", kForeign + "name", "'Terminal'"}), QString());
        QCOMPARE(dconf({"write", kForeign + "command", "'foot'"}), QString());
        QCOMPARE(dconf({"write", kForeign + "binding", "'<Super>t'"}), QString());
        QVERIFY(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/dconf/user"));
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
    }

    // An entry of ours listed twice (written by hand, or by two programs at once) is listed
    // once after the next add.
    void aDoubledEntryIsListedOnce()
    {
        QCOMPARE(dconf({"write", kBase + "custom-keybindings",
                        quotedList({kToggle, kForeign, kToggle})}),
                 QString());
        GnomeCustomKeybindings gnome;
        QVERIFY(gnome.apply({{"velmoran-toggle-window", "Velmoran", "velmoran --toggle-window",
                              "<Control><Alt>r"}}));
        QCOMPARE(list(), quotedList({kToggle, kForeign}));
        QVERIFY(gnome.remove());
        QCOMPARE(list(), quotedList({kForeign}));
    }

private:
    QTemporaryDir m_runtime;
};

VELMORAN_TEST_MAIN(TestGnomeKeybindings)
#include "tst_gnomekeybindings.moc"

#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/desktop/DesktopPreferences.h"
#include "platform/desktop/GnomeInterfaceSettings.h"
#include "platform/desktop/KdeGlobals.h"

#include <gio/gio.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

using TestFiles::writeFile;

// What the desktop asks of the program's text size and motion: Plasma's kdeglobals read from
// real files of a user's and a system's folder, GNOME's interface settings through GSettings's
// memory backend (the suite's environment), as another program or GNOME's Settings would
// change them.
class TestDesktopPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_gnome = g_settings_new(GnomeInterfaceSettings::kSchema);
        for (const char* key : {"enable-animations", "font-name", "text-scaling-factor"})
            g_settings_reset(m_gnome, key);
    }

    void cleanup()
    {
        g_object_unref(m_gnome);
        m_dir.reset();
    }

    // The user's file over the system's, a locked entry like any other, and Plasma's
    // defaults where neither says anything.
    void kdeGlobalsCascade()
    {
        const QString user = m_dir->filePath("config/kdeglobals");
        const QString system = m_dir->filePath("xdg/kdeglobals");
        writeFile(user, "[General]\n"
                        "ColorScheme=BreezeDark\n"
                        "font=Noto Sans,12,-1,5,50,0,0,0,0,0\n"
                        "\n[Colors:Button]\nBackgroundNormal=49,54,59\n");
        writeFile(system, "[General]\nfont=Noto Sans,9,-1,5,50,0,0,0,0,0\n"
                          "[KDE]\nAnimationDurationFactor[$i]=0.5\n");
        const KdeGlobals both({user, system});
        QCOMPARE(both.generalFontPointSize(), std::optional<qreal>(12));
        QCOMPARE(both.animationDurationFactor(), std::optional<qreal>(0.5));
        QCOMPARE(both.value("Colors:Button", "BackgroundNormal"),
                 std::optional<QString>("49,54,59"));

        const KdeGlobals none({m_dir->filePath("missing/kdeglobals")});
        QVERIFY(!none.generalFontPointSize() && !none.animationDurationFactor());

        // A font given in pixels has no point size to compare.
        writeFile(user, "[General]\nfont=Noto Sans,-1,14,5,50,0,0,0,0,0\n");
        QCOMPARE(KdeGlobals({user}).generalFontPointSize(), std::nullopt);

        // The environment's folders, the user's first.
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir->filePath("xdg")) + ":/nowhere");
        QCOMPARE(KdeGlobals::cascade(),
                 QStringList({qEnvironmentVariable("XDG_CONFIG_HOME") + "/kdeglobals", system,
                              "/nowhere/kdeglobals"}));
        qunsetenv("XDG_CONFIG_DIRS");
    }

    void plasma_data()
    {
        QTest::addColumn<QByteArray>("kdeglobals");
        QTest::addColumn<qreal>("fontScale");
        QTest::addColumn<qreal>("animationScale");
        QTest::newRow("nothing changed") << QByteArray() << 1.0 << 1.0;
        QTest::newRow("a larger font")
            << QByteArray("[General]\nfont=Noto Sans,12,-1,5,50,0\n") << 1.2 << 1.0;
        QTest::newRow("animations instant")
            << QByteArray("[KDE]\nAnimationDurationFactor=0\n") << 1.0 << 0.0;
        QTest::newRow("animations slower")
            << QByteArray("[KDE]\nAnimationDurationFactor=2\n") << 1.0 << 2.0;
    }

    void plasma()
    {
        QFETCH(QByteArray, kdeglobals);
        QFETCH(qreal, fontScale);
        QFETCH(qreal, animationScale);
        const QString path = m_dir->filePath("kdeglobals");
        writeFile(path, kdeglobals);
        // GNOME's text sizes do not count on Plasma; its request for no motion would.
        g_settings_set_string(m_gnome, "font-name", "Cantarell 22");
        const DesktopPreferences desktop({DesktopPreferences::Desktop::Plasma, false, {path}});
        QCOMPARE(desktop.fontScale(), fontScale);
        QCOMPARE(desktop.animationScale(), animationScale);
        QCOMPARE(desktop.reducesMotion(), animationScale == 0);
    }

    // GNOME's interface font over the schema's default, Large Text on top where the platform
    // does not already scale the DPI by it, and Reduce Animation, each followed as it changes.
    void gnomeFollowedWhileRunning()
    {
        const std::optional<qreal> normal = GnomeInterfaceSettings().defaultFontPointSize();
        QVERIFY(normal);
        DesktopPreferences desktop({DesktopPreferences::Desktop::Gnome, false, {}});
        const DesktopPreferences onX11({DesktopPreferences::Desktop::Gnome, true, {}});
        QCOMPARE(desktop.fontScale(), 1.0);
        QCOMPARE(desktop.animationScale(), 1.0);
        QSignalSpy fontScaleChanged(&desktop, &DesktopPreferences::fontScaleChanged);
        QSignalSpy animationScaleChanged(&desktop, &DesktopPreferences::animationScaleChanged);

        const QByteArray larger = QStringLiteral("Cantarell Bold %1").arg(*normal * 1.5).toUtf8();
        g_settings_set_string(m_gnome, "font-name", larger.constData());
        QTRY_COMPARE(desktop.fontScale(), 1.5);
        QCOMPARE(fontScaleChanged.size(), 1);
        g_settings_set_double(m_gnome, "text-scaling-factor", 1.25);
        QTRY_COMPARE(desktop.fontScale(), 1.5 * 1.25);
        QCOMPARE(onX11.fontScale(), 1.5);

        g_settings_set_boolean(m_gnome, "enable-animations", FALSE);
        QTRY_VERIFY(desktop.reducesMotion());
        QCOMPARE(animationScaleChanged.size(), 1);
        g_settings_reset(m_gnome, "enable-animations");
        QTRY_COMPARE(desktop.animationScale(), 1.0);
        QCOMPARE(fontScaleChanged.size(), 2);
    }

    // Style words before the size; no size, or one in pixels, gives none.
    void pointSizeOfFontName()
    {
        for (const auto& [name, points] : {std::pair{"Cantarell 11", std::optional<qreal>(11)},
                                           {"Noto Sans Bold Italic 10.5", 10.5},
                                           {"Cantarell", std::nullopt},
                                           {"Cantarell 14px", std::nullopt}})
            QCOMPARE(GnomeInterfaceSettings::pointSizeOfFontName(name), points);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    GSettings* m_gnome = nullptr;
};

VELMORAN_TEST_MAIN(TestDesktopPreferences)
#include "tst_desktoppreferences.moc"

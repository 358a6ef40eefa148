#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/desktop/DesktopPreferences.h"
#include "platform/desktop/GnomeInterfaceSettings.h"
#include "prefs/ColorContrast.h"
#include "prefs/FontChoices.h"
#include "prefs/ModeManager.h"
#include "prefs/NightModeSchedule.h"

#include <gio/gio.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

using TestEnvironment::local;

namespace {

QString rgb(const QColor& color)
{
    return QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
}

// The family a font is drawn in, without the foundry Qt adds when two foundries share a name.
QString renderedFamily(const QFont& font)
{
    static const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    return QFontInfo(font).family().remove(foundry);
}

} // namespace

// The look of the program: night mode and when it comes on, the colours and their contrast,
// and the text's size and faces.
class TestModeManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_defaults = std::make_unique<UserDefaults>(m_tmp->filePath("preferences.json"));
        m_night = false;
    }

    // The highlight marks the control with the keyboard (its focus ring) and the selection:
    // it stands out at 3:1 from every background of its mode (its text on it is tst_contrast's).
    void coloursStandOutAndChangeOnlyWhenReset()
    {
        for (const bool night : {false, true}) {
            m_night = night;
            ModeManager mode(*m_defaults, nightSource());
            const QPalette palette = mode.vibrantAppearance();
            const QColor highlight = palette.color(QPalette::Highlight);
            for (const QColor& background :
                 {palette.color(QPalette::Window), palette.color(QPalette::Base),
                  palette.color(QPalette::AlternateBase), palette.color(QPalette::Button),
                  mode.backgroundColor(), mode.listBackgroundColor(),
                  mode.selectedBackgroundColor()})
                QVERIFY2(ColorContrast::ratio(highlight, background) >= 3.0,
                         qPrintable(QStringLiteral("%1 on %2").arg(night).arg(rgb(background))));
        }

        // The contrast is the WCAG's; a colour short of it is taken towards black on light
        // backgrounds and towards white on dark ones, only as far as needed.
        // The WCAG's own example: #767676 on white is just above 4.5:1.
        QVERIFY(qAbs(ColorContrast::ratio(QColor(0x76, 0x76, 0x76), Qt::white) - 4.54) < 0.01);

        const QColor light(124, 181, 229);
        QVERIFY(ColorContrast::ratio(light, Qt::white) < 3.0);
        const QColor darker =
            ColorContrast::standingOut(light, {Qt::white, QColor(246, 246, 246)}, 3.0);
        QVERIFY(ColorContrast::ratio(darker, QColor(246, 246, 246)) >= 3.0);
        QVERIFY(ColorContrast::ratio(darker, QColor(246, 246, 246)) < 3.3);
        const QColor lighter =
            ColorContrast::standingOut(QColor(41, 121, 190), {QColor(24, 24, 24)}, 7.0);
        QVERIFY(ColorContrast::ratio(lighter, QColor(24, 24, 24)) >= 7.0);
        QVERIFY(lighter.lightness() > QColor(41, 121, 190).lightness());
        QCOMPARE(ColorContrast::standingOut(light, {QColor(24, 24, 24)}, 3.0), light);

        m_night = false;
        ModeManager mode(*m_defaults, nightSource());
        QStringList order;
        connect(&mode, &ModeManager::redrawWindowsRequested, this, [&] { order << "redraw"; });
        connect(&mode, &ModeManager::remindersRefreshed, this, [&] {
            // Receivers reload in the new colours.
            QCOMPARE(rgb(mode.listBackgroundColor()), QString("24,24,24"));
            order << "refreshed";
        });

        QCOMPARE(mode.listBackgroundColor(), QColor(Qt::white));
        m_night = true;
        mode.resetValues();
        QVERIFY(mode.isNightMode());
        QCOMPARE(order, (QStringList{"redraw", "refreshed"}));
    }

    void fontSizesAndFaces()
    {
        m_defaults->setInteger(2, "fontSize");
        ModeManager mode(*m_defaults, nightSource());
        QCOMPARE(mode.fontSize(), 18u);
        // A change from anywhere (the window, the command line, a synced set) counts at once.
        m_defaults->setInteger(0, "fontSize");
        QCOMPARE(mode.fontSize(), 13u);
        m_defaults->setInteger(7, "fontSize");
        mode.setupDefaultFont();
        QCOMPARE(mode.fontSize(), 13u);

        // A store holding an unknown choice from the start still gets a usable size.
        m_defaults->setInteger(9, "fontSize");
        QCOMPARE(ModeManager(*m_defaults, nightSource()).fontSize(), 15u);

        // The choices are sizes for a desktop whose text is at its default; a desktop with larger
        // (or smaller) text takes them in proportion, in whole points. Plasma's interface font is
        // 10 points by default.
        for (const auto& [choice, kdeglobals, expected] :
             {std::tuple{2, "[General]\nfont=Noto Sans,12.5,-1,5,50,0,0,0,0,0\n", 23u},
              {0, "[General]\nfont=Noto Sans,8,-1,5,50,0,0,0,0,0\n", 10u}}) {
            TestFiles::writeFile(m_tmp->filePath("kdeglobals"), kdeglobals);
            const DesktopPreferences plasma(
                {DesktopPreferences::Desktop::Plasma, false, {m_tmp->filePath("kdeglobals")}});
            m_defaults->setInteger(choice, "fontSize");
            ModeManager scaled(*m_defaults, nightSource(), &plasma);
            QCOMPARE(scaled.fontSize(), expected);
            // The preference changes on top of the desktop's scale.
            m_defaults->setInteger(choice == 2 ? 0 : 2, "fontSize");
            QCOMPARE(scaled.fontSize(), uint(qRound((choice == 2 ? 13 : 18) * plasma.fontScale())));
        }

        // Each choice is drawn in a face of its own on this machine (the build installs the
        // faces the fallbacks name), not in the system font that an absent family gives.
        const QString system =
            renderedFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        QSet<QString> rendered{system};
        for (const int choice : {1, 2, 3}) {
            m_defaults->setInteger(choice, "defaultFont");
            const QFont font = mode.fontWithSize(17.5);
            QCOMPARE(font.pointSizeF(), 17.5);
            const std::optional<FontFace> face = FontChoices::installedFace(choice);
            QVERIFY2(face,
                     qPrintable(QStringLiteral("no face of choice %1 is installed").arg(choice)));
            QCOMPARE(font.weight(), face->weight);
            const QString family = renderedFamily(font);
            QCOMPARE(family, face->family);
            QVERIFY2(!rendered.contains(family), qPrintable(family));
            rendered.insert(family);
        }

        for (const int other : {0, 5, -1}) {
            m_defaults->setInteger(other, "defaultFont");
            QCOMPARE(renderedFamily(mode.fontWithSize(11)), system);
        }
    }

    void sharedManagerFollowsTheStandardPreferences()
    {
        UserDefaults::standardUserDefaults().setObjects({{"nightMode", true}, {"fontSize", 0}});
        ModeManager& shared = ModeManager::sharedManager();
        QVERIFY(shared.isNightMode());
        QCOMPARE(shared.fontSize(), 13u);

        // GNOME's interface font a fifth larger than its default, set through GSettings
        // while the program runs.
        const std::optional<qreal> normal = GnomeInterfaceSettings().defaultFontPointSize();
        QVERIFY(normal);
        QSignalSpy fontChanged(&shared, &ModeManager::fontChanged);
        GSettings* gnome = g_settings_new(GnomeInterfaceSettings::kSchema);
        g_settings_set_string(
            gnome, "font-name",
            QStringLiteral("Cantarell %1").arg(*normal * 1.2).toUtf8().constData());
        QTRY_COMPARE(shared.fontSize(), 16u);
        QCOMPARE(fontChanged.size(), 1);
        g_settings_reset(gnome, "font-name");
        QTRY_COMPARE(shared.fontSize(), 13u);
        g_object_unref(gnome);

        // Once the data manager hands in its flag, that flag rules.
        UserDefaults::standardUserDefaults().setObjects(
            {{"nightMode", false}, {"nightModeAuto", false}});
        shared.setNightModeSource([] { return true; });
        shared.resetValues();
        QVERIFY(shared.isNightMode());
    }

    // When night mode is on: the switch, or the automatic one from its start to its end time.
    void schedule_data()
    {
        QTest::addColumn<NightModeSettings>("settings");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("night");
        const auto row = [](const char* name, const char* start, const char* end, QTime time,
                            bool night, bool on = false, bool automatic = true) {
            QTest::newRow(name) << NightModeSettings{on, automatic, start, end}
                                << QDateTime(QDate(2026, 6, 15), time) << night;
        };
        row("start minute is still day", "22:00", "07:00", QTime(22, 0), false);
        row("first night minute", "22:00", "07:00", QTime(22, 1), true);
        row("end minute is still night", "22:00", "07:00", QTime(7, 0), true);
        row("first day minute", "22:00", "07:00", QTime(7, 1), false);
        row("seconds do not count", "22:00", "07:00", QTime(22, 0, 59), false);
        row("equal times, evening", "07:00", "07:00", QTime(19, 30), true);
        row("daytime, after start", "08:00", "20:00", QTime(8, 1), true);
        row("daytime, after end", "08:00", "20:00", QTime(20, 1), false);
        // Unreadable times fall back to 22:00 and 07:00.
        row("garbage start", "late", "07:00", QTime(22, 1), true);
        row("out of range end", "22:00", "25:61", QTime(7, 0), true);
        row("absent times", "", "", QTime(3, 0), true);
        row("one-digit hour", "22:00", "6:30", QTime(6, 45), false);
        // The switch overrides the schedule, and without the schedule it alone counts.
        row("switched on at noon", "22:00", "07:00", QTime(12, 0), true, true);
        row("no schedule at night", "22:00", "07:00", QTime(23, 0), false, false, false);
        // Now is taken in the local zone: 21:30 UTC is 23:30 in Berlin in summer.
        QTest::newRow("now in UTC")
            << NightModeSettings{false, true, "22:00", "07:00"}
            << QDateTime(QDate(2026, 6, 15), QTime(21, 30), QTimeZone::utc()) << true;
    }

    void schedule()
    {
        QFETCH(NightModeSettings, settings);
        QFETCH(QDateTime, now);
        QTEST(nightModeAt(settings, now), "night");
    }

    void nightAcrossDaylightSavingChangesAndResets()
    {
        scheduleFrom22To7();
        // 29 March 2026: 02:00 CET jumps to 03:00 CEST. 25 October 2026: 03:00 CEST falls back
        // to 02:00 CET, and 02:30 happens twice. The times are UTC.
        for (const auto& [name, month, day, hour, minute, night] :
             {std::tuple{"spring 01:59 CET", 3, 29, 0, 59, true},
              {"spring 07:01 CEST", 3, 29, 5, 1, false},
              {"autumn 02:30 CEST", 10, 25, 0, 30, true},
              {"autumn 02:30 CET", 10, 25, 1, 30, true},
              {"autumn 07:01 CET", 10, 25, 6, 1, false}}) {
            m_clock.setNow(
                QDateTime(QDate(2026, month, day), QTime(hour, minute), QTimeZone::utc()));
            QVERIFY2(NightMode(*m_defaults, m_clock).isNightMode() == night, name);
        }

        // A reset reports a change once; the boundaries of the schedule are schedule()'s.
        m_clock.setNow(local(2026, 3, 28, 21, 59));
        NightMode mode(*m_defaults, m_clock);
        QVERIFY(!mode.isNightMode());
        m_clock.advanceSeconds(120);
        QVERIFY(mode.resetNightMode());
        QVERIFY(mode.isNightMode());
        QVERIFY(!mode.resetNightMode());

        m_clock.setNow(local(2026, 3, 29, 12, 0));
        QVERIFY(mode.resetNightMode());

        // The switch is read at every evaluation.
        m_defaults->setBool(true, "nightMode");
        QVERIFY(mode.resetNightMode());
        QVERIFY(mode.isNightMode());
        m_defaults->setObjects({{"nightModeAuto", false}, {"nightMode", false}});
        m_clock.setNow(local(2026, 3, 29, 23, 0));
        mode.presetNightMode();
        QVERIFY(!mode.isNightMode());
    }

private:
    void scheduleFrom22To7()
    {
        m_defaults->setObjects({{"nightMode", false},
                                {"nightModeAuto", true},
                                {"nightModeAutoStartTime", "22:00"},
                                {"nightModeAutoEndTime", "07:00"}});
    }

    ModeManager::NightModeSource nightSource()
    {
        return [this] { return m_night; };
    }

    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<UserDefaults> m_defaults;
    bool m_night = false;
    Clock m_clock;
};

VELMORAN_TEST_MAIN(TestModeManager)
#include "tst_modemanager.moc"

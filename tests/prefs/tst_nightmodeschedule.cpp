#include "TestEnvironment.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/NightModeSchedule.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimeZone>

using TestEnvironment::local;

class TestNightModeSchedule : public QObject
{
    Q_OBJECT

    // The automatic switch from 22:00 to 07:00.
    QTemporaryDir m_tmp;
    std::optional<UserDefaults> m_defaults;
    Clock m_clock;

private Q_SLOTS:
    void init()
    {
        m_defaults.emplace(m_tmp.filePath("preferences.json"));
        m_defaults->setObjects({{"nightMode", false},
                                {"nightModeAuto", true},
                                {"nightModeAutoStartTime", "22:00"},
                                {"nightModeAutoEndTime", "07:00"}});
    }

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
        row("equal times, at them", "07:00", "07:00", QTime(7, 0), true);
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
        row("switched on, no schedule", "22:00", "07:00", QTime(12, 0), true, true, false);
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

    void nightAcrossDaylightSavingChanges_data()
    {
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<bool>("night");
        auto utc = [](int month, int day, int hour, int minute) {
            return QDateTime(QDate(2026, month, day), QTime(hour, minute), QTimeZone::utc());
        };
        // 29 March 2026: 02:00 CET jumps to 03:00 CEST.
        QTest::newRow("spring 01:59 CET") << utc(3, 29, 0, 59) << true;
        QTest::newRow("spring 07:01 CEST") << utc(3, 29, 5, 1) << false;
        // 25 October 2026: 03:00 CEST falls back to 02:00 CET; 02:30 happens twice.
        QTest::newRow("autumn 02:30 CEST") << utc(10, 25, 0, 30) << true;
        QTest::newRow("autumn 02:30 CET") << utc(10, 25, 1, 30) << true;
        QTest::newRow("autumn 07:01 CET") << utc(10, 25, 6, 1) << false;
    }

    void nightAcrossDaylightSavingChanges()
    {
        QFETCH(QDateTime, utc);
        m_clock.setNow(utc);
        QTEST(NightMode(*m_defaults, m_clock).isNightMode(), "night");
    }

    void resetReportsOnlyChanges()
    {
        m_clock.setNow(local(2026, 3, 28, 21, 59));
        NightMode mode(*m_defaults, m_clock);
        QVERIFY(!mode.isNightMode());

        m_clock.advanceSeconds(60); // 22:00
        QVERIFY(!mode.resetNightMode());
        m_clock.advanceSeconds(60); // 22:01
        QVERIFY(mode.resetNightMode());
        QVERIFY(mode.isNightMode());
        m_clock.setNow(local(2026, 3, 29, 7, 0));
        QVERIFY(!mode.resetNightMode());
        m_clock.advanceSeconds(60);
        QVERIFY(mode.resetNightMode());
        QVERIFY(!mode.isNightMode());

        // The switch is read at every evaluation.
        m_defaults->setBool(true, "nightMode");
        QVERIFY(mode.resetNightMode());
        QVERIFY(mode.isNightMode());
        m_defaults->setBool(false, "nightMode");
        m_defaults->setBool(false, "nightModeAuto");
        m_clock.setNow(local(2026, 3, 29, 23, 0));
        mode.presetNightMode();
        QVERIFY(!mode.isNightMode());
    }
};

VELMORAN_TEST_MAIN(TestNightModeSchedule)
#include "tst_nightmodeschedule.moc"

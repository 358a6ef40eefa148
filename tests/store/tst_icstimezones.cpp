#include "TestEnvironment.h"

#include "platform/store/LibicalSetup.h"
#include "platform/store/ics/TimeZones.h"

#include <QGuiApplication>

#include <libical/ical.h>

using namespace store;

class TestIcsTimeZones : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

    void namesOfZones_data()
    {
        QTest::addColumn<QByteArray>("tzid");
        QTest::addColumn<QByteArray>("zone");
        QTest::newRow("iana") << QByteArray("Europe/Berlin") << QByteArray("Europe/Berlin");
        QTest::newRow("three parts") << QByteArray("America/Argentina/Buenos_Aires")
                                     << QByteArray("America/Argentina/Buenos_Aires");
        QTest::newRow("link") << QByteArray("US/Eastern") << QByteArray("US/Eastern");
        QTest::newRow("blanks around") << QByteArray(" Asia/Tokyo ") << QByteArray("Asia/Tokyo");
        QTest::newRow("windows") << QByteArray("Eastern Standard Time")
                                 << QByteArray("America/New_York");
        QTest::newRow("libical prefix")
            << QByteArray("/freeassociation.sourceforge.net/Tzfile/Europe/London")
            << QByteArray("Europe/London");
        QTest::newRow("mozilla prefix")
            << QByteArray("/mozilla.org/20070129_1/Asia/Kolkata") << QByteArray("Asia/Kolkata");
        QTest::newRow("unknown") << QByteArray("Nowhere") << QByteArray();
        QTest::newRow("posix rule") << QByteArray("ABC5DEF") << QByteArray();
        QTest::newRow("outside the database") << QByteArray("../../../etc/passwd") << QByteArray();
        QTest::newRow("absolute path") << QByteArray("/etc/passwd") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void namesOfZones()
    {
        QFETCH(QByteArray, tzid);
        QFETCH(QByteArray, zone);
        QCOMPARE(ics::zoneForTzid(tzid).id(), zone);
    }

    // What other programs make of the zones we write: libical reads them back and must find the
    // offsets the tz database has, through the year written and the ones after it.
    void writtenZonesAgreeWithTheDatabase_data()
    {
        QTest::addColumn<QByteArray>("zone");
        for (const char* zone :
             {"Europe/Berlin", "America/New_York", "Australia/Sydney", "Asia/Tokyo",
              "America/Sao_Paulo", "Europe/London", "Europe/Dublin", "Pacific/Chatham",
              "Asia/Tehran", "Asia/Jerusalem", "America/Santiago", "Africa/Casablanca",
              "Asia/Kolkata", "America/St_Johns", "Pacific/Auckland", "Asia/Gaza"})
            QTest::newRow(zone) << QByteArray(zone);
    }
    void writtenZonesAgreeWithTheDatabase()
    {
        QFETCH(QByteArray, zone);
        const QTimeZone system(zone);
        QVERIFY(system.isValid());
        const QByteArray text = ics::makeTimeZone(system, 2026, "\r\n").serialize();
        QVERIFY(text.contains("\r\nTZID:" + zone + "\r\n"));
        QVERIFY(!text.contains("X-LIC"));

        icalcomponent* component = icalparser_parse_string(text.constData());
        QVERIFY(component);
        QCOMPARE(icalcomponent_isa(component), ICAL_VTIMEZONE_COMPONENT);
        icaltimezone* parsed = icaltimezone_new();
        QVERIFY(icaltimezone_set_component(parsed, component));

        const QDateTime end(QDate(2029, 1, 1), QTime(0, 0), QTimeZone::utc());
        int mismatches = 0;
        for (QDateTime at(QDate(2026, 1, 1), QTime(0, 30), QTimeZone::utc()); at < end;
             at = at.addSecs(5 * 3600 + 17 * 60)) {
            icaltimetype utc = icaltime_from_timet_with_zone(at.toSecsSinceEpoch(), 0,
                                                             icaltimezone_get_utc_timezone());
            int isDaylight = 0;
            const int offset = icaltimezone_get_utc_offset_of_utc_time(parsed, &utc, &isDaylight);
            if (offset != system.offsetFromUtc(at) && ++mismatches < 4)
                qWarning() << zone << at << offset << system.offsetFromUtc(at);
        }
        icaltimezone_free(parsed, 1);
        QCOMPARE(mismatches, 0);
    }
};

VELMORAN_TEST_MAIN(TestIcsTimeZones)
#include "tst_icstimezones.moc"

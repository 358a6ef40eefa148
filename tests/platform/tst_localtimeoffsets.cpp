#include "TestEnvironment.h"

#include "platform/LocalTimeOffsets.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <random>

// The offsets learnt a day at a time give every instant the wall clock Qt gives it one by one,
// in the suite's zone (Europe/Berlin, with its changes) and in zones whose changes fall at
// midnight or by half an hour: on the days of a change, before 1970 and past 2100 too, in
// whatever order the instants come.
class TestLocalTimeOffsets : public QObject
{
    Q_OBJECT

private:
    static QDateTime utc(const char* text) { return QDateTime::fromString(text, Qt::ISODate); }

    // Where Qt's date-time is invalid (a time in a gap) there is no instant either.
    static bool sameInstant(LocalTimeOffsets& offsets, QDate day, QTime time, const QTimeZone& zone)
    {
        const QDateTime expected(day, time, zone);
        const std::optional<qint64> instant = offsets.instantOf(day, time, zone);
        const bool same =
            expected.isValid() ? instant && *instant == expected.toMSecsSinceEpoch() : !instant;
        if (!same)
            qWarning() << day << time << (instant ? *instant : -1) << expected;
        return same;
    }

private Q_SLOTS:
    void instantsReadTheWallClockQtReads()
    {
        QList<qint64> instants;
        // Every seven minutes over the days around this zone's changes of 2026 and 1996.
        for (const char* change :
             {"2026-03-29T01:00:00Z", "2026-10-25T01:00:00Z", "1996-10-27T01:00:00Z"}) {
            const qint64 at = utc(change).toMSecsSinceEpoch();
            for (qint64 step = -3 * 1440; step <= 3 * 1440; step += 7)
                instants << at + step * 60000 + 123;
        }
        // Around the edges where Qt reads instants one by one, and at random between them.
        for (const char* edge : {"1970-01-01T00:00:00Z", "2100-01-01T00:00:00Z"}) {
            for (qint64 step = -2000; step <= 2000; step += 37)
                instants << utc(edge).toMSecsSinceEpoch() + step * 60000;
        }
        QRandomGenerator random(7);
        const qint64 first = utc("1955-01-01T00:00:00Z").toMSecsSinceEpoch();
        const qint64 last = utc("2120-01-01T00:00:00Z").toMSecsSinceEpoch();
        for (int i = 0; i < 3000; ++i)
            instants << first + qint64(random.bounded(double(last - first)));
        std::shuffle(instants.begin(), instants.end(), std::mt19937(11));

        LocalTimeOffsets offsets;
        for (const qint64 instant : std::as_const(instants)) {
            const QDateTime local = QDateTime::fromMSecsSinceEpoch(instant, Qt::UTC).toLocalTime();
            const QDateTime wall =
                QDateTime::fromMSecsSinceEpoch(offsets.wallMSecs(instant), Qt::UTC);
            if (wall.date() != local.date() || wall.time() != local.time())
                QFAIL(qPrintable(
                    QStringLiteral("%1 reads %2, Qt %3")
                        .arg(instant)
                        .arg(wall.toString(Qt::ISODateWithMs), local.toString(Qt::ISODateWithMs))));
        }
        // Each kind of instant as the first one asked for.
        for (const char* asked :
             {"1969-06-15T12:00:00Z", "2026-07-01T12:00:00Z", "2101-06-15T12:00:00Z"}) {
            LocalTimeOffsets fresh;
            const QDateTime instant = utc(asked);
            QCOMPARE(fresh.wallClock(instant).time(), instant.toLocalTime().time());
        }
        // A date-time of any kind: a local one is its own wall clock.
        const QDateTime summer(QDate(2026, 7, 1), QTime(12, 0));
        QCOMPARE(offsets.wallClock(summer).time(), QTime(12, 0));
        QCOMPARE(offsets.wallClock(summer.toUTC()).time(), QTime(12, 0));
        QCOMPARE(offsets.wallClock(summer.toTimeZone(QTimeZone("Asia/Tokyo"))).time(),
                 QTime(12, 0));
        QVERIFY(!offsets.wallClock(QDateTime()).isValid());
    }

    void zonedWallTimesTakeTheInstantsQtGivesThem_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("change");
        QTest::newRow("Berlin, spring") << QByteArray("Europe/Berlin") << QDate(2026, 3, 29);
        QTest::newRow("Berlin, autumn") << QByteArray("Europe/Berlin") << QDate(2026, 10, 25);
        // Midnight falls in the gap.
        QTest::newRow("São Paulo") << QByteArray("America/Sao_Paulo") << QDate(2018, 11, 4);
        QTest::newRow("Havana") << QByteArray("America/Havana") << QDate(2026, 3, 8);
        // Half an hour, and only that.
        QTest::newRow("Lord Howe") << QByteArray("Australia/Lord_Howe") << QDate(2026, 4, 5);
        QTest::newRow("no changes") << QByteArray("Asia/Kolkata") << QDate(2026, 3, 29);
        QTest::newRow("UTC") << QByteArray("UTC") << QDate(2026, 3, 29);
    }

    void zonedWallTimesTakeTheInstantsQtGivesThem()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, change);
        const QTimeZone timeZone(zone);
        QVERIFY(timeZone.isValid());
        LocalTimeOffsets offsets;
        for (int pass = 0; pass < 2; ++pass) { // the second from what the first learnt
            for (QDate day = change.addDays(-2); day <= change.addDays(2); day = day.addDays(1)) {
                for (int minute = 0; minute < 1440; minute += 10)
                    QVERIFY(
                        sameInstant(offsets, day, QTime(0, 0).addSecs(minute * 60 + 30), timeZone));
            }
        }
        // Zones in turn, and a copy going on from what its original learnt.
        const QTimeZone tokyo("Asia/Tokyo");
        LocalTimeOffsets copy = offsets;
        for (QDate day = change.addDays(-1); day <= change.addDays(1); day = day.addDays(1)) {
            for (const QTime time : {QTime(0, 30), QTime(2, 30), QTime(23, 30)}) {
                QVERIFY(sameInstant(copy, day, time, tokyo));
                QVERIFY(sameInstant(copy, day, time, timeZone));
            }
        }
        QVERIFY(sameInstant(offsets, change, QTime(25, 0), timeZone));
        QVERIFY(sameInstant(offsets, QDate(), QTime(12, 0), timeZone));
    }
};

VELMORAN_TEST_MAIN(TestLocalTimeOffsets)
#include "tst_localtimeoffsets.moc"

#include "TestEnvironment.h"

#include "platform/SystemZoneName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// TZ is set from /etc/localtime's link only where the C library then reads the very file the
// link names and Qt reports the same zone; anything else keeps TZ unset.
class TestSystemZoneName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameable_data()
    {
        QTest::addColumn<QString>("linkTarget"); // below the temporary folder, or absolute
        QTest::addColumn<QByteArray>("systemZoneId");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("link into the database")
            << "zoneinfo/Europe/Berlin" << QByteArray("Europe/Berlin")
            << QByteArray("Europe/Berlin");
        QTest::newRow("relative link") << "../zoneinfo/Europe/Berlin" << QByteArray("Europe/Berlin")
                                       << QByteArray("Europe/Berlin");
        QTest::newRow("Qt names another zone")
            << "zoneinfo/Europe/Berlin" << QByteArray("Atlantic/Jan_Mayen") << QByteArray();
        QTest::newRow("a variant folder of the database")
            << "zoneinfo/posix/Europe/Berlin" << QByteArray("Europe/Berlin") << QByteArray();
        QTest::newRow("outside the database")
            << "elsewhere/Europe/Berlin" << QByteArray("Europe/Berlin") << QByteArray();
        QTest::newRow("leaving the database by ..")
            << "zoneinfo/../elsewhere/Europe/Berlin" << QByteArray("../elsewhere/Europe/Berlin")
            << QByteArray();
        QTest::newRow("zone file missing")
            << "zoneinfo/Europe/Paris" << QByteArray("Europe/Paris") << QByteArray();
        QTest::newRow("Qt names no zone")
            << "zoneinfo/Europe/Berlin" << QByteArray() << QByteArray();
    }
    void nameable()
    {
        QFETCH(QString, linkTarget);
        QFETCH(QByteArray, systemZoneId);
        QFETCH(QByteArray, expected);

        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("root"));
        for (const char* zone : {"zoneinfo/Europe/Berlin", "zoneinfo/posix/Europe/Berlin",
                                 "elsewhere/Europe/Berlin"}) {
            const QString path = root + QLatin1Char('/') + QLatin1String(zone);
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("TZif2");
        }
        const QString link = root + QStringLiteral("/etc/localtime");
        QVERIFY(QDir().mkpath(QFileInfo(link).path()));
        const QString target = linkTarget.startsWith(QLatin1String("../"))
                                   ? linkTarget
                                   : root + QLatin1Char('/') + linkTarget;
        QVERIFY(QFile::link(target, link));

        QCOMPARE(SystemZoneName::nameable(link, root + QStringLiteral("/zoneinfo"), systemZoneId),
                 expected);
    }

    void plainFileIsNotNamed()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("zoneinfo/Europe"))));
        for (const QString& path : {dir.filePath(QStringLiteral("localtime")),
                                    dir.filePath(QStringLiteral("zoneinfo/Europe/Berlin"))}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("TZif2");
        }
        QCOMPARE(SystemZoneName::nameable(dir.filePath(QStringLiteral("localtime")),
                                          dir.filePath(QStringLiteral("zoneinfo")),
                                          "Europe/Berlin"),
                 QByteArray());
    }
};

VELMORAN_TEST_MAIN(TestSystemZoneName)
#include "tst_systemzonename.moc"

#include "../data/CalendarFiles.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/CollectionFinder.h"
#include "platform/store/PeerConfigFiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace TestFiles;
using store::CollectionFinder;
using store::FoundRoot;

namespace {

QByteArray vevent(const QByteArray& uid)
{
    return CalendarFiles::calendar(
        CalendarFiles::vevent(uid, "Meeting", "DTSTART:20261207T100000Z\r\n"));
}

// Every file below `folder` with its size, time and content hash: a scan must change none.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QByteArray stamp = QByteArray::number(info.lastModified().toMSecsSinceEpoch());
        if (info.isFile())
            stamp += QCryptographicHash::hash(readFile(info.filePath()), QCryptographicHash::Sha1);
        files.insert(info.filePath(), stamp);
    }
    return files;
}

// The folders found, each as "path below `home` | users | collections tasks events".
QStringList describe(const QList<FoundRoot>& found, const QString& home)
{
    QStringList lines;
    for (const FoundRoot& root : found)
        lines << QStringLiteral("%1 | %2 | %3 %4 %5%6")
                     .arg(QString(root.path).remove(home + '/'), root.usedBy.join(','))
                     .arg(root.collections)
                     .arg(root.tasks)
                     .arg(root.events)
                     .arg(root.partial ? " | partial" : "");
    return lines;
}

} // namespace

// Finding the calendar folders a person already has: the three configuration formats, paths
// with "~" and variables, and bounded, read-only scanning of whatever the files name.
class TestCollectionFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What each program's configuration names as folders, in its own order.
    void peerConfigurations_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("vdirsyncer filesystem storages")
            << "vdirsyncer"
            << "[general]\nstatus_path = \"~/.vdirsyncer/status/\"\n\n"
               "[pair cal]\na = \"cal_local\"\nb = \"cal_remote\"\n"
               "collections = [\"from a\", \"from b\"]\n\n"
               "[storage cal_local]\ntype = \"filesystem\"\npath = \"~/.calendars/\"\n"
               "fileext = \".ics\"\n\n"
               "[storage cal_remote]\ntype = \"caldav\"\nurl = \"https://example.org/\"\n\n"
               "[storage contacts_local]\ntype = \"filesystem\"\npath = \"~/.contacts/\"\n"
               "fileext = \".vcf\"\n\n"
               "[storage tasks]\n# a comment\npath = '$HOME/tasks'\ntype = \"filesystem\"\n"
            << QStringList{"~/.calendars/", "$HOME/tasks"};
        QTest::newRow("vdirsyncer malformed")
            << "vdirsyncer"
            << "[storage broken\ntype = \"filesystem\"\npath = \"/x\"\n"
               "[storage a]\ntype=\"filesystem\"\npath = \"unterminated\n"
               "= = =\n\x01\x02 garbage\npath\n"
            << QStringList{};
        QTest::newRow("vdirsyncer empty") << "vdirsyncer" << QString() << QStringList{};
        QTest::newRow("khal calendars")
            << "khal"
            << "[calendars]\n[[home]]\npath = ~/.calendars/home/\ncolor = dark green\n"
               "[[work]]\npath = ~/.calendars/work/  # the office\nreadonly = True\n"
               "[[discovered]]\ntype = discover\npath = ~/.calendars/*\n"
               "[locale]\npath = /not/a/calendar\n"
            << QStringList{"~/.calendars/home/", "~/.calendars/work/", "~/.calendars/*"};
        QTest::newRow("todoman python") << "todoman"
                                        << "path = \"~/.local/share/calendars/*\"\n"
                                           "date_format = \"%Y-%m-%d\"\n"
                                           "# path = \"/commented/out\"\n"
                                        << QStringList{"~/.local/share/calendars/*"};
        QTest::newRow("todoman code is not run")
            << "todoman"
            << "import os\npath = os.path.expanduser('~/x/*')\n"
            << QStringList{};
        QTest::newRow("todoman ini") << "todoman"
                                     << "[main]\npath = ~/.calendars/*\n"
                                     << QStringList{"~/.calendars/*"};
    }
    void peerConfigurations()
    {
        QFETCH(QString, program);
        QFETCH(QString, text);
        QTEST(program == "vdirsyncer" ? PeerConfigFiles::vdirsyncerPaths(text)
              : program == "khal"     ? PeerConfigFiles::khalPaths(text)
                                      : PeerConfigFiles::todomanPaths(text),
              "paths");
    }

    void expandingPaths()
    {
        for (const auto& [path, expanded] : {std::pair{"~/.calendars", "/home/me/.calendars"},
                                             {"~", "/home/me"},
                                             {"/srv/~x", "/srv/~x"},
                                             {"$DATA/cal", "/data/cal"},
                                             {"${DATA}cal", "/datacal"},
                                             {"$NOPE/cal", "/cal"}})
            QCOMPARE(PeerConfigFiles::expandPath(path, "/home/me", {{"DATA", "/data"}}),
                     QString(expanded));
    }

    // A home with all three programs configured: every folder is found once, with who uses it
    // and what it holds; what is named but missing, contacts, and a home folder used as a
    // folder of collections are not offered; nothing is written.
    void findingInAHome()
    {
        QTemporaryDir dir;
        const QString home = dir.path();
        writeFile(home + "/.config/vdirsyncer/config",
                  "[storage a]\ntype = \"filesystem\"\npath = \"~/.calendars/\"\n"
                  "[storage b]\ntype = \"filesystem\"\npath = \"${SYNC}/tasks\"\n"
                  "[storage gone]\ntype = \"filesystem\"\npath = \"~/missing\"\n");
        writeFile(home + "/.config/khal/config",
                  "[calendars]\n[[home]]\npath = ~/.calendars/home\n[[loose]]\npath = ~/loose\n");
        writeFile(home + "/.config/todoman/config.py", "path = \"~/.calendars/*\"\n");
        writeFile(home + "/.calendars/home/displayname", "Home");
        writeFile(home + "/.calendars/home/e1.ics", vevent("e1"));
        writeFile(home + "/.calendars/home/e2.ics", vevent("e2"));
        writeFile(home + "/.calendars/todo/t1.ics", todo("t1", "One"));
        writeFile(home + "/.calendars/.hidden/t9.ics", todo("t9", "Hidden"));
        writeFile(home + "/sync/tasks/list/t2.ics", todo("t2", "Two"));
        writeFile(home + "/.local/share/calendars/more/t3.ics", todo("t3", "Three"));
        // khal's collection directly in the home folder: its parent is no folder to offer.
        writeFile(home + "/loose/x.ics", vevent("x"));
        QDir().mkpath(home + "/Documents");
        QDir().mkpath(home + "/Music");
        const auto before = snapshot(home);

        CollectionFinder finder(home, {{"SYNC", home + "/sync"}});
        QCOMPARE(
            describe(finder.find(), home),
            (QStringList{".calendars | vdirsyncer,khal,todoman | 2 1 2",
                         "sync/tasks | vdirsyncer | 1 1 0", ".local/share/calendars |  | 1 1 0"}));
        QCOMPARE(snapshot(home), before);
    }

    // Huge inputs stay within the bounds: a configuration larger than the read limit, a
    // pattern matching hundreds of folders, more collections and files than the limits.
    void boundedOnHugeInput()
    {
        QTemporaryDir dir;
        const QString home = dir.path();
        QByteArray huge = "[storage a]\ntype = \"filesystem\"\npath = \"~/big\"\n";
        huge += QByteArray(8 << 20, 'x');
        huge += "\n[storage late]\ntype = \"filesystem\"\npath = \"~/late\"\n";
        writeFile(home + "/.config/vdirsyncer/config", huge);
        writeFile(home + "/.config/todoman/config.py", "path = \"~/many/*\"\n");
        for (int i = 0; i < 600; ++i)
            writeFile(home + QStringLiteral("/many/c%1/displayname").arg(i), "C");
        writeFile(home + "/late/list/t.ics", todo("t", "T"));
        for (int i = 0; i < 300; ++i)
            writeFile(home + QStringLiteral("/big/list/t%1.ics").arg(i), todo("t", "T"));

        CollectionFinder finder(home, {});
        CollectionFinder::Limits limits;
        limits.files = 100;
        limits.patternMatches = 50;
        limits.collectionsPerRoot = 200;
        finder.setLimits(limits);
        QElapsedTimer clock;
        clock.start();
        const QList<FoundRoot> found = finder.find();
        QVERIFY(clock.elapsed() < 1000);
        // "late" lies past the configuration's read limit.
        QCOMPARE(describe(found, home), (QStringList{"big | vdirsyncer | 1 100 0 | partial",
                                                     "many | todoman | 200 0 0 | partial"}));
    }

    // A folder the user picks: a collection picked by mistake stands for its parent.
    void inspectingAPickedFolder()
    {
        QTemporaryDir dir;
        writeFile(dir.path() + "/cals/work/t1.ics", todo("t1", "One"));
        writeFile(dir.path() + "/cals/work/e1.ics", vevent("e1"));
        CollectionFinder finder(dir.path(), {});
        for (const QString& picked : {dir.path() + "/cals", dir.path() + "/cals/work"})
            QCOMPARE(describe({finder.inspect(picked)}, dir.path()),
                     QStringList{"cals |  | 1 1 1"});

        // Out of time, a folder of plain folders is not walked to its end.
        for (int i = 0; i < 10; ++i)
            QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/plain/f%1").arg(i)));
        CollectionFinder::Limits noTime;
        noTime.milliseconds = -1;
        finder.setLimits(noTime);
        const FoundRoot plain = finder.inspect(dir.path() + "/plain");
        QVERIFY(plain.partial && plain.otherFolders == 0);
    }
};

VELMORAN_TEST_MAIN(TestCollectionFinder)
#include "tst_collectionfinder.moc"

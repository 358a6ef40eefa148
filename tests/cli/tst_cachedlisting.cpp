// `tasks` for every task or a search answers from the parse cache's bytes when the cache stands
// for the whole store as it is, and from the files otherwise: either way the same bytes, and a
// change the cache does not know of is never answered from it.

#include "../data/CalendarFiles.h"
#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QGuiApplication>

using namespace TestFiles;

namespace {

const QByteArray kFromCache = "Tasks listed from the parse cache";

// A field of every kind a task may have, one kind a task, in turn.
QByteArray fieldsOf(int i, const QByteArray& list)
{
    const QByteArray day = "202612" + QByteArray::number(10 + i % 15);
    return QList<QByteArray>{
        "DUE;VALUE=DATE:" + day + "\r\n", "DUE:" + day + "T090000\r\nPRIORITY:5\r\n",
        "DUE;TZID=America/New_York:" + day + "T070000\r\nCREATED:20260301T100000Z\r\n",
        "DUE:" + day + "T083000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=5\r\n",
        "DUE:" + day +
            "T100000Z\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20261201T080000Z\r\n"
            "END:VALARM\r\n",
        "STATUS:COMPLETED\r\nCOMPLETED:20261130T0" + QByteArray::number(i % 10) + "0000Z\r\n",
        "DESCRIPTION:oat milk\\nand a \"quoted\"\\, long line " + QByteArray(300, 'x') +
            "\r\nPRIORITY:1\r\nURL:https://example.org/caf%C3%A9\r\n",
        // A subtask of the task before it.
        "RELATED-TO:" + list + "-" + QByteArray::number(i - 1) + "\r\n", "PRIORITY:9\r\n",
        // Dates about the zone's changes, on either side of one and before 1970: the cache
        // reads them as instants, the files as local times.
        "STATUS:COMPLETED\r\nCOMPLETED:20261025T0" + QByteArray::number(i % 2) +
            "30000Z\r\nCREATED:20260329T0" + QByteArray::number(i % 2) + "15000Z\r\n",
        "STATUS:COMPLETED\r\nCOMPLETED:19690615T120000Z\r\nCREATED:19690101T000000Z\r\n",
        "DUE;TZID=Europe/Berlin:20261025T023000\r\n",
        "DUE;TZID=America/Sao_Paulo:20181104T0" + QByteArray::number(i % 2) + "30000\r\n",
        // Latin-1 text with what JSON escapes on either side of every eighth character.
        "DESCRIPTION:1234567\"1234567\\\\1234567\t123456ü1234567\\n1234567é\r\n"}
        .at(i % 14);
}

} // namespace

class TestCachedListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_cli.isValid());
        m_cli.setVariable("QT_LOGGING_RULES", QStringLiteral("velmoran.store.cache.debug=true"));
        const QString root = m_cli.storeRoot();
        const QList<QByteArray> titles = {"Buy milk", "Straße café", "tab\there \"quoted\"",
                                          "emoji 😀 naïve"};
        for (const QByteArray& list : {QByteArray("home"), QByteArray("work")}) {
            writeFile(root + "/" + list + "/displayname", list.toUpper());
            for (int i = 0; i < 36; ++i)
                writeFile(root + QStringLiteral("/%1/%2.ics").arg(list).arg(i),
                          todo(list + "-" + QByteArray::number(i),
                               titles[i % titles.size()] + " " + list + " " + QByteArray::number(i),
                               fieldsOf(i, list)));
        }
        // Links into a loop, to another list and to no task; a UID the first list took already;
        // a file holding two tasks; a list that also holds an event; a calendar.
        writeFile(root + "/home/loop-a.ics", todo("loop-a", "Loop a", "RELATED-TO:loop-b\r\n"));
        writeFile(root + "/home/loop-b.ics", todo("loop-b", "Loop b", "RELATED-TO:loop-a\r\n"));
        writeFile(root + "/work/across.ics", todo("across", "Across", "RELATED-TO:home-0\r\n"));
        writeFile(root + "/work/orphan.ics", todo("orphan", "Orphan", "RELATED-TO:gone\r\n"));
        writeFile(root + "/work/copy.ics", todo("home-3", "Copy of home 3 milk"));
        writeFile(root + "/work/pair.ics",
                  CalendarFiles::calendar(
                      CalendarFiles::vtodo("pair-1", "Pair one milk") +
                      CalendarFiles::vtodo("pair-2", "Pair two", "RELATED-TO:pair-1\r\n")));
        const QByteArray event =
            CalendarFiles::eventFile("meeting", "Meeting", "20261210T100000", "20261210T110000");
        writeFile(root + "/work/meeting.ics", event);
        writeFile(root + "/calendar/displayname", "Calendar");
        writeFile(root + "/calendar/meeting.ics", event);
        ageTree(root);
    }

    void cacheAnswersAsTheFilesDo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("shows");
        QTest::newRow("every task as JSON")
            << QStringList{"tasks", "--json"} << QByteArray("\"parent\": \"home-6\"");
        QTest::newRow("every task as lines") << QStringList{"tasks"} << QByteArray("emoji 😀");
        QTest::newRow("completed too")
            << QStringList{"tasks", "--filter", "0", "--completed", "--json"}
            << QByteArray("\"completionDate\": \"2026-11-30T");
        QTest::newRow("search") << QStringList{"tasks", "--search", "milk", "--json"}
                                << QByteArray("Pair one milk");
        QTest::newRow("search beyond ASCII")
            << QStringList{"tasks", "--search", "CAFÉ"} << QByteArray("Straße café");
        QTest::newRow("search of notes")
            << QStringList{"tasks", "--search", "oat milk", "--completed", "--json"}
            << QByteArray("\"url\": \"https://example.org/caf");
    }

    void cacheAnswersAsTheFilesDo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, shows);
        const CliRun::Result files = fromFiles(arguments);
        QCOMPARE(files.exitCode, 0);
        QVERIFY2(files.out.contains(shows), files.out.constData());
        QCOMPARE(m_cli(arguments).exitCode, 0); // the cache as that run leaves it
        const CliRun::Result cached = m_cli(arguments);
        QVERIFY(cached.err.contains(kFromCache));
        QCOMPARE(cached.exitCode, 0);
        QCOMPARE(cached.out, files.out);
    }

    // What the cache does not know of is read from the files: a file changed seconds ago, one
    // rewritten in place to the same size, one added or removed, a damaged cache file. (A
    // folder this run reads anyway leaves a new cache file that may then answer.)
    void whatTheCacheCannotStandForIsReadFromTheFiles_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("shows");
        QTest::addColumn<QByteArray>("hides");
        QTest::addColumn<bool>("readsFiles");
        QTest::newRow("changed seconds ago")
            << "recent" << QByteArray("Fresh milk 1") << QByteArray("Straße café home 1\"") << true;
        QTest::newRow("rewritten in place, same size")
            << "in place" << QByteArray("Sold milk home 1") << QByteArray("Straße café home 1\"")
            << true;
        QTest::newRow("added") << "added" << QByteArray("Added milk") << QByteArray() << false;
        QTest::newRow("removed") << "removed" << QByteArray("Buy milk work 4")
                                 << QByteArray("Buy milk home 4\"") << false;
        QTest::newRow("damaged cache")
            << "damaged" << QByteArray("Buy milk home 4") << QByteArray() << true;
    }

    void whatTheCacheCannotStandForIsReadFromTheFiles()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, shows);
        QFETCH(QByteArray, hides);
        QFETCH(bool, readsFiles);
        const QStringList arguments = {"tasks", "--filter", "0", "--json"};
        QCOMPARE(m_cli(arguments).exitCode, 0);
        QVERIFY(m_cli(arguments).err.contains(kFromCache));

        const QString root = m_cli.storeRoot();
        const QString one = root + "/home/1.ics";
        const QString removed = root + "/home/4.ics";
        const QByteArray original = readFile(one);
        const QByteArray removedBytes = readFile(removed);
        const auto restore = qScopeGuard([&] {
            writeFile(one, original);
            writeFile(removed, removedBytes);
            QFile::remove(root + "/home/added.ics");
            ageTree(root);
        });
        if (change == "recent") {
            writeFile(one, todo("home-1", "Fresh milk 1"));
        } else if (change == "in place") {
            QByteArray rewritten = original;
            rewritten.replace("Straße café home 1", "Sold milk home 1 \xc3\xa9 ");
            QCOMPARE(rewritten.size(), original.size());
            writeFile(one, rewritten);
            setModified(one, kLongAgo + 60);
        } else if (change == "added") {
            writeFile(root + "/home/added.ics", todo("added", "Added milk"));
            ageTree(root);
        } else if (change == "removed") {
            QVERIFY(QFile::remove(removed));
            ageTree(root);
        } else {
            QDir caches(m_cli.environment().value("XDG_CACHE_HOME") + "/velmoran");
            for (const QString& name : caches.entryList({"*.cache"}, QDir::Files)) {
                QFile file(caches.filePath(name));
                QVERIFY(file.open(QIODevice::ReadWrite));
                file.seek(file.size() / 2);
                const char byte = file.read(1).at(0);
                file.seek(file.size() / 2);
                file.write(QByteArray(1, char(~byte)));
            }
        }
        const CliRun::Result changed = m_cli(arguments);
        QCOMPARE(changed.exitCode, 0);
        QVERIFY(!readsFiles || !changed.err.contains(kFromCache));
        QVERIFY2(changed.out.contains(shows), changed.out.constData());
        QVERIFY(hides.isEmpty() || !changed.out.contains(hides));
        QCOMPARE(changed.out, fromFiles(arguments).out);
    }

private:
    // The answer of the store's records: with no cache to write, there is none to read.
    CliRun::Result fromFiles(const QStringList& arguments)
    {
        const QString cacheHome = m_cli.filePath("cache");
        m_cli.setVariable("XDG_CACHE_HOME", m_cli.filePath("no-cache"));
        writeFile(m_cli.filePath("no-cache"), "a file where the cache's folder would be");
        CliRun::Result result = m_cli(arguments);
        m_cli.setVariable("XDG_CACHE_HOME", cacheHome);
        [&] { QVERIFY(!result.err.contains(kFromCache)); }();
        return result;
    }

    CliRun m_cli{QStringLiteral("2026-12-01T10:00")};
};

VELMORAN_TEST_MAIN(TestCachedListing)
#include "tst_cachedlisting.moc"

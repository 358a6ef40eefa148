#pragma once

#include "IcsLines.h"
#include "LoadedDataManager.h"
#include "QuietPreferences.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Todoman.h"

#include "data/DataManager.h"
#include "presentation/detail/DetailServices.h"

#include <QSignalSpy>

// The detail suites' store: one task as another program wrote it, with lines Velmoran does not
// know that every edit must keep, in the list Work beside Home; an event in Calendar; and
// todoman over the same folders, to read back what an edit wrote.
class DetailStore
{
public:
    static inline const QByteArray kTask =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:io.barrera.todoman\r\nBEGIN:VTODO\r\n"
        "CATEGORIES:Home,Garden\r\nCREATED;VALUE=DATE-TIME:20260301T100000Z\r\n"
        "DTSTAMP;VALUE=DATE-TIME:20260301T100000Z\r\nDUE;VALUE=DATE-TIME:20260328T080000Z\r\n"
        "PRIORITY:5\r\nSTATUS:NEEDS-ACTION\r\nSUMMARY:Water the plants\r\nUID:water-plants\r\n"
        "X-OTHER-PROGRAM;X-KIND=test:keep me\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

    DetailStore(const QString& root, const QString& cacheFolder)
        : m_root(root)
        , m_todoman(root, cacheFolder)
    {
        TestFiles::writeFile(root + "/work/displayname", "Work");
        TestFiles::writeFile(root + "/home/displayname", "Home");
        TestFiles::writeFile(root + "/calendar/displayname", "Calendar");
        TestFiles::writeFile(
            root + "/calendar/concert.ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\n"
            "UID:concert\r\nDTSTAMP:20260101T000000Z\r\n"
            "DTSTART;TZID=Europe/Berlin:20260327T193000\r\n"
            "DTEND;TZID=Europe/Berlin:20260327T220000\r\nSUMMARY:Concert\r\n"
            "LOCATION:Old Town Hall\\nMarket Square 1\r\nURL:https://example.org/tickets\r\n"
            "DESCRIPTION:Doors open 19:00\\, tickets at https://example.org/t\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n");
        TestFiles::writeFile(taskPath(), kTask);
        m_before = kTask;
    }

    QString root() const { return m_root; }
    QString taskPath() const { return m_root + "/work/water-plants.ics"; }
    QByteArray file() const { return TestFiles::readFile(taskPath()); }
    // The file as the last check of a change left it.
    const QByteArray& before() const { return m_before; }
    void takeBefore() { m_before = file(); }

    // Since the last check, exactly these properties of the task changed, and the lines of
    // the other program are still there.
    void expectChange(const QStringList& properties)
    {
        const QByteArray after = file();
        QCOMPARE(IcsLines::changedProperties(m_before, after), properties);
        QVERIFY(after.contains("X-OTHER-PROGRAM;X-KIND=test:keep me"));
        QVERIFY(after.contains("CATEGORIES:Home,Garden"));
        QVERIFY(after.contains("UID:water-plants"));
        m_before = after;
    }

    // What todoman reads of the task, where it is installed.
    void checkTodoman(const QString& title, const QDateTime& due, int priority, const QString& list)
    {
        if (!m_todoman.isInstalled())
            return;
        const QJsonObject task = m_todoman.task(title);
        QVERIFY2(!task.isEmpty(), qPrintable(title));
        if (due.isValid())
            QCOMPARE(task.value("due").toInteger(), due.toSecsSinceEpoch());
        else
            QVERIFY(task.value("due").isNull());
        QCOMPARE(task.value("priority").toInt(), priority);
        QCOMPARE(task.value("list").toString(), list);
    }

    // Rewrites the task with `extra` lines, as another program would, and waits until the
    // data manager has read it.
    void rewrite(DataManager& manager, const QByteArray& extra, const QByteArray& replace = {},
                 const QByteArray& by = {})
    {
        QByteArray text = kTask;
        text.replace("END:VTODO", extra + "END:VTODO");
        if (!replace.isEmpty())
            text.replace(replace, by);
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        TestFiles::replaceFile(taskPath(), text);
        QVERIFY(refreshed.wait(5000));
        m_before = file();
    }

private:
    QString m_root;
    Todoman m_todoman;
    QByteArray m_before;
};

// What the detail suites start each test from: quiet preferences with due times, the clock on
// the Friday before the clocks go forward, the store above read by a data manager, and the
// detail services the preferences configure.
struct DetailFixture
{
    Clock clock;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<UserDefaults> defaults;
    std::optional<TestContext> context;
    std::optional<DetailStore> store;
    std::unique_ptr<DataManager> manager;
    std::unique_ptr<PreferredDetailServices> services;

    // False (and a failed test) when the store was never read.
    bool setUp()
    {
        setUpQuietPreferences(dir, defaults, context);
        defaults->setBool(false, PrefKey::noDueTime);
        clock.setNow(TestEnvironment::local(2026, 3, 27, 14, 23, 10));
        store.emplace(dir->filePath("store"), dir->path());
        manager = loadedDataManager(*defaults, clock, store->root());
        services = std::make_unique<PreferredDetailServices>(*defaults);
        return manager != nullptr;
    }
};

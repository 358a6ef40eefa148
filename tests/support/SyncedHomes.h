#pragma once

// Two homes syncing their tasks through a real Radicale with a real vdirsyncer, the passwords
// in a real gnome-keyring. A suite that uses it runs inside dbus-run-session (the keyring needs
// a bus) and runs velmoran-cli (the conflict step).

#include "CalDavServer.h"
#include "StoreLookups.h"
#include "StoreQueries.h"
#include "TestFiles.h"
#include "platform/store/EventStore.h"
#include "platform/sync/SyncRunner.h"
#include "platform/sync/SyncSetup.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace SyncedAccount {
inline const QString kUser = QStringLiteral("alice");
inline const QString kPassword = QStringLiteral("pass word \"ü\"");
} // namespace SyncedAccount

// One computer: its own configuration and data folders, its own vdirsyncer status.
struct SyncHome
{
    explicit SyncHome(const QString& base)
        : paths{base + "/config", base + "/data"}
        , setup(paths, secrets,
                {QStringLiteral(VELMORAN_CLI_PATH), QStringLiteral("sync-conflict")})
    {}
    SyncPaths paths;
    SecretStore secrets;
    SyncSetup setup;
    SyncRunner runner;

    // The account's folder; before the account is added (a test function run on its own), a
    // folder that does not exist inside this home, so that a test writes nothing outside it.
    QString folder() const
    {
        const QString account = paths.accountFolder(setup.accounts().value(0).id);
        return account.isEmpty() ? paths.dataFolder + QStringLiteral("/no-account-yet") : account;
    }
    SyncReport sync() { return setup.syncAll(runner); }
};

// The server with the lists "work" and "home" ("Home "&" Garden"), and the homes A and B.
class SyncedHomes
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    CalDavServer m_server;
    std::unique_ptr<SyncHome> m_a;
    std::unique_ptr<SyncHome> m_b;

    void startServerAndHomes()
    {
        QVERIFY(startKeyring());
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_server.start(m_dir->filePath("server"), SyncedAccount::kUser,
                               SyncedAccount::kPassword));
        QVERIFY(m_server.makeCalendar("work", "Work"));
        QVERIFY(m_server.makeCalendar("home", "Home \"&\" Garden"));
        m_a = std::make_unique<SyncHome>(m_dir->filePath("a"));
        m_b = std::make_unique<SyncHome>(m_dir->filePath("b"));
    }

    // A task as the user would compare it on two machines.
    static QString describe(const store::Reminder& reminder)
    {
        QStringList alarms;
        for (const store::Alarm& alarm : reminder.alarms)
            alarms << (alarm.isLocationAlarm() ? QStringLiteral("at %1 %2")
                                                     .arg(alarm.structuredLocation->title)
                                                     .arg(int(alarm.proximity))
                                               : QString::number(alarm.relativeOffset));
        return QStringList{reminder.calendar ? reminder.calendar->title : QString(),
                           reminder.title,
                           reminder.completed ? "done" : "open",
                           reminder.dueDateComponents
                               ? reminder.dueDateComponents->date().toString(Qt::ISODate)
                               : "-",
                           QString::number(reminder.recurrenceRules.size()),
                           alarms.join(',')}
            .join(" | ");
    }

    static QStringList tasksOf(SyncHome& home)
    {
        store::EventStore store({home.folder()});
        QString error;
        if (!store.accessToEntityType(store::EntityType::Reminder, &error))
            return {error};
        QStringList lines;
        for (const store::ReminderPtr& reminder : StoreQueries::allReminders(store))
            lines << describe(*reminder);
        lines.sort();
        return lines;
    }

    // Runs `edit` on a store over `home`'s account folder.
    template <typename Change> static void change(SyncHome& home, Change&& edit)
    {
        store::EventStore store({home.folder()});
        QVERIFY(store.accessToEntityType(store::EntityType::Reminder));
        edit(store);
    }

    static void synced(SyncHome& home)
    {
        const SyncReport report = home.sync();
        QVERIFY2(report.ok(), qPrintable(report.log));
    }

    // Syncs A, B and A again: both then hold the same tasks, which it returns.
    QStringList syncBoth()
    {
        for (SyncHome* home : {m_a.get(), m_b.get(), m_a.get()})
            synced(*home);
        const QStringList onA = tasksOf(*m_a);
        QTest::qCompare(tasksOf(*m_b), onA, "tasksOf(*m_b)", "onA", __FILE__, __LINE__);
        return onA;
    }

    // Adds the account with every list of the server; `found` gets them as "name=display name".
    void addAccount(SyncHome& home, QStringList* found = nullptr)
    {
        const SyncSetup::Added added = home.setup.addAccount(m_server.url(), SyncedAccount::kUser,
                                                             SyncedAccount::kPassword, home.runner);
        QVERIFY2(added.account, qPrintable(added.error + "\n" + added.listing.log));
        QStringList names;
        for (const SyncReport::Collection& collection : added.listing.discovered) {
            names << collection.name;
            if (found)
                *found << collection.name + "=" + collection.displayName;
        }
        // The listing ran on a configuration of its own: nothing of it is left behind.
        QVERIFY(!QFile::exists(home.paths.configFile()) || home.setup.collectionCount() == 0);
        QVERIFY(home.setup.setCollections(added.account->id, names));
    }

    static void writeTasks(SyncHome& home, const QString& collection, const QString& title,
                           int count)
    {
        for (int i = 0; i < count; ++i) {
            const QByteArray name = QStringLiteral("%1-%2").arg(title).arg(i).toUtf8();
            TestFiles::writeFile(
                QStringLiteral("%1/%2/%3.ics").arg(home.folder(), collection, name),
                TestFiles::todo(name, QStringLiteral("%1 %2").arg(title).arg(i).toUtf8(),
                                "DTSTAMP:20261201T100000Z\r\n"));
        }
    }

    static int icsCount(const QString& folder)
    {
        return int(QDir(folder).entryList({"*.ics"}, QDir::Files).size());
    }
};

// runs inside dbus-run-session
#include "PreferenceFixture.h"

#include "platform/UbiquitousKeyValueStore.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/SyncTab.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

// Two machines: two configuration homes and two stores, one sync folder carried between them.
class TestSyncTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_sync.isValid() && m_homes.isValid());
        QFile::remove(m_sync.filePath(UbiquitousKeyValueStore::fileName()));
        m_here = makeMachine("here", {"Home", "Work"});
        QVERIFY(m_here);
        m_there = makeMachine("there", {"Work", "Errands"});
        QVERIFY(m_there);
    }

    void cleanup()
    {
        m_there.reset();
        m_here.reset();
    }

    void aSetSavedHereLoadsThereWithListsMatchedByTitle()
    {
        UserDefaults& here = *m_here->defaults;
        const QString work = identifierOf(*m_here, "Work");
        const QString home = identifierOf(*m_here, "Home");
        here.setObject(QStringList{work, home}, PrefKey::visibleLists);
        here.setString(work, PrefKey::defaultList);
        here.setBool(true, PrefKey::soundOn);
        here.setInteger(2, PrefKey::fontSize);
        SyncTab* saving = tab(*m_here);
        saving->saveButton()->click();
        QCOMPARE(saving->table()->topLevelItem(0)->text(0), PreferenceSync::deviceName());

        SyncTab* loading = tab(*m_there);
        QTRY_COMPARE(loading->table()->topLevelItemCount(), 1);
        UserDefaults& there = *m_there->defaults;
        // Asked first; "Cancel" changes nothing.
        m_there->answer = false;
        loading->loadSyncPreferences(0);
        QCOMPARE(m_there->alerts.size(), 1);
        QVERIFY(!there.boolForKey(PrefKey::soundOn));

        m_there->answer = true;
        QSignalSpy loaded(loading, &SyncTab::preferencesLoaded);
        loading->loadSyncPreferences(0);
        QVERIFY(loaded.wait(5000));
        QVERIFY(there.boolForKey(PrefKey::soundOn));
        QCOMPARE(there.stringForKey(PrefKey::defaultList), identifierOf(*m_there, "Work"));
        QVERIFY2(loading->reportLabel()->text().endsWith("left out: Home."),
                 qPrintable(loading->reportLabel()->text()));
        // The window and the main window were redrawn from the new values.
        QVERIFY(m_there->object->generalPage()->soundButton()->isChecked());
        QCOMPARE(m_there->relayed.value("refreshLeftList"), 1);
        QCOMPARE(m_there->modes->fontSize(), 18u);
    }

    void aSetIsDeletedAndTheFolderChooserMovesTheSets()
    {
        QTemporaryDir elsewhere;
        SyncTab* here = tab(*m_here);
        here->saveButton()->click();
        here->table()->setCurrentItem(here->table()->topLevelItem(0));
        here->deleteButton()->click();
        QCOMPARE(here->table()->topLevelItemCount(), 0);
        here->saveButton()->click();
        m_here->chosenFolder = elsewhere.path();
        here->folderButton()->click();
        QCOMPARE(m_here->defaults->stringForKey(PrefKey::syncFolder), elsewhere.path());
        QCOMPARE(here->table()->topLevelItemCount(), 0);
        // A cancelled chooser keeps the folder.
        m_here->chosenFolder.clear();
        here->folderButton()->click();
        QCOMPARE(here->syncFolder(), elsewhere.path());
        QVERIFY(!here->loadButton()->isEnabled());
    }

private:
    static QString identifierOf(PreferenceFixture& machine, const QString& title)
    {
        return machine.manager->lists().calendarFromName(title)->calendarIdentifier;
    }
    SyncTab* tab(PreferenceFixture& machine) { return machine.object->advancedPage()->syncTab(); }

    std::unique_ptr<PreferenceFixture> makeMachine(const QString& name, const QStringList& lists)
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_homes.filePath(name)));
        auto machine = std::make_unique<PreferenceFixture>();
        for (const QString& list : lists) {
            if (!PreferenceFixture::makeCollection(machine->root() + "/" + list.toLower(), list))
                return nullptr;
        }
        if (!machine->setUp())
            return nullptr;
        machine->chosenFolder = m_sync.path();
        tab(*machine)->folderButton()->click();
        return machine;
    }

    QTemporaryDir m_homes;
    QTemporaryDir m_sync;
    std::unique_ptr<PreferenceFixture> m_here;
    std::unique_ptr<PreferenceFixture> m_there;
};

VELMORAN_WIDGET_TEST_MAIN(TestSyncTab)
#include "tst_synctab.moc"

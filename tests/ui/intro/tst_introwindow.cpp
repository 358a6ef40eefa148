#include "LoadedStore.h"
#include "TaskListDay.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "platform/store/CollectionFinder.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/intro/IntroStorePage.h"
#include "ui/intro/IntroWindowController.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace TestFiles;

// The onboarding window over a real store and real preference files: its pages in order, the
// choice of folders, the default list, the list rules, and what finishing or closing it writes.
class TestIntroWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_home = m_store->dir.filePath("home");
        QDir().mkpath(m_home);
        m_defaults = m_store->defaults.get();
        m_defaults->synchronize();
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        // The folders are the preferences' (none yet: Velmoran's own), as at a first start.
        m_store->manager = std::make_unique<DataManager>(*m_defaults, m_store->clock, [this] {
            return std::make_unique<store::EventStore>(StoreFolders::configuredRoots(*m_defaults),
                                                       m_store->clock);
        });
        m_manager = m_store->manager.get();
        m_store->clock.setNow(TestEnvironment::local(2026, 12, 7, 9));
    }

    void cleanup()
    {
        m_intro.reset();
        m_store.reset();
        QDir(StoreFolders::defaultRoot()).removeRecursively();
    }

    // Nothing found: Velmoran's own folder is used, created with its two collections, and every
    // preference of the window is written only at the end. Back, on every page after the
    // first, keeps what was chosen and makes no second list.
    void firstLaunchOnItsOwnFolder()
    {
        open();
        QCOMPARE(m_intro->currentPage(), 1);
        QVERIFY(!m_intro->backButton(1));
        next(1);
        QTRY_VERIFY(m_intro->storePage()->ownStoreButton()->isChecked());
        QVERIFY(!m_intro->storePage()->foundStoresButton()->isEnabled());
        next(2, 3);
        const QString reminders = m_manager->lists().defaultCalendar()->calendarIdentifier;
        next(4);
        back(5);
        QCOMPARE(m_intro->tableView()->item(0)->checkState(), Qt::Checked);
        back(4);
        back(3);
        QVERIFY(m_intro->storePage()->ownStoreButton()->isChecked());
        next(2);
        QCOMPARE(m_manager->lists().allCalendars().size(), 1);
        QCOMPARE(m_manager->lists().defaultCalendar()->calendarIdentifier, reminders);
        QVERIFY(!m_defaults->hasStoredValue("storeFolders"));
        QVERIFY(m_defaults->stringForKey(PrefKey::defaultList).isEmpty());
        next(3, 4);
        QVERIFY(!m_defaults->boolForKey(PrefKey::soundOn));
        next(5);
        QCOMPARE(m_finished, 1);
        UserDefaults stored(m_defaults->filePath());
        QCOMPARE(stored.stringForKey(PrefKey::defaultList), reminders);
        QCOMPARE(stored.stringArrayForKey(PrefKey::visibleLists), QStringList{reminders});
        QCOMPARE(stored.stringArrayForKey(PrefKey::invisibleLists), QStringList{});
        QVERIFY(stored.boolForKey(PrefKey::soundOn));
        QVERIFY(stored.boolForKey(PrefKey::initialLaunch)); // the shell's to clear
    }

    // Found folders start chosen; the lists of the chosen store are offered, all checked with
    // the default list first; the default list and the last visible list stay checked.
    void foundFoldersAndTheListRules()
    {
        writeFile(calendars() + "/work/displayname", "Work");
        writeFile(calendars() + "/work/w1.ics", todo("w1", "Report"));
        writeFile(calendars() + "/home/displayname", "Home");
        writeFile(calendars() + "/home/h1.ics", todo("h1", "Plants"));
        writeFile(calendars() + "/home/h2.ics", todo("h2", "Dishes"));
        writeFile(calendars() + "/errands/displayname", "Errands");
        writeFile(calendars() + "/errands/e1.ics", todo("e1", "Milk"));
        open();
        next(1);
        QTRY_COMPARE(m_intro->storePage()->foundList()->count(), 1);
        QVERIFY(m_intro->storePage()->foundList()->item(0)->text().contains("3 lists, 4 tasks"));
        QCOMPARE(m_intro->storePage()->chosenRoots(), QStringList{calendars()});
        next(2);
        const QString defaultTitle = m_intro->defaultTitle()->text();
        QListWidget* table = m_intro->tableView();
        QCOMPARE(table->item(0)->text(), defaultTitle);
        QCOMPARE(table->item(2)->checkState(), Qt::Checked);

        m_intro->check(0); // the default list
        QCOMPARE(table->item(0)->checkState(), Qt::Checked);
        m_intro->check(1);
        m_intro->check(2);
        QCOMPARE(table->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(m_intro->listChoice().visibleLists().size(), 1);
        // Checking again asks the store first.
        m_intro->check(2);
        QCOMPARE(table->item(2)->checkState(), Qt::PartiallyChecked);
        m_intro->check(1); // ignored while the check runs
        QCOMPARE(table->item(1)->checkState(), Qt::Unchecked);
        QTRY_COMPARE(table->item(2)->checkState(), Qt::Checked);
        next(3, 5);
        UserDefaults stored(m_defaults->filePath());
        QCOMPARE(stored.stringArrayForKey("storeFolders"), QStringList{calendars()});
        const QStringList visible = stored.stringArrayForKey(PrefKey::visibleLists);
        const QStringList invisible = stored.stringArrayForKey(PrefKey::invisibleLists);
        QCOMPARE(invisible.size(), 1);
        QCOMPARE(m_manager->lists().calendarByUUID(invisible.first())->title,
                 table->item(1)->text());
        QCOMPARE(m_manager->lists().calendarByUUID(visible.first())->title, defaultTitle);
    }

    // A folder with calendars only gets a task list, made as the first run makes one, and the
    // page says where.
    void calendarsOnlyGetAReminderList()
    {
        writeFile(calendars() + "/personal/displayname", "Personal");
        writeFile(calendars() + "/personal/e1.ics",
                  TaskListDay::event("e1", "Dentist", "20261207T100000", "20261207T110000"));
        open();
        next(1);
        QTRY_COMPARE(m_intro->storePage()->chosenRoots(), QStringList{calendars()});
        next(2);
        QCOMPARE(m_intro->defaultTitle()->text(), QString("Reminders"));
        bool said = false;
        for (QLabel* label : m_intro->findChildren<QLabel*>())
            said |= label->isVisibleTo(m_intro.get()) && label->text().contains("created the list");
        QVERIFY(said);
        QCOMPARE(m_manager->lists().allCalendars().size(), 1);
        QVERIFY(QFileInfo(m_manager->lists().defaultCalendar()->folderPath).path() == calendars());
    }

    // A chosen folder Velmoran cannot use (here: gone since the search) keeps the user on the
    // page with an alert. Once it is back the page goes on; closing before the end then puts
    // the folders back and leaves the preferences as they were.
    void anUnusableFolderAndClosingWriteNothing()
    {
        writeFile(calendars() + "/work/displayname", "Work");
        writeFile(calendars() + "/work/w1.ics", todo("w1", "Report"));
        const QByteArray before = readFile(m_defaults->filePath());
        open();
        QStringList alerts;
        m_intro->setAlert([&alerts](const QString&, const QString& text) { alerts << text; });
        next(1);
        QTRY_COMPARE(m_intro->storePage()->chosenRoots(), QStringList{calendars()});
        QVERIFY(QDir(calendars()).removeRecursively());
        QSignalSpy shown(m_intro.get(), &IntroWindowController::pageShown);
        m_intro->nextButton(2)->click();
        QCOMPARE(alerts.size(), 1);
        QVERIFY(alerts.first().contains(calendars()));
        QVERIFY(!shown.wait(2 * IntroWindowController::kFadeMs));
        QCOMPARE(m_intro->currentPage(), 2);

        writeFile(calendars() + "/work/displayname", "Work");
        writeFile(calendars() + "/work/w1.ics", todo("w1", "Report"));
        next(2, 3);
        m_intro->check(0);
        m_intro->close();
        QCOMPARE(m_cancelled, 1);
        QCOMPARE(readFile(m_defaults->filePath()), before);
        QCOMPARE(m_manager->eventStore()->roots(), QStringList{StoreFolders::defaultRoot()});
    }

    // A folder picked with the chooser joins the found ones, counted; a collection picked by
    // mistake stands for its parent folder.
    void addingAFolder()
    {
        const QString elsewhere = m_store->dir.filePath("elsewhere");
        writeFile(elsewhere + "/tasks/t1.ics", todo("t1", "One"));
        writeFile(elsewhere + "/tasks/t2.ics", todo("t2", "Two"));
        IntroStorePage page;
        page.setInspect([](const QString& folder) {
            return store::CollectionFinder(QDir::homePath(), {}).inspect(folder);
        });
        page.setFound({});
        page.setChooseFolder([] { return QString(); });
        page.addFolder();
        QCOMPARE(page.foundList()->count(), 0);
        page.setChooseFolder([elsewhere] { return elsewhere + "/tasks"; });
        page.addFolder();
        page.addFolder();
        QCOMPARE(page.foundList()->count(), 1);
        QVERIFY(page.foundList()->item(0)->text().contains("1 list, 2 tasks, 0 events"));
        QCOMPARE(page.chosenRoots(), QStringList{QFileInfo(elsewhere).canonicalFilePath()});
        page.ownStoreButton()->setChecked(true);
        QVERIFY(page.chosenRoots().isEmpty());
    }

private:
    // Presses the page's Back button and waits for the page before it.
    void back(int page)
    {
        QCOMPARE(m_intro->currentPage(), page);
        QTRY_VERIFY(m_intro->backButton(page)->isEnabled());
        m_intro->backButton(page)->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_intro->currentPage(), page - 1, 5000);
    }

    QString calendars() const { return m_home + "/.calendars"; }

    void open()
    {
        m_intro = std::make_unique<IntroWindowController>(*m_manager, *m_modes);
        const QString home = m_home;
        m_intro->setFinderFactory([home] { return store::CollectionFinder(home, {}); });
        m_intro->setFinished([this] { ++m_finished; });
        m_intro->setCancelled([this] { ++m_cancelled; });
        m_finished = m_cancelled = 0;
        m_intro->show();
    }

    // Presses the button of each page from `page` to `last` (or of `page` alone) and waits for
    // the page after it; the last page's button finishes.
    void next(int page, int last = 0)
    {
        for (int at = page; at <= qMax(page, last); ++at) {
            QCOMPARE(m_intro->currentPage(), at);
            QTRY_VERIFY(m_intro->nextButton(at)->isEnabled());
            m_intro->nextButton(at)->click();
            if (at < 5)
                QTRY_COMPARE_WITH_TIMEOUT(m_intro->currentPage(), at + 1, 5000);
        }
    }

    std::optional<LoadedStore> m_store;
    QString m_home;
    UserDefaults* m_defaults = nullptr;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<IntroWindowController> m_intro;
    int m_finished = 0;
    int m_cancelled = 0;
};

VELMORAN_WIDGET_TEST_MAIN(TestIntroWindow)
#include "tst_introwindow.moc"

// runs inside dbus-run-session
#include "PreferenceFixture.h"
#include "StoreQueries.h"
#include "TaskListDay.h"
#include "TestFiles.h"

#include "data/TaskLists.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/ListRowsModel.h"
#include "ui/prefs/ListsPage.h"
#include "ui/prefs/NewTaskPage.h"
#include "ui/prefs/StoreFoldersGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QToolButton>

#include <memory>

class TestListsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<PreferenceFixture>();
        PreferenceFixture& f = *m_fixture;
        QVERIFY(PreferenceFixture::makeCollection(f.root() + "/home", "Home"));
        QVERIFY(PreferenceFixture::makeCollection(f.root() + "/work", "Work"));
        QVERIFY(PreferenceFixture::makeCollection(f.root() + "/shop", "Shop"));
        QVERIFY(PreferenceFixture::writeFile(
            f.root() + "/home/done.ics",
            TestFiles::todo("done", "Done already",
                            "STATUS:COMPLETED\r\nCOMPLETED:20261201T100000Z\r\n")));
        QVERIFY(f.setUp());
        page()->setupListAndCalendar();
    }

    void cleanup() { m_fixture.reset(); }

    // Hiding the default list makes the first list still shown the default; the sidebar, the
    // tray panel and the Lists menu rebuild from what the lists now say.
    void hidingAListReachesTheSidebar()
    {
        const QStringList shown = lists().visibleLists();
        defaults().setString(shown.at(0), PrefKey::defaultList);
        m_fixture->object->newTaskPage()->resetDefaultListItems();
        clickBox(0);
        QCOMPARE(defaults().stringArrayForKey(PrefKey::visibleLists), shown.mid(1));
        QCOMPARE(defaults().stringArrayForKey(PrefKey::invisibleLists), shown.mid(0, 1));
        QCOMPARE(lists().visibleLists(), shown.mid(1));
        QCOMPARE(defaults().stringForKey(PrefKey::defaultList), shown.at(1));
        QCOMPARE(m_fixture->object->newTaskPage()->defaultListPopUp()->count(), 2);
        for (const char* relay : {"refreshLeftList", "panelRefreshOnListChange", "setupListsMenu"})
            QVERIFY2(m_fixture->relayed.value(relay) == 1, relay);
    }

    void aHiddenListIsShownOnceTheStoreAnswers()
    {
        const QString work = lists().visibleLists().at(1);
        clickBox(1);
        QVERIFY(!lists().visibleLists().contains(work));
        const int hidden = row(work);

        clickBox(hidden);
        QVERIFY(page()->isValidating());
        QVERIFY(!model()->data(model()->index(hidden), Qt::CheckStateRole).isValid());
        // Clicks meanwhile are undone.
        const QStringList before = defaults().stringArrayForKey(PrefKey::visibleLists);
        clickBox(0);
        QCOMPARE(defaults().stringArrayForKey(PrefKey::visibleLists), before);

        QTRY_VERIFY(!page()->isValidating());
        QVERIFY(lists().visibleLists().contains(work));
        QVERIFY(m_fixture->alerts.isEmpty());
    }

    void aStoreTooSlowToAnswerIsReportedAndLateAnswersStillCount()
    {
        const QString work = lists().visibleLists().at(1);
        clickBox(1);
        m_fixture->window->selectPanelAtIndex(PreferenceObject::Lists);
        m_fixture->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_fixture->window.get()));
        // The store holds its answer back until the page has given up. The semaphore is shared
        // with the hook: a fetch queued before the hook was removed may start only after this
        // function has returned, and must then find it released rather than gone.
        const auto answer = std::make_shared<QSemaphore>();
        store::EventStore* eventStore = m_fixture->manager->eventStore();
        eventStore->setBeforeFetch([answer] { answer->acquire(); });
        // Whatever fails below, the store's thread is let go before the store.
        const auto letGo = qScopeGuard([answer, eventStore] {
            eventStore->setBeforeFetch({});
            answer->release(1000);
        });
        page()->setValidationTimeout(50);
        clickBox(row(work));
        QTRY_COMPARE(m_fixture->alerts.size(), 1);
        QVERIFY(!page()->isValidating());
        QCOMPARE(m_fixture->alerts.first().message, QString("Can't access the list"));
        QVERIFY(m_fixture->alerts.first().informativeText.endsWith(
            "\n\n• " + lists().calendarByUUID(work)->title));
        QCOMPARE(model()->data(model()->index(row(work)), Qt::CheckStateRole).toInt(),
                 int(Qt::Unchecked));
        QVERIFY(!lists().visibleLists().contains(work));
        answer->release();
        QTRY_VERIFY(lists().visibleLists().contains(work));
    }

    void dragsReorderTheStoredLists()
    {
        const QStringList shown = lists().visibleLists();
        ListRowsModel* rows = model();
        std::unique_ptr<QMimeData> data(rows->mimeData({rows->index(2)}));
        QVERIFY(rows->canDropMimeData(data.get(), Qt::MoveAction, 0, 0, {}));
        rows->dropMimeData(data.get(), Qt::MoveAction, 0, 0, {});
        QCOMPARE(defaults().stringArrayForKey(PrefKey::visibleLists),
                 QStringList({shown.at(2), shown.at(0), shown.at(1)}));

        // Alt+Down moves the current row one place down.
        QListView* table = page()->listTable();
        table->setCurrentIndex(rows->index(0));
        QTest::keyClick(table, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(defaults().stringArrayForKey(PrefKey::visibleLists),
                 QStringList({shown.at(0), shown.at(2), shown.at(1)}));
    }

    void onlyAHiddenListCanBeDeleted()
    {
        const QString shop = lists().visibleLists().at(2);
        const QString folder = lists().calendarByUUID(shop)->folderPath;
        select(row(shop));
        QVERIFY(!page()->segment(ListsPage::DeleteSegment)->isEnabled());
        QVERIFY(page()->segment(ListsPage::DeleteCompletedSegment)->isEnabled());
        clickBox(row(shop));
        select(row(shop));
        QVERIFY(page()->segment(ListsPage::DeleteSegment)->isEnabled());

        m_fixture->answer = false;
        // The question says where the list goes and for as long as the preference keeps it.
        defaults().setObject(14, PrefKey::deletedKeepDays);
        page()->segment(ListsPage::DeleteSegment)->click();
        QVERIFY(m_fixture->alerts.last().informativeText.endsWith("kept for 14 days."));
        QVERIFY(QFileInfo::exists(folder));

        m_fixture->answer = true;
        select(row(shop));
        page()->segment(ListsPage::DeleteSegment)->click();
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(row(shop), -1);
        QVERIFY(!defaults().stringArrayForKey(PrefKey::invisibleLists).contains(shop));
    }

    void deletingAListAnotherProgramDeletedLeavesNoRow()
    {
        const QString shop = lists().visibleLists().at(2);
        clickBox(row(shop));
        QVERIFY(QDir(lists().calendarByUUID(shop)->folderPath).removeRecursively());
        select(row(shop));
        page()->segment(ListsPage::DeleteSegment)->click();
        QCOMPARE(row(shop), -1);
        QVERIFY(!defaults().stringArrayForKey(PrefKey::invisibleLists).contains(shop));
    }

    void completedTasksGoAfterConfirmation()
    {
        const QString home = m_fixture->root() + "/home/done.ics";
        select(row(lists().calendarFromName("Home")->calendarIdentifier));
        page()->segment(ListsPage::DeleteCompletedSegment)->click();
        QCOMPARE(m_fixture->alerts.last().message, QString("Delete completed tasks on this list?"));
        QTRY_VERIFY(!QFileInfo::exists(home));
    }

    void listsAreAddedAndEditedThroughTheListWindow()
    {
        page()->segment(ListsPage::AddSegment)->click();
        AddListWindowController* sheet = page()->addListWindow();
        QVERIFY(sheet);
        sheet->titleField()->setText("Garden");
        sheet->doneButtonAction();
        QTRY_VERIFY(lists().calendarFromName("Garden") &&
                    lists().visibleLists().contains(
                        lists().calendarFromName("Garden")->calendarIdentifier));
        // The window's own sheet does not make the next activation re-read the lists.
        QVERIFY(page()->takeBlockRefresh());
        // A double click opens the same window on the list.
        page()->doubleClick(row(lists().calendarFromName("Work")->calendarIdentifier));
        QCOMPARE(page()->addListWindow()->titleField()->text(), QString("Work"));
    }

    // Every folder but the one holding a task may hold events; hiding the events hides the
    // calendars' rows.
    void eventsCanBeHiddenAltogether()
    {
        QCOMPARE(page()->calendarModel()->rowCount(), 2);
        page()->viewEventsButton()->click();
        QVERIFY(page()->calendarTable()->isHidden());
        QVERIFY(!page()->showDotsButton()->isEnabled());
        QCOMPARE(defaults().boolForKey(PrefKey::viewEvents), false);
    }

    // A folder added on the General page brings its lists and calendars and takes them away
    // again when removed; a folder that is not there is refused. (Folders that todoman and khal
    // wrote themselves are found and read in tst_firstlaunch.)
    void storeFoldersAddedAndRemoved()
    {
        PreferenceFixture& f = *m_fixture;
        const QString peers = f.dir.path() + "/peers";
        QVERIFY(PreferenceFixture::makeCollection(peers + "/errands", "Errands"));
        QVERIFY(PreferenceFixture::makeCollection(peers + "/family", "Family"));
        QVERIFY(PreferenceFixture::writeFile(peers + "/errands/parcel.ics",
                                             TestFiles::todo("parcel", "Post the parcel")));
        QVERIFY(PreferenceFixture::writeFile(
            peers + "/family/dentist.ics",
            TaskListDay::event("dentist", "Dentist", "20261210T100000", "20261210T110000")));

        StoreFoldersGroup* group = f.object->generalPage()->storeFolders();
        QVERIFY(!group->addFolder(f.dir.path() + "/missing"));
        QCOMPARE(defaults().stringArrayForKey(PrefKey::storeFolders), QStringList{f.root()});

        QVERIFY(group->addFolder(peers));
        QCOMPARE(group->folderList()->count(), 2);
        QVERIFY(f.waitForRefresh());
        QVERIFY(lists().calendarFromName("Errands")->title == "Errands");
        f.object->refreshData();
        QVERIFY(StoreQueries::titles(f.object->listChoice().lists()).contains("Errands"));
        QVERIFY(StoreQueries::titles(f.object->listChoice().calendars()).contains("Family"));

        group->removeFolder(peers);
        QCOMPARE(defaults().stringArrayForKey(PrefKey::storeFolders), QStringList{f.root()});
        QVERIFY(f.waitForRefresh());
        QVERIFY(lists().calendarFromName("Errands")->title != "Errands");
    }

private:
    ListsPage* page() const { return m_fixture->object->listsPage(); }
    ListRowsModel* model() const { return page()->listModel(); }
    TaskLists& lists() const { return m_fixture->manager->lists(); }
    UserDefaults& defaults() const { return *m_fixture->defaults; }
    int row(const QString& identifier) const
    {
        return m_fixture->object->listChoice().rowOfList(identifier);
    }
    void clickBox(int index)
    {
        model()->setData(model()->index(index), Qt::Unchecked, Qt::CheckStateRole);
    }
    void select(int index)
    {
        page()->listTable()->selectionModel()->select(model()->index(index),
                                                      QItemSelectionModel::ClearAndSelect);
        page()->changeManageListControlEnableStatus();
    }

    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestListsPage)
#include "tst_listspage.moc"

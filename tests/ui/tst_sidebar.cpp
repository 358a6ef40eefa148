#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/sidebar/SidebarLayout.h"
#include "ui/main/sidebar/SidebarModel.h"

#include <QAbstractItemModelTester>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

QVariantMap entry(qint64 type, const QString& tag = {})
{
    QVariantMap map{{"type", QVariant::fromValue(type)}};
    if (!tag.isEmpty())
        map.insert("tag", tag);
    return map;
}

QVariantMap merged(const QString& name)
{
    QVariantMap map = entry(9, name);
    map.insert("lists", QVariantList());
    map.insert("priorities", QVariantList{QVariant::fromValue(qint64(3))});
    return map;
}

store::CalendarPtr list(QString identifier, QString title)
{
    auto calendar = std::make_shared<store::Calendar>();
    calendar->calendarIdentifier = identifier;
    calendar->title = title;
    return calendar;
}

// The rows as types, "-" for a divider: "11 12 13 - 10 - 14".
QString shape(const SidebarLayout& layout)
{
    QStringList rows;
    for (int row = 0; row < layout.rowCount(); ++row)
        rows << (layout.isDivider(row) ? QStringLiteral("-")
                                       : QString::number(layout.dictForRow(row).storedType()));
    return rows.join(' ');
}

QString describe(const QVariantList& entries)
{
    QStringList texts;
    for (const QVariant& value : entries)
        texts << QStringLiteral("%1:%2")
                     .arg(UserDefaults::integerValue(value.toMap().value("type")))
                     .arg(value.toMap().value("tag").toString());
    return texts.join(' ');
}

// What the main window hears from the sidebar.
struct RecordingWindow : LeftViewControllerDelegate
{
    QList<QVariantMap> selections; // as stored
    int left = 0;
    int right = 0;
    QList<bool> pins;
    QList<QRect> shares;
    void selectedRowChangedWithDictionary(const ListEntry& d) override
    {
        selections << d.toStored();
    }
    void keyLeftTapped() override { ++left; }
    void keyRightTapped() override { ++right; }
    void pinButtonOn(bool on) override { pins << on; }
    void shareListWithRect(const QRect& rect) override { shares << rect; }
};

} // namespace

class TestSidebar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutRows_data()
    {
        QTest::addColumn<QVariantList>("nav");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QString>("rows");

        const QVariantList none;
        QTest::newRow("two lists only") << none << QStringList{"a", "b"} << "11 12 13 - 10 10 - 14";
        QTest::newRow("every group")
            << QVariantList{entry(0), entry(8, "Home"), entry(5), merged("M")} << QStringList{"b"}
            << "11 12 13 - 0 5 - 8 9 - 10 - 14";
        QTest::newRow("smart lists without user lists")
            << QVariantList{entry(15, "milk")} << QStringList{} << "11 12 13 - 15 - - 14";
        QTest::newRow("unknown and repeated identifiers")
            << QVariantList{entry(4)} << QStringList{"gone", "a", "b", "a"}
            << "11 12 13 - 4 - 10 10 10 - 14";
    }

    void layoutRows()
    {
        QFETCH(QVariantList, nav);
        QFETCH(QStringList, visible);
        QFETCH(QString, rows);
        SidebarLayout layout;
        layout.loadLists(ListEntry::fromStoredArray(nav), visible,
                         {list("a", "Alpha"), list("b", "Beta")});
        QCOMPARE(shape(layout), rows);
        QCOMPARE(layout.rowCount(), int(rows.split(' ').size()));
        QVERIFY(layout.dictForRow(3).isEmpty());
        QVERIFY(layout.dictForRow(layout.rowCount()).isEmpty());
        QCOMPARE(layout.dictForRow(layout.searchRow()).title(), "Search");
    }

    void layoutPositionsAndRules()
    {
        SidebarLayout layout;
        layout.loadLists(
            ListEntry::fromStoredArray({entry(0), entry(1), entry(8, "Home"), merged("M")}),
            {"a", "b"}, {list("a", "Alpha"), list("b", "Beta")});
        // 0-2 dates, 3 -, 4-5 presets, 6 -, 7-8 smart, 9 -, 10-11 lists, 12 -, 13 search
        QCOMPARE(layout.rowForPresetList(2), 5);
        QCOMPARE(layout.rowForSmartList(1), 7);
        QCOMPARE(layout.rowForList(2), 11);
        QCOMPARE(layout.rowForListIdentifier("b"), 11);
        QCOMPARE(layout.rowForListIdentifier("gone"), -1);
        QCOMPARE(layout.dictForRow(11).title(), "Beta");

        QCOMPARE(layout.acceptedSelection(6, 4), 4);
        QCOMPARE(layout.acceptedSelection(-1, 4), 4);
        QCOMPARE(layout.acceptedSelection(99, 4), 4);
        QCOMPARE(layout.acceptedSelection(13, 4), 13);

        QVERIFY(layout.canDeleteRow(8));
        QVERIFY(layout.canDeleteRow(10));
        for (int row : {0, 4, 6, 13})
            QVERIFY(!layout.canDeleteRow(row));

        SidebarLayout bare;
        bare.loadLists({}, {"a"}, {list("a", "Alpha")});
        QCOMPARE(bare.rowForPresetList(1), 0);
        QCOMPARE(bare.rowForList(1), 4);
        QVERIFY(!bare.canDeleteRow(4));
    }

    void countKeys_data()
    {
        QTest::addColumn<QVariantMap>("entry");
        QTest::addColumn<QString>("count");
        QTest::newRow("preset") << entry(2) << "7";
        QTest::newRow("tag list") << entry(8, "Home") << "3";
        QTest::newRow("saved search") << entry(15, "Home") << "3";
        QTest::newRow("user list titled like a type")
            << QVariantMap{{"type", 10}, {"title", "2"}} << "5";
        QTest::newRow("week") << entry(12) << "0";
        QTest::newRow("not counted") << entry(13) << "";
        QTest::newRow("search") << QVariantMap{{"type", 14}, {"title", "Search"}} << "";
    }

    void countKeys()
    {
        QFETCH(QVariantMap, entry);
        QFETCH(QString, count);
        CountDictionary counts;
        counts.setCount(ListEntry::ofKind(ListKind::RecurringTasks), 7);
        counts.setCount(ListEntry::dateView(ListKind::Week), 0);
        counts.setCount(ListEntry::tagList("Home"), 3);
        counts.setCount(ListEntry::userList("2", "two"), 5);
        QCOMPARE(SidebarLayout::countTextForEntry(ListEntry::fromStored(entry), counts), count);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        setupDefaultPreferences(*m_defaults, nullptr);
        m_defaults->setBool(true, PrefKey::soundOn);
        m_clock.setNow(local(2026, 12, 9, 10, 30));
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/home/a.ics", todo("a", "Water plants #garden"));
        writeFile(root() + "/home/b.ics", todo("b", "Call mum"));
        writeFile(root() + "/work/c.ics", todo("c", "Report #garden", "PRIORITY:1\r\n"));
    }

    void cleanup()
    {
        m_context.reset();
        m_sidebar.reset();
        m_modeManager.reset();
        m_manager.reset();
    }

    void countsFromARealRefresh()
    {
        setNav({entry(0), entry(5), entry(8, "garden"), entry(15, "mum")});
        LeftViewController& sidebar = create();
        QAbstractItemModelTester tester(sidebar.tableView()->model());
        QSignalSpy counted(&m_manager->counts(), &SidebarCounts::countsRefreshed);
        m_manager->counts().refreshCounts();
        QVERIFY(counted.wait());

        QAbstractItemModel* model = sidebar.tableView()->model();
        const auto text = [&](int row) {
            return model->index(row, 0).data().toString() + " " +
                   model->index(row, 0).data(SidebarModel::CountRole).toString();
        };
        QCOMPARE(text(4), "All Tasks 3");
        QCOMPARE(text(5), "High Priority Tasks 1");
        QCOMPARE(text(7), "#garden 2");
        QCOMPARE(text(8), "mum 1");
        QCOMPARE(text(10), "Home 2");
        QCOMPARE(text(11), "Work 1");
        QCOMPARE(text(13), "Search ");
        QVERIFY(model->index(3, 0).data(SidebarModel::IsDividerRole).toBool());
        QVERIFY(!sidebar.grab().isNull()); // every row kind paints

        // The date rows follow the selected date.
        // The sidebar adds the today marker to the day the data layer names.
        const QString rich = model->index(0, 0).data(SidebarModel::RichTitleRole).toString();
        QVERIFY(rich.startsWith(m_manager->dates().selectedDateDayString().toHtmlEscaped()));
        QVERIFY(rich.contains(QStringLiteral("●")));
        QVERIFY(model->index(0, 0).data().toString().endsWith(QStringLiteral("●")));
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        m_manager->dates().setSelectedDate(local(2027, 2, 1));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(model->index(2, 0).data().toString(),
                 m_manager->dates().selectedDateMonthString());
        QVERIFY(!model->index(0, 0).data().toString().contains(QStringLiteral("●")));
    }

    void selectionNeverLandsOnADivider()
    {
        setNav({entry(0), entry(8, "garden")});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        sidebar.resize(240, 500);
        sidebar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sidebar));
        QListView* table = sidebar.tableView();

        click(table, 4);
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(window.selections.size(), 1);
        QCOMPARE(window.selections.last().value("type").toInt(), 0);

        click(table, 5); // divider
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(window.selections.size(), 1);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 4);

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(20, table->viewport()->height() - 4)); // below the rows
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);

        sidebar.selectMonthView();
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(sidebar.selectedRow(), 4);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(sidebar.selectedRow(), 6);
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(sidebar.selectedRow(), 4);
        QTest::keyClick(table, Qt::Key_Left);
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(window.left, 1);
        QCOMPARE(window.right, 2);
        QCOMPARE(sidebar.selectedRow(), 4);
    }

    void selectionByPositionAndDefaultsForNewTasks()
    {
        setNav({entry(6), entry(8, "garden"), entry(15, "mum"), merged("M")});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);

        sidebar.selectPresetList(1);
        QCOMPARE(sidebar.selectedPriority(), std::optional<int>(2));
        QVERIFY(!sidebar.selectedList());
        sidebar.selectSmartList(1);
        QCOMPARE(sidebar.selectedTag(), "#garden");
        sidebar.selectSmartList(2);
        QCOMPARE(sidebar.selectedTag(), "mum");
        QCOMPARE(sidebar.selectedPriority(), std::nullopt);
        sidebar.selectSmartList(9); // no such list: nothing changes
        QCOMPARE(sidebar.selectedRow(), 7);
        sidebar.selectList(2);
        QCOMPARE(sidebar.selectedList()->title, "Work");
        sidebar.selectListWithCalendarIdentifier(calendar("Home")->calendarIdentifier);
        QCOMPARE(sidebar.selectedList()->title, "Home");
        sidebar.selectSearchView();
        QCOMPARE(sidebar.selectedRow(), sidebar.rowCount() - 1);
        QCOMPARE(window.selections.size(), 6);
        QCOMPARE(window.selections.last().value("type").toInt(), 14);
    }

    void deletingSmartLists()
    {
        setNav({entry(15, "mum"), entry(8, "garden")});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);

        // The selected smart list at the bottom of its group: the one above takes over.
        sidebar.selectSmartList(2);
        QCOMPARE(sidebar.selectedRow(), 5);
        QVERIFY(sidebar.canDeleteSelected());
        sidebar.deleteSelected();
        QCOMPARE(describe(m_defaults->arrayForKey(PrefKey::listNavArray)), "15:mum");
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(window.selections.last().value("tag").toString(), "mum");

        // The only smart list: its group and divider go, the row is now the first user list.
        sidebar.deleteSelected();
        QVERIFY(m_defaults->arrayForKey(PrefKey::listNavArray).isEmpty());
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(sidebar.dictForRow(4).title(), "Home");
        QCOMPARE(window.selections.last().value("title").toString(), "Home");
    }

    void theOnlyUserListStays()
    {
        setNav({});
        LeftViewController& sidebar = create();
        m_defaults->setObject(QStringList{calendarIdentifierOf("Work")}, PrefKey::visibleLists);
        m_defaults->setObject(QStringList{calendarIdentifierOf("Home")}, PrefKey::invisibleLists);
        sidebar.reloadDataFromPreference();
        int asked = 0;
        sidebar.confirmDeletion = [&](std::function<void(bool)> answer) {
            ++asked;
            answer(true);
        };
        sidebar.selectList(1);
        QVERIFY(!sidebar.canDeleteSelected());
        QTest::keyClick(sidebar.tableView(), Qt::Key_Delete);
        sidebar.deleteSelected();
        QCOMPARE(asked, 0);
        sidebar.setClickedRow(4);
        sidebar.menuNeedsUpdate();
        QCOMPARE(menuTexts(sidebar), QStringList{"Share List"});
        QCOMPARE(m_manager->lists().allCalendars().size(), 2);
    }

    void contextMenu_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("items");
        // 0-2 dates, 3 -, 4 preset, 5 -, 6 smart, 7 -, 8-9 lists, 10 -, 11 search
        QTest::newRow("day") << 0 << QStringList{"Share List"};
        QTest::newRow("preset") << 4 << QStringList{"Share List"};
        QTest::newRow("smart list") << 6 << QStringList{"Share List", "Delete"};
        QTest::newRow("user list") << 9 << QStringList{"Share List", "Edit", "Delete"};
        QTest::newRow("search") << 11 << QStringList{"Share List"};
        QTest::newRow("divider") << 7 << QStringList{};
    }

    void contextMenu()
    {
        QFETCH(int, row);
        QFETCH(QStringList, items);
        setNav({entry(1), merged("M")});
        LeftViewController& sidebar = create();
        QCOMPARE(sidebar.contextMenu()->objectName(), "ListActions");
        sidebar.setClickedRow(row);
        sidebar.menuNeedsUpdate();
        QCOMPARE(menuTexts(sidebar), items);
    }

    void deletingAUserListAfterConfirmation()
    {
        setNav({});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");
        m_defaults->setObject(QStringList{home, work}, PrefKey::visibleLists);
        sidebar.reloadDataFromPreference();

        QList<std::function<void(bool)>> pending;
        sidebar.confirmDeletion = [&](std::function<void(bool)> answer) { pending << answer; };
        sidebar.setClickedRow(4);
        sidebar.deleteList();
        QCOMPARE(pending.size(), 1);
        pending.takeFirst()(false); // "Cancel"
        QCOMPARE(m_manager->lists().allCalendars().size(), 2);

        sidebar.selectList(2);
        sidebar.setClickedRow(4);
        sidebar.deleteList();
        QCOMPARE(pending.size(), 1);
        QVERIFY(!m_manager->lists().doNotValidate());
        pending.takeFirst()(true); // "Delete"
        QVERIFY(m_manager->lists().doNotValidate());
        QVERIFY(!calendar("Home"));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), QStringList{work});
        QVERIFY(!m_defaults->stringArrayForKey(PrefKey::invisibleLists).contains(home));
        QCOMPARE(sidebar.defaultListsArray().size(), 1);
        // The selected list moved up one row with the deletion.
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(window.selections.last().value("identifier").toString(), work);
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->lists().doNotValidate(), 3000);
    }

    // A list the store keeps (a read-only folder) stays in the sidebar and in the shown lists,
    // and the user is told why instead of seeing it vanish until the next start.
    void aListTheStoreKeepsIsNotDeleted()
    {
        setNav({});
        LeftViewController& sidebar = create();
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");
        m_defaults->setObject(QStringList{home, work}, PrefKey::visibleLists);
        sidebar.reloadDataFromPreference();
        calendar("Home")->immutable = true;

        sidebar.confirmDeletion = [](std::function<void(bool)> answer) { answer(true); };
        sidebar.setClickedRow(sidebar.layout().rowForListIdentifier(home));
        sidebar.deleteList();
        QMessageBox* box = sidebar.window()->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QVERIFY2(box->informativeText().contains("Home"), qPrintable(box->informativeText()));
        box->close();
        QVERIFY(calendar("Home"));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), (QStringList{home, work}));
        QCOMPARE(sidebar.defaultListsArray().size(), 2);
    }

    // Lists that change elsewhere rebuild the rows but keep the entry on show, even when its
    // row moves; only a list that went away hands over to the day view.
    void listsChangedElsewhereKeepTheEntryOnShow()
    {
        setNav({entry(1)});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");
        m_defaults->setObject(QStringList{home, work}, PrefKey::visibleLists);
        sidebar.reloadDataFromPreference();
        sidebar.selectList(2);
        QCOMPARE(sidebar.selectedList()->calendarIdentifier, work);
        const int sent = int(window.selections.size());

        // A smart list appears above the user lists: Work moves two rows down.
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "garden", {}, {});
        sidebar.reloadKeepingSelection();
        QCOMPARE(sidebar.selectedList()->calendarIdentifier, work);
        QCOMPARE(sidebar.selectedRow(), sidebar.layout().rowForListIdentifier(work));
        QCOMPARE(int(window.selections.size()), sent);

        // Work is no longer shown: the day view takes over.
        m_defaults->setObject(QStringList{home}, PrefKey::visibleLists);
        sidebar.reloadKeepingSelection();
        QCOMPARE(sidebar.selectedRow(), 0);
        QCOMPARE(window.selections.last().value("type").toInt(), 11);
    }

    // The question before a list and its tasks go: a warning, its heading set apart, and a
    // destructive button named after what it does, with Cancel as the default.
    void theDeleteQuestionLooksDestructive()
    {
        LeftViewController& sidebar = create();
        bool answered = false;
        sidebar.confirmWithMessageBox([&answered](bool) { answered = true; });
        QMessageBox* box = sidebar.window()->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QVERIFY(box->text().contains("<b>Delete this list?</b>"));
        QCOMPARE(box->informativeText(),
                 QString("The list and its tasks go to Recently Deleted (Edit → Recently "
                         "Deleted…), where they are kept for 30 days."));
        QAbstractButton* remove = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::DestructiveRole)
                remove = button;
        }
        QVERIFY(remove);
        QCOMPARE(remove->text(), QStringLiteral("Delete List"));
        QCOMPARE(box->buttonRole(box->defaultButton()), QMessageBox::RejectRole);
        box->reject();
        QTRY_VERIFY(answered);
    }

    // A right click opens the clicked row's menu without selecting it: the list on show stays.
    void aRightClickLeavesTheSelection()
    {
        setNav({entry(1), merged("M")});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        sidebar.selectList(1);
        const int selected = sidebar.selectedRow();
        const int before = int(window.selections.size());
        QListView* table = sidebar.tableView();
        const QRect rect = table->visualRect(table->model()->index(4, 0));
        QTest::mouseClick(table->viewport(), Qt::RightButton, {}, rect.center());
        QCOMPARE(sidebar.selectedRow(), selected);
        QCOMPARE(int(window.selections.size()), before);
    }

    void pinning()
    {
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        bool fullScreen = true;
        QList<bool> levels;
        sidebar.isFullScreen = [&] { return fullScreen; };
        sidebar.applyWindowLevel = [&](bool floating) { levels << floating; };

        const int sounds = Sound::playRequestCount();
        sidebar.pinButtonAction();
        QCOMPARE(Sound::playRequestCount(), sounds + 1);
        QVERIFY(!m_defaults->boolForKey(PrefKey::alwaysOnTop));
        QVERIFY(levels.isEmpty());
        QVERIFY(window.pins.isEmpty());

        fullScreen = false;
        sidebar.pinButtonAction();
        QCOMPARE(Sound::playRequestCount(), sounds + 2);
        QCOMPARE(levels, QList<bool>{true});
        QCOMPARE(window.pins, QList<bool>{true});
        QVERIFY(UserDefaults(m_defaults->filePath()).boolForKey(PrefKey::alwaysOnTop));

        sidebar.setupPinSettings();
        QCOMPARE(levels, (QList<bool>{true, true}));
        QCOMPARE(Sound::playRequestCount(), sounds + 2);
    }

    void sharingSelectsTheRowFirst()
    {
        setNav({entry(0)});
        LeftViewController& sidebar = create();
        RecordingWindow window;
        sidebar.setDelegate(&window);
        sidebar.setClickedRow(7);
        sidebar.shareList();
        QCOMPARE(sidebar.selectedRow(), 7);
        QVERIFY(window.shares.isEmpty());
        QTRY_COMPARE(window.shares.size(), 1);
        QCOMPARE(window.shares.first().x(), 50);
        QCOMPARE(window.selections.last().value("title").toString(), "Work");
    }

    void todayButton()
    {
        LeftViewController& sidebar = create();
        QCOMPARE(sidebar.todayButton()->text(), "9");
        m_manager->dates().setSelectedDate(local(2027, 1, 3));
        sidebar.todayButtonAction();
        QCOMPARE(m_manager->dates().selectedDate(), m_manager->dates().today());
        const QStringList adds = [&] {
            QStringList texts;
            for (QAction* action : sidebar.addMenu()->actions())
                texts << action->text();
            return texts;
        }();
        QCOMPARE(adds, (QStringList{"Add New List", "Add New Tag List", "Add New Merged List"}));
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    void setNav(const QVariantList& nav) { m_defaults->setObject(nav, PrefKey::listNavArray); }

    LeftViewController& create()
    {
        m_manager = loadedDataManager(*m_defaults, m_clock, root());
        if (!m_manager)
            qFatal("no data manager");
        m_modeManager = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_sidebar = std::make_unique<LeftViewController>(*m_manager, *m_modeManager);
        return *m_sidebar;
    }

    store::CalendarPtr calendar(const QString& title) const
    {
        for (const store::CalendarPtr& list : m_manager->lists().allCalendars()) {
            if (list->title == title)
                return list;
        }
        return nullptr;
    }

    QString calendarIdentifierOf(const QString& title) const
    {
        const store::CalendarPtr found = calendar(title);
        return found ? found->calendarIdentifier : QString();
    }

    static void click(QListView* table, int row)
    {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QStringList menuTexts(const LeftViewController& sidebar)
    {
        QStringList texts;
        for (QAction* action : sidebar.contextMenu()->actions())
            texts << action->text();
        return texts;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    Clock m_clock;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modeManager;
    std::unique_ptr<LeftViewController> m_sidebar;
};

VELMORAN_WIDGET_TEST_MAIN(TestSidebar)
#include "tst_sidebar.moc"

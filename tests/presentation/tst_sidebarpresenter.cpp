#include "../data/ReminderBuilder.h"
#include "SidebarStore.h"

#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "presentation/sidebar/SidebarPresenter.h"

using TestEnvironment::local;
using Action = SidebarLayout::Action;

namespace {

QVariantMap entry(qint64 type, const QString& tag = {})
{
    return SidebarStore::entry(type, tag);
}

QVariantMap merged(const QString& name)
{
    QVariantMap map = entry(9, name);
    map.insert("lists", QVariantList());
    map.insert("priorities", QVariantList{QVariant::fromValue(qint64(3))});
    return map;
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

// What choosing rows handed the task list, as stored entries.
struct Choices
{
    explicit Choices(SidebarPresenter& presenter)
    {
        QObject::connect(&presenter, &SidebarPresenter::entrySelected, &presenter,
                         [this](const ListEntry& entry) { entries << entry.toStored(); });
    }
    QList<QVariantMap> entries;
    QVariant last(const char* key) const { return entries.value(entries.size() - 1).value(key); }
};

} // namespace

class TestSidebarPresenter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Two lists only; every group; smart lists without user lists; unknown and repeated
    // identifiers among the shown lists.
    void layoutRows()
    {
        using Case = std::pair<QVariantList, QStringList>; // the sidebar's entries, shown lists
        QStringList shapes;
        for (const auto& [nav, visible] :
             {Case{{}, {"a", "b"}},
              Case{{entry(0), entry(8, "Home"), entry(5), merged("M")}, {"b"}},
              Case{{entry(15, "milk")}, {}}, Case{{entry(4)}, {"gone", "a", "b", "a"}}}) {
            SidebarLayout layout;
            layout.loadLists(ListEntry::fromStoredArray(nav), visible,
                             {makeList("a", "Alpha"), makeList("b", "Beta")});
            shapes << shape(layout);
            QVERIFY(layout.dictForRow(layout.rowCount()).isEmpty());
        }
        QCOMPARE(shapes, (QStringList{"11 12 13 - 10 10 - 14", "11 12 13 - 0 5 - 8 9 - 10 - 14",
                                      "11 12 13 - 15 - - 14", "11 12 13 - 4 - 10 10 10 - 14"}));
    }

    void layoutPositionsAndRules()
    {
        SidebarLayout layout;
        layout.loadLists(
            ListEntry::fromStoredArray({entry(0), entry(1), entry(8, "Home"), merged("M")}),
            {"a", "b"}, {makeList("a", "Alpha"), makeList("b", "Beta")});
        // 0-2 dates, 3 -, 4-5 presets, 6 -, 7-8 smart, 9 -, 10-11 lists, 12 -, 13 search; the
        // rows found, then the rows a proposal of a divider, of no row and of search lands on.
        QCOMPARE((QList<int>{layout.rowForPresetList(2), layout.rowForSmartList(1),
                             layout.rowForList(2), layout.rowForListIdentifier("b"),
                             layout.rowForListIdentifier("gone"), layout.acceptedSelection(6, 4),
                             layout.acceptedSelection(99, 4), layout.acceptedSelection(13, 4)}),
                 (QList<int>{5, 7, 11, 11, -1, 4, 4, 13}));
        QList<int> deletable;
        for (int row = 0; row < layout.rowCount(); ++row)
            deletable << (layout.canDeleteRow(row) ? row : -1);
        deletable.removeAll(-1);
        QCOMPARE(deletable, (QList<int>{7, 8, 10, 11}));

        SidebarLayout bare;
        bare.loadLists({}, {"a"}, {makeList("a", "Alpha")});
        QCOMPARE(bare.rowForList(1), 4);
        QVERIFY(!bare.canDeleteRow(4));
    }

    // A preset, a tag list, a user list titled like a type, the week and a view not counted.
    void countKeys()
    {
        CountDictionary counts;
        counts.setCount(ListEntry::ofKind(ListKind::RecurringTasks), 7);
        counts.setCount(ListEntry::dateView(ListKind::Week), 0);
        counts.setCount(ListEntry::tagList("Home"), 3);
        counts.setCount(ListEntry::userList("2", "two"), 5);
        QStringList texts;
        for (const QVariantMap& stored :
             {entry(2), entry(8, "Home"), QVariantMap{{"type", 10}, {"title", "2"}}, entry(12),
              entry(13)})
            texts << SidebarLayout::countTextForEntry(ListEntry::fromStored(stored), counts);
        QCOMPARE(texts, (QStringList{"7", "3", "5", "0", ""}));
    }

    void init() { m_store.emplace(); }

    void cleanup()
    {
        m_presenter.reset();
        m_store.reset();
    }

    // Choosing by position (the View menu's lists) and what a new task takes from the choice;
    // a proposal of a divider or of no row leaves the choice and puts the table back.
    void selectionAndTheDefaultsOfNewTasks()
    {
        setNav({entry(6), entry(8, "garden"), entry(15, "mum"), merged("M")});
        SidebarPresenter& sidebar = create();
        Choices chosen(sidebar);
        QSignalSpy shownRow(&sidebar, &SidebarPresenter::selectedRowChanged);

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
        sidebar.selectListWithCalendarIdentifier(calendarIdentifierOf("Home"));
        QCOMPARE(sidebar.selectedList()->title, "Home");
        QVERIFY(!sidebar.presetDateForNewTask().isValid());
        sidebar.selectSearch();
        QCOMPARE(sidebar.selectedRow(), sidebar.layout().rowCount() - 1);
        QCOMPARE(chosen.entries.size(), 6);
        QCOMPARE(chosen.last("type").toInt(), 14);

        sidebar.proposeSelection(5); // the divider after the presets
        sidebar.proposeSelection(-1);
        QCOMPARE(sidebar.selectedRow(), sidebar.layout().rowCount() - 1);
        QCOMPARE(chosen.entries.size(), 6);
        QCOMPARE(shownRow.last().at(0).toInt(), sidebar.selectedRow());
        sidebar.proposeSelection(4);
        QCOMPARE(chosen.last("type").toInt(), 6);

        // A date view dates a new task on the selected day only when that is after today.
        sidebar.selectWeekView();
        QVERIFY(!sidebar.presetDateForNewTask().isValid());
        m_manager->dates().setSelectedDate(local(2026, 12, 12));
        QCOMPARE(sidebar.presetDateForNewTask(), local(2026, 12, 12));
        sidebar.selectMonthView();
        QCOMPARE(sidebar.presetDateForNewTask(), local(2026, 12, 12));
        sidebar.goToToday();
        QCOMPARE(m_manager->dates().selectedDate(), m_manager->dates().today());
    }

    void deletingSmartLists()
    {
        setNav({entry(15, "mum"), entry(8, "garden")});
        SidebarPresenter& sidebar = create();
        Choices chosen(sidebar);

        // The selected smart list at the bottom of its group: the one above takes over.
        sidebar.selectSmartList(2);
        QCOMPARE(sidebar.selectedRow(), 5);
        sidebar.deleteRow(sidebar.selectedRow());
        QCOMPARE(m_defaults->arrayForKey(PrefKey::listNavArray), QVariantList{entry(15, "mum")});
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(chosen.last("tag").toString(), "mum");

        // The only smart list: its group and divider go, the row is now the first user list.
        sidebar.deleteRow(sidebar.selectedRow());
        QVERIFY(m_defaults->arrayForKey(PrefKey::listNavArray).isEmpty());
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(sidebar.layout().dictForRow(4).title(), "Home");
        QCOMPARE(chosen.last("title").toString(), "Home");
    }

    void contextMenuActions()
    {
        setNav({entry(1), merged("M")});
        SidebarPresenter& sidebar = create();
        // 0-2 dates, 3 -, 4 preset, 5 -, 6 smart, 7 -, 8-9 lists, 10 -, 11 search, 12 nothing
        QList<QList<Action>> actions;
        for (const int row : {4, 6, 9, 7, 12})
            actions << sidebar.actionsForRow(row);
        QCOMPARE(actions, (QList<QList<Action>>{{Action::Share},
                                                {Action::Share, Action::Delete},
                                                {Action::Share, Action::Edit, Action::Delete},
                                                {},
                                                {}}));
    }

    void theOnlyUserListStays()
    {
        SidebarPresenter& sidebar = createShowing({}, {"Work"});
        m_defaults->setObject(QStringList{calendarIdentifierOf("Home")}, PrefKey::invisibleLists);
        sidebar.reloadShowingDay();
        int asked = 0;
        sidebar.confirmDeletion = [&](std::function<void(bool)> answer) {
            ++asked;
            answer(true);
        };
        sidebar.selectList(1);
        QVERIFY(!sidebar.layout().canDeleteRow(sidebar.selectedRow()));
        sidebar.deleteRow(sidebar.selectedRow());
        QCOMPARE(asked, 0);
        QCOMPARE(sidebar.actionsForRow(4), QList<Action>{Action::Share});
        QCOMPARE(m_manager->lists().allCalendars().size(), 2);
    }

    void deletingAUserListAfterConfirmation()
    {
        SidebarPresenter& sidebar = createShowing({}, {"Home", "Work"});
        Choices chosen(sidebar);
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");

        QList<std::function<void(bool)>> pending;
        sidebar.confirmDeletion = [&](std::function<void(bool)> answer) { pending << answer; };
        sidebar.deleteRow(4);
        QCOMPARE(pending.size(), 1);
        pending.takeFirst()(false); // "Cancel"
        QCOMPARE(m_manager->lists().allCalendars().size(), 2);

        sidebar.selectList(2);
        sidebar.deleteRow(4);
        QCOMPARE(pending.size(), 1);
        QVERIFY(!m_manager->lists().doNotValidate());
        pending.takeFirst()(true); // "Delete"
        QVERIFY(m_manager->lists().doNotValidate());
        QVERIFY(!calendar("Home"));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), QStringList{work});
        QVERIFY(!m_defaults->stringArrayForKey(PrefKey::invisibleLists).contains(home));
        // The selected list moved up one row with the deletion.
        QCOMPARE(sidebar.selectedRow(), 4);
        QCOMPARE(chosen.last("identifier").toString(), work);
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->lists().doNotValidate(), 3000);
    }

    // A list the store keeps (a read-only folder) stays in the sidebar and in the shown lists,
    // and the user is told why instead of seeing it vanish until the next start.
    void aListTheStoreKeepsIsNotDeleted()
    {
        SidebarPresenter& sidebar = createShowing({}, {"Home", "Work"});
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");
        calendar("Home")->immutable = true;

        QSignalSpy failed(&sidebar, &SidebarPresenter::deletionFailed);
        sidebar.confirmDeletion = [](std::function<void(bool)> answer) { answer(true); };
        sidebar.deleteRow(sidebar.layout().rowForListIdentifier(home));
        QVERIFY(failed.size() == 1 && failed.at(0).at(0).toString().contains("Home"));
        QVERIFY(calendar("Home"));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), (QStringList{home, work}));
        QCOMPARE(sidebar.layout().defaultListsArray().size(), 2);
    }

    // Lists that change elsewhere rebuild the rows but keep the entry on show, even when its
    // row moves; only a list that went away hands over to the day view.
    void listsChangedElsewhereKeepTheEntryOnShow()
    {
        SidebarPresenter& sidebar = createShowing({entry(1)}, {"Home", "Work"});
        Choices chosen(sidebar);
        const QString home = calendarIdentifierOf("Home");
        const QString work = calendarIdentifierOf("Work");
        sidebar.selectList(2);
        QCOMPARE(sidebar.selectedList()->calendarIdentifier, work);
        const int sent = int(chosen.entries.size());

        // A smart list appears above the user lists: Work moves two rows down.
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "garden", {}, {});
        sidebar.reloadKeepingSelection();
        QCOMPARE(sidebar.selectedList()->calendarIdentifier, work);
        QCOMPARE(sidebar.selectedRow(), sidebar.layout().rowForListIdentifier(work));
        QCOMPARE(int(chosen.entries.size()), sent);

        // Work is no longer shown: the day view takes over.
        m_defaults->setObject(QStringList{home}, PrefKey::visibleLists);
        sidebar.reloadKeepingSelection();
        QCOMPARE(sidebar.selectedRow(), 0);
        QCOMPARE(chosen.last("type").toInt(), 11);
    }

    // A new list from the list window joins the shown lists (an empty "visibleLists" stands
    // for every list and must not become "only the new one"), and the day view is chosen.
    void aNewListIsShown()
    {
        setNav({});
        SidebarPresenter& sidebar = create();
        Choices chosen(sidebar);
        sidebar.selectList(2);
        sidebar.listWindowDone(false, calendarIdentifierOf("Work"));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists).size(), 2);
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists).last(),
                 calendarIdentifierOf("Work"));
        QCOMPARE(sidebar.selectedRow(), 0);
        QCOMPARE(chosen.last("type").toInt(), 11);
    }

private:
    void setNav(const QVariantList& nav) { m_store->setNav(nav); }

    SidebarPresenter& create()
    {
        m_manager = &m_store->load();
        m_defaults = &*m_store->defaults;
        m_presenter = std::make_unique<SidebarPresenter>(*m_manager);
        return *m_presenter;
    }

    // The sidebar over the lists of these titles, shown in this order, the day view chosen.
    SidebarPresenter& createShowing(const QVariantList& nav, const QStringList& titles)
    {
        setNav(nav);
        SidebarPresenter& sidebar = create();
        QStringList shown;
        for (const QString& title : titles)
            shown << calendarIdentifierOf(title);
        m_defaults->setObject(shown, PrefKey::visibleLists);
        sidebar.reloadShowingDay();
        return sidebar;
    }

    store::CalendarPtr calendar(const QString& title) const { return m_store->calendar(title); }
    QString calendarIdentifierOf(const QString& title) const { return m_store->listId(title); }

    std::optional<SidebarStore> m_store;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<SidebarPresenter> m_presenter;
};

VELMORAN_TEST_MAIN(TestSidebarPresenter)
#include "tst_sidebarpresenter.moc"

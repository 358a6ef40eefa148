#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "data/ListChoice.h"
#include "data/SmartLists.h"

namespace {

const auto tagList = [](const QString& tag) { return QVariantMap{{"type", 8}, {"tag", tag}}; };

const auto savedSearch = [](const QString& tag) { return QVariantMap{{"type", 15}, {"tag", tag}}; };

QVariantMap mergedList(const QString& tag, const QVariantList& lists,
                       const QVariantList& priorities)
{
    return {{"type", 9}, {"tag", tag}, {"lists", lists}, {"priorities", priorities}};
}

store::CalendarPtr list(const QString& identifier, bool immutable = false)
{
    auto calendar = std::make_shared<store::Calendar>();
    calendar->calendarIdentifier = identifier;
    calendar->title = identifier.toUpper();
    calendar->immutable = immutable;
    return calendar;
}

QStringList identifiers(const QList<store::CalendarPtr>& rows)
{
    QStringList result;
    for (const store::CalendarPtr& row : rows)
        result << row->calendarIdentifier;
    return result;
}

// The store's order: a, b, c, d (d cannot be changed).
QList<store::CalendarPtr> storeLists()
{
    return {list("a"), list("b"), list("c"), list("d", true)};
}

} // namespace

class TestSmartLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_defaults = m_store->defaults.get();
        m_defaults->setObject(defaultListNavArray(), "listNavArray");
    }

    void addAppendsByKindAndWritesThrough()
    {
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "Work", {}, {});
        SmartLists::addSmartListType(*m_defaults, ListKind::MergedList, "Urgent", {"a", "b"},
                                     {0, 1});
        SmartLists::addSmartListType(*m_defaults, ListKind::LocationBasedTasks, "milk", {"ignored"},
                                     {2});
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "", {}, {});

        // Read back from the file by a second store, as another window would.
        QCOMPARE(stored(), (defaultListNavArray() +
                            QVariantList{tagList("Work"), mergedList("Urgent", {"a", "b"}, {0, 1}),
                                         savedSearch("milk")}));
    }

    void replaceRewritesTheFirstEqualEntryInPlace()
    {
        SmartLists::addSmartListType(*m_defaults, ListKind::SavedSearch, "milk", {}, {});
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "Later", {},
                                     {}); // a second "Later"

        // A saved search becomes a tag list at the same place.
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(savedSearch("milk")),
                                     ListKind::TagList, "Milk", {}, {});
        // Only the first of two equal entries changes.
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(tagList("Later")),
                                     ListKind::TagList, "Soon", {}, {});
        // The default merged list, read back from the file, is found by value.
        const QVariantMap smart = stored().at(8).toMap();
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(smart),
                                     ListKind::MergedList, "Work only", {"w"}, {0, 3});

        QCOMPARE(stored().mid(7),
                 (QVariantList{tagList("Soon"), mergedList("Work only", {"w"}, {0, 3}),
                               tagList("Milk"), tagList("Later")}));
    }

    void deleteFindsByKindAndTag()
    {
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "Home", {}, {}); // a duplicate
        SmartLists::addSmartListType(*m_defaults, ListKind::SavedSearch, "Home", {}, {});

        // A tag list: every entry equal to the first match goes, the saved search stays.
        remove(tagList("Home"));
        QCOMPARE(stored().size(), 9);
        QVERIFY(!stored().contains(tagList("Home")));
        QCOMPARE(stored().constLast().toMap(), savedSearch("Home"));

        // Any other type stands for a saved search.
        remove({{"type", 14}, {"tag", "Home"}});
        QCOMPARE(stored().size(), 8);
        QVERIFY(!stored().contains(savedSearch("Home")));
    }

    // An edit without a title or of an entry deleted meanwhile in another window (it must not
    // come back), and a deletion that finds no equal entry, change nothing; a merged list is
    // found by its lists and priorities too.
    void whatFindsNoEntryChangesNothing()
    {
        const QVariantList before = stored();
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(tagList("Home")),
                                     ListKind::TagList, "", {}, {});
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(tagList("Gone")),
                                     ListKind::TagList, "Back", {}, {});
        for (const QVariantMap& entry :
             {mergedList("Smart List", {"w"}, {3}), mergedList("Smart List", {}, {3, 0}),
              tagList(""), tagList("Nowhere")})
            remove(entry);
        QCOMPARE(stored(), before);
        remove(mergedList("Smart List", {}, {3}));
        QCOMPARE(stored(), before.mid(0, 8));
    }

    // The third onto the first; the first onto the third, so second; the first to the end; a
    // row out of range. The stored order of the shown lists a and b follows the rows.
    void dragsLandAboveTheDropRow()
    {
        QStringList rows;
        for (const auto& [from, to] :
             {std::pair{2, 0}, std::pair{0, 2}, std::pair{0, 4}, std::pair{7, 0}}) {
            ListChoice choice;
            choice.setupLists(storeLists(), {"a", "b"});
            choice.moveList(from, to);
            rows << identifiers(choice.lists()).join("") + ' ' +
                        choice.visibleInRowOrder().join("");
        }
        QCOMPARE(rows, (QStringList{"cabd ab", "bacd ba", "bcda ba", "abcd ab"}));
    }

    void theLastShownListAndCalendarStay()
    {
        ListChoice choice;
        choice.setupLists(storeLists(), {"b"});
        QVERIFY(!choice.hideList("b"));
        choice.showList("a");
        QVERIFY(choice.hideList("b"));
        QCOMPARE(choice.visibleInRowOrder(), QStringList{"a"});

        choice.setupCalendars({list("x"), list("y")}, {"y"});
        QVERIFY(!choice.hideCalendar("y"));

        // No calendar chosen shows every calendar.
        choice.setupCalendars({list("x"), list("y"), list("z")}, {});
        QCOMPARE(choice.visibleCalendars(), QStringList({"x", "y", "z"}));
        QVERIFY(choice.hideCalendar("y"));
        QCOMPARE(choice.visibleCalendarsInRowOrder(), QStringList({"x", "z"}));
    }

    // Rows a, b, c, d: a hidden list, a shown one, the immutable one, two at once; and a
    // hidden list while only one list is shown.
    void deletingNeedsOneHiddenChangeableList()
    {
        const QList<std::pair<QStringList, QList<int>>> cases{{{"a", "b"}, {2}},
                                                              {{"a", "b"}, {0}},
                                                              {{"a", "b"}, {3}},
                                                              {{"a", "b"}, {2, 3}},
                                                              {{"a"}, {2}}};
        QList<bool> allowed;
        for (const auto& [shown, selected] : cases) {
            ListChoice choice;
            choice.setupLists(storeLists(), shown);
            allowed << choice.canDelete(selected);
        }
        QCOMPARE(allowed, (QList<bool>{true, false, false, false, false}));
    }

    // The choice of shown lists on the Lists page: shown lists first, in their order, and so after
    // a list is removed or added.
    void rowsPutShownListsFirstAndKeepTheSplitsRight()
    {
        ListChoice choice;
        // "gone" names a list that no longer exists: it makes no row.
        choice.setupLists(storeLists(), {"c", "gone", "a"});
        QCOMPARE(identifiers(choice.lists()), QStringList({"c", "a", "b", "d"}));
        QCOMPARE(choice.visibleInRowOrder(), QStringList({"c", "a"}));
        QCOMPARE(choice.invisibleInRowOrder(), QStringList({"b", "d"}));

        choice.setupLists(storeLists(), {"a", "b"});
        choice.removeList("a");
        QCOMPARE(identifiers(choice.lists()), QStringList({"b", "c", "d"}));
        QCOMPARE(choice.visibleInRowOrder(), QStringList{"b"});
        // A list already gone from the rows changes nothing.
        choice.removeList("a");
        QCOMPARE(choice.lists().size(), 3);

        QList<store::CalendarPtr> all = storeLists();
        all << list("new");
        choice.addShownList(all, {"b"}, "new");
        QCOMPARE(choice.visibleInRowOrder(), QStringList({"b", "new"}));
        QCOMPARE(choice.rowOfList("new"), 1);
    }

private:
    // The entries as the file holds them, read by a second store as another window would.
    QVariantList stored() const
    {
        return UserDefaults(m_defaults->filePath()).arrayForKey("listNavArray");
    }
    void remove(const QVariantMap& entry)
    {
        SmartLists::deleteSmartListFromDictionary(*m_defaults, ListEntry::fromStored(entry));
    }

    std::optional<LoadedStore> m_store;
    UserDefaults* m_defaults = nullptr;
};

VELMORAN_TEST_MAIN(TestSmartLists)
#include "tst_smartlists.moc"

#include "TestEnvironment.h"

#include "data/SmartLists.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"

#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

QVariantMap tagList(const QString& tag)
{
    return {{"type", 8}, {"tag", tag}};
}

QVariantMap savedSearch(const QString& tag)
{
    return {{"type", 15}, {"tag", tag}};
}

QVariantMap mergedList(const QString& tag, const QVariantList& lists,
                       const QVariantList& priorities)
{
    return {{"type", 9}, {"tag", tag}, {"lists", lists}, {"priorities", priorities}};
}

} // namespace

class TestSmartLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_defaults = std::make_unique<UserDefaults>(path());
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
        const QVariantList stored = UserDefaults(path()).arrayForKey("listNavArray");
        QCOMPARE(stored.size(), 12);
        QCOMPARE(stored.mid(0, 9), defaultListNavArray());
        QCOMPARE(stored.at(9).toMap(), tagList("Work"));
        QCOMPARE(stored.at(10).toMap(), mergedList("Urgent", {"a", "b"}, {0, 1}));
        QCOMPARE(stored.at(11).toMap(), savedSearch("milk"));
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
        const QVariantMap smart = UserDefaults(path()).arrayForKey("listNavArray").at(8).toMap();
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(smart),
                                     ListKind::MergedList, "Work only", {"w"}, {0, 3});

        const QVariantList stored = UserDefaults(path()).arrayForKey("listNavArray");
        QCOMPARE(stored.size(), 11);
        QCOMPARE(stored.at(7).toMap(), tagList("Soon"));
        QCOMPARE(stored.at(8).toMap(), mergedList("Work only", {"w"}, {0, 3}));
        QCOMPARE(stored.at(9).toMap(), tagList("Milk"));
        QCOMPARE(stored.at(10).toMap(), tagList("Later"));
    }

    void replaceWithoutTitleOrTargetChangesNothing()
    {
        const QVariantList before = m_defaults->arrayForKey("listNavArray");
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(tagList("Home")),
                                     ListKind::TagList, "", {}, {});
        // Deleted meanwhile in another window: the edit must not bring it back.
        SmartLists::replaceSmartList(*m_defaults, ListEntry::fromStored(tagList("Gone")),
                                     ListKind::TagList, "Back", {}, {});
        QCOMPARE(UserDefaults(path()).arrayForKey("listNavArray"), before);
    }

    void deleteFindsByKindAndTag()
    {
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "Home", {}, {}); // a duplicate
        SmartLists::addSmartListType(*m_defaults, ListKind::SavedSearch, "Home", {}, {});

        // A tag list: every entry equal to the first match goes, the saved search stays.
        SmartLists::deleteSmartListFromDictionary(*m_defaults,
                                                  ListEntry::fromStored(tagList("Home")));
        QVariantList stored = UserDefaults(path()).arrayForKey("listNavArray");
        QCOMPARE(stored.size(), 9);
        QVERIFY(!stored.contains(tagList("Home")));
        QCOMPARE(stored.constLast().toMap(), savedSearch("Home"));

        // Any other type stands for a saved search.
        SmartLists::deleteSmartListFromDictionary(
            *m_defaults, ListEntry::fromStored({{"type", 14}, {"tag", "Home"}}));
        stored = UserDefaults(path()).arrayForKey("listNavArray");
        QCOMPARE(stored.size(), 8);
        QVERIFY(!stored.contains(savedSearch("Home")));
    }

    void deleteMergedListNeedsEqualListsAndPriorities()
    {
        const QVariantList before = m_defaults->arrayForKey("listNavArray");
        SmartLists::deleteSmartListFromDictionary(
            *m_defaults, ListEntry::fromStored(mergedList("Smart List", {"w"}, {3})));
        SmartLists::deleteSmartListFromDictionary(
            *m_defaults, ListEntry::fromStored(mergedList("Smart List", {}, {3, 0})));
        SmartLists::deleteSmartListFromDictionary(*m_defaults, ListEntry::fromStored(tagList("")));
        SmartLists::deleteSmartListFromDictionary(*m_defaults,
                                                  ListEntry::fromStored(tagList("Nowhere")));
        QCOMPARE(UserDefaults(path()).arrayForKey("listNavArray"), before);

        SmartLists::deleteSmartListFromDictionary(
            *m_defaults, ListEntry::fromStored(mergedList("Smart List", {}, {3})));
        const QVariantList stored = UserDefaults(path()).arrayForKey("listNavArray");
        QCOMPARE(stored, before.mid(0, 8));
    }

private:
    QString path() const { return m_tmp->filePath("preferences.json"); }

    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<UserDefaults> m_defaults;
};

VELMORAN_TEST_MAIN(TestSmartLists)
#include "tst_smartlists.moc"

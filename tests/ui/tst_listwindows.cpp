#include "SidebarStore.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QList<qint64> numbers(const QVariant& value)
{
    QList<qint64> result;
    for (const QVariant& item : value.toList())
        result << UserDefaults::integerValue(item);
    return result;
}

} // namespace

class TestListWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SidebarStore>();
        m_store->setNav({SidebarStore::entry(8, "Home")});
        m_store->load();
        m_modeManager = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
        m_sidebar = std::make_unique<LeftViewController>(*m_store->manager, *m_modeManager);
    }

    void cleanup()
    {
        m_sidebar.reset();
        m_modeManager.reset();
        m_store.reset();
    }

    void tagWindowText_data()
    {
        QTest::addColumn<QString>("editing"); // the tag list edited; none: a new entry
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("tag") << QString() << "#work"
                             << "8:Home 15:milk 8:work";
        QTest::newRow("saved search") << QString() << "work"
                                      << "8:Home 15:milk 15:work";
        QTest::newRow("search with a hash inside") << QString() << "call #mum"
                                                   << "8:Home 15:milk 15:call #mum";
        QTest::newRow("hash alone") << QString() << "#"
                                    << "8:Home 15:milk";
        QTest::newRow("a tag edited into a search stays in its place") << "Home"
                                                                       << "garden"
                                                                       << "15:garden 15:milk";
    }

    // A new entry goes after the others, an edited one stays where it was; a lone "#" is
    // refused and the window stays open on it.
    void tagWindowText()
    {
        QFETCH(QString, editing);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const QVariantList before{SidebarStore::entry(8, "Home"), SidebarStore::entry(15, "milk")};
        m_store->defaults->setObject(before, PrefKey::listNavArray);
        AddTagListWindowController window(*m_store->manager, *m_modeManager, m_sidebar.get());
        if (editing.isEmpty())
            window.addTag();
        else
            window.editList(ListEntry::fromStored(SidebarStore::entry(8, editing)));
        QCOMPARE(window.textField()->text(), "#" + editing);
        QCOMPARE(window.textField()->cursorPosition(), int(editing.size()) + 1);
        window.open();
        window.textField()->setText(text);
        QTest::mouseClick(window.doneButton(), Qt::LeftButton);

        const QVariantList nav = m_store->defaults->arrayForKey(PrefKey::listNavArray);
        QCOMPARE(describe(nav), stored);
        QCOMPARE(window.isVisible(), stored == describe(before));
        // The sidebar rebuilt and shows the entry by the text typed.
        const int row = editing.isEmpty() ? 3 + int(nav.size()) : 4;
        if (!window.isVisible())
            QCOMPARE(m_sidebar->tableView()->model()->index(row, 0).data().toString(), text);
    }

    // Done says what is missing, one thing at a time, and stores nothing until all is there;
    // the priorities are stored in the segments' order, the lists in the table's.
    void mergedWindowWarnsThenStoresInOrder()
    {
        AddMergedListWindowController window(*m_store->manager, *m_modeManager, m_sidebar.get());
        window.open();
        const auto warning = [&window] {
            window.doneButtonAction();
            return window.warningLabel()->text();
        };
        QCOMPARE(warning(), "Type in a name");
        window.nameField()->setText("Errands");
        QCOMPARE(warning(), "Need at least one list");
        // Clicking rows toggles them.
        QListWidget* table = window.listTable();
        for (int row : {1, 0})
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(row)).center());
        window.segment(0)->setChecked(false);
        QCOMPARE(warning(), "Need at least one priority");
        QVERIFY(window.isVisible());
        QCOMPARE(m_store->defaults->arrayForKey(PrefKey::listNavArray).size(), 1);
        window.segment(0)->setChecked(true);
        QTest::mouseClick(window.segment(3), Qt::LeftButton); // "!!!"
        QTest::mouseClick(window.doneButton(), Qt::LeftButton);
        const QVariantMap stored =
            m_store->defaults->arrayForKey(PrefKey::listNavArray).last().toMap();
        QCOMPARE(describe({stored}), "9:Errands");
        QCOMPARE(numbers(stored.value("priorities")), (QList<qint64>{3, 0}));
        QCOMPARE(stored.value("lists").toStringList(), lists().visibleLists());

        // Editing shows exactly what was stored and replaces it in place.
        AddMergedListWindowController edit(*m_store->manager, *m_modeManager, m_sidebar.get());
        edit.editList(ListEntry::fromStored(stored));
        QCOMPARE(edit.nameField()->text(), "Errands");
        const QList<bool> segments{edit.segment(0)->isChecked(), edit.segment(1)->isChecked(),
                                   edit.segment(2)->isChecked(), edit.segment(3)->isChecked()};
        QCOMPARE(segments, (QList<bool>{true, false, false, true}));
        edit.listTable()->item(0)->setSelected(false);
        edit.segment(0)->setChecked(false);
        edit.segment(2)->setChecked(true);
        edit.doneButtonAction();
        const QVariantList edited = m_store->defaults->arrayForKey(PrefKey::listNavArray);
        QCOMPARE(edited.size(), 2);
        QCOMPARE(numbers(edited.last().toMap().value("priorities")), (QList<qint64>{1, 0}));
        QCOMPARE(edited.last().toMap().value("lists").toList().size(), 1);
    }

    void newUserListIsShownAfterTheOthers()
    {
        const QStringList before = lists().visibleLists();
        AddListWindowController window(*m_store->manager, *m_modeManager, m_sidebar.get());
        window.makeNewList();
        QVERIFY(window.colorWell()->isHidden());
        // A title of spaces closes the window and creates nothing.
        const qsizetype count = lists().allCalendars().size();
        window.open();
        window.titleField()->setText("   ");
        window.doneButtonAction();
        QVERIFY(!window.isVisible());
        QCOMPARE(lists().allCalendars().size(), count);
        QVERIFY(!lists().doNotValidate());

        window.makeNewList();
        window.open();
        window.titleField()->setText("Garden");
        QTest::mouseClick(window.doneButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(lists().doNotValidate());

        const store::CalendarPtr garden = lists().calendarFromName("Garden");
        QVERIFY(garden);
        QCOMPARE(garden->color.name(), AddListWindowController::newListColor().name());
        QCOMPARE(m_store->defaults->stringArrayForKey(PrefKey::visibleLists),
                 before + QStringList{garden->calendarIdentifier});
        QCOMPARE(m_sidebar->presenter().layout().defaultListsArray().last().title(), "Garden");
        QTRY_VERIFY_WITH_TIMEOUT(!lists().doNotValidate(), 3000);

        // Editing the same list changes its title and colour in the store.
        AddListWindowController edit(*m_store->manager, *m_modeManager, m_sidebar.get());
        edit.editList(garden);
        QVERIFY(!edit.colorWell()->isHidden());
        edit.setColor(QColor(Qt::darkGreen));
        edit.titleField()->setText("Allotment");
        edit.doneButtonAction();
        const auto edited = [&] { return lists().calendarByUUID(garden->calendarIdentifier); };
        QCOMPARE(edited()->title, "Allotment");
        QCOMPARE(edited()->color.name(), QColor(Qt::darkGreen).name());
        // An empty title is refused: the list keeps its name.
        edit.editList(garden);
        edit.titleField()->clear();
        edit.doneButtonAction();
        QCOMPARE(edited()->title, "Allotment");
    }

    void sidebarOpensFreshWindows()
    {
        m_sidebar->openAddTagListWindow();
        QPointer<AddTagListWindowController> first = m_sidebar->addTagListWindow();
        QVERIFY(first && first->isTag());
        QCOMPARE(first->windowModality(), Qt::WindowModal);
        m_sidebar->openAddTagListWindow();
        QVERIFY(!first);
        QVERIFY(m_sidebar->addTagListWindow());

        m_sidebar->editList(m_sidebar->presenter().layout().rowCount() - 3); // the last user list
        QCOMPARE(m_sidebar->addListWindow()->titleField()->text(), "Work");
        QCOMPARE(m_sidebar->addListWindow()->doneButton()->text(), "Edit List");
    }

private:
    TaskLists& lists() const { return m_store->manager->lists(); }

    // "type:tag" of each sidebar entry.
    static QString describe(const QVariantList& values)
    {
        QStringList texts;
        for (const QVariant& value : values) {
            const QVariantMap map = value.toMap();
            texts << QStringLiteral("%1:%2")
                         .arg(UserDefaults::integerValue(map.value("type")))
                         .arg(map.value("tag").toString());
        }
        return texts.join(' ');
    }

    std::unique_ptr<SidebarStore> m_store;
    std::unique_ptr<ModeManager> m_modeManager;
    std::unique_ptr<LeftViewController> m_sidebar;
};

VELMORAN_WIDGET_TEST_MAIN(TestListWindows)
#include "tst_listwindows.moc"

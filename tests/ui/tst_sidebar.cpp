#include "SidebarStore.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/TaskLists.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/sidebar/SidebarModel.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

using TestEnvironment::local;

namespace {

QVariantMap entry(qint64 type, const QString& tag = {})
{
    return SidebarStore::entry(type, tag);
}

QList<qint64> numbers(const QVariant& value)
{
    QList<qint64> result;
    for (const QVariant& item : value.toList())
        result << UserDefaults::integerValue(item);
    return result;
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
    void init() { m_store.emplace(); }

    void cleanup()
    {
        m_sidebar.reset();
        m_modeManager.reset();
        m_store.reset();
        m_window = RecordingWindow();
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
        // The keys of the counts are tst_sidebarpresenter's; here they come from the store.
        QCOMPARE(text(4), "All Tasks 3");
        QCOMPARE(text(7), "#garden 2");
        QCOMPARE(text(8), "mum 1");
        QCOMPARE(text(11), "Work 1");
        QVERIFY(!sidebar.grab().isNull()); // every row kind paints

        // The date rows follow the selected date, with the today marker on today's.
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
        sidebar.resize(240, 500);
        sidebar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sidebar));
        QListView* table = sidebar.tableView();

        click(table, 4);
        QCOMPARE(m_window.selections.size(), 1);

        click(table, 5); // divider
        QCOMPARE(m_window.selections.size(), 1);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 4);

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(20, table->viewport()->height() - 4)); // below the rows
        QCOMPARE(sidebar.presenter().selectedRow(), 4);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);

        sidebar.presenter().selectMonthView();
        table->setFocus();
        for (const auto& [key, row] :
             {std::pair{Qt::Key_Down, 4}, {Qt::Key_Down, 6}, {Qt::Key_Up, 4}}) {
            QTest::keyClick(table, key);
            QCOMPARE(sidebar.presenter().selectedRow(), row);
        }
        QTest::keyClick(table, Qt::Key_Left);
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(m_window.left, 1);
        QCOMPARE(m_window.right, 2);
        QCOMPARE(sidebar.presenter().selectedRow(), 4);
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
        setNav({entry(1), entry(8, "garden")});
        LeftViewController& sidebar = create();
        sidebar.presenter().selectList(1);
        const int selected = sidebar.presenter().selectedRow();
        const int before = int(m_window.selections.size());
        QListView* table = sidebar.tableView();
        const QRect rect = table->visualRect(table->model()->index(4, 0));
        QTest::mouseClick(table->viewport(), Qt::RightButton, {}, rect.center());
        QCOMPARE(sidebar.presenter().selectedRow(), selected);
        QCOMPARE(int(m_window.selections.size()), before);
    }

    // Why a list could not go (tst_sidebarpresenter's) is told over the window.
    void aFailedDeletionIsTold()
    {
        LeftViewController& sidebar = create();
        Q_EMIT sidebar.presenter().deletionFailed("“Home” is read-only.");
        QMessageBox* box = sidebar.window()->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->informativeText(), "“Home” is read-only.");
    }

    void pinning()
    {
        LeftViewController& sidebar = create();
        bool fullScreen = true;
        QList<bool> levels;
        sidebar.isFullScreen = [&] { return fullScreen; };
        sidebar.applyWindowLevel = [&](bool floating) { levels << floating; };

        const int sounds = Sound::playRequestCount();
        sidebar.pinButtonAction(); // full screen: only the sound
        QCOMPARE(Sound::playRequestCount(), sounds + 1);
        QVERIFY(levels.isEmpty() && m_window.pins.isEmpty());

        fullScreen = false;
        sidebar.pinButtonAction();
        QCOMPARE(Sound::playRequestCount(), sounds + 2);
        QCOMPARE(levels, QList<bool>{true});
        QCOMPARE(m_window.pins, QList<bool>{true});
        QVERIFY(UserDefaults(m_defaults->filePath()).boolForKey(PrefKey::alwaysOnTop));

        sidebar.setupPinSettings();
        QCOMPARE(levels, (QList<bool>{true, true}));
        QCOMPARE(Sound::playRequestCount(), sounds + 2);
    }

    void sharingSelectsTheRowFirst()
    {
        setNav({entry(0)});
        LeftViewController& sidebar = create();
        sidebar.shareList(7);
        QCOMPARE(sidebar.presenter().selectedRow(), 7);
        QTRY_COMPARE(m_window.shares.size(), 1);
        QCOMPARE(m_window.shares.first().x(), 50);
        QCOMPARE(m_window.selections.last().value("title").toString(), "Work");
    }

    // --- the windows that add and edit lists ---

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
        listWindowsSidebar();
        QFETCH(QString, editing);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const QVariantList before{entry(8, "Home"), entry(15, "milk")};
        m_defaults->setObject(before, PrefKey::listNavArray);
        AddTagListWindowController window(*m_manager, *m_modeManager, m_sidebar.get());
        if (editing.isEmpty())
            window.addTag();
        else
            window.editList(ListEntry::fromStored(entry(8, editing)));
        QCOMPARE(window.textField()->text(), "#" + editing);
        QCOMPARE(window.textField()->cursorPosition(), int(editing.size()) + 1);
        window.open();
        window.textField()->setText(text);
        QTest::mouseClick(window.doneButton(), Qt::LeftButton);

        const QVariantList nav = m_defaults->arrayForKey(PrefKey::listNavArray);
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
        listWindowsSidebar();
        AddMergedListWindowController window(*m_manager, *m_modeManager, m_sidebar.get());
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
        QCOMPARE(m_defaults->arrayForKey(PrefKey::listNavArray).size(), 1);
        window.segment(0)->setChecked(true);
        QTest::mouseClick(window.segment(3), Qt::LeftButton); // "!!!"
        QTest::mouseClick(window.doneButton(), Qt::LeftButton);
        const QVariantMap stored = m_defaults->arrayForKey(PrefKey::listNavArray).last().toMap();
        QCOMPARE(describe({stored}), "9:Errands");
        QCOMPARE(numbers(stored.value("priorities")), (QList<qint64>{3, 0}));
        QCOMPARE(stored.value("lists").toStringList(), lists().visibleLists());

        // Editing shows exactly what was stored and replaces it in place.
        AddMergedListWindowController edit(*m_manager, *m_modeManager, m_sidebar.get());
        edit.editList(ListEntry::fromStored(stored));
        QCOMPARE(edit.nameField()->text(), "Errands");
        const QList<bool> segments{edit.segment(0)->isChecked(), edit.segment(1)->isChecked(),
                                   edit.segment(2)->isChecked(), edit.segment(3)->isChecked()};
        QCOMPARE(segments, (QList<bool>{true, false, false, true}));
        edit.listTable()->item(0)->setSelected(false);
        edit.segment(0)->setChecked(false);
        edit.segment(2)->setChecked(true);
        edit.doneButtonAction();
        const QVariantList edited = m_defaults->arrayForKey(PrefKey::listNavArray);
        QCOMPARE(edited.size(), 2);
        QCOMPARE(numbers(edited.last().toMap().value("priorities")), (QList<qint64>{1, 0}));
        QCOMPARE(edited.last().toMap().value("lists").toList().size(), 1);
    }

    void newUserListIsShownAfterTheOthers()
    {
        listWindowsSidebar();
        const QStringList before = lists().visibleLists();
        AddListWindowController window(*m_manager, *m_modeManager, m_sidebar.get());
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
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists),
                 before + QStringList{garden->calendarIdentifier});
        QCOMPARE(m_sidebar->presenter().layout().defaultListsArray().last().title(), "Garden");
        QTRY_VERIFY_WITH_TIMEOUT(!lists().doNotValidate(), 3000);

        // Editing the same list changes its title and colour in the store.
        AddListWindowController edit(*m_manager, *m_modeManager, m_sidebar.get());
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
        listWindowsSidebar();
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
    void setNav(const QVariantList& nav) { m_store->setNav(nav); }

    LeftViewController& create()
    {
        m_manager = &m_store->load();
        m_defaults = &*m_store->defaults;
        m_modeManager = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_sidebar = std::make_unique<LeftViewController>(*m_manager, *m_modeManager);
        m_sidebar->setDelegate(&m_window);
        return *m_sidebar;
    }

    TaskLists& lists() const { return m_manager->lists(); }

    // The sidebar the list windows are opened from, over one tag list, Home.
    void listWindowsSidebar()
    {
        setNav({entry(8, "Home")});
        create();
    }

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

    static void click(QListView* table, int row)
    {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rect.center());
    }

    RecordingWindow m_window;
    std::optional<SidebarStore> m_store;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<ModeManager> m_modeManager;
    std::unique_ptr<LeftViewController> m_sidebar;
};

VELMORAN_WIDGET_TEST_MAIN(TestSidebar)
#include "tst_sidebar.moc"

#include "SidebarStore.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/sidebar/SidebarModel.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

using TestEnvironment::local;

namespace {

QVariantMap entry(qint64 type, const QString& tag = {})
{
    return SidebarStore::entry(type, tag);
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

#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "prefs/ModeManager.h"
#include "ui/main/MidViewController.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QAccessible>
#include <QListView>

using namespace TestFiles;

namespace {

// The list Home: Trip ─ Pack ─ Socks, and Call mum on its own. The list Deep: a chain of six
// levels, Level 0 to Level 5.
struct TreeStore : LoadedStore
{
    TreeStore()
    {
        clock.setNow(TestEnvironment::local(2026, 12, 9, 8, 0));
        addList("home", "Home");
        const QByteArray parent = "RELATED-TO;RELTYPE=PARENT:";
        writeFile(root() + "/home/trip.ics", todo("trip", "Trip", "DUE;VALUE=DATE:20261210\r\n"));
        writeFile(root() + "/home/pack.ics",
                  todo("pack", "Pack", "DUE;VALUE=DATE:20261211\r\n" + parent + "trip\r\n"));
        writeFile(root() + "/home/socks.ics",
                  todo("socks", "Socks", "DUE;VALUE=DATE:20261209\r\n" + parent + "pack\r\n"));
        writeFile(root() + "/home/call.ics",
                  todo("call", "Call mum", "DUE;VALUE=DATE:20261212\r\n"));
        addList("deep", "Deep");
        for (int level = 0; level < 6; ++level) {
            const QByteArray n = QByteArray::number(level);
            writeFile(root() + "/deep/l" + n + ".ics",
                      todo("l" + n, "Level " + n,
                           level > 0 ? parent + "l" + QByteArray::number(level - 1) + "\r\n"
                                     : QByteArray()));
        }
        load();
    }
};

} // namespace

// Subtasks in the centre pane: the indent as painted, by day and at night; the fold control
// and the keys that fold; what a screen reader hears and does (the rules behind them are
// tst_subtaskrows').
class TestSubtaskWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        QVERIFY(m_store->manager);
        m_night = false;
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [this] { return m_night; });
        m_pane = std::make_unique<MidViewController>(*m_store->manager, *m_modes);
        m_pane->resize(600, 500);
        m_pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
        showList("Home");
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
        m_store.reset();
    }

    // Each level moves the check button one step right, up to four levels; a subtask shown
    // without its parent is taller by the line naming it.
    void deepTreesIndentAsFarAsFourLevels_data()
    {
        QTest::addColumn<bool>("night");
        QTest::newRow("day") << false;
        QTest::newRow("night") << true;
    }

    void deepTreesIndentAsFarAsFourLevels()
    {
        QFETCH(bool, night);
        m_night = night;
        m_modes->resetValues();
        m_pane->resetAppearance();
        showList("Deep");
        const QImage painted = m_pane->tableView()->viewport()->grab().toImage();
        const QColor background = m_pane->tableView()->palette().color(QPalette::Base);
        QList<int> steps;
        int first = -1;
        for (int row = 0; row < 6; ++row) {
            const QRect rect = m_pane->tableView()->visualRect(m_pane->model()->index(row));
            const int left = firstPaintedColumn(painted, rect, background);
            QVERIFY2(left >= 0, qPrintable(QStringLiteral("row %1 is blank").arg(row)));
            if (row == 0)
                first = left;
            steps << left - first;
        }
        QCOMPARE(steps, (QList<int>{0, 20, 40, 60, 80, 80}));

        m_pane->changeViewToDict(ListEntry::ofKind(ListKind::Search));
        m_pane->setSearchText("Call mum");
        QTRY_COMPARE(m_pane->model()->rowCount(), 2);
        const int plain = m_pane->model()->rowHeight(0);
        m_pane->setSearchText("Level 3");
        QTRY_COMPARE(m_pane->model()->rowHeight(0), plain + 16);
    }

    // A click on the triangle folds and unfolds (the rule is tst_subtaskrows'); it neither
    // completes the task nor opens it. Left and Right fold in a list; in the day view they
    // still move the day.
    void theTriangleAndTheArrowKeysFold()
    {
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Socks", "Call mum"}));
        clickFold(1);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));
        QVERIFY(!readFile(m_store->root() + "/home/pack.ics").contains("STATUS:COMPLETED"));

        QListView* table = m_pane->tableView();
        table->setFocus();
        selectRow(1); // Pack
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Socks", "Call mum"}));
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));

        m_pane->changeViewToDict(ListEntry::dateView(ListKind::Day));
        const QDateTime day = m_store->manager->dates().selectedDate();
        selectRow(0);
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(m_store->manager->dates().selectedDate(), day.addDays(-1));
    }

    // A screen reader hears the nesting and folds with an action.
    void aScreenReaderHearsAndFoldsTheTree()
    {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(m_pane->tableView());
        QAccessibleInterface* pack = list->child(1);
        const QString heard = pack->text(QAccessible::Description);
        QVERIFY2(heard.startsWith("Subtask of Trip, Due ") &&
                     heard.endsWith(", Home, Subtasks done: 0 of 1, Expanded"),
                 qPrintable(heard));
        QVERIFY(pack->state().expandable && pack->state().expanded);
        pack->actionInterface()->doAction("Collapse");
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));
        pack = list->child(1);
        QVERIFY(pack->state().collapsed && !pack->state().expanded);
        QVERIFY(pack->text(QAccessible::Description).endsWith("Collapsed"));
        QVERIFY(!list->child(2)->state().expandable); // Call mum
    }

private:
    void showList(const QString& title)
    {
        m_pane->changeViewToDict(ListEntry::userList(title, m_store->listId(title)));
    }

    QStringList titles() const
    {
        QStringList shown;
        for (int row = 0; row < m_pane->model()->rowCount(); ++row)
            if (const store::ReminderPtr task = m_pane->model()->reminderAt(row))
                shown << task->title;
        return shown;
    }

    void selectRow(int row) { m_pane->tableView()->setCurrentIndex(m_pane->model()->index(row)); }

    void clickFold(int row)
    {
        QListView* table = m_pane->tableView();
        const QModelIndex index = m_pane->model()->index(row);
        const auto parts = index.data(TaskListModel::PartsRole).value<TaskRowParts>();
        auto* delegate = static_cast<TaskListDelegate*>(table->itemDelegate());
        const QRect fold = delegate->foldControlRect(table->visualRect(index), parts);
        QVERIFY(!fold.isEmpty());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, fold.center());
    }

    // The leftmost column of `rect` with a pixel unlike the background; -1 for none.
    static int firstPaintedColumn(const QImage& image, const QRect& rect, const QColor& background)
    {
        const qreal ratio = image.devicePixelRatio();
        for (int x = int(rect.left() * ratio); x < int((rect.right() + 1) * ratio); ++x)
            for (int y = int(rect.top() * ratio); y < int((rect.bottom() + 1) * ratio); ++y)
                if (qAbs(QColor(image.pixel(x, y)).lightness() - background.lightness()) > 40)
                    return int(x / ratio);
        return -1;
    }

    std::optional<TreeStore> m_store;
    bool m_night = false;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<MidViewController> m_pane;
};

VELMORAN_WIDGET_TEST_MAIN(TestSubtaskWindow)
#include "tst_subtaskwindow.moc"

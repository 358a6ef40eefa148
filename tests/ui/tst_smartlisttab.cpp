// runs inside dbus-run-session; runs velmoran-cli beside the window.
#include "PreferenceFixture.h"
#include "SidebarStore.h"

#include "data/SmartLists.h"
#include "platform/UserDefaultsWatcher.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/SmartAddTab.h"
#include "ui/prefs/SmartListRowsModel.h"
#include "ui/prefs/SmartListTab.h"

#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

namespace {

QVariantMap entry(qint64 type, const QString& tag = {})
{
    return SidebarStore::entry(type, tag);
}

// The stored array, each entry as "type" or "type:tag", for short comparisons.
QStringList storedNav(const UserDefaults& defaults)
{
    QStringList out;
    for (const QVariant& value : defaults.arrayForKey(PrefKey::listNavArray)) {
        const QVariantMap map = value.toMap();
        const QString type = map.value(QStringLiteral("type")).toString();
        const QString tag = map.value(QStringLiteral("tag")).toString();
        out << (tag.isEmpty() ? type : type + u':' + tag);
    }
    return out;
}

} // namespace

class TestSmartListTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<PreferenceFixture>();
        QVERIFY(m_fixture->setUp());
        // Presets out of order, a duplicate preset, smart lists between them.
        setNav({entry(4), entry(0), entry(8, "Home"), entry(4), entry(2), entry(15, "milk"),
                entry(9, "Both")});
    }

    void cleanup() { m_fixture.reset(); }

    void titleButtonsSwitchTabs()
    {
        AdvancedPage* page = f().object->advancedPage();
        QCOMPARE(page->shownTab(), page->smartListTab());
        page->tabButton(AdvancedPage::SmartAddTabIndex)->click();
        QCOMPARE(page->currentSmartTab(), int(AdvancedPage::SmartAddTabIndex));
        QCOMPARE(page->shownTab(), page->smartAddTab());
        // The mark on the shown one is read by tst_accessiblenames.
    }

    void presetSwitchRewritesPresetsFirstInKindOrder()
    {
        SmartListRowsModel* model = tab()->model();
        QCOMPARE(model->index(9).data().toString(), QStringLiteral("#Home"));
        QCOMPARE(model->index(10).data().toString(), QStringLiteral("milk"));
        // Unchecking "Overdue Tasks" removes every type-4 entry.
        QVERIFY(model->setData(model->index(4), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(storedNav(defaults()), QStringList({"0", "2", "8:Home", "15:milk", "9:Both"}));
        // Checking it again puts it between the lower and higher presets.
        QVERIFY(model->setData(model->index(4), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "8:Home", "15:milk", "9:Both"}));
        // The sidebar, the tray panel and the menus were told each time.
        QCOMPARE(f().relayed.value("refreshLeftList"), 2);
        QCOMPARE(f().relayed.value("setupListsMenu"), 2);
    }

    void onlySmartListsAreSelectableAndDeleteFollowsSelection()
    {
        setNav({entry(0)});
        QVERIFY(!tab()->deleteButton()->isEnabled());
        for (int row = 0; row < 9; ++row)
            QVERIFY(!(tab()->model()->flags(tab()->model()->index(row)) & Qt::ItemIsSelectable));
        setNav({entry(0), entry(8, "Home")});
        tab()->table()->setCurrentIndex(tab()->model()->index(9));
        QVERIFY(tab()->deleteButton()->isEnabled());
        tab()->deleteButton()->click();
        QCOMPARE(storedNav(defaults()), QStringList({"0"}));
        QVERIFY(!tab()->deleteButton()->isEnabled());
        QCOMPARE(f().relayed.value("refreshLeftList"), 1);
    }

    void dragAndKeysReorderSmartListsOnly()
    {
        SmartListRowsModel* model = tab()->model();
        // Drag "#Home" (row 9) to the end.
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(9)}));
        QVERIFY(model->canDropMimeData(drag.get(), Qt::MoveAction, model->rowCount(), 0, {}));
        model->dropMimeData(drag.get(), Qt::MoveAction, model->rowCount(), 0, {});
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "15:milk", "9:Both", "8:Home"}));
        // Onto a preset row or the divider: refused.
        std::unique_ptr<QMimeData> again(model->mimeData({model->index(11)}));
        QVERIFY(!model->canDropMimeData(again.get(), Qt::MoveAction, 3, 0, {}));
        QVERIFY(!model->canDropMimeData(again.get(), Qt::MoveAction, 8, 0, {}));
        QVERIFY(model->canDropMimeData(again.get(), Qt::MoveAction, 9, 0, {}));
        // A preset row cannot be dragged at all.
        QVERIFY(!model->mimeData({model->index(2)}));
        // Alt+Up on the last smart list; Alt+Up on the first one stays put.
        tab()->table()->setCurrentIndex(model->index(11));
        QTest::keyClick(tab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "15:milk", "8:Home", "9:Both"}));
        tab()->table()->setCurrentIndex(model->index(9));
        QTest::keyClick(tab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "15:milk", "8:Home", "9:Both"}));
        QTest::keyClick(tab()->table(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "8:Home", "15:milk", "9:Both"}));
    }

    void sheetsAddAndEditThroughTheSidebarWindows()
    {
        tab()->showAddTagList();
        AddTagListWindowController* sheet = tab()->tagListWindow();
        QVERIFY(sheet && sheet->isVisible());
        sheet->textField()->setText(QStringLiteral("#Garden"));
        sheet->doneButtonAction();
        QCOMPARE(storedNav(defaults()).last(), QStringLiteral("8:Garden"));
        // A switch writes the presets in order again.
        tab()->checkSmartList(7);
        tab()->checkSmartList(7);
        QCOMPARE(tab()->model()->index(tab()->model()->rowCount() - 1).data().toString(),
                 QStringLiteral("#Garden"));
        // A double click on the saved search opens the same window filled with it; the edit
        // stays in its place.
        tab()->doubleClickSmartList(10);
        sheet = tab()->tagListWindow();
        QCOMPARE(sheet->textField()->text(), QStringLiteral("milk"));
        sheet->textField()->setText(QStringLiteral("bread"));
        sheet->doneButtonAction();
        QCOMPARE(storedNav(defaults()),
                 QStringList({"0", "2", "4", "8:Home", "15:bread", "9:Both", "8:Garden"}));
        tab()->doubleClickSmartList(11);
        QVERIFY(tab()->mergedListWindow() && tab()->mergedListWindow()->isVisible());
        QCOMPARE(tab()->mergedListWindow()->nameField()->text(), QStringLiteral("Both"));
        QCOMPARE(f().relayed.value("refreshLeftList"), 4);
    }

    void unknownKindsSurviveARewrite()
    {
        setNav({entry(0), entry(99, "future"), entry(8, "Home")});
        tab()->checkSmartList(1);
        QCOMPARE(storedNav(defaults()), QStringList({"0", "1", "8:Home", "99:future"}));
    }

    void anotherProcessesChangeIsShownAndKept()
    {
        UserDefaultsWatcher watcher(defaults());
        const QByteArray nav = R"([{"type":0},{"type":8,"tag":"Cli"}])";
        QProcess cli;
        cli.start(VELMORAN_CLI_PATH, {"prefs", "set", "listNavArray", QString::fromUtf8(nav)});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        QTRY_COMPARE(tab()->model()->rowCount(), 10);
        QCOMPARE(tab()->model()->index(9).data().toString(), QStringLiteral("#Cli"));
        // A switch made now starts from the other process's array.
        tab()->checkSmartList(7);
        QCOMPARE(storedNav(defaults()), QStringList({"0", "7", "8:Cli"}));
    }

private:
    PreferenceFixture& f() { return *m_fixture; }
    UserDefaults& defaults() { return *f().defaults; }
    SmartListTab* tab() { return f().object->advancedPage()->smartListTab(); }
    void setNav(const QVariantList& nav)
    {
        defaults().setObject(nav, PrefKey::listNavArray);
        defaults().synchronize();
        tab()->setupSmartList();
        f().relayed.clear();
    }

    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestSmartListTab)
#include "tst_smartlisttab.moc"

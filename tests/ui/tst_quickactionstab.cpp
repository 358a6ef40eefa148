// runs inside dbus-run-session; runs velmoran-cli beside the window.
#include "PreferenceFixture.h"
#include "TestFiles.h"

#include "platform/UserDefaultsWatcher.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/MidViewController.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/QuickActionRowsModel.h"
#include "ui/prefs/QuickActionSheet.h"
#include "ui/prefs/QuickActionsTab.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

namespace {

QVariantMap action(qint64 type)
{
    return {{"type", type}};
}

QVariantMap action(qint64 type, const char* key, const QVariant& value)
{
    return {{"type", type}, {QString::fromLatin1(key), value}};
}

// Records compare as the JSON they are stored as (numbers may come back as another type).
QByteArray json(const QVariant& value)
{
    return QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact);
}

} // namespace

class TestQuickActionsTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<PreferenceFixture>();
        PreferenceFixture& f = *m_fixture;
        QVERIFY(PreferenceFixture::makeCollection(f.root() + "/work", "Work"));
        TestFiles::writeFile(f.root() + "/work/a.ics",
                             TestFiles::todo("a", "Report", "DUE;VALUE=DATE:20261209\r\n"));
        QVERIFY(f.setUp());
        setActions({action(0), action(2, "tag", "home")});
    }

    void cleanup() { m_fixture.reset(); }

    void setUpShowsTheRecordsAndTheTagDestination()
    {
        QCOMPARE(tab()->model()->index(1).data().toString(), QStringLiteral("#home"));
        QCOMPARE(tab()->tagOnNotesButton()->currentIndex(), 0);
        tab()->tagOnNotesButton()->setCurrentIndex(1);
        Q_EMIT tab()->tagOnNotesButton()->activated(1);
        QVERIFY(defaults().boolForKey(PrefKey::tagOnNotes));
        QVERIFY(!tab()->deleteButton()->isEnabled());
    }

    void eachKindOfTheSheetMakesItsRecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QVariant>("expected");
        const QVariant nothing;
        QTest::newRow("clear") << 0 << QStringList() << QVariant(action(0));
        QTest::newRow("#tag") << 3 << QStringList{"#errand"}
                              << QVariant(action(2, "tag", "errand"));
        QTest::newRow("# alone") << 3 << QStringList{"#"} << nothing;
        // The defaults: "+", 1, "Minutes".
        QTest::newRow("date default") << 4 << QStringList() << QVariant(action(6, "number", 1));
        QTest::newRow("-3 days") << 4 << QStringList{"-", "3x", "Days"}
                                 << QVariant(action(11, "number", 3));
        QTest::newRow("+0 months")
            << 4 << QStringList{"+", "", "Months"} << QVariant(action(14, "number", 1));
        QTest::newRow("switch") << 5 << QStringList{"#high", "#", ""}
                                << QVariant(action(20, "array", QVariantList{"#high"}));
        QTest::newRow("after") << 6 << QStringList() << QVariant(action(21));
    }

    void eachKindOfTheSheetMakesItsRecord()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, fields);
        QFETCH(QVariant, expected);
        tab()->addButton()->click();
        QuickActionSheet* sheet = tab()->sheet();
        QVERIFY(sheet && sheet->isVisible());
        sheet->kindChooser()->setCurrentIndex(kind);
        if (kind == QuickActionSheet::Tag) {
            sheet->tagField()->setText(fields.value(0));
        } else if (kind == QuickActionSheet::DueDate && !fields.isEmpty()) {
            sheet->signButton(fields.at(0) == "+" ? 1 : 0)->click();
            sheet->numberField()->setText(fields.at(1));
            const int unit =
                QStringList{"Minutes", "Hours", "Days", "Weeks", "Months"}.indexOf(fields.at(2));
            sheet->unitButton(unit)->click();
        } else if (kind == QuickActionSheet::Switch) {
            for (int index = 0; index < 3; ++index) {
                QCOMPARE(sheet->switchField(index)->text(), QStringLiteral("#"));
                sheet->switchField(index)->setText(fields.value(index));
            }
        }
        sheet->doneButton()->click();
        QVERIFY(!sheet->isVisible());
        const QVariantList stored = defaults().arrayForKey(PrefKey::quickActions);
        QCOMPARE(stored.size(), expected.isValid() ? 3 : 2);
        if (expected.isValid())
            QCOMPARE(json(stored.last()), json(expected));
    }

    void editingShowsTheRecordAndReplacesItInPlace()
    {
        setActions({action(0), action(11, "number", 3), action(20, "array", QVariantList{"a", "b"}),
                    action(19, "tag", "w")});
        tab()->doubleClickQuickActions(1);
        QuickActionSheet* sheet = tab()->sheet();
        QCOMPARE(sheet->kindChooser()->currentIndex(), int(QuickActionSheet::DueDate));
        QCOMPARE(sheet->numberField()->text(), QStringLiteral("3"));
        sheet->signButton(1)->click();
        sheet->unitButton(3)->click();
        sheet->doneButton()->click();
        QCOMPARE(json(actions().at(1)), json(action(12, "number", 3)));
        QCOMPARE(tab()->model()->index(1).data().toString(), QStringLiteral("+3 Weeks"));
        tab()->doubleClickQuickActions(2);
        QCOMPARE(sheet->switchField(0)->text(), QStringLiteral("a"));
        QCOMPARE(sheet->switchField(1)->text(), QStringLiteral("b"));
        sheet->cancelButton()->click();
        tab()->doubleClickQuickActions(3);
        QCOMPARE(sheet->tagField()->text(), QStringLiteral("w"));
        QCOMPARE(actions().size(), 4);
    }

    void reorderDeleteAndUnsupportedRecords()
    {
        const QVariantMap future = action(77, "beam", "up");
        setActions({action(0), future, action(3), action(4)});
        QuickActionRowsModel* model = tab()->model();
        QCOMPARE(model->index(1).data().toString(), QStringLiteral("Unsupported Action"));
        tab()->doubleClickQuickActions(1);
        QVERIFY(!tab()->sheet() || !tab()->sheet()->isVisible());
        // Drag the first to the end; Alt+Up moves the last back one place.
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(0)}));
        model->dropMimeData(drag.get(), Qt::MoveAction, 4, 0, {});
        QCOMPARE(json(actions()), json(QVariantList{future, action(3), action(4), action(0)}));
        tab()->table()->setCurrentIndex(model->index(3));
        QTest::keyClick(tab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(json(actions()), json(QVariantList{future, action(3), action(0), action(4)}));
        // Deleting asks nothing; the last one leaves an empty array.
        for (int left = 4; left > 0; --left) {
            tab()->table()->setCurrentIndex(model->index(0));
            QVERIFY(tab()->deleteButton()->isEnabled());
            tab()->deleteButton()->click();
            QCOMPARE(actions().size(), left - 1);
        }
        QVERIFY(defaults().hasStoredValue(PrefKey::quickActions));
        QVERIFY(f().alerts.isEmpty());
    }

    void theTaskMenuShowsAnActionAddedHere()
    {
        MidViewController pane(*f().manager, *f().modes);
        pane.resize(600, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.refreshView();
        const auto titles = [&pane] {
            pane.menuNeedsUpdate(0);
            QStringList out;
            for (QAction* item : pane.quickActionsMenu()->actions())
                out << item->text().remove('&');
            return out;
        };
        tab()->addButton()->click();
        QuickActionSheet* sheet = tab()->sheet();
        sheet->kindChooser()->setCurrentIndex(QuickActionSheet::DueDate);
        sheet->numberField()->setText("2");
        sheet->unitButton(1)->click();
        sheet->doneButton()->click();
        QVERIFY2(titles().contains("+2 Hours"), qPrintable(titles().join(", ")));
        QVERIFY(titles().indexOf("+2 Hours") > titles().indexOf("Add #home"));
    }

    // Another process adds an action; a move made afterwards keeps it.
    void aMoveAfterAnotherProcessesChangeKeepsBoth()
    {
        UserDefaultsWatcher watcher(defaults());
        QProcess cli;
        cli.start(VELMORAN_CLI_PATH, {"prefs", "set", "quickActionsMac",
                                      R"([{"type":0},{"type":2,"tag":"home"},{"type":3}])"});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        QTRY_COMPARE(tab()->model()->rowCount(), 3);
        tab()->table()->setCurrentIndex(tab()->model()->index(0));
        QTest::keyClick(tab()->table(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(json(actions()),
                 json(QVariantList{action(2, "tag", "home"), action(0), action(3)}));
    }

private:
    PreferenceFixture& f() { return *m_fixture; }
    UserDefaults& defaults() { return *f().defaults; }
    QuickActionsTab* tab() { return f().object->advancedPage()->quickActionsTab(); }
    QVariantList actions() { return defaults().arrayForKey(PrefKey::quickActions); }
    void setActions(const QVariantList& records)
    {
        defaults().setObject(records, PrefKey::quickActions);
        defaults().synchronize();
        tab()->setupQuickActions();
    }

    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestQuickActionsTab)
#include "tst_quickactionstab.moc"

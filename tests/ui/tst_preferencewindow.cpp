// runs inside dbus-run-session; runs velmoran-cli beside the window.
#include "AccessibleNames.h"
#include "ComboInput.h"
#include "KeyboardFocus.h"
#include "PreferenceFixture.h"
#include "SidebarStore.h"
#include "SmartAddRecords.h"
#include "TestFiles.h"
#include "WindowFit.h"
#include "WindowWalks.h"

#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaultsWatcher.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/AppearancePage.h"
#include "ui/prefs/DesktopShortcutHelp.h"
#include "ui/prefs/FiltersPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/ListsPage.h"
#include "ui/prefs/NewTaskPage.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/QuickActionRowsModel.h"
#include "ui/prefs/QuickActionSheet.h"
#include "ui/prefs/QuickActionsTab.h"
#include "ui/prefs/ShortcutRecorder.h"
#include "ui/prefs/SmartAddRuleSheet.h"
#include "ui/prefs/SmartAddTab.h"
#include "ui/prefs/SmartListRowsModel.h"
#include "ui/prefs/SmartListTab.h"
#include "ui/prefs/SyncTab.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using SmartAddRecords::record;

namespace {

// Records compare as the JSON they are stored as (numbers may come back as another type).
QJsonValue json(const QVariant& value)
{
    return QJsonValue::fromVariant(value);
}

QStringList words(const QVariantList& stored)
{
    QStringList out;
    for (const QVariant& value : stored)
        out << value.toMap().value("word").toString();
    return out;
}

QVariantMap entry(qint64 type, const QString& tag = {})
{
    return SidebarStore::entry(type, tag);
}

QVariantMap action(qint64 type)
{
    return {{"type", type}};
}

QVariantMap action(qint64 type, const char* key, const QVariant& value)
{
    return {{"type", type}, {QString::fromLatin1(key), value}};
}

} // namespace

// The preferences window over a real store: its pages, their controls and what they store and
// set off, the window's size and keyboard. On the Advanced page: the Smart Add rules, the
// sidebar's smart lists and presets, and the quick actions, each as the preference file stores
// it; what a screen reader reads of the controls whose role, state or value matters (whether
// every control has a name is tst_textfit's); and the preference sets carried to a second
// machine, with a configuration home and a store of its own, through one sync folder.
class TestPreferenceWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/home", "Home"));
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/work", "Work"));
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/work2", "Work"));
        TestFiles::writeFile(f().root() + "/work/a.ics",
                             TestFiles::todo("a", "Report", "DUE;VALUE=DATE:20261209\r\n"));
        QVERIFY(f().setUp());
        setRules({record(1, 0, "M/dd"), record(0, 5, "!!!"), record(0, 4, "!!"), record(0, 3, "!"),
                  record(0, 2, "soon", "+2", "Day"), record(0, 7, "al")});
        setActions({action(0), action(2, "tag", "home")});
        // Presets out of order, a duplicate preset, smart lists between them.
        setNav({entry(4), entry(0), entry(8, "Home"), entry(4), entry(2), entry(15, "milk"),
                entry(9, "Both")});
    }

    void cleanup() { m_fixture.reset(); }

    void everyPageFitsAt800By600_data()
    {
        QTest::addColumn<bool>("night");
        QTest::newRow("day") << false;
        QTest::newRow("night") << true;
    }

    // Every page opens at its full size where the screen has room; at 800 by 600, day and night,
    // every page and every tab of the Advanced page shows all of its controls at their full
    // size, within the window or within reach of its scroll bar.
    void everyPageFitsAt800By600()
    {
        QFETCH(bool, night);
        PreferenceWindowController& window = *f().window;
        if (night) {
            f().defaults->setBool(false, PrefKey::nightModeAuto);
            f().defaults->setBool(true, PrefKey::nightMode);
            f().manager->nightMode().presetNightMode();
            f().modes->resetValues();
            QVERIFY(f().modes->isNightMode());
            window.setPalette(f().object->palette());
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList faults = f().faultsOnEveryPage([&window](QWidget*) {
            // The screen has room for every page: it opens whole, without scrolling.
            QStringList found;
            if (window.pageArea()->verticalScrollBar()->isVisible() ||
                window.pageArea()->horizontalScrollBar()->isVisible())
                found << QStringLiteral("scrolls where the screen has room");
            window.resize(800, 600);
            if (!QTest::qWaitFor([&window] {
                    return window.size() == QSize(800, 600).expandedTo(window.minimumSize());
                }))
                found << QStringLiteral("never took the size it was given");
            if (window.width() > 800 || window.height() > 600)
                found << QStringLiteral("is %1 by %2").arg(window.width()).arg(window.height());
            QCoreApplication::processEvents();
            return found + WindowFit::faults(&window);
        });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // With a large desktop font the General page is larger than the screen: the window stops at
    // the screen's edges and the page scrolls within it, all of it within reach.
    void aPageLargerThanTheScreenScrolls()
    {
        const QFont font = QApplication::font();
        QFont large = font;
        large.setPointSizeF(font.pointSizeF() * 2);
        QApplication::setFont(large);
        const auto restoreFont = qScopeGuard([font] { QApplication::setFont(font); });
        PreferenceWindowController& window = *f().window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.selectPanelAtIndex(PreferenceObject::NewTask);
        window.selectPanelAtIndex(PreferenceObject::General);
        const QRect screen = window.screen()->availableGeometry();
        QVERIFY2(f().object->generalPage()->sizeHint().height() > screen.height(),
                 "the page fits the screen even with the large font");
        QTRY_VERIFY2(screen.contains(window.frameGeometry()),
                     qPrintable(QString("%1 by %2 at %3,%4")
                                    .arg(window.width())
                                    .arg(window.height())
                                    .arg(window.x())
                                    .arg(window.y())));
        QVERIFY(window.pageArea()->verticalScrollBar()->maximum() > 0);
        const QStringList faults = WindowFit::faults(&window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void generalSwitchesStoreAndAct()
    {
        GeneralPage* page = f().object->generalPage();
        UserDefaults& defaults = *f().defaults;

        QVERIFY(page->showMenuBarButton()->isChecked());
        page->showMenuBarButton()->click();
        QCOMPARE(defaults.boolForKey(PrefKey::showMenuBar), false);
        QCOMPARE(f().relayed.value("showHideMenuBar"), 1);

        // Wednesday 9 December: the week starts on Monday 7th, or Sunday 6th.
        const bool sundayFirst = defaults.boolForKey(PrefKey::sundayFirst);
        QCOMPARE(page->sundayFirstButton()->isChecked(), sundayFirst);
        page->sundayFirstButton()->click();
        QCOMPARE(defaults.boolForKey(PrefKey::sundayFirst), !sundayFirst);
        QCOMPARE(f().manager->dates().thisWeekDate().date().day(), sundayFirst ? 7 : 6);
        QVERIFY(f().waitForRefresh());

        chooseItem(page->overduePopUp(), 1);
        QCOMPARE(defaults.objectForKey(PrefKey::overdueNow), QVariant(false));
        QVERIFY(f().waitForRefresh());
        chooseItem(page->overduePopUp(), 0);
        QCOMPARE(defaults.objectForKey(PrefKey::overdueNow), QVariant(true));

        // The answer remembered from the question before a parent is completed shows here;
        // "Ask" forgets it (what each answer does is tst_subtaskcommands').
        QComboBox* popUp = page->subtaskCompletionPopUp();
        QCOMPARE(popUp->currentText(), QString("Ask"));
        defaults.setString("all", PrefKey::subtaskCompletion); // "Remember my choice"
        QCOMPARE(popUp->currentText(), QString("Complete All"));
        chooseItem(popUp, 2);
        QCOMPARE(defaults.stringForKey(PrefKey::subtaskCompletion), QString("only"));
        chooseItem(popUp, 0);
        QVERIFY(!defaults.hasStoredValue(PrefKey::subtaskCompletion));

        // Notifications turned on, the shell schedules; turned off, the scheduler empties the
        // centre itself.
        OnOffButton* button = page->notificationButton();
        QCOMPARE(button->text(), QString("Off"));
        button->click();
        QCOMPARE(defaults.boolForKey(PrefKey::notifications), true);
        button->click();
        QCOMPARE(button->text(), QString("Off"));
        QCOMPARE(defaults.boolForKey(PrefKey::notifications), false);
        QCOMPARE(f().relayed.value("scheduleNotifications"), 1);

        // The minutes themselves are PreferenceField's; here the field commits and shows them.
        QLineEdit* field = page->snoozeField();
        QCOMPARE(field->text(), QString("10"));
        field->selectAll();
        QTest::keyClicks(field, "25");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(defaults.objectForKey(PrefKey::snooze), QVariant::fromValue(25LL));
        // Emptied with Backspace: the smallest snooze, shown.
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QString("1"));
        QCOMPARE(defaults.objectForKey(PrefKey::snooze), QVariant::fromValue(1LL));
    }

    void defaultListKeepsListsOfOneTitleApart()
    {
        NewTaskPage* page = f().object->newTaskPage();
        QComboBox* popUp = page->defaultListPopUp();
        QCOMPARE(popUp->count(), 3);
        for (int index = 0; index < popUp->count(); ++index) {
            chooseItem(popUp, index);
            QCOMPARE(f().defaults->stringForKey(PrefKey::defaultList),
                     popUp->itemData(index).toString());
        }
        QCOMPARE(popUp->currentIndex(), popUp->count() - 1);
    }

    void filterBoxesWriteTheWholeDictionary()
    {
        FiltersPage* page = f().object->filtersPage();
        QVERIFY(page->box(1, 2)->isChecked());
        page->box(1, 2)->click();
        const QVariantMap filters = f().defaults->dictionaryForKey(PrefKey::filters);
        QCOMPARE(filters.size(), 12);
        QCOMPARE(filters.value(PrefKey::Filter::weekEvents), QVariant(false));
        for (int box = 0; box < 9; ++box)
            QCOMPARE(filters
                         .value(QStringList({"day", "week", "month"}).at(box / 3) +
                                QStringList({"Undated", "Completed", "Events"}).at(box % 3))
                         .toBool(),
                     page->box(box / 3, box % 3)->isChecked());
        QVERIFY(f().waitForRefresh());
    }

    void nightModeSwitchesThePaletteAndRestsTheSchedule()
    {
        AppearancePage* page = f().object->appearancePage();
        QVERIFY(!f().modes->isNightMode());
        const QColor day = f().object->listsPage()->palette().color(QPalette::Window);
        page->scheduledButton()->setChecked(true);
        QVERIFY(page->fromPicker()->isEnabled());

        page->manualButton()->click();
        QCOMPARE(f().defaults->boolForKey(PrefKey::nightMode), true);
        QVERIFY(f().modes->isNightMode());
        QVERIFY(!page->scheduledButton()->isEnabled());
        QVERIFY(!page->toPicker()->isEnabled());
        const QColor night = f().object->listsPage()->palette().color(QPalette::Window);
        QVERIFY(night.lightness() < day.lightness());

        page->manualButton()->click();
        QVERIFY(page->toPicker()->isEnabled());
        page->scheduledButton()->click();
        QVERIFY(!page->toPicker()->isEnabled());
        page->fromPicker()->setTime(QTime(21, 30));
        QCOMPARE(f().defaults->stringForKey(PrefKey::nightModeAutoStartTime), QString("21:30"));
    }

    // Another process changes the preferences while the window is open: the pages show the new
    // values, and a switch or a move made afterwards starts from what the other process wrote.
    void anotherProcessesChangesShowInTheOpenWindow()
    {
        UserDefaultsWatcher watcher(*f().defaults);
        f().window->show();
        GeneralPage* general = f().object->generalPage();
        QVERIFY(!general->soundButton()->isChecked());
        QVERIFY(cli({"prefs", "set", "soundOn", "true"}));
        QTRY_VERIFY_WITH_TIMEOUT(general->soundButton()->isChecked(), 5000);
        QVERIFY(cli({"prefs", "set", "nightMode", "true"}));
        QTRY_VERIFY_WITH_TIMEOUT(!f().object->appearancePage()->scheduledButton()->isEnabled(),
                                 5000);
        QVERIFY(cli({"prefs", "set", "snooze", "42"}));
        QTRY_COMPARE_WITH_TIMEOUT(general->snoozeField()->text(), QString("42"), 5000);

        QVERIFY(cli({"prefs", "set", "listNavArray", R"([{"type":0},{"type":8,"tag":"Cli"}])"}));
        QTRY_COMPARE(smartListTab()->model()->rowCount(), 10);
        QCOMPARE(smartListTab()->model()->index(9).data().toString(), QStringLiteral("#Cli"));
        smartListTab()->checkSmartList(7);
        QCOMPARE(storedNav(), QStringList({"0", "7", "8:Cli"}));

        QVERIFY(cli({"prefs", "set", "quickActionsMac",
                     R"([{"type":0},{"type":2,"tag":"home"},{"type":3}])"}));
        QTRY_COMPARE(quickActionsTab()->model()->rowCount(), 3);
        quickActionsTab()->table()->setCurrentIndex(quickActionsTab()->model()->index(0));
        QTest::keyClick(quickActionsTab()->table(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(json(actions()),
                 json(QVariantList{action(2, "tag", "home"), action(0), action(3)}));
    }

    void shortcutRecorderStoresTheRecordAndRefusesARepeat()
    {
        UserDefaults& defaults = *f().defaults;
        int grabs = 0;
        ShortcutRecorder recorder(defaults, PrefKey::shortcut, [&] { return ++grabs > 0; });
        recorder.propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
        const QVariantMap record = defaults.dictionaryForKey(PrefKey::shortcut);
        QCOMPARE(record.value("modifierFlags").toInt(),
                 PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask);
        QCOMPARE(grabs, 1);

        // The same combination again: the recorder holds it already.
        recorder.propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K));
        QCOMPARE(grabs, 1);
        QVERIFY(!recorder.message().isEmpty());
        // A plain key is no global shortcut.
        recorder.propose(QKeySequence(Qt::Key_K));
        QCOMPARE(defaults.dictionaryForKey(PrefKey::shortcut), record);

        // Tab leaving the recorder is walked with the General page's chain in
        // pagesSwitchAndTabGoesRoundEach.
        recorder.clear();
        QVERIFY(!PTKeyCombo::fromShortcutRecord(defaults.objectForKey(PrefKey::shortcut))
                     .isValidHotKeyCombo());
    }

    // On Wayland without the shortcuts portal the General page gives the compositor's lines
    // for the recorded keys, tells how to get a tray while the tray icon is on, and goes round
    // all of it with Tab; on X11 and with the portal it shows none.
    void waylandHelpFollowsTheSessionAndTheKeys()
    {
        QVERIFY(!f().object->generalPage()->desktopHelp());
        f().desktopSession = DesktopSession{true, "KDE", true, false, true};
        f().remakeWindow();
        QVERIFY(!f().object->generalPage()->desktopHelp()->hasHelp());

        f().defaults->setBool(true, PrefKey::showMenuBar);
        f().desktopSession = DesktopSession{true, "sway", false, true, false};
        f().remakeWindow();
        GeneralPage* page = f().object->generalPage();
        DesktopShortcutHelp* help = page->desktopHelp();
        QVERIFY(help->hasHelp());
        QVERIFY(!help->addToGnomeButton());
        // The lines themselves are tst_hotkeys'; here they follow the recorders and the choice.
        page->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        page->menuBarShortcut()->clear();
        QVERIFY(!help->linesView()->toPlainText().contains('\n'));
        help->compositorPopUp()->setCurrentIndex(int(DesktopKeyBindings::Compositor::Hyprland));
        page->menuBarShortcut()->propose(QKeySequence(Qt::META | Qt::Key_F5));
        QVERIFY(help->linesView()->toPlainText().contains("\nbind = SUPER, F5, exec, "));

        PreferenceWindowController& window = *f().window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(help->trayText()->isVisible());
        QVERIFY(help->trayText()->text().contains("--show-panel"));
        QVERIFY(KeyboardFocus::moveFocus(Qt::Key_Tab));
        const KeyboardFocus::Chain chain = KeyboardFocus::walkTabChain(&window);
        QVERIFY2(chain.faults.isEmpty(), qPrintable(chain.report()));
        QVERIFY(chain.stops.contains(help->compositorPopUp()));
        QVERIFY(chain.stops.contains(help->linesView()));
        window.resize(800, 600);
        QTRY_COMPARE(window.size(), QSize(800, 600));
        const QStringList faults = WindowFit::faults(&window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        page->showMenuBarButton()->click();
        QVERIFY(!f().defaults->boolForKey(PrefKey::showMenuBar));
        QVERIFY(!help->trayText()->isVisible());
    }

    // GNOME without the portal: its keyboard shortcuts are written only once the user agreed
    // to a question naming every setting, updated after the keys change, and removed again.
    void gnomeShortcutsOnlyAfterConfirmation()
    {
        f().desktopSession = DesktopSession{true, "ubuntu:GNOME", false, true, true};
        f().remakeWindow();
        GeneralPage* page = f().object->generalPage();
        DesktopShortcutHelp* help = page->desktopHelp();
        QVERIFY(help->hasHelp());
        QVERIFY(!help->linesView());
        QVERIFY(help->trayText()->isHidden());
        page->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        page->menuBarShortcut()->clear();
        GnomeCustomKeybindings gnome;
        QVERIFY(gnome.installed().isEmpty());
        QVERIFY(!help->removeFromGnomeButton()->isEnabled());

        f().answer = false;
        help->addToGnomeButton()->click();
        QCOMPARE(f().alerts.size(), 1);
        // The question names every setting it would write, and only those.
        const QString asked = f().alerts.last().informativeText;
        QVERIFY2(asked.contains("custom-keybindings/velmoran-toggle-window/") &&
                     asked.contains("binding: <Control><Alt>r") && !asked.contains("show-panel"),
                 qPrintable(asked));
        QVERIFY(gnome.installed().isEmpty());

        f().answer = true;
        help->addToGnomeButton()->click();
        QCOMPARE(gnome.installed().size(), 1);
        QCOMPARE(gnome.installed().constFirst().binding, QString("<Control><Alt>r"));
        QVERIFY(!help->addToGnomeButton()->isEnabled());
        QVERIFY(help->gnomeStatus()->text().contains("Ctrl+Alt+R"));
        // New keys: nothing changes in GNOME until the user adds them again (the update itself
        // is tst_hotkeys').
        page->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T));
        QCOMPARE(gnome.installed().constFirst().binding, QString("<Control><Alt>r"));
        QVERIFY(help->addToGnomeButton()->isEnabled());

        f().answer = false;
        help->removeFromGnomeButton()->click();
        QCOMPARE(gnome.installed().size(), 1);
        f().answer = true;
        help->removeFromGnomeButton()->click();
        QCOMPARE(f().alerts.size(), 4);
        QVERIFY(f().alerts.last().informativeText.contains("velmoran-toggle-window/"));
        QVERIFY(gnome.installed().isEmpty());
        QVERIFY(!help->removeFromGnomeButton()->isEnabled());
    }

    // The pages switch keeping the window's top edge. On every page Tab goes round the
    // window's controls and back, every stop on screen and marked by the focus ring; a time
    // field is one Tab stop each way, from whichever of its sections the keyboard is in.
    void pagesSwitchAndTabGoesRoundEach()
    {
        PreferenceWindowController& window = *f().window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.move(100, 120);
        const QRect tall = window.geometry();
        window.items().at(0)->trigger(); // the page shown already: nothing moves
        QCOMPARE(window.geometry(), tall);
        window.items().at(3)->trigger();
        QCOMPARE(window.windowTitle(), QString("Filters"));
        QCOMPARE(window.currentPage(), f().object->filtersPage());
        QCOMPARE(window.geometry().top(), tall.top());
        QVERIFY(window.geometry().height() < tall.height());

        for (QAction* page : window.items()) {
            page->trigger();
            // The page itself has the keyboard; the first Tab goes to its first control.
            QVERIFY(KeyboardFocus::moveFocus(Qt::Key_Tab));
            const KeyboardFocus::Chain chain = KeyboardFocus::walkTabChain(&window);
            QVERIFY2(chain.faults.isEmpty(), qPrintable(page->text() + ": " + chain.report()));
            QVERIFY2(chain.stops.size() > 1, qPrintable(page->text()));
            const QStringList faint = KeyboardFocus::stopsWithoutRing();
            QVERIFY2(faint.isEmpty(), qPrintable(page->text() + ": " + faint.join("; ")));
        }

        window.selectPanelAtIndex(PreferenceObject::Appearance);
        QTimeEdit* from = f().object->appearancePage()->fromPicker();
        QTimeEdit* to = f().object->appearancePage()->toPicker();
        from->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), from);
        from->setCurrentSectionIndex(0);
        QTest::keyClick(from, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), to);
        QTest::keyClick(to, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), from);
    }

    // --- Smart Add ---

    void switchesRewriteTheRulesInTheFixedOrder()
    {
        QListWidget* switches = smartAddTab()->switchTable();
        // "dd/M" turns "M/dd" off.
        switches->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(words(stored()), QStringList({"dd/M", "!!!", "!!", "!", "soon", "al"}));
        QCOMPARE(switches->item(0)->checkState(), Qt::Unchecked);
    }

    void withSmartAddOffSwitchesWriteNothing()
    {
        smartAddTab()->masterSwitch()->click();
        QVERIFY(!defaults().boolForKey(PrefKey::smartAdd));
        QVERIFY(!smartAddTab()->switchTable()->isVisibleTo(smartAddTab()));
        const QVariantList before = stored();
        smartAddTab()->checkSmartAdd(1);
        QCOMPARE(stored(), before);
    }

    void sheetAddsEditsAndRefusesWords()
    {
        smartAddTab()->addButton()->click();
        SmartAddRuleSheet* sheet = smartAddTab()->ruleSheet();
        QVERIFY(sheet && sheet->isVisible());
        // A word already taken is refused with its reason, and the sheet stays.
        sheet->wordField()->setText(QStringLiteral("SOON"));
        sheet->doneButton()->click();
        QVERIFY(sheet->isVisible());
        QCOMPARE(f().alerts.size(), 1);
        // "next", +, "7x", Weeks.
        sheet->wordField()->clear();
        QTest::keyClicks(sheet->wordField(), "next");
        sheet->numberField()->setText("7x");
        sheet->unitButton(1)->click();
        sheet->doneButton()->click();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(json(stored().last()), json(record(0, 2, "next", "+7", "Week")));
        QCOMPARE(smartAddTab()->ruleTable()->topLevelItem(2)->text(1),
                 QStringLiteral("Due Date +7 Weeks"));

        // Editing "soon" into a weekday rule keeps its place.
        smartAddTab()->doubleClickSmartAdd(0);
        QCOMPARE(sheet->numberField()->text(), QStringLiteral("2"));
        sheet->kindChooser()->setCurrentIndex(5);
        QVERIFY(!sheet->dateInputs()->isVisibleTo(sheet));
        sheet->doneButton()->click();
        QCOMPARE(json(stored().at(4)), json(record(0, 9, "soon", "mon")));
        // And into a time.
        smartAddTab()->doubleClickSmartAdd(2);
        sheet->kindChooser()->setCurrentIndex(1);
        sheet->timePicker()->setTime(QTime(18, 30));
        sheet->cancelButton()->click();
        QCOMPARE(json(stored().last()), json(record(0, 2, "next", "+7", "Week")));
        smartAddTab()->doubleClickSmartAdd(2);
        sheet->kindChooser()->setCurrentIndex(1);
        sheet->timePicker()->setTime(QTime(18, 30));
        sheet->doneButton()->click();
        QCOMPARE(json(stored().last()), json(record(0, 1, "next", "18:30")));
    }

    void unreadableRecordsAreShownDisabledAndKept()
    {
        QVariantMap wrong = record(0, 2, "x", "+1", "Day");
        wrong.insert("word", QVariantList{1, 2});
        const QVariantMap future = record(0, 14, "beam", "up");
        setRules({record(0, 2, "soon", "+2", "Day"), wrong, future, QVariant(7)});
        QTreeWidget* rules = smartAddTab()->ruleTable();
        const QColor grey = smartAddTab()->palette().color(QPalette::Disabled, QPalette::Text);
        QVERIFY(rules->topLevelItem(0)->foreground(1).color() != grey);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(rules->topLevelItem(row)->foreground(1).color(), grey);
        QCOMPARE(rules->topLevelItem(2)->text(0), QStringLiteral("beam"));
        smartAddTab()->doubleClickSmartAdd(2);
        QVERIFY(!smartAddTab()->ruleSheet() || !smartAddTab()->ruleSheet()->isVisible());
        // Deleting one of them writes the others back untouched.
        rules->setCurrentItem(rules->topLevelItem(3));
        smartAddTab()->deleteButton()->click();
        QCOMPARE(json(stored()),
                 json(QVariantList({record(0, 2, "soon", "+2", "Day"), wrong, future})));
    }

    void previewLineUsesTheStoredRules()
    {
        defaults().setBool(false, PrefKey::alarmOn);
        setRules({record(0, 5, "!!!"), record(2, 6, "/"), record(0, 2, "soon", "+2", "Day"),
                  record(0, 7, "al")});
        smartAddTab()->sampleField()->setText("Call Anna soon !!! /work al");
        QTRY_VERIFY(smartAddTab()->previewLabel()->text().startsWith("Title: Call Anna"));
        QVERIFY(smartAddTab()->previewLabel()->text().contains("Priority: High"));
        // A rule added on the tab is used at once.
        smartAddTab()->addButton()->click();
        smartAddTab()->ruleSheet()->wordField()->setText("c++");
        smartAddTab()->ruleSheet()->kindChooser()->setCurrentIndex(1);
        smartAddTab()->ruleSheet()->timePicker()->setTime(QTime(14, 0));
        const QString twoPm = QLocale().toString(QTime(14, 0), QLocale::ShortFormat);
        QCOMPARE(smartAddTab()->ruleSheet()->timePicker()->text(), twoPm);
        smartAddTab()->ruleSheet()->doneButton()->click();
        smartAddTab()->sampleField()->setText("Learn c++ later");
        QTRY_VERIFY(smartAddTab()->previewLabel()->text().startsWith("Title: Learn later"));
        QVERIFY2(smartAddTab()->previewLabel()->text().contains("at " + twoPm),
                 qPrintable(smartAddTab()->previewLabel()->text()));
    }

    void aRuleAddedHereIsUsedByTheCommandLine()
    {
        smartAddTab()->addButton()->click();
        SmartAddRuleSheet* sheet = smartAddTab()->ruleSheet();
        sheet->wordField()->setText("fortnight");
        sheet->numberField()->setText("14");
        sheet->doneButton()->click();
        QProcess cli;
        cli.start(VELMORAN_CLI_PATH, {"--json", "smartadd", "Water plants fortnight"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QJsonDocument document = QJsonDocument::fromJson(cli.readAllStandardOutput());
        QJsonObject task =
            document.isArray() ? document.array().first().toObject() : document.object();
        QCOMPARE(task.value("title").toString(), QStringLiteral("Water plants"));
        // The command line runs on the real clock.
        const QString due = QDate::currentDate().addDays(14).toString(Qt::ISODate);
        QVERIFY2(task.value("due").toString().startsWith(due),
                 qPrintable(task.value("due").toString()));
    }

    void aThousandRulesFillTheTableAndStayEditable()
    {
        QVariantList rules;
        for (int index = 0; index < 1000; ++index)
            rules << record(0, 2, QStringLiteral("w%1").arg(index), "+1", "Day");
        setRules(rules);
        QCOMPARE(smartAddTab()->ruleTable()->topLevelItemCount(), 1000);
        smartAddTab()->doubleClickSmartAdd(999);
        smartAddTab()->ruleSheet()->wordField()->setText("w3");
        smartAddTab()->ruleSheet()->doneButton()->click();
        QVERIFY(smartAddTab()->ruleSheet()->isVisible());
        smartAddTab()->ruleSheet()->wordField()->setText("last");
        smartAddTab()->ruleSheet()->doneButton()->click();
        QCOMPARE(stored().size(), 1000);
        QCOMPARE(stored().last().toMap().value("word"), QVariant("last"));
    }

    // --- the smart lists ---

    void presetSwitchRewritesPresetsFirstInKindOrder()
    {
        SmartListRowsModel* model = smartListTab()->model();
        QCOMPARE(model->index(9).data().toString(), QStringLiteral("#Home"));
        QCOMPARE(model->index(10).data().toString(), QStringLiteral("milk"));
        // Unchecking "Overdue Tasks" removes every type-4 entry.
        QVERIFY(model->setData(model->index(4), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(storedNav(), QStringList({"0", "2", "8:Home", "15:milk", "9:Both"}));
        // Checking it again puts it between the lower and higher presets.
        QVERIFY(model->setData(model->index(4), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(storedNav(), QStringList({"0", "2", "4", "8:Home", "15:milk", "9:Both"}));
        // The sidebar, the tray panel and the menus were told each time.
        QCOMPARE(f().relayed.value("refreshLeftList"), 2);
        QCOMPARE(f().relayed.value("setupListsMenu"), 2);
    }

    void onlySmartListsAreSelectableAndDeleteFollowsSelection()
    {
        setNav({entry(0)});
        QVERIFY(!smartListTab()->deleteButton()->isEnabled());
        for (int row = 0; row < 9; ++row)
            QVERIFY(!(smartListTab()->model()->flags(smartListTab()->model()->index(row)) &
                      Qt::ItemIsSelectable));
        setNav({entry(0), entry(8, "Home")});
        smartListTab()->table()->setCurrentIndex(smartListTab()->model()->index(9));
        QVERIFY(smartListTab()->deleteButton()->isEnabled());
        smartListTab()->deleteButton()->click();
        QCOMPARE(storedNav(), QStringList({"0"}));
        QVERIFY(!smartListTab()->deleteButton()->isEnabled());
        QCOMPARE(f().relayed.value("refreshLeftList"), 1);
    }

    void dragAndKeysReorderSmartListsOnly()
    {
        SmartListRowsModel* model = smartListTab()->model();
        // Drag "#Home" (row 9) to the end.
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(9)}));
        QVERIFY(model->canDropMimeData(drag.get(), Qt::MoveAction, model->rowCount(), 0, {}));
        model->dropMimeData(drag.get(), Qt::MoveAction, model->rowCount(), 0, {});
        QCOMPARE(storedNav(), QStringList({"0", "2", "4", "15:milk", "9:Both", "8:Home"}));
        // Onto a preset row or the divider: refused.
        std::unique_ptr<QMimeData> again(model->mimeData({model->index(11)}));
        QVERIFY(!model->canDropMimeData(again.get(), Qt::MoveAction, 3, 0, {}));
        QVERIFY(!model->canDropMimeData(again.get(), Qt::MoveAction, 8, 0, {}));
        QVERIFY(model->canDropMimeData(again.get(), Qt::MoveAction, 9, 0, {}));
        // A preset row cannot be dragged at all.
        QVERIFY(!model->mimeData({model->index(2)}));
        // Alt+Up on the last smart list; Alt+Up on the first one stays put.
        smartListTab()->table()->setCurrentIndex(model->index(11));
        QTest::keyClick(smartListTab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(storedNav(), QStringList({"0", "2", "4", "15:milk", "8:Home", "9:Both"}));
        smartListTab()->table()->setCurrentIndex(model->index(9));
        QTest::keyClick(smartListTab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(storedNav(), QStringList({"0", "2", "4", "15:milk", "8:Home", "9:Both"}));
        QTest::keyClick(smartListTab()->table(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(storedNav(), QStringList({"0", "2", "4", "8:Home", "15:milk", "9:Both"}));
    }

    void sheetsAddAndEditThroughTheSidebarWindows()
    {
        smartListTab()->showAddTagList();
        AddTagListWindowController* sheet = smartListTab()->tagListWindow();
        QVERIFY(sheet && sheet->isVisible());
        sheet->textField()->setText(QStringLiteral("#Garden"));
        sheet->doneButtonAction();
        QCOMPARE(storedNav().last(), QStringLiteral("8:Garden"));
        // A switch writes the presets in order again, keeping the new entry (the last
        // comparison below).
        smartListTab()->checkSmartList(7);
        smartListTab()->checkSmartList(7);
        // A double click on the saved search opens the same window filled with it; the edit
        // stays in its place.
        smartListTab()->doubleClickSmartList(10);
        sheet = smartListTab()->tagListWindow();
        QCOMPARE(sheet->textField()->text(), QStringLiteral("milk"));
        sheet->textField()->setText(QStringLiteral("bread"));
        sheet->doneButtonAction();
        QCOMPARE(storedNav(),
                 QStringList({"0", "2", "4", "8:Home", "15:bread", "9:Both", "8:Garden"}));
        smartListTab()->doubleClickSmartList(11);
        QVERIFY(smartListTab()->mergedListWindow() &&
                smartListTab()->mergedListWindow()->isVisible());
        QCOMPARE(smartListTab()->mergedListWindow()->nameField()->text(), QStringLiteral("Both"));
        QCOMPARE(f().relayed.value("refreshLeftList"), 4);
    }

    void unknownKindsSurviveARewrite()
    {
        setNav({entry(0), entry(99, "future"), entry(8, "Home")});
        smartListTab()->checkSmartList(1);
        QCOMPARE(storedNav(), QStringList({"0", "1", "8:Home", "99:future"}));
    }

    // --- quick actions ---

    void setUpShowsTheRecordsAndTheTagDestination()
    {
        QCOMPARE(quickActionsTab()->model()->index(1).data().toString(), QStringLiteral("#home"));
        QCOMPARE(quickActionsTab()->tagOnNotesButton()->currentIndex(), 0);
        quickActionsTab()->tagOnNotesButton()->setCurrentIndex(1);
        Q_EMIT quickActionsTab()->tagOnNotesButton()->activated(1);
        QVERIFY(defaults().boolForKey(PrefKey::tagOnNotes));
        QVERIFY(!quickActionsTab()->deleteButton()->isEnabled());
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
        quickActionsTab()->addButton()->click();
        QuickActionSheet* sheet = quickActionsTab()->sheet();
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
        quickActionsTab()->doubleClickQuickActions(1);
        QuickActionSheet* sheet = quickActionsTab()->sheet();
        QCOMPARE(sheet->kindChooser()->currentIndex(), int(QuickActionSheet::DueDate));
        QCOMPARE(sheet->numberField()->text(), QStringLiteral("3"));
        sheet->signButton(1)->click();
        sheet->unitButton(3)->click();
        sheet->doneButton()->click();
        QCOMPARE(json(actions().at(1)), json(action(12, "number", 3)));
        QCOMPARE(quickActionsTab()->model()->index(1).data().toString(),
                 QStringLiteral("+3 Weeks"));
        quickActionsTab()->doubleClickQuickActions(2);
        QCOMPARE(sheet->switchField(0)->text(), QStringLiteral("a"));
        QCOMPARE(sheet->switchField(1)->text(), QStringLiteral("b"));
        sheet->cancelButton()->click();
        quickActionsTab()->doubleClickQuickActions(3);
        QCOMPARE(sheet->tagField()->text(), QStringLiteral("w"));
        QCOMPARE(actions().size(), 4);
    }

    void reorderDeleteAndUnsupportedRecords()
    {
        const QVariantMap future = action(77, "beam", "up");
        setActions({action(0), future, action(3), action(4)});
        QuickActionRowsModel* model = quickActionsTab()->model();
        QCOMPARE(model->index(1).data().toString(), QStringLiteral("Unsupported Action"));
        quickActionsTab()->doubleClickQuickActions(1);
        QVERIFY(!quickActionsTab()->sheet() || !quickActionsTab()->sheet()->isVisible());
        // Drag the first to the end; Alt+Up moves the last back one place.
        std::unique_ptr<QMimeData> drag(model->mimeData({model->index(0)}));
        model->dropMimeData(drag.get(), Qt::MoveAction, 4, 0, {});
        QCOMPARE(json(actions()), json(QVariantList{future, action(3), action(4), action(0)}));
        quickActionsTab()->table()->setCurrentIndex(model->index(3));
        QTest::keyClick(quickActionsTab()->table(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(json(actions()), json(QVariantList{future, action(3), action(0), action(4)}));
        // Deleting asks nothing; the last one leaves an empty array.
        for (int left = 4; left > 0; --left) {
            quickActionsTab()->table()->setCurrentIndex(model->index(0));
            QVERIFY(quickActionsTab()->deleteButton()->isEnabled());
            quickActionsTab()->deleteButton()->click();
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
        quickActionsTab()->addButton()->click();
        QuickActionSheet* sheet = quickActionsTab()->sheet();
        sheet->kindChooser()->setCurrentIndex(QuickActionSheet::DueDate);
        sheet->numberField()->setText("2");
        sheet->unitButton(1)->click();
        sheet->doneButton()->click();
        QVERIFY2(titles().contains("+2 Hours"), qPrintable(titles().join(", ")));
        QVERIFY(titles().indexOf("+2 Hours") > titles().indexOf("Add #home"));
    }

    // --- what a screen reader reads ---

    // The details of a task that fills their rows (every view of the main window is walked by
    // tst_textfit, which checks the names too).
    void thePriorityRowReadsAsRadioButtons()
    {
        setNav({entry(0)}); // All Tasks the first preset, where the task is shown
        MainWindowWithFullTask main(f());
        QVERIFY(main.open());
        // The priority row: four radio buttons, the task's priority the checked one.
        QStringList priorities;
        for (int button = 0; button < 4; ++button)
            priorities << reading(main.view().rvc()->priorityRow()->button(button));
        QCOMPARE(priorities,
                 QStringList({"RadioButton \"No Priority\"", "RadioButton \"Low Priority\"",
                              "RadioButton \"Medium Priority\"",
                              "RadioButton \"High Priority\" checked"}));
    }

    // The controls drawn as buttons say what they are: the page bar's and the Advanced page's
    // buttons are page tabs, the shown one selected (a click shows its tab); a switch is a check
    // box named by its label with its state; a shortcut recorder is a field named by its label, its
    // keys the value; a pop-up is named by its label, its choice the value.
    void preferenceControlsSayWhatTheyAre()
    {
        PreferenceWindowController& window = *f().window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto pageTab = [&window](int page) {
            return reading(window.toolbar()->widgetForAction(window.items().at(page)));
        };
        QCOMPARE(pageTab(PreferenceObject::General), QString("PageTab \"General\" selected"));
        QCOMPARE(pageTab(PreferenceObject::Advanced), QString("PageTab \"Advanced\""));

        GeneralPage* general = f().object->generalPage();
        general->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        QCOMPARE(reading(general->keyboardShortcut()->editor()),
                 QString("EditableText \"Keyboard shortcut:\" = Ctrl+Alt+R"));
        QCOMPARE(reading(general->snoozeField()).section(" = ", 0, 0),
                 QString("EditableText \"Snooze:\""));
        OnOffButton* notifications = general->notificationButton();
        const bool wasOn = notifications->isChecked();
        for (const bool on : {wasOn, !wasOn}) {
            QCOMPARE(reading(notifications),
                     QString("CheckBox \"Notifications:\"") + (on ? " checked" : ""));
            notifications->click();
        }
        general->badgePopUp()->setCurrentIndex(2);
        QCOMPARE(reading(general->badgePopUp()),
                 QString("ComboBox \"Launcher badge:\" = Total Tasks"));

        window.selectPanelAtIndex(PreferenceObject::Advanced);
        QCOMPARE(pageTab(PreferenceObject::Advanced), QString("PageTab \"Advanced\" selected"));
        AdvancedPage* advanced = f().object->advancedPage();
        QCOMPARE(advanced->shownTab(), advanced->smartListTab());
        advanced->tabButton(AdvancedPage::SmartAddTabIndex)->click();
        QCOMPARE(advanced->shownTab(), advanced->smartAddTab());
        QStringList tabs;
        for (QPushButton* button : advanced->findChildren<QPushButton*>()) {
            if (QAccessible::queryAccessibleInterface(button)->role() == QAccessible::PageTab)
                tabs << reading(button);
        }
        QCOMPARE(tabs,
                 QStringList({"PageTab \"Smart List\"", "PageTab \"Quick Actions\"",
                              "PageTab \"Smart Add\" selected", "PageTab \"Sync Preferences\""}));
    }

    // --- preference sets ---

    void aSetSavedHereLoadsThereWithListsMatchedByTitle()
    {
        joinSync(f());
        const std::unique_ptr<PreferenceFixture> other = otherMachine({"Work", "Errands"});
        QVERIFY(other);
        const QString work = identifierOf(f(), "Work");
        defaults().setObject(QStringList{work, identifierOf(f(), "Home")}, PrefKey::visibleLists);
        defaults().setString(work, PrefKey::defaultList);
        defaults().setBool(true, PrefKey::soundOn);
        defaults().setInteger(2, PrefKey::fontSize);
        SyncTab* saving = syncTab(f());
        saving->saveButton()->click();
        QCOMPARE(saving->table()->topLevelItem(0)->text(0), PreferenceSync::deviceName());

        SyncTab* loading = syncTab(*other);
        QTRY_COMPARE(loading->table()->topLevelItemCount(), 1);
        UserDefaults& there = *other->defaults;
        // Asked first; "Cancel" changes nothing.
        other->answer = false;
        loading->loadSyncPreferences(0);
        QCOMPARE(other->alerts.size(), 1);
        QVERIFY(!there.boolForKey(PrefKey::soundOn));

        other->answer = true;
        QSignalSpy loaded(loading, &SyncTab::preferencesLoaded);
        loading->loadSyncPreferences(0);
        QVERIFY(loaded.wait(5000));
        QVERIFY(there.boolForKey(PrefKey::soundOn));
        QCOMPARE(there.stringForKey(PrefKey::defaultList), identifierOf(*other, "Work"));
        QVERIFY2(loading->reportLabel()->text().endsWith("left out: Home."),
                 qPrintable(loading->reportLabel()->text()));
        // The window and the main window were redrawn from the new values.
        QVERIFY(other->object->generalPage()->soundButton()->isChecked());
        QCOMPARE(other->relayed.value("refreshLeftList"), 1);
        QCOMPARE(other->modes->fontSize(), 18u);
    }

    void aSetIsDeletedAndTheFolderChooserMovesTheSets()
    {
        joinSync(f());
        QTemporaryDir elsewhere;
        SyncTab* here = syncTab(f());
        here->saveButton()->click();
        here->table()->setCurrentItem(here->table()->topLevelItem(0));
        here->deleteButton()->click();
        QCOMPARE(here->table()->topLevelItemCount(), 0);
        here->saveButton()->click();
        f().chosenFolder = elsewhere.path();
        here->folderButton()->click();
        QCOMPARE(defaults().stringForKey(PrefKey::syncFolder), elsewhere.path());
        QCOMPARE(here->table()->topLevelItemCount(), 0);
        // A cancelled chooser keeps the folder.
        f().chosenFolder.clear();
        here->folderButton()->click();
        QCOMPARE(here->syncFolder(), elsewhere.path());
        QVERIFY(!here->loadButton()->isEnabled());
    }

private:
    // "Role "name" checked selected = value", as a screen reader reads `widget`.
    static QString reading(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        if (!iface)
            return QStringLiteral("nothing");
        QString text = AccessibleNames::roleName(iface->role()) + QStringLiteral(" \"") +
                       iface->text(QAccessible::Name) + QLatin1Char('"');
        if (iface->state().checked)
            text += QStringLiteral(" checked");
        if (iface->state().selected)
            text += QStringLiteral(" selected");
        if (const QString value = iface->text(QAccessible::Value); !value.isEmpty())
            text += QStringLiteral(" = ") + value;
        return text;
    }

    PreferenceFixture& f()
    {
        if (!m_fixture)
            m_fixture = std::make_unique<PreferenceFixture>();
        return *m_fixture;
    }

    UserDefaults& defaults() { return *f().defaults; }
    static bool cli(const QStringList& arguments)
    {
        QProcess process;
        process.start(VELMORAN_CLI_PATH, arguments);
        return process.waitForFinished(30000) && process.exitCode() == 0;
    }
    SmartAddTab* smartAddTab() { return f().object->advancedPage()->smartAddTab(); }
    SmartListTab* smartListTab() { return f().object->advancedPage()->smartListTab(); }
    QuickActionsTab* quickActionsTab() { return f().object->advancedPage()->quickActionsTab(); }
    QVariantList stored() { return defaults().arrayForKey(PrefKey::smartAddRules); }
    QVariantList actions() { return defaults().arrayForKey(PrefKey::quickActions); }

    // The stored array, each entry as "type" or "type:tag", for short comparisons.
    QStringList storedNav()
    {
        QStringList out;
        for (const QVariant& value : defaults().arrayForKey(PrefKey::listNavArray)) {
            const QVariantMap map = value.toMap();
            const QString type = map.value(QStringLiteral("type")).toString();
            const QString tag = map.value(QStringLiteral("tag")).toString();
            out << (tag.isEmpty() ? type : type + u':' + tag);
        }
        return out;
    }

    void store(const QString& key, const QVariantList& records)
    {
        defaults().setObject(records, key);
        defaults().synchronize();
    }
    void setRules(const QVariantList& rules)
    {
        store(PrefKey::smartAddRules, rules);
        smartAddTab()->setupSmartAdd();
        f().alerts.clear();
    }
    void setNav(const QVariantList& nav)
    {
        store(PrefKey::listNavArray, nav);
        smartListTab()->setupSmartList();
        f().relayed.clear();
    }
    void setActions(const QVariantList& records)
    {
        store(PrefKey::quickActions, records);
        quickActionsTab()->setupQuickActions();
    }

    SyncTab* syncTab(PreferenceFixture& machine)
    {
        return machine.object->advancedPage()->syncTab();
    }
    static QString identifierOf(PreferenceFixture& machine, const QString& title)
    {
        return machine.manager->lists().calendarFromName(title)->calendarIdentifier;
    }

    // The machine's sync tab on the shared folder, which holds no set yet.
    void joinSync(PreferenceFixture& machine)
    {
        QFile::remove(m_sync.filePath(UbiquitousKeyValueStore::fileName()));
        machine.chosenFolder = m_sync.path();
        syncTab(machine)->folderButton()->click();
    }

    // A second machine: its own configuration home and store, on the shared sync folder.
    std::unique_ptr<PreferenceFixture> otherMachine(const QStringList& lists)
    {
        const QByteArray home = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_homes.path()));
        auto machine = std::make_unique<PreferenceFixture>();
        bool made = true;
        for (const QString& list : lists)
            made = made && PreferenceFixture::makeCollection(machine->root() + "/" + list, list);
        made = made && machine->setUp();
        qputenv("XDG_CONFIG_HOME", home);
        if (!made)
            return nullptr;
        machine->chosenFolder = m_sync.path();
        syncTab(*machine)->folderButton()->click();
        return machine;
    }

    QTemporaryDir m_homes;
    QTemporaryDir m_sync;
    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestPreferenceWindow)
#include "tst_preferencewindow.moc"

// runs inside dbus-run-session; runs velmoran-cli beside the window.
#include "ComboInput.h"
#include "KeyboardFocus.h"
#include "PreferenceFixture.h"
#include "WindowFit.h"

#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "platform/UserDefaultsWatcher.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/AppearancePage.h"
#include "ui/prefs/DesktopShortcutHelp.h"
#include "ui/prefs/FiltersPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/ListsPage.h"
#include "ui/prefs/NewTaskPage.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimeEdit>
#include <QToolBar>

class TestPreferenceWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/home", "Home"));
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/work", "Work"));
        QVERIFY(PreferenceFixture::makeCollection(f().root() + "/work2", "Work"));
        QVERIFY(f().setUp());
    }

    void cleanup() { m_fixture.reset(); }

    void sixPagesSwitchKeepingTheTopEdge()
    {
        PreferenceWindowController& window = *f().window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.move(100, 120);
        const QRect tall = window.geometry();
        window.items().at(0)->trigger(); // the page shown already: nothing moves
        QCOMPARE(window.geometry(), tall);
        window.items().at(3)->trigger();
        QCOMPARE(window.windowTitle(), QString("Filters"));
        QCOMPARE(window.currentPage(), f().object->filtersPage());
        QCOMPARE(window.geometry().top(), tall.top());
        QVERIFY(window.geometry().height() < tall.height());
    }

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
    }

    // The answer remembered from the question before a parent is completed shows here; "Ask"
    // forgets it (what each answer does is tst_subtaskcommands').
    void askingAgainBeforeCompletingAParent()
    {
        QComboBox* popUp = f().object->generalPage()->subtaskCompletionPopUp();
        QCOMPARE(popUp->currentText(), QString("Ask"));
        f().defaults->setString("all", PrefKey::subtaskCompletion); // "Remember my choice"
        QCOMPARE(popUp->currentText(), QString("Complete All"));
        chooseItem(popUp, 2);
        QCOMPARE(f().defaults->stringForKey(PrefKey::subtaskCompletion), QString("only"));
        chooseItem(popUp, 0);
        QVERIFY(!f().defaults->hasStoredValue(PrefKey::subtaskCompletion));
    }

    // The minutes themselves are PreferenceField's; here the field commits and shows them.
    void snoozeFieldStoresAWholeMinute()
    {
        QLineEdit* field = f().object->generalPage()->snoozeField();
        QCOMPARE(field->text(), QString("10"));
        field->selectAll();
        QTest::keyClicks(field, "25");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f().defaults->objectForKey(PrefKey::snooze), QVariant::fromValue(25LL));
        // Emptied with Backspace: the smallest snooze, shown.
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QString("1"));
        QCOMPARE(f().defaults->objectForKey(PrefKey::snooze), QVariant::fromValue(1LL));
    }

    // Turned on, the shell schedules; turned off, the scheduler empties the centre itself.
    void notificationsSwitchSchedulesOnlyWhenTurnedOn()
    {
        OnOffButton* button = f().object->generalPage()->notificationButton();
        QCOMPARE(button->text(), QString("Off"));
        button->click();
        QCOMPARE(f().defaults->boolForKey(PrefKey::notifications), true);
        button->click();
        QCOMPARE(button->text(), QString("Off"));
        QCOMPARE(f().defaults->boolForKey(PrefKey::notifications), false);
        QCOMPARE(f().relayed.value("scheduleNotifications"), 1);
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

    // Another process changes the preferences while the window is open.
    void aCommandLineChangeShowsInTheOpenWindow()
    {
        UserDefaultsWatcher watcher(*f().defaults);
        f().window->show();
        GeneralPage* general = f().object->generalPage();
        AppearancePage* appearance = f().object->appearancePage();
        QVERIFY(!general->soundButton()->isChecked());
        const auto cli = [](const QStringList& arguments) {
            QProcess process;
            process.start(VELMORAN_CLI_PATH, arguments);
            return process.waitForFinished(30000) && process.exitCode() == 0;
        };
        QVERIFY(cli({"prefs", "set", "soundOn", "true"}));
        QTRY_VERIFY_WITH_TIMEOUT(general->soundButton()->isChecked(), 5000);
        QVERIFY(cli({"prefs", "set", "nightMode", "true"}));
        QTRY_VERIFY_WITH_TIMEOUT(!appearance->scheduledButton()->isEnabled(), 5000);
        QVERIFY(cli({"prefs", "set", "snooze", "42"}));
        QTRY_COMPARE_WITH_TIMEOUT(general->snoozeField()->text(), QString("42"), 5000);
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

        // Tab leaves the recorder instead of being recorded.
        QWidget form;
        recorder.setParent(&form);
        QLineEdit after(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        recorder.setFocus();
        QTest::keyClick(recorder.editor(), Qt::Key_Tab);
        QVERIFY(!recorder.editor()->hasFocus());
        // Past the recorder's Clear button to the next field.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(after.hasFocus());
        QCOMPARE(defaults.dictionaryForKey(PrefKey::shortcut), record);
        recorder.setParent(nullptr);

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

    // A time field is one Tab stop each way, from whichever of its sections the keyboard is in.
    void timeFieldsAreOneTabStop()
    {
        PreferenceWindowController& window = *f().window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        AppearancePage* appearance = f().object->appearancePage();
        window.selectPanelAtIndex(PreferenceObject::Appearance);
        QTimeEdit* from = appearance->fromPicker();
        QTimeEdit* to = appearance->toPicker();
        from->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), from);
        from->setCurrentSectionIndex(0);
        QTest::keyClick(from, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), to);
        QTest::keyClick(to, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), from);
    }

    // On every page Tab goes round the window's controls and back, every stop on screen and
    // marked by the focus ring.
    void tabGoesRoundEveryPage()
    {
        PreferenceWindowController& window = *f().window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
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
    }

private:
    PreferenceFixture& f()
    {
        if (!m_fixture)
            m_fixture = std::make_unique<PreferenceFixture>();
        return *m_fixture;
    }

    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestPreferenceWindow)
#include "tst_preferencewindow.moc"

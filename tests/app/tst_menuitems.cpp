#include "RunningApp.h"
#include "TestEnvironment.h"

#include "data/SharedDates.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "ui/common/MenuMnemonics.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ShareMenu.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/UrlRow.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <map>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

// The items that open a window, with the name the counting windows below give the opening.
const std::pair<const char*, const char*> kOpeners[] = {
    {"File/New Task", "quick add"},       {"File/Sync Now", "sync"},
    {"File/Import…", "import"},           {"File/Export…", "export"},
    {"Edit/Preferences…", "preferences"}, {"Edit/Recently Deleted…", "recently deleted"},
    {"Help/Velmoran Help", "help Help"},  {"Help/What's New", "help Update"},
    {"Help/About Velmoran", "about"},     {"Edit/Add Subtask", "subtask add"}};

// "File/New Task", "View/Lists", … for every item of the menu bar.
std::map<QString, QAction*> itemsOf(QMenuBar* bar)
{
    std::map<QString, QAction*> items;
    for (QAction* menu : bar->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (!action->isSeparator())
                items[QString(menu->text() + '/' + action->text()).remove('&')] = action;
        }
    }
    return items;
}

} // namespace

// Every item of the main window's menu bar does what it says: the test knows every item by
// name (a new item without a row here fails it), triggers each one and looks for its effect.
class TestMenuItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_app.addList("home", "Home");
        writeFile(root() + "/home/a.ics", todo("a", "Water plants"));
        writeFile(root() + "/home/b.ics", todo("b", "Buy bread"));
        writeFile(root() + "/home/c.ics", todo("c", "Call mom"));
        writeFile(root() + "/home/d.ics",
                  todo("d", "Pack the bags", "URL:https://example.org/list\r\n"));
        m_defaults->setBool(false, PrefKey::initialLaunch);
        m_defaults->setBool(false, PrefKey::showMenuBar);
        m_defaults->setBool(false, PrefKey::alarmOn);
        m_app.clock.setNow(local(2026, 12, 9, 10, 30));
        QVERIFY(m_app.build());
        m_app.delegate->reviewLink().setOpenUrl([this](const QUrl& url) {
            m_links << url;
            return true;
        });
        QVERIFY(m_app.launch({.onboarding = &m_windows,
                              .preferences = &m_windows,
                              .recentlyDeleted = &m_windows,
                              .quickAdd = &m_windows,
                              .sync = &m_windows,
                              .exchange = &m_windows}));
        m_items = itemsOf(window()->menuBar());
    }

    void cleanupTestCase() { m_app.delegate.reset(); } // before the windows it opens

    void everyItemActs_data()
    {
        QTest::addColumn<QString>("item");
        QStringList names = effects().keys();
        for (const auto& [name, action] : m_items)
            names << name;
        names.removeDuplicates();
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    // With every window there, each item is enabled (once what it acts on exists) and acts.
    void everyItemActs()
    {
        QFETCH(QString, item);
        QVERIFY2(m_items.count(item) && effects().contains(item), "an item or a row too many");
        QAction* action = m_items.at(item);
        const Effect effect = effects().value(item);
        if (effect.prepare)
            effect.prepare();
        if (QMenu* parent = qobject_cast<QMenu*>(action->parent()))
            Q_EMIT parent->aboutToShow(); // items whose state is settled as their menu opens
        QVERIFY2(action->isEnabled(), qPrintable(item + " is disabled"));
        if (!effect.check)
            QSKIP("ends the program");
        if (QMenu* submenu = action->menu()) {
            Q_EMIT submenu->aboutToShow();
            QVERIFY2(!submenu->actions().isEmpty(), qPrintable(item + " is empty"));
            action = submenu->actions().constFirst();
        }
        action->trigger();
        QVERIFY2(effect.check(), qPrintable(item + " did nothing"));
        closeExtraWindows();
    }

    // No two items, the list menus' numbered items included, answer to one key.
    void noTwoItemsShareAKey()
    {
        QMap<QString, QString> owners;
        for (const auto& [name, action] : keyedItems()) {
            // The list menus' items have a number key each.
            QVERIFY2(name.count('/') == 1 || !action->shortcut().isEmpty(), qPrintable(name));
            for (const QKeySequence& key : action->shortcuts()) {
                const QString text = key.toString(QKeySequence::PortableText);
                QVERIFY2(!owners.contains(text), qPrintable(text + " is the key of both " +
                                                            owners.value(text) + " and " + name));
                owners.insert(text, name);
            }
        }
    }

    // Every item's key acts while the search field or a text field of the detail pane has the
    // keyboard, as anywhere else in the window. The fields keep only the keys of their own
    // text (undo, redo, delete); the keys that close, hide or end the window are left out.
    // F10 opens the first menu of the menu bar from them too.
    void theKeysActFromTheTextFields_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* field : {"Search", "Title", "Notes", "URL"})
            QTest::newRow(field) << QString::fromLatin1(field);
    }

    void theKeysActFromTheTextFields()
    {
        QFETCH(QString, field);
        QList<QAction*> actions;
        for (const auto& [name, action] : keyedItems()) {
            if (!action->shortcut().isEmpty() && !name.startsWith("File/Quit") &&
                !name.startsWith("File/Close") && !name.startsWith("Window/Minimize") &&
                name != "Edit/Undo" && name != "Edit/Redo" && name != "Edit/Delete")
                actions << action;
        }
        QVERIFY(actions.size() > 15);
        for (QAction* action : std::as_const(actions)) {
            QWidget* target = focusField(field);
            QVERIFY(target);
            QSignalSpy triggered(action, &QAction::triggered);
            const QKeyCombination key = action->shortcut()[0];
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
            QVERIFY2(triggered.count() == 1,
                     qPrintable(action->shortcut().toString() + " in " + field));
            closeExtraWindows();
        }
        QTest::keyClick(focusField(field), Qt::Key_F10);
        QMenu* file = window()->menuBar()->actions().constFirst()->menu();
        QTRY_VERIFY(file->isVisible());
        QCOMPARE(window()->menuBar()->activeAction(), file->menuAction());
        file->close();
    }

    // View → Today from the search field: today's day view, with the keyboard in the list
    // rather than in a search field that is no longer there.
    void todayFromTheSearchField()
    {
        m_app.manager->dates().setSelectedDate(local(2027, 1, 5));
        QLineEdit* search = qobject_cast<QLineEdit*>(focusField("Search"));
        QVERIFY(search);
        QTest::keyClicks(search, "br");
        QTest::keyClick(search, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(view().mvc()->presenter().view().mode, TaskViewMode::Day);
        QCOMPARE(m_app.manager->dates().selectedDate(), m_app.manager->dates().today());
        QCOMPARE(QApplication::focusWidget(), view().mvc()->tableView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        QCOMPARE(search->text(), QStringLiteral("br"));
    }

    // Every item of the menu bar and of the main window's context menus is picked by a letter
    // of its own: it has a mnemonic, and no other item of its menu has the same.
    void everyItemHasItsOwnMnemonic()
    {
        QStringList faults;
        mnemonicFaults("menu bar", window()->menuBar()->actions(), faults);
        LeftViewController* sidebar = view().lvc();
        mnemonicFaults("sidebar's add menu", sidebar->addMenu()->actions(), faults);
        for (int row = 0; row < sidebar->tableView()->model()->rowCount(); ++row)
            mnemonicFaults(QStringLiteral("sidebar row %1").arg(row),
                           sidebar->contextMenuForRow(row)->actions(), faults);
        view().lvc()->presenter().selectPresetList(1);
        QTRY_VERIFY(!view().mvc()->presenter().remindersArray().isEmpty());
        view().mvc()->menuNeedsUpdate(0);
        mnemonicFaults("task menu", view().mvc()->quickActionsMenu()->actions(), faults);
        mnemonicFaults("alarm offsets", view().rvc()->alarmRow()->offsetButton()->menu()->actions(),
                       faults);
        ShareMenu share;
        std::unique_ptr<QMenu> sharing(share.menuForList("Home", {}, nullptr));
        mnemonicFaults("share menu", sharing->actions(), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

private:
    struct Effect
    {
        std::function<void()> prepare;
        std::function<bool()> check; // none: not triggered, because it ends the program
    };

    QMap<QString, Effect> effects()
    {
        auto opened = [this](const QString& window) {
            return [this, window, before = m_opened.value(window)] {
                return m_opened.value(window) == before + 1;
            };
        };
        // From another view than the one wanted.
        auto mode = [this](TaskViewMode wanted) {
            return Effect{
                [this, wanted] {
                    wanted == TaskViewMode::Day ? view().lvc()->presenter().selectWeekView()
                                                : view().lvc()->presenter().selectDayView();
                },
                [this, wanted] { return view().mvc()->presenter().view().mode == wanted; }};
        };
        // An effect that shows itself as a change of `state`, once the events have run.
        const auto changes = [](auto state, std::function<void()> prepare = {}) {
            return Effect{prepare, [state, before = state()] {
                              return QTest::qWaitFor([&] { return state() != before; });
                          }};
        };
        LeftViewController* sidebar = view().lvc();
        const auto shown = [](QWidget* window) { return window && window->isVisible(); };
        QMap<QString, Effect> table;
        for (const auto& [item, opens] : kOpeners)
            table[item] = {{}, opened(opens)};
        table["File/New List…"] = {{}, [=] { return shown(sidebar->addListWindow()); }};
        table["File/New Tag List…"] = {{}, [=] { return shown(sidebar->addTagListWindow()); }};
        table["File/New Merged List…"] = {{},
                                          [=] { return shown(sidebar->addMergedListWindow()); }};
        table["File/Share List…"] = changes([] { return QApplication::activePopupWidget(); });
        table["File/Close Window"] = {{}, [this] {
                                          const bool closed = !window()->isVisible();
                                          m_app.delegate->applicationShouldHandleReopen();
                                          return closed;
                                      }};
        table["File/Quit"] = {{}, {}};
        // The rows run in the order of their names: Add Subtask, Delete, Indent, Outdent,
        // Preferences, Recently Deleted, Redo, Undo.
        const auto selectSecondTask = [this] {
            view().lvc()->presenter().selectList(0);
            // The list without the task an earlier row deleted.
            const auto listed = [this] {
                const ReminderList& tasks = view().mvc()->presenter().remindersArray();
                return tasks.size() > 1 &&
                       std::all_of(tasks.cbegin(), tasks.cend(), [](const auto& each) {
                           return QFileInfo::exists(each->origin->path());
                       });
            };
            QTRY_VERIFY(listed());
            view().mvc()->presenter().selectReminder(
                view().mvc()->presenter().remindersArray().at(1));
        };
        const auto selectedIsSubtask = [this] {
            const store::ReminderPtr selected = view().mvc()->presenter().selectedReminder();
            return selected && m_app.manager->subtasks().parentOf(*selected) != nullptr;
        };
        table["Edit/Add Subtask"].prepare = selectSecondTask;
        table["Edit/Indent"] = {selectSecondTask, selectedIsSubtask};
        table["Edit/Outdent"] = {{}, [selectedIsSubtask] { return !selectedIsSubtask(); }};
        table["Edit/Redo"] = {[this] {
                                  m_app.manager->tasks().checkReminder(task("Buy bread"), true);
                                  m_app.manager->tasks().undoManager()->undo();
                              },
                              [this] { return task("Buy bread")->completed; }};
        table["Edit/Undo"] = {
            [this] { m_app.manager->tasks().checkReminder(task("Call mom"), true); },
            [this] { return !task("Call mom")->completed; }};
        table["Edit/Delete"] =
            changes([this] { return QFileInfo::exists(root() + "/home/a.ics"); },
                    [this] {
                        view().lvc()->presenter().selectList(0);
                        QTRY_VERIFY(view().mvc()->model()->rowCount() > 0);
                        view().mvc()->presenter().selectReminder(task("Water plants"));
                        view().mvc()->setFocus();
                        QApplication::setActiveWindow(window());
                    });
        table["View/Today"] = {
            [this] { m_app.manager->dates().setSelectedDate(local(2027, 1, 5)); },
            [this] {
                return m_app.manager->dates().selectedDate() == m_app.manager->dates().today();
            }};
        table["View/Day"] = mode(TaskViewMode::Day);
        table["View/Week"] = mode(TaskViewMode::Week);
        table["View/Month"] = mode(TaskViewMode::Month);
        table["View/Search"] = mode(TaskViewMode::Search);
        const Effect opensAList{
            [this, sidebar] {
                view().lvc()->presenter().selectDayView();
                m_rowBefore = sidebar->presenter().selectedRow();
            },
            [this, sidebar] { return sidebar->presenter().selectedRow() != m_rowBefore; }};
        table["View/Preset Lists"] = table["View/Smart Lists"] = table["View/Lists"] = opensAList;
        table[m_defaults->boolForKey(PrefKey::showCompleted) ? "View/Hide Completed"
                                                             : "View/Show Completed"] =
            changes([this] { return m_defaults->boolForKey(PrefKey::showCompleted); });
        table[view().isListsShown() ? "View/Hide Lists" : "View/Show Lists"] =
            changes([this] { return view().isListsShown(); });
        table[view().isDetailsShown() ? "View/Hide Details" : "View/Show Details"] =
            changes([this] { return view().isDetailsShown(); });
        table["Window/Minimize"] = {{}, [this] {
                                        const bool minimized = window()->isMinimized();
                                        window()->showNormal();
                                        return minimized;
                                    }};
        table["Window/Velmoran"] = {[this] { window()->close(); },
                                    [this] { return window()->isVisible(); }};
        table["Help/Rate Velmoran"] = changes([this] { return m_links.size(); });
        return table;
    }

    // Every item, the list menus' items in place of the menus, filled as they are on opening.
    QList<std::pair<QString, QAction*>> keyedItems() const
    {
        QList<std::pair<QString, QAction*>> items;
        for (const auto& [name, action] : m_items) {
            if (QMenu* submenu = action->menu()) {
                Q_EMIT submenu->aboutToShow();
                for (QAction* item : submenu->actions())
                    items.append({name + '/' + item->text(), item});
            } else {
                items.append({name, action});
            }
        }
        return items;
    }

    void closeExtraWindows()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget != window() && widget->isVisible() && widget->isWindow())
                widget->close();
        }
    }

    // The window active, with the keyboard in the search field (the search view on show) or
    // in a text field of the detail pane (open on a task).
    QWidget* focusField(const QString& field)
    {
        window()->show();
        window()->activateWindow();
        if (!QTest::qWaitForWindowActive(window()))
            return nullptr;
        QWidget* target = nullptr;
        if (field == "Search") {
            view().lvc()->presenter().selectSearch();
            target = view().mvc()->findChild<QLineEdit*>();
        } else {
            view().lvc()->presenter().selectPresetList(1);
            view().mvc()->presenter().selectReminder(task("Pack the bags"));
            view().openRightView();
            if (!QTest::qWaitFor([this] { return view().isDetailsShown(); }))
                return nullptr;
            RightViewController* details = view().rvc();
            target = field == "Title"   ? static_cast<QWidget*>(details->titleField())
                     : field == "Notes" ? static_cast<QWidget*>(details->notesField())
                                        : static_cast<QWidget*>(details->urlRow()->field());
        }
        target->setFocus(Qt::TabFocusReason);
        return QTest::qWaitFor([target] { return target->hasFocus(); }) ? target : nullptr;
    }

    // The items of `actions` without a mnemonic or with one another item already has; the
    // submenus too, filled as they are when they open.
    static void mnemonicFaults(const QString& menu, const QList<QAction*>& actions,
                               QStringList& faults)
    {
        QMap<QChar, QString> owners;
        for (QAction* action : actions) {
            if (action->isSeparator())
                continue;
            const QString text = action->text();
            const QChar letter = MenuMnemonics::of(text);
            if (letter.isNull())
                faults << menu + ": " + text + " has no mnemonic";
            else if (owners.contains(letter))
                faults << menu + ": " + text + " has the mnemonic of " + owners.value(letter);
            owners.insert(letter, text);
            if (QMenu* submenu = action->menu()) {
                Q_EMIT submenu->aboutToShow();
                mnemonicFaults(menu + "/" + text, submenu->actions(), faults);
            }
        }
    }

    // Found in the snapshot, which a refresh an earlier row started takes away until it ends.
    store::ReminderPtr task(const QString& title) const
    {
        if (!QTest::qWaitFor([this] { return m_app.manager->remindersArray() != nullptr; }))
            return nullptr;
        for (const store::ReminderPtr& reminder : m_app.manager->remindersArray()->reminders()) {
            if (reminder->title == title)
                return m_app.manager->tasks().reminderWithIdentifier(
                    reminder->calendarItemIdentifier);
        }
        return nullptr;
    }

    WindowController* window() const { return m_app.window(); }
    ViewController& view() const { return m_app.view(); }
    QString root() const { return m_app.root(); }

    RunningApp m_app;
    UserDefaults* m_defaults = m_app.defaults.get();
    std::map<QString, QAction*> m_items;
    // Counts what the menus open: the windows themselves have their own suites.
    struct CountedWindows : OnboardingWindows,
                            PreferencesOpener,
                            RecentlyDeletedOpener,
                            QuickAddOpener,
                            SyncCommand,
                            ExchangeOpener
    {
        QMap<QString, int> opened;
        bool openIntro() override { return false; }
        bool openAbout() override { return ++opened["about"], true; }
        bool openHelp(const QString& document) override
        {
            return ++opened["help " + document], true;
        }
        bool openPreferences() override { return ++opened["preferences"], true; }
        bool openRecentlyDeleted() override { return ++opened["recently deleted"], true; }
        void openQuickAdd(const QDateTime&, const QString&) override { ++opened["quick add"]; }
        void openQuickAddForSubtask(const QString&) override { ++opened["subtask add"]; }
        bool canSyncNow() const override { return true; }
        void syncNow() override { ++opened["sync"]; }
        bool openImport() override { return ++opened["import"], true; }
        bool openExport() override { return ++opened["export"], true; }
    };
    CountedWindows m_windows;
    QMap<QString, int>& m_opened = m_windows.opened;
    QList<QUrl> m_links;
    int m_rowBefore = -1;
};

VELMORAN_WIDGET_TEST_MAIN(TestMenuItems)
#include "tst_menuitems.moc"

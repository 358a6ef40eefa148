// Renders the main window over a generated demo store into PNG files, so that changes to the
// look can be reviewed side by side: the day view, a tag list, the week and month views with
// their dots, night mode, the detail pane of a task (also at 800 by 600 and in the smallest
// window) and of an event with the repeat editor's custom sheet, a location alarm with its map and
// the place pop-over; the quick-add window, the tray panel, the preferences pages with the Advanced
// tabs, the accounts and the Wayland shortcut help, the onboarding pages, the help and about
// windows and Recently Deleted in both modes, a list of subtasks in both modes and in high
// contrast, the details in high contrast, and the import and export windows in both modes.
// With a language (de, fr, or the pseudo-language en_XA), the windows whose texts a
// translation lengthens, in that language.
//
//   screenshots <output folder> [language]
//
// Runs on the offscreen platform with its own home folder; nothing of the user's is read or
// written.

#include "AccountScreenshots.h"
#include "AdvancedScreenshots.h"
#include "DeletedScreenshots.h"
#include "ExchangeScreenshots.h"
#include "IntroScreenshots.h"
#include "LocationScreenshots.h"
#include "ProblemsScreenshots.h"
#include "SubtaskScreenshots.h"
#include "WaylandScreenshots.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailServices.h"
#include "text/Global.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/ContrastStyle.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/DayGraphView.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/detail/CustomRepeatSheet.h"
#include "ui/main/detail/RepeatEditor.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/panel/HourPopover.h"
#include "ui/panel/PanelViewController.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// Relative day names ("Today", "Tomorrow") follow the real date, so the demo is laid out
// around it: `day` counts from today.
QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate::currentDate().addDays(day), QTime(hour, minute));
}

void writeEvent(const QString& folder, const QString& uid, const QString& title,
                const QDateTime& start, const QDateTime& end, const QString& location)
{
    QFile file(folder + "/" + uid + ".ics");
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString format = QStringLiteral("yyyyMMdd'T'HHmmss");
    file.write(QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmoran//Demo//EN\r\n"
                              "BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20261201T090000Z\r\n"
                              "DTSTART:%2\r\nDTEND:%3\r\nSUMMARY:%4\r\nLOCATION:%5\r\n"
                              "END:VEVENT\r\nEND:VCALENDAR\r\n")
                   .arg(uid, start.toString(format), end.toString(format), title, location)
                   .toUtf8());
}

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits for the next refresh to arrive, or for the time to pass.
void waitForRefresh(DataManager& manager, int milliseconds)
{
    QEventLoop loop;
    QObject::connect(&manager, &DataManager::remindersRefreshed, &loop, &QEventLoop::quit);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* window, const QString& path)
{
    wait(400);
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// A task that uses every row of the detail pane: due date and time, a custom repeat rule with
// an end, an alarm before it, a place, priority, list, address and notes.
store::ReminderPtr addDetailedTask(DataManager& manager, const store::CalendarPtr& list)
{
    store::RecurrenceRule rule;
    rule.frequency = store::RecurrenceRule::Frequency::Monthly;
    rule.daysOfTheWeek = {store::RecurrenceDayOfWeek{6, -1}};
    rule.recurrenceEnd = store::RecurrenceEnd::withOccurrenceCount(6);
    store::StructuredLocation office;
    office.title = QStringLiteral("Office, Main Street 12");
    office.latitude = 52.52;
    office.longitude = 13.405;
    office.radius = 106.68;
    office.hasGeoLocation = true;
    store::ReminderPtr added;
    manager.tasks().addReminderWithTitle(
        QStringLiteral("Send the monthly report to the board"), list, 1, at(2, 16, 30), rule,
        QStringLiteral("https://example.org/reports"),
        QStringLiteral("Numbers from finance first.\nDraft: https://example.org/draft"), true,
        store::Alarm::withLocation(office, store::Alarm::Proximity::Enter),
        [&added](bool saved, const store::ReminderPtr& reminder) {
            if (saved)
                added = reminder;
        });
    if (added) {
        added->alarms.removeIf([](const store::Alarm& alarm) { return !alarm.isLocationAlarm(); });
        added->addAlarm(store::Alarm::withRelativeOffset(-15 * 60));
        manager.tasks().saveReminder(added);
    }
    return added;
}

// The detail pane of `reminder`, opened beside the week view that shows it.
// Taller than the other pictures, so that every row shows.
bool saveDetail(ViewController* view, QWidget* window, DataManager& manager,
                const store::ReminderPtr& reminder, const QString& path)
{
    const QSize size = window->size();
    window->resize(size.width(), 1040);
    view->lvc()->presenter().selectWeekView();
    view->openRightView();
    wait(300);
    view->mvc()->presenter().selectReminder(manager.tasks().reminderWithIdentifier(
        reminder ? reminder->calendarItemIdentifier : QString()));
    const bool saved = save(window, path);
    window->resize(size);
    return saved;
}

// The window at `size` (its smallest when empty) with the detail pane of `reminder` open beside
// the week view: what a small screen shows.
bool saveDetailAt(ViewController* view, QWidget* window, DataManager& manager,
                  const store::ReminderPtr& reminder, const QSize& size, const QString& path)
{
    const QSize before = window->size();
    view->lvc()->presenter().selectWeekView();
    view->openRightView();
    window->resize(size.isEmpty() ? QSize(1, 1) : size);
    wait(300);
    view->mvc()->presenter().selectReminder(manager.tasks().reminderWithIdentifier(
        reminder ? reminder->calendarItemIdentifier : QString()));
    const bool saved = save(window, path);
    window->resize(before);
    return saved;
}

// Key presses, one character at a time, as a person types: Smart Add reacts to each.
void typeInto(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

// The quick-add window empty and with a Smart Add match, and the tray panel with the pop-up of
// its busiest hour; `suffix` names the mode.
int saveEntryWindows(DataManager& manager, ModeManager& modes, const QString& output,
                     const QString& suffix)
{
    int failures = 0;
    {
        AddViewController quickAdd(manager, modes);
        quickAdd.resize(480, quickAdd.sizeHint().height());
        quickAdd.show();
        failures += !save(&quickAdd, output + "/quick-add" + suffix + ".png");
        typeInto(quickAdd.form()->titleField(), QStringLiteral("! Buy flowers tomorrow 5pm "));
        failures += !save(&quickAdd, output + "/quick-add-smart" + suffix + ".png");
    }
    // With something to sync, so that the panel shows its Sync Now button.
    QTemporaryDir syncHome;
    SecretStore secrets;
    SyncSetup syncSetup(SyncPaths{syncHome.filePath("config"), syncHome.filePath("data")}, secrets,
                        {});
    SyncScheduler scheduler(syncSetup, manager.clock());
    scheduler.setUserConfig(syncHome.filePath("vdirsyncer-config"));
    PanelViewController panel(manager, modes);
    panel.setSyncScheduler(&scheduler);
    panel.resize(385, panel.panelHeight());
    panel.show();
    panel.fetchData();
    panel.resize(385, panel.panelHeight());
    // The rows fade in once the graph is drawn.
    wait(PanelViewController::kShowTableMs + 400);
    failures += !save(&panel, output + "/panel" + suffix + ".png");
    // Point at 10:00, an hour with a task and an event.
    DayGraphView* graph = panel.dayGraph();
    const QPointF hour(30 + 10 * 13 + 5, 30);
    QMouseEvent move(QEvent::MouseMove, hour, graph->mapToGlobal(hour), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(graph, &move);
    failures += !save(panel.popover(), output + "/panel-hour" + suffix + ".png");
    return failures;
}

// The preferences window on each of its pages, and the Lists page at night.
int savePreferences(DataManager& manager, ModeManager& modes, UserDefaults& defaults,
                    const QString& output)
{
    int failures = 0;
    PreferenceObject object(manager, modes, defaults,
                            UserNotificationCenter::defaultUserNotificationCenter(), {});
    PreferenceWindowController window(&object);
    window.setPalette(object.palette());
    window.show();
    const QStringList names{"general", "new-task", "lists", "filters", "appearance", "advanced"};
    for (int page = 0; page < names.size(); ++page) {
        window.selectPanelAtIndex(page);
        wait(100);
        failures += !save(&window, output + "/prefs-" + names.at(page) + ".png");
    }
    window.selectPanelAtIndex(PreferenceObject::Lists);
    defaults.setBool(true, PrefKey::nightMode);
    manager.nightMode().presetNightMode();
    modes.resetValues();
    window.setPalette(object.palette());
    window.reloadItemImages();
    wait(100);
    failures += !save(&window, output + "/prefs-lists-night.png");
    defaults.setBool(false, PrefKey::nightMode);
    manager.nightMode().presetNightMode();
    modes.resetValues();
    return failures;
}

// The windows whose texts a translation lengthens, for one language: the main window in each
// view at its default size and at 800 by 600, the details, the repeat sheet, the quick-add
// window, the panel, the preferences pages with the Advanced tabs and the accounts, the
// onboarding, help and about.
int saveLanguagePictures(WindowController& window, DataManager& manager, ModeManager& modes,
                         UserDefaults& defaults, const store::ReminderPtr& detailed,
                         const QString& output)
{
    ViewController* view = window.viewController();
    int failures = 0;
    const QList<std::pair<QString, void (SidebarPresenter::*)()>> views = {
        {"day", &SidebarPresenter::selectDayView},
        {"week", &SidebarPresenter::selectWeekView},
        {"month", &SidebarPresenter::selectMonthView}};
    for (const QSize& size : {window.size(), QSize(800, 600)}) {
        const QSize before = window.size();
        window.resize(size);
        const QString suffix = size == before ? QString() : QStringLiteral("-800x600");
        for (const auto& [name, show] : views) {
            (view->lvc()->presenter().*show)();
            failures += !save(&window, output + "/" + name + suffix + ".png");
        }
        window.resize(before);
    }
    failures += !saveDetail(view, &window, manager, detailed, output + "/detail.png");
    failures += !saveDetailAt(view, &window, manager, detailed, QSize(800, 600),
                              output + "/detail-800x600.png");
    view->rvc()->repeatEditor()->repeatChanged(8);
    wait(100);
    if (CustomRepeatSheet* sheet = view->rvc()->repeatEditor()->sheet()) {
        failures += !save(sheet, output + "/repeat-custom.png");
        sheet->reject();
    }
    if (view->isDetailsShown())
        view->showHideDetails();
    failures += saveEntryWindows(manager, modes, output, QString());
    failures += savePreferences(manager, modes, defaults, output);
    failures += saveAdvancedPage(manager, modes, output, QString());
    failures += saveAccountWindows(manager, modes, output, QString());
    failures += saveIntroWindows(manager, modes, output, QString());
    return failures;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <output folder> [language: de, fr, en_XA, …]\n");
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    // The pictures of another language than English are the program as a user of that language
    // sees it: its texts, and its dates and numbers.
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!language.isEmpty()) {
        qputenv("LANGUAGE", language.toLocal8Bit());
        qputenv("LANG", (QLocale(language).name() + ".UTF-8").toLocal8Bit());
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_STATE_HOME", (home.path() + "/state").toLocal8Bit());
    qputenv("VELMORAN_STORE", (home.path() + "/store").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // GNOME's keyboard shortcuts that the Wayland pictures look up stay inside this process.
    qputenv("GSETTINGS_BACKEND", "memory");
    QDir().mkpath(home.path() + "/store/calendar");
    QFile name(home.path() + "/store/calendar/displayname");
    if (name.open(QIODevice::WriteOnly))
        name.write("Calendar");
    // Written out now: the store reads these before main ends.
    name.close();
    QFile color(home.path() + "/store/calendar/color");
    if (color.open(QIODevice::WriteOnly))
        color.write("#E8A33D");
    color.close();
    writeEvent(home.path() + "/store/calendar", "standup", "Team stand-up", at(0, 9, 30),
               at(0, 9, 45), "Room 4");
    writeEvent(home.path() + "/store/calendar", "dentist", "Dentist", at(0, 16), at(0, 17),
               "Main Street 12");
    writeEvent(home.path() + "/store/calendar", "concert", "Concert", at(2, 19, 30), at(2, 22),
               "Old Town Hall");
    writeEvent(home.path() + "/store/calendar", "review", "Design review", at(0, 10, 30), at(0, 11),
               "Room 2");
    writeEvent(home.path() + "/store/calendar", "dinner", "Dinner with Sam", at(0, 19),
               at(0, 21, 30), "Riverside");
    writeEvent(home.path() + "/store/calendar", "train", "Night train", at(0, 23), at(1, 6, 30),
               "Central Station");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoran"));
    const QString installed = InterfaceLanguage::install(app, language.isEmpty());
    if (!language.isEmpty() && installed != language) {
        std::fprintf(stderr, "screenshots: no catalogue for %s\n", qPrintable(language));
        return 2;
    }
    ContrastStyle::install();
    Clock::system().setNow(at(0, 11, 20));
    QDir().mkpath(output);

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    DataManager manager(defaults, Clock::system(), [&defaults] {
        return std::make_unique<store::EventStore>(StoreFolders::configuredRoots(defaults));
    });
    // The texts measure against the manager's dates, as in the application.
    const Global::Context texts(&manager.dates(), nullptr);
    defaults.setBool(false, PrefKey::initialLaunch);
    defaults.setBool(false, PrefKey::nightModeAuto);
    setupDefaultPreferences(defaults, &manager.lists());
    manager.dates().resetThisWeekDate();
    ModeManager& modes = ModeManager::sharedManager();
    PreferredDetailServices services(defaults);
    WindowController window(manager, modes, services.services());
    window.resize(1080, 680);
    window.show();
    waitForRefresh(manager, 5000);

    const QString work = manager.tasks().addListWithTitle(
        QStringLiteral("Work"), collectionColor(QColor(0x4A, 0x90, 0xD9)));
    const QString home2 = manager.tasks().addListWithTitle(
        QStringLiteral("Home"), collectionColor(QColor(0x5B, 0xB9, 0x74)));
    waitForRefresh(manager, 3000);
    ViewController* view = window.viewController();
    view->lvc()->presenter().listWindowDone(false, work);
    view->lvc()->presenter().listWindowDone(false, home2);
    waitForRefresh(manager, 2000);
    const store::CalendarPtr workList = manager.lists().calendarByUUID(work);
    const store::CalendarPtr homeList = manager.lists().calendarByUUID(home2);
    struct Task
    {
        QString title;
        store::CalendarPtr list;
        QDateTime due;
        int priority;
        QString notes;
    };
    const QList<Task> tasks = {
        {"Send the quarterly report", workList, at(0, 10), 1, "Numbers from finance first"},
        {"Call the plumber #home", homeList, at(-1, 0), 5, {}},
        {"Review pull requests", workList, at(0, 14, 30), 0, {}},
        {"Buy milk and bread #home", homeList, at(0, 0), 9, {}},
        {"Prepare the workshop slides", workList, at(1, 11), 5, "message:<abc@example.org>"},
        {"Book train tickets", homeList, at(3, 18), 0, {}},
        {"Water the plants #home", homeList, at(4, 0), 0, {}},
        {"Plan the team offsite", workList, at(8, 10), 1, {}},
        {"Renew the passport", homeList, at(14, 0), 5, {}},
        {"Read the new style guide", workList, QDateTime(), 0, {}},
    };
    for (const Task& task : tasks)
        manager.tasks().addReminderWithTitle(task.title, task.list, task.due, task.priority, false,
                                             task.notes);
    waitForRefresh(manager, 3000);
    wait(500);

    int failures = 0;
    if (language.isEmpty()) {
        view->lvc()->presenter().selectDayView();
        failures += !save(&window, output + "/day.png");
        view->lvc()->presenter().selectSmartList(1);
        failures += !save(&window, output + "/tag-list.png");
        view->lvc()->presenter().selectWeekView();
        failures += !save(&window, output + "/week.png");
        view->lvc()->presenter().selectMonthView();
        failures += !save(&window, output + "/month.png");
    }

    const store::ReminderPtr detailed = addDetailedTask(manager, workList);
    waitForRefresh(manager, 3000);
    if (!language.isEmpty())
        return saveLanguagePictures(window, manager, modes, defaults, detailed, output) == 0 ? 0
                                                                                             : 1;
    failures += !saveDetail(view, &window, manager, detailed, output + "/detail.png");
    // The custom sheet with a rule on the second Tuesday of every month.
    view->rvc()->repeatEditor()->repeatChanged(8);
    wait(100);
    if (CustomRepeatSheet* sheet = view->rvc()->repeatEditor()->sheet()) {
        sheet->frequencyBox()->setCurrentIndex(2);
        sheet->onWeekButton()->setChecked(true);
        sheet->weekNumberBox()->setCurrentIndex(1);
        sheet->weekdayBox()->setCurrentIndex(2);
        wait(100);
        failures += !save(sheet, output + "/repeat-custom.png");
        sheet->reject();
    } else {
        ++failures;
    }
    // A calendar event, read-only.
    view->lvc()->presenter().selectDayView();
    wait(300);
    for (int row = 0; row < view->mvc()->model()->rowCount(); ++row) {
        const store::EventPtr event = view->mvc()->model()->eventAt(row);
        if (event && event->title == QLatin1String("Dentist")) {
            view->mvc()->tableView()->setCurrentIndex(view->mvc()->model()->index(row));
            view->mvc()->presenter().proposeSelection(row);
        }
    }
    failures += !save(&window, output + "/detail-event.png");
    failures += !saveDetailAt(view, &window, manager, detailed, QSize(800, 600),
                              output + "/detail-800x600.png");
    failures += saveUnreadableFiles(view, &window, workList->folderPath, output, QString());
    failures += saveExchangeWindows(manager, &window, output, QString());

    failures += saveEntryWindows(manager, modes, output, QString());
    failures += savePreferences(manager, modes, defaults, output);
    failures += saveIntroWindows(manager, modes, output, QString());
    failures += saveAdvancedPage(manager, modes, output, QString());
    failures += saveLocationWindows(manager, modes, output, QString());
    failures += saveAccountWindows(manager, modes, output, QString());
    failures += saveWaylandHelp(manager, modes, output, QString());
    addDeletedItems(manager, work, home2);
    failures += saveRecentlyDeletedWindow(manager, modes, output, QString());
    const QString holiday = SubtaskScreenshots::addHolidayTree(manager, view);
    failures += SubtaskScreenshots::saveNestedList(view, &window, holiday, output, QString());

    defaults.setBool(true, PrefKey::nightMode);
    manager.nightMode().presetNightMode();
    modes.resetValues();
    view->resetAppearanceFromPreferences();
    view->lvc()->presenter().selectDayView();
    failures += !save(&window, output + "/day-night.png");
    view->lvc()->presenter().selectMonthView();
    failures += !save(&window, output + "/month-night.png");
    failures += !saveDetail(view, &window, manager, detailed, output + "/detail-night.png");
    failures += !saveDetailAt(view, &window, manager, detailed, QSize(800, 600),
                              output + "/detail-800x600-night.png");
    failures +=
        saveUnreadableFiles(view, &window, workList->folderPath, output, QStringLiteral("-night"));
    failures += saveExchangeWindows(manager, &window, output, QStringLiteral("-night"));
    // The pictures below show the window as it starts, without the details.
    if (view->isDetailsShown())
        view->showHideDetails();
    wait(500);
    failures += saveEntryWindows(manager, modes, output, QStringLiteral("-night"));
    failures += saveIntroWindows(manager, modes, output, QStringLiteral("-night"));
    failures += saveAdvancedPage(manager, modes, output, QStringLiteral("-night"));
    failures += saveLocationWindows(manager, modes, output, QStringLiteral("-night"));
    failures += saveAccountWindows(manager, modes, output, QStringLiteral("-night"));
    failures += saveWaylandHelp(manager, modes, output, QStringLiteral("-night"));
    addDeletedItems(manager, work, home2);
    failures += saveRecentlyDeletedWindow(manager, modes, output, QStringLiteral("-night"));
    failures += SubtaskScreenshots::saveNestedList(view, &window, holiday, output,
                                                   QStringLiteral("-night"));

    // The smallest window of each view (the month's strip is the tallest): every view must
    // still fit.
    const auto saveSmallest = [&](void (SidebarPresenter::*show)(), const QString& path) {
        (view->lvc()->presenter().*show)();
        wait(300);
        window.resize(1, 1);
        return save(&window, path);
    };
    failures +=
        !saveSmallest(&SidebarPresenter::selectMonthView, output + "/month-night-smallest.png");
    defaults.setBool(false, PrefKey::nightMode);
    manager.nightMode().presetNightMode();
    modes.resetValues();
    view->resetAppearanceFromPreferences();
    failures += !saveSmallest(&SidebarPresenter::selectMonthView, output + "/month-smallest.png");
    failures += !saveSmallest(&SidebarPresenter::selectWeekView, output + "/week-smallest.png");
    failures += !saveSmallest(&SidebarPresenter::selectDayView, output + "/day-smallest.png");
    failures +=
        !saveDetailAt(view, &window, manager, detailed, QSize(), output + "/detail-smallest.png");

    // The high-contrast look a desktop that asks for it gets, by day and at night.
    modes.setHighContrastSource([] { return true; });
    for (const bool night : {false, true}) {
        defaults.setBool(night, PrefKey::nightMode);
        manager.nightMode().presetNightMode();
        modes.resetValues();
        view->resetAppearanceFromPreferences();
        const QString suffix =
            night ? QStringLiteral("-high-contrast-night") : QStringLiteral("-high-contrast");
        failures += !saveDetailAt(view, &window, manager, detailed, QSize(1080, 680),
                                  output + "/detail" + suffix + ".png");
        failures += SubtaskScreenshots::saveNestedList(view, &window, holiday, output, suffix);
    }
    return failures == 0 ? 0 : 1;
}

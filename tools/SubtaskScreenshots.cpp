#include "SubtaskScreenshots.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "ui/common/CollectionColors.h"
#include "ui/main/ViewController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QDate>

namespace SubtaskScreenshots {

namespace {

QDateTime day(int fromToday)
{
    return QDateTime(QDate::currentDate().addDays(fromToday), QTime(0, 0));
}

void settle(DataManager& manager)
{
    QEventLoop loop;
    QObject::connect(&manager, &DataManager::remindersRefreshed, &loop, &QEventLoop::quit);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

QString addHolidayTree(DataManager& manager, ViewController* view)
{
    const QString identifier = manager.tasks().addListWithTitle(
        QStringLiteral("Holiday"), collectionColor(QColor(0x9B, 0x6B, 0xD6)));
    settle(manager);
    view->lvc()->presenter().listWindowDone(false, identifier);
    settle(manager);
    const store::CalendarPtr list = manager.lists().calendarByUUID(identifier);
    TaskOperations& tasks = manager.tasks();
    const auto add = [&tasks, &list](const char* title, const QDateTime& due = {}) {
        return tasks.addReminderWithTitle(QString::fromUtf8(title), list, due);
    };
    const store::ReminderPtr plan = add("Plan the summer holiday", day(12));
    const store::ReminderPtr flights = add("Book the flights", day(2));
    const store::ReminderPtr hotel = add("Find a hotel by the sea", day(5));
    const store::ReminderPtr pack = add("Pack", day(11));
    const store::ReminderPtr passports = add("Check the passports", day(0));
    const store::ReminderPtr chargers = add("Chargers and adapters");
    const store::ReminderPtr sitter = add("Arrange a pet sitter", day(9));
    const store::ReminderPtr neighbours = add("Ask the neighbours");
    const store::ReminderPtr kennel = add("Call the kennel");
    add("Renew the car insurance", day(20));
    settle(manager);
    SubtaskOperations& subtasks = manager.subtasks();
    for (const store::ReminderPtr& child : {flights, hotel, pack, sitter})
        subtasks.setParent(child, plan);
    for (const store::ReminderPtr& child : {passports, chargers})
        subtasks.setParent(child, pack);
    for (const store::ReminderPtr& child : {neighbours, kennel})
        subtasks.setParent(child, sitter);
    tasks.checkReminder(flights, true);
    tasks.checkReminder(neighbours, true);
    subtasks.setSubtasksHidden(sitter, true);
    settle(manager);
    return identifier;
}

int saveNestedList(ViewController* view, QWidget* window, const QString& listIdentifier,
                   const QString& output, const QString& suffix)
{
    // Closing the details narrows the window as it goes; the sizes below are set after that.
    if (view->isDetailsShown()) {
        view->showHideDetails();
        ScreenshotFiles::pause(600);
    }
    const QSize before = window->size();
    int failures = 0;
    view->lvc()->presenter().selectListWithCalendarIdentifier(listIdentifier);
    const auto saveAt = [&](const QSize& size, const QString& name) {
        window->resize(size);
        failures += !ScreenshotFiles::writeWindow(window, output + name + suffix + ".png", 400);
    };
    // The window's usual size, whatever the pictures before left it at.
    saveAt(QSize(1080, 680), QStringLiteral("/nested-list"));
    saveAt(QSize(800, 600), QStringLiteral("/nested-list-800x600"));
    saveAt(QSize(1920, 1080), QStringLiteral("/nested-list-full"));
    view->lvc()->presenter().selectDayView();
    saveAt(QSize(1080, 680), QStringLiteral("/nested-day"));
    window->resize(before);
    return failures;
}

} // namespace SubtaskScreenshots

// velmoran-storechange: the changes the window makes that the command line has no command for
// (saving an edited task; creating, renaming and deleting a list), through the same data layer
// the window uses, so that the fault-injection suite can break them one system call at a time.
//
//   velmoran-storechange edit TASK-ID TITLE NOTES
//   velmoran-storechange undo-delete DELETED-ID
//   velmoran-storechange list-create TITLE
//   velmoran-storechange list-rename LIST NEW-TITLE
//   velmoran-storechange list-delete LIST
//
// Exit status 0 when the store took the change, 1 with the store's reason on standard error
// when it did not, 2 for a bad command line. The environment is the command line's (HOME, the
// XDG folders, VELMORAN_STORE).

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/CliTaskSelection.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/Calendar.h"
#include "prefs/DefaultPreferences.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

namespace {

int failed(const QString& what, const QString& error)
{
    std::fprintf(stderr, "velmoran-storechange: %s: %s\n", qPrintable(what), qPrintable(error));
    return 1;
}

int edit(DataManager& manager, const QString& identifier, const QString& title,
         const QString& notes)
{
    const store::ReminderPtr held = manager.tasks().reminderWithIdentifier(identifier);
    if (!held)
        return failed(QStringLiteral("edit"), QStringLiteral("no task ") + identifier);
    const store::ReminderPtr copy = manager.tasks().recordToEdit(held);
    copy->title = title;
    copy->notes = notes;
    QString error;
    return manager.tasks().saveEditedReminder(copy, &error) ? 0 : failed("edit", error);
}

// What the window's undo of a deletion does, for a deletion made by an earlier run.
int undoDelete(DataManager& manager, const QString& deletedId)
{
    QString error;
    return manager.tasks().undoDeleteReminder(deletedId, &error) ? 0 : failed("undo-delete", error);
}

int changeList(DataManager& manager, const QStringList& arguments)
{
    const QString& command = arguments.at(1);
    QString error;
    if (command == u"list-create") {
        return manager.tasks()
                       .addListWithTitle(arguments.at(2),
                                         store::CollectionColor::fromRgb(0x2e, 0x7d, 0x32), &error)
                       .isEmpty()
                   ? failed(command, error)
                   : 0;
    }
    const store::CalendarPtr list =
        CliTaskSelection::listNamed(manager.lists().allCalendars(), arguments.at(2));
    if (!list)
        return failed(command, QStringLiteral("no list ") + arguments.at(2));
    if (command == u"list-rename" && arguments.size() == 4)
        return manager.tasks().modifyList(list, arguments.at(3), list->color, &error)
                   ? 0
                   : failed(command, error);
    if (command == u"list-delete")
        return manager.tasks().deleteListWithUUID(list->calendarIdentifier, &error)
                   ? 0
                   : failed(command, error);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmoran-cli"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;

    // The sweep compares the files of two runs byte for byte: their stamps must agree.
    Clock& clock = Clock::system();
    const QDateTime now = QDateTime::fromString(qEnvironmentVariable(kNowVariable), Qt::ISODate);
    if (now.isValid())
        clock.setNow(now);

    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    setupDefaultPreferences(defaults, nullptr);
    CliSession session(defaults, clock);
    session.open();
    int status = 2;
    if (arguments.at(1) == u"edit" && arguments.size() == 5)
        status = edit(session.manager(), arguments.at(2), arguments.at(3), arguments.at(4));
    else if (arguments.at(1) == u"undo-delete" && arguments.size() == 3)
        status = undoDelete(session.manager(), arguments.at(2));
    else if (arguments.at(1).startsWith(u"list-"))
        status = changeList(session.manager(), arguments);
    session.close();
    return status;
}

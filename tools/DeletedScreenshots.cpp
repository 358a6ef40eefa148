#include "DeletedScreenshots.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "platform/trash/RecentlyDeleted.h"
#include "ui/deleted/RecentlyDeletedWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray todo(const QString& uid, const QString& title)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmoran//Screenshots//EN"
                          "\r\nBEGIN:VTODO\r\nUID:%1\r\nSUMMARY:%2\r\nEND:VTODO\r\nEND:VCALENDAR"
                          "\r\n")
        .arg(uid, title)
        .toUtf8();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

void addDeletedItems(DataManager& manager, const QString& workList, const QString& homeList)
{
    store::EventStore* eventStore = manager.eventStore();
    if (!eventStore)
        return;
    trash::RecentlyDeleted& trash = eventStore->recentlyDeleted();
    trash.empty();
    const QDateTime now = manager.clock().now();
    struct Task
    {
        QString uid;
        QString title;
        QString list;
        QString folder;
        trash::DeletedBy by;
        int minutesAgo;
    };
    const QList<store::CalendarPtr> lists =
        eventStore->calendarsForEntityType(store::EntityType::Reminder);
    const auto folderOf = [&lists](const QString& identifier) {
        for (const store::CalendarPtr& list : lists) {
            if (list->calendarIdentifier == identifier)
                return list->folderPath;
        }
        return QString();
    };
    const QList<Task> tasks = {
        {"deleted-1", "Renew the parking permit", "Home", folderOf(homeList),
         trash::DeletedBy::Velmoran, 25},
        {"deleted-2", "Order new business cards", "Work", folderOf(workList),
         trash::DeletedBy::OtherProgram, 3 * 60},
        {"deleted-3", "Quarterly planning call", "Work", folderOf(workList), trash::DeletedBy::Sync,
         26 * 60},
    };
    for (const Task& task : tasks)
        trash.keepTask(todo(task.uid, task.title), task.folder, task.uid + ".ics",
                       {task.title, task.list, task.uid, {}, {}}, task.by,
                       now.addSecs(-60 * task.minutesAgo), nullptr, nullptr);
    // A list outside the store: its files go into the trash as a deleted list's would.
    const QString garden = QDir::homePath() + "/old-lists/garden";
    QDir(garden).removeRecursively();
    writeFile(garden + "/displayname", "Garden");
    writeFile(garden + "/color", "#5BB974");
    QStringList files;
    for (const char* title : {"Plant the tulip bulbs", "Fix the fence", "Buy potting soil"}) {
        const QString uid = "garden-" + QString::number(files.size() + 1);
        writeFile(garden + "/" + uid + ".ics", todo(uid, QString::fromUtf8(title)));
        files << uid + ".ics";
    }
    trash.moveList({"Garden", garden, files}, trash::DeletedBy::Velmoran, now.addDays(-3), nullptr,
                   nullptr);
}

int saveRecentlyDeletedWindow(DataManager& manager, ModeManager& modes, const QString& output,
                              const QString& suffix)
{
    RecentlyDeletedWindow window(manager, modes);
    window.show();
    return ScreenshotFiles::writeWindow(&window, output + "/recently-deleted" + suffix + ".png",
                                        300)
               ? 0
               : 1;
}

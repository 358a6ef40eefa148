#include "ExchangeScreenshots.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/exchange/IcsImport.h"
#include "platform/store/EventStore.h"
#include "ui/exchange/ExportDialog.h"
#include "ui/exchange/ImportDialog.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char kExported[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Tasks//EN\r\n"
    "BEGIN:VTODO\r\nUID:shot-import-1\r\nSUMMARY:Renew the passport\r\n"
    "DUE;VALUE=DATE:20270115\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:shot-import-2\r\nSUMMARY:Book the ferry\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:shot-import-3\r\nSUMMARY:Water the garden\r\n"
    "RRULE:FREQ=WEEKLY\r\nDUE:20261210T080000Z\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:shot-import-4\r\nSUMMARY:Call the bank\r\nDUE:soon\r\n"
    "END:VTODO\r\n"
    "BEGIN:VEVENT\r\nUID:shot-import-5\r\nSUMMARY:Winter market\r\n"
    "DTSTART:20261219T160000Z\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

} // namespace

int saveExchangeWindows(DataManager& manager, QWidget* parent, const QString& output,
                        const QString& suffix)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("exported-tasks.ics"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(kExported) < 0)
        return 2;
    out.close();
    store::EventStore* eventStore = manager.eventStore();
    exchange::ImportPlan plan;
    QString error;
    if (!exchange::planImport({file}, exchange::storedItems(eventStore->calendars()),
                              manager.clock().now().date().year(), &plan, &error)) {
        std::printf("the import window's file could not be read: %s\n", qPrintable(error));
        return 2;
    }
    int failures = 0;
    {
        ImportDialog import(std::move(plan), manager.lists().allCalendars(),
                            eventStore->calendarsForEntityType(store::EntityType::Event),
                            manager.lists().defaultList(), parent);
        import.show();
        failures +=
            !ScreenshotFiles::writeWindow(&import, output + "/import" + suffix + ".png", 300);
    }
    // The picture never exports: the window's buttons are not pressed.
    ExportDialog exportWindow(
        manager.lists().allCalendars(), manager.lists().defaultList(),
        [](const QList<store::CalendarPtr>&, bool) {
            return std::pair{QByteArray(), qsizetype(0)};
        },
        [](QWidget*) { return QString(); }, parent);
    exportWindow.show();
    failures +=
        !ScreenshotFiles::writeWindow(&exportWindow, output + "/export" + suffix + ".png", 300);
    return failures;
}

#pragma once

#include "data/exchange/CalendarText.h"
#include "platform/store/Calendar.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Taking .ics files from other programs into the store: each task or event (with the overrides
// of its occurrences) becomes a file of its own in a list or calendar, every line as it came,
// with the time zones it refers to. Items whose UID the store holds already are left alone or
// replaced in place, as the user chooses, so that importing a file again adds nothing.
namespace exchange {

struct IncomingItem
{
    CalendarItem item;
    QString sourceFile;
    // The item as a calendar file of its own.
    QByteArray bytes;
};

// An item that is not imported: the file and line it begins at, its title, and why.
struct SkippedItem
{
    QString sourceFile;
    int line = 0;
    QString title;
    QString reason;

    QString text() const;
};

// Where the store keeps an item by UID: its file, and whether that file holds other items too.
struct StoredItem
{
    QString path;
    bool shared = false;
};
using StoredItems = QHash<QString, StoredItem>;

// The items of every file of the collections, by UID.
StoredItems storedItems(const QList<store::CalendarPtr>& collections);

// What an import will do, counted before anything is written.
struct ImportPlan
{
    QList<IncomingItem> items;
    QList<SkippedItem> skipped;
    StoredItems stored;

    qsizetype count(ItemKind kind) const;
    // Items whose UID the store holds already.
    qsizetype present() const;
};

// Reads the files. False, with the reason and nothing planned, when one cannot be read or is
// no iCalendar file at all: a mistyped name never imports half of what was asked.
bool planImport(const QStringList& files, StoredItems stored, int year, ImportPlan* plan,
                QString* error);

enum class PresentItems { Skip, Update };

struct ImportTargets
{
    store::CalendarPtr taskList;
    store::CalendarPtr eventCalendar;
};

// Where events go when nobody chose: the first calendar of events alone that may be changed;
// without one, the tasks' list when it holds events too (a folder shared with a calendar
// program), else any collection that holds events.
store::CalendarPtr calendarForEvents(const store::CalendarPtr& taskList,
                                     const QList<store::CalendarPtr>& collections);

struct ImportOutcome
{
    qsizetype added = 0;
    qsizetype updated = 0;
    // Present already: skipped as asked, or updated to what they were.
    qsizetype left = 0;
    QList<SkippedItem> failed;
    QStringList writtenPaths;
};

// Called after each item with how many are done; false stops the import there.
using ImportProgress = std::function<bool(qsizetype done, qsizetype total)>;

// Writes the planned items, each under its folder's lock and through a file that appears
// whole or not at all.
ImportOutcome runImport(const ImportPlan& plan, const ImportTargets& targets, PresentItems present,
                        const ImportProgress& progress = {});

} // namespace exchange

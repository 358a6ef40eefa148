#include "platform/store/CollectionCalendars.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace store::CollectionCalendars {

QList<SourcePtr> sourcesOf(const QStringList& roots)
{
    QList<SourcePtr> sources;
    for (const QString& root : roots) {
        auto source = std::make_shared<Source>();
        source->sourceIdentifier = root;
        source->title = QFileInfo(root).fileName();
        source->rootPath = root;
        sources.append(source);
    }
    return sources;
}

CalendarPtr calendarOf(const CollectionFolder& folder, ItemKinds items,
                       const QList<SourcePtr>& sources)
{
    // A folder holds what is in it and what it was made for; an empty one made elsewhere may
    // hold either.
    bool todos = items.todos || folder.createdFor == QLatin1String("VTODO");
    bool events = items.events || folder.createdFor == QLatin1String("VEVENT");
    // A calendar whose marker could not be read must not pass for a new task list for a run:
    // a task would be added to it and it would join the user's lists for good.
    if (!todos && !events && !folder.createdForUnknown)
        todos = events = true;
    auto calendar = std::make_shared<Calendar>();
    calendar->calendarIdentifier = folder.identifier;
    calendar->title = folder.displayName;
    calendar->color = folder.color;
    calendar->immutable = !folder.writable;
    calendar->holdsReminders = todos;
    calendar->holdsEvents = events;
    calendar->folderPath = folder.folderPath;
    for (const SourcePtr& source : sources) {
        if (source->rootPath == folder.rootPath)
            calendar->source = source;
    }
    return calendar;
}

void sort(QList<CalendarPtr>& calendars, const QList<CollectionFolder>& folders)
{
    QHash<QString, const CollectionFolder*> byId;
    for (const CollectionFolder& folder : folders)
        byId.insert(folder.identifier, &folder);
    std::stable_sort(calendars.begin(), calendars.end(),
                     [&](const CalendarPtr& a, const CalendarPtr& b) {
                         const CollectionFolder* fa = byId.value(a->calendarIdentifier);
                         const CollectionFolder* fb = byId.value(b->calendarIdentifier);
                         if (fa->hasOrder != fb->hasOrder)
                             return fa->hasOrder;
                         if (fa->hasOrder && fa->order != fb->order)
                             return fa->order < fb->order;
                         const int byTitle = QString::localeAwareCompare(a->title, b->title);
                         if (byTitle != 0)
                             return byTitle < 0;
                         return a->calendarIdentifier < b->calendarIdentifier;
                     });
}

} // namespace store::CollectionCalendars

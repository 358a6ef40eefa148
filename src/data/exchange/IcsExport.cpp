#include "data/exchange/IcsExport.h"

#include "data/exchange/CalendarText.h"
#include "platform/store/AtomicFile.h"

#include <QHash>

namespace exchange {

namespace {

// Files written with bare line feeds (by hand, by some programs) are read as well, but a
// calendar handed on ends its lines as the format asks.
QByteArray withCrlf(QByteArray text)
{
    text.replace("\r\n", "\n");
    text.replace('\n', "\r\n");
    return text;
}

const CalendarItem* taskWithUid(const CalendarText& text, const QString& uid)
{
    const CalendarItem* first = nullptr;
    for (const CalendarItem& item : text.items) {
        if (item.kind != ItemKind::Task)
            continue;
        if (item.uid == uid)
            return &item;
        if (!first)
            first = &item;
    }
    return first;
}

} // namespace

ExportResult exportTasks(const QList<store::ReminderPtr>& tasks, int year)
{
    ExportResult result;
    QHash<QString, std::optional<CalendarText>> files;
    QHash<QByteArray, QByteArray> zones;
    QSet<QByteArray> tzids;
    QSet<QString> taken; // path and UID
    QList<QByteArray> components;
    for (const store::ReminderPtr& task : tasks) {
        if (!task->origin)
            continue;
        const QString path = task->origin->path();
        if (!files.contains(path)) {
            QByteArray bytes;
            store::FileStamp stamp;
            files.insert(path, store::AtomicFile::read(path, &bytes, &stamp, nullptr)
                                   ? splitCalendar(bytes, nullptr)
                                   : std::nullopt);
        }
        const std::optional<CalendarText>& text = files[path];
        const CalendarItem* item = text ? taskWithUid(*text, task->uid) : nullptr;
        const QString key = path + QLatin1Char('\n') + (item ? item->uid : QString());
        if (!item || taken.contains(key))
            continue;
        taken.insert(key);
        for (const QByteArray& tzid : item->tzids) {
            if (!zones.contains(tzid) && text->zones.contains(tzid))
                zones.insert(tzid, text->zones.value(tzid));
        }
        tzids.unite(item->tzids);
        components.append(item->components);
        ++result.tasks;
    }
    result.calendar = withCrlf(assembleCalendar({}, zones, components, tzids, year, "\r\n"));
    return result;
}

} // namespace exchange

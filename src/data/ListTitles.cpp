#include "data/ListTitles.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ListTitles", text);
}

} // namespace

namespace ListTitles {

QString presetListTitle(ListKind kind)
{
    switch (kind) {
    case ListKind::AllTasks:
        return tr("All Tasks");
    case ListKind::UndatedTasks:
        return tr("Undated Tasks");
    case ListKind::RecurringTasks:
        return tr("Recurring Tasks");
    case ListKind::LocationBasedTasks:
        return tr("Location-based Tasks");
    case ListKind::OverdueTasks:
        return tr("Overdue Tasks");
    case ListKind::HighPriorityTasks:
        return tr("High Priority Tasks");
    case ListKind::MediumPriorityTasks:
        return tr("Mid Priority Tasks");
    case ListKind::LowPriorityTasks:
        return tr("Low Priority Tasks");
    default:
        return QString();
    }
}

QString titleForEntry(const ListEntry& entry)
{
    if (entry.isPreset())
        return presetListTitle(entry.kind());
    switch (entry.kind()) {
    case ListKind::TagList:
        return QStringLiteral("#") + entry.tag();
    case ListKind::MergedList:
    case ListKind::SavedSearch:
        return entry.tag();
    case ListKind::Search:
        return tr("Search");
    case ListKind::Day:
    case ListKind::Week:
    case ListKind::Month:
        return QString();
    default:
        return entry.title();
    }
}

} // namespace ListTitles

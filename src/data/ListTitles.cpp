#include "data/ListTitles.h"

#include <QCoreApplication>

namespace {

struct ListTitlesText
{
    Q_DECLARE_TR_FUNCTIONS(ListTitles)
};

} // namespace

namespace ListTitles {

QString presetListTitle(ListKind kind)
{
    switch (kind) {
    case ListKind::AllTasks:
        return ListTitlesText::tr("All Tasks");
    case ListKind::UndatedTasks:
        return ListTitlesText::tr("Undated Tasks");
    case ListKind::RecurringTasks:
        return ListTitlesText::tr("Recurring Tasks");
    case ListKind::LocationBasedTasks:
        return ListTitlesText::tr("Location-based Tasks");
    case ListKind::OverdueTasks:
        return ListTitlesText::tr("Overdue Tasks");
    case ListKind::HighPriorityTasks:
        return ListTitlesText::tr("High Priority Tasks");
    case ListKind::MediumPriorityTasks:
        return ListTitlesText::tr("Mid Priority Tasks");
    case ListKind::LowPriorityTasks:
        return ListTitlesText::tr("Low Priority Tasks");
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
        return ListTitlesText::tr("Search");
    case ListKind::Day:
    case ListKind::Week:
    case ListKind::Month:
        return QString();
    default:
        return entry.title();
    }
}

} // namespace ListTitles

#include "data/detail/DetailRowLayout.h"

#include <QCoreApplication>

namespace {

DetailRow row(DetailRowKind kind)
{
    return DetailRow{kind, DetailLabel::None};
}

DetailRow label(DetailLabel text)
{
    return DetailRow{DetailRowKind::Label, text};
}

QList<DetailRow> completedRows()
{
    return {row(DetailRowKind::Title),      row(DetailRowKind::Divider),
            label(DetailLabel::Completed),  row(DetailRowKind::CompletionDate),
            row(DetailRowKind::Divider),    label(DetailLabel::Priorities),
            row(DetailRowKind::Priorities), label(DetailLabel::List),
            row(DetailRowKind::List),       label(DetailLabel::Url),
            row(DetailRowKind::Url),        label(DetailLabel::Notes),
            row(DetailRowKind::Notes),      row(DetailRowKind::Divider)};
}

} // namespace

bool DetailRowLayout::hasLocationAlarm(const store::Reminder& reminder)
{
    for (const store::Alarm& alarm : reminder.alarms) {
        if (alarm.isLocationAlarm())
            return true;
    }
    return false;
}

QList<DetailRow> DetailRowLayout::rowsForReminder(const store::Reminder* reminder)
{
    if (!reminder)
        return {};
    if (reminder->completed)
        return completedRows();
    const bool dated = reminder->dueDateComponents.has_value();
    const bool repeats = dated && reminder->hasRecurrenceRules();
    const bool located = hasLocationAlarm(*reminder);

    QList<DetailRow> rows{row(DetailRowKind::Title), row(DetailRowKind::Divider),
                          label(DetailLabel::DueDate), row(DetailRowKind::DueDate)};
    if (dated)
        rows << label(DetailLabel::Repeat) << row(DetailRowKind::Repeat);
    if (repeats) {
        rows << label(DetailLabel::EndRepeat) << row(DetailRowKind::EndRepeat)
             << row(DetailRowKind::EndRepeatDetail);
    }
    rows << row(DetailRowKind::Divider);
    if (dated)
        rows << label(DetailLabel::Alarm) << row(DetailRowKind::Alarm)
             << row(DetailRowKind::Divider);
    rows << label(DetailLabel::Location) << row(DetailRowKind::Location);
    if (located)
        rows << row(DetailRowKind::Map);
    rows << row(DetailRowKind::Divider) << label(DetailLabel::Priorities)
         << row(DetailRowKind::Priorities) << label(DetailLabel::List) << row(DetailRowKind::List)
         << label(DetailLabel::Url) << row(DetailRowKind::Url) << label(DetailLabel::Notes)
         << row(DetailRowKind::Notes) << row(DetailRowKind::Divider);
    return rows;
}

QList<DetailRow> DetailRowLayout::rowsForEvent()
{
    return {row(DetailRowKind::Title),   row(DetailRowKind::Divider), row(DetailRowKind::EventInfo),
            row(DetailRowKind::Divider), label(DetailLabel::Url),     row(DetailRowKind::Url),
            label(DetailLabel::Notes),   row(DetailRowKind::Notes),   row(DetailRowKind::Divider)};
}

int DetailRowLayout::numberOfRowsForReminder(const store::Reminder* reminder)
{
    return int(rowsForReminder(reminder).size());
}

QList<int> DetailRowLayout::dividersIndexArray(const QList<DetailRow>& rows)
{
    QList<int> dividers;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).kind == DetailRowKind::Divider)
            dividers << int(i);
    }
    return dividers;
}

int DetailRowLayout::fixedHeight(DetailRowKind kind, bool locationAlarm, bool ruleHasEnd)
{
    switch (kind) {
    case DetailRowKind::Divider:
        return kDividerHeight;
    case DetailRowKind::Title:
    case DetailRowKind::Notes:
        return -1;
    case DetailRowKind::EventInfo:
        return kEventInfoHeight;
    case DetailRowKind::Location:
        return locationAlarm ? kLocationHeight : kRowHeight;
    case DetailRowKind::Map:
        return kMapHeight;
    case DetailRowKind::EndRepeatDetail:
        return ruleHasEnd ? kRowHeight : kHiddenHeight;
    default:
        return kRowHeight;
    }
}

QString DetailRowLayout::labelText(DetailLabel label)
{
    switch (label) {
    case DetailLabel::None:
        return {};
    case DetailLabel::DueDate:
        return QCoreApplication::translate("RightViewController", "Due Date");
    case DetailLabel::Completed:
        return QCoreApplication::translate("RightViewController", "Completed");
    case DetailLabel::Repeat:
        return QCoreApplication::translate("RightViewController", "Repeat");
    case DetailLabel::EndRepeat:
        return QCoreApplication::translate("RightViewController", "End Repeat");
    case DetailLabel::Alarm:
        return QCoreApplication::translate("RightViewController", "Alarm");
    case DetailLabel::Location:
        return QCoreApplication::translate("RightViewController", "Location");
    case DetailLabel::Priorities:
        return QCoreApplication::translate("RightViewController", "Priorities");
    case DetailLabel::List:
        return QCoreApplication::translate("RightViewController", "List");
    case DetailLabel::Url:
        return QCoreApplication::translate("RightViewController", "URL");
    case DetailLabel::Notes:
        return QCoreApplication::translate("RightViewController", "Notes");
    }
    return {};
}

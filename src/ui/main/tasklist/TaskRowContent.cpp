#include "ui/main/tasklist/TaskRowContent.h"

#include "prefs/ModeManager.h"
#include "text/DateFormatters.h"
#include "text/Global.h"
#include "ui/common/CollectionColors.h"
#include "ui/main/tasklist/TaskRowHeights.h"

namespace {

// A list or calendar that lost its colour still needs a visible tint.
QColor colourOf(const store::CalendarPtr& calendar, const ModeManager& mode)
{
    if (calendar && calendar->color.isValid())
        return qColor(calendar->color);
    return mode.iconColor();
}

// Whether an alarm rings at a moment other than the due date. An alarm without a date of its
// own (one set relative to the due date) is counted as different, so the row never claims
// "at the due time" for an alarm whose moment it has not checked.
bool alarmDiffers(const store::Alarm& alarm, const store::Reminder& reminder)
{
    if (!alarm.absoluteDate.isValid() || !reminder.dueDateComponents ||
        !reminder.dueDateComponents->isValid())
        return true;
    return alarm.absoluteDate != reminder.dueDateComponents->toDateTime();
}

} // namespace

QString TaskRowContent::priorityMark(int priority)
{
    if (priority >= 1 && priority <= 4)
        return QStringLiteral("!!!  ");
    if (priority == 5)
        return QStringLiteral("!!  ");
    if (priority >= 6 && priority <= 9)
        return QStringLiteral("!  ");
    return {};
}

QString TaskRowContent::priorityWords(int priority)
{
    if (priority >= 1 && priority <= 4)
        return tr("High Priority");
    if (priority == 5)
        return tr("Medium Priority");
    if (priority >= 6 && priority <= 9)
        return tr("Low Priority");
    return {};
}

QString TaskRowContent::singleLine(const QString& text)
{
    QString line = text;
    // A Windows line end is one break, not two blanks.
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : line) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line;
}

QString TaskRowContent::notesLine(const QString& notes, bool detectMailLink)
{
    if (notes.isEmpty())
        return {};
    if (detectMailLink && (notes.startsWith(QLatin1String("message:/")) ||
                           notes.startsWith(QLatin1String("message:%")) ||
                           notes.startsWith(QLatin1String("message:<"))))
        return tr("Mail Link");
    return singleLine(notes);
}

int TaskRowContent::iconBottomOffset(int defaultFont)
{
    // The families sit differently on their baseline; these keep the icons level with the
    // information line's text.
    switch (defaultFont) {
    case 0:
        return 4;
    case 1:
    case 2:
        return 1;
    case 3:
        return 3;
    default:
        return 2;
    }
}

QStringList TaskRowContent::iconsForReminder(const store::Reminder& reminder)
{
    QStringList icons;
    if (reminder.hasRecurrenceRules())
        icons.append(QStringLiteral("IconRepeat"));
    bool hasLocationAlarm = false;
    bool hasTimeAlarm = false;
    bool timeAlarmDiffers = false;
    for (const store::Alarm& alarm : reminder.alarms) {
        if (alarm.isLocationAlarm()) {
            hasLocationAlarm = true;
            continue;
        }
        hasTimeAlarm = true;
        timeAlarmDiffers = timeAlarmDiffers || alarmDiffers(alarm, reminder);
    }
    if (hasLocationAlarm)
        icons.append(QStringLiteral("IconLocation"));
    if (hasTimeAlarm)
        icons.append(timeAlarmDiffers ? QStringLiteral("IconAlarmDiff")
                                      : QStringLiteral("IconAlarm"));
    return icons;
}

QString TaskRowContent::spokenDescription(const store::Reminder& reminder,
                                          const TaskRowParts& parts, const RowContext& context)
{
    QStringList spoken;
    if (reminder.completed) {
        if (!parts.dateText.isEmpty())
            spoken << tr("Completed %1").arg(parts.dateText.trimmed());
    } else if (reminder.dueDateComponents && reminder.dueDateComponents->isValid()) {
        // The row says "overdue" in words only before the shown day and otherwise by the date's
        // colour, from the moment a timed task is due or the day after an all-day one.
        const store::DateComponents& due = *reminder.dueDateComponents;
        const QDateTime dueDate = due.toDateTime();
        const bool allDay = due.hour == 0 && due.minute == 0;
        const bool shownAsOverdue = context.currentDate.isValid() && dueDate < context.currentDate;
        const bool overdue = shownAsOverdue ||
                             (allDay ? dueDate.date() < context.now.date() : dueDate < context.now);
        if (shownAsOverdue)
            spoken << tr("Overdue") << Global::overdueDayDescriptionForDate(dueDate);
        else if (overdue)
            spoken << tr("Overdue") << parts.dateText.trimmed();
        else
            spoken << tr("Due %1").arg(parts.dateText.trimmed());
    }
    spoken << parts.subtitle << priorityWords(reminder.priority);
    spoken.removeAll(QString());
    return spoken.join(QStringLiteral(", "));
}

QString TaskRowContent::spokenNesting(const RowNesting& nesting, const QString& rest)
{
    QStringList spoken;
    if (!nesting.parentTitle.isEmpty())
        spoken << tr("Subtask of %1").arg(nesting.parentTitle);
    spoken << rest;
    if (nesting.progress.total > 0)
        spoken
            << tr("Subtasks done: %1 of %2").arg(nesting.progress.done).arg(nesting.progress.total);
    if (nesting.fold == RowNesting::Fold::Open)
        spoken << tr("Expanded");
    else if (nesting.fold == RowNesting::Fold::Folded)
        spoken << tr("Collapsed");
    spoken.removeAll(QString());
    return spoken.join(QStringLiteral(", "));
}

TaskRowParts TaskRowContent::forReminder(const store::Reminder& reminder, const RowContext& context,
                                         const RowNesting& nesting)
{
    const ModeManager& mode = context.mode;
    const DateFormatters& formatters = context.formatters;
    const QColor listColour = colourOf(reminder.calendar, mode);

    TaskRowParts parts;
    parts.kind = TaskRowParts::Kind::Task;
    parts.leadingImage =
        reminder.completed ? QStringLiteral("CellCheckOn") : QStringLiteral("CellCheck");
    // The check circle is a control and the list's name and an overdue date are text: each
    // keeps the list's hue, only as much darker (or lighter at night) as it needs to be seen.
    parts.leadingTint = mode.contrast().visibleMark(listColour);

    const QColor listText = mode.contrast().readableText(listColour);
    const QColor accent = reminder.completed ? mode.subTextColor() : listText;
    parts.markColor = reminder.completed ? mode.subTextColor() : mode.alertTextColor();
    parts.titleColor = reminder.completed ? mode.subTextColor() : mode.menuTextColor();
    parts.title = reminder.title;
    parts.subtitle = reminder.calendar ? reminder.calendar->title : QString();
    parts.subtitleColor = accent;

    parts.priorityMark = priorityMark(reminder.priority);
    if (reminder.completed) {
        const QString completed =
            formatters.dateTimeFormatter().stringFromDate(reminder.completionDate);
        if (!completed.isEmpty())
            parts.dateText = QStringLiteral("%1  ").arg(completed);
        parts.dateColor = mode.subTextColor();
    } else if (reminder.dueDateComponents && reminder.dueDateComponents->isValid()) {
        const store::DateComponents& due = *reminder.dueDateComponents;
        const QDateTime dueDate = due.toDateTime();
        if (context.currentDate.isValid() && dueDate < context.currentDate) {
            parts.dateText = QStringLiteral("%1 : %2  ")
                                 .arg(tr("Overdue"), Global::overdueDayDescriptionForDate(dueDate));
        } else {
            const DateFormatter& formatter = due.hour == 0 && due.minute == 0
                                                 ? formatters.dateOnlyFormatter()
                                                 : formatters.dateTimeFormatter();
            parts.dateText = QStringLiteral("%1  ").arg(formatter.stringFromDate(dueDate));
        }
        parts.dateColor = dueDate <= context.now ? listText : mode.menuTextColor();
    } else {
        parts.dateColor = mode.menuTextColor();
    }

    parts.notes = notesLine(reminder.notes, true);
    parts.notesShown = !parts.notes.isEmpty();
    parts.notesColor = mode.subTextColor();

    parts.spokenDescription = spokenDescription(reminder, parts, context);
    if (nesting != RowNesting()) {
        parts.indent = TaskRowHeights::indentFor(nesting.depth);
        parts.fold = nesting.fold;
        if (nesting.progress.total > 0)
            parts.progress =
                QStringLiteral("%1/%2").arg(nesting.progress.done).arg(nesting.progress.total);
        if (nesting.namesParent())
            parts.parentLine = singleLine(nesting.parentTitle);
        parts.nestingColor = mode.subTextColor();
        parts.spokenDescription = spokenNesting(nesting, parts.spokenDescription);
    }

    parts.icons = iconsForReminder(reminder);
    parts.iconColor = accent;
    parts.iconBottomOffset = iconBottomOffset(context.defaultFont);
    return parts;
}

TaskRowParts TaskRowContent::forEvent(const store::Event& event, const RowContext& context)
{
    const ModeManager& mode = context.mode;
    const DateFormatters& formatters = context.formatters;
    const QColor calendarColour = colourOf(event.calendar, mode);
    const QDateTime end = event.endDate.isValid() ? event.endDate : event.startDate;
    const bool ended = end.isValid() && context.now >= end;
    const bool started = event.startDate.isValid() && context.now >= event.startDate;

    TaskRowParts parts;
    parts.kind = TaskRowParts::Kind::Event;
    parts.leadingImage = QStringLiteral("CellEvent");
    parts.leadingTint = ended ? mode.subTextColor() : mode.contrast().visibleMark(calendarColour);
    parts.title = event.title;
    parts.titleColor = ended ? mode.subTextColor() : mode.menuTextColor();
    const QColor detailColour =
        ended ? mode.subTextColor()
              : (started ? mode.contrast().readableText(calendarColour) : mode.menuTextColor());
    parts.subtitle = singleLine(event.location);
    parts.subtitleColor = detailColour;
    parts.dateColor = detailColour;
    parts.markColor = detailColour;

    const DateFormatter& dateOnly = formatters.dateOnlyFormatter();
    if (event.isAllDay) {
        const QString first = dateOnly.stringFromDate(event.startDate);
        const QString last = dateOnly.stringFromDate(end.addSecs(-1));
        parts.dateText = first == last || last.isEmpty()
                             ? QStringLiteral("%1  ").arg(first)
                             : QStringLiteral("%1 ~ %2  ").arg(first, last);
    } else {
        const QString startDay = dateOnly.stringFromDate(event.startDate);
        if (startDay == dateOnly.stringFromDate(end)) {
            const DateFormatter& hours = formatters.hourTimeAMPMFormatter();
            parts.dateText = QStringLiteral("%1, %2 ~ %3  ")
                                 .arg(startDay, hours.stringFromDate(event.startDate),
                                      hours.stringFromDate(end));
        } else {
            const DateFormatter& dateTime = formatters.dateTimeFormatter();
            parts.dateText =
                QStringLiteral("%1 ~ %2  ")
                    .arg(dateTime.stringFromDate(event.startDate), dateTime.stringFromDate(end));
        }
    }

    QStringList spoken{parts.dateText.trimmed(), parts.subtitle};
    spoken.removeAll(QString());
    parts.spokenDescription = spoken.join(QStringLiteral(", "));

    parts.notes = notesLine(event.notes, false);
    parts.notesShown = !parts.notes.isEmpty();
    parts.notesColor = mode.subTextColor();
    parts.iconColor = detailColour;
    parts.iconBottomOffset = iconBottomOffset(context.defaultFont);
    return parts;
}

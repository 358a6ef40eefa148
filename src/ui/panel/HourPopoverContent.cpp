#include "ui/panel/HourPopoverContent.h"

#include "prefs/ModeManager.h"
#include "text/DateFormatters.h"
#include "text/Global.h"
#include "ui/common/CollectionColors.h"

namespace {

QColor colourOf(const store::CalendarPtr& calendar, const ModeManager& mode)
{
    return calendar && calendar->color.isValid() ? qColor(calendar->color) : mode.iconColor();
}

} // namespace

QString HourPopoverContent::eventDetail(const store::Event& event, const DateFormatters& formatters)
{
    const DateFormatter& dateOnly = formatters.dateOnlyFormatter();
    if (event.isAllDay) {
        const QString first = dateOnly.stringFromDate(event.startDate);
        const QString last = dateOnly.stringFromDate(event.endDate.addSecs(-1));
        return first == last ? first : QStringLiteral("%1 ~ %2").arg(first, last);
    }
    if (Global::isSameDayWithDate1(event.startDate, event.endDate)) {
        const DateFormatter& hours = formatters.hourTimeAMPMFormatter();
        return QStringLiteral("%1, %2 ~ %3")
            .arg(dateOnly.stringFromDate(event.startDate), hours.stringFromDate(event.startDate),
                 hours.stringFromDate(event.endDate));
    }
    const DateFormatter& dateTime = formatters.dateTimeFormatter();
    return QStringLiteral("%1 ~ %2").arg(dateTime.stringFromDate(event.startDate),
                                         dateTime.stringFromDate(event.endDate));
}

HourPopoverContent HourPopoverContent::build(int k, const HourBuckets& buckets,
                                             const QDateTime& windowStart,
                                             const QDateTime& startingDay,
                                             const DateFormatters& formatters,
                                             const ModeManager& mode,
                                             const std::function<int(const QString&)>& titleHeight)
{
    HourPopoverContent content;
    content.heading =
        formatters.hourTimeAMPMFormatter().stringFromDate(HourBuckets::bucketStart(windowStart, k));
    const ReminderList reminders = buckets.reminders.value(k);
    const QList<store::EventPtr> events = buckets.events.value(k);

    for (const store::ReminderPtr& reminder : reminders) {
        Line line;
        line.kind = Line::Kind::Task;
        line.mark = QStringLiteral("◉");
        line.markColour = mode.contrast().visibleMark(colourOf(reminder->calendar, mode));
        line.title = reminder->title;
        const QDateTime due =
            reminder->dueDateComponents ? reminder->dueDateComponents->toDateTime() : QDateTime();
        if (due >= startingDay)
            line.detail = formatters.dateTimeFormatter().stringFromDate(due);
        else
            line.detail = QStringLiteral("%1 : %2").arg(tr("Overdue"),
                                                        Global::overdueDayDescriptionForDate(due));
        content.lines.append(line);
        content.height += titleHeight(line.title) + 14;
    }
    if (!reminders.isEmpty() && !events.isEmpty()) {
        content.lines.append(Line{Line::Kind::Gap, {}, {}, {}, {}});
        content.height += 16;
    }
    for (const store::EventPtr& event : events) {
        Line line;
        line.kind = Line::Kind::Event;
        line.mark = QStringLiteral("◼\uFE0E");
        line.markColour = mode.contrast().visibleMark(colourOf(event->calendar, mode));
        line.title = event->title;
        line.detail = eventDetail(*event, formatters);
        content.lines.append(line);
        content.height += titleHeight(line.title) + 22;
    }
    return content;
}

QString HourPopoverContent::toHtml(const ModeManager& mode) const
{
    QString html;
    const QString label = mode.darkTextColor().name();
    const QString secondary = mode.subTextColor().name();
    for (const Line& line : lines) {
        if (line.kind == Line::Kind::Gap) {
            html += QStringLiteral("<p style=\"margin:0\">&nbsp;</p>");
            continue;
        }
        // One call for every part: a title holding "%2" must stay as typed.
        html += QStringLiteral("<p style=\"margin-top:6px;margin-bottom:0\">"
                               "<span style=\"font-size:%1pt;color:%2\">%3</span>&nbsp;&nbsp;"
                               "<span style=\"font-size:%1pt;color:%4\">%5</span><br>"
                               "<span style=\"font-size:%6pt;color:%7\">"
                               "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;%8</span></p>")
                    .arg(QString::number(kTitlePointSize), line.markColour.name(), line.mark, label,
                         line.title.toHtmlEscaped(), QString::number(kDetailPointSize), secondary,
                         line.detail.toHtmlEscaped());
    }
    return html;
}

#include "data/detail/EventInfoText.h"

#include "text/DateFormatters.h"

#include <QRegularExpression>

namespace EventInfoText {

QString dateText(const store::Event& event, const DateFormatters& formatters)
{
    const DateFormatter& dateOnly = formatters.dateOnlyFormatter();
    const QDateTime start = event.startDate.toLocalTime();
    const QDateTime end = event.endDate.toLocalTime();
    if (event.isAllDay) {
        const QDateTime lastDay = end.isValid() && end > start ? end.addSecs(-1) : start;
        const QString first = dateOnly.stringFromDate(start);
        const QString last = dateOnly.stringFromDate(lastDay);
        if (first == last)
            return QStringLiteral("%1  ").arg(first);
        return QStringLiteral("%1 ~ %2  ").arg(first, last);
    }
    if (dateOnly.stringFromDate(start) == dateOnly.stringFromDate(end)) {
        const DateFormatter& time = formatters.hourTimeAMPMFormatter();
        return QStringLiteral("%1, %2 ~ %3  ")
            .arg(dateOnly.stringFromDate(start), time.stringFromDate(start),
                 time.stringFromDate(end));
    }
    const DateFormatter& dateTime = formatters.dateTimeFormatter();
    return QStringLiteral("%1 ~ %2  ")
        .arg(dateTime.stringFromDate(start), dateTime.stringFromDate(end));
}

QString locationText(const store::Event& event)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\r\n|\n|\r"));
    QString text = event.location;
    return text.replace(lineBreaks, QStringLiteral(" "));
}

QString calendarText(const store::Event& event)
{
    return event.calendar ? event.calendar->title : QString();
}

} // namespace EventInfoText

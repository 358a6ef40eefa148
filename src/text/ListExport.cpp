#include "text/ListExport.h"

#include "text/DateFormatters.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

using store::EventPtr;
using store::ReminderPtr;
using Style = StyledText::Style;

namespace {

const QString kCompletedSymbol = QStringLiteral("\u25C9"); // ◉
const QString kOpenSymbol = QStringLiteral("\u25EF");      // ◯
const QString kEventSymbol = QStringLiteral("\u25A3");     // ▣
const QString kDetailIndent = QStringLiteral("     ");     // five spaces
const QString kDetailGap = QStringLiteral("    ");         // four spaces

// Fills "%@" placeholders in order in one pass, so that a "%@" typed into a task's title or
// notes is copied as it is instead of being filled again.
QString filled(const QString& format, const QStringList& values)
{
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) == u'%' && i + 1 < format.size() && format.at(i + 1) == u'@') {
            result += next < values.size() ? values.at(next) : QString();
            ++next;
            ++i;
        } else {
            result += format.at(i);
        }
    }
    return result;
}

QString listTitle(const ReminderPtr& reminder)
{
    return reminder->calendar ? reminder->calendar->title : QString();
}

// "     Label : date    List", or "     List" for a task that has neither.
QString reminderDetail(const ReminderPtr& reminder, const DateFormatters& formatters)
{
    const QString dated = QStringLiteral("%1%@ : %@%2%@\n\n").arg(kDetailIndent, kDetailGap);
    if (reminder->completed) {
        return filled(
            dated, {QCoreApplication::translate("Global", "Completed"),
                    formatters.dateTimeMediumFormatter().stringFromDate(reminder->completionDate),
                    listTitle(reminder)});
    }
    if (reminder->dueDateComponents && reminder->dueDateComponents->isValid()) {
        const store::DateComponents& due = *reminder->dueDateComponents;
        // Midnight stands for a due day without a time of day.
        const DateFormatter& formatter = due.hasTimeOfDay() ? formatters.dateTimeMediumFormatter()
                                                            : formatters.fullDayFormatterMid();
        return filled(dated, {QCoreApplication::translate("Global", "Due Date"),
                              formatter.stringFromDate(due.toDateTime()), listTitle(reminder)});
    }
    return filled(kDetailIndent + QStringLiteral("%@\n\n"), {listTitle(reminder)});
}

QString eventTimeText(const EventPtr& event, const DateFormatters& formatters)
{
    const DateFormatter& day = formatters.dateOnlyFormatter();
    if (event->isAllDay) {
        // The store keeps an all-day event's end as the start of the following day; its last
        // day is the one before that, so a one-day event reads as one date.
        const QDateTime lastMoment = std::max(event->startDate, event->endDate.addSecs(-1));
        const QString start = day.stringFromDate(event->startDate);
        const QString end = day.stringFromDate(lastMoment);
        return start == end ? start : filled(QStringLiteral("%@ ~ %@"), {start, end});
    }
    const QString startDay = day.stringFromDate(event->startDate);
    if (startDay == day.stringFromDate(event->endDate)) {
        const DateFormatter& time = formatters.hourTimeAMPMFormatter();
        return filled(
            QStringLiteral("%@, %@ ~ %@"),
            {startDay, time.stringFromDate(event->startDate), time.stringFromDate(event->endDate)});
    }
    const DateFormatter& dateTime = formatters.dateTimeFormatter();
    return filled(QStringLiteral("%@ ~ %@"), {dateTime.stringFromDate(event->startDate),
                                              dateTime.stringFromDate(event->endDate)});
}

void appendReminder(StyledText& text, const ReminderPtr& reminder, const DateFormatters& formatters)
{
    const QString symbol = reminder->completed ? kCompletedSymbol : kOpenSymbol;
    text.append(filled(symbol + QStringLiteral(" %@\n"), {reminder->title}), Style::Item);
    text.append(reminderDetail(reminder, formatters), Style::Detail);
    if (!reminder->notes.isEmpty())
        text.append(filled(QStringLiteral("%@\n\n"), {reminder->notes}), Style::Detail);
}

void appendEvent(StyledText& text, const EventPtr& event, const DateFormatters& formatters)
{
    const QString time = eventTimeText(event, formatters);
    text.append(filled(kEventSymbol + QStringLiteral(" %@\n"), {event->title}), Style::Item);
    if (event->location.isEmpty()) {
        text.append(filled(kDetailIndent + QStringLiteral("%@\n\n"), {time}), Style::Detail);
    } else {
        text.append(
            filled(kDetailIndent + QStringLiteral("%@") + kDetailGap + QStringLiteral("%@\n\n"),
                   {time, event->location}),
            Style::Detail);
    }
}

} // namespace

void StyledText::append(const QString& text, Style style)
{
    if (!text.isEmpty())
        m_runs.append({text, style});
}

QString StyledText::toPlainText() const
{
    QString text;
    for (const Run& run : m_runs)
        text += run.text;
    return text;
}

QTextCharFormat StyledText::charFormat(Style style)
{
    int size = 15;
    qreal grey = 1.0 / 3.0;
    switch (style) {
    case Style::Heading:
        size = 16;
        break;
    case Style::Subheading:
        size = 14;
        grey = 0.5;
        break;
    case Style::Item:
        break;
    case Style::Detail:
        size = 13;
        grey = 0.5;
        break;
    }
    // Pixel sizes, so that a message looks the same on every screen it is read on.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(size);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(QColor::fromRgbF(grey, grey, grey));
    return format;
}

std::unique_ptr<QTextDocument> StyledText::toDocument() const
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    QTextCursor cursor(document.get());
    for (const Run& run : m_runs)
        cursor.insertText(run.text, charFormat(run.style));
    return document;
}

QString StyledText::toHtml() const
{
    return toDocument()->toHtml();
}

std::unique_ptr<QMimeData> StyledText::toMimeData() const
{
    auto data = std::make_unique<QMimeData>();
    data->setHtml(toHtml());
    data->setText(toPlainText());
    return data;
}

QString ListExport::subtitleForTaskCount(qsizetype count)
{
    if (count == 0)
        return QCoreApplication::translate("Global", "No Tasks");
    if (count == 1)
        return QCoreApplication::translate("Global", "One Task");
    return QCoreApplication::translate("Global", "%n Task(s)", nullptr, int(count));
}

StyledText ListExport::attributedStringsForSharingListWithTitle(const QString& title,
                                                                const QString& subtitle,
                                                                const QList<ReminderPtr>& reminders,
                                                                const QList<EventPtr>& events,
                                                                const DateFormatters& formatters)
{
    StyledText text;
    text.append(filled(QStringLiteral("%@    "), {title}), Style::Heading);
    text.append(filled(QStringLiteral("%@\n\n\n"), {subtitle}), Style::Subheading);

    for (const ReminderPtr& reminder : reminders) {
        if (reminder)
            appendReminder(text, reminder, formatters);
    }

    bool headed = false;
    for (const EventPtr& event : events) {
        if (!event)
            continue;
        if (!headed) {
            text.append(filled(QStringLiteral("\n\n%@\n\n"),
                               {QCoreApplication::translate("Global", "Calendar Events")}),
                        Style::Heading);
            headed = true;
        }
        appendEvent(text, event, formatters);
    }
    return text;
}

#include "IcsTarget.h"

#include "ReminderFields.h"

#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/ics/TodoReader.h"

#include <tuple>

using store::Event;
using store::IcsItem;
using store::Reminder;

namespace {

// Saves are stamped at a fixed moment so that one input always gives the same bytes.
const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);

// The year of events the window asks for: from the first date the file names, so that its
// rules expand where they start, else the year around the fixed "now". One window: a series
// whose occurrences each last centuries fills any window with its ten thousand instances.
std::pair<QDateTime, QDateTime> windowFor(QByteArrayView bytes)
{
    int year = kNow.date().year();
    if (const qsizetype start = bytes.indexOf("DTSTART"); start >= 0) {
        int digits = 0;
        qsizetype i = start;
        for (; i < bytes.size() && digits < 8; ++i)
            digits = (bytes[i] >= '0' && bytes[i] <= '9') ? digits + 1 : 0;
        const int own = digits == 8 ? bytes.sliced(i - 8, 4).toInt() : 0;
        if (own >= 1 && own <= 9998)
            year = own;
    }
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0));
    return {from, from.addYears(1)};
}

// What identifies an occurrence, cheap to compare: a hostile file can give ten thousand.
using EventKey = std::tuple<QString, QString, qint64, qint64, qint64, bool, bool>;

QList<EventKey> keysOf(const QList<Event>& events)
{
    QList<EventKey> keys;
    keys.reserve(events.size());
    for (const Event& event : events)
        keys.append({event.eventIdentifier, event.title, event.startDate.toMSecsSinceEpoch(),
                     event.endDate.toMSecsSinceEpoch(), event.occurrenceDate.toMSecsSinceEpoch(),
                     event.isAllDay, event.isDetached});
    return keys;
}

// The task with one field changed, the field chosen by the input so that every kind of edit
// gets its share of inputs.
Reminder edited(Reminder reminder, qsizetype choice)
{
    switch (choice % 5) {
    case 0:
        reminder.title = reminder.title.toString() + QStringLiteral(" (edited; with, specials)");
        break;
    case 1:
        reminder.notes = QStringLiteral("line one\nline two");
        break;
    case 2:
        reminder.priority = reminder.priority == 5 ? 1 : 5;
        break;
    case 3:
        reminder.setCompleted(!reminder.completed, kNow);
        break;
    default:
        reminder.alarms.clear();
        break;
    }
    return reminder;
}

// A new file names the month of a yearly rule that names none, the month its series starts in:
// readers disagree on what such a rule means. The dates of the series stay the same.
void nameYearlyMonths(Reminder& reminder)
{
    const std::optional<store::ics::SeriesAnchor> anchor = store::ics::seriesAnchor(reminder);
    if (!anchor)
        return;
    for (store::RecurrenceRule& rule : reminder.recurrenceRules) {
        if (rule.frequency == store::RecurrenceRule::Frequency::Yearly &&
            rule.monthsOfTheYear.isEmpty() && rule.daysOfTheWeek.isEmpty() &&
            rule.weeksOfTheYear.isEmpty() && rule.daysOfTheYear.isEmpty())
            rule.monthsOfTheYear = {anchor->start.date().month()};
    }
}

} // namespace

IcsTarget::IcsTarget()
{
    store::LibicalSetup::initialize();
}

QStringList IcsTarget::run(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();
    QString error;
    const std::optional<IcsItem> item = IcsItem::parse(bytes, &error);
    if (!item) {
        if (error.isEmpty())
            return {QStringLiteral("A refused file gives no reason")};
        return {};
    }
    QStringList findings;
    if (item->serialize() != bytes)
        findings << QStringLiteral("The unchanged item serializes to other bytes");

    const Reminder reminder = item->toReminder();
    const auto [from, to] = windowFor(input);
    const QList<Event> events = item->events(from, to);
    item->uid();

    const std::optional<IcsItem> reread = IcsItem::parse(item->serialize());
    if (!reread)
        return findings << QStringLiteral("The serialized item is refused");
    for (const QString& field : ReminderFields::differences(reminder, reread->toReminder()))
        findings << QStringLiteral("Re-read after serializing, the task differs in ") + field;
    if (keysOf(events) != keysOf(reread->events(from, to)))
        findings << QStringLiteral("Re-read after serializing, the events differ");

    if (!item->hasTodo())
        return findings;

    IcsItem unchanged = *item;
    unchanged.applyReminder(reminder, kNow);
    if (unchanged.serialize() != bytes)
        findings << QStringLiteral("Saving the unchanged task changes the file");

    IcsItem edit = *item;
    const Reminder wanted = edited(reminder, input.size());
    edit.applyReminder(wanted, kNow);
    const QByteArray after = edit.serialize();
    if (after.contains("X-LIC-ERROR") && !bytes.contains("X-LIC-ERROR"))
        findings << QStringLiteral("An edit writes an X-LIC-ERROR line");
    if (const std::optional<IcsItem> saved = IcsItem::parse(after)) {
        for (const QString& field : ReminderFields::differences(wanted, saved->toReminder()))
            findings << QStringLiteral("After an edit, the task read back differs in ") + field;
    } else {
        findings << QStringLiteral("The edited file is refused");
    }

    Reminder expected = reminder;
    nameYearlyMonths(expected);
    const QByteArray fresh = IcsItem::fromReminder(reminder, kNow).serialize();
    if (const std::optional<IcsItem> written = IcsItem::parse(fresh)) {
        const Reminder back = written->toReminder();
        if (expected.uid.isEmpty())
            expected.uid = back.uid;
        if (!expected.creationDate.isValid())
            expected.creationDate = kNow;
        for (const QString& field : ReminderFields::differences(expected, back))
            findings << QStringLiteral("Written to a new file, the task reads back with another ") +
                            field;
    } else {
        findings << QStringLiteral("A new file written from the task is refused");
    }
    return findings;
}

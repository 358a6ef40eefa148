#include "RecurrenceTarget.h"

#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"

#include <QTimeZone>

#include <ctime>

using store::RecurrenceSet;

namespace {

// The CPU time one rule's expansion may take before it ends with what it has (the store's
// expansion budget), and what a call may add around it: parsing, sorting, EXDATEs.
constexpr qint64 kRuleBudgetMs = 200;
constexpr qint64 kOverheadMs = 150;
// Each rule has a budget of its own, and both the window and the next-date search expand it:
// with one rule a run that exhausts every budget still ends well inside the fuzzers' hang
// limit of a second, so a hang is a real one. Several rules only add up their budgets.
constexpr int kMaxRules = 1;
constexpr int kMaxDates = 50;
constexpr int kDefaultLimit = 200;

qint64 threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

struct Series
{
    RecurrenceSet set;
    QDateTime from;
    QDateTime to;
    int limit = kDefaultLimit;
};

int digitsAt(QByteArrayView text, qsizetype at, qsizetype count)
{
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A DATE (yyyymmdd) or DATE-TIME (yyyymmddThhmmss, Z for UTC) value; floating values are in
// `zone` when valid, else in local time. Invalid when the text is neither.
QDateTime dateTimeOf(QByteArrayView text, const QTimeZone& zone, bool* isDate = nullptr)
{
    text = text.trimmed();
    const QDate date(digitsAt(text, 0, 4), digitsAt(text, 4, 2), digitsAt(text, 6, 2));
    if (!date.isValid())
        return {};
    if (isDate)
        *isDate = text.size() == 8;
    if (text.size() == 8)
        return QDateTime(date, QTime(0, 0));
    if (text.size() < 15 || text[8] != 'T')
        return {};
    const QTime time(digitsAt(text, 9, 2), digitsAt(text, 11, 2), digitsAt(text, 13, 2));
    if (!time.isValid())
        return {};
    if (text.size() == 16 && text[15] == 'Z')
        return QDateTime(date, time, Qt::UTC);
    if (text.size() != 15)
        return {};
    return zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time);
}

QList<QDateTime> dateListOf(QByteArrayView values, const QTimeZone& zone)
{
    QList<QDateTime> dates;
    for (const QByteArray& value : values.toByteArray().split(',')) {
        if (dates.size() >= kMaxDates)
            break;
        const QDateTime date = dateTimeOf(value, zone);
        if (date.isValid())
            dates << date;
    }
    return dates;
}

// The TZID parameter of a line's name part ("DTSTART;TZID=Europe/Berlin").
QTimeZone zoneOf(QByteArrayView nameAndParameters)
{
    const qsizetype at = nameAndParameters.indexOf("TZID=");
    if (at < 0)
        return {};
    QByteArrayView id = nameAndParameters.sliced(at + 5);
    if (const qsizetype end = id.indexOf(';'); end >= 0)
        id = id.first(end);
    const QByteArray zoneId = id.toByteArray();
    return QTimeZone::isTimeZoneIdAvailable(zoneId) ? QTimeZone(zoneId) : QTimeZone();
}

Series seriesOf(QByteArrayView input)
{
    Series series;
    series.set.start = QDateTime(QDate(2026, 1, 1), QTime(9, 0));
    QTimeZone startZone;
    for (const QByteArray& rawLine : input.toByteArray().split('\n')) {
        const QByteArray line = rawLine.trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArrayView head = QByteArrayView(line).first(colon);
        const QByteArrayView value = QByteArrayView(line).sliced(colon + 1);
        if (head.startsWith("DTSTART")) {
            startZone = zoneOf(head);
            bool isDate = false;
            const QDateTime start = dateTimeOf(value, startZone, &isDate);
            if (start.isValid()) {
                series.set.start = start;
                series.set.allDay = isDate;
            }
        } else if (head == "RRULE") {
            if (series.set.rrules.size() < kMaxRules)
                series.set.rrules << QString::fromUtf8(value);
        } else if (head.startsWith("RDATE")) {
            series.set.rdates += dateListOf(value, zoneOf(head));
        } else if (head.startsWith("EXDATE")) {
            series.set.exdates += dateListOf(value, zoneOf(head));
        } else if (head == "WINDOW") {
            const qsizetype slash = value.indexOf('/');
            series.from = dateTimeOf(slash < 0 ? value : value.first(slash), startZone);
            if (slash >= 0)
                series.to = dateTimeOf(value.sliced(slash + 1), startZone);
        } else if (head == "LIMIT") {
            series.limit = qBound(0, value.toByteArray().toInt(), 10000);
        }
    }
    series.set.rdates = series.set.rdates.mid(0, kMaxDates);
    series.set.exdates = series.set.exdates.mid(0, kMaxDates);
    return series;
}

} // namespace

RecurrenceTarget::RecurrenceTarget()
{
    store::LibicalSetup::initialize();
}

QStringList RecurrenceTarget::run(QByteArrayView input)
{
    const Series series = seriesOf(input);
    QStringList findings;

    qint64 started = threadMilliseconds();
    const QList<QDateTime> instances =
        store::Recurrence::occurrences(series.set, series.from, series.to, series.limit);
    const qint64 allowed =
        qMax<qsizetype>(1, series.set.rrules.size()) * kRuleBudgetMs + kOverheadMs;
    if (const qint64 spent = threadMilliseconds() - started; spent > allowed)
        findings << QStringLiteral("Expanding took %1 ms of CPU time; the budget is %2 ms")
                        .arg(spent)
                        .arg(allowed);
    if (instances.size() > series.limit)
        findings << QStringLiteral("%1 instances, more than the %2 asked for")
                        .arg(instances.size())
                        .arg(series.limit);
    for (qsizetype i = 0; i < instances.size(); ++i) {
        const QDateTime& instance = instances.at(i);
        if (!instance.isValid()) {
            findings << QStringLiteral("Instance %1 is not a valid date").arg(i);
            continue;
        }
        if ((series.from.isValid() && instance < series.from) ||
            (series.to.isValid() && instance >= series.to))
            findings << QStringLiteral("Instance %1 (%2) lies outside the window")
                            .arg(i)
                            .arg(instance.toString(Qt::ISODateWithMs));
        if (i > 0 && !(instances.at(i - 1) < instance))
            findings << QStringLiteral("Instance %1 (%2) does not come after instance %3 (%4)")
                            .arg(i)
                            .arg(instance.toString(Qt::ISODateWithMs))
                            .arg(i - 1)
                            .arg(instances.at(i - 1).toString(Qt::ISODateWithMs));
    }

    // The open-ended search a completed recurring task makes for its next date.
    const QDateTime after = series.from.isValid() ? series.from : series.set.start;
    started = threadMilliseconds();
    const std::optional<QDateTime> next = store::Recurrence::nextOccurrence(series.set, after);
    if (const qint64 spent = threadMilliseconds() - started; spent > allowed)
        findings << QStringLiteral("Finding the next date took %1 ms of CPU time; the budget is "
                                   "%2 ms")
                        .arg(spent)
                        .arg(allowed);
    if (next && !(*next > after))
        findings << QStringLiteral("The next date %1 does not come after %2")
                        .arg(next->toString(Qt::ISODateWithMs), after.toString(Qt::ISODateWithMs));
    return findings;
}

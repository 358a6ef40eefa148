#pragma once

// The recurring-event cases of the store benchmark: 2,000 endless daily events (the event
// window's worst everyday case: 730,000 occurrences in the application's 12-month window) and
// 25 events whose rules never produce a date, each in a calendar folder of its own.

#include "../tests/support/NeverMatchingRules.h"
#include "platform/store/Recurrence.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>

namespace RecurringEvents {

constexpr int kDailyEvents = 2000;

inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline bool writeCalendar(const QString& folder, const QString& name)
{
    return QDir().mkpath(folder) && write(folder + QStringLiteral("/displayname"), name.toUtf8()) &&
           write(folder + QStringLiteral("/color"), "#3a87d9");
}

inline QByteArray event(const QByteArray& uid, const QByteArray& start, const QByteArray& rule)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20251201T100000Z\r\n" + start + "\r\nDURATION:PT30M\r\nRRULE:" + rule +
           "\r\nSUMMARY:" + uid + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// The daily series, as the store reads them from the files `generate` writes: a quarter each
// in UTC, in Europe/Berlin, in floating time and all-day, started up to five years before the
// window so that expansion has to find its way there.
inline QList<store::RecurrenceSet> dailySeries()
{
    QList<store::RecurrenceSet> series;
    for (int i = 0; i < kDailyEvents; ++i) {
        store::RecurrenceSet set;
        const QDate day = QDate(2021, 1, 1).addDays((i * 37) % 1800);
        const QTime time(6 + i % 12, (i % 4) * 15);
        switch (i % 4) {
        case 0:
            set.start = QDateTime(day, time, Qt::UTC);
            break;
        case 1:
            set.start = QDateTime(day, time, QTimeZone("Europe/Berlin"));
            break;
        case 2:
            set.start = QDateTime(day, time, Qt::LocalTime);
            break;
        default:
            set.start = QDateTime(day, QTime(0, 0), Qt::LocalTime);
            set.allDay = true;
            break;
        }
        set.rrules = {QStringLiteral("FREQ=DAILY")};
        series << set;
    }
    return series;
}

inline QByteArray startLine(const store::RecurrenceSet& set)
{
    const QByteArray date = set.start.date().toString(QStringLiteral("yyyyMMdd")).toLatin1();
    const QByteArray time = set.start.time().toString(QStringLiteral("HHmmss")).toLatin1();
    if (set.allDay)
        return "DTSTART;VALUE=DATE:" + date;
    if (set.start.timeSpec() == Qt::UTC)
        return "DTSTART:" + date + "T" + time + "Z";
    if (set.start.timeSpec() == Qt::TimeZone)
        return "DTSTART;TZID=Europe/Berlin:" + date + "T" + time;
    return "DTSTART:" + date + "T" + time;
}

// Writes the calendars "Daily" and "Never" under `root`.
inline bool generate(const QString& root)
{
    const QString daily = root + QStringLiteral("/daily");
    const QString never = root + QStringLiteral("/never");
    if (!writeCalendar(daily, QStringLiteral("Daily")) ||
        !writeCalendar(never, QStringLiteral("Never")))
        return false;
    const QList<store::RecurrenceSet> series = dailySeries();
    for (qsizetype i = 0; i < series.size(); ++i) {
        const QByteArray uid = "daily-" + QByteArray::number(i);
        if (!write(daily + QLatin1Char('/') + QString::fromLatin1(uid) + QStringLiteral(".ics"),
                   event(uid, startLine(series.at(i)), "FREQ=DAILY")))
            return false;
    }
    int n = 0;
    for (const NeverMatchingRules::Rule& rule : NeverMatchingRules::kRules) {
        const QByteArray uid = "never-" + QByteArray::number(++n);
        if (!write(never + QLatin1Char('/') + QString::fromLatin1(uid) + QStringLiteral(".ics"),
                   event(uid, "DTSTART;TZID=Europe/Berlin:20260131T090000", rule.text)))
            return false;
    }
    return true;
}

} // namespace RecurringEvents

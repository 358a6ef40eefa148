#include "ReminderFields.h"

#include <QDebug>

using store::Alarm;
using store::DateComponents;
using store::OptionalDateComponents;
using store::Reminder;

namespace {

bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

bool sameDate(const OptionalDateComponents& a, const OptionalDateComponents& b)
{
    const bool aSet = a && a->isValid();
    const bool bSet = b && b->isValid();
    if (!aSet || !bSet)
        return aSet == bSet;
    return *a == *b;
}

bool sameAlarm(const Alarm& a, const Alarm& b)
{
    return sameSecond(a.absoluteDate, b.absoluteDate) &&
           a.hasRelativeOffset == b.hasRelativeOffset &&
           (!a.hasRelativeOffset || qRound64(a.relativeOffset) == qRound64(b.relativeOffset)) &&
           a.structuredLocation == b.structuredLocation && a.proximity == b.proximity &&
           (a.uid.isEmpty() || a.uid == b.uid);
}

bool sameAlarms(const QList<Alarm>& a, const QList<Alarm>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!sameAlarm(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

template <typename T> QString shown(const T& value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text.left(300);
}

QString shown(const OptionalDateComponents& value)
{
    if (!value)
        return QStringLiteral("none");
    return QStringLiteral("%1-%2-%3 %4:%5:%6 %7")
        .arg(value->year)
        .arg(value->month)
        .arg(value->day)
        .arg(value->hour)
        .arg(value->minute)
        .arg(value->second)
        .arg(QString::fromUtf8(value->timeZone.id()));
}

QString shown(const QList<Alarm>& alarms)
{
    QStringList parts;
    for (const Alarm& alarm : alarms) {
        parts << QStringLiteral("[%1 %2%3 %4 %5]")
                     .arg(alarm.absoluteDate.toString(Qt::ISODate))
                     .arg(alarm.hasRelativeOffset ? QStringLiteral("offset ") : QString())
                     .arg(alarm.relativeOffset)
                     .arg(alarm.structuredLocation ? alarm.structuredLocation->title
                                                   : QStringLiteral("no place"))
                     .arg(alarm.uid);
    }
    return parts.join(u' ');
}

QString shown(const QList<store::RecurrenceRule>& rules)
{
    QStringList parts;
    for (const store::RecurrenceRule& rule : rules) {
        QStringList end;
        if (rule.recurrenceEnd)
            end << rule.recurrenceEnd->endDate.toString(Qt::ISODate)
                << QString::number(rule.recurrenceEnd->occurrenceCount);
        QStringList days;
        for (const store::RecurrenceDayOfWeek& day : rule.daysOfTheWeek)
            days << QStringLiteral("%1/%2").arg(day.dayOfTheWeek).arg(day.weekNumber);
        const auto numbers = [](const QList<int>& list) {
            QStringList text;
            for (int number : list)
                text << QString::number(number);
            return text.join(u',');
        };
        parts << QStringLiteral("[freq %1 every %2 wkst %3 end %4 days %5 monthdays %6 months %7 "
                                "weeks %8 yeardays %9 positions %10]")
                     .arg(int(rule.frequency))
                     .arg(rule.interval)
                     .arg(rule.firstDayOfTheWeek)
                     .arg(end.join(u' '), days.join(u','), numbers(rule.daysOfTheMonth),
                          numbers(rule.monthsOfTheYear), numbers(rule.weeksOfTheYear),
                          numbers(rule.daysOfTheYear), numbers(rule.setPositions));
    }
    return parts.join(u' ');
}

} // namespace

namespace ReminderFields {

QStringList differences(const Reminder& a, const Reminder& b)
{
    QStringList found;
    const auto note = [&found](const char* field, const QString& left, const QString& right) {
        found << QStringLiteral("%1: %2 / %3").arg(QLatin1String(field), left, right);
    };
    if (a.uid != b.uid)
        note("uid", shown(a.uid), shown(b.uid));
    if (a.title != b.title)
        note("title", shown(a.title), shown(b.title));
    if (a.notes != b.notes)
        note("notes", shown(a.notes), shown(b.notes));
    if (a.URL != b.URL)
        note("URL", shown(a.URL), shown(b.URL));
    if (a.priority != b.priority)
        note("priority", QString::number(a.priority), QString::number(b.priority));
    if (a.completed != b.completed)
        note("completed", shown(a.completed), shown(b.completed));
    if (!sameSecond(a.completionDate, b.completionDate))
        note("completion date", shown(a.completionDate), shown(b.completionDate));
    if (!sameDate(a.dueDateComponents, b.dueDateComponents))
        note("due", shown(a.dueDateComponents), shown(b.dueDateComponents));
    if (!sameDate(a.startDateComponents, b.startDateComponents))
        note("start", shown(a.startDateComponents), shown(b.startDateComponents));
    if (!sameSecond(a.creationDate, b.creationDate))
        note("creation date", shown(a.creationDate), shown(b.creationDate));
    if (!sameAlarms(a.alarms, b.alarms))
        note("alarms", shown(a.alarms.list()), shown(b.alarms.list()));
    if (a.recurrenceRules != b.recurrenceRules)
        note("rules", shown(a.recurrenceRules.list()), shown(b.recurrenceRules.list()));
    return found;
}

} // namespace ReminderFields

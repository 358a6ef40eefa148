#include "platform/store/DateComponents.h"

namespace store {

QDateTime DateComponents::toDateTime() const
{
    if (!isValid())
        return {};
    const QTime time(hour, minute, second);
    if (timeZone.isValid())
        return QDateTime(date(), time, timeZone).toLocalTime();
    return QDateTime(date(), time);
}

DateComponents DateComponents::fromDateTime(const QDateTime& dateTime, bool withTimeZone)
{
    DateComponents components;
    if (!dateTime.isValid())
        return components;
    const QDateTime local = dateTime.toLocalTime();
    components.year = local.date().year();
    components.month = local.date().month();
    components.day = local.date().day();
    components.hour = local.time().hour();
    components.minute = local.time().minute();
    components.second = local.time().second();
    if (components.hour == 0 && components.minute == 0) {
        components.second = 0;
        return components;
    }
    if (withTimeZone)
        components.timeZone = QTimeZone::systemTimeZone();
    return components;
}

DateComponents DateComponents::fromDate(const QDate& date)
{
    DateComponents components;
    components.year = date.year();
    components.month = date.month();
    components.day = date.day();
    return components;
}

bool DateComponents::operator==(const DateComponents& other) const
{
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second && timeZone.id() == other.timeZone.id();
}

} // namespace store

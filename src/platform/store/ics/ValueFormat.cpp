#include "platform/store/ics/ValueFormat.h"

#include <QLocale>

namespace store::ics {

namespace {

void appendDigits(QByteArray& out, int value, int width)
{
    char digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = char('0' + value % 10);
        value /= 10;
    }
    out.append(digits, width);
}

} // namespace

QByteArray formatDate(const QDate& date)
{
    QByteArray out;
    out.reserve(8);
    appendDigits(out, date.year(), 4);
    appendDigits(out, date.month(), 2);
    appendDigits(out, date.day(), 2);
    return out;
}

QByteArray formatWallTime(const QDate& date, const QTime& time)
{
    QByteArray out = formatDate(date);
    out += 'T';
    appendDigits(out, time.hour(), 2);
    appendDigits(out, time.minute(), 2);
    appendDigits(out, time.second(), 2);
    return out;
}

QByteArray formatUtc(const QDateTime& instant)
{
    const QDateTime utc = instant.toUTC();
    return formatWallTime(utc.date(), utc.time()) + 'Z';
}

QByteArray formatNumber(double value)
{
    QByteArray text = QByteArray::number(value, 'f', QLocale::FloatingPointShortest);
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace store::ics

#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>

namespace store::ics {

// Values as this program writes them.
QByteArray formatUtc(const QDateTime& instant);                  // 20261206T083000Z
QByteArray formatDate(const QDate& date);                        // 20261206
QByteArray formatWallTime(const QDate& date, const QTime& time); // 20261206T093000
// The shortest text that reads back as the same number, never in exponent form.
QByteArray formatNumber(double value);

} // namespace store::ics

#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

// The due date texts other programs hand in with the "add" command. Four shapes are told apart
// by how many pieces the text has when split at "-" and at ":":
//   "HH:mm"             today at that time, or tomorrow when that moment is not later than now;
//   "MM-dd"             that day this year at the preset time, or next year's when it has passed
//                       and is not today (at most 5 characters);
//   "MM-dd HH:mm"       that moment this year, or next year's when it is not later than now;
//   "yyyy-MM-dd"        that day at the preset time;
//   "yyyy-MM-dd HH:mm"  that moment.
// Every field is read strictly: four-digit years, months and days and hours of one or two
// digits, minutes of two, nothing else in the text but one run of spaces between date and time.
// A text that does not read as a real date and time gives no due date (an invalid QDateTime),
// never a guessed one. A time the spring change skips reads as the first time after it that the
// clock shows ("2026-03-29 02:30" in Berlin is 03:00).
namespace DueString {

// `presetTime` is the time of day for the forms without one (midnight for "no time").
QDateTime calculateDueDateFromDueString(const QString& due, const QDateTime& now,
                                        const QTime& presetTime);

// Now plus a whole number of minutes (at most about a century), to the minute. Anything else,
// negative numbers included, gives no due date.
QDateTime calculateDueDateFromDueAfterString(const QString& dueAfter, const QDateTime& now);

} // namespace DueString

#pragma once

#include <QDateTime>
#include <QString>

class UserDefaults;

// The rules of the quick-add forms (the quick-add window and the tray panel's entry) that need
// no widget.
namespace QuickAddRules {

// The date the due-date control starts at when a date is chosen for it (a view's selected day,
// "No Due Date" tapped): a day without a time when "noDueTime" is on; today at the next full
// hour; any other day at the "alarmTime" of the preferences. Invalid for an invalid `date`.
QDateTime dueDateFor(const QDateTime& date, const QDateTime& now, const UserDefaults& defaults);

// A title as one line: line breaks, tabs and other control characters a paste brings along
// become spaces. Formatting characters (the marks right-to-left text needs) stay.
QString singleLineTitle(const QString& text);

} // namespace QuickAddRules

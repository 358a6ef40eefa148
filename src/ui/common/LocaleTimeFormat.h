#pragma once

#include <QLocale>
#include <QString>

// How a time editor shows a time of day: the locale's short time format (24-hour where the
// locale writes times so, with AM/PM where it does), in whole minutes.
QString localeTimeEditFormat(const QLocale& locale = QLocale());

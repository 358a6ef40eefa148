#include "entry/QuickAddRules.h"

#include "entry/SmartAddPatterns.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

namespace QuickAddRules {

QDateTime dueDateFor(const QDateTime& date, const QDateTime& now, const UserDefaults& defaults)
{
    if (!date.isValid())
        return {};
    const QDateTime local = date.toLocalTime();
    if (defaults.boolForKey(PrefKey::noDueTime))
        return local.date().startOfDay();
    if (local.date() == now.toLocalTime().date()) {
        // 14:23:10 becomes 15:00:00; counted in elapsed time, so an hour the clocks skip is
        // skipped here too.
        const QTime time = local.time();
        return local.addSecs(qint64(60 - time.minute()) * 60 - time.second())
            .addMSecs(-time.msec());
    }
    // The alarm time on the wall clock of that day, whatever its length.
    const QTime alarm =
        SmartAddPatterns::timeFrom24HourText(defaults.stringForKey(PrefKey::alarmTime))
            .value_or(QTime(0, 0));
    return QDateTime(local.date(), alarm);
}

QString singleLineTitle(const QString& text)
{
    QString line = text;
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line;
}

} // namespace QuickAddRules

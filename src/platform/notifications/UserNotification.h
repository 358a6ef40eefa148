#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantMap>

// One notification of the notification centre: what it shows, when it is due, how often it
// comes back and what it carries back to the application when the user acts on it.
struct UserNotification
{
    enum class RepeatInterval { None, Day, Week, Month };
    enum class ActivationType { None, ContentsClicked, ActionButtonClicked };

    // Given by the centre when the notification is scheduled; every delivery of it gets an
    // identifier of its own, so that removing one delivered copy leaves the others.
    QString identifier;
    QString title;
    QString informativeText;
    // The one button besides a click on the notification itself; none when empty.
    QString actionButtonTitle;
    // Local time: the notification follows the system's time zone.
    QDateTime deliveryDate;
    RepeatInterval deliveryRepeatInterval = RepeatInterval::None;
    // A sound theme name (freedesktop sound naming); none when empty.
    QString soundName;
    QVariantMap userInfo;

    // Filled in by the centre.
    QDateTime actualDeliveryDate;
    ActivationType activationType = ActivationType::None;

    // The occurrence `steps` intervals after `anchor`. Counted from the anchor every time, so
    // that a monthly notification on the 31st comes back on the 31st after a short month, and
    // by calendar so that the time of day survives daylight-saving changes.
    static QDateTime repeatDate(const QDateTime& anchor, RepeatInterval interval, int steps)
    {
        switch (interval) {
        case RepeatInterval::Day:
            return anchor.addDays(steps);
        case RepeatInterval::Week:
            return anchor.addDays(qint64(steps) * 7);
        case RepeatInterval::Month:
            return anchor.addMonths(steps);
        case RepeatInterval::None:
            break;
        }
        return anchor;
    }
};

#pragma once

#include "platform/notifications/UserNotification.h"

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QTimer>

class Clock;
class NotificationServerClient;
class UserNotificationCenter;

// Who hears about notifications the user acted on.
class UserNotificationCenterDelegate
{
public:
    virtual ~UserNotificationCenterDelegate() = default;
    // The notification carries how it was activated (activationType).
    virtual void didActivateNotification(UserNotificationCenter& center,
                                         const UserNotification& notification) = 0;
    // Asked at each delivery; a notification not presented still counts as delivered.
    virtual bool shouldPresentNotification(UserNotificationCenter& /*center*/,
                                           const UserNotification& /*notification*/)
    {
        return true;
    }
};

// The application's local notifications: a schedule of notifications with delivery dates and
// repeat intervals, delivered when due through the desktop's notification service, and the
// list of delivered ones the user has not dismissed yet.
//
// One timer is aimed at the next delivery date, but never further than a minute ahead: timers
// do not run while the machine sleeps, so each time it fires the centre compares the wall
// clock with the schedule. Everything that came due since the last look is delivered once,
// however long the sleep; a repeating notification is delivered once for the dates it missed
// and moves on to its next date in the future.
class UserNotificationCenter : public QObject
{
    Q_OBJECT

public:
    // The longest the timer waits before looking at the clock again.
    static constexpr int kLongestWaitMs = 60 * 1000;

    // The application's centre over the session bus and the system clock; created on first
    // use, never destroyed.
    static UserNotificationCenter& defaultUserNotificationCenter();

    explicit UserNotificationCenter(Clock& clock,
                                    QDBusConnection connection = QDBusConnection::sessionBus(),
                                    QObject* parent = nullptr);
    ~UserNotificationCenter() override;

    UserNotificationCenterDelegate* delegate() const { return m_delegate; }
    void setDelegate(UserNotificationCenterDelegate* delegate) { m_delegate = delegate; }

    // The pending notifications, each with its next delivery date.
    QList<UserNotification> scheduledNotifications() const;
    // Replaces the whole schedule. Whatever the old schedule had due by now is delivered
    // first; a new notification whose date has already passed is dropped (a repeating one
    // moves on to its next date), so rebuilding the schedule never repeats an announcement.
    // Notifications without a valid delivery date are dropped.
    void setScheduledNotifications(const QList<UserNotification>& notifications);

    QList<UserNotification> deliveredNotifications() const;
    // Removes the delivered notification with that identifier and closes it on the desktop.
    void removeDeliveredNotification(const UserNotification& notification);
    void removeAllDeliveredNotifications();

    // Delivers what has come due since the last look and aims the timer at what comes next.
    // The timer calls it; so may whoever knows the clock has jumped.
    void deliverDueNotifications();
    // When the timer looks next; invalid while nothing is scheduled.
    QDateTime nextCheckDate() const { return m_nextCheck; }

Q_SIGNALS:
    void notificationDelivered(const UserNotification& notification);

private:
    struct Scheduled
    {
        UserNotification notification;
        QDateTime anchor;
        int steps = 0;
    };
    struct Delivered
    {
        UserNotification notification;
        quint64 ticket = 0;
        quint32 serverId = 0;
    };

    void deliver(const UserNotification& notification, const QDateTime& now);
    // Moves a repeating notification to its first date after `moment`; false when it does not
    // repeat.
    static bool advancePast(Scheduled& entry, const QDateTime& moment);
    void armTimer(const QDateTime& now);
    void shown(quint64 ticket, quint32 serverId);
    void failed(quint64 ticket);
    void actionInvoked(quint32 serverId, const QString& actionKey);
    void notificationClosed(quint32 serverId);
    qsizetype deliveredIndexOfServerId(quint32 serverId) const;

    Clock& m_clock;
    NotificationServerClient* m_server;
    UserNotificationCenterDelegate* m_delegate = nullptr;
    QList<Scheduled> m_scheduled;
    QList<Delivered> m_delivered;
    // Everything due up to here has been delivered or was already past when scheduled.
    QDateTime m_checkedUntil;
    QDateTime m_nextCheck;
    quint64 m_nextTicket = 1;
    QTimer m_timer;
};

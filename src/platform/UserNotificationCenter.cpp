#include "platform/UserNotificationCenter.h"

#include "platform/ActivationToken.h"
#include "platform/Clock.h"
#include "platform/notifications/NotificationServerClient.h"

#include <QUuid>

#include <algorithm>
#include <utility>

namespace {

QString newIdentifier()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

UserNotificationCenter& UserNotificationCenter::defaultUserNotificationCenter()
{
    static UserNotificationCenter* center = new UserNotificationCenter(Clock::system());
    return *center;
}

UserNotificationCenter::UserNotificationCenter(Clock& clock, QDBusConnection connection,
                                               QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_server(new NotificationServerClient(std::move(connection), this))
    , m_checkedUntil(clock.now())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &UserNotificationCenter::deliverDueNotifications);
    connect(m_server, &NotificationServerClient::shown, this, &UserNotificationCenter::shown);
    connect(m_server, &NotificationServerClient::failed, this, &UserNotificationCenter::failed);
    connect(m_server, &NotificationServerClient::actionInvoked, this,
            &UserNotificationCenter::actionInvoked);
    connect(m_server, &NotificationServerClient::activationToken, this,
            [this](quint32 serverId, const QString& token) {
                // Another application's token is not ours to spend.
                if (deliveredIndexOfServerId(serverId) >= 0)
                    ActivationToken::offer(token);
            });
    connect(m_server, &NotificationServerClient::notificationClosed, this,
            [this](quint32 serverId, quint32) { notificationClosed(serverId); });
}

UserNotificationCenter::~UserNotificationCenter() = default;

QList<UserNotification> UserNotificationCenter::scheduledNotifications() const
{
    QList<UserNotification> notifications;
    notifications.reserve(m_scheduled.size());
    for (const Scheduled& entry : m_scheduled)
        notifications.append(entry.notification);
    return notifications;
}

void UserNotificationCenter::setScheduledNotifications(const QList<UserNotification>& notifications)
{
    deliverDueNotifications();
    m_scheduled.clear();
    for (const UserNotification& notification : notifications) {
        if (!notification.deliveryDate.isValid())
            continue;
        Scheduled entry{notification, notification.deliveryDate, 0};
        if (entry.notification.identifier.isEmpty())
            entry.notification.identifier = newIdentifier();
        if (entry.anchor <= m_checkedUntil && !advancePast(entry, m_checkedUntil))
            continue;
        m_scheduled.append(entry);
    }
    armTimer(m_clock.now());
}

void UserNotificationCenter::deliverDueNotifications()
{
    const QDateTime now = m_clock.now();
    QList<UserNotification> due;
    for (qsizetype i = 0; i < m_scheduled.size();) {
        Scheduled& entry = m_scheduled[i];
        if (entry.notification.deliveryDate > now) {
            ++i;
            continue;
        }
        due.append(entry.notification);
        if (advancePast(entry, now))
            ++i;
        else
            m_scheduled.removeAt(i);
    }
    // Also after a clock set back: the dates in between come due again.
    m_checkedUntil = now;
    std::stable_sort(due.begin(), due.end(),
                     [](const UserNotification& a, const UserNotification& b) {
                         return a.deliveryDate < b.deliveryDate;
                     });
    for (const UserNotification& notification : std::as_const(due))
        deliver(notification, now);
    armTimer(now);
}

bool UserNotificationCenter::advancePast(Scheduled& entry, const QDateTime& moment)
{
    const UserNotification::RepeatInterval interval = entry.notification.deliveryRepeatInterval;
    if (interval == UserNotification::RepeatInterval::None)
        return false;
    // Jump close to the moment first, so that a long sleep does not walk every missed day.
    const qint64 days = entry.anchor.date().daysTo(moment.date());
    int estimate = 0;
    if (interval == UserNotification::RepeatInterval::Day)
        estimate = int(days) - 1;
    else if (interval == UserNotification::RepeatInterval::Week)
        estimate = int(days / 7) - 1;
    else
        estimate = int(days / 31) - 1;
    entry.steps = std::max(entry.steps, estimate);
    QDateTime next = UserNotification::repeatDate(entry.anchor, interval, entry.steps);
    while (next <= moment) {
        ++entry.steps;
        next = UserNotification::repeatDate(entry.anchor, interval, entry.steps);
    }
    entry.notification.deliveryDate = next;
    return true;
}

void UserNotificationCenter::deliver(const UserNotification& notification, const QDateTime& now)
{
    Delivered record{notification, m_nextTicket++, 0};
    record.notification.identifier = newIdentifier();
    record.notification.actualDeliveryDate = now;
    const bool present =
        !m_delegate || m_delegate->shouldPresentNotification(*this, record.notification);
    m_delivered.append(record);
    if (present)
        m_server->notify(record.ticket, record.notification);
    Q_EMIT notificationDelivered(record.notification);
}

void UserNotificationCenter::armTimer(const QDateTime& now)
{
    if (m_scheduled.isEmpty()) {
        m_timer.stop();
        m_nextCheck = QDateTime();
        return;
    }
    QDateTime next = m_scheduled.first().notification.deliveryDate;
    for (const Scheduled& entry : std::as_const(m_scheduled))
        next = std::min(next, entry.notification.deliveryDate);
    const qint64 wait = std::clamp<qint64>(now.msecsTo(next), 0, kLongestWaitMs);
    m_nextCheck = now.addMSecs(wait);
    m_timer.start(int(wait));
}

QList<UserNotification> UserNotificationCenter::deliveredNotifications() const
{
    QList<UserNotification> notifications;
    notifications.reserve(m_delivered.size());
    for (const Delivered& record : m_delivered)
        notifications.append(record.notification);
    return notifications;
}

void UserNotificationCenter::removeDeliveredNotification(const UserNotification& notification)
{
    for (qsizetype i = 0; i < m_delivered.size(); ++i) {
        if (m_delivered[i].notification.identifier == notification.identifier) {
            // Still on its way to the service: closed once its identifier is known.
            m_server->closeNotification(m_delivered[i].serverId);
            m_delivered.removeAt(i);
            return;
        }
    }
}

void UserNotificationCenter::removeAllDeliveredNotifications()
{
    const QList<Delivered> delivered = std::exchange(m_delivered, {});
    for (const Delivered& record : delivered)
        m_server->closeNotification(record.serverId);
}

void UserNotificationCenter::shown(quint64 ticket, quint32 serverId)
{
    for (Delivered& record : m_delivered) {
        if (record.ticket == ticket) {
            record.serverId = serverId;
            return;
        }
    }
    // Removed while the service was still putting it up.
    m_server->closeNotification(serverId);
}

void UserNotificationCenter::failed(quint64 ticket)
{
    // Never shown, so nothing the user could act on.
    m_delivered.removeIf([ticket](const Delivered& record) { return record.ticket == ticket; });
}

qsizetype UserNotificationCenter::deliveredIndexOfServerId(quint32 serverId) const
{
    for (qsizetype i = 0; i < m_delivered.size(); ++i) {
        if (m_delivered[i].serverId == serverId && serverId != 0)
            return i;
    }
    return -1;
}

void UserNotificationCenter::actionInvoked(quint32 serverId, const QString& actionKey)
{
    // Services broadcast their signals; identifiers of other applications' notifications are
    // not ours to answer.
    const qsizetype index = deliveredIndexOfServerId(serverId);
    if (index < 0)
        return;
    UserNotification activated = m_delivered[index].notification;
    if (actionKey == QLatin1StringView(NotificationServerClient::kDefaultAction))
        activated.activationType = UserNotification::ActivationType::ContentsClicked;
    else if (actionKey == QLatin1StringView(NotificationServerClient::kButtonAction) &&
             !activated.actionButtonTitle.isEmpty())
        activated.activationType = UserNotification::ActivationType::ActionButtonClicked;
    else
        return;
    if (m_delegate)
        m_delegate->didActivateNotification(*this, activated);
}

void UserNotificationCenter::notificationClosed(quint32 serverId)
{
    // The service forgets a closed notification, so it can no longer be acted on.
    const qsizetype index = deliveredIndexOfServerId(serverId);
    if (index >= 0)
        m_delivered.removeAt(index);
}

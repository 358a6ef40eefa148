#pragma once

#include "platform/notifications/UserNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <optional>

// The freedesktop notification service (org.freedesktop.Notifications) as the notification
// centre uses it: Notify and CloseNotification calls, and the ActionInvoked, ActivationToken and
// NotificationClosed signals that tell how the user answered. Calls never block. A service
// that is missing or answers with an error leaves the application working and is logged
// once per outage; signals that do not have the documented argument types are dropped.
class NotificationServerClient : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kInterface = "org.freedesktop.Notifications";
    // The action keys: "default" is what servers send for a click on the notification itself.
    static constexpr const char* kDefaultAction = "default";
    static constexpr const char* kButtonAction = "snooze";
    static constexpr const char* kApplicationName = "Velmoran";
    static constexpr const char* kDesktopEntry = "velmoran";

    explicit NotificationServerClient(QDBusConnection connection, QObject* parent = nullptr);

    // Asks the service to show the notification; `shown` or `failed` follows later with the
    // same ticket, never before this returns.
    void notify(quint64 ticket, const UserNotification& notification);
    void closeNotification(quint32 serverId);

    // The Notify call as it goes on the bus.
    QDBusMessage notifyMessage(const UserNotification& notification) const;
    // Whether failures have been logged since the service last answered.
    bool failureReported() const { return m_failureReported; }
    // Whether the service reads markup in the body; unknown until it has shown something.
    std::optional<bool> bodyMarkup() const { return m_bodyMarkup; }

Q_SIGNALS:
    void shown(quint64 ticket, quint32 serverId);
    void failed(quint64 ticket);
    void actionInvoked(quint32 serverId, const QString& actionKey);
    // The token that lets the window the following action shows take the focus.
    void activationToken(quint32 serverId, const QString& token);
    void notificationClosed(quint32 serverId, quint32 reason);

private Q_SLOTS:
    void onActionInvoked(const QDBusMessage& message);
    void onNotificationClosed(const QDBusMessage& message);
    void onActivationToken(const QDBusMessage& message);

private:
    void requestCapabilities();
    void reportFailure(const QString& reason);
    void finishNotify(quint64 ticket, const QDBusMessage& reply);

    QDBusConnection m_connection;
    bool m_failureReported = false;
    // Unknown until the service said; until then the body is escaped, as most services read
    // markup and a task title with "<" or "&" would otherwise be mangled or dropped.
    std::optional<bool> m_bodyMarkup;
    bool m_capabilitiesRequested = false;
};

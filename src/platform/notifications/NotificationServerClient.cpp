#include "platform/notifications/NotificationServerClient.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>
#include <QMetaType>
#include <QStringList>

Q_LOGGING_CATEGORY(lcNotifications, "velmoran.notifications")

namespace {

// A service that is activated on demand may take a moment; one that takes longer than this
// is as good as absent.
constexpr int kCallTimeoutMs = 10000;

bool hasType(const QVariant& value, int type)
{
    return value.metaType().id() == type;
}

} // namespace

NotificationServerClient::NotificationServerClient(QDBusConnection connection, QObject* parent)
    : QObject(parent)
    , m_connection(std::move(connection))
{
    if (!m_connection.isConnected())
        return;
    // QtDBus offers only the string form for bus signals. Binding to the well-known name makes
    // the bus deliver only what the service's current owner sends; the slots take the raw
    // message so that arguments of the wrong type can be refused instead of crashing a cast.
    const QString service = QString::fromLatin1(kService);
    const QString path = QString::fromLatin1(kPath);
    const QString interface = QString::fromLatin1(kInterface);
    m_connection.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(QDBusMessage)));
    m_connection.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onNotificationClosed(QDBusMessage)));
    // Sent just before ActionInvoked by servers that let the clicked application take the focus.
    m_connection.connect(service, path, interface, QStringLiteral("ActivationToken"), this,
                         SLOT(onActivationToken(QDBusMessage)));
}

QDBusMessage NotificationServerClient::notifyMessage(const UserNotification& notification) const
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    QStringList actions{QString::fromLatin1(kDefaultAction), QString()};
    if (!notification.actionButtonTitle.isEmpty())
        actions << QString::fromLatin1(kButtonAction) << notification.actionButtonTitle;

    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    if (!notification.soundName.isEmpty())
        hints.insert(QStringLiteral("sound-name"), notification.soundName);

    const bool escape = m_bodyMarkup.value_or(true);
    const QString body =
        escape ? notification.informativeText.toHtmlEscaped() : notification.informativeText;
    message << QString::fromLatin1(kApplicationName) << quint32(0)
            << QString::fromLatin1(kDesktopEntry) << notification.title << body << actions << hints
            << qint32(-1);
    return message;
}

void NotificationServerClient::notify(quint64 ticket, const UserNotification& notification)
{
    if (!m_connection.isConnected()) {
        reportFailure(QStringLiteral("there is no session bus"));
        QMetaObject::invokeMethod(
            this, [this, ticket] { Q_EMIT failed(ticket); }, Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        m_connection.asyncCall(notifyMessage(notification), kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, ticket](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                finishNotify(ticket, call->reply());
            });
}

void NotificationServerClient::finishNotify(quint64 ticket, const QDBusMessage& reply)
{
    if (reply.type() == QDBusMessage::ErrorMessage) {
        reportFailure(reply.errorName() + QStringLiteral(": ") + reply.errorMessage());
        Q_EMIT failed(ticket);
        return;
    }
    const QVariantList arguments = reply.arguments();
    const quint32 serverId =
        arguments.size() == 1 && hasType(arguments[0], QMetaType::UInt) ? arguments[0].toUInt() : 0;
    // Zero is never a notification's identifier; a reply without one cannot be told apart.
    if (serverId == 0) {
        reportFailure(
            QStringLiteral("the service answered Notify with \"%1\"").arg(reply.signature()));
        Q_EMIT failed(ticket);
        return;
    }
    m_failureReported = false;
    if (!m_bodyMarkup && !m_capabilitiesRequested)
        requestCapabilities();
    Q_EMIT shown(ticket, serverId);
}

void NotificationServerClient::closeNotification(quint32 serverId)
{
    if (serverId == 0 || !m_connection.isConnected())
        return;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("CloseNotification"));
    message << serverId;
    // A notification the user already closed answers with an error; that is expected and says
    // nothing about the service.
    auto* watcher =
        new QDBusPendingCallWatcher(m_connection.asyncCall(message, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            &QDBusPendingCallWatcher::deleteLater);
}

void NotificationServerClient::requestCapabilities()
{
    m_capabilitiesRequested = true;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("GetCapabilities"));
    auto* watcher =
        new QDBusPendingCallWatcher(m_connection.asyncCall(message, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusMessage reply = call->reply();
                const QVariantList arguments = reply.arguments();
                if (reply.type() != QDBusMessage::ReplyMessage || arguments.size() != 1 ||
                    !hasType(arguments[0], QMetaType::QStringList)) {
                    m_capabilitiesRequested = false; // asked again after the next success
                    return;
                }
                m_bodyMarkup = arguments[0].toStringList().contains(QStringLiteral("body-markup"));
            });
}

void NotificationServerClient::reportFailure(const QString& reason)
{
    if (m_failureReported)
        return;
    m_failureReported = true;
    qCWarning(lcNotifications).noquote() << "Notifications cannot be shown:" << reason;
}

void NotificationServerClient::onActionInvoked(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 2 || !hasType(arguments[0], QMetaType::UInt) ||
        !hasType(arguments[1], QMetaType::QString))
        return;
    Q_EMIT actionInvoked(arguments[0].toUInt(), arguments[1].toString());
}

void NotificationServerClient::onActivationToken(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 2 || !hasType(arguments[0], QMetaType::UInt) ||
        !hasType(arguments[1], QMetaType::QString))
        return;
    Q_EMIT activationToken(arguments[0].toUInt(), arguments[1].toString());
}

void NotificationServerClient::onNotificationClosed(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 2 || !hasType(arguments[0], QMetaType::UInt) ||
        !hasType(arguments[1], QMetaType::UInt))
        return;
    Q_EMIT notificationClosed(arguments[0].toUInt(), arguments[1].toUInt());
}

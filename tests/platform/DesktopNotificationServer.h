#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QVariantMap>

// A notification service for the private session bus of a test: it owns
// org.freedesktop.Notifications on a connection of its own, answers the freedesktop interface
// as desktop services do, records what it was asked and sends the signals a user's clicks
// cause. It can also fail on purpose: answer Notify with an error or with a reply of the wrong
// type, or leave the bus.
class DesktopNotificationServer : public QDBusVirtualObject
{
public:
    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kInterface = "org.freedesktop.Notifications";

    enum class Mode { Normal, Error, WrongReply };

    struct NotifyCall
    {
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        quint32 id = 0; // what the service answered
    };

    explicit DesktopNotificationServer(const QString& connectionName = "notification-server")
        : m_connectionName(connectionName)
        , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName))
    {
        m_connection.registerVirtualObject(kPath, this);
    }

    ~DesktopNotificationServer() override
    {
        stop();
        m_connection.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus(m_connectionName);
    }

    bool start() { return m_connection.registerService(kService); }
    void stop() { m_connection.unregisterService(kService); }

    void setMode(Mode mode)
    {
        QMutexLocker lock(&m_mutex);
        m_mode = mode;
    }
    void setCapabilities(const QStringList& capabilities)
    {
        QMutexLocker lock(&m_mutex);
        m_capabilities = capabilities;
    }
    QList<NotifyCall> notifyCalls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_notifies;
    }
    QStringList summaries() const
    {
        QStringList titles;
        for (const NotifyCall& call : notifyCalls())
            titles << call.summary;
        return titles;
    }
    QList<quint32> closeCalls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_closes;
    }
    quint32 lastId() const
    {
        QMutexLocker lock(&m_mutex);
        return m_notifies.isEmpty() ? 0 : m_notifies.last().id;
    }

    // What the service sends when the user clicks the notification or one of its buttons. A
    // real service closes the notification afterwards.
    void invokeAction(quint32 id, const QString& key)
    {
        sendSignal("ActionInvoked", {QVariant::fromValue(id), key});
    }
    void closedByUser(quint32 id) { sendSignal("NotificationClosed", {id, quint32(2)}); }
    // Any signal of the interface, with whatever arguments.
    void sendSignal(const QString& name, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createSignal(kPath, kInterface, name);
        message.setArguments(arguments);
        m_connection.send(message);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != QLatin1String(kInterface))
            return false;
        const QString member = message.member();
        const QVariantList args = message.arguments();
        QMutexLocker lock(&m_mutex);
        if (member == "Notify" && message.signature() == "susssasa{sv}i") {
            if (m_mode == Mode::Error) {
                connection.send(message.createErrorReply(QDBusError::Failed, "the service broke"));
                return true;
            }
            NotifyCall call{args[3].toString(), args[4].toString(), args[5].toStringList(),
                            qdbus_cast<QVariantMap>(args[6]), m_nextId++};
            m_notifies << call;
            connection.send(m_mode == Mode::WrongReply
                                ? message.createReply(QStringLiteral("not a number"))
                                : message.createReply(QVariant::fromValue(call.id)));
            return true;
        }
        if (member == "CloseNotification" && message.signature() == "u") {
            const quint32 id = args[0].toUInt();
            m_closes << id;
            connection.send(message.createReply());
            lock.unlock();
            sendSignal("NotificationClosed", {QVariant::fromValue(id), quint32(3)});
            return true;
        }
        if (member == "GetCapabilities") {
            connection.send(message.createReply(m_capabilities));
            return true;
        }
        connection.send(message.createErrorReply(QDBusError::UnknownMethod, member));
        return true;
    }

private:
    QString m_connectionName;
    QDBusConnection m_connection;
    mutable QMutex m_mutex;
    Mode m_mode = Mode::Normal;
    QStringList m_capabilities{"actions", "body", "body-markup", "sound"};
    QList<NotifyCall> m_notifies;
    QList<quint32> m_closes;
    quint32 m_nextId = 1;
};

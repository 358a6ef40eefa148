#include "app/SingleInstance.h"

#include "app/ApplicationInterface.h"
#include "app/FreedesktopApplication.h"
#include "app/LaunchOptions.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include <cstdio>

namespace {

// The running instance answers at once (requests are queued there, not carried out); a
// longer wait means it hangs, and the desktop should not wait with it.
constexpr int kCallTimeoutMs = 10000;

void printError(const QString& message)
{
    std::fprintf(stderr, "velmoran: %s\n", qUtf8Printable(message));
}

} // namespace

SingleInstance::SingleInstance(QDBusConnection connection)
    : m_connection(std::move(connection))
{}

SingleInstance::Role SingleInstance::claim(ApplicationInterface* service)
{
    if (!m_connection.isConnected() || !m_connection.interface())
        return Role::Alone;
    const QString path = QString::fromLatin1(kObjectPath);
    if (!m_connection.registerObject(path, service,
                                     QDBusConnection::ExportScriptableSlots |
                                         QDBusConnection::ExportAdaptors))
        return Role::Alone;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(QString::fromLatin1(kServiceName),
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Role::Primary;
    m_connection.unregisterObject(path);
    if (!reply.isValid())
        return Role::Alone;
    return Role::Secondary;
}

int SingleInstance::handOver(const LaunchOptions& options, const std::optional<QString>& text,
                             const QVariantMap& platformData)
{
    const auto* application = FreedesktopApplication::kInterface;
    if (options.command)
        return call(application, QStringLiteral("ActivateAction"),
                    {ApplicationInterface::commandName(*options.command), QVariantList(),
                     platformData})
                   ? 0
                   : 1;
    bool delivered = true;
    if (!options.urls.isEmpty())
        delivered = call(application, QStringLiteral("Open"), {options.urls, platformData});
    if (text)
        delivered = call(kInterface, QStringLiteral("NewTaskFromText"), {*text}) && delivered;
    if (options.urls.isEmpty() && !text)
        delivered = call(application, QStringLiteral("Activate"), {platformData});
    return delivered ? 0 : 1;
}

bool SingleInstance::call(const char* interface, const QString& method,
                          const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(kServiceName),
                                                          QString::fromLatin1(kObjectPath),
                                                          QString::fromLatin1(interface), method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_connection.call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        printError(QCoreApplication::translate("velmoran", "the running instance refused "
                                                           "the request: %1")
                       .arg(reply.errorMessage()));
        return false;
    }
    return true;
}

#include "hotkeys/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <utility>

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kResponse = QStringLiteral("Response");

// The portal names a request object after the caller's unique bus name (":1.42" → "1_42").
QString requestPath(const QDBusConnection& bus, const QString& token)
{
    QString sender = bus.baseService();
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

// Unique in the process: several requests may be on their way at once.
QString nextHandleToken()
{
    static quint32 lastRequest = 0;
    return QStringLiteral("velmoran%1").arg(++lastRequest);
}

} // namespace

PortalRequest::PortalRequest(QDBusConnection bus, QString interface, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_interface(std::move(interface))
    , m_handleToken(nextHandleToken())
    , m_path(requestPath(m_bus, m_handleToken))
{
    m_bus.connect(kPortalService, m_path, kRequestInterface, kResponse, this,
                  SLOT(onResponse(QDBusMessage)));
}

PortalRequest::~PortalRequest()
{
    m_bus.disconnect(kPortalService, m_path, kRequestInterface, kResponse, this,
                     SLOT(onResponse(QDBusMessage)));
}

void PortalRequest::send(const QString& method, QVariantList arguments, int timeoutMs,
                         Answer onAnswer)
{
    m_answer = std::move(onAnswer);
    QVariantMap options = arguments.isEmpty() ? QVariantMap() : arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), m_handleToken);
    arguments << options;
    // A portal that takes the call but never answers (a back end that failed half way) would
    // otherwise leave its caller waiting for good.
    QTimer::singleShot(timeoutMs, this,
                       [this] { answer(2, {}, QStringLiteral("the desktop did not answer")); });
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, m_interface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError())
                    answer(2, {}, reply.error().message());
            });
}

void PortalRequest::onResponse(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2)
        return;
    answer(arguments.at(0).toUInt(), qdbus_cast<QVariantMap>(arguments.at(1)), {});
}

void PortalRequest::answer(uint code, const QVariantMap& results, const QString& error)
{
    if (Answer pending = std::exchange(m_answer, nullptr))
        pending(code, results, error);
}

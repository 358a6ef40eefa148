#include "hotkeys/PortalShortcutSession.h"

#include "hotkeys/HotKeyLogging.h"
#include "hotkeys/PortalRequest.h"

#include <QCryptographicHash>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>

namespace {

const QString kPortalService = PortalRequest::kPortalService;
const QString kPortalPath = PortalRequest::kPortalPath;
const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// One entry of the portal's a(sa{sv}) shortcut lists.
struct ShortcutEntry
{
    QString id;
    QVariantMap properties;
};
using ShortcutEntries = QList<ShortcutEntry>;

} // namespace

Q_DECLARE_METATYPE(ShortcutEntry)

namespace {

QDBusArgument& operator<<(QDBusArgument& argument, const ShortcutEntry& entry)
{
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ShortcutEntry& entry)
{
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<ShortcutEntry>();
        qDBusRegisterMetaType<ShortcutEntries>();
        return true;
    }();
    Q_UNUSED(registered);
}

ShortcutEntries entriesFrom(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<ShortcutEntries>(value.value<QDBusArgument>());
    return value.value<ShortcutEntries>();
}

QString pathFrom(const QVariant& value)
{
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

// The desktop files a session's shortcuts under its token and keeps the keys it bound there,
// also after the session is closed: a session of the same token gets those keys again, not the
// ones it asks for. So each set of wanted keys has a token of its own: asking for other keys
// gets them, and asking for the same keys again keeps what the user may have chosen instead
// in the desktop's settings.
QString tokenFor(const QString& base, const QList<PortalShortcut>& shortcuts)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const PortalShortcut& shortcut : shortcuts) {
        hash.addData(shortcut.id.toUtf8());
        hash.addData(QByteArrayView("\n", 1));
        hash.addData(shortcut.preferredTrigger.toUtf8());
        hash.addData(QByteArrayView("\n", 1));
    }
    return base + QLatin1Char('_') + QString::fromLatin1(hash.result().toHex().left(12));
}

} // namespace

PortalShortcutSession::PortalShortcutSession(QDBusConnection bus, const QString& sessionToken,
                                             QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_tokenBase(sessionToken)
{
    registerTypes();
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"),
                  this, SLOT(onActivated(QDBusMessage)));
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface,
                  QStringLiteral("ShortcutsChanged"), this, SLOT(onShortcutsChanged(QDBusMessage)));
}

PortalShortcutSession::~PortalShortcutSession()
{
    closeSession();
}

bool PortalShortcutSession::isOffered(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get.setArguments({kShortcutsInterface, QStringLiteral("version")});
    // The portal may have to be started by the bus first.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt() >= 1;
}

void PortalShortcutSession::bind(const QList<PortalShortcut>& shortcuts)
{
    m_wanted = shortcuts;
    if (m_request) {
        m_bindPending = true;
        return;
    }
    closeSession();
    m_bound.clear();
    m_failure.clear();
    if (m_wanted.isEmpty()) {
        setStatus(Status::Closed);
        return;
    }
    createSession();
}

PortalRequest* PortalShortcutSession::startRequest(const QString& method,
                                                   const QVariantList& arguments,
                                                   QVariantMap options)
{
    m_request = new PortalRequest(m_bus, kShortcutsInterface, this);
    QVariantList all = arguments;
    all << options;
    PortalRequest* request = m_request;
    request->send(
        method, all, m_answerTimeoutMs,
        [this, request, method](uint code, const QVariantMap& results, const QString& error) {
            request->deleteLater();
            if (m_request == request)
                m_request = nullptr;
            // A session made while other keys were asked for is still ours to close.
            if (code == 0 && method == QLatin1String("CreateSession"))
                m_sessionHandle = pathFrom(results.value(QStringLiteral("session_handle")));
            if (runPendingBind())
                return;
            if (code != 0) {
                fail(error.isEmpty() ? QStringLiteral("%1 was %2")
                                           .arg(method, code == 1 ? QStringLiteral("cancelled")
                                                                  : QStringLiteral("refused"))
                                     : error);
                return;
            }
            if (method == QLatin1String("CreateSession"))
                sessionCreated(results);
            else
                takeShortcuts(results.value(QStringLiteral("shortcuts")));
        });
    return request;
}

bool PortalShortcutSession::runPendingBind()
{
    if (!m_bindPending)
        return false;
    m_bindPending = false;
    bind(m_wanted);
    return true;
}

void PortalShortcutSession::createSession()
{
    ShortcutEntries entries;
    for (const PortalShortcut& shortcut : std::as_const(m_wanted)) {
        QVariantMap properties{{QStringLiteral("description"), shortcut.description}};
        if (!shortcut.preferredTrigger.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), shortcut.preferredTrigger);
        entries.append({shortcut.id, properties});
    }
    m_sessionToken = tokenFor(m_tokenBase, m_wanted);
    setStatus(Status::Binding);
    startRequest(QStringLiteral("CreateSession"), {},
                 {{QStringLiteral("session_handle_token"), m_sessionToken},
                  {QStringLiteral("shortcuts"), QVariant::fromValue(entries)}});
}

void PortalShortcutSession::sessionCreated(const QVariantMap& results)
{
    if (m_sessionHandle.isEmpty()) {
        fail(QStringLiteral("CreateSession answered without a session"));
        return;
    }
    // Desktops that bind the shortcuts of CreateSession say so in its answer; others are asked.
    if (results.contains(QStringLiteral("shortcuts")))
        takeShortcuts(results.value(QStringLiteral("shortcuts")));
    else
        listShortcuts();
}

void PortalShortcutSession::listShortcuts()
{
    startRequest(QStringLiteral("ListShortcuts"),
                 {QVariant::fromValue(QDBusObjectPath(m_sessionHandle))}, {});
}

void PortalShortcutSession::takeShortcuts(const QVariant& shortcuts)
{
    QMap<QString, QString> bound;
    for (const PortalShortcut& shortcut : std::as_const(m_wanted))
        bound.insert(shortcut.id, QString());
    for (const ShortcutEntry& entry : entriesFrom(shortcuts)) {
        if (bound.contains(entry.id))
            bound.insert(entry.id,
                         entry.properties.value(QStringLiteral("trigger_description")).toString());
    }
    m_bound = bound;
    m_failure.clear();
    m_status = Status::Bound;
    Q_EMIT changed();
}

void PortalShortcutSession::closeSession()
{
    if (m_sessionHandle.isEmpty())
        return;
    // Nothing to wait for: the portal handles the calls of one client in order, so a session
    // created next under the same token comes after this one is gone.
    m_bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, m_sessionHandle,
                                                   kSessionInterface, QStringLiteral("Close")));
    m_sessionHandle.clear();
}

void PortalShortcutSession::fail(const QString& reason)
{
    qCWarning(lcHotKeys).noquote() << "The desktop did not bind the global shortcuts:" << reason;
    closeSession();
    m_bound.clear();
    m_failure = reason;
    m_status = Status::Failed;
    Q_EMIT changed();
}

void PortalShortcutSession::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT changed();
}

void PortalShortcutSession::onActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || m_sessionHandle.isEmpty() ||
        pathFrom(arguments.at(0)) != m_sessionHandle)
        return;
    Q_EMIT activated(arguments.at(1).toString());
}

void PortalShortcutSession::onShortcutsChanged(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || m_sessionHandle.isEmpty() ||
        pathFrom(arguments.at(0)) != m_sessionHandle)
        return;
    takeShortcuts(arguments.at(1));
}

#include "platform/KWinPanelRule.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr const char* kService = "org.kde.KWin";
// KWin answers at once; a compositor that does not should not hold the panel back long.
constexpr int kCallTimeoutMs = 2000;

QDBusMessage scriptingCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QStringLiteral("/Scripting"),
                                       QStringLiteral("org.kde.kwin.Scripting"), method);
    message.setArguments(arguments);
    return message;
}

// A string as a JavaScript literal.
QString literal(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

KWinPanelRule::KWinPanelRule(QDBusConnection connection)
    : m_connection(std::move(connection))
{}

KWinPanelRule::~KWinPanelRule()
{
    if (!m_pluginName.isEmpty())
        m_connection.call(scriptingCall(QStringLiteral("unloadScript"), {m_pluginName}),
                          QDBus::NoBlock);
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

QString KWinPanelRule::scriptText(qint64 pid, const QString& title)
{
    return QStringLiteral(R"(function apply(client) {
    if (client.pid != %1 || client.caption.indexOf(%2) != 0)
        return;
    client.skipTaskbar = true;
    client.skipPager = true;
    client.skipSwitcher = true;
    client.keepAbove = true;
    var area = workspace.clientArea(KWin.MaximizeArea, client);
    var frame = client.frameGeometry;
    client.frameGeometry = {x: area.x + area.width - frame.width, y: area.y,
                            width: frame.width, height: frame.height};
}
workspace.clientAdded.connect(apply);
var shown = workspace.clientList();
for (var i = 0; i < shown.length; ++i)
    apply(shown[i]);
)")
        .arg(pid)
        .arg(literal(title));
}

bool KWinPanelRule::install(const QString& title)
{
    if (isInstalled())
        return true;
    if (!m_connection.isConnected() || !m_connection.interface() ||
        !m_connection.interface()->isServiceRegistered(QString::fromLatin1(kService)))
        return false;
    const qint64 pid = QCoreApplication::applicationPid();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return false;
    m_path = QDir(folder).filePath(QStringLiteral("velmoran-panel-%1.js").arg(pid));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(scriptText(pid, title).toUtf8()) < 0 ||
        !file.commit())
        return false;
    const QString pluginName = QStringLiteral("velmoran-panel-%1").arg(pid);
    const QDBusMessage loaded =
        m_connection.call(scriptingCall(QStringLiteral("loadScript"), {m_path, pluginName}),
                          QDBus::Block, kCallTimeoutMs);
    if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty() ||
        loaded.arguments().constFirst().toInt() < 0)
        return false;
    m_pluginName = pluginName;
    const QDBusMessage started =
        m_connection.call(scriptingCall(QStringLiteral("start"), {}), QDBus::Block, kCallTimeoutMs);
    return started.type() == QDBusMessage::ReplyMessage;
}

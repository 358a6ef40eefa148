#include "hotkeys/DesktopShortcutSupport.h"

#include "hotkeys/GnomeCustomKeybindings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>

namespace {

// Asking for the interface's version answers whether the portal has it at all: the portal
// only offers the interfaces some backend of the desktop implements.
bool portalOffersGlobalShortcuts()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
    // The portal may be started by this call; it answers within a second when it runs.
    return bus.call(get, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage;
}

} // namespace

DesktopSession DesktopSession::probe(bool trayAvailable)
{
    DesktopSession session;
    session.wayland = qGuiApp && QGuiApplication::platformName() == QLatin1String("wayland");
    session.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    session.trayAvailable = trayAvailable;
    // The questions below cost a round trip each and only matter on Wayland.
    if (session.wayland) {
        session.globalShortcutsPortal = portalOffersGlobalShortcuts();
        session.gnomeKeybindings = GnomeCustomKeybindings::isAvailable();
    }
    return session;
}

DesktopShortcutSupport::DesktopShortcutSupport(DesktopSession session)
    : m_session(std::move(session))
{}

bool DesktopShortcutSupport::isGnome() const
{
    const QStringList names = m_session.desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return names.contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}

DesktopShortcutSupport::ShortcutHelp DesktopShortcutSupport::shortcutHelp() const
{
    if (!m_session.wayland || m_session.globalShortcutsPortal)
        return ShortcutHelp::None;
    if (isGnome() && m_session.gnomeKeybindings)
        return ShortcutHelp::GnomeKeybindings;
    return ShortcutHelp::CompositorLines;
}

DesktopShortcutSupport::TrayHelp DesktopShortcutSupport::trayHelp(bool trayIconOn) const
{
    if (!m_session.wayland || !trayIconOn || m_session.trayAvailable)
        return TrayHelp::None;
    return isGnome() ? TrayHelp::GnomeExtension : TrayHelp::AnyTray;
}

DesktopKeyBindings::Compositor DesktopShortcutSupport::compositor() const
{
    using DesktopKeyBindings::Compositor;
    const QStringList names = m_session.desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (names.contains(QLatin1String("Hyprland"), Qt::CaseInsensitive))
        return Compositor::Hyprland;
    if (names.contains(QLatin1String("river"), Qt::CaseInsensitive))
        return Compositor::River;
    return Compositor::Sway;
}

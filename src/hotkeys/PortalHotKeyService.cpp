#include "hotkeys/PortalHotKeyService.h"

#include "hotkeys/PTKeyCodeTranslator.h"
#include "hotkeys/PTKeyCombo.h"
#include "hotkeys/PortalTrigger.h"

#include <QGuiApplication>

#include <algorithm>

std::unique_ptr<PortalHotKeyService> PortalHotKeyService::create()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("wayland"))
        return nullptr;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!PortalShortcutSession::isOffered(bus))
        return nullptr;
    return std::make_unique<PortalHotKeyService>(bus);
}

PortalHotKeyService::PortalHotKeyService(QDBusConnection bus, const QString& sessionToken)
    : m_session(std::move(bus), sessionToken)
{
    m_bindTimer.setSingleShot(true);
    m_bindTimer.setInterval(0);
    connect(&m_bindTimer, &QTimer::timeout, this, &PortalHotKeyService::bind);
    connect(&m_session, &PortalShortcutSession::activated, this, &PortalHotKeyService::deliver);
}

HotKeyService::Handle PortalHotKeyService::registerHotKey(int keyCode, int modifiers,
                                                          HotKeyID hotKeyID,
                                                          const HotKeyLabel& label)
{
    Registration registration;
    registration.handle = ++m_lastHandle;
    registration.hotKeyID = hotKeyID;
    registration.shortcut.id = label.identifier;
    registration.shortcut.description =
        label.description.isEmpty() ? label.identifier : label.description;
    // A stored key code names a physical key; the portal wants the symbol it carries.
    registration.shortcut.preferredTrigger =
        PortalTrigger::fromKeyCombo(PTKeyCombo(keyCode, modifiers), PTKeyCodeTranslator());
    m_registrations.append(registration);
    bindSoon();
    return registration.handle;
}

void PortalHotKeyService::unregisterHotKey(Handle handle)
{
    for (qsizetype i = 0; i < m_registrations.size(); ++i) {
        if (m_registrations[i].handle == handle) {
            m_registrations.removeAt(i);
            bindSoon();
            return;
        }
    }
}

void PortalHotKeyService::installEventHandler(EventHandler handler)
{
    m_handler = std::move(handler);
}

void PortalHotKeyService::bindSoon()
{
    m_bindTimer.start();
}

void PortalHotKeyService::bind()
{
    QList<PortalShortcut> shortcuts;
    for (const Registration& registration : std::as_const(m_registrations))
        shortcuts.append(registration.shortcut);
    // Registering again moves a hot key to the end; the order means nothing to the desktop.
    std::ranges::sort(shortcuts, {}, &PortalShortcut::id);
    // Re-registering the same keys (the preferences do so after every recording) keeps the
    // session the desktop already has.
    if (shortcuts == m_session.shortcuts() &&
        m_session.status() != PortalShortcutSession::Status::Failed)
        return;
    m_session.bind(shortcuts);
}

void PortalHotKeyService::deliver(const QString& id)
{
    if (!m_handler)
        return;
    for (const Registration& registration : std::as_const(m_registrations)) {
        if (registration.shortcut.id == id) {
            HotKeyEvent event;
            event.kind = HotKeyEvent::kEventHotKeyPressed;
            event.hotKeyID = registration.hotKeyID;
            m_handler(event);
            return;
        }
    }
}

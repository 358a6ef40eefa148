#pragma once

#include "hotkeys/HotKeyService.h"
#include "hotkeys/PortalShortcutSession.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

// Global hot keys on Wayland through the GlobalShortcuts desktop portal: every registration
// becomes one shortcut of the portal session, named by its label's identifier and asking for
// its combination as the preferred trigger. The desktop decides which keys it binds (the user
// may have chosen others in the desktop's settings), so a registration is always accepted and
// what was bound is read from session(). Registrations made in one go (start-up registers both
// shortcuts) are bound together, in one session.
class PortalHotKeyService final : public QObject, public HotKeyService
{
    Q_OBJECT

public:
    // The service of a Wayland session whose desktop portal offers global shortcuts; nullptr
    // elsewhere.
    static std::unique_ptr<PortalHotKeyService> create();

    explicit PortalHotKeyService(QDBusConnection bus,
                                 const QString& sessionToken = QStringLiteral("velmoran"));

    Handle registerHotKey(int keyCode, int modifiers, HotKeyID hotKeyID,
                          const HotKeyLabel& label) override;
    void unregisterHotKey(Handle handle) override;
    void installEventHandler(EventHandler handler) override;
    bool deliversEvents() const override { return true; }

    PortalShortcutSession& session() { return m_session; }
    const PortalShortcutSession& session() const { return m_session; }

private:
    struct Registration
    {
        Handle handle = 0;
        HotKeyID hotKeyID;
        PortalShortcut shortcut;
    };

    void bindSoon();
    void bind();
    void deliver(const QString& id);

    PortalShortcutSession m_session;
    QList<Registration> m_registrations;
    Handle m_lastHandle = 0;
    EventHandler m_handler;
    QTimer m_bindTimer;
};

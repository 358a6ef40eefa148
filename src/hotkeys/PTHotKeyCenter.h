#pragma once

#include "hotkeys/HotKeyService.h"
#include "hotkeys/PTHotKey.h"

#include <QList>
#include <QMap>

#include <memory>

class PortalShortcutSession;

// The process's registry of global hot keys: registers hot keys with the window system's
// hot-key service under numbers of its own and runs a hot key's action when it is pressed.
// Numbers are handed out once (1, 2, 3, ...) and never reused, so an event that arrives after
// its hot key was registered again cannot reach the new registration. Main thread only.
class PTHotKeyCenter
{
public:
    // The four characters "PTHk", the registry's mark on its registrations.
    static constexpr quint32 kHotKeySignature = 0x5054486B;

    // The application's centre over the platform's service (HotKeyService::createForPlatform);
    // created on first call, after the application object, and never destroyed: the window
    // system drops a client's grabs when its connection closes.
    static PTHotKeyCenter& sharedCenter();

    explicit PTHotKeyCenter(std::unique_ptr<HotKeyService> service);
    // Gives every registration back to the window system.
    ~PTHotKeyCenter();
    PTHotKeyCenter(const PTHotKeyCenter&) = delete;
    PTHotKeyCenter& operator=(const PTHotKeyCenter&) = delete;

    // Registers the hot key's combination, first dropping an earlier registration of the same
    // hot key. A combination that is not a valid hot key registers nothing and answers true;
    // false when the window system refuses the combination (then the number stays used).
    bool registerHotKey(const std::shared_ptr<PTHotKey>& hotKey);
    // Gives the hot key's registration back; nothing for a hot key this centre has not
    // registered.
    void unregisterHotKey(const std::shared_ptr<PTHotKey>& hotKey);

    // In registration order.
    QList<std::shared_ptr<PTHotKey>> allHotKeys() const;
    // The first registered hot key with an equal identifier; none for no identifier.
    std::shared_ptr<PTHotKey> hotKeyWithIdentifier(const QVariant& identifier) const;
    // The registered hot key with that combination; none for the clear combination.
    std::shared_ptr<PTHotKey> hotKeyWithKeyCombo(const PTKeyCombo& combo) const;

    // The last registration number handed out; 0 before the first.
    quint32 hotKeyCount() const { return m_hotKeyCount; }
    bool isEventHandlerInstalled() const { return m_eventHandlerInstalled; }
    const HotKeyService& service() const { return *m_service; }
    // The desktop portal's session when hot keys go through the GlobalShortcuts portal
    // (Wayland): the desktop binds the keys and says which it bound. None where this process
    // grabs the keys itself (X11) or where no hot key fires.
    PortalShortcutSession* portalSession() const;

    // The handler of the window system's hot-key events: a press runs the action of the hot
    // key registered under the event's number, a release does nothing. Answers false for an
    // event that is not a hot-key event of this centre, so that it goes on unhandled.
    bool handleHotKeyEvent(const HotKeyEvent& event);

private:
    bool isRegistered(const PTHotKey& hotKey) const;
    void installEventHandler();

    std::unique_ptr<HotKeyService> m_service;
    QMap<quint32, std::shared_ptr<PTHotKey>> m_hotKeys;
    quint32 m_hotKeyCount = 0;
    bool m_eventHandlerInstalled = false;
};

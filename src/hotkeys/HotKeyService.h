#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

// What the hot-key registry attaches to one registration: the registry's signature and its
// registration number. The window system hands it back with every event of that hot key.
struct HotKeyID
{
    quint32 signature = 0;
    quint32 id = 0;
};

// How a desktop that lists an application's shortcuts names one: an identifier that stays the
// same from run to run, and what the shortcut does, for the user.
struct HotKeyLabel
{
    QString identifier;
    QString description;
};

// One event from the window system's hot-key service. Events of other classes or kinds, and
// events that carry no hot-key identifier, are not the registry's to handle.
struct HotKeyEvent
{
    static constexpr quint32 kEventClassKeyboard = 0x6B657962; // 'keyb'
    static constexpr quint32 kEventHotKeyPressed = 5;
    static constexpr quint32 kEventHotKeyReleased = 6;

    quint32 eventClass = kEventClassKeyboard;
    quint32 kind = kEventHotKeyPressed;
    std::optional<HotKeyID> hotKeyID;
};

// The window system's session-wide hot keys: a key code with a set of modifiers is reserved for
// this process until it is given back, and its presses and releases reach this process no
// matter which application has the focus. Key codes and modifiers are those of PTKeyCombo.
class HotKeyService
{
public:
    // A registration's handle; 0 is never a handle.
    using Handle = quint64;
    // Answers whether the event was handled; unhandled events go on to the rest of the
    // application.
    using EventHandler = std::function<bool(const HotKeyEvent&)>;

    virtual ~HotKeyService() = default;

    // Reserves the combination; 0 when the window system refuses it (taken by another
    // program, or not a key it knows). A service whose desktop binds the keys itself answers
    // later, through its own signals, and accepts every combination here.
    virtual Handle registerHotKey(int keyCode, int modifiers, HotKeyID hotKeyID,
                                  const HotKeyLabel& label) = 0;
    virtual void unregisterHotKey(Handle handle) = 0;
    // From now on, events of registered hot keys go to the handler, always on the main
    // thread and never from inside the window system's own event processing.
    virtual void installEventHandler(EventHandler handler) = 0;
    // Whether registered hot keys can fire at all on this platform.
    virtual bool deliversEvents() const = 0;

    // The X11 service on an X11 session; on Wayland the desktop portal's service where the
    // portal offers global shortcuts; elsewhere (offscreen, a desktop without the portal) a
    // service that keeps registrations without ever delivering an event, because those
    // platforms offer no session-wide key grabs to an ordinary client.
    static std::unique_ptr<HotKeyService> createForPlatform();
};

// The service of platforms without session-wide hot keys: every registration is accepted and
// handed a handle so that the registry's bookkeeping stays the same everywhere, and nothing
// ever fires. The first registration says so once in the log.
class InertHotKeyService final : public HotKeyService
{
public:
    Handle registerHotKey(int keyCode, int modifiers, HotKeyID hotKeyID,
                          const HotKeyLabel& label) override;
    void unregisterHotKey(Handle handle) override;
    void installEventHandler(EventHandler handler) override;
    bool deliversEvents() const override { return false; }

private:
    Handle m_lastHandle = 0;
};

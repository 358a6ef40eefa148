#pragma once

#include "hotkeys/HotKeyService.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

struct xcb_connection_t;

// Session-wide hot keys on X11: passive key grabs on every root window over the
// application's own X connection. The X server hands a grabbed key to its grabbing client
// whichever window has the focus, and refuses the grab (BadAccess) while another client holds
// it. A grab matches the modifier state exactly, so each combination is grabbed four times,
// with and without Caps Lock (Lock) and Num Lock (Mod2), for the hot key to work whatever
// the lock keys' state. Key events of the grabs are picked out of the application's event
// stream by a native event filter; a press reaches the event handler through the main
// thread's event queue, outside the window system's event processing.
class X11HotKeyService final : public QObject,
                               public HotKeyService,
                               public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // The service of the application's X connection; nullptr when the application does not
    // run on X11.
    static std::unique_ptr<X11HotKeyService> create();

    explicit X11HotKeyService(xcb_connection_t* connection);
    // Ungrabs what is still grabbed, unless the application (and its connection) has gone.
    ~X11HotKeyService() override;

    Handle registerHotKey(int keyCode, int modifiers, HotKeyID hotKeyID,
                          const HotKeyLabel& label) override;
    void unregisterHotKey(Handle handle) override;
    void installEventHandler(EventHandler handler) override;
    bool deliversEvents() const override { return true; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab
    {
        Handle handle = 0;
        quint8 keyCode = 0;
        quint16 modifiers = 0;
        HotKeyID hotKeyID;
        // Between a press and its release; further presses are the key's auto-repeat.
        bool down = false;
        // The X server repeats a held key as a release and a press with the same time stamp.
        quint32 releaseTime = 0;
    };

    bool grabAllVariants(quint8 keyCode, quint16 modifiers);
    void ungrabAllVariants(quint8 keyCode, quint16 modifiers);
    bool isRootWindow(quint32 window) const;
    Grab* grabForEvent(quint8 keyCode, quint16 state, bool press);
    void deliver(quint32 kind, HotKeyID hotKeyID);

    xcb_connection_t* m_connection;
    QList<quint32> m_roots;
    QList<Grab> m_grabs;
    Handle m_lastHandle = 0;
    EventHandler m_handler;
    bool m_filterInstalled = false;
};

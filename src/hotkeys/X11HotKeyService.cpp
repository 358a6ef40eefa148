#include "hotkeys/X11HotKeyService.h"

#include "hotkeys/HotKeyLogging.h"
#include "hotkeys/PTKeyCombo.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>

namespace {

// The lock modifiers a grab must not depend on.
constexpr quint16 kNumLockMask = XCB_MOD_MASK_2;
constexpr std::array<quint16, 4> kLockVariants{0, XCB_MOD_MASK_LOCK, kNumLockMask,
                                               XCB_MOD_MASK_LOCK | kNumLockMask};
// Modifiers that tell one combination from another; the rest of an event's state (lock keys,
// pointer buttons, the keyboard group) does not.
constexpr quint16 kCombinationMask = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 |
                                     XCB_MOD_MASK_3 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5;
constexpr int kFirstKeyCode = 8;
constexpr int kLastKeyCode = 255;

} // namespace

std::unique_ptr<X11HotKeyService> X11HotKeyService::create()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    return std::make_unique<X11HotKeyService>(x11->connection());
}

X11HotKeyService::X11HotKeyService(xcb_connection_t* connection)
    : m_connection(connection)
{
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it))
        m_roots.append(it.data->root);
}

X11HotKeyService::~X11HotKeyService()
{
    // While the application object is being destroyed its connection may already be closed,
    // and a closed connection has given every grab back anyway.
    if (!qGuiApp)
        return;
    for (const Grab& grab : std::as_const(m_grabs))
        ungrabAllVariants(grab.keyCode, grab.modifiers);
    xcb_flush(m_connection);
}

bool X11HotKeyService::grabAllVariants(quint8 keyCode, quint16 modifiers)
{
    // All grabs go out before the first reply is awaited: one round trip, not one per grab.
    QList<xcb_void_cookie_t> cookies;
    for (quint32 root : std::as_const(m_roots)) {
        for (quint16 lock : kLockVariants) {
            // Not owner_events: a press in one of our own windows must reach the grab as well.
            cookies.append(xcb_grab_key_checked(m_connection, 0, root, modifiers | lock, keyCode,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    bool refused = false;
    for (const xcb_void_cookie_t& cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    // A variant another client holds makes the whole combination unusable; ungrabbing never
    // touches another client's grab, so giving back every variant is safe.
    if (refused)
        ungrabAllVariants(keyCode, modifiers);
    return !refused;
}

void X11HotKeyService::ungrabAllVariants(quint8 keyCode, quint16 modifiers)
{
    for (quint32 root : std::as_const(m_roots)) {
        for (quint16 lock : kLockVariants) {
            // Checked and discarded: an ungrab has nothing to report that we could act on,
            // and its errors must not land in the application's event stream.
            xcb_discard_reply(
                m_connection,
                xcb_ungrab_key_checked(m_connection, keyCode, root, modifiers | lock).sequence);
        }
    }
    xcb_flush(m_connection);
}

HotKeyService::Handle X11HotKeyService::registerHotKey(int keyCode, int modifiers,
                                                       HotKeyID hotKeyID, const HotKeyLabel&)
{
    const quint16 mask = PTKeyCombo(keyCode, modifiers).x11ModifierMask();
    if (keyCode < kFirstKeyCode || keyCode > kLastKeyCode || mask == 0)
        return 0;
    // The X server would let this client grab the same combination twice, and the first
    // ungrab would then silently end both registrations.
    for (const Grab& grab : std::as_const(m_grabs)) {
        if (grab.keyCode == keyCode && grab.modifiers == mask)
            return 0;
    }
    if (!grabAllVariants(quint8(keyCode), mask)) {
        qCInfo(lcHotKeys).noquote()
            << "The shortcut" << PTKeyCombo(keyCode, modifiers).keySequence().toString()
            << "is taken by another program";
        return 0;
    }
    Grab grab;
    grab.handle = ++m_lastHandle;
    grab.keyCode = quint8(keyCode);
    grab.modifiers = mask;
    grab.hotKeyID = hotKeyID;
    m_grabs.append(grab);
    return grab.handle;
}

void X11HotKeyService::unregisterHotKey(Handle handle)
{
    for (qsizetype i = 0; i < m_grabs.size(); ++i) {
        if (m_grabs[i].handle == handle) {
            ungrabAllVariants(m_grabs[i].keyCode, m_grabs[i].modifiers);
            m_grabs.removeAt(i);
            return;
        }
    }
}

void X11HotKeyService::installEventHandler(EventHandler handler)
{
    m_handler = std::move(handler);
    if (!m_filterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
}

bool X11HotKeyService::isRootWindow(quint32 window) const
{
    return m_roots.contains(window);
}

X11HotKeyService::Grab* X11HotKeyService::grabForEvent(quint8 keyCode, quint16 state, bool press)
{
    const quint16 modifiers = state & kCombinationMask & ~kNumLockMask;
    for (Grab& grab : m_grabs) {
        // A release counts whatever modifiers are still held: they may go up first.
        if (grab.keyCode == keyCode && (press ? grab.modifiers == modifiers : grab.down))
            return &grab;
    }
    return nullptr;
}

bool X11HotKeyService::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Press and release events share one layout.
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (!isRootWindow(key->event))
        return false;
    const bool press = type == XCB_KEY_PRESS;
    Grab* grab = grabForEvent(key->detail, key->state, press);
    if (!grab)
        return false;
    if (!press) {
        grab->down = false;
        grab->releaseTime = key->time;
        deliver(HotKeyEvent::kEventHotKeyReleased, grab->hotKeyID);
        return true;
    }
    const bool repeat = grab->down || (grab->releaseTime != 0 && grab->releaseTime == key->time);
    grab->down = true;
    if (!repeat)
        deliver(HotKeyEvent::kEventHotKeyPressed, grab->hotKeyID);
    return true;
}

void X11HotKeyService::deliver(quint32 kind, HotKeyID hotKeyID)
{
    if (!m_handler)
        return;
    HotKeyEvent event;
    event.kind = kind;
    event.hotKeyID = hotKeyID;
    // Queued, so that the action (which may open windows or register hot keys again) runs
    // after the X event has been dealt with; a service destroyed meanwhile drops the call.
    QMetaObject::invokeMethod(
        this, [this, event] { m_handler(event); }, Qt::QueuedConnection);
}

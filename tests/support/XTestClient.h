#pragma once

#include <QThread>
#include <QtGlobal>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>

// A second X client beside the program under test, on the same display: it types through the
// XTEST extension as a person does, and holds key grabs as other programs do.
class XTestClient
{
public:
    XTestClient()
        : m_x(xcb_connect(nullptr, nullptr))
    {
        if (!xcb_connection_has_error(m_x))
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    }
    ~XTestClient() { xcb_disconnect(m_x); }
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    bool isConnected() const { return m_root != 0; }
    xcb_connection_t* connection() const { return m_x; }
    xcb_window_t root() const { return m_root; }

    // The first key code that types `keysym`, 0 when none does.
    int keyCode(xcb_keysym_t keysym) const
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_x);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const int code = codes ? codes[0] : 0;
        std::free(codes);
        xcb_key_symbols_free(symbols);
        return code;
    }

    // Whether a window manager has taken the screen: one that follows the desktop's window
    // manager conventions names its check window on the root window once it manages windows.
    // A window shown before that is mapped bare and taken over later, if at all.
    bool hasWindowManager() const
    {
        static constexpr char kCheck[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 1, sizeof kCheck - 1, kCheck), nullptr);
        const xcb_atom_t check = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(atom);
        if (check == XCB_ATOM_NONE)
            return false;
        xcb_get_property_reply_t* named = xcb_get_property_reply(
            m_x, xcb_get_property(m_x, 0, m_root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
        const bool managed = named && xcb_get_property_value_length(named) == 4;
        std::free(named);
        return managed;
    }

    // Waits until the server has dealt with everything sent so far.
    void sync() const
    {
        std::free(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr));
    }

    // Events some milliseconds apart, as typing is: a release and a press with the same time
    // stamp are how the server repeats a held key.
    void fake(quint8 type, int key, int pauseMs = 2) const
    {
        xcb_test_fake_input(m_x, type, quint8(key), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
        QThread::msleep(pauseMs);
    }

    void tap(int key, int pauseMs = 2) const
    {
        fake(XCB_KEY_PRESS, key, pauseMs);
        fake(XCB_KEY_RELEASE, key, pauseMs);
    }

    // Whether this client could take the combination for itself, as another program would.
    bool grab(int key, quint16 modifiers) const
    {
        xcb_generic_error_t* error =
            xcb_request_check(m_x, xcb_grab_key_checked(m_x, 0, m_root, modifiers, quint8(key),
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }

private:
    xcb_connection_t* m_x;
    xcb_window_t m_root = 0;
};

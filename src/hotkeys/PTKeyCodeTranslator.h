#pragma once

#include <QString>

#include <memory>

struct xcb_connection_t;

// What the current keyboard layout puts on a key code, and which key code carries a symbol.
// Key codes are X11 key codes (the kernel's evdev code plus 8), so a stored shortcut names a
// physical key whatever layout is active. On an X11 session the server's keyboard mapping,
// read when the translator is made, answers; elsewhere (Wayland, offscreen) there is no
// mapping an ordinary client can read, and the answers come from the standard US layout of
// an evdev keyboard, which is also what the X11 server of a plain session reports.
class PTKeyCodeTranslator
{
public:
    // The translator of the running session.
    PTKeyCodeTranslator();
    // The translator of that X server connection; nullptr gives the US layout.
    explicit PTKeyCodeTranslator(xcb_connection_t* connection);
    ~PTKeyCodeTranslator();
    PTKeyCodeTranslator(const PTKeyCodeTranslator&) = delete;
    PTKeyCodeTranslator& operator=(const PTKeyCodeTranslator&) = delete;

    static PTKeyCodeTranslator usLayout() { return PTKeyCodeTranslator(nullptr); }

    bool usesWindowSystemLayout() const { return m_symbols != nullptr; }

    // The symbol of the key without modifiers; 0 when the key has none.
    quint32 keysymForKeyCode(int keyCode) const;
    // The key that produces the symbol, at any shift level; -1 when no key does.
    int keyCodeForKeysym(quint32 keysym) const;
    // The key's label as a shortcut shows it ("K", "F5", "Space"); "" when it has none.
    QString translateKeyCode(int keyCode) const;

private:
    struct SymbolsDeleter
    {
        void operator()(void* symbols) const;
    };
    std::unique_ptr<void, SymbolsDeleter> m_symbols;
};

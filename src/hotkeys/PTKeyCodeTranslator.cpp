#include "hotkeys/PTKeyCodeTranslator.h"

#include "hotkeys/KeySymbols.h"

#include <QGuiApplication>
#include <QKeySequence>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

struct UsKey
{
    quint8 keyCode;
    quint32 plain;
    quint32 shifted;
};

// The US layout of an evdev keyboard (xkeyboard-config "us" on "evdev" key codes): the keys
// a shortcut can use, with their unshifted and shifted symbols.
constexpr UsKey kUsLayout[] = {
    {9, 0xFF1B, 0xFF1B}, // Escape
    {10, '1', '!'},        {11, '2', '@'},        {12, '3', '#'},        {13, '4', '$'},
    {14, '5', '%'},        {15, '6', '^'},        {16, '7', '&'},        {17, '8', '*'},
    {18, '9', '('},        {19, '0', ')'},        {20, '-', '_'},        {21, '=', '+'},
    {22, 0xFF08, 0xFF08}, // BackSpace
    {23, 0xFF09, 0xFE20}, // Tab, ISO_Left_Tab
    {24, 'q', 'Q'},        {25, 'w', 'W'},        {26, 'e', 'E'},        {27, 'r', 'R'},
    {28, 't', 'T'},        {29, 'y', 'Y'},        {30, 'u', 'U'},        {31, 'i', 'I'},
    {32, 'o', 'O'},        {33, 'p', 'P'},        {34, '[', '{'},        {35, ']', '}'},
    {36, 0xFF0D, 0xFF0D}, // Return
    {38, 'a', 'A'},        {39, 's', 'S'},        {40, 'd', 'D'},        {41, 'f', 'F'},
    {42, 'g', 'G'},        {43, 'h', 'H'},        {44, 'j', 'J'},        {45, 'k', 'K'},
    {46, 'l', 'L'},        {47, ';', ':'},        {48, '\'', '"'},       {49, '`', '~'},
    {51, '\\', '|'},       {52, 'z', 'Z'},        {53, 'x', 'X'},        {54, 'c', 'C'},
    {55, 'v', 'V'},        {56, 'b', 'B'},        {57, 'n', 'N'},        {58, 'm', 'M'},
    {59, ',', '<'},        {60, '.', '>'},        {61, '/', '?'},        {65, ' ', ' '},
    {67, 0xFFBE, 0xFFBE},  {68, 0xFFBF, 0xFFBF},  {69, 0xFFC0, 0xFFC0},  {70, 0xFFC1, 0xFFC1},
    {71, 0xFFC2, 0xFFC2},  {72, 0xFFC3, 0xFFC3},  {73, 0xFFC4, 0xFFC4},  {74, 0xFFC5, 0xFFC5},
    {75, 0xFFC6, 0xFFC6},  {76, 0xFFC7, 0xFFC7},                         // F1-F10
    {95, 0xFFC8, 0xFFC8},  {96, 0xFFC9, 0xFFC9},                         // F11, F12
    {104, 0xFF8D, 0xFF8D},                                               // KP_Enter
    {107, 0xFF61, 0xFF61},                                               // Print
    {110, 0xFF50, 0xFF50}, {111, 0xFF52, 0xFF52}, {112, 0xFF55, 0xFF55}, // Home, Up, Prior
    {113, 0xFF51, 0xFF51}, {114, 0xFF53, 0xFF53}, {115, 0xFF57, 0xFF57}, // Left, Right, End
    {116, 0xFF54, 0xFF54}, {117, 0xFF56, 0xFF56}, {118, 0xFF63, 0xFF63}, // Down, Next, Insert
    {119, 0xFFFF, 0xFFFF},                                               // Delete
    {127, 0xFF13, 0xFF13},                                               // Pause
    {135, 0xFF67, 0xFF67},                                               // Menu
};

xcb_connection_t* sessionConnection()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void PTKeyCodeTranslator::SymbolsDeleter::operator()(void* symbols) const
{
    xcb_key_symbols_free(static_cast<xcb_key_symbols_t*>(symbols));
}

PTKeyCodeTranslator::PTKeyCodeTranslator()
    : PTKeyCodeTranslator(sessionConnection())
{}

PTKeyCodeTranslator::PTKeyCodeTranslator(xcb_connection_t* connection)
{
    // The mapping itself is fetched on the first question, so a translator nobody asks
    // costs no round trip to the server.
    if (connection)
        m_symbols.reset(xcb_key_symbols_alloc(connection));
}

PTKeyCodeTranslator::~PTKeyCodeTranslator() = default;

quint32 PTKeyCodeTranslator::keysymForKeyCode(int keyCode) const
{
    if (keyCode < 0 || keyCode > 255)
        return KeySymbols::kNoSymbol;
    if (m_symbols) {
        auto* symbols = static_cast<xcb_key_symbols_t*>(m_symbols.get());
        return xcb_key_symbols_get_keysym(symbols, xcb_keycode_t(keyCode), 0);
    }
    for (const UsKey& key : kUsLayout) {
        if (key.keyCode == keyCode)
            return key.plain;
    }
    return KeySymbols::kNoSymbol;
}

int PTKeyCodeTranslator::keyCodeForKeysym(quint32 keysym) const
{
    if (keysym == KeySymbols::kNoSymbol)
        return -1;
    if (m_symbols) {
        auto* symbols = static_cast<xcb_key_symbols_t*>(m_symbols.get());
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const int keyCode = codes && codes[0] != XCB_NO_SYMBOL ? codes[0] : -1;
        std::free(codes);
        return keyCode;
    }
    for (const UsKey& key : kUsLayout) {
        if (key.plain == keysym || key.shifted == keysym)
            return key.keyCode;
    }
    return -1;
}

QString PTKeyCodeTranslator::translateKeyCode(int keyCode) const
{
    const int qtKey = KeySymbols::qtKeyForKeysym(keysymForKeyCode(keyCode));
    if (qtKey == 0)
        return QString();
    return QKeySequence(qtKey).toString(QKeySequence::NativeText);
}

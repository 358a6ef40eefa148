#include "hotkeys/PortalTrigger.h"

#include "hotkeys/KeySymbols.h"
#include "hotkeys/PTKeyCodeTranslator.h"
#include "hotkeys/PTKeyCombo.h"

#include <QStringList>

#include <array>
#include <utility>

namespace PortalTrigger {
namespace {

constexpr quint32 kF1 = 0xFFBE;
constexpr quint32 kF35 = 0xFFE0;
constexpr quint32 kUnicodeOffset = 0x01000000;

// The printable ASCII symbols from space (0x20) to tilde (0x7E) by their keysym names;
// digits and letters are named by themselves.
constexpr std::array<const char*, 0x7F - 0x20> kAsciiNames{
    "space",     "exclam",       "quotedbl",    "numbersign", "dollar",     "percent",
    "ampersand", "apostrophe",   "parenleft",   "parenright", "asterisk",   "plus",
    "comma",     "minus",        "period",      "slash",      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        "colon",       "semicolon",  "less",       "equal",
    "greater",   "question",     "at",          nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      "bracketleft",
    "backslash", "bracketright", "asciicircum", "underscore", "grave",      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     nullptr,        nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,     "braceleft",    "bar",         "braceright", "asciitilde",
};

// The editing and navigation keys a shortcut can use (the keys of KeySymbols' table).
constexpr std::pair<quint32, const char*> kSpecialNames[] = {
    {0xFF08, "BackSpace"}, {0xFF09, "Tab"},         {0xFE20, "ISO_Left_Tab"}, {0xFF0D, "Return"},
    {0xFF8D, "KP_Enter"},  {0xFF13, "Pause"},       {0xFF15, "Sys_Req"},      {0xFF1B, "Escape"},
    {0xFFFF, "Delete"},    {0xFF50, "Home"},        {0xFF51, "Left"},         {0xFF52, "Up"},
    {0xFF53, "Right"},     {0xFF54, "Down"},        {0xFF55, "Prior"},        {0xFF56, "Next"},
    {0xFF57, "End"},       {0xFF61, "Print"},       {0xFF63, "Insert"},       {0xFF67, "Menu"},
    {0xFF6A, "Help"},      {0xFF14, "Scroll_Lock"},
};

struct ModifierName
{
    int hotKeyBit;
    const char* name;
};

// The order in which the portal's trigger syntax lists them.
constexpr std::array<ModifierName, 4> kModifierNames{{
    {PTKeyCombo::controlKey, "CTRL"},
    {PTKeyCombo::optionKey, "ALT"},
    {PTKeyCombo::shiftKey, "SHIFT"},
    {PTKeyCombo::cmdKey, "LOGO"},
}};

} // namespace

QString keysymName(quint32 keysym)
{
    if (keysym >= 0x20 && keysym <= 0x7E) {
        if (const char* name = kAsciiNames[keysym - 0x20])
            return QLatin1String(name);
        return QString(QChar(char16_t(keysym)));
    }
    if (keysym >= kF1 && keysym <= kF35)
        return QStringLiteral("F%1").arg(keysym - kF1 + 1);
    for (const auto& [symbol, name] : kSpecialNames) {
        if (symbol == keysym)
            return QLatin1String(name);
    }
    // Every other character by its code point, a name xkbcommon reads for any keysym of a
    // character ("U00E4" for ä), so no table of Latin-1 names is needed.
    quint32 codePoint = 0;
    if (keysym >= 0xA0 && keysym <= 0xFF)
        codePoint = keysym;
    else if (keysym >= kUnicodeOffset + 0x100 && keysym <= kUnicodeOffset + 0x10FFFF)
        codePoint = keysym - kUnicodeOffset;
    if (codePoint != 0)
        return QStringLiteral("U%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
    return QString();
}

QString fromKeysym(quint32 keysym, int hotKeyModifiers)
{
    const QString key = keysymName(keysym);
    if (key.isEmpty())
        return QString();
    QStringList parts;
    for (const ModifierName& modifier : kModifierNames) {
        if (hotKeyModifiers > 0 && (hotKeyModifiers & modifier.hotKeyBit))
            parts << QLatin1String(modifier.name);
    }
    parts << key;
    return parts.join(QLatin1Char('+'));
}

QString fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    return fromKeysym(KeySymbols::keysymForQtKey(qtKey), PTKeyCombo::modifiersFromQt(modifiers));
}

QString fromKeyCombo(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator)
{
    if (!combo.isValidHotKeyCombo())
        return QString();
    return fromKeysym(translator.keysymForKeyCode(combo.keyCode()), combo.modifiers());
}

} // namespace PortalTrigger

#include "hotkeys/KeySymbols.h"

#include <QChar>

#include <utility>

namespace KeySymbols {
namespace {

// X11 key symbols of Latin-1 characters are their code points; characters beyond Latin-1 are
// 0x01000000 plus the code point.
constexpr quint32 kUnicodeOffset = 0x01000000;
constexpr quint32 kUnicodeLast = kUnicodeOffset + 0x10FFFF;
constexpr quint32 kF1 = 0xFFBE;
constexpr quint32 kF35 = 0xFFE0;

constexpr std::pair<quint32, int> kSpecialKeys[] = {
    {0xFF08, Qt::Key_Backspace},  {0xFF09, Qt::Key_Tab},    {0xFE20, Qt::Key_Backtab},
    {0xFF0D, Qt::Key_Return},     {0xFF8D, Qt::Key_Enter},  {0xFF13, Qt::Key_Pause},
    {0xFF15, Qt::Key_SysReq},     {0xFF1B, Qt::Key_Escape}, {0xFFFF, Qt::Key_Delete},
    {0xFF50, Qt::Key_Home},       {0xFF51, Qt::Key_Left},   {0xFF52, Qt::Key_Up},
    {0xFF53, Qt::Key_Right},      {0xFF54, Qt::Key_Down},   {0xFF55, Qt::Key_PageUp},
    {0xFF56, Qt::Key_PageDown},   {0xFF57, Qt::Key_End},    {0xFF61, Qt::Key_Print},
    {0xFF63, Qt::Key_Insert},     {0xFF67, Qt::Key_Menu},   {0xFF6A, Qt::Key_Help},
    {0xFF14, Qt::Key_ScrollLock},
};

// xkb's names of the symbols that are not letters, digits or function keys: the printable
// ASCII punctuation and the editing and navigation keys a shortcut can use.
constexpr std::pair<quint32, const char*> kNamedSymbols[] = {
    {' ', "space"},      {'!', "exclam"},       {'"', "quotedbl"},    {'#', "numbersign"},
    {'$', "dollar"},     {'%', "percent"},      {'&', "ampersand"},   {'\'', "apostrophe"},
    {'(', "parenleft"},  {')', "parenright"},   {'*', "asterisk"},    {'+', "plus"},
    {',', "comma"},      {'-', "minus"},        {'.', "period"},      {'/', "slash"},
    {':', "colon"},      {';', "semicolon"},    {'<', "less"},        {'=', "equal"},
    {'>', "greater"},    {'?', "question"},     {'@', "at"},          {'[', "bracketleft"},
    {'\\', "backslash"}, {']', "bracketright"}, {'^', "asciicircum"}, {'_', "underscore"},
    {'`', "grave"},      {'{', "braceleft"},    {'|', "bar"},         {'}', "braceright"},
    {'~', "asciitilde"}, {0xFF08, "BackSpace"}, {0xFF09, "Tab"},      {0xFE20, "ISO_Left_Tab"},
    {0xFF0D, "Return"},  {0xFF8D, "KP_Enter"},  {0xFF13, "Pause"},    {0xFF14, "Scroll_Lock"},
    {0xFF15, "Sys_Req"}, {0xFF1B, "Escape"},    {0xFFFF, "Delete"},   {0xFF50, "Home"},
    {0xFF51, "Left"},    {0xFF52, "Up"},        {0xFF53, "Right"},    {0xFF54, "Down"},
    {0xFF55, "Prior"},   {0xFF56, "Next"},      {0xFF57, "End"},      {0xFF61, "Print"},
    {0xFF63, "Insert"},  {0xFF67, "Menu"},      {0xFF6A, "Help"},
};

// Qt names a letter key by its upper-case character, as long as that stays one code point.
int qtKeyForCharacter(char32_t c)
{
    if (c > 0xFFFF)
        return int(c);
    const char16_t upper = QChar(char16_t(c)).toUpper().unicode();
    if (c <= 0xFF && upper > 0xFF)
        return int(c); // ÿ: Qt::Key_ydiaeresis is the lower-case code point
    return upper;
}

} // namespace

int qtKeyForKeysym(quint32 keysym)
{
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return qtKeyForCharacter(keysym);
    if (keysym >= kUnicodeOffset + 0x100 && keysym <= kUnicodeLast)
        return qtKeyForCharacter(keysym - kUnicodeOffset);
    if (keysym >= kF1 && keysym <= kF35)
        return Qt::Key_F1 + int(keysym - kF1);
    for (const auto& [symbol, key] : kSpecialKeys) {
        if (symbol == keysym)
            return key;
    }
    return 0;
}

quint32 keysymForQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return kF1 + quint32(qtKey - Qt::Key_F1);
    for (const auto& [symbol, key] : kSpecialKeys) {
        if (key == qtKey)
            return symbol;
    }
    // Qt's special keys start at 0x01000000; below that a key is a character.
    if (qtKey < 0x20 || qtKey >= Qt::Key_Escape || (qtKey > 0x7E && qtKey < 0xA0))
        return kNoSymbol;
    char32_t c = char32_t(qtKey);
    if (c <= 0xFFFF) {
        const char16_t lower = QChar(char16_t(c)).toLower().unicode();
        if (c > 0xFF || lower <= 0xFF)
            c = lower;
    }
    return c <= 0xFF ? quint32(c) : kUnicodeOffset + quint32(c);
}

QString xkbName(quint32 keysym)
{
    if ((keysym >= '0' && keysym <= '9') || (keysym >= 'a' && keysym <= 'z') ||
        (keysym >= 'A' && keysym <= 'Z'))
        return QString(QChar(char16_t(keysym)));
    if (keysym >= kF1 && keysym <= kF35)
        return QStringLiteral("F%1").arg(keysym - kF1 + 1);
    for (const auto& [symbol, name] : kNamedSymbols) {
        if (symbol == keysym)
            return QLatin1String(name);
    }
    // Any other character by its code point, a form every xkb reader takes ("U00E4" is ä).
    quint32 codePoint = 0;
    if (keysym >= 0xA0 && keysym <= 0xFF)
        codePoint = keysym;
    else if (keysym >= kUnicodeOffset + 0x100 && keysym <= kUnicodeOffset + 0x10FFFF)
        codePoint = keysym - kUnicodeOffset;
    if (codePoint == 0)
        return QString();
    return QStringLiteral("U%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace KeySymbols

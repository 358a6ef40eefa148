#pragma once

#include <QString>

// X11 key symbols and Qt's key values, the bridge between a stored key code (which names a
// physical key) and what the keyboard layout prints on it.
//
// Printable symbols map to Qt's key for the character, letters in upper case as Qt reports
// them; the editing, navigation and function keys map through a table. Keypad keys, modifier
// keys and multimedia keys have no entry: a shortcut is a modifier held with an ordinary key.
namespace KeySymbols {

inline constexpr quint32 kNoSymbol = 0;

// Qt::Key value for an X11 key symbol; 0 when there is none.
int qtKeyForKeysym(quint32 keysym);
// X11 key symbol for a Qt::Key value (letters as their lower-case symbol, which is what the
// unshifted key produces); kNoSymbol when there is none.
quint32 keysymForQtKey(int qtKey);
// The name xkb gives a key symbol ("r", "7", "F5", "comma", "Prior"), the key syntax of the
// desktop portal, GNOME and the compositors' configurations; characters without a short name
// by code point ("U00E4"); "" for a symbol no shortcut can use.
QString xkbName(quint32 keysym);

} // namespace KeySymbols

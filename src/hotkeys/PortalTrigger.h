#pragma once

#include <QString>
#include <Qt>

class PTKeyCombo;
class PTKeyCodeTranslator;

// A combination written the way the GlobalShortcuts desktop portal takes a preferred trigger:
// the modifiers CTRL, ALT, SHIFT and LOGO (Super) in that order, each followed by '+', then the
// X keysym name of the key as the unshifted key produces it ("CTRL+ALT+r", "LOGO+F5",
// "SHIFT+CTRL+comma" is written "CTRL+SHIFT+comma"). NUM (Num Lock) is never written: a
// combination does not depend on the lock keys. A key without a keysym name gives "".
namespace PortalTrigger {

// The trigger of an X keysym with hot-key modifier bits (PTKeyCombo::controlKey, ...).
QString fromKeysym(quint32 keysym, int hotKeyModifiers);
// The trigger of a Qt key with Qt's modifiers, as the shortcut recorder reports them.
QString fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
// The trigger of a stored combination, its key code read through the layout; "" for a
// combination that is no hot key.
QString fromKeyCombo(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator);

} // namespace PortalTrigger

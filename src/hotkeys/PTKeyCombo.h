#pragma once

#include <QKeySequence>
#include <QString>
#include <QVariantMap>

class PTKeyCodeTranslator;

// A key combination for a global hot key: a key code and a set of hot-key modifier bits.
//
// Three bit sets meet here, and each conversion below names the two it connects:
// - hot-key modifier bits (`modifiers`): command 0x100, shift 0x200, option 0x800,
//   control 0x1000;
// - event modifier flags (`modifierMask`, and the "modifierFlags" of the stored shortcut
//   preference): command 0x100000, option 0x80000, control 0x40000, shift 0x20000;
// - the X server's modifier mask of a key grab or key event.
// On Linux "command" is the Super (Meta) key and "option" is Alt, the keys in the same place
// on a PC keyboard. Key codes are X11 key codes (evdev code + 8): a stored shortcut names a
// physical key, and its label comes from the current layout (PTKeyCodeTranslator).
class PTKeyCombo
{
public:
    static constexpr int cmdKey = 0x100;
    static constexpr int shiftKey = 0x200;
    static constexpr int optionKey = 0x800;
    static constexpr int controlKey = 0x1000;

    static constexpr int commandKeyMask = 0x100000;
    static constexpr int optionKeyMask = 0x80000;
    static constexpr int controlKeyMask = 0x40000;
    static constexpr int shiftKeyMask = 0x20000;

    // The clear combination: no key, no modifiers.
    PTKeyCombo() = default;
    PTKeyCombo(int keyCode, int modifiers);
    static PTKeyCombo clearKeyCombo() { return PTKeyCombo(); }

    int keyCode() const { return m_keyCode; }
    int modifiers() const { return m_modifiers; }

    bool isClearCombo() const { return m_keyCode == -1 && m_modifiers == -1; }
    // A key and at least one modifier: only such a combination is ever given to the window
    // system, so that no plain key is taken away from every other program.
    bool isValidHotKeyCombo() const { return m_keyCode >= 0 && m_modifiers > 0; }

    bool operator==(const PTKeyCombo& other) const = default;

    // {"keyCode": number, "modifiers": number}. Reading back: an absent or empty dictionary
    // gives the clear combination; a missing or non-numeric value counts as none, a key code
    // below -1 becomes -1 and modifiers below 1 become -1.
    QVariantMap plistRepresentation() const;
    static PTKeyCombo initWithPlistRepresentation(const QVariant& plist);

    // The stored shortcut preference {"keyCode", "modifierFlags"}, whose flags are event
    // modifier flags: they become hot-key bits through recorderFlagsToHotKeyFlags, and back through
    // modifierMask. A record without a key (absent preference: key code 0, no flags) gives a
    // combination that is not a valid hot key, so nothing is registered for it.
    static PTKeyCombo fromShortcutRecord(const QVariant& record);
    QVariantMap shortcutRecord() const;

    // The hot-key bits as event modifier flags; 0 for the clear combination.
    int modifierMask() const;

    // X server modifier mask for a key grab: control → Control, option → Mod1 (Alt),
    // shift → Shift, command → Mod4 (Super), as every xkeyboard-config keymap assigns them.
    // Lock and the Num Lock modifier are never part of a combination.
    quint16 x11ModifierMask() const;

    // For the shortcut recorder. Qt's modifiers map as Control → control, Alt → option,
    // Shift → shift, Meta → command (the keypad flag is dropped). The key goes through the
    // layout: a key sequence names a symbol, a combination a key code. A sequence with a key
    // that no key of the layout produces gives the clear combination; only the first key of a
    // sequence counts.
    QKeySequence keySequence(const PTKeyCodeTranslator& translator) const;
    QKeySequence keySequence() const;
    static PTKeyCombo fromKeySequence(const QKeySequence& sequence,
                                      const PTKeyCodeTranslator& translator);
    static PTKeyCombo fromKeySequence(const QKeySequence& sequence);
    Qt::KeyboardModifiers qtModifiers() const;
    static int modifiersFromQt(Qt::KeyboardModifiers modifiers);

    // The key's label under the current layout ("K"); "" for the clear combination.
    QString keyCodeString() const;
    // The modifiers as Qt's shortcuts name them on Linux ("Ctrl+Alt+").
    static QString stringForModifiers(int modifiers);

private:
    int m_keyCode = -1;
    int m_modifiers = -1;
};

// Event modifier flags to hot-key modifier bits and back; other bits are dropped.
int recorderFlagsToHotKeyFlags(int eventFlags);
int hotKeyFlagsToRecorderFlags(int hotKeyBits);

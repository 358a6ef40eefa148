#include "hotkeys/PTKeyCombo.h"

#include "hotkeys/KeySymbols.h"
#include "hotkeys/PTKeyCodeTranslator.h"

#include <QCoreApplication>

#include <xcb/xproto.h>

#include <array>

namespace {

const QString kPlistKeyCode = QStringLiteral("keyCode");
const QString kPlistModifiers = QStringLiteral("modifiers");
// The stored shortcut preferences ("shortcut", "shortcut2") share the key code's name but
// carry event modifier flags.
const QString kShortcutModifierFlags = QStringLiteral("modifierFlags");

struct ModifierBit
{
    int hotKeyBit;
    int eventFlag;
    quint16 x11Mask;
    Qt::KeyboardModifier qtModifier;
};

constexpr std::array<ModifierBit, 4> kModifierBits{{
    {PTKeyCombo::cmdKey, PTKeyCombo::commandKeyMask, XCB_MOD_MASK_4, Qt::MetaModifier},
    {PTKeyCombo::optionKey, PTKeyCombo::optionKeyMask, XCB_MOD_MASK_1, Qt::AltModifier},
    {PTKeyCombo::controlKey, PTKeyCombo::controlKeyMask, XCB_MOD_MASK_CONTROL, Qt::ControlModifier},
    {PTKeyCombo::shiftKey, PTKeyCombo::shiftKeyMask, XCB_MOD_MASK_SHIFT, Qt::ShiftModifier},
}};

// A number from a stored dictionary; `fallback` when it is absent or not a number.
int storedNumber(const QVariantMap& map, const QString& key, int fallback)
{
    bool ok = false;
    const int value = map.value(key).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

int recorderFlagsToHotKeyFlags(int eventFlags)
{
    int hotKeyBits = 0;
    for (const ModifierBit& bit : kModifierBits) {
        if (eventFlags & bit.eventFlag)
            hotKeyBits |= bit.hotKeyBit;
    }
    return hotKeyBits;
}

int hotKeyFlagsToRecorderFlags(int hotKeyBits)
{
    int eventFlags = 0;
    for (const ModifierBit& bit : kModifierBits) {
        if (hotKeyBits & bit.hotKeyBit)
            eventFlags |= bit.eventFlag;
    }
    return eventFlags;
}

PTKeyCombo::PTKeyCombo(int keyCode, int modifiers)
    : m_keyCode(keyCode)
    , m_modifiers(modifiers)
{}

QVariantMap PTKeyCombo::plistRepresentation() const
{
    return {{kPlistKeyCode, m_keyCode}, {kPlistModifiers, m_modifiers}};
}

PTKeyCombo PTKeyCombo::initWithPlistRepresentation(const QVariant& plist)
{
    const QVariantMap map = plist.toMap();
    if (map.isEmpty())
        return clearKeyCombo();
    const int keyCode = storedNumber(map, kPlistKeyCode, -1);
    const int modifiers = storedNumber(map, kPlistModifiers, -1);
    return PTKeyCombo(keyCode < -1 ? -1 : keyCode, modifiers < 1 ? -1 : modifiers);
}

PTKeyCombo PTKeyCombo::fromShortcutRecord(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    const int keyCode = storedNumber(map, kPlistKeyCode, 0);
    const int flags = storedNumber(map, kShortcutModifierFlags, 0);
    return PTKeyCombo(keyCode, recorderFlagsToHotKeyFlags(flags));
}

QVariantMap PTKeyCombo::shortcutRecord() const
{
    return {{kPlistKeyCode, m_keyCode}, {kShortcutModifierFlags, modifierMask()}};
}

int PTKeyCombo::modifierMask() const
{
    // The clear combination's -1 would otherwise read as every bit set.
    return m_modifiers < 0 ? 0 : hotKeyFlagsToRecorderFlags(m_modifiers);
}

quint16 PTKeyCombo::x11ModifierMask() const
{
    quint16 mask = 0;
    for (const ModifierBit& bit : kModifierBits) {
        if (m_modifiers > 0 && (m_modifiers & bit.hotKeyBit))
            mask |= bit.x11Mask;
    }
    return mask;
}

Qt::KeyboardModifiers PTKeyCombo::qtModifiers() const
{
    Qt::KeyboardModifiers result;
    for (const ModifierBit& bit : kModifierBits) {
        if (m_modifiers > 0 && (m_modifiers & bit.hotKeyBit))
            result |= bit.qtModifier;
    }
    return result;
}

int PTKeyCombo::modifiersFromQt(Qt::KeyboardModifiers modifiers)
{
    int result = 0;
    for (const ModifierBit& bit : kModifierBits) {
        if (modifiers & bit.qtModifier)
            result |= bit.hotKeyBit;
    }
    return result;
}

QKeySequence PTKeyCombo::keySequence(const PTKeyCodeTranslator& translator) const
{
    if (m_keyCode < 0)
        return QKeySequence();
    const int qtKey = KeySymbols::qtKeyForKeysym(translator.keysymForKeyCode(m_keyCode));
    if (qtKey == 0)
        return QKeySequence();
    return QKeySequence(QKeyCombination(qtModifiers(), Qt::Key(qtKey)));
}

QKeySequence PTKeyCombo::keySequence() const
{
    return keySequence(PTKeyCodeTranslator());
}

PTKeyCombo PTKeyCombo::fromKeySequence(const QKeySequence& sequence,
                                       const PTKeyCodeTranslator& translator)
{
    if (sequence.isEmpty())
        return clearKeyCombo();
    const QKeyCombination combination = sequence[0];
    const int keyCode = translator.keyCodeForKeysym(KeySymbols::keysymForQtKey(combination.key()));
    if (keyCode < 0)
        return clearKeyCombo();
    return PTKeyCombo(keyCode, modifiersFromQt(combination.keyboardModifiers()));
}

PTKeyCombo PTKeyCombo::fromKeySequence(const QKeySequence& sequence)
{
    return fromKeySequence(sequence, PTKeyCodeTranslator());
}

QString PTKeyCombo::keyCodeString() const
{
    if (m_keyCode < 0)
        return QString();
    return PTKeyCodeTranslator().translateKeyCode(m_keyCode);
}

QString PTKeyCombo::stringForModifiers(int modifiers)
{
    // Qt's own words and order, so the text matches what the shortcut recorder shows.
    QString text;
    if (modifiers <= 0)
        return text;
    if (modifiers & cmdKey)
        text += QCoreApplication::translate("QShortcut", "Meta") + QLatin1Char('+');
    if (modifiers & controlKey)
        text += QCoreApplication::translate("QShortcut", "Ctrl") + QLatin1Char('+');
    if (modifiers & optionKey)
        text += QCoreApplication::translate("QShortcut", "Alt") + QLatin1Char('+');
    if (modifiers & shiftKey)
        text += QCoreApplication::translate("QShortcut", "Shift") + QLatin1Char('+');
    return text;
}

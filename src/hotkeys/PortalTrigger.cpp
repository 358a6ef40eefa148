#include "hotkeys/PortalTrigger.h"

#include "hotkeys/KeySymbols.h"
#include "hotkeys/PTKeyCodeTranslator.h"
#include "hotkeys/PTKeyCombo.h"

#include <QStringList>

#include <array>

namespace PortalTrigger {
namespace {

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

QString fromKeysym(quint32 keysym, int hotKeyModifiers)
{
    const QString key = KeySymbols::xkbName(keysym);
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

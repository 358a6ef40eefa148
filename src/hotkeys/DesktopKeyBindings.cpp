#include "hotkeys/DesktopKeyBindings.h"

#include "hotkeys/KeySymbols.h"
#include "hotkeys/PTKeyCodeTranslator.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <utility>

namespace DesktopKeyBindings {
namespace {

const QString kProgramName = QStringLiteral("velmoran");

// The key's name, with a single letter in upper case where a desktop's own examples write
// it so (Hyprland's and river's "SUPER, Q"); xkb reads either case there.
QString keyName(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator, bool upperLetter)
{
    if (!combo.isValidHotKeyCombo())
        return QString();
    const QString name = KeySymbols::xkbName(translator.keysymForKeyCode(combo.keyCode()));
    if (upperLetter && name.size() == 1 && name.at(0).isLetter())
        return name.toUpper();
    return name;
}

struct ModifierNames
{
    const char* super;
    const char* control;
    const char* alt;
    const char* shift;
};

// The combination's modifiers in the order Qt shows them (Meta, Ctrl, Alt, Shift).
QStringList modifierWords(int modifiers, const ModifierNames& names)
{
    QStringList words;
    if (modifiers & PTKeyCombo::cmdKey)
        words << QLatin1String(names.super);
    if (modifiers & PTKeyCombo::controlKey)
        words << QLatin1String(names.control);
    if (modifiers & PTKeyCombo::optionKey)
        words << QLatin1String(names.alt);
    if (modifiers & PTKeyCombo::shiftKey)
        words << QLatin1String(names.shift);
    return words;
}

} // namespace

QList<Shortcut> shortcuts()
{
    return {
        {QLatin1StringView("shortcut"), QStringLiteral("velmoran-toggle-window"),
         QStringLiteral("--toggle-window"),
         QCoreApplication::translate("DesktopKeyBindings", "Velmoran: Show or Hide the Window")},
        {QLatin1StringView("shortcut2"), QStringLiteral("velmoran-show-panel"),
         QStringLiteral("--show-panel"),
         QCoreApplication::translate("DesktopKeyBindings", "Velmoran: Open the Tray Panel")},
    };
}

QString program(const QString& foundOnPath, const QString& running)
{
    // Another program showing these lines (a tool drawing the preferences) is not the one
    // they should run.
    if (foundOnPath.isEmpty() && QFileInfo(running).fileName() == kProgramName)
        return running;
    return kProgramName;
}

QString runningProgram()
{
    return program(QStandardPaths::findExecutable(kProgramName),
                   QCoreApplication::applicationFilePath());
}

QString command(const QString& programPath, const QString& option)
{
    return shellQuoted(programPath) + QLatin1Char(' ') + option;
}

QString shellQuoted(const QString& word)
{
    static const QRegularExpression safe(
        QRegularExpression::anchoredPattern(u"[A-Za-z0-9_@%+=:,./-]+"));
    if (safe.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString gnomeBinding(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator)
{
    const QString key = keyName(combo, translator, false);
    if (key.isEmpty())
        return QString();
    QString binding;
    for (const QString& word :
         modifierWords(combo.modifiers(), {"<Super>", "<Control>", "<Alt>", "<Shift>"}))
        binding += word;
    return binding + key;
}

QString swayLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                 const QString& commandLine)
{
    const QString key = keyName(combo, translator, false);
    if (key.isEmpty())
        return QString();
    QStringList keys = modifierWords(combo.modifiers(), {"Mod4", "Ctrl", "Alt", "Shift"});
    keys << key;
    return QStringLiteral("bindsym %1 exec %2").arg(keys.join(QLatin1Char('+')), commandLine);
}

QString hyprlandLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                     const QString& commandLine)
{
    const QString key = keyName(combo, translator, true);
    if (key.isEmpty())
        return QString();
    const QStringList mods = modifierWords(combo.modifiers(), {"SUPER", "CTRL", "ALT", "SHIFT"});
    return QStringLiteral("bind = %1, %2, exec, %3")
        .arg(mods.join(QLatin1Char(' ')), key, commandLine);
}

QString riverLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                  const QString& commandLine)
{
    const QString key = keyName(combo, translator, true);
    if (key.isEmpty())
        return QString();
    const QStringList mods = modifierWords(combo.modifiers(), {"Super", "Control", "Alt", "Shift"});
    // riverctl hands the command to a shell as one argument.
    return QStringLiteral("riverctl map normal %1 %2 spawn %3")
        .arg(mods.join(QLatin1Char('+')), key, shellQuoted(commandLine));
}

QList<GnomeCustomKeybindings::Binding> gnomeBindings(const UserDefaults& defaults,
                                                     const PTKeyCodeTranslator& translator,
                                                     const QString& programPath)
{
    QList<GnomeCustomKeybindings::Binding> bindings;
    for (const Shortcut& shortcut : shortcuts()) {
        const QString binding = gnomeBinding(
            PTKeyCombo::fromShortcutRecord(defaults.objectForKey(shortcut.preference)), translator);
        if (!binding.isEmpty())
            bindings << GnomeCustomKeybindings::Binding{
                shortcut.id, shortcut.name, command(programPath, shortcut.option), binding};
    }
    return bindings;
}

QStringList compositorLines(Compositor compositor, const UserDefaults& defaults,
                            const PTKeyCodeTranslator& translator, const QString& programPath)
{
    QStringList lines;
    for (const Shortcut& shortcut : shortcuts()) {
        const PTKeyCombo combo =
            PTKeyCombo::fromShortcutRecord(defaults.objectForKey(shortcut.preference));
        const QString commandLine = command(programPath, shortcut.option);
        QString line;
        switch (compositor) {
        case Compositor::Sway:
            line = swayLine(combo, translator, commandLine);
            break;
        case Compositor::Hyprland:
            line = hyprlandLine(combo, translator, commandLine);
            break;
        case Compositor::River:
            line = riverLine(combo, translator, commandLine);
            break;
        }
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace DesktopKeyBindings

#pragma once

#include "hotkeys/GnomeCustomKeybindings.h"
#include "hotkeys/PTKeyCombo.h"

#include <QLatin1StringView>
#include <QList>
#include <QString>

class PTKeyCodeTranslator;
class UserDefaults;

// The two global shortcuts as a Wayland desktop binds them itself: a key combination in each
// desktop's own words and the single-instance command it runs. Wayland lets no client take
// keys for itself, so where the desktop offers no shortcuts portal the user (or GNOME, after
// the user agrees) binds the combination to a command that reaches the running program.
namespace DesktopKeyBindings {

// One of the two shortcuts: the preference holding its keys and what the desktop runs.
struct Shortcut
{
    QLatin1StringView preference; // "shortcut" or "shortcut2"
    QString id;                   // a name of our own for the desktop's entry
    QString option;               // the command-line switch of the running program
    QString name;                 // how the desktop's shortcut list names it
};

// Both shortcuts: showing or hiding the main window, then the tray panel.
QList<Shortcut> shortcuts();

// The program the commands start: "velmoran" when a program of that name is on PATH
// (`foundOnPath` is what the lookup gave), otherwise the path of the running binary when that
// is Velmoran itself.
QString program(const QString& foundOnPath, const QString& running);
// The program of this process, looked up on PATH now.
QString runningProgram();
// `program` and `option` as one shell command line, the program quoted where it needs it.
QString command(const QString& program, const QString& option);
// A word for a POSIX shell: unchanged when it holds only safe characters, otherwise in single
// quotes.
QString shellQuoted(const QString& word);

// A combination in GNOME's accelerator syntax ("<Control><Alt>r"); "" for one that is not a
// hot key or whose key has no name.
QString gnomeBinding(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator);
// The configuration line that runs `command` on the combination; "" as above.
QString swayLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                 const QString& command);
QString hyprlandLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                     const QString& command);
QString riverLine(const PTKeyCombo& combo, const PTKeyCodeTranslator& translator,
                  const QString& command);

// The compositors whose configuration lines the preferences show.
enum class Compositor { Sway, Hyprland, River };

// What the desktop is asked to bind for the recorded shortcuts, each running `program`; a
// shortcut that is off has no entry.
QList<GnomeCustomKeybindings::Binding> gnomeBindings(const UserDefaults& defaults,
                                                     const PTKeyCodeTranslator& translator,
                                                     const QString& program);
QStringList compositorLines(Compositor compositor, const UserDefaults& defaults,
                            const PTKeyCodeTranslator& translator, const QString& program);

} // namespace DesktopKeyBindings

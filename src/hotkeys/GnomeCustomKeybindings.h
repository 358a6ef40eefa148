#pragma once

#include <QList>
#include <QString>

// GNOME's own custom keyboard shortcuts, as its settings daemon reads them through GSettings:
// the list "custom-keybindings" of the media-keys schema names one settings path per
// shortcut, and each path holds a name, a command and a binding. Ours live at paths of our
// own (".../custom-keybindings/velmoran-<id>/"); the user's and other programs' entries in
// the list are never changed. Only ever called after the user agreed to the change.
class GnomeCustomKeybindings
{
public:
    struct Binding
    {
        QString id; // the last part of the settings path
        QString name;
        QString command;
        QString binding; // "<Control><Alt>r"

        bool operator==(const Binding& other) const = default;
    };

    static constexpr const char* kSchema = "org.gnome.settings-daemon.plugins.media-keys";
    static constexpr const char* kEntrySchema =
        "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
    static constexpr const char* kListKey = "custom-keybindings";

    // Whether the desktop's schemas are installed: without them there is nothing to write to
    // (and GSettings would abort the program on the attempt).
    static bool isAvailable();
    // The settings path of the entry `id`.
    static QString pathForId(const QString& id);

    // Our entries that the list holds now, in the list's order.
    QList<Binding> installed() const;
    // Makes our entries exactly `bindings`: each is written and listed (an existing one
    // updated in place), and ours not among them are taken out. False when the schemas are
    // missing.
    bool apply(const QList<Binding>& bindings);
    // Takes all of ours out of the list and clears their paths.
    bool remove() { return apply({}); }
};

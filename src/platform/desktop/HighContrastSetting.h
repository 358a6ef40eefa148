#pragma once

#include <QString>

// Whether the desktop asks programs for high contrast. GNOME says so in its accessibility
// settings (org.gnome.desktop.a11y.interface high-contrast) or by a high-contrast GTK theme;
// KDE by a colour scheme of that name in kdeglobals. Either is enough: a user who set it on one
// desktop expects it in every program they start.
class HighContrastSetting
{
public:
    static constexpr const char* kGnomeA11ySchema = "org.gnome.desktop.a11y.interface";
    static constexpr const char* kGnomeInterfaceSchema = "org.gnome.desktop.interface";

    static bool desktopAsks() { return gnomeAsks() || kdeAsks(); }
    // Read through GSettings; false where the schemas are not installed.
    static bool gnomeAsks();
    // Read from the kdeglobals the desktop's configuration paths lead to.
    static bool kdeAsks();
    // The themes and schemes that mean it ("HighContrast", "HighContrastInverse",
    // "BreezeHighContrast").
    static bool isHighContrastName(const QString& name);
};

#pragma once

#include "platform/desktop/GnomeInterfaceSettings.h"
#include "platform/desktop/KdeGlobals.h"

#include <QObject>

// What the desktop asks of every program's look and motion: how large its text is and whether
// (and how fast) things may move. It answers from GNOME's interface settings or from Plasma's
// kdeglobals, and follows GNOME's while the program runs (Plasma's are read at start).
class DesktopPreferences : public QObject
{
    Q_OBJECT

public:
    enum class Desktop { Gnome, Plasma };

    struct Sources
    {
        Desktop desktop = Desktop::Gnome;
        // Whether the platform already turns GNOME's text scaling into the screen's logical
        // DPI, which every point size passes through: on X11 the settings daemon writes it
        // into Xft.dpi, which Qt reads; on Wayland nothing does.
        bool dpiCarriesTextScaling = false;
        QStringList kdeGlobalsFiles = KdeGlobals::cascade();
    };

    explicit DesktopPreferences(const Sources& sources, QObject* parent = nullptr);

    // The running desktop's, made on first use and kept for the program's life.
    static DesktopPreferences& shared();
    // Plasma when XDG_CURRENT_DESKTOP names KDE, GNOME's settings elsewhere (they are what
    // GTK programs follow on most other desktops too).
    static Desktop currentDesktop();

    // The factor for the length of animations: 1 as designed, 0 for none at all. Either
    // desktop's request for no animations counts wherever it is set, since a user who asked
    // for less motion in one place asked for it.
    qreal animationScale() const { return m_animationScale; }
    bool reducesMotion() const { return m_animationScale <= 0; }
    // How much larger than the desktop's default its text is: 1 when nobody changed it.
    qreal fontScale() const { return m_fontScale; }

Q_SIGNALS:
    void animationScaleChanged();
    void fontScaleChanged();

private:
    void update();
    qreal readAnimationScale() const;
    qreal readFontScale() const;

    Sources m_sources;
    KdeGlobals m_kdeGlobals;
    GnomeInterfaceSettings m_gnome;
    qreal m_animationScale = 1;
    qreal m_fontScale = 1;
};

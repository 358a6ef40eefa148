#include "platform/desktop/DesktopPreferences.h"

#include <QGuiApplication>

namespace {

// Plasma's own interface font, "Noto Sans,10", which kdeglobals leaves out until the user
// picks another.
constexpr qreal kPlasmaDefaultPointSize = 10;

} // namespace

DesktopPreferences::DesktopPreferences(const Sources& sources, QObject* parent)
    : QObject(parent)
    , m_sources(sources)
    , m_kdeGlobals(sources.kdeGlobalsFiles)
{
    m_animationScale = readAnimationScale();
    m_fontScale = readFontScale();
    connect(&m_gnome, &GnomeInterfaceSettings::changed, this, &DesktopPreferences::update);
}

DesktopPreferences& DesktopPreferences::shared()
{
    static DesktopPreferences* const instance = [] {
        Sources sources;
        sources.desktop = currentDesktop();
        sources.dpiCarriesTextScaling = QGuiApplication::platformName() == QLatin1String("xcb");
        return new DesktopPreferences(sources);
    }();
    return *instance;
}

DesktopPreferences::Desktop DesktopPreferences::currentDesktop()
{
    const QStringList names =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return names.contains(QLatin1String("KDE"), Qt::CaseInsensitive) ? Desktop::Plasma
                                                                     : Desktop::Gnome;
}

void DesktopPreferences::update()
{
    const qreal animationScale = readAnimationScale();
    const qreal fontScale = readFontScale();
    if (animationScale != m_animationScale) {
        m_animationScale = animationScale;
        Q_EMIT animationScaleChanged();
    }
    if (fontScale != m_fontScale) {
        m_fontScale = fontScale;
        Q_EMIT fontScaleChanged();
    }
}

qreal DesktopPreferences::readAnimationScale() const
{
    if (m_gnome.enableAnimations() == false)
        return 0;
    // Plasma's factor also slows animations down or speeds them up (its speed slider).
    return m_kdeGlobals.animationDurationFactor().value_or(1);
}

qreal DesktopPreferences::readFontScale() const
{
    // The program's own text sizes were chosen against a desktop whose interface text is at
    // its default size, so the scale is the desktop's text over that default, never over a
    // fixed number of points: an untouched desktop, whatever its default font, keeps the
    // program's sizes exactly. The desktop's own font is not used (the program draws its
    // lists in its own faces), only how far the user moved its size.
    if (m_sources.desktop == Desktop::Plasma) {
        return m_kdeGlobals.generalFontPointSize().value_or(kPlasmaDefaultPointSize) /
               kPlasmaDefaultPointSize;
    }
    qreal scale = 1;
    const std::optional<qreal> size = m_gnome.fontPointSize();
    const std::optional<qreal> defaultSize = m_gnome.defaultFontPointSize();
    if (size && defaultSize)
        scale = *size / *defaultSize;
    // Large Text: counted once, here or in the DPI (see Sources).
    if (!m_sources.dpiCarriesTextScaling)
        scale *= m_gnome.textScalingFactor().value_or(1);
    return scale;
}

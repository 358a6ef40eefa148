#include "prefs/ContrastTargets.h"

#include "prefs/ColorContrast.h"

ContrastTargets::ContrastTargets(QList<QColor> surfaces, bool highContrast)
    : m_surfaces(std::move(surfaces))
    , m_highContrast(highContrast)
{}

QColor ContrastTargets::readableText(const QColor& color) const
{
    return ColorContrast::standingOut(color, m_surfaces, minimumTextContrast());
}

QColor ContrastTargets::visibleMark(const QColor& color) const
{
    return ColorContrast::standingOut(color, m_surfaces, minimumMarkContrast());
}

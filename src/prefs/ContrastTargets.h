#pragma once

#include <QColor>
#include <QList>

// What the colours of one mode must stand out from, and by how much: every surface its text is
// drawn on (the rows, a selected row, the panes' windows and fields), at WCAG's 4.5:1 for text
// and 3:1 for a mark a user must make out or press (a check circle, an icon, a field's
// outline), or 7:1 and 4.5:1 where the desktop asks for high contrast.
class ContrastTargets
{
public:
    ContrastTargets() = default;
    ContrastTargets(QList<QColor> surfaces, bool highContrast);

    const QList<QColor>& surfaces() const { return m_surfaces; }
    double minimumTextContrast() const { return m_highContrast ? 7.0 : 4.5; }
    double minimumMarkContrast() const { return m_highContrast ? 4.5 : 3.0; }
    // A colour that is not the mode's own (a list's, a calendar's) as text: taken darker by day
    // and lighter at night until it reads at minimumTextContrast() on every surface, unchanged
    // when it already does. The list keeps its own colour for its swatch.
    QColor readableText(const QColor& color) const;
    // The same for a mark, at minimumMarkContrast().
    QColor visibleMark(const QColor& color) const;

private:
    QList<QColor> m_surfaces;
    bool m_highContrast = false;
};

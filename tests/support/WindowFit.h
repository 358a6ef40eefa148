#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

#include <algorithm>

// Whether a window shows all of its content at its present size: every visible child lies
// inside its parent (the content of a scroll area may be larger than the viewport, as long as
// a scroll bar reaches all of it), and no child is squeezed below its minimum size hint (for
// a child whose height follows its width, below the height its width needs). The faults are
// returned one line each, naming the widget; a window that fits returns none.
namespace WindowFit {

inline QString describe(const QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty())
        name = widget->accessibleName();
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && name.isEmpty())
        name = label->text().left(40);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && name.isEmpty())
        name = button->text().left(40);
    QStringList path;
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow();
         up = up->parentWidget()) {
        if (!up->objectName().isEmpty()) {
            path.prepend(up->objectName());
            break;
        }
    }
    return QStringLiteral("%1 \"%2\"%3")
        .arg(QString::fromLatin1(widget->metaObject()->className()), name,
             path.isEmpty() ? QString() : QStringLiteral(" in ") + path.join(QLatin1Char('/')));
}

inline QString rectText(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// The scroll area whose content `widget` is, if it is one.
inline const QScrollArea* scrolledIn(const QWidget* widget)
{
    const QWidget* viewport = widget->parentWidget();
    const auto* area =
        viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->viewport() == viewport && area->widget() == widget ? area : nullptr;
}

inline bool reachable(int overflow, Qt::ScrollBarPolicy policy, const QScrollBar* bar)
{
    return overflow <= 0 || (policy != Qt::ScrollBarAlwaysOff && bar->maximum() >= overflow);
}

inline QStringList placementFaults(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (const QScrollArea* area = scrolledIn(widget)) {
        const QSize room = area->viewport()->size();
        QStringList faults;
        if (!reachable(widget->width() - room.width(), area->horizontalScrollBarPolicy(),
                       area->horizontalScrollBar()))
            faults << QStringLiteral("%1 is %2 wide, its scroll area shows %3 and cannot scroll")
                          .arg(describe(widget))
                          .arg(widget->width())
                          .arg(room.width());
        if (!reachable(widget->height() - room.height(), area->verticalScrollBarPolicy(),
                       area->verticalScrollBar()))
            faults << QStringLiteral("%1 is %2 high, its scroll area shows %3 and cannot scroll")
                          .arg(describe(widget))
                          .arg(widget->height())
                          .arg(room.height());
        return faults;
    }
    if (!parent->rect().contains(widget->geometry()))
        return {QStringLiteral("%1 at %2 lies outside %3 (%4)")
                    .arg(describe(widget), rectText(widget->geometry()), describe(parent),
                         rectText(parent->rect()))};
    return {};
}

inline QStringList sizeFaults(const QWidget* widget)
{
    // The parts Qt builds into its own controls (a spin box's text field, a table's headers and
    // viewport) are placed by the control, not by a layout; the control itself is checked.
    if (widget->objectName().startsWith(QLatin1String("qt_")) ||
        qobject_cast<const QAbstractScrollArea*>(widget->parentWidget()))
        return {};
    const QSize hint = widget->minimumSizeHint();
    const QSizePolicy policy = widget->sizePolicy();
    QStringList faults;
    // An explicit minimum size is kept by the widget itself, an ignored hint asks for nothing,
    // and a widget held smaller on purpose asks for no more than its maximum.
    if (widget->minimumWidth() == 0 && policy.horizontalPolicy() != QSizePolicy::Ignored &&
        widget->width() < std::min(hint.width(), widget->maximumWidth()))
        faults << QStringLiteral("%1 is %2 wide, below its minimum of %3")
                      .arg(describe(widget))
                      .arg(widget->width())
                      .arg(hint.width());
    if (widget->minimumHeight() == 0 && policy.verticalPolicy() != QSizePolicy::Ignored) {
        const int needed = std::min(
            widget->hasHeightForWidth() ? widget->heightForWidth(widget->width()) : hint.height(),
            widget->maximumHeight());
        if (widget->height() < needed)
            faults << QStringLiteral("%1 is %2 high, below the %3 it needs")
                          .arg(describe(widget))
                          .arg(widget->height())
                          .arg(needed);
    }
    return faults;
}

inline QStringList faults(const QWidget* window)
{
    QStringList found;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        // Pop-ups and dialogs are windows of their own, checked as such.
        if (widget->window() != window || !widget->isVisibleTo(window))
            continue;
        found << placementFaults(widget) << sizeFaults(widget);
    }
    return found;
}

} // namespace WindowFit

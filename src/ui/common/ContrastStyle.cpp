#include "ui/common/ContrastStyle.h"

#include "prefs/ColorContrast.h"
#include "ui/common/FocusRing.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QStyleOption>

namespace {

// Inside a control's frame the ring lies on the control's own face, which it stands out from;
// a frameless control has it at its edge.
void paintRing(const QStyleOption* option, QPainter* painter, int inset)
{
    FocusRing::paint(*painter, option->rect.adjusted(inset, inset, -inset, -inset),
                     FocusRing::color(option->palette));
}

// The field inside a spin box or an editable pop-up is part of that control, which draws the
// ring around the whole of it.
bool isInnerField(const QWidget* widget)
{
    const QWidget* parent = widget ? widget->parentWidget() : nullptr;
    return qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent);
}

// A rim as near to its background as can be while standing out from it by 3:1.
void paintIndicatorRim(QStyle::PrimitiveElement element, const QStyleOption* option,
                       QPainter* painter)
{
    const bool box = element != QStyle::PE_IndicatorRadioButton;
    // An item view draws its check boxes on the view's base colour, a form on the window's.
    const QColor background = option->palette.color(
        element == QStyle::PE_IndicatorItemViewItemCheck ? QPalette::Base : QPalette::Window);
    // A round rim is smoothed into its background at the edges; it starts a little stronger.
    QColor rim = ColorContrast::standingOut(background, {background}, box ? 3.0 : 3.8);
    if (!(option->state & QStyle::State_Enabled))
        rim.setAlphaF(0.5f);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, !box);
    painter->setPen(QPen(rim, 1));
    painter->setBrush(Qt::NoBrush);
    if (box)
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    else
        painter->drawEllipse(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
    painter->restore();
}

// The outline that tells a field or a button from the window around it. The desktop's styles
// shade it from the window colour (Fusion's is the window a little darker, 2:1), so it is drawn
// again over theirs, as near to the window as can be while standing out from it and from the
// control's own face by 3:1.
void paintBoundary(const QStyleOption* option, QPainter* painter, QPalette::ColorRole face)
{
    const QColor window = option->palette.color(QPalette::Window);
    QColor outline = ColorContrast::standingOut(window, {window, option->palette.color(face)}, 3.0);
    if (!(option->state & QStyle::State_Enabled))
        outline.setAlphaF(0.5f);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(outline, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace

void ContrastStyle::install()
{
    if (!qobject_cast<ContrastStyle*>(QApplication::style()))
        QApplication::setStyle(new ContrastStyle(QApplication::style()->name()));
}

ContrastStyle::ContrastStyle(const QString& baseStyle)
    : QProxyStyle(baseStyle)
{}

void ContrastStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_FrameFocusRect: {
        // Inside a checked or pressed button (the shown page's tab) the ring lies on a face
        // darker than the button's resting colour.
        QList<QColor> faces;
        if (option->state & (State_On | State_Sunken)) {
            const QColor face = option->palette.color(QPalette::Button);
            faces << face.darker(110) << face.darker(120);
        }
        FocusRing::paint(*painter, option->rect, FocusRing::color(option->palette, faces));
        return;
    }
    case PE_PanelLineEdit: {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const auto* panel = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if ((option->state & State_HasFocus) && !isInnerField(widget))
            paintRing(option, painter, panel ? panel->lineWidth : 0);
        return;
    }
    case PE_FrameLineEdit:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (!isInnerField(widget))
            paintBoundary(option, painter, QPalette::Base);
        return;
    case PE_PanelButtonCommand: {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (!button || !(button->features & QStyleOptionButton::Flat))
            paintBoundary(option, painter, QPalette::Button);
        return;
    }
    case PE_IndicatorCheckBox:
    case PE_IndicatorItemViewItemCheck:
    case PE_IndicatorRadioButton:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        paintIndicatorRim(element, option, painter);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ContrastStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    paintRing(option, painter, button && !(button->features & QStyleOptionButton::Flat) ? 1 : 0);
}

void ContrastStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
        spin && control == CC_SpinBox && spin->frame)
        paintBoundary(option, painter, QPalette::Base);
    else if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
             combo && control == CC_ComboBox && combo->frame)
        paintBoundary(option, painter, combo->editable ? QPalette::Base : QPalette::Button);
    if (!(option->state & State_HasFocus))
        return;
    // A pop-up button keeps its bevel's outline even without a frame.
    if (control == CC_ComboBox)
        paintRing(option, painter, 1);
    else if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
             spin && control == CC_SpinBox)
        paintRing(option, painter, spin->frame ? 2 : 0);
}

#pragma once

#include "WindowFit.h"

#include "ui/common/DescribedComboBox.h"
#include "ui/common/ElidedLabel.h"
#include "ui/main/detail/DatePickerButton.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QToolButton>

// Whether every text a window shows has room for all of itself: labels that neither wrap nor
// elide, buttons, check boxes, group box titles, tabs and every item of a pop-up button are as
// wide as their text needs; a word-wrapped label is as tall as its lines; an eliding label
// that cannot show its whole text ends it with "…". The faults come one a line, naming the
// widget and its text; a scroll area that scrolls its page sideways is one too. A window whose
// texts fit returns none. (WindowFit spares widgets with
// a minimum or fixed size, which is where a longer language's text is cut; this does not.)
namespace TextFit {

inline QString plain(QString text)
{
    return text.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

inline QString fault(const QWidget* widget, const QString& text, int width, int needed,
                     const char* measure = "wide")
{
    const QString shown = text.size() > 50 ? text.left(49) + QChar(0x2026) : text;
    return QStringLiteral("%1 shows \"%2\" %3 %4, it needs %5")
        .arg(QString::fromLatin1(widget->metaObject()->className()), shown,
             QString::fromLatin1(measure))
        .arg(width)
        .arg(needed);
}

// A widget that elides its own text: what it shows is the whole text, or a start of it that
// ends in "…" and fits.
inline QStringList elisionFaults(const QWidget* widget, const QString& whole, const QString& shown,
                                 int room)
{
    const bool cut = shown != whole;
    if ((cut && (!shown.endsWith(QChar(0x2026)) || !whole.startsWith(shown.chopped(1)))) ||
        widget->fontMetrics().horizontalAdvance(shown) > room)
        return {QStringLiteral("%1 cuts \"%2\" to \"%3\" without an ellipsis")
                    .arg(WindowFit::describe(widget), whole, shown)};
    return {};
}

inline QStringList labelFaults(const QLabel* label)
{
    if (const auto* elided = qobject_cast<const ElidedLabel*>(label))
        return elisionFaults(label, elided->fullText(), elided->shownText(),
                             label->contentsRect().width());
    if (label->text().isEmpty())
        return {};
    if (label->wordWrap()) {
        // A word longer than the label's width sticks out of it, as no line can hold it.
        const int widest = label->minimumSizeHint().width();
        if (label->width() < widest)
            return {fault(label, label->text(), label->width(), widest)};
        const int needed = label->heightForWidth(label->width());
        if (label->height() < needed)
            return {fault(label, label->text(), label->height(), needed, "high")};
        return {};
    }
    const QSize hint = label->sizeHint();
    if (label->width() < hint.width())
        return {fault(label, label->text(), label->width(), hint.width())};
    if (label->height() < hint.height())
        return {fault(label, label->text(), label->height(), hint.height(), "high")};
    return {};
}

inline QStringList buttonFaults(const QAbstractButton* button)
{
    if (button->text().isEmpty())
        return {};
    if (const auto* picker = qobject_cast<const DatePickerButton*>(button))
        return elisionFaults(button, picker->text(), picker->shownText(), button->width());
    if (const auto* tool = qobject_cast<const QToolButton*>(button);
        tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return {};
    // A push button's hint holds a least width of the style's that a short text does not need;
    // below it, the text needs the margin and frames the style adds around it.
    int needed = button->sizeHint().width();
    if (qobject_cast<const QPushButton*>(button)) {
        const QStyle* style = button->style();
        needed = button->fontMetrics().horizontalAdvance(plain(button->text())) +
                 style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
    }
    if (button->width() < needed)
        return {fault(button, plain(button->text()), button->width(), needed)};
    return {};
}

inline QStringList groupBoxFaults(const QGroupBox* box)
{
    if (box->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const int needed = label.left() + box->fontMetrics().horizontalAdvance(plain(box->title()));
    if (box->width() < needed)
        return {fault(box, plain(box->title()), box->width(), needed)};
    return {};
}

inline QStringList tabFaults(const QTabBar* bar)
{
    if (bar->elideMode() != Qt::ElideNone)
        return {};
    QStringList faults;
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int tab = 0; tab < bar->count(); ++tab) {
        const QString text = plain(bar->tabText(tab));
        int needed = bar->fontMetrics().horizontalAdvance(text) + space;
        if (!bar->tabIcon(tab).isNull())
            needed += bar->iconSize().width() + 4;
        if (bar->tabRect(tab).width() < needed)
            faults << fault(bar, text, bar->tabRect(tab).width(), needed);
    }
    return faults;
}

// Any item may be the one shown, so each must fit the box's text field.
inline QStringList comboFaults(const QComboBox* combo)
{
    if (combo->isEditable())
        return {};
    if (const auto* described = qobject_cast<const DescribedComboBox*>(combo))
        return elisionFaults(combo, described->shownText(), described->visibleText(),
                             combo->width());
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const int room =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
            .width();
    QStringList faults;
    for (int item = 0; item < combo->count(); ++item) {
        const QString text = combo->itemText(item);
        int needed = combo->fontMetrics().horizontalAdvance(text);
        if (!combo->itemIcon(item).isNull())
            needed += combo->iconSize().width() + 4;
        if (room < needed)
            faults << fault(combo, text, room, needed);
    }
    return faults;
}

// A page that scrolls sideways holds a line that does not wrap where it should.
inline QStringList scrollAreaFaults(const QScrollArea* area)
{
    if (!area->widget() || !area->horizontalScrollBar()->isVisible())
        return {};
    return {QStringLiteral("%1 scrolls sideways: its %2 is %3 wide in %4")
                .arg(WindowFit::describe(area), WindowFit::describe(area->widget()))
                .arg(area->widget()->width())
                .arg(area->viewport()->width())};
}

inline QStringList faults(const QWidget* window)
{
    QStringList found;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisibleTo(window) ||
            widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (const auto* area = qobject_cast<const QScrollArea*>(widget))
            found << scrollAreaFaults(area);
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            found << labelFaults(label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            found << buttonFaults(button);
        else if (const auto* box = qobject_cast<const QGroupBox*>(widget))
            found << groupBoxFaults(box);
        else if (const auto* bar = qobject_cast<const QTabBar*>(widget))
            found << tabFaults(bar);
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            found << comboFaults(combo);
    }
    found.removeDuplicates();
    return found;
}

} // namespace TextFit

#pragma once

#include "WindowFit.h"

#include "prefs/ColorContrast.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <QtTest>

// Keyboard focus checks for window tests, with real key presses on a shown window: the Tab
// chain (where it stops, that each stop has a name a screen reader says, that Shift+Tab walks it
// backwards and that it comes back round) and the contrast of the ring a focused control draws.
namespace KeyboardFocus {

inline QString describe(const QWidget* widget)
{
    return widget ? WindowFit::describe(widget) : QStringLiteral("nothing");
}

// What is wrong with `widget` as a place for the keyboard: hidden, without a size, not wholly
// inside `window` (a collapsed pane, a control scrolled out of its area), or without a name for
// a screen reader to say when it gets there.
inline QString stopFault(const QWidget* widget, const QWidget* window)
{
    if (!widget)
        return QStringLiteral("the focus went nowhere");
    if (widget->window() != window)
        return QStringLiteral("%1 is in another window").arg(describe(widget));
    if (!widget->isVisible())
        return QStringLiteral("%1 is hidden").arg(describe(widget));
    if (widget->width() <= 0 || widget->height() <= 0)
        return QStringLiteral("%1 has no size").arg(describe(widget));
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
    if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
        return QStringLiteral("%1 has no name").arg(describe(widget));
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    // What the panes and scroll areas around it leave of it on screen.
    QRect shown = inWindow;
    for (const QWidget* outer = widget->parentWidget(); outer && outer != window;
         outer = outer->parentWidget())
        shown &= QRect(outer->mapTo(window, QPoint(0, 0)), outer->size());
    if (!window->rect().contains(inWindow) || shown.isEmpty())
        return QStringLiteral("%1 is not inside the window (%2,%3 %4x%5)")
            .arg(describe(widget))
            .arg(inWindow.x())
            .arg(inWindow.y())
            .arg(inWindow.width())
            .arg(inWindow.height());
    return {};
}

// How many presses a control may keep for itself before the next one moves on: a date and
// time field goes through its day, month, year, hour and minute first.
constexpr int kMaxPressesInOneControl = 8;

// Presses `key` until the focus leaves the widget that has it; the widget it goes to, or null
// when it never leaves.
inline QWidget* moveFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* before = QApplication::focusWidget();
    for (int press = 0; press < kMaxPressesInOneControl; ++press) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return nullptr;
        QTest::keyClick(target, key, modifiers);
        if (QApplication::focusWidget() != before)
            return QApplication::focusWidget();
    }
    return nullptr;
}

// The stops of a window's Tab chain and what is wrong with it.
struct Chain
{
    QList<QPointer<QWidget>> stops;
    QStringList faults;

    int indexOf(const QWidget* widget) const { return int(stops.indexOf(widget)); }
    QString report() const { return faults.join(QLatin1String("; ")); }
};

// One round of the Tab chain of `window`, which must be shown and active, from the widget that
// has the focus: Tab until the focus is back there, checking every stop, then Shift+Tab the
// same number of times, which must give the same stops backwards and end at the start again.
inline Chain walkTabChain(QWidget* window, int limit = 120)
{
    Chain chain;
    QWidget* start = QApplication::focusWidget();
    if (!start || start->window() != window) {
        chain.faults << QStringLiteral("the window has no focus to start from");
        return chain;
    }
    chain.stops << start;
    if (const QString fault = stopFault(start, window); !fault.isEmpty())
        chain.faults << fault;
    for (int step = 0;; ++step) {
        if (step == limit) {
            chain.faults << QStringLiteral("Tab does not come back round in %1 steps").arg(limit);
            return chain;
        }
        const QWidget* before = QApplication::focusWidget();
        QWidget* now = moveFocus(Qt::Key_Tab);
        if (!now) {
            chain.faults << QStringLiteral("Tab stays in %1").arg(describe(before));
            return chain;
        }
        if (now == start)
            break;
        if (chain.indexOf(now) >= 0) {
            chain.faults << QStringLiteral("Tab goes round without %1: back at %2")
                                .arg(describe(start), describe(now));
            return chain;
        }
        if (const QString fault = stopFault(now, window); !fault.isEmpty())
            chain.faults << fault;
        chain.stops << now;
    }
    // Backwards: the last stop first, the start again at the end.
    const qsizetype count = chain.stops.size();
    for (qsizetype back = 1; back <= count; ++back) {
        const QWidget* expected = chain.stops.at((count - back) % count);
        const QWidget* now = moveFocus(Qt::Key_Backtab, Qt::ShiftModifier);
        if (now != expected) {
            chain.faults << QStringLiteral("Shift+Tab goes to %1 where Tab came from %2")
                                .arg(describe(now), describe(expected));
            break;
        }
    }
    return chain;
}

// The contrast the focus ring of a control has with what it is drawn over, from two pictures of
// the control, with the focus and without: the ring is the colour most of the changed pixels
// take, and each of its pixels is compared with the same pixel unfocused. The contrast nine in
// ten of the ring's pixels reach is returned (a ring edge may cross a border line or a letter);
// 0 when the focus changes nothing.
inline double ringContrast(const QImage& focused, const QImage& unfocused)
{
    if (focused.size() != unfocused.size())
        return 0;
    QHash<QRgb, int> counts;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) != unfocused.pixel(x, y))
                ++counts[focused.pixel(x, y)];
        }
    }
    if (counts.isEmpty())
        return 0;
    QRgb ring = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(ring))
            ring = it.key();
    }
    QList<double> ratios;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) == ring && unfocused.pixel(x, y) != ring)
                ratios << ColorContrast::ratio(QColor(ring), QColor(unfocused.pixel(x, y)));
        }
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios.at(ratios.size() / 10);
}

// Once round the Tab chain from the focus widget of the active window: each stop drawn with the
// focus and again after Tab took it away. The stops whose ring reaches less than `minimum`
// (see ringContrast), with the contrast they have.
inline QStringList stopsWithoutRing(double minimum = 3.0, int limit = 120)
{
    QStringList faint;
    QWidget* start = QApplication::focusWidget();
    for (int step = 0; step < limit && start; ++step) {
        QWidget* focused = QApplication::focusWidget();
        const QImage with = focused->grab().toImage();
        QWidget* next = moveFocus(Qt::Key_Tab);
        if (!next)
            return faint << QStringLiteral("Tab stays in %1").arg(describe(focused));
        const double contrast = ringContrast(with, focused->grab().toImage());
        if (contrast < minimum)
            faint << QStringLiteral("%1 (%2:1)").arg(describe(focused)).arg(contrast, 0, 'f', 2);
        if (next == start)
            return faint;
    }
    return faint << QStringLiteral("Tab does not come back round");
}

} // namespace KeyboardFocus

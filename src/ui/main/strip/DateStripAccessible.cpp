#include "ui/main/strip/DateStripAccessible.h"

#include "ui/main/strip/DateDayView.h"
#include "ui/main/strip/DateStripView.h"

namespace {

QAccessibleInterface* dateStripFactory(const QString& className, QObject* object)
{
    // Qt asks with the name of every class up the object's hierarchy.
    if (className == QLatin1String(DateStripView::staticMetaObject.className()))
        if (auto* strip = qobject_cast<DateStripView*>(object))
            return new DateStripAccessible(strip);
    if (className == QLatin1String(DateDayView::staticMetaObject.className()))
        if (auto* day = qobject_cast<DateDayView*>(object))
            return new DateDayAccessible(day);
    return nullptr;
}

} // namespace

DateStripAccessible::DateStripAccessible(DateStripView* strip)
    : QAccessibleWidget(strip, QAccessible::List)
{}

void DateStripAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(dateStripFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface* DateStripAccessible::focusChild() const
{
    if (!widget()->hasFocus())
        return nullptr;
    DateDayView* selected = static_cast<DateStripView*>(widget())->selectedDay();
    return selected ? QAccessible::queryAccessibleInterface(selected) : nullptr;
}

DateDayAccessible::DateDayAccessible(DateDayView* day)
    : QAccessibleWidget(day, QAccessible::ListItem)
{}

DateDayView* DateDayAccessible::day() const
{
    return static_cast<DateDayView*>(widget());
}

QString DateDayAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    QStringList marks;
    if (day()->isToday())
        marks << tr("Today");
    bool tasks = false;
    bool events = false;
    for (const CalendarDot& dot : day()->calendarDots())
        (dot.kind == CalendarDot::Kind::Reminder ? tasks : events) = true;
    if (tasks)
        marks << tr("Has tasks");
    if (events)
        marks << tr("Has events");
    return marks.join(QStringLiteral(", "));
}

QAccessible::State DateDayAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const QWidget* strip = day()->parentWidget();
    // The strip takes the keyboard for its days; the selected one stands where it is.
    state.focusable = strip && strip->focusPolicy() != Qt::NoFocus;
    state.focused = day()->isSelected() && strip && strip->hasFocus();
    state.selectable = true;
    state.selected = day()->isSelected();
    return state;
}

QStringList DateDayAccessible::actionNames() const
{
    return {QAccessibleActionInterface::toggleAction()};
}

void DateDayAccessible::doAction(const QString& name)
{
    if (name == QAccessibleActionInterface::toggleAction())
        day()->tapped();
}

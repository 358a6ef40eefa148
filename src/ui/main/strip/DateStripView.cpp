#include "ui/main/strip/DateStripView.h"

#include "ui/main/strip/DateDayView.h"
#include "ui/main/strip/DateStripAccessible.h"

#include <QAccessible>
#include <QKeyEvent>

DateStripView::DateStripView(DataManager& manager, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
{
    setFocusPolicy(Qt::TabFocus);
    DateStripAccessible::installFactory();
}

DateDayView* DateStripView::selectedDay() const
{
    for (DateDayView* day : findChildren<DateDayView*>(Qt::FindDirectChildrenOnly))
        if (day->isSelected() && !day->isHidden())
            return day;
    return nullptr;
}

void DateStripView::keyPressEvent(QKeyEvent* event)
{
    if (!DateDayView::moveSelectedDateForKey(m_manager, event))
        QWidget::keyPressEvent(event);
}

void DateStripView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_announcedDate = {};
    refreshDays();
}

void DateStripView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    refreshDays();
}

void DateStripView::announceSelectedDay()
{
    if (!hasFocus() || !QAccessible::isActive())
        return;
    DateDayView* day = selectedDay();
    if (!day || day->date() == m_announcedDate)
        return;
    m_announcedDate = day->date();
    QAccessibleEvent event(day, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

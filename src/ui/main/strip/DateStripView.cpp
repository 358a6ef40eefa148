#include "ui/main/strip/DateStripView.h"

#include "ui/main/strip/DateDayView.h"

#include <QKeyEvent>

DateStripView::DateStripView(DataManager& manager, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
{
    setFocusPolicy(Qt::TabFocus);
}

void DateStripView::keyPressEvent(QKeyEvent* event)
{
    if (!DateDayView::moveSelectedDateForKey(m_manager, event))
        QWidget::keyPressEvent(event);
}

void DateStripView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    refreshDays();
}

void DateStripView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    refreshDays();
}

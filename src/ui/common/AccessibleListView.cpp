#include "ui/common/AccessibleListView.h"

#include "ui/common/ListViewAccessible.h"

#include <QAccessible>

AccessibleListView::AccessibleListView(QWidget* parent)
    : QListView(parent)
{
    ListViewAccessible::installFactory();
}

void AccessibleListView::announceRowCheckedChange(int row)
{
    if (!QAccessible::isActive() || row < 0 || !model() || row >= model()->rowCount())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
}

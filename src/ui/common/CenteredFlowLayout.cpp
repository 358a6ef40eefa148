#include "ui/common/CenteredFlowLayout.h"

#include <QWidget>

#include <algorithm>

CenteredFlowLayout::CenteredFlowLayout(int horizontalSpacing, int verticalSpacing)
    : m_horizontalSpacing(horizontalSpacing)
    , m_verticalSpacing(verticalSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

CenteredFlowLayout::~CenteredFlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void CenteredFlowLayout::addItem(QLayoutItem* item)
{
    m_items << item;
}

int CenteredFlowLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem* CenteredFlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem* CenteredFlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int CenteredFlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize CenteredFlowLayout::sizeHint() const
{
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        size.setWidth(size.width() + (size.width() > 0 ? m_horizontalSpacing : 0) + hint.width());
        size.setHeight(std::max(size.height(), hint.height()));
    }
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// As narrow as the widest item: the others then go below it.
QSize CenteredFlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            size = size.expandedTo(item->sizeHint());
    }
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

void CenteredFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int CenteredFlowLayout::arrange(const QRect& rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    QList<QLayoutItem*> row;
    int rowWidth = 0;
    int rowHeight = 0;
    int top = area.top();
    const auto placeRow = [&] {
        if (row.isEmpty())
            return;
        if (apply) {
            int left = area.left() + std::max(0, (area.width() - rowWidth) / 2);
            for (QLayoutItem* item : std::as_const(row)) {
                const QSize hint = item->sizeHint();
                item->setGeometry(QRect(left, top + (rowHeight - hint.height()) / 2,
                                        std::min(hint.width(), area.width()), hint.height()));
                left += hint.width() + m_horizontalSpacing;
            }
        }
        top += rowHeight + m_verticalSpacing;
        row.clear();
        rowWidth = 0;
        rowHeight = 0;
    };
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        const int widthWith = rowWidth + (row.isEmpty() ? 0 : m_horizontalSpacing) + hint.width();
        if (!row.isEmpty() && widthWith > area.width())
            placeRow();
        rowWidth += (row.isEmpty() ? 0 : m_horizontalSpacing) + hint.width();
        rowHeight = std::max(rowHeight, hint.height());
        row << item;
    }
    placeRow();
    const QMargins margins = contentsMargins();
    const int rows = top == area.top() ? 0 : top - m_verticalSpacing - area.top();
    return rows + margins.top() + margins.bottom();
}

#include "ui/main/detail/DividerRow.h"

#include "data/detail/DetailRowLayout.h"

#include <QPainter>

DividerRow::DividerRow(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(DetailRowLayout::kDividerHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DividerRow::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void DividerRow::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    const int y = height() / 2 + 1;
    painter.fillRect(QRect(10, y, qMax(0, width() - 22), 1), m_color);
}

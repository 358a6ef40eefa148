#pragma once

#include <QColor>
#include <QWidget>

// A divider row of the detail pane: one thin line across the middle of the row.
class DividerRow : public QWidget
{
    Q_OBJECT

public:
    explicit DividerRow(QWidget* parent = nullptr);
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

#include "ui/common/DescribedComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

void DescribedComboBox::setShownText(const QString& text)
{
    if (m_shownText == text)
        return;
    m_shownText = text;
    update();
}

QString DescribedComboBox::shownText() const
{
    return m_shownText.isEmpty() ? currentText() : m_shownText;
}

void DescribedComboBox::paintEvent(QPaintEvent* event)
{
    if (m_shownText.isEmpty()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = fontMetrics().elidedText(m_shownText, Qt::ElideRight, field.width());
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

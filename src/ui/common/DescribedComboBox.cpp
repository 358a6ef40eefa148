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

QString DescribedComboBox::visibleText() const
{
    return fontMetrics().elidedText(shownText(), Qt::ElideRight, textField().width());
}

QRect DescribedComboBox::textField() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // The style draws an icon at the field's left and the text a point in from either edge.
    if (!option.currentIcon.isNull())
        field.setLeft(field.left() + option.iconSize.width() + 4);
    return field.adjusted(1, 0, -1, 0);
}

void DescribedComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = visibleText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

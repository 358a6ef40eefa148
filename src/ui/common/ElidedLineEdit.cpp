#include "ui/common/ElidedLineEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The room QLineEdit keeps between its contents rectangle and the text.
constexpr int kHorizontalMargin = 2;

} // namespace

ElidedLineEdit::ElidedLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &ElidedLineEdit::updateToolTip);
}

QRect ElidedLineEdit::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins())
        .adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

QString ElidedLineEdit::shownText() const
{
    if (hasFocus() || echoMode() != QLineEdit::Normal)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRoom().width());
}

void ElidedLineEdit::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRoom(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void ElidedLineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void ElidedLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    updateToolTip();
}

void ElidedLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    updateToolTip();
}

void ElidedLineEdit::updateToolTip()
{
    setToolTip(shownText() == text() ? QString() : text());
}

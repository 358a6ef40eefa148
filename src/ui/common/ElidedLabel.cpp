#include "ui/common/ElidedLabel.h"

#include <QEvent>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    updateShownText();
}

QString ElidedLabel::shownText() const
{
    return QLabel::text();
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for an ellipsis at least, so a narrow window still hints that there is a title.
    const QSize hint = QLabel::minimumSizeHint();
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("…")) * 3, hint.height());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateShownText();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateShownText();
}

void ElidedLabel::updateShownText()
{
    const int room = contentsRect().width();
    const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, room);
    QLabel::setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}

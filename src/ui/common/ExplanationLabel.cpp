#include "ui/common/ExplanationLabel.h"

ExplanationLabel::ExplanationLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setEnabled(false);
}

// A wrapping label's own hint is a guess at a pleasing shape, narrower than one line for a
// short text; the form it stands in would then break a line that has room.
QSize ExplanationLabel::sizeHint() const
{
    // Measured the way the label lays out its lines, which a plain advance can fall short of.
    const int line = fontMetrics()
                         .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 0, text())
                         .width();
    const QMargins margins = contentsMargins();
    const int width = line + 2 * margin() + margins.left() + margins.right();
    return QSize(width, heightForWidth(width));
}

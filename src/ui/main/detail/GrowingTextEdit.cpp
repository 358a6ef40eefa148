#include "ui/main/detail/GrowingTextEdit.h"

#include "text/LinkDetector.h"
#include "ui/common/FocusRing.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

GrowingTextEdit::GrowingTextEdit(bool singleLine, QWidget* parent)
    : QTextEdit(parent)
    , m_singleLine(singleLine)
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    document()->setDocumentMargin(2);
    viewport()->setMouseTracking(true);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &GrowingTextEdit::updateHeight);
    updateHeight();
}

void GrowingTextEdit::setTextKeepingCursor(const QString& text)
{
    if (toPlainText() == text)
        return;
    const int position = textCursor().position();
    setPlainText(text);
    QTextCursor cursor = textCursor();
    cursor.setPosition(qMin(position, int(text.size())));
    setTextCursor(cursor);
    document()->setModified(false);
    updateHeight();
}

void GrowingTextEdit::setPadding(int padding)
{
    m_padding = padding;
    updateHeight();
}

int GrowingTextEdit::heightForText() const
{
    // The text is laid out in the row's own width; an empty field keeps one line so that it
    // can be clicked and typed into.
    const qreal lineHeight = fontMetrics().lineSpacing() + 2 * document()->documentMargin();
    const qreal textHeight = document()->documentLayout()->documentSize().height();
    return qCeil(qMax(textHeight, lineHeight)) + m_padding;
}

void GrowingTextEdit::updateHeight()
{
    const int height = heightForText();
    if (height == m_height)
        return;
    m_height = height;
    setFixedHeight(height);
    Q_EMIT heightChanged(height);
}

void GrowingTextEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    updateHeight();
}

void GrowingTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_singleLine && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Q_EMIT editingFinished();
        return;
    }
    // Escape belongs to the pane: it leaves the field for the task list.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void GrowingTextEdit::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    viewport()->update();
}

void GrowingTextEdit::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    viewport()->update();
    // A pop-up of the field's own (its context menu) is not the end of an edit.
    if (event->reason() != Qt::PopupFocusReason)
        Q_EMIT editingFinished();
}

void GrowingTextEdit::paintEvent(QPaintEvent* event)
{
    QTextEdit::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    FocusRing::paint(painter, viewport()->rect(), FocusRing::color(palette()));
}

void GrowingTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!m_singleLine || !source->hasText()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    textCursor().insertText(text);
}

QUrl GrowingTextEdit::linkAt(const QPoint& position) const
{
    const QString anchor = anchorAt(position);
    if (!anchor.isEmpty())
        return QUrl(anchor, QUrl::TolerantMode);
    const QTextCursor cursor = cursorForPosition(position);
    const QTextBlock block = cursor.block();
    const qsizetype offset = cursor.position() - block.position();
    for (const LinkDetector::Link& link : LinkDetector::links(block.text())) {
        if (offset >= link.start && offset < link.start + link.length)
            return link.url;
    }
    return {};
}

void GrowingTextEdit::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    const bool overLink = (isReadOnly() || event->modifiers() & Qt::ControlModifier) &&
                          !linkAt(event->pos()).isEmpty();
    viewport()->setCursor(overLink ? Qt::PointingHandCursor
                                   : (isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor));
}

void GrowingTextEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || textCursor().hasSelection())
        return;
    if (!isReadOnly() && !(event->modifiers() & Qt::ControlModifier))
        return;
    const QUrl url = linkAt(event->pos());
    if (!url.isEmpty())
        Q_EMIT linkActivated(url);
}

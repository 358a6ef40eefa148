#pragma once

#include <QTextEdit>

// A plain-text field that grows with its text instead of scrolling, for the title and the
// notes of the detail pane. Tab moves on to the next row. The single-line form (the title)
// ends editing on Return and keeps line breaks out of its text. editingFinished follows every
// loss of focus and every Return of the single-line form. Having no frame, it draws the focus
// ring itself while it has the keyboard.
class GrowingTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit GrowingTextEdit(bool singleLine, QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Replaces the text, which the document no longer counts as modified; the cursor stays
    // where it was when it can.
    void setTextKeepingCursor(const QString& text);
    // What the row adds to the text's height.
    void setPadding(int padding);
    // The height of the text laid out in the field's width, plus the padding.
    int heightForText() const;

Q_SIGNALS:
    void editingFinished();
    void heightChanged(int height);
    // A link was activated (Ctrl+click in editable text, a click in read-only text).
    void linkActivated(const QUrl& url);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateHeight();
    QUrl linkAt(const QPoint& position) const;

    bool m_singleLine = false;
    int m_padding = 0;
    int m_height = -1;
};

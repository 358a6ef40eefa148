#pragma once

#include <QLineEdit>

// A text field that, while it is not being edited, ends a text too long for it with an ellipsis
// instead of cutting it at its edge (a long address reads as cut short, not as complete). While
// it has the keyboard it shows and edits the whole text as any field does; text() is always the
// whole text, and the tooltip shows it while it is cut.
class ElidedLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit ElidedLineEdit(QWidget* parent = nullptr);

    // What the field shows at its present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Where the text goes, as QLineEdit places it.
    QRect textRoom() const;
    void updateToolTip();
};

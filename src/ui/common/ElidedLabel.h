#pragma once

#include <QLabel>

// A one-line label that ends its text with an ellipsis when the text is wider than the label,
// instead of cutting it through a character. text() keeps the whole text; the tooltip shows it
// while it is cut.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }
    // What the label shows at its present width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateShownText();

    QString m_fullText;
};

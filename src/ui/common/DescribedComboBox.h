#pragma once

#include <QComboBox>

// A pop-up button that can show a text of its own in place of its current item's title, as
// the repeat row shows a custom rule in words while its menu keeps the item "Custom". Whatever
// it shows ends in "…" when the button is narrower than the text, where a plain pop-up button
// would cut it at the edge.
class DescribedComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Empty: the current item's title.
    void setShownText(const QString& text);
    QString shownText() const;
    // What the button shows at its present width: shownText(), ending in "…" when cut.
    QString visibleText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textField() const;

    QString m_shownText;
};

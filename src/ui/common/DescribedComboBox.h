#pragma once

#include <QComboBox>

// A pop-up button that can show a text of its own in place of its current item's title, as
// the repeat row shows a custom rule in words while its menu keeps the item "Custom". A text
// too long for the button ends in "…".
class DescribedComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Empty: the current item's title.
    void setShownText(const QString& text);
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_shownText;
};

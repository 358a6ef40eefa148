#pragma once

#include <QLayout>
#include <QList>

// Lays its widgets side by side in one centred row while the width allows, and in as many
// centred rows as it takes where it does not, as a row of titles does in a language with longer
// words or in a window as narrow as the screen. It asks for the height of its rows at the
// width it gets.
class CenteredFlowLayout : public QLayout
{
public:
    CenteredFlowLayout(int horizontalSpacing, int verticalSpacing);
    ~CenteredFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (when `apply`) and returns the height the rows take.
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
    int m_horizontalSpacing;
    int m_verticalSpacing;
};

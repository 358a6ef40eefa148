#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class ModeManager;

// Paints a sidebar row: a divider line, or the title (rich text, for the day entry's marker)
// with its count at the right edge over the selection background.
class SidebarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 26;
    static constexpr int kDividerLeftMargin = 15;
    static constexpr int kDividerRightMargin = 12;
    static constexpr qreal kTitlePointSize = 13;
    static constexpr qreal kCountPointSize = 12;
    static constexpr int kTitleLeftMargin = 15;
    static constexpr int kCountRightMargin = 12;
    static constexpr int kTitleCountGap = 6;

    // The width a row needs to show `title` and a count of four digits without cutting either.
    static int widthForRow(const QFont& titleFont, const QFont& countFont, const QString& title);

    explicit SidebarDelegate(ModeManager& modeManager, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The selection accent shared by the sidebar and the merged-list window.
    static QColor accentColor() { return QColor::fromRgbF(0.4862745f, 0.7098039f, 0.8980392f); }
    // A selected row: the accent at 20 % over the table's base colour, with the focus ring
    // (FocusRing.h) around it while the table has the keyboard focus.
    static void paintSelectionBackground(QPainter* painter, const QRect& rect,
                                         const QPalette& palette, bool focused);
    // A divider: a 1-pixel line one point below the middle, inside the margins.
    static void paintDivider(QPainter* painter, const QRect& rect, const QColor& color);

private:
    ModeManager& m_modeManager;
};

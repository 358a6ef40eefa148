#include "ui/main/sidebar/SidebarDelegate.h"

#include "prefs/ModeManager.h"
#include "ui/common/FocusRing.h"
#include "ui/main/sidebar/SidebarModel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

int SidebarDelegate::widthForRow(const QFont& titleFont, const QFont& countFont,
                                 const QString& title)
{
    return kTitleLeftMargin + QFontMetrics(titleFont).horizontalAdvance(title) + kTitleCountGap +
           QFontMetrics(countFont).horizontalAdvance(QStringLiteral("9999")) + kCountRightMargin;
}

SidebarDelegate::SidebarDelegate(ModeManager& modeManager, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_modeManager(modeManager)
{}

void SidebarDelegate::paintSelectionBackground(QPainter* painter, const QRect& rect,
                                               const QPalette& palette, bool focused)
{
    QColor faint = accentColor();
    faint.setAlphaF(0.2f);
    painter->fillRect(rect, faint);
    if (!focused)
        return;
    // The ring is held to its contrast with the tinted row it surrounds.
    const QColor base = palette.color(QPalette::Base);
    const QColor tinted = QColor::fromRgbF(base.redF() * 0.8f + faint.redF() * 0.2f,
                                           base.greenF() * 0.8f + faint.greenF() * 0.2f,
                                           base.blueF() * 0.8f + faint.blueF() * 0.2f);
    FocusRing::paint(*painter, rect, FocusRing::color(palette, {tinted}));
}

void SidebarDelegate::paintDivider(QPainter* painter, const QRect& rect, const QColor& color)
{
    const int y = rect.top() + rect.height() / 2 + 1;
    const int width = rect.width() - kDividerLeftMargin - kDividerRightMargin;
    painter->fillRect(QRect(rect.left() + kDividerLeftMargin, y, qMax(0, width), 1), color);
}

void SidebarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    painter->save();
    const QRect rect = option.rect;
    if (index.data(SidebarModel::IsDividerRole).toBool()) {
        paintDivider(painter, rect, m_modeManager.dividerLineColor());
        painter->restore();
        return;
    }
    if (option.state & QStyle::State_Selected) {
        const bool focused = option.widget && option.widget->hasFocus();
        paintSelectionBackground(painter, rect, option.palette, focused);
    }

    const QString count = index.data(SidebarModel::CountRole).toString();
    const QFont countFont = m_modeManager.fontWithSize(kCountPointSize);
    const int countWidth = count.isEmpty() ? 0 : QFontMetrics(countFont).horizontalAdvance(count);
    const QRect countRect(rect.right() - kCountRightMargin - countWidth, rect.top(), countWidth,
                          rect.height());
    if (!count.isEmpty()) {
        painter->setFont(countFont);
        painter->setPen(m_modeManager.subTextColor());
        painter->drawText(countRect, Qt::AlignRight | Qt::AlignVCenter, count);
    }

    const int titleRight =
        count.isEmpty() ? rect.right() - kCountRightMargin : countRect.left() - kTitleCountGap;
    const QRect titleRect(rect.left() + kTitleLeftMargin, rect.top(),
                          qMax(0, titleRight - rect.left() - kTitleLeftMargin), rect.height());
    const QFont titleFont = m_modeManager.fontWithSize(kTitlePointSize);
    // Only the day entry carries markup (its today marker); every other title is plain text,
    // cut short with an ellipsis when the pane is narrow.
    if (index.data(SidebarModel::KindRole).value<ListKind>() != ListKind::Day) {
        painter->setFont(titleFont);
        painter->setPen(m_modeManager.menuTextColor());
        painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(titleFont).elidedText(index.data().toString(),
                                                             Qt::ElideRight, titleRect.width()));
        painter->restore();
        return;
    }
    QTextDocument title;
    title.setDocumentMargin(0);
    title.setDefaultFont(titleFont);
    title.setHtml(index.data(SidebarModel::RichTitleRole).toString());
    const qreal top = titleRect.top() + (titleRect.height() - title.size().height()) / 2;
    painter->translate(titleRect.left(), top);
    painter->setClipRect(QRectF(0, 0, titleRect.width(), title.size().height()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, m_modeManager.menuTextColor());
    title.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize SidebarDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), kRowHeight);
}

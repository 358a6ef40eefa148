#include "ui/main/detail/ListSelectorRow.h"

#include "data/detail/DetailRowLayout.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/ColorDot.h"

#include <QComboBox>
#include <QHBoxLayout>
ListSelectorRow::ListSelectorRow(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(DetailRowLayout::kRowHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 12, 0);
    m_combo = new QComboBox(this);
    m_combo->setAccessibleName(tr("List"));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMinimumContentsLength(8);
    m_combo->setFrame(false);
    layout->addWidget(m_combo, 1);
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < m_lists.size())
            Q_EMIT chosen(m_lists.at(index));
    });
}

void ListSelectorRow::setLists(const QList<store::CalendarPtr>& visible,
                               const store::CalendarPtr& own, const QString& defaultListIdentifier,
                               const QColor& textColor)
{
    m_lists = visible;
    const auto position = [this](const QString& identifier) {
        for (qsizetype i = 0; i < m_lists.size(); ++i) {
            if (m_lists.at(i)->calendarIdentifier == identifier)
                return int(i);
        }
        return -1;
    };
    if (own && position(own->calendarIdentifier) < 0)
        m_lists.append(own);
    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
    for (const store::CalendarPtr& list : std::as_const(m_lists)) {
        m_combo->addItem(ColorDot::icon(qColor(list->color), 8), list->title);
        m_combo->setItemData(m_combo->count() - 1, textColor, Qt::ForegroundRole);
    }
    int selected = position(defaultListIdentifier);
    if (own)
        selected = position(own->calendarIdentifier);
    m_combo->setCurrentIndex(selected);
}

#include "ui/main/detail/PriorityRow.h"

#include "ui/common/AccessibleRoles.h"

#include "data/detail/DetailRowLayout.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

PriorityRow::PriorityRow(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(DetailRowLayout::kRowHeight);
    // One choice of four: a screen reader announces a group of radio buttons, the chosen one
    // checked.
    setAccessibleName(tr("Priority"));
    AccessibleRoles::give(this, QAccessible::Grouping);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 12, 0);
    layout->setSpacing(2);
    const QStringList titles{tr("None"), QStringLiteral("!"), QStringLiteral("!!"),
                             QStringLiteral("!!!")};
    const QStringList names{tr("No Priority"), tr("Low Priority"), tr("Medium Priority"),
                            tr("High Priority")};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(titles.at(i), this);
        button->setFlat(true);
        button->setCheckable(false);
        button->setAccessibleName(names.at(i));
        AccessibleRoles::give(button, QAccessible::RadioButton, [this, i] { return m_lit == i; });
        button->setToolTip(names.at(i));
        layout->addWidget(button, 1);
        connect(button, &QPushButton::clicked, this, [this, i] { Q_EMIT pressed(i); });
        m_buttons[i] = button;
    }
    keepTitlesWhole();
}

// The four share the row evenly while their titles fit; a longer word for "None" takes the
// room it needs from the marks beside it rather than being cut.
void PriorityRow::keepTitlesWhole()
{
    for (QPushButton* button : m_buttons) {
        const QStyle* style = button->style();
        // What the style adds around a button's text.
        const int padding = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                            2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        button->setMinimumWidth(std::max(
            kLeastButtonWidth, button->fontMetrics().horizontalAdvance(button->text()) + padding));
    }
}

void PriorityRow::setLit(int lit, const QColor& secondary, const QColor& tertiary,
                         const QColor& alert)
{
    m_lit = lit;
    for (int i = 0; i < 4; ++i) {
        QColor color = secondary;
        if (i == lit && i > 0)
            color = alert;
        else if (i == 0 && lit == 0)
            color = tertiary;
        QPalette palette = m_buttons[i]->palette();
        palette.setColor(QPalette::ButtonText, color);
        m_buttons[i]->setPalette(palette);
    }
    if (m_announcedLit != lit && lit >= 0 && lit < 4) {
        AccessibleRoles::announceChoice(m_buttons[lit],
                                        m_announcedLit >= 0 ? m_buttons[m_announcedLit] : nullptr);
        m_announcedLit = lit;
    }
}

void PriorityRow::setButtonFont(const QFont& font)
{
    for (QPushButton* button : m_buttons)
        button->setFont(font);
    keepTitlesWhole();
}

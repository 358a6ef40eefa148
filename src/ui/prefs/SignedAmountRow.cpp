#include "ui/prefs/SignedAmountRow.h"

#include "text/LeadingInteger.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {

// The largest amount a field takes; anything longer is a typing slip, not a plan.
constexpr qint64 kMaximumAmount = 100000;

QList<QAbstractButton*> segments(const QStringList& titles, QWidget* parent, QHBoxLayout* row)
{
    auto* group = new QButtonGroup(parent);
    QList<QAbstractButton*> buttons;
    for (const QString& title : titles) {
        auto* button = new QToolButton(parent);
        button->setText(title);
        button->setCheckable(true);
        group->addButton(button, int(buttons.size()));
        row->addWidget(button);
        buttons << button;
    }
    return buttons;
}

} // namespace

SignedAmountRow::SignedAmountRow(const QStringList& unitTitles, qint64 minimum, QWidget* parent)
    : QWidget(parent)
    , m_number(new QLineEdit(this))
    , m_minimum(minimum)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_signs = segments({QStringLiteral("-"), QStringLiteral("+")}, this, row);
    row->addSpacing(6);
    m_number->setMaximumWidth(60);
    m_number->setAccessibleName(tr("Number"));
    row->addWidget(m_number);
    row->addSpacing(6);
    m_units = segments(unitTitles, this, row);
    row->addStretch(1);
    connect(m_number, &QLineEdit::editingFinished, this, &SignedAmountRow::normalise);
    setAmount(true, minimum, 0);
}

void SignedAmountRow::setAmount(bool forward, qint64 number, int unit)
{
    m_signs.at(forward ? 1 : 0)->setChecked(true);
    m_number->setText(QString::number(number));
    if (QAbstractButton* button = m_units.value(unit))
        button->setChecked(true);
}

bool SignedAmountRow::isForward() const
{
    return !m_signs.at(0)->isChecked();
}

qint64 SignedAmountRow::number() const
{
    return qMax(m_minimum, qAbs(leadingInteger(m_number->text(), kMaximumAmount)));
}

void SignedAmountRow::normalise()
{
    m_number->setText(QString::number(number()));
}

int SignedAmountRow::unit() const
{
    for (int index = 0; index < m_units.size(); ++index) {
        if (m_units.at(index)->isChecked())
            return index;
    }
    return 0;
}

#include "ui/main/detail/CheckDateRow.h"

#include "data/detail/DetailRowLayout.h"
#include "ui/main/detail/DatePickerButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

CheckDateRow::CheckDateRow(const DateFormatters& formatters, const QString& accessibleName,
                           QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(DetailRowLayout::kRowHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 12, 0);
    layout->setSpacing(4);
    m_check = new QCheckBox(this);
    m_check->setAccessibleName(accessibleName);
    m_status = new QLabel(this);
    m_picker = new DatePickerButton(formatters, this);
    m_picker->setAccessibleName(accessibleName);
    layout->addWidget(m_check);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_picker, 1);
    connect(m_check, &QCheckBox::clicked, this, &CheckDateRow::checkChanged);
    connect(m_picker, &DatePickerButton::popoverDismissed, this, &CheckDateRow::pickerDismissed);
}

QToolButton* CheckDateRow::offsetButton()
{
    if (!m_offsets) {
        m_offsets = new QToolButton(this);
        m_offsets->setText(QStringLiteral("…"));
        m_offsets->setPopupMode(QToolButton::InstantPopup);
        m_offsets->setFocusPolicy(Qt::StrongFocus);
        m_offsets->setToolTip(tr("Remind Before the Due Time"));
        m_offsets->setAccessibleName(tr("Remind Before the Due Time"));
        layout()->addWidget(m_offsets);
    }
    return m_offsets;
}

void CheckDateRow::setRowFont(const QFont& font)
{
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        widget->setFont(font);
}

void CheckDateRow::setState(bool checked, const QDateTime& date, const QString& statusText)
{
    m_check->setChecked(checked);
    m_status->setText(statusText);
    m_status->setVisible(!checked);
    m_picker->setVisible(checked);
    if (checked)
        m_picker->setDateTime(date);
    if (m_offsets)
        m_offsets->setVisible(checked);
}

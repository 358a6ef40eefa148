#include "ui/prefs/SmartAddRuleSheet.h"

#include "text/LeadingInteger.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

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

SmartAddRuleSheet::SmartAddRuleSheet(QWidget* parent)
    : QDialog(parent)
    , m_word(new QLineEdit(this))
    , m_kind(new QComboBox(this))
    , m_dateInputs(new QWidget(this))
    , m_number(new QLineEdit(m_dateInputs))
    , m_time(new QTimeEdit(this))
    , m_empty(new QLabel(tr("N/A"), this))
    , m_done(new QPushButton(tr("Add"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Smart Add Rule"));
    m_word->setPlaceholderText(tr("Type in a word to trigger this rule"));
    m_kind->addItems({tr("Due Date"), tr("Due Time"), tr("%1 %2").arg(tr("Alarm"), tr("On")),
                      tr("%1 %2").arg(tr("Alarm"), tr("Off"))});
    for (const QString& day : {tr("Sunday"), tr("Monday"), tr("Tuesday"), tr("Wednesday"),
                               tr("Thursday"), tr("Friday"), tr("Saturday")})
        m_kind->addItem(tr("%1 - %2").arg(tr("Due Date"), day));

    auto* dateRow = new QHBoxLayout(m_dateInputs);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->setSpacing(0);
    m_signs = segments({QStringLiteral("-"), QStringLiteral("+")}, m_dateInputs, dateRow);
    dateRow->addSpacing(6);
    m_number->setMaximumWidth(60);
    m_number->setAccessibleName(tr("Number"));
    dateRow->addWidget(m_number);
    dateRow->addSpacing(6);
    m_units = segments({tr("Days"), tr("Weeks"), tr("Months"), tr("Years")}, m_dateInputs, dateRow);
    dateRow->addStretch(1);
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    m_empty->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(tr("Word:"), m_word);
    form->addRow(tr("Sets:"), m_kind);
    auto* inputs = new QVBoxLayout;
    inputs->addWidget(m_dateInputs);
    inputs->addWidget(m_time);
    inputs->addWidget(m_empty);
    form->addRow(QString(), inputs);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    setMinimumWidth(420);

    m_done->setDefault(true);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &SmartAddRuleSheet::setKind);
    connect(m_number, &QLineEdit::editingFinished, this, &SmartAddRuleSheet::normaliseNumber);
    connect(m_done, &QPushButton::clicked, this, &SmartAddRuleSheet::doneRequested);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setupNew();
}

void SmartAddRuleSheet::setupNew()
{
    m_word->clear();
    m_done->setText(tr("Add"));
    m_signs.at(1)->setChecked(true);
    m_number->setText(QStringLiteral("0"));
    m_units.at(0)->setChecked(true);
    m_time->setTime(QTime(9, 0));
    m_kind->setCurrentIndex(SmartAddRuleChoice::DueDate);
    setKind(SmartAddRuleChoice::DueDate);
    m_word->setFocus();
}

void SmartAddRuleSheet::setupEdit(const SmartAddRule& rule)
{
    setupNew();
    m_done->setText(tr("Edit"));
    m_word->setText(rule.word);
    const SmartAddRuleChoice choice = SmartAddRuleChoice::fromRule(rule);
    m_signs.at(choice.forward ? 1 : 0)->setChecked(true);
    m_number->setText(QString::number(choice.number));
    m_units.at(choice.unit)->setChecked(true);
    if (choice.time.isValid())
        m_time->setTime(choice.time);
    m_kind->setCurrentIndex(choice.kind);
    setKind(choice.kind);
}

void SmartAddRuleSheet::setKind(int kind)
{
    m_dateInputs->setVisible(kind == SmartAddRuleChoice::DueDate);
    m_time->setVisible(kind == SmartAddRuleChoice::DueTime);
    m_empty->setVisible(kind > SmartAddRuleChoice::DueTime);
}

void SmartAddRuleSheet::normaliseNumber()
{
    // A count of days ahead or back: the sign is the segment's, never the text's.
    m_number->setText(QString::number(qAbs(leadingInteger(m_number->text(), 100000))));
}

QString SmartAddRuleSheet::word() const
{
    return m_word->text().trimmed();
}

SmartAddRuleChoice SmartAddRuleSheet::choice() const
{
    SmartAddRuleChoice choice;
    choice.kind = m_kind->currentIndex();
    choice.forward = !m_signs.at(0)->isChecked();
    choice.number = qAbs(leadingInteger(m_number->text(), 100000));
    for (int unit = 0; unit < m_units.size(); ++unit) {
        if (m_units.at(unit)->isChecked())
            choice.unit = unit;
    }
    choice.time = m_time->time();
    return choice;
}

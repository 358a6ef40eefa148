#include "ui/prefs/SmartAddRuleSheet.h"

#include "ui/common/LocaleTimeFormat.h"
#include "ui/common/SheetLook.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

SmartAddRuleSheet::SmartAddRuleSheet(QWidget* parent)
    : QDialog(parent)
    , m_word(new QLineEdit(this))
    , m_kind(new QComboBox(this))
    , m_amount(new SignedAmountRow({tr("Days"), tr("Weeks"), tr("Months"), tr("Years")}, 0, this))
    , m_time(new QTimeEdit(this))
    , m_empty(new QLabel(tr("N/A"), this))
    , m_done(new QPushButton(tr("Add"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    SheetLook::followParentWindow(this);
    setWindowTitle(tr("Smart Add Rule"));
    m_word->setPlaceholderText(tr("Type in a word to trigger this rule"));
    m_kind->addItems({tr("Due Date"), tr("Due Time"), tr("%1 %2").arg(tr("Alarm"), tr("On")),
                      tr("%1 %2").arg(tr("Alarm"), tr("Off"))});
    for (const QString& day : {tr("Sunday"), tr("Monday"), tr("Tuesday"), tr("Wednesday"),
                               tr("Thursday"), tr("Friday"), tr("Saturday")})
        m_kind->addItem(tr("%1 - %2").arg(tr("Due Date"), day));

    m_time->setDisplayFormat(localeTimeEditFormat());
    m_empty->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(tr("Word:"), m_word);
    form->addRow(tr("Sets:"), m_kind);
    auto* inputs = new QVBoxLayout;
    inputs->addWidget(m_amount);
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
    connect(m_done, &QPushButton::clicked, this, &SmartAddRuleSheet::doneRequested);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setupNew();
}

void SmartAddRuleSheet::setupNew()
{
    m_word->clear();
    m_done->setText(tr("Add"));
    m_amount->setAmount(true, 0, 0);
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
    m_amount->setAmount(choice.forward, choice.number, choice.unit);
    if (choice.time.isValid())
        m_time->setTime(choice.time);
    m_kind->setCurrentIndex(choice.kind);
    setKind(choice.kind);
}

void SmartAddRuleSheet::setKind(int kind)
{
    m_amount->setVisible(kind == SmartAddRuleChoice::DueDate);
    m_time->setVisible(kind == SmartAddRuleChoice::DueTime);
    m_empty->setVisible(kind > SmartAddRuleChoice::DueTime);
}

QString SmartAddRuleSheet::word() const
{
    return m_word->text().trimmed();
}

SmartAddRuleChoice SmartAddRuleSheet::choice() const
{
    SmartAddRuleChoice choice;
    choice.kind = m_kind->currentIndex();
    choice.forward = m_amount->isForward();
    choice.number = m_amount->number();
    choice.unit = m_amount->unit();
    choice.time = m_time->time();
    return choice;
}

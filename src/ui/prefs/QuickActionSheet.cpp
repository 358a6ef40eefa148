#include "ui/prefs/QuickActionSheet.h"

#include "ui/common/SheetLook.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString afterText()
{
    return QuickActionSheet::tr(
        "Combination of 'Move to Today' and 'Completed'. When it's recurring task, completing by "
        "this will make next task based from today. (Normally it's made according to due date)");
}

} // namespace

QuickActionSheet::QuickActionSheet(QWidget* parent)
    : QDialog(parent)
    , m_kind(new QComboBox(this))
    , m_empty(new QLabel(this))
    , m_amount(new SignedAmountRow(
          {tr("Minutes"), tr("Hours"), tr("Days"), tr("Weeks"), tr("Months")}, 1, this))
    , m_tagView(new QWidget(this))
    , m_switchView(new QWidget(this))
    , m_tag(new QLineEdit(m_tagView))
    , m_done(new QPushButton(tr("Add"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    SheetLook::followParentWindow(this);
    setWindowTitle(tr("Quick Action"));
    m_kind->addItems({tr("Clear Due Date"), tr("Today"), tr("Now"), tr("Tag"), tr("Due Date"),
                      tr("Switch"), tr("After")});
    m_empty->setWordWrap(true);
    m_empty->setEnabled(false);

    auto* tagRow = new QHBoxLayout(m_tagView);
    tagRow->setContentsMargins(0, 0, 0, 0);
    m_tag->setPlaceholderText(tr("#tag, or a word"));
    tagRow->addWidget(m_tag);

    auto* switchRow = new QHBoxLayout(m_switchView);
    switchRow->setContentsMargins(0, 0, 0, 0);
    for (int index = 0; index < 3; ++index) {
        auto* field = new QLineEdit(m_switchView);
        field->setAccessibleName(tr("Switch word %1").arg(index + 1));
        if (index > 0)
            switchRow->addWidget(new QLabel(QStringLiteral("→"), m_switchView));
        switchRow->addWidget(field);
        m_switchFields << field;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_kind);
    column->addWidget(m_empty);
    column->addWidget(m_amount);
    column->addWidget(m_tagView);
    column->addWidget(m_switchView);
    column->addStretch(1);
    column->addLayout(buttons);
    setMinimumWidth(480);

    m_done->setDefault(true);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &QuickActionSheet::setKind);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setupAdd();
}

void QuickActionSheet::setupAdd()
{
    m_tag->clear();
    for (QLineEdit* field : m_switchFields)
        field->clear();
    m_done->setText(tr("Add"));
    m_amount->setAmount(true, 1, 0);
    const QSignalBlocker block(m_kind);
    m_kind->setCurrentIndex(ClearDueDate);
    showKind(ClearDueDate);
}

void QuickActionSheet::setupEdit(const QuickAction& action)
{
    setupAdd();
    m_done->setText(tr("Edit"));
    int kind = ClearDueDate;
    if (action.isDateShift()) {
        kind = DueDate;
        m_amount->setAmount(action.movesForward(), action.number, int(action.unit()));
    } else if (action.type == QuickAction::Tag || action.type == QuickAction::Word) {
        kind = Tag;
        m_tag->setText(action.tagText());
    } else if (action.type == QuickAction::Switch) {
        kind = Switch;
        for (int index = 0; index < m_switchFields.size(); ++index)
            m_switchFields.at(index)->setText(action.array.value(index));
    } else if (action.type == QuickAction::Today) {
        kind = Today;
    } else if (action.type == QuickAction::Now) {
        kind = Now;
    } else if (action.type == QuickAction::After) {
        kind = After;
    }
    const QSignalBlocker block(m_kind);
    m_kind->setCurrentIndex(kind);
    showKind(kind);
}

void QuickActionSheet::setKind(int kind)
{
    showKind(kind);
    // An empty field starts with the tag sign, as most words here are tags.
    if (kind == Tag && m_tag->text().isEmpty())
        m_tag->setText(QStringLiteral("#"));
    if (kind == Switch) {
        for (QLineEdit* field : m_switchFields) {
            if (field->text().isEmpty())
                field->setText(QStringLiteral("#"));
        }
    }
}

void QuickActionSheet::showKind(int kind)
{
    m_amount->setVisible(kind == DueDate);
    m_tagView->setVisible(kind == Tag);
    m_switchView->setVisible(kind == Switch);
    m_empty->setVisible(kind != DueDate && kind != Tag && kind != Switch);
    m_empty->setText(kind == After ? afterText() : tr("N/A"));
}

std::optional<QuickAction> QuickActionSheet::record()
{
    switch (m_kind->currentIndex()) {
    case Today:
        return QuickAction::withType(QuickAction::Today);
    case Now:
        return QuickAction::withType(QuickAction::Now);
    case Tag:
        return QuickAction::withTagText(m_tag->text());
    case DueDate: {
        return QuickAction::withDateShift(QuickAction::Unit(m_amount->unit()),
                                          m_amount->isForward(), m_amount->number());
    }
    case Switch: {
        QStringList words;
        for (QLineEdit* field : m_switchFields)
            words << field->text();
        return QuickAction::withSwitchFields(words);
    }
    case After:
        return QuickAction::withType(QuickAction::After);
    default:
        return QuickAction::withType(QuickAction::ClearDueDate);
    }
}

#include "ui/main/detail/UrlRow.h"

#include "data/detail/DetailRowLayout.h"
#include "ui/common/ElidedLineEdit.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

UrlRow::UrlRow(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(DetailRowLayout::kRowHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 12, 0);
    layout->setSpacing(4);
    m_field = new ElidedLineEdit(this);
    m_field->setPlaceholderText(tr("No URL"));
    m_field->setFrame(false);
    m_field->setAccessibleName(tr("URL"));
    m_open = new QToolButton(this);
    m_open->setText(QStringLiteral("↗"));
    m_open->setToolTip(tr("Open URL (Ctrl+Return)"));
    m_open->setAccessibleName(tr("Open URL"));
    m_open->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_open);
    auto* open = new QAction(tr("Open URL"), m_field);
    open->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    open->setShortcutContext(Qt::WidgetShortcut);
    m_field->addAction(open);
    connect(open, &QAction::triggered, this, [this] {
        if (!m_open->isHidden())
            Q_EMIT openRequested();
    });
    connect(m_open, &QToolButton::clicked, this, &UrlRow::openRequested);
    connect(m_field, &QLineEdit::textChanged, this, &UrlRow::updateOpenButton);
}

void UrlRow::setText(const QString& text, bool editable)
{
    m_field->setText(text);
    // An address is read from its start.
    m_field->setCursorPosition(0);
    m_field->setModified(false);
    m_field->setReadOnly(!editable);
    updateOpenButton();
}

void UrlRow::updateOpenButton()
{
    m_open->setHidden(m_field->text().isEmpty());
}

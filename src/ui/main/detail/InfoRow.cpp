#include "ui/main/detail/InfoRow.h"

#include "ui/common/ElidedLabel.h"

#include <QVBoxLayout>

InfoRow::InfoRow(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 2, 12, 2);
    layout->setSpacing(2);
    for (ElidedLabel*& label : m_lines) {
        label = new ElidedLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

void InfoRow::setLines(const QStringList& lines)
{
    for (int i = 0; i < 3; ++i) {
        const QString text = lines.value(i);
        m_lines[i]->setFullText(text);
        m_lines[i]->setVisible(!text.isEmpty());
    }
}

QStringList InfoRow::lines() const
{
    QStringList texts;
    for (const ElidedLabel* label : m_lines) {
        if (!label->fullText().isEmpty())
            texts << label->fullText();
    }
    return texts;
}

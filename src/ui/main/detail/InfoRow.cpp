#include "ui/main/detail/InfoRow.h"

#include <QLabel>
#include <QVBoxLayout>

InfoRow::InfoRow(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 2, 12, 2);
    layout->setSpacing(2);
    for (QLabel*& label : m_lines) {
        label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setWordWrap(false);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

void InfoRow::setLines(const QStringList& lines)
{
    for (int i = 0; i < 3; ++i) {
        const QString text = lines.value(i);
        m_lines[i]->setText(text);
        m_lines[i]->setToolTip(text);
        m_lines[i]->setVisible(!text.isEmpty());
    }
}

QStringList InfoRow::lines() const
{
    QStringList texts;
    for (QLabel* label : m_lines) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

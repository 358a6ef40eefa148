#include "ui/main/detail/LocationRow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

LocationRow::LocationRow(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 12, 0);
    layout->setSpacing(4);
    m_check = new QCheckBox(this);
    m_check->setAccessibleName(tr("Location"));
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_check);
    layout->addWidget(m_status, 1);
    connect(m_check, &QCheckBox::clicked, this, &LocationRow::checkClicked);
}

void LocationRow::showReminder(const store::Reminder& reminder)
{
    const QString text = statusText(reminder);
    m_check->setChecked(text != tr("No Location"));
    m_status->setText(text);
    m_status->setToolTip(text);
}

QString LocationRow::statusText(const store::Reminder& reminder)
{
    QString text = tr("No Location");
    for (const store::Alarm& alarm : reminder.alarms) {
        if (!alarm.isLocationAlarm())
            continue;
        QString when;
        if (alarm.proximity == store::Alarm::Proximity::Enter)
            when = tr("When I arrive...");
        else if (alarm.proximity == store::Alarm::Proximity::Leave)
            when = tr("When I leave...");
        text = QStringLiteral("%1 %2").arg(when, alarm.structuredLocation->title);
    }
    return text;
}

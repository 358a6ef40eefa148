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
        //: %1 is the place, as in "When I arrive... Office".
        if (alarm.proximity == store::Alarm::Proximity::Enter)
            text = tr("When I arrive... %1").arg(alarm.structuredLocation->title);
        //: %1 is the place, as in "When I leave... Office".
        else if (alarm.proximity == store::Alarm::Proximity::Leave)
            text = tr("When I leave... %1").arg(alarm.structuredLocation->title);
        else
            text = alarm.structuredLocation->title;
    }
    return text;
}

#include "ui/main/RightViewController.h"

#include "data/DataManager.h"
#include "prefs/ModeManager.h"

#include <QLabel>
#include <QVBoxLayout>

RightViewController::RightViewController(DataManager& manager, ModeManager& modeManager,
                                         QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
{
    setAccessibleName(tr("Details"));
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 44, 20, 20);
    layout->setSpacing(6);
    m_title = new QLabel(this);
    m_title->setWordWrap(true);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_subtitle = new QLabel(this);
    m_subtitle->setWordWrap(true);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
    layout->addStretch(1);
    resetAppearance();
    showSelection();
}

void RightViewController::changeViewWithReminder(const store::ReminderPtr& reminder)
{
    m_reminder = reminder;
    m_event.reset();
    showSelection();
}

void RightViewController::changeViewWithEvent(const store::EventPtr& event)
{
    m_event = event;
    m_reminder.reset();
    showSelection();
}

void RightViewController::showSelection()
{
    if (m_reminder) {
        m_title->setText(m_reminder->title);
        m_subtitle->setText(m_reminder->calendar ? m_reminder->calendar->title : QString());
    } else if (m_event) {
        m_title->setText(m_event->title);
        m_subtitle->setText(m_event->calendar ? m_event->calendar->title : QString());
    } else {
        m_title->setText(tr("No Task Selected"));
        m_subtitle->clear();
    }
}

void RightViewController::resetAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.listBackgroundColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    setPalette(palette);
    m_title->setFont(m_modeManager.fontWithSize(m_modeManager.fontSize() + 2));
    m_subtitle->setFont(m_modeManager.fontWithSize(12));
    QPalette sub = palette;
    sub.setColor(QPalette::WindowText, m_modeManager.subTextColor());
    m_subtitle->setPalette(sub);
}

void RightViewController::setupVisualEffectStateActiveAlways(bool always)
{
    m_activeAlways = always;
    update();
}

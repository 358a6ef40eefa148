#pragma once

#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QWidget>

class DataManager;
class ModeManager;
class QLabel;
class QStackedLayout;

// The detail pane on the right of the main window: it follows the task or event selected in the
// task list. Until the detail editor arrives it names what is selected and says when nothing
// is; the window already opens, closes and relays to it.
class RightViewController : public QWidget
{
    Q_OBJECT

public:
    RightViewController(DataManager& manager, ModeManager& modeManager, QWidget* parent = nullptr);

    void changeViewWithReminder(const store::ReminderPtr& reminder);
    void changeViewWithEvent(const store::EventPtr& event);
    store::ReminderPtr reminder() const { return m_reminder; }
    store::EventPtr event() const { return m_event; }

    void resetAppearance();
    // Pinned windows keep their panes in the active look.
    void setupVisualEffectStateActiveAlways(bool always);

private:
    void showSelection();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    store::ReminderPtr m_reminder;
    store::EventPtr m_event;
    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
    bool m_activeAlways = false;
};

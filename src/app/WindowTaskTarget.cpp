#include "app/WindowTaskTarget.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QListView>

WindowTaskTarget::WindowTaskTarget()
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] { attempt(m_attemptsLeft - 1); });
}

void WindowTaskTarget::setWindow(WindowController* window, DataManager* manager)
{
    if (m_manager)
        disconnect(m_manager, nullptr, this, nullptr);
    m_window = window;
    m_manager = manager;
    // A view switched to while a refresh runs is filled when it ends.
    if (manager)
        connect(manager, &DataManager::remindersRefreshed, this, [this] {
            if (m_pending)
                attempt(m_attemptsLeft);
        });
}

void WindowTaskTarget::bringMainWindowToFront()
{
    if (!m_window)
        return;
    WindowPlacement::bringToFront(m_window);
}

bool WindowTaskTarget::canShowTaskNow() const
{
    return m_window && m_window->isVisible();
}

void WindowTaskTarget::openObject(const store::ReminderPtr& reminder)
{
    bringMainWindowToFront();
    m_retry.stop();
    m_pending = reminder;
    attempt(kMaximumAttempts);
}

void WindowTaskTarget::attempt(int attemptsLeft)
{
    m_attemptsLeft = attemptsLeft;
    if (!m_pending || !m_window)
        return;
    if (canShowTaskNow() && showTask(m_pending)) {
        m_pending.reset();
        m_retry.stop();
        return;
    }
    if (attemptsLeft <= 1) {
        m_pending.reset();
        return;
    }
    m_retry.start(kRetryIntervalMs);
}

bool WindowTaskTarget::showTask(const store::ReminderPtr& reminder)
{
    if (selectInView(reminder))
        return true;
    ViewController* view = m_window->viewController();
    if (reminder->dueDateComponents && m_manager) {
        const QDateTime due = reminder->dueDateComponents->toDateTime();
        if (due.isValid()) {
            m_manager->dates().setSelectedDate(due.toLocalTime().date().startOfDay());
            view->lvc()->presenter().select(0);
            if (selectInView(reminder))
                return true;
        }
    }
    if (reminder->calendar) {
        view->lvc()->presenter().selectListWithCalendarIdentifier(
            reminder->calendar->calendarIdentifier);
        return selectInView(reminder);
    }
    return false;
}

bool WindowTaskTarget::selectInView(const store::ReminderPtr& reminder)
{
    MidViewController* list = m_window->viewController()->mvc();
    if (!list->presenter().selectReminderFromNotifications(reminder))
        return false;
    // Space and Delete act on the task shown, not on the sidebar that had the keyboard.
    list->tableView()->setFocus(Qt::OtherFocusReason);
    return true;
}

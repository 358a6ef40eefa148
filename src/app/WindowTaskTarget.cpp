#include "app/WindowTaskTarget.h"

void WindowTaskTarget::bringMainWindowToFront()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool WindowTaskTarget::canShowTaskNow() const
{
    return m_window && m_window->isVisible();
}

void WindowTaskTarget::openObject(const store::ReminderPtr& reminder)
{
    bringMainWindowToFront();
    m_retry.stop();
    attempt(reminder, kMaximumAttempts);
}

void WindowTaskTarget::attempt(const store::ReminderPtr& reminder, int attemptsLeft)
{
    if (!reminder || !m_selector)
        return;
    if (canShowTaskNow() && m_selector(reminder))
        return;
    if (attemptsLeft <= 1)
        return;
    m_retry.setSingleShot(true);
    m_retry.disconnect();
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry,
                     [this, reminder, attemptsLeft] { attempt(reminder, attemptsLeft - 1); });
    m_retry.start(kRetryIntervalMs);
}

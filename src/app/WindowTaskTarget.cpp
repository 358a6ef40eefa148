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

void WindowTaskTarget::openObject(const store::ReminderPtr&)
{
    bringMainWindowToFront();
}

#include "app/RecentlyDeletedWindows.h"

#include "data/DataManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/WindowFrameKeeper.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/WindowController.h"

RecentlyDeletedWindows::RecentlyDeletedWindows(DataManager& manager, ModeManager& modeManager,
                                               AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_delegate(delegate)
{}

RecentlyDeletedWindows::~RecentlyDeletedWindows()
{
    delete m_window.data();
}

bool RecentlyDeletedWindows::openRecentlyDeleted()
{
    if (!m_window) {
        // Over the main window, so that it stays in front of what it restores into, yet
        // without holding that window up.
        m_window =
            new RecentlyDeletedWindow(m_manager, m_modeManager, m_delegate.windowController());
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        WindowFrameKeeper::keep(m_window, m_manager.defaults(), PrefKey::recentlyDeletedFrameString,
                                m_delegate.windowController());
    }
    WindowPlacement::bringToFront(m_window);
    return true;
}

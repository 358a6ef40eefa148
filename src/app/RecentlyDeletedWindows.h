#pragma once

#include "app/AppDelegate.h"
#include "ui/deleted/RecentlyDeletedWindow.h"

#include <QObject>
#include <QPointer>

class DataManager;
class ModeManager;

// The Recently Deleted window as Edit → Recently Deleted… opens it: one window, made on first
// use over the main window and brought to the front when it is open already.
class RecentlyDeletedWindows : public QObject, public RecentlyDeletedOpener
{
    Q_OBJECT

public:
    RecentlyDeletedWindows(DataManager& manager, ModeManager& modeManager, AppDelegate& delegate,
                           QObject* parent = nullptr);
    ~RecentlyDeletedWindows() override;

    bool openRecentlyDeleted() override;

    RecentlyDeletedWindow* window() const { return m_window; }

private:
    DataManager& m_manager;
    ModeManager& m_modeManager;
    AppDelegate& m_delegate;
    QPointer<RecentlyDeletedWindow> m_window;
};

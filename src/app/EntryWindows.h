#pragma once

#include "app/AppDelegate.h"
#include "ui/panel/StatusItem.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

class AddViewController;
class DataManager;
class ModeManager;
class PanelWindowController;
class SyncScheduler;
class UserDefaults;

// The windows through which tasks are entered from anywhere: the quick-add window that
// File → New Task and the main window's add paths open, and the tray panel with its status icon.
// The composition root makes them and hands them to the application delegate.
class EntryWindows : public QObject, public QuickAddOpener, public TrayPanel
{
    Q_OBJECT

public:
    EntryWindows(DataManager& manager, ModeManager& modeManager, AppDelegate& delegate,
                 QObject* parent = nullptr);
    ~EntryWindows() override;

    // One window at a time: an open one comes to the front instead.
    void openQuickAdd(const QDateTime& date, const QString& listIdentifier) override;
    void openQuickAddForSubtask(const QString& parentIdentifier) override;
    AddViewController* quickAddWindow() const;

    // Made on first use.
    PanelWindowController* panelWindow();
    StatusItem& statusItem() { return m_statusItem; }
    // The accounts' syncing, offered in the panel as well as in the icon's menu.
    void setSyncScheduler(SyncScheduler* scheduler);

    void createStatusItem() override;
    void removeStatusItem() override;
    void togglePanel() override;
    void toggleByHotKey() override;
    void closePanel() override;
    void refreshContent() override;
    void refreshOnMinuteChange() override;

private:
    void makeQuickAdd();
    // Where the user left it, else over the main window or the pointer's screen.
    void showQuickAdd();
    void returnFocusToOpener();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    AppDelegate& m_delegate;
    StatusItem m_statusItem;
    QPointer<AddViewController> m_quickAdd;
    // The window the keyboard was in when the quick-add window opened.
    QPointer<QWidget> m_quickAddOpener;
    QPointer<PanelWindowController> m_panel;
    QPointer<SyncScheduler> m_syncScheduler;
};

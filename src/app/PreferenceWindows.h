#pragma once

#include "app/AppDelegate.h"
#include "platform/UserDefaultsWatcher.h"

#include <QObject>
#include <QPointer>

#include <memory>

class AccountSync;
class DataManager;
class ModeManager;
class PreferenceObject;
class PreferenceWindowController;
class UserDefaults;
class UserNotificationCenter;

// The preferences window as the application opens it: made on first use and kept for the run,
// its pages' effects wired to the application delegate's relays, its questions asked in
// message boxes, and the preference file watched so that another process's change shows.
class PreferenceWindows : public QObject, public PreferencesOpener
{
    Q_OBJECT

public:
    PreferenceWindows(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                      UserNotificationCenter& notificationCenter, AppDelegate& delegate,
                      QObject* parent = nullptr);
    ~PreferenceWindows() override;

    // The accounts the General page shows; set before the window first opens.
    void setAccountSync(AccountSync* accountSync) { m_accountSync = accountSync; }
    bool openPreferences() override;

    PreferenceWindowController* window() const { return m_window.get(); }
    PreferenceObject* preferenceObject() const { return m_object.get(); }

private:
    // Keeps where the user left the window, for the next run.
    void saveFrame();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    UserDefaults& m_defaults;
    UserNotificationCenter& m_notificationCenter;
    AppDelegate& m_delegate;
    AccountSync* m_accountSync = nullptr;
    UserDefaultsWatcher m_watcher;
    std::unique_ptr<PreferenceObject> m_object;
    std::unique_ptr<PreferenceWindowController> m_window;
};

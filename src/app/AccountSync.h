#pragma once

#include "app/AppDelegate.h"
#include "platform/sync/SecretStore.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class Clock;
class DataManager;
class QLabel;
class StatusItem;
class UserDefaults;
class QWidget;

// The CalDAV accounts in the running application: syncs them on its schedule, after local
// changes and from File → Sync Now and the tray menu, shows the state in the main window's
// status line and the tray tooltip, asks what to do with a list emptied on one side, and stops
// vdirsyncer cleanly on quit.
class AccountSync : public QObject, public SyncCommand
{
    Q_OBJECT

public:
    AccountSync(DataManager& manager, UserDefaults& defaults, Clock& clock, AppDelegate& delegate,
                QObject* parent = nullptr);
    ~AccountSync() override;

    // The tray icon's menu offers Sync Now and its tooltip says the state.
    void install(StatusItem& statusItem);
    bool canSyncNow() const override;
    void syncNow() override;
    // After the main window exists.
    void start();
    void stop();

    SyncSetup& setup() { return m_setup; }
    SyncScheduler& scheduler() { return m_scheduler; }

    // The program vdirsyncer runs to keep both versions of a task changed on both sides:
    // velmoran-cli beside this program (or in the build tree), else on the PATH.
    static QString cliProgram();

    // Asks the user what to do with a list whose every task went on one side; no answer leaves
    // it waiting, out of syncing. A message box unless replaced.
    std::function<std::optional<EmptiedChoice>(QWidget* parent, const EmptiedList& list,
                                               const QString& title)>
        askEmptied;

private:
    void showState();
    void askAbout(const QList<EmptiedList>& lists);

    UserDefaults& m_defaults;
    AppDelegate& m_delegate;
    SecretStore m_secrets;
    SyncSetup m_setup;
    SyncScheduler m_scheduler;
    StatusItem* m_statusItem = nullptr;
    QPointer<QLabel> m_statusLabel;
};

#pragma once

#include "platform/sync/SyncAccount.h"
#include "ui/prefs/PreferenceContext.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class AddAccountDialog;
class QLabel;
class QListWidget;
class QPushButton;
class SyncScheduler;
class SyncSetup;

// The CalDAV accounts on the General page: each account with its lists, adding one, choosing
// its lists again, removing one, syncing now and the last result; and the user's own vdirsyncer
// configuration, when there is one, offered as it is.
class AccountsGroup : public QWidget
{
    Q_OBJECT

public:
    AccountsGroup(const PreferenceContext& context, SyncSetup& setup, SyncScheduler& scheduler,
                  QWidget* parent = nullptr);

    // The store folders group does the adding, so the store opens them at once.
    std::function<bool(const QString& folder)> addStoreFolder;
    std::function<void(const QString& folder)> removeStoreFolder;

    void load();
    // Opens the account window (for `existing`: its lists); saving adds the account's folder
    // to the store and syncs.
    AddAccountDialog* openAccountDialog(const SyncAccount* existing = nullptr);
    void removeSelected();
    // Takes the folders of the user's own vdirsyncer configuration into the store and syncs
    // with that configuration as it is.
    void useUserConfig();

    QListWidget* accountList() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* listsButton() const { return m_lists; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* syncButton() const { return m_sync; }
    QLabel* statusLabel() const { return m_status; }
    QPushButton* userConfigButton() const { return m_useUserConfig; }

private:
    void updateState();
    std::optional<SyncAccount> selectedAccount() const;

    PreferenceContext m_context;
    SyncSetup& m_setup;
    SyncScheduler& m_scheduler;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_lists;
    QPushButton* m_remove;
    QPushButton* m_sync;
    QLabel* m_status;
    QLabel* m_userConfig;
    QPushButton* m_useUserConfig;
    QPointer<AddAccountDialog> m_dialog;
};

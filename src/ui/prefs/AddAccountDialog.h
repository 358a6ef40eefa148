#pragma once

#include "platform/sync/SyncAccount.h"
#include "platform/sync/SyncRunner.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class SecretJob;
class SyncSetup;

// Adding a CalDAV account, or choosing the lists of one: the server's address, the user name
// and the password, then the server's collections to sync. The password goes to the secret
// service first, without the window waiting on it (a keyring may ask to be unlocked); leaving
// without saving takes the account away again.
class AddAccountDialog : public QDialog
{
    Q_OBJECT

public:
    // Without `existing`, a new account; with it, choosing its lists again.
    AddAccountDialog(SyncSetup& setup, const SyncAccount* existing = nullptr,
                     QWidget* parent = nullptr);
    ~AddAccountDialog() override;

    // Asks the server (for a new account: stores the password and saves the account first).
    // `serverAnswered` tells when the answer, or the reason there is none, is shown.
    void connectToServer();
    // True while the password is on its way to the secret service.
    bool isStoringPassword() const { return m_secretJob != nullptr; }
    // The saved account, once Save was pressed.
    std::optional<SyncAccount> savedAccount() const { return m_saved; }

    QLineEdit* urlField() const { return m_url; }
    QLineEdit* userField() const { return m_user; }
    QLineEdit* passwordField() const { return m_password; }
    QPushButton* connectButton() const { return m_connect; }
    QListWidget* collectionList() const { return m_collections; }
    QLabel* messageLabel() const { return m_message; }
    QPlainTextEdit* detailsView() const { return m_details; }
    QPushButton* saveButton() const;
    QPushButton* cancelButton() const;

    void done(int result) override;

Q_SIGNALS:
    void serverAnswered();

private:
    void passwordStored(bool ok, const QString& errorText);
    void askServerForNewAccount();
    void setStoringPassword(bool storing);
    void showListing(const SyncReport& listing, const QStringList& chosen);
    void showProblem(const QString& words, const SyncReport& report);
    void save();

    SyncSetup& m_setup;
    SyncRunner m_runner;
    std::optional<SyncAccount> m_account;
    std::optional<SyncAccount> m_saved;
    // The new account whose password is being stored.
    std::optional<SyncAccount> m_pending;
    SecretJob* m_secretJob = nullptr;
    bool m_isNew;
    QLineEdit* m_url;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QPushButton* m_connect;
    QLabel* m_message;
    QPlainTextEdit* m_details;
    QListWidget* m_collections;
    QDialogButtonBox* m_buttons;
};

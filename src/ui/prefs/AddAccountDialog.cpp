#include "ui/prefs/AddAccountDialog.h"

#include "platform/sync/SecretJob.h"
#include "platform/sync/SyncSetup.h"
#include "ui/common/SheetLook.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddAccountDialog::AddAccountDialog(SyncSetup& setup, const SyncAccount* existing, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_isNew(existing == nullptr)
    , m_url(new QLineEdit(this))
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
    , m_connect(new QPushButton(tr("Connect"), this))
    , m_message(new QLabel(this))
    , m_details(new QPlainTextEdit(this))
    , m_collections(new QListWidget(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this))
{
    SheetLook::followParentWindow(this);
    setWindowTitle(m_isNew ? tr("Add CalDAV Account") : tr("Choose Lists to Sync"));
    m_url->setPlaceholderText(tr("https://example.org/dav/"));
    m_password->setEchoMode(QLineEdit::Password);
    m_message->setWordWrap(true);
    m_details->setReadOnly(true);
    m_details->setVisible(false);
    m_details->setMaximumHeight(90);
    m_collections->setVisible(false);
    m_collections->setMinimumHeight(120);
    saveButton()->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow(tr("Server:"), m_url);
    form->addRow(tr("User name:"), m_user);
    form->addRow(tr("Password:"), m_password);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_connect, 0, Qt::AlignRight);
    column->addWidget(m_message);
    column->addWidget(m_details);
    column->addWidget(m_collections);
    column->addWidget(m_buttons);
    setMinimumWidth(460);

    if (existing) {
        m_account = *existing;
        m_url->setText(existing->url);
        m_user->setText(existing->user);
        for (QLineEdit* field : {m_url, m_user, m_password})
            field->setEnabled(false);
        m_password->setPlaceholderText(tr("kept in the secret service"));
        m_connect->setText(tr("Ask the Server Again"));
    }
    connect(m_connect, &QPushButton::clicked, this, &AddAccountDialog::connectToServer);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &AddAccountDialog::save);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

AddAccountDialog::~AddAccountDialog() = default;

QPushButton* AddAccountDialog::saveButton() const
{
    return m_buttons->button(QDialogButtonBox::Save);
}

QPushButton* AddAccountDialog::cancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void AddAccountDialog::connectToServer()
{
    if (m_runner.isRunning() || m_secretJob)
        return;
    m_connect->setEnabled(false);
    m_details->setVisible(false);
    if (m_account) {
        m_message->setText(tr("Asking the server…"));
        const SyncReport listing = m_setup.listCollections(*m_account, m_runner);
        m_connect->setEnabled(true);
        if (!listing.ok())
            showProblem(listing.problemText(), listing);
        else
            showListing(listing, m_account->collections);
        Q_EMIT serverAnswered();
        return;
    }
    if (m_url->text().trimmed().isEmpty() || m_password->text().isEmpty()) {
        m_connect->setEnabled(true);
        m_message->setText(tr("Enter the server's address, your user name and password."));
        Q_EMIT serverAnswered();
        return;
    }
    const SyncSetup::Added prepared =
        m_setup.prepareAccount(m_url->text().trimmed(), m_user->text());
    if (!prepared.account) {
        m_connect->setEnabled(true);
        showProblem(prepared.error, prepared.listing);
        Q_EMIT serverAnswered();
        return;
    }
    m_pending = prepared.account;
    m_secretJob = m_setup.secrets().storeLater(m_pending->id, SyncSetup::passwordLabel(*m_pending),
                                               m_password->text(), this);
    connect(m_secretJob, &SecretJob::finished, this,
            [this](bool ok, const QByteArray&, const QString& errorText) {
                passwordStored(ok, errorText);
            });
    setStoringPassword(true);
    m_secretJob->start();
}

void AddAccountDialog::setStoringPassword(bool storing)
{
    for (QLineEdit* field : {m_url, m_user, m_password})
        field->setEnabled(!storing);
    m_connect->setEnabled(!storing);
    saveButton()->setEnabled(false);
    if (storing)
        m_message->setText(tr("Saving the password in the secret service… If your keyring asks "
                              "to be unlocked, answer it; Cancel stops waiting."));
}

void AddAccountDialog::passwordStored(bool ok, const QString& errorText)
{
    m_secretJob->deleteLater();
    m_secretJob = nullptr;
    setStoringPassword(false);
    if (!ok) {
        m_pending.reset();
        showProblem(SecretStore::storeProblem(errorText), {});
    } else {
        askServerForNewAccount();
    }
    Q_EMIT serverAnswered();
}

void AddAccountDialog::askServerForNewAccount()
{
    m_message->setText(tr("Asking the server…"));
    m_connect->setEnabled(false);
    const SyncSetup::Added added = m_setup.finishAdding(*m_pending, m_runner);
    m_pending.reset();
    m_connect->setEnabled(true);
    if (!added.account)
        return showProblem(added.error, added.listing);
    m_account = added.account;
    m_password->clear();
    for (QLineEdit* field : {m_url, m_user, m_password})
        field->setEnabled(false);
    m_connect->setText(tr("Ask the Server Again"));
    QStringList all;
    for (const SyncReport::Collection& collection : added.listing.discovered)
        all.append(collection.name);
    showListing(added.listing, all);
}

void AddAccountDialog::showListing(const SyncReport& listing, const QStringList& chosen)
{
    m_collections->clear();
    for (const SyncReport::Collection& collection : listing.discovered) {
        auto* item = new QListWidgetItem(collection.displayName, m_collections);
        item->setData(Qt::UserRole, collection.name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(collection.name) ? Qt::Checked : Qt::Unchecked);
    }
    m_collections->setVisible(true);
    QStringList gone;
    for (const QString& name : chosen) {
        const bool onServer = std::any_of(
            listing.discovered.cbegin(), listing.discovered.cend(),
            [&](const SyncReport::Collection& collection) { return collection.name == name; });
        if (!onServer && m_account)
            gone.append(m_setup.listTitle(m_account->id + QLatin1Char('/') + name));
    }
    QString text = listing.discovered.isEmpty()
                       ? tr("The server holds no task list or calendar for this user.")
                       : tr("Choose the lists and calendars to keep on this computer:");
    // Saving leaves them out; their tasks stay in their folders here.
    if (!gone.isEmpty())
        text = tr("No longer on the server, so no longer synced: %1. Their tasks stay on this "
                  "computer.")
                   .arg(gone.join(QLatin1String(", "))) +
               QLatin1Char('\n') + text;
    m_message->setText(text);
    saveButton()->setEnabled(true);
}

void AddAccountDialog::showProblem(const QString& words, const SyncReport& report)
{
    m_message->setText(words);
    // vdirsyncer's own lines, for the user who wants to know more or to report it.
    m_details->setPlainText(report.engineMessages.join(QLatin1Char('\n')));
    m_details->setVisible(!report.engineMessages.isEmpty());
}

void AddAccountDialog::save()
{
    if (!m_account)
        return;
    QStringList chosen;
    for (int row = 0; row < m_collections->count(); ++row) {
        const QListWidgetItem* item = m_collections->item(row);
        if (item->checkState() == Qt::Checked)
            chosen.append(item->data(Qt::UserRole).toString());
    }
    if (!m_setup.setCollections(m_account->id, chosen)) {
        m_message->setText(tr("The sync configuration could not be written to %1.")
                               .arg(m_setup.paths().configFile()));
        return;
    }
    m_account->collections = chosen;
    m_saved = m_account;
    accept();
}

void AddAccountDialog::done(int result)
{
    if (m_secretJob) {
        m_secretJob->cancel();
        delete m_secretJob;
        m_secretJob = nullptr;
        // The keyring may have taken the password just before secret-tool was stopped.
        m_setup.secrets().remove(m_pending->id);
        m_pending.reset();
    }
    m_runner.stop(3000);
    // A new account the user did not save goes, password and all.
    if (result != QDialog::Accepted && m_isNew && m_account && !m_saved)
        m_setup.removeAccount(m_account->id);
    QDialog::done(result);
}

#include "ui/prefs/AccountsGroup.h"

#include "platform/UserDefaults.h"
#include "platform/store/CollectionFinder.h"
#include "platform/store/PeerConfigFiles.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/AddAccountDialog.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString accountLine(const SyncAccount& account)
{
    const QString host = QUrl(account.url).host();
    const QString lists = account.collections.isEmpty()
                              ? AccountsGroup::tr("no list chosen")
                              : account.collections.join(QLatin1String(", "));
    return AccountsGroup::tr("%1 at %2 — %3").arg(account.user, host, lists);
}

} // namespace

AccountsGroup::AccountsGroup(const PreferenceContext& context, SyncSetup& setup,
                             SyncScheduler& scheduler, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_setup(setup)
    , m_scheduler(scheduler)
    , m_list(new QListWidget(this))
    , m_add(new QPushButton(tr("Add Account…"), this))
    , m_lists(new QPushButton(tr("Choose Lists…"), this))
    , m_remove(new QPushButton(tr("Remove"), this))
    , m_sync(new QPushButton(tr("Sync Now"), this))
    , m_status(new QLabel(this))
    , m_userConfig(new QLabel(this))
    , m_useUserConfig(new QPushButton(tr("Sync With It"), this))
{
    m_list->setAccessibleName(tr("Accounts"));
    m_list->setMinimumWidth(420);
    m_list->setFixedHeight(60);
    m_status->setWordWrap(true);
    m_userConfig->setWordWrap(true);
    m_userConfig->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_add, m_lists, m_remove, m_sync})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* offer = new QHBoxLayout;
    offer->addWidget(m_userConfig, 1);
    offer->addWidget(m_useUserConfig);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_list);
    column->addLayout(buttons);
    column->addWidget(m_status);
    column->addLayout(offer);

    connect(m_add, &QPushButton::clicked, this, [this] { openAccountDialog(); });
    connect(m_lists, &QPushButton::clicked, this, [this] {
        if (const auto account = selectedAccount())
            openAccountDialog(&*account);
    });
    connect(m_remove, &QPushButton::clicked, this, &AccountsGroup::removeSelected);
    connect(m_sync, &QPushButton::clicked, &m_scheduler, &SyncScheduler::syncNow);
    connect(m_useUserConfig, &QPushButton::clicked, this, &AccountsGroup::useUserConfig);
    connect(m_list, &QListWidget::currentRowChanged, this, &AccountsGroup::updateState);
    connect(&m_scheduler, &SyncScheduler::stateChanged, this, &AccountsGroup::updateState);
    load();
}

void AccountsGroup::load()
{
    m_list->clear();
    for (const SyncAccount& account : m_setup.accounts()) {
        auto* item = new QListWidgetItem(accountLine(account), m_list);
        item->setData(Qt::UserRole, account.id);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    updateState();
}

std::optional<SyncAccount> AccountsGroup::selectedAccount() const
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    for (const SyncAccount& account : m_setup.accounts()) {
        if (account.id == item->data(Qt::UserRole).toString())
            return account;
    }
    return std::nullopt;
}

void AccountsGroup::updateState()
{
    const bool selected = m_list->currentItem() != nullptr;
    m_lists->setEnabled(selected && !m_scheduler.isRunning());
    m_remove->setEnabled(selected && !m_scheduler.isRunning());
    m_sync->setEnabled(m_scheduler.hasAccounts() && !m_scheduler.isRunning());
    const QString status = m_scheduler.statusText();
    m_status->setText(status.isEmpty() ? tr("No account yet: add the CalDAV server your phone "
                                            "or other computers sync with.")
                                       : status);
    m_status->setToolTip(m_scheduler.lastReport().engineMessages.join(QLatin1Char('\n')));

    const QString theirs = m_scheduler.userConfig();
    const QString found = store::CollectionFinder::forThisUser().vdirsyncerConfig();
    const bool offer = theirs.isEmpty() && QFile::exists(found);
    m_userConfig->setText(
        !theirs.isEmpty()
            ? tr("Also syncing with your own vdirsyncer configuration %1, as it is.")
                  .arg(QDir::toNativeSeparators(theirs))
            : tr("Your own vdirsyncer configuration %1 can be used as it is: its folders "
                 "become store folders and Velmoran runs \"vdirsyncer sync\" with it.")
                  .arg(QDir::toNativeSeparators(found)));
    m_userConfig->setVisible(offer || !theirs.isEmpty());
    m_useUserConfig->setVisible(offer);
}

AddAccountDialog* AccountsGroup::openAccountDialog(const SyncAccount* existing)
{
    if (m_dialog)
        return m_dialog;
    m_dialog = new AddAccountDialog(m_setup, existing, window());
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &QDialog::accepted, this, [this, dialog = m_dialog] {
        const std::optional<SyncAccount> saved = dialog->savedAccount();
        if (saved && addStoreFolder)
            addStoreFolder(m_setup.paths().accountFolder(saved->id));
        load();
        m_scheduler.syncNow();
    });
    m_dialog->open();
    return m_dialog;
}

void AccountsGroup::removeSelected()
{
    const std::optional<SyncAccount> account = selectedAccount();
    if (!account)
        return;
    const PreferenceRelays::Alert question{
        tr("Remove the account %1?").arg(accountLine(*account)),
        tr("Its password is taken out of the secret service and it is no longer synced. The "
           "tasks already on this computer stay in %1.")
            .arg(QDir::toNativeSeparators(m_setup.paths().accountFolder(account->id))),
        tr("Remove")};
    if (!m_context.relays.confirm || !m_context.relays.confirm(window(), question))
        return;
    m_setup.removeAccount(account->id);
    if (removeStoreFolder)
        removeStoreFolder(m_setup.paths().accountFolder(account->id));
    load();
}

void AccountsGroup::useUserConfig()
{
    const store::CollectionFinder finder = store::CollectionFinder::forThisUser();
    const QString path = finder.vdirsyncerConfig();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QHash<QString, QString> environment = [] {
        QHash<QString, QString> values;
        const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        for (const QString& key : system.keys())
            values.insert(key, system.value(key));
        return values;
    }();
    for (const QString& folder :
         PeerConfigFiles::vdirsyncerPaths(QString::fromUtf8(file.read(1 << 20)))) {
        const QString expanded = PeerConfigFiles::expandPath(folder, QDir::homePath(), environment);
        if (addStoreFolder)
            addStoreFolder(expanded);
    }
    m_context.defaults.setObject(path, PrefKey::syncUserConfig);
    m_scheduler.setUserConfig(path);
    m_scheduler.syncNow();
    updateState();
}

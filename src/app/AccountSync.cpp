#include "app/AccountSync.h"

#include "data/DataManager.h"
#include "data/StoreSession.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/PreferenceKeys.h"
#include "ui/panel/StatusItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

std::optional<EmptiedChoice> askWithMessageBox(QWidget* parent, const EmptiedList& list,
                                               const QString& title)
{
    const bool here = list.side == EmptiedList::Side::Here;
    QMessageBox box(
        QMessageBox::Warning, AccountSync::tr("Sync"),
        here ? AccountSync::tr("Every task of \"%1\" was deleted on this computer.").arg(title)
             : AccountSync::tr("Every task of \"%1\" was deleted on the server.").arg(title),
        QMessageBox::NoButton, parent);
    box.setInformativeText(
        here ? AccountSync::tr("Delete them on the server too, so that your other devices lose "
                               "them as well, or bring them back here? Until you choose, the "
                               "list is not synced.")
             : AccountSync::tr("Delete them on this computer too, or send them back to the "
                               "server? Either way a copy of this computer's tasks is in %1. "
                               "Until you choose, the list is not synced.")
                   .arg(QDir::toNativeSeparators(list.copyFolder)));
    box.setWindowModality(Qt::WindowModal);
    QPushButton* passOn = box.addButton(here ? AccountSync::tr("Delete on the Server")
                                             : AccountSync::tr("Delete Here Too"),
                                        QMessageBox::DestructiveRole);
    QPushButton* restore =
        box.addButton(here ? AccountSync::tr("Bring Them Back") : AccountSync::tr("Send Them Back"),
                      QMessageBox::AcceptRole);
    box.addButton(AccountSync::tr("Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == passOn)
        return EmptiedChoice::PassOn;
    if (box.clickedButton() == restore)
        return EmptiedChoice::Restore;
    return std::nullopt;
}

} // namespace

AccountSync::AccountSync(DataManager& manager, UserDefaults& defaults, Clock& clock,
                         AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_delegate(delegate)
    , m_setup(SyncPaths::forThisUser(), m_secrets, {cliProgram(), QStringLiteral("sync-conflict")})
    , m_scheduler(m_setup, clock)
{
    askEmptied = askWithMessageBox;
    m_secrets.setRemovesInBackground(true);
    connect(&manager.session(), &StoreSession::storeChanged, &m_scheduler,
            &SyncScheduler::noteLocalChange);
    connect(&m_scheduler, &SyncScheduler::stateChanged, this, &AccountSync::showState);
    // Asked after the sync has ended and said so, not from inside its report.
    connect(&m_scheduler, &SyncScheduler::emptiedListsWaiting, this, &AccountSync::askAbout,
            Qt::QueuedConnection);
    // What a sync removes from the store is kept in Recently Deleted as removed by the sync:
    // the store's snapshot is made current right before vdirsyncer starts.
    connect(&m_scheduler.runner(), &SyncRunner::started, this, [&manager] {
        if (store::EventStore* eventStore = manager.session().eventStore())
            eventStore->beginSync();
    });
    connect(&m_scheduler.runner(), &SyncRunner::finished, this, [&manager] {
        if (store::EventStore* eventStore = manager.session().eventStore())
            eventStore->endSync();
    });
    const auto applyInterval = [this] {
        const QVariant stored = m_defaults.objectForKey(PrefKey::syncInterval);
        m_scheduler.setIntervalMinutes(stored.isValid() ? stored.toInt()
                                                        : PrefKey::kDefaultSyncIntervalMinutes);
    };
    applyInterval();
    m_scheduler.setUserConfig(m_defaults.stringForKey(PrefKey::syncUserConfig));
    connect(&m_defaults, &UserDefaults::changed, this, [applyInterval](const QString& key) {
        if (key == PrefKey::syncInterval)
            applyInterval();
    });
}

AccountSync::~AccountSync()
{
    stop();
}

QString AccountSync::cliProgram()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {here + QLatin1String("/velmoran-cli"), here + QLatin1String("/../cli/velmoran-cli")}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("velmoran-cli"));
    return onPath.isEmpty() ? QStringLiteral("velmoran-cli") : onPath;
}

bool AccountSync::canSyncNow() const
{
    return m_scheduler.hasAccounts() && !m_scheduler.isRunning();
}

void AccountSync::syncNow()
{
    m_scheduler.syncNow();
}

void AccountSync::install(StatusItem& statusItem)
{
    m_statusItem = &statusItem;
    statusItem.syncNow = [this] { m_scheduler.syncNow(); };
}

void AccountSync::start()
{
    m_scheduler.start();
    showState();
}

void AccountSync::stop()
{
    m_scheduler.stop();
}

void AccountSync::askAbout(const QList<EmptiedList>& lists)
{
    for (const EmptiedList& list : lists) {
        if (!askEmptied)
            return;
        if (const auto choice =
                askEmptied(m_delegate.windowController(), list, m_setup.listTitle(list.name())))
            m_scheduler.choose(list, *choice);
    }
}

void AccountSync::showState()
{
    const QString text = m_scheduler.statusText();
    if (m_statusItem)
        m_statusItem->setSyncStatus(text);
    WindowController* window = m_delegate.windowController();
    if (!window)
        return;
    // The status line appears with the first account, so that a window without one stays as
    // it was.
    if (!m_statusLabel && !text.isEmpty()) {
        m_statusLabel = new QLabel(window);
        m_statusLabel->setObjectName(QStringLiteral("syncStatus"));
        window->statusBar()->addPermanentWidget(m_statusLabel, 1);
    }
    if (!m_statusLabel)
        return;
    m_statusLabel->setText(text);
    const SyncReport& report = m_scheduler.lastReport();
    // vdirsyncer's own words are there for whoever wants them.
    m_statusLabel->setToolTip(report.engineMessages.join(QLatin1Char('\n')));
    window->statusBar()->setVisible(!text.isEmpty());
}

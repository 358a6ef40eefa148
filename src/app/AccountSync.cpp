#include "app/AccountSync.h"

#include "data/DataManager.h"
#include "data/StoreSession.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/PreferenceKeys.h"
#include "ui/panel/StatusItem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>

AccountSync::AccountSync(DataManager& manager, UserDefaults& defaults, Clock& clock,
                         AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_delegate(delegate)
    , m_setup(SyncPaths::forThisUser(), m_secrets, {cliProgram(), QStringLiteral("sync-conflict")})
    , m_scheduler(m_setup, clock)
{
    m_secrets.setRemovesInBackground(true);
    connect(&manager.session(), &StoreSession::storeChanged, &m_scheduler,
            &SyncScheduler::noteLocalChange);
    connect(&m_scheduler, &SyncScheduler::stateChanged, this, &AccountSync::showState);
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

void AccountSync::install(AppDelegate::Windows& windows, StatusItem& statusItem)
{
    windows.syncNow = [this] { m_scheduler.syncNow(); };
    windows.canSyncNow = [this] { return m_scheduler.hasAccounts() && !m_scheduler.isRunning(); };
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

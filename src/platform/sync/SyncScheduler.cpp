#include "platform/sync/SyncScheduler.h"

#include "platform/Clock.h"
#include "platform/sync/SyncSetup.h"

#include <QLocale>

namespace {

// The store's watcher reports a folder change a moment after the files changed.
constexpr int kOwnWritesMs = 3000;

} // namespace

SyncScheduler::SyncScheduler(SyncSetup& setup, Clock& clock, QObject* parent)
    : QObject(parent)
    , m_setup(setup)
    , m_clock(clock)
{
    for (QTimer* timer : {&m_debounce, &m_startDelay})
        timer->setSingleShot(true);
    m_startDelay.setInterval(kStartDelayMs);
    m_debounce.setInterval(kChangeDelayMs);
    setIntervalMinutes(15);
    connect(&m_periodic, &QTimer::timeout, this, &SyncScheduler::syncNow);
    connect(&m_debounce, &QTimer::timeout, this, &SyncScheduler::syncNow);
    connect(&m_startDelay, &QTimer::timeout, this, &SyncScheduler::syncNow);
    connect(&m_runner, &SyncRunner::finished, this, &SyncScheduler::finished);
    connect(&m_runner, &SyncRunner::started, this, [this] {
        m_done = 0;
        m_total = m_setup.collectionCount();
        Q_EMIT stateChanged();
    });
    connect(&m_runner, &SyncRunner::progress, this, [this](int done, int total) {
        m_done = done;
        m_total = total;
        Q_EMIT stateChanged();
    });
}

SyncScheduler::~SyncScheduler()
{
    // The runner ends a sync it is in the middle of, and its report must not reach members
    // that are already gone.
    m_runner.disconnect(this);
    m_runner.stop(10000);
}

bool SyncScheduler::hasAccounts() const
{
    return m_setup.collectionCount() > 0 || !m_userConfig.isEmpty();
}

void SyncScheduler::setIntervalMinutes(int minutes)
{
    if (minutes <= 0) {
        m_periodic.stop();
        return;
    }
    m_periodic.setInterval(minutes * 60 * 1000);
    if (!m_stopped)
        m_periodic.start();
}

void SyncScheduler::setDelays(int startMs, int changeMs)
{
    m_startDelay.setInterval(startMs);
    m_debounce.setInterval(changeMs);
}

void SyncScheduler::start()
{
    m_stopped = false;
    m_startDelay.start();
    if (m_periodic.interval() > 0)
        m_periodic.start();
}

void SyncScheduler::syncNow()
{
    if (m_stopped || !hasAccounts())
        return;
    if (m_runner.isRunning()) {
        m_pending = true;
        return;
    }
    m_debounce.stop();
    m_pending = false;
    m_runner.setEmptiedOnServer(
        [this](const QStringList& collections) { return m_setup.keepCopies(collections); });
    m_ownRun = m_setup.collectionCount() > 0;
    m_cycleHadOwnRun = m_ownRun;
    if (!m_ownRun) {
        m_runner.start(m_userConfig, SyncRunner::userConfigSteps());
        return;
    }
    // A configuration that cannot be written leaves the last one, or none, and vdirsyncer
    // then says what is wrong with it.
    m_setup.writeConfig();
    m_runner.start(m_setup.paths().configFile(),
                   SyncRunner::syncSteps(m_setup.emptiedCollections()), m_setup.collectionCount());
}

void SyncScheduler::noteLocalChange()
{
    if (m_stopped || (m_quietUntil.isValid() && m_clock.now() < m_quietUntil))
        return;
    // During a sync the change may be the user's or the sync's own: one more sync after it
    // settles which, at the price of a run that finds nothing to do.
    if (m_runner.isRunning()) {
        m_changedDuringRun = true;
        return;
    }
    m_debounce.start();
}

void SyncScheduler::stop()
{
    m_stopped = true;
    m_periodic.stop();
    m_debounce.stop();
    m_startDelay.stop();
    m_pending = false;
    m_runner.stop(10000);
}

void SyncScheduler::finished(const SyncReport& report)
{
    const bool firstOfTwo = m_ownRun && !m_userConfig.isEmpty() && !m_stopped;
    // The accounts' run comes first; when it failed, that stays what the user sees.
    if (m_ownRun || !m_cycleHadOwnRun || m_lastReport.ok())
        m_lastReport = report;
    if (firstOfTwo) {
        m_ownRun = false;
        m_runner.start(m_userConfig, SyncRunner::userConfigSteps());
        return;
    }
    m_lastFinished = m_clock.now();
    m_quietUntil = m_lastFinished.addMSecs(kOwnWritesMs);
    Q_EMIT stateChanged();
    if (m_pending && !m_stopped)
        QTimer::singleShot(0, this, &SyncScheduler::syncNow);
    else if (m_changedDuringRun && !m_stopped)
        m_debounce.start();
    m_changedDuringRun = false;
}

QString SyncScheduler::statusText() const
{
    if (!hasAccounts())
        return {};
    if (m_runner.isRunning())
        return m_total > 0 ? tr("Syncing… (%1 of %2 lists)").arg(m_done).arg(m_total)
                           : tr("Syncing…");
    if (!m_lastFinished.isValid())
        return tr("Not synced yet");
    const QString when = QLocale().toString(m_lastFinished.time(), QLocale::ShortFormat);
    const SyncReport& report = m_lastReport;
    if (!report.ok())
        return tr("Sync failed at %1: %2").arg(when, report.problemText());
    return tr("Synced at %1: %2").arg(when, report.summary());
}

#include "platform/sync/SyncScheduler.h"

#include "platform/Clock.h"
#include "platform/sync/SyncSetup.h"

#include <QLocale>

#include <utility>

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
    for (QTimer* timer : {&m_periodic, &m_debounce, &m_startDelay})
        connect(timer, &QTimer::timeout, this, [this] { sync(false); });
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
    sync(true);
}

void SyncScheduler::choose(const EmptiedList& list, EmptiedChoice choice)
{
    m_choices.insert(list.name(), choice);
    sync(false);
}

void SyncScheduler::sync(bool asked)
{
    if (m_stopped || !hasAccounts())
        return;
    if (m_runner.isRunning()) {
        m_pending = true;
        m_asked = m_asked || asked;
        return;
    }
    m_debounce.stop();
    m_pending = false;
    m_asked = asked;
    m_ownRun = m_setup.collectionCount() > 0;
    m_cycleHadOwnRun = m_ownRun;
    if (!m_ownRun) {
        m_runner.setRecovery({});
        m_runner.start(m_userConfig, SyncRunner::userConfigSteps());
        return;
    }
    // The choices go with the sync that applies them; a list emptied again later is asked
    // about again.
    m_run = std::make_unique<AccountsRun>(m_setup, std::exchange(m_choices, {}));
    // A configuration that cannot be written leaves the last one, or none, and vdirsyncer
    // then says what is wrong with it.
    QList<SyncRunner::Step> steps = m_run->begin();
    if (steps.isEmpty())
        steps = SyncRunner::syncSteps();
    m_runner.setRecovery(
        [run = m_run.get()](const QStringList& failedStep, const SyncReport& soFar) {
            return run->recover(failedStep, soFar);
        });
    m_runner.start(m_setup.paths().configFile(), steps, m_setup.collectionCount());
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

void SyncScheduler::finished(const SyncReport& raw)
{
    const SyncReport report = m_ownRun && m_run ? m_run->finish(raw) : raw;
    const bool firstOfTwo = m_ownRun && !m_userConfig.isEmpty() && !m_stopped;
    // The accounts' run comes first; when it failed, that stays what the user sees.
    if (m_ownRun || !m_cycleHadOwnRun || m_lastReport.ok())
        m_lastReport = report;
    if (m_ownRun)
        tellWaiting(report.waiting);
    if (firstOfTwo) {
        m_ownRun = false;
        m_runner.setRecovery({});
        m_runner.start(m_userConfig, SyncRunner::userConfigSteps());
        return;
    }
    m_lastFinished = m_clock.now();
    m_quietUntil = m_lastFinished.addMSecs(kOwnWritesMs);
    Q_EMIT stateChanged();
    if (m_pending && !m_stopped)
        QTimer::singleShot(0, this, [this] { sync(m_asked); });
    else if (m_changedDuringRun && !m_stopped)
        m_debounce.start();
    m_changedDuringRun = false;
}

void SyncScheduler::tellWaiting(const QList<EmptiedList>& waiting)
{
    QList<EmptiedList> tell;
    QStringList names;
    for (const EmptiedList& list : waiting) {
        names.append(list.name());
        if (m_asked || !m_toldWaiting.contains(list.name()))
            tell.append(list);
    }
    m_toldWaiting = names;
    if (!tell.isEmpty())
        Q_EMIT emptiedListsWaiting(tell);
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
    const QString notices = report.notices().join(QLatin1Char(' '));
    const QString text = report.ok() ? tr("Synced at %1: %2").arg(when, report.summary())
                                     : tr("Sync failed at %1: %2").arg(when, report.problemText());
    return notices.isEmpty() ? text : text + QLatin1Char(' ') + notices;
}

#pragma once

#include "platform/sync/AccountsRun.h"
#include "platform/sync/SyncReport.h"
#include "platform/sync/SyncRunner.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <memory>

class Clock;
class SyncSetup;

// When the accounts sync: shortly after start, every few minutes, a few seconds after the
// last of a run of local changes, and on demand; never two at a time (a request during a
// sync runs once after it). Keeps the state the window and the tray show.
class SyncScheduler : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStartDelayMs = 3000;
    static constexpr int kChangeDelayMs = 5000;

    SyncScheduler(SyncSetup& setup, Clock& clock, QObject* parent = nullptr);
    ~SyncScheduler() override;

    bool hasAccounts() const;
    bool isRunning() const { return m_runner.isRunning(); }
    SyncRunner& runner() { return m_runner; }
    // Of the last sync; with the user's own configuration too, the first that failed.
    const SyncReport& lastReport() const { return m_lastReport; }
    // The user's own vdirsyncer configuration, synced after the accounts (empty: none).
    void setUserConfig(const QString& path) { m_userConfig = path; }
    QString userConfig() const { return m_userConfig; }
    QDateTime lastFinished() const { return m_lastFinished; }
    // One line for the window's status and the tray tooltip; empty without accounts.
    QString statusText() const;

    // 0 minutes: no periodic sync.
    void setIntervalMinutes(int minutes);
    void setDelays(int startMs, int changeMs);
    void start();
    // A sync the user asked for: lists waiting for their choice are asked about again after it.
    void syncNow();
    // The user's choice for an emptied list, applied by a sync that starts at once.
    void choose(const EmptiedList& list, EmptiedChoice choice);
    // A change in the store: syncs after a quiet moment, unless the sync that just ended made
    // it.
    void noteLocalChange();
    // For quitting: interrupts a running sync and waits for vdirsyncer to end.
    void stop();

Q_SIGNALS:
    void stateChanged();
    // Lists emptied on one side wait for the user's choice (`choose`): said once for a list
    // found in a sync, and again after each sync the user asked for.
    void emptiedListsWaiting(const QList<EmptiedList>& lists);

private:
    void sync(bool asked);
    void finished(const SyncReport& raw);
    void tellWaiting(const QList<EmptiedList>& waiting);

    SyncSetup& m_setup;
    Clock& m_clock;
    SyncRunner m_runner;
    QTimer m_periodic;
    QTimer m_debounce;
    QTimer m_startDelay;
    bool m_pending = false;
    bool m_changedDuringRun = false;
    bool m_stopped = false;
    int m_done = 0;
    int m_total = 0;
    QDateTime m_lastFinished;
    SyncReport m_lastReport;
    QString m_userConfig;
    bool m_ownRun = false;
    bool m_asked = false;
    std::unique_ptr<AccountsRun> m_run;
    QHash<QString, EmptiedChoice> m_choices;
    QStringList m_toldWaiting;
    bool m_cycleHadOwnRun = false;
    // Changes the store announces right after a sync are the sync's own writes.
    QDateTime m_quietUntil;
};

#pragma once

#include "platform/sync/SyncReport.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <functional>
#include <optional>

// Runs vdirsyncer on one configuration, one step after another (listing, discovering,
// syncing), and never two runs at a time. Reads its output as it comes into progress and a
// report, answers its questions (create a missing collection here: yes; on the server: no),
// and stops it with an interrupt so that its status stays consistent.
class SyncRunner : public QObject
{
    Q_OBJECT

public:
    struct Step
    {
        QStringList arguments; // after "-c <config>"
    };

    explicit SyncRunner(QString program = QStringLiteral("vdirsyncer"), QObject* parent = nullptr);
    ~SyncRunner() override;

    // The steps of a sync of our own configuration: discover (which also notices collections
    // gone from the server), sync, then the lists' names and colours. `forceDelete` names
    // ("pair/collection") lists whose emptying the user wants passed on: vdirsyncer refuses
    // to pass on such a deletion unless told it was meant.
    static QList<Step> syncSteps(const QStringList& forceDelete = {});
    // A configuration of the user's is only ever synced.
    static QList<Step> userConfigSteps();
    static QList<Step> listingSteps();

    // False when a run is going on.
    bool start(const QString& configFile, const QList<Step>& steps, int collectionCount = 0);
    // True from the moment `started` is said until `finished` is, between steps too.
    bool isRunning() const { return m_running; }
    // Asked when a step fails, with its arguments and the report so far: the steps to run
    // instead of the rest (the run goes on with its problems forgotten), or none (the run
    // ends with them). Set before `start`; a run keeps the one it started with.
    using Recovery =
        std::function<std::optional<QList<Step>>(const QStringList&, const SyncReport&)>;
    void setRecovery(Recovery recovery) { m_recovery = std::move(recovery); }
    // A run that prints nothing for this long is stopped as timed out.
    void setSilenceLimit(int milliseconds) { m_silence.setInterval(milliseconds); }
    // Interrupts a run and waits up to `milliseconds` for it to end, then kills it.
    void stop(int milliseconds = 5000);
    // Runs to the end in a local event loop (for the command line).
    SyncReport runAndWait(const QString& configFile, const QList<Step>& steps,
                          int collectionCount = 0);

    const SyncReport& lastReport() const { return m_lastReport; }

Q_SIGNALS:
    void started();
    // `done` of `total` collections (total 0: not known).
    void progress(int done, int total, const QString& collection);
    void finished(const SyncReport& report);

private:
    void startStep();
    void readOutput();
    void stepFinished(int exitCode, QProcess::ExitStatus status);
    void answerPrompt();
    void end(bool succeeded);

    QString m_program;
    QString m_configFile;
    QList<Step> m_steps;
    int m_collectionCount = 0;
    QPointer<QProcess> m_process;
    bool m_running = false;
    QByteArray m_pending;
    QString m_lastWarning;
    QStringList m_currentArguments;
    Recovery m_recovery;
    SyncOutputReader m_reader;
    QTimer m_silence;
    bool m_stopping = false;
    bool m_timedOut = false;
    SyncReport m_lastReport;
};

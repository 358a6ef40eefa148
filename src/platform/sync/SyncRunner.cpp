#include "platform/sync/SyncRunner.h"

#include <QEventLoop>
#include <QRegularExpression>

#include <csignal>

SyncRunner::SyncRunner(QString program, QObject* parent)
    : QObject(parent)
    , m_program(std::move(program))
{
    m_silence.setSingleShot(true);
    m_silence.setInterval(120000);
    connect(&m_silence, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        stop(3000);
    });
}

SyncRunner::~SyncRunner()
{
    stop(5000);
}

QList<SyncRunner::Step> SyncRunner::syncSteps(const QStringList& forceDelete)
{
    QList<Step> steps{{{QStringLiteral("discover")}}};
    if (!forceDelete.isEmpty())
        steps.append(
            {QStringList{QStringLiteral("sync"), QStringLiteral("--force-delete")} + forceDelete});
    steps.append({{QStringLiteral("sync")}});
    steps.append({{QStringLiteral("metasync")}});
    return steps;
}

QList<SyncRunner::Step> SyncRunner::userConfigSteps()
{
    return {{{QStringLiteral("sync")}}};
}

QList<SyncRunner::Step> SyncRunner::listingSteps()
{
    return {{{QStringLiteral("discover")}}};
}

bool SyncRunner::start(const QString& configFile, const QList<Step>& steps, int collectionCount)
{
    if (isRunning() || steps.isEmpty())
        return false;
    m_configFile = configFile;
    m_steps = steps;
    m_collectionCount = collectionCount;
    m_reader = SyncOutputReader();
    m_stopping = false;
    m_timedOut = false;
    m_running = true;
    Q_EMIT started();
    startStep();
    return true;
}

void SyncRunner::startStep()
{
    const Step step = m_steps.takeFirst();
    m_currentArguments = step.arguments;
    m_pending.clear();
    m_lastWarning.clear();
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Plain lines without colours, in a language the reader understands.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("PYTHONUNBUFFERED"), QStringLiteral("1"));
    m_process->setProcessEnvironment(environment);
    connect(m_process, &QProcess::readyRead, this, &SyncRunner::readOutput);
    connect(m_process, &QProcess::finished, this, &SyncRunner::stepFinished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_reader.addLine(QStringLiteral("critical: %1 could not be started: %2")
                             .arg(m_program, m_process->errorString()));
        m_process->deleteLater();
        m_process = nullptr;
        end(false);
    });
    m_silence.start();
    m_process->start(m_program, QStringList{QStringLiteral("-c"), m_configFile} + step.arguments);
}

void SyncRunner::readOutput()
{
    if (!m_process)
        return;
    m_silence.start();
    m_pending += m_process->readAll();
    qsizetype newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_pending.left(newline));
        m_pending.remove(0, newline + 1);
        if (line.startsWith(QLatin1String("warning: ")))
            m_lastWarning = line;
        m_reader.addLine(line);
        if (line.startsWith(QLatin1String("Syncing ")))
            Q_EMIT progress(int(m_reader.report().collectionsSynced.size()), m_collectionCount,
                            m_reader.report().collectionsSynced.constLast());
    }
    if (m_pending.endsWith("[y/N]: "))
        answerPrompt();
}

// vdirsyncer asks before creating a collection one side lacks. Here that is the list's folder
// and is always fine; on the server it would bring back a list someone deleted there, so the
// run is told it is missing instead.
void SyncRunner::answerPrompt()
{
    static const QRegularExpression missing(
        QStringLiteral("No collection .* found for storage (\\S+)\\.$"));
    const QRegularExpressionMatch match = missing.match(m_lastWarning);
    const bool local = match.hasMatch() && match.captured(1).endsWith(QLatin1String("_local"));
    m_reader.addLine(QString::fromUtf8(m_pending) +
                     (local ? QLatin1String("y") : QLatin1String("n")));
    m_pending.clear();
    m_process->write(local ? "y\n" : "n\n");
}

void SyncRunner::stepFinished(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    if (!m_pending.isEmpty())
        m_reader.addLine(QString::fromUtf8(m_pending));
    m_pending.clear();
    m_process->deleteLater();
    m_process = nullptr;
    bool succeeded = status == QProcess::NormalExit && exitCode == 0;
    // A signal that ended it while it was not being stopped came from someone else (QProcess
    // gives the signal as the exit code).
    if (status == QProcess::CrashExit && !m_stopping) {
        m_reader.setKilled(exitCode);
    } else if (!succeeded && !m_stopping && m_recovery) {
        if (const auto instead = m_recovery(m_currentArguments, m_reader.report())) {
            m_reader.clearProblems();
            m_steps = *instead;
            succeeded = true;
        }
    }
    if (!succeeded || m_stopping || m_steps.isEmpty())
        end(succeeded && !m_stopping);
    else
        startStep();
}

void SyncRunner::end(bool succeeded)
{
    m_silence.stop();
    m_steps.clear();
    if (m_timedOut)
        m_reader.setProblem(SyncReport::Problem::Timeout);
    else if (m_stopping)
        m_reader.setProblem(SyncReport::Problem::Stopped);
    m_reader.finish(succeeded);
    m_lastReport = m_reader.report();
    m_running = false;
    Q_EMIT finished(m_lastReport);
}

void SyncRunner::stop(int milliseconds)
{
    if (!m_process)
        return;
    m_stopping = true;
    m_steps.clear();
    // An interrupt lets vdirsyncer finish the item in hand and close its status database;
    // killing it is only for one that does not listen.
    if (m_process->state() != QProcess::NotRunning)
        ::kill(pid_t(m_process->processId()), SIGINT);
    if (!m_process->waitForFinished(milliseconds) && m_process) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

SyncReport SyncRunner::runAndWait(const QString& configFile, const QList<Step>& steps,
                                  int collectionCount)
{
    QEventLoop loop;
    const QMetaObject::Connection connection =
        connect(this, &SyncRunner::finished, &loop, &QEventLoop::quit);
    if (start(configFile, steps, collectionCount))
        loop.exec();
    disconnect(connection);
    return m_lastReport;
}

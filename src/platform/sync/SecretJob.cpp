#include "platform/sync/SecretJob.h"

#include <QCoreApplication>

SecretJob::SecretJob(QString program, QStringList arguments, QByteArray input, QObject* parent)
    : QObject(parent)
    , m_program(std::move(program))
    , m_arguments(std::move(arguments))
    , m_input(std::move(input))
{}

SecretJob::~SecretJob()
{
    cancel();
}

QString SecretJob::cannotStartText(const QString& reason)
{
    return QCoreApplication::translate("SecretStore",
                                       "The program secret-tool could not be started (%1). "
                                       "Install the package libsecret-tools.")
        .arg(reason);
}

void SecretJob::start()
{
    if (m_process)
        return;
    m_process = new QProcess(this);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false, cannotStartText(m_process->errorString()));
    });
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                const QString stderrText =
                    QString::fromUtf8(m_process->readAllStandardError()).trimmed();
                const bool ok = status == QProcess::NormalExit && exitCode == 0;
                end(ok, ok ? QString() : stderrText);
            });
    m_process->start(m_program, m_arguments);
    // A program that cannot start has already been answered for (and m_process cleared).
    if (m_process) {
        m_process->write(m_input);
        m_process->closeWriteChannel();
    }
    m_input.fill('\0');
}

void SecretJob::end(bool ok, const QString& errorText)
{
    QProcess* process = m_process;
    m_process = nullptr;
    const QByteArray output = process ? process->readAllStandardOutput() : QByteArray();
    if (process)
        process->deleteLater();
    Q_EMIT finished(ok, output, errorText);
}

void SecretJob::cancel()
{
    QProcess* process = m_process;
    if (!process)
        return;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        // secret-tool leaves its prompt and the keyring as they were on a terminate.
        process->terminate();
        if (!process->waitForFinished(1000)) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
    delete process;
}

#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>

// One secret-tool call that runs while its caller goes on: a keyring's unlock prompt may keep
// it waiting for minutes, so its answer arrives as a signal and it can be called off.
class SecretJob : public QObject
{
    Q_OBJECT

public:
    SecretJob(QString program, QStringList arguments, QByteArray input, QObject* parent = nullptr);
    ~SecretJob() override;

    void start();
    bool isRunning() const { return m_process != nullptr; }
    // Ends the call: asks secret-tool to quit and kills it if it does not within a second.
    // `finished` is not emitted for a cancelled call.
    void cancel();
    qint64 processId() const { return m_process ? m_process->processId() : 0; }

    // Why secret-tool could not be started, in words.
    static QString cannotStartText(const QString& reason);

Q_SIGNALS:
    // `errorText` is secret-tool's own message when it failed.
    void finished(bool ok, const QByteArray& output, const QString& errorText);

private:
    void end(bool ok, const QString& errorText);

    QString m_program;
    QStringList m_arguments;
    QByteArray m_input;
    QPointer<QProcess> m_process;
};

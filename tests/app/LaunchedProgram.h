#pragma once

#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The built program run as processes of their own, over a home, XDG folders and a store
// ("store") in a folder of the suite's, on the suite's session bus.
namespace LaunchedProgram {

struct Launch
{
    int exitCode = -1; // -1 when it crashed
    int signal = 0;    // the signal it died of
    QByteArray out;
    QByteArray err;
};

inline QProcessEnvironment environment(const QTemporaryDir& dir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.path());
    for (const char* kind : {"CONFIG", "DATA", "STATE"})
        environment.insert(QStringLiteral("XDG_%1_HOME").arg(kind),
                           dir.filePath(QString(kind).toLower()));
    environment.insert("VELMORAN_STORE", dir.filePath("store"));
    for (const char* name : {"VELMORAN_SYNC_DIR", "XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"})
        environment.remove(name);
    return environment;
}

inline bool instanceIsRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        SingleInstance::kServiceName);
}

// The instance that stays running; its messages go to the suite's log.
inline void start(QProcess& process, const QProcessEnvironment& environment,
                  const QStringList& arguments = {})
{
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(VELMORAN_APP_PATH, arguments);
}

inline void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.closeWriteChannel();
    process.terminate();
    if (!process.waitForFinished(10000))
        process.kill();
    process.waitForFinished();
}

// A launch run to its end, with the event loop running: this process may be the running
// instance it talks to, or own the selection it reads. A variable given a null value is
// taken out of the environment.
inline Launch launch(QProcessEnvironment environment, const QStringList& arguments,
                     const QMap<QString, QString>& variables = {},
                     const QString& program = QStringLiteral(VELMORAN_APP_PATH))
{
    for (auto it = variables.begin(); it != variables.end(); ++it)
        it.value().isNull() ? environment.remove(it.key())
                            : environment.insert(it.key(), it.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(program, arguments);
    Launch result;
    if (!finished.wait(30000)) {
        stop(process);
        qWarning() << program << arguments << "did not finish";
        return result;
    }
    const bool crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = crashed ? -1 : process.exitCode();
    result.signal = crashed ? process.exitCode() : 0;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace LaunchedProgram

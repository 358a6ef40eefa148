#pragma once

#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include <unistd.h>

// For suites whose child processes the parent kills: a line written straight to the pipe, so
// that the parent sees it even when SIGKILL follows at once.
inline void reportToParent(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(STDOUT_FILENO, bytes.constData() + written, size_t(bytes.size() - written));
        if (n <= 0)
            return;
        written += n;
    }
}

// In the parent: kills the child and adds what it reported last to `output`; false when it
// had ended on its own.
inline bool killChild(QProcess& child, QByteArray& output)
{
    child.kill();
    const bool ended = child.waitForFinished(10000);
    output += child.readAllStandardOutput();
    return ended && child.exitStatus() == QProcess::CrashExit;
}

// A kill, unlike a power cut, leaves the page cache as it was, and processes meet in it
// whatever the disk, so a memory file system shows the same outcomes with cheaper syncs.
inline std::unique_ptr<QTemporaryDir> memoryBackedDir(const QString& name)
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
               ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/%1-XXXXXX").arg(name))
               : std::make_unique<QTemporaryDir>();
}

// Starts a copy of the running suite, which reads its role from `variables`.
inline void startSelf(QProcess& child, const QList<std::pair<QString, QString>>& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : variables)
        environment.insert(name, value);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));
}

// Reads what the child reports until `enough` says so; fails the test when it ends first.
inline void readUntil(QProcess& child, QByteArray& output,
                      const std::function<bool(const QByteArray&)>& enough)
{
    while (!enough(output)) {
        QVERIFY2(child.state() == QProcess::Running && child.waitForReadyRead(20000),
                 output + child.readAllStandardError());
        output += child.readAllStandardOutput();
    }
}

// The main of a suite whose copies run as children: set `variable` makes one a child, which
// inherits the environment the parent prepared (preparing its own would leave a private home
// folder behind every killed child).
#define VELMORAN_TEST_MAIN_WITH_CHILD(TestObject, variable, runChild)                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        if (qEnvironmentVariableIsSet(variable)) {                                                 \
            QCoreApplication app(argc, argv);                                                      \
            return runChild();                                                                     \
        }                                                                                          \
        TestEnvironment::prepare();                                                                \
        QCoreApplication app(argc, argv);                                                          \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

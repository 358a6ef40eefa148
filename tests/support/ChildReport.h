#pragma once

#include <QProcess>
#include <QString>

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

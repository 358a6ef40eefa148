#pragma once

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

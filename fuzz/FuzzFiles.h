#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// The plain file reads and writes of the targets that lay their input out as files; empty or
// false when the system refuses, which a target treats as an input it cannot use.
namespace FuzzFiles {

inline QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool write(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace FuzzFiles

#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

// Reading and writing files as another program would, for tests over real store folders.
namespace TestFiles {

// Long ago, as files are between runs: 2026-01-01.
constexpr qint64 kLongAgo = 1767225600;

// Sets a path's access and modification times; fails the running test when it cannot.
inline void setModified(const QString& path, qint64 seconds, long nanoseconds = 0)
{
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    QVERIFY2(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0,
             qPrintable(path));
}

// Every file and folder below `root` as changed long ago, as a store is between runs, so that
// the parse cache may stand for them.
inline void ageTree(const QString& root)
{
    QDirIterator entries(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        setModified(entries.next(), kLongAgo);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates the folders on the way; fails the running test when the file cannot be written.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Replaces a file the way sync programs and todoman do: a new file renamed over the old one,
// which the store's folder watching sees (a write into the file itself changes no folder).
inline void replaceFile(const QString& path, const QByteArray& bytes)
{
    const QString temporary = path + QStringLiteral(".tmp");
    writeFile(temporary, bytes);
    QVERIFY(QFile::exists(temporary));
    QVERIFY(::rename(QFile::encodeName(temporary).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

// One task in a file of its own, as todoman writes it.
inline QByteArray todo(const QByteArray& uid, const QByteArray& summary,
                       const QByteArray& extra = {})
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VTODO\r\nUID:" +
           uid + "\r\nSUMMARY:" + summary + "\r\n" + extra + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

} // namespace TestFiles

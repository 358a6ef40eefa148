#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cstdio>

// Reading and writing files as another program would, for tests over real store folders.
namespace TestFiles {

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

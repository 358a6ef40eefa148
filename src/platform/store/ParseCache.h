#pragma once

#include "platform/store/ParsedItem.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// What the store made of each of its files, kept between runs in one file under
// $XDG_CACHE_HOME/velmoran, so that a start reads one file instead of thousands. An entry
// counts only for the file it was made from: the same path with the same size, modification
// time (nanoseconds) and inode. A cache file that is damaged, cut short, written by another
// build or for other store folders is ignored and written anew. Written atomically (a temporary
// file renamed over it), so the application and the command line may write it at once.
class ParseCache
{
public:
    // An empty file name turns the cache off.
    explicit ParseCache(QString file = {});
    // A cache that names its writer `environment` instead of this build and system (tests of
    // what another version wrote).
    ParseCache(QString file, QByteArray environment);
    // This build and system as cache files name their writer: the reader's code, Qt, the local
    // zone and the zone database, everything besides a file's bytes that decides what reading
    // it gives.
    static QByteArray currentEnvironment();
    // What the last eight bytes of a cache file hold for the bytes before them, so that a
    // damaged or cut file is told at once.
    static quint64 checksum(QByteArrayView bytes);
    // The cache file of these store folders.
    static QString fileForRoots(const QStringList& roots);

    QString file() const { return m_file; }
    bool isEnabled() const { return !m_file.isEmpty(); }

    // The entries of the cache file by folder, each folder's in file-name order; empty when
    // there is none that can be trusted.
    using Entries = QHash<QString, QList<ParsedItemPtr>>;
    Entries load(const QStringList& roots) const;
    // Writes the items that can be trusted later (never those to read again).
    bool save(const QStringList& roots, const QList<ParsedItemPtr>& items,
              QString* error = nullptr) const;

private:
    QString m_file;
    QByteArray m_environment;
};

} // namespace store

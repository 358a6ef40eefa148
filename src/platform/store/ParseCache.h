#pragma once

#include "platform/store/ParsedItem.h"
#include "platform/store/VdirCollections.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {

// What the store made of the files of each list folder, kept between runs in one file per
// folder under $XDG_CACHE_HOME/velmoran, so that a start reads a few files instead of
// thousands and a command about one list reads that list's only. An entry counts only for the
// file it was made from: the same path with the same size, modification time (nanoseconds) and
// inode. A cache file that is damaged, cut short, written by another build or for other store
// folders is ignored and written anew. Written atomically (a temporary file renamed over it),
// so the application and the command line may write it at once.
class ParseCache
{
public:
    // An empty stem turns the cache off; each folder's file is the stem with a hash of the
    // folder's path added.
    explicit ParseCache(QString stem = {});
    // A cache that names its writer `environment` instead of this build and system (tests of
    // what another version wrote).
    ParseCache(QString stem, QByteArray environment);
    // This build and system as cache files name their writer: the reader's code, Qt, the local
    // zone and the zone database, everything besides a file's bytes that decides what reading
    // it gives.
    static QByteArray currentEnvironment();
    // What the last eight bytes of a cache file hold for the bytes before them, so that a
    // damaged or cut file is told at once.
    static quint64 checksum(QByteArrayView bytes);
    // The same for text: how a folder's summary keeps its tasks' identifiers.
    static quint64 textHash(const QString& text);
    // The stem of the cache files of these store folders.
    static QString fileForRoots(const QStringList& roots);

    QString stem() const { return m_stem; }
    // The writer a file must name to be read (see currentEnvironment).
    const QByteArray& environment() const { return m_environment; }
    bool isEnabled() const { return !m_stem.isEmpty(); }
    QString fileForFolder(const QString& folderPath) const;

    // The identifier a task of the folder takes when its UID is free, and the one it takes when
    // it is not (by path), as hashes.
    struct Claim
    {
        quint64 uid = 0; // 0 for no UID
        quint64 path = 0;
    };
    // What a folder holds, enough to stand for it without its entries: what kinds of items,
    // and its tasks' identifiers in the order the store gives them.
    struct Summary
    {
        bool holdsTodos = false;
        bool holdsEvents = false;
        QList<Claim> claims;
    };
    // A folder's entries, in file-name order, as listed when its directory had `directory`.
    struct Folder
    {
        DirectoryStamp directory;
        // Every file of the listing is there (none was too new to keep).
        bool complete = false;
        QList<ParsedItemPtr> items;
    };

    // The summary of a folder whose directory did not change since its entries were written
    // and was settled then; nothing when it cannot be trusted so (the folder is then read).
    std::optional<Summary> summary(const QStringList& roots, const CollectionFolder& folder) const;
    // The folder's entries; nothing when there are none that can be trusted.
    std::optional<Folder> load(const QStringList& roots, const CollectionFolder& folder) const;
    // Writes the folder's items that can be trusted later (never those to read again).
    bool save(const QStringList& roots, const CollectionFolder& folder,
              const DirectoryStamp& directory, const QList<ParsedItemPtr>& items,
              QString* error = nullptr) const;
    // Removes what dead writers and earlier layouts left in the cache's folder, and the files
    // of folders that are no longer among `folderPaths` (all the store's list folders). A file
    // changed in the last minutes is left: another run may know a folder this one does not yet.
    void tidy(const QStringList& folderPaths) const;

private:
    QString m_stem;
    QByteArray m_environment;
};

} // namespace store

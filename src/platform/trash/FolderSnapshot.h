#pragma once

#include "platform/store/VdirCollections.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringList>

namespace trash {

// A second name for every item file of the store's list folders, kept beside the store: when
// another program (or a sync) removes a file, its bytes are still here, and the trash takes
// them. Links, not copies: a snapshot costs a directory entry per file, and a file changed in
// place is current in the snapshot at once; a file replaced by a new one gets a new link the
// next time its folder is listed. Where a folder is on another file system than the snapshot,
// nothing can be kept for it.
class FolderSnapshot
{
public:
    // $XDG_DATA_HOME/velmoran/snapshot
    static QString defaultFolder();
    explicit FolderSnapshot(const QString& base = defaultFolder());

    // Brings the folder's snapshot in line with its listing and answers the names the snapshot
    // holds that the folder no longer lists. Their links stay until taken or forgotten.
    // `directory`, the folder's stamp from before the listing, lets a later update of a folder
    // that did not change since skip the walk over its links.
    QStringList update(const QString& folder, const QList<store::ItemFile>& listing,
                       const store::DirectoryStamp& directory = {});
    // The snapshot's link to a file of the folder.
    QString keptPath(const QString& folder, const QString& fileName) const;
    // Takes a vanished file's link out of the snapshot under a name of its own, so that of two
    // programs noticing the same removal only one keeps it. Empty when another took it first.
    QString take(const QString& folder, const QString& fileName);
    // Drops the links of files this program removes or moves itself: done before the file
    // goes, so that no other program takes the removal for another program's.
    void forget(const QString& folder, const QString& fileName);
    // Links one file again (a removal of ours that did not happen after all).
    void keep(const QString& folder, const QString& fileName);
    void forgetFolder(const QString& folder);
    // False for a folder whose files cannot be linked from the snapshot.
    bool covers(const QString& folder) const;

private:
    QString snapshotFolder(const QString& folder) const;
    QString inLineMarker(const QString& snapshot) const;

    QString m_base;
    mutable QMutex m_mutex;
    QSet<QString> m_uncovered;
};

} // namespace trash

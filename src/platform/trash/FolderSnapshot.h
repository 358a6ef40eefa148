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
    QStringList update(const QString& folder, const QList<store::ItemFile>& listing);
    // The snapshot's link to a file of the folder.
    QString keptPath(const QString& folder, const QString& fileName) const;
    // Drops the links of files this program removed or moved itself.
    void forget(const QString& folder, const QString& fileName);
    void forgetFolder(const QString& folder);
    // False for a folder whose files cannot be linked from the snapshot.
    bool covers(const QString& folder) const;

private:
    QString snapshotFolder(const QString& folder) const;

    QString m_base;
    mutable QMutex m_mutex;
    QSet<QString> m_uncovered;
};

} // namespace trash

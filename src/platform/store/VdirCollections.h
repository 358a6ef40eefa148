#pragma once

#include "platform/store/Calendar.h"
#include "platform/store/CollectionColor.h"
#include "platform/store/ItemOrigin.h"

#include <QList>
#include <QString>

namespace store {

// One collection folder of a vdir root, with its metadata files.
struct CollectionFolder
{
    QString identifier;
    QString folderPath;
    QString rootPath;
    QString displayName;
    // The "displayname" file is there but could not be read: displayName is the folder's name.
    bool displayNameUnknown = false;
    CollectionColor color;
    QString description;
    int order = 0;
    bool hasOrder = false;
    bool writable = true;
    // What the folder was created for, when Velmoran created it ("VTODO" or "VEVENT"); an
    // empty folder without it may hold either.
    QString createdFor;
    // The file saying what it was created for is there but could not be read (an I/O error):
    // the folder holds what its items show and nothing is guessed.
    bool createdForUnknown = false;
};

// A list folder's own stamp: an entry added, removed or renamed changes it, a file rewritten in
// place does not. `takenAtNs` is when it was taken: a directory changed within the file
// system's clock tick before then may change again without a new stamp.
struct DirectoryStamp
{
    qint64 mtimeNs = -1;
    qint64 ctimeNs = -1;
    quint64 inode = 0;
    qint64 takenAtNs = 0;

    bool sameAs(const DirectoryStamp& other) const
    {
        return mtimeNs == other.mtimeNs && ctimeNs == other.ctimeNs && inode == other.inode;
    }
    // Taken long enough after its last change that the same stamp means the same entries.
    bool isSettled() const;
    // The folder's stamp now; an invalid one (mtimeNs -1) when it cannot be read.
    static DirectoryStamp ofFolder(const QString& folderPath);
    // The same for a folder open as `folderFd`.
    static DirectoryStamp ofOpenFolder(int folderFd);
};

// Reading and writing the vdir layout: collections are the non-hidden folders directly below
// a root; items are the regular *.ics files in a collection. Names coming from disk never
// turn into paths outside the store.
namespace VdirCollections {

QList<CollectionFolder> scan(const QStringList& roots);
// The item files of a collection, in the folder's own (unsorted) order, without paths;
// `directory` gets the folder's stamp as it was before the listing, and `hidden` whether the
// folder has entries whose names begin with a dot (where unfinished writes are).
QList<ItemFile> itemFiles(const CollectionFolder& collection, DirectoryStamp* directory = nullptr,
                          bool* hidden = nullptr);

// A file name for an item with this UID: the UID itself when it only uses safe characters,
// else a random UUID.
QString fileNameForUid(const QString& uid);
bool isSafeName(const QString& name);
// What identifies an item or collection by the name of its file or folder, as text that can go
// anywhere (preferences, D-Bus, JSON): the name itself, or for a name that is not UTF-8 (see
// LocalFileName) its readable form with a hash of its bytes, so two such names stay apart.
QString identifierForName(const QString& name);
// The identifier of a task whose UID an earlier one took (or that has none): its UID with
// where its file is.
QString taskIdentifierByPath(const QString& uid, const QString& collectionIdentifier,
                             const QString& fileName);
// A folder name derived from a list title, unique in the root.
QString newFolderName(const QString& rootPath, const QString& title);

bool writeMetadata(const QString& folderPath, const QString& name, const QString& value,
                   QString* error);
// Empty when the file is missing or cannot be read; `unreadable` tells the two apart.
QString readMetadata(const QString& folderPath, const QString& name, bool* unreadable = nullptr);
// A list's title for Recently Deleted's record of it or of its task. A list titled after its
// folder may only have had its displayname unreadable when the store was loaded: the name is
// read once more, so that the record does not keep the folder's name for good.
QString titleForRecord(const QString& folderPath, const QString& title);

// The hidden file naming what a folder was created for.
QString createdForFileName();

} // namespace VdirCollections

} // namespace store

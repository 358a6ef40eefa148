#pragma once

#include "platform/store/ItemOrigin.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct stat;

namespace store {

// Crash-safe file writes for the store: a temporary file in the same folder is written and
// synced, then renamed over the target (or hard-linked to a new name, which never replaces an
// existing file), and the folder is synced. A reader sees the old file or the new one, never a
// torn one.
namespace AtomicFile {

enum class SyncTarget { File, Folder };
// The call that makes a written file, or the entries of a folder, durable: fsync(2). `path` is
// the file or the folder. A test may put its own call in place for a scope, to see which syncs
// a write makes and in which order, or to make one fail.
using SyncCall = std::function<int(int fd, SyncTarget target, const QString& path)>;
class ScopedSyncCall
{
public:
    explicit ScopedSyncCall(SyncCall call);
    ~ScopedSyncCall();
    ScopedSyncCall(const ScopedSyncCall&) = delete;
    ScopedSyncCall& operator=(const ScopedSyncCall&) = delete;

private:
    SyncCall m_previous;
};

// Replaces `path` with `bytes`, keeping the existing file's permission bits.
bool replace(const QString& path, const QByteArray& bytes, QString* error);
// Creates `path` with `bytes`; fails (errorExists set) when a file of that name exists.
bool create(const QString& path, const QByteArray& bytes, QString* error,
            bool* errorExists = nullptr);
// Makes the entries of `folder` durable (a file linked into it, or renamed away).
void syncFolder(const QString& folder);
// Removes `path` and syncs its folder.
bool remove(const QString& path, QString* error);
// Removes `folder` with all it holds, or leaves it whole: it is first renamed to a hidden name
// beside it, so that a removal stopped half way never leaves a folder that looks like a list
// that lost its files. removeLeftoverFolders() clears such remains.
bool removeFolder(const QString& folder, QString* error);
void removeLeftoverFolders(const QString& parent);

// Whether a file name is one of the temporary files the writes above make.
bool isTemporaryName(const QString& fileName);
// Removes the temporary files in `folder` that writers killed before they finished left
// behind: ours only, and only those older than a minute, since a live writer renames or
// removes its own within milliseconds. Returns how many went.
int removeStaleTemporaries(const QString& folder);

FileStamp stampOf(const QString& path);
// The stamp of a file as stat(2) describes it.
FileStamp stampOf(const struct stat& st);
// A hash of a file's bytes, to tell whether content changed under an unchanged stamp.
quint64 contentHash(QByteArrayView bytes);
// Reads a file with the stamp it had while read (re-read when it changed meanwhile).
bool read(const QString& path, QByteArray* bytes, FileStamp* stamp, QString* error);

} // namespace AtomicFile

} // namespace store

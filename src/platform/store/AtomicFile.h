#pragma once

#include "platform/store/ItemOrigin.h"

#include <QByteArray>
#include <QString>

namespace store {

// Crash-safe file writes for the store: a temporary file in the same folder is written and
// synced, then renamed over the target (or hard-linked to a new name, which never replaces an
// existing file), and the folder is synced. A reader sees the old file or the new one, never a
// torn one.
namespace AtomicFile {

// Replaces `path` with `bytes`, keeping the existing file's permission bits.
bool replace(const QString& path, const QByteArray& bytes, QString* error);
// Creates `path` with `bytes`; fails (errorExists set) when a file of that name exists.
bool create(const QString& path, const QByteArray& bytes, QString* error,
            bool* errorExists = nullptr);
// Removes `path` and syncs its folder.
bool remove(const QString& path, QString* error);

FileStamp stampOf(const QString& path);
// A hash of a file's bytes, to tell whether content changed under an unchanged stamp.
quint64 contentHash(QByteArrayView bytes);
// Reads a file with the stamp it had while read (re-read when it changed meanwhile).
bool read(const QString& path, QByteArray* bytes, FileStamp* stamp, QString* error);

} // namespace AtomicFile

} // namespace store

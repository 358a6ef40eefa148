#pragma once

#include <QString>
#include <QStringList>

class QFile;

namespace store {

// The few folder and file operations the store and Recently Deleted need on paths in
// LocalFileName's form (QDir, QFileInfo and QFile would look for the name Qt re-encodes, which
// is another file when the name is not UTF-8).
namespace LocalFiles {

enum class EntryKind { Any, Folders, Files };
// The names in `folder` (without "." and ".."), sorted; links count as what they point to.
// Empty when the folder cannot be read.
QStringList entryNames(const QString& folder, EntryKind kind = EntryKind::Any);
bool exists(const QString& path);
bool isFolder(const QString& path);
// The path with every link resolved; empty when it does not exist.
QString canonicalPath(const QString& path);
// Creates the folder and any missing folder above it.
bool makeFolders(const QString& path);
// Removes a folder and everything below it (links are removed, not followed); true when it is
// gone.
bool removeRecursively(const QString& path);
// The bytes the files below `folder` take.
qint64 sizeOfTree(const QString& folder);
// Opens `file` on `path` for reading.
bool openForReading(QFile& file, const QString& path);

} // namespace LocalFiles

} // namespace store

#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// Every file Velmoran writes whole (preferences, the sync configuration and accounts, conflict
// copies, the autostart entry, a list saved from the share menu, map tiles) is written here:
// the new bytes go to a temporary file beside it, which replaces the old file only once all of
// them were flushed. QSaveFile::commit() flushes too, but Qt 6.4 puts the file in place even
// when that flush fails (a full disk), leaving it empty or cut short while reporting success.
struct ReplaceFileOptions
{
    // Make the file's folder first when it is missing.
    bool createFolder = false;
    // The new file's permissions (owner-only for files naming accounts); the default is the
    // old file's, or the user's usual ones for a new file.
    std::optional<QFileDevice::Permissions> permissions;

    static ReplaceFileOptions creatingFolder()
    {
        ReplaceFileOptions options;
        options.createFolder = true;
        return options;
    }
};

// False, with the system's reason in `error`, when the file could not be replaced; the old
// file is then as it was.
bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         const ReplaceFileOptions& options = {});

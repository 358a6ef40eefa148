#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Reading the folders that vdirsyncer, khal and todoman keep their calendars in, from the text
// of their configuration files. Only literal paths are understood; anything else in a file
// (other sections, Python code, broken lines) is passed over, never an error.
namespace PeerConfigFiles {

// The `path` of every `[storage …]` section of type "filesystem" that holds iCalendar files
// (no `fileext`, or ".ics"). Each is a folder of collections.
QStringList vdirsyncerPaths(const QString& text);
// The `path` of every `[[…]]` calendar inside `[calendars]`: a collection, or with
// `type = discover` a pattern of collections.
QStringList khalPaths(const QString& text);
// The `path` setting: a pattern of collections ("~/.calendars/*").
QStringList todomanPaths(const QString& text);

// `~` at the start and `$NAME` / `${NAME}` anywhere, as the three programs expand them;
// unknown variables become empty.
QString expandPath(const QString& path, const QString& home,
                   const QHash<QString, QString>& environment);

} // namespace PeerConfigFiles

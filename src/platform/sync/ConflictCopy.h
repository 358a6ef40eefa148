#pragma once

#include <QString>

// Settles a task changed both here and on the server without losing either edit: the server's
// version keeps the task's place (other devices already show it), and this computer's version
// is saved beside it as a new task whose title says it is a conflict copy, to be sent to the
// server by the next sync. The person then keeps whichever they like.
namespace ConflictCopy {

// How the line starts that the conflict step prints once both versions are kept, which
// vdirsyncer passes on to its output: the sync's report counts conflicts by it.
inline constexpr char kKeptLinePrefix[] = "conflict copy: ";

struct Outcome
{
    bool ok = false;
    // The copy written into the account's folder.
    QString copyPath;
    QString title;
    QString error;
};

// `localFile` and `remoteFile` are the two versions vdirsyncer hands over; on success both
// hold the server's version. `accountFolder` is where the local item is looked for.
Outcome resolve(const QString& accountFolder, const QString& localFile, const QString& remoteFile);

// `text` with every UID `uid` replaced by `newUid` and " (conflict copy)" after each title;
// folded lines are read whole.
QString asCopy(const QString& text, const QString& uid, const QString& newUid);
// The first UID of `text`.
QString uidOf(const QString& text);

} // namespace ConflictCopy

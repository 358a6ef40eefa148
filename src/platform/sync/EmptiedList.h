#pragma once

#include <QList>
#include <QString>

// A list whose every task went on one side since the last sync. vdirsyncer will not pass such
// an emptying on by itself, and neither does the application until the user says so: the
// list waits, left out of syncing, and the tasks stay where they still are.
struct EmptiedList
{
    enum class Side { Here, Server };

    QString pair;
    QString collection;
    Side side = Side::Here;
    // Where this computer's tasks were copied when the server's list was found empty (empty
    // when it was emptied here, or nothing could be copied).
    QString copyFolder;

    // vdirsyncer's name, "pair/collection".
    QString name() const { return pair + QLatin1Char('/') + collection; }
    bool operator==(const EmptiedList&) const = default;
};

// What the user chose for an emptied list.
enum class EmptiedChoice {
    // Delete the tasks on the other side too.
    PassOn,
    // Bring the tasks back to the side that lost them.
    Restore,
};

// The lists waiting for the user's choice, in a file beside the accounts, so that the window
// and the command line agree and a restart forgets none.
namespace EmptiedLists {

QList<EmptiedList> load(const QString& path);
bool save(const QString& path, const QList<EmptiedList>& lists);

} // namespace EmptiedLists

#pragma once

#include "platform/sync/EmptiedList.h"
#include "platform/sync/SyncRunner.h"

#include <QHash>

class SyncSetup;

// One sync of every account, the same for the window and the command line. vdirsyncer stops a
// whole run for one list it cannot sync; this finds such lists as the run meets them, leaves
// them out of the configuration and runs again, so that the other lists sync:
// - a list gone from the server is left out of this run and told (its tasks stay here);
// - a list emptied on one side is passed on only when the user chose so; otherwise it waits,
//   left out of every run, until they choose. When it was the server's list that was emptied,
//   this computer's tasks are copied aside at once, whatever is chosen later.
class AccountsRun
{
public:
    // `choices` by "pair/collection": what the user chose for lists emptied on one side.
    AccountsRun(SyncSetup& setup, QHash<QString, EmptiedChoice> choices);

    // Applies the choices made for waiting lists, writes the configuration and gives the steps
    // to start with (none when the configuration cannot be written).
    QList<SyncRunner::Step> begin();
    // For SyncRunner::setRecovery.
    std::optional<QList<SyncRunner::Step>> recover(const QStringList& failedStep,
                                                   const SyncReport& soFar);
    // `report` with the lists this run left out or passed on, and the lists' titles.
    SyncReport finish(SyncReport report);

private:
    bool handleEmptied(EmptiedList list);
    bool writeConfig();
    QList<SyncRunner::Step> steps() const;
    QStringList leftOut() const;
    bool isChosen(const QString& list) const;

    SyncSetup& m_setup;
    QHash<QString, EmptiedChoice> m_choices;
    QList<EmptiedList> m_waiting;
    QList<EmptiedList> m_passOn;
    QStringList m_missing;
    QStringList m_handled;
};

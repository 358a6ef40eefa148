#pragma once

#include "platform/sync/EmptiedList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What one run of vdirsyncer did and, when it failed, why in the user's words, with
// vdirsyncer's own lines kept for whoever wants the details.
struct SyncReport
{
    enum class Problem {
        None,
        Authentication,
        // The server would not let this user change a list or see an address (HTTP 403).
        Forbidden,
        Unreachable,
        NotCalDav,
        Certificate,
        Timeout,
        Conflict,
        CollectionMissing,
        // Every task of a list was deleted here, or on the server; vdirsyncer refuses to pass
        // that on by itself.
        EmptiedHere,
        EmptiedOnServer,
        Password,
        Stopped,
        // vdirsyncer was ended by a signal nobody here sent.
        Killed,
        Other,
    };

    struct Collection
    {
        QString name;
        QString displayName;
    };

    Problem problem = Problem::None;
    // vdirsyncer's error lines, as it wrote them.
    QStringList engineMessages;
    // Everything it printed, for the details view.
    QString log;

    int downloaded = 0; // items created or changed here
    int uploaded = 0;   // items created or changed on the server
    int deletedHere = 0;
    int deletedThere = 0;
    // Items changed on both sides of which both versions were kept.
    int conflicts = 0;
    QStringList collectionsSynced;
    // The server's collections a listing run found.
    QList<Collection> discovered;

    // Lists ("pair/collection") found emptied on one side.
    QList<EmptiedList> emptied;
    // Chosen lists ("pair/collection") the server no longer has.
    QStringList missingOnServer;
    // Lists ("pair/collection") whose changes the server refused.
    QStringList refusedIn;
    // The signal that ended vdirsyncer, for Problem::Killed.
    int killedBy = 0;

    // What the sync of the accounts did about lists it could not sync as they were: emptied
    // lists waiting for the user's choice (left out), and emptyings passed on at the user's
    // word in this sync.
    QList<EmptiedList> waiting;
    QList<EmptiedList> passedOn;
    // The lists' titles by "pair/collection", for the texts.
    QHash<QString, QString> titles;

    bool ok() const { return problem == Problem::None; }
    // One sentence on the problem and what to do, for the status line and the tray tooltip.
    QString problemText() const;
    // What was done, such as "3 received, 1 sent".
    QString summary() const;
    // A sentence for each list that was left out or emptied, even when the sync went well.
    QStringList notices() const;
    // The title of `list` ("pair/collection"), else its collection name.
    QString titleOf(const QString& list) const;
};

// Reads vdirsyncer's output line by line into a report. Local storages are told from remote
// ones by the suffix the generated configuration gives their names.
class SyncOutputReader
{
public:
    void addLine(const QString& line);
    // A problem known without a line of vdirsyncer's, such as a run that had to be stopped.
    void setProblem(SyncReport::Problem problem);
    // vdirsyncer was ended by the signal `number` from outside.
    void setKilled(int number);
    // The exit status: a failure with no line that says why is still a failure.
    void finish(bool succeeded);
    // Forgets the problems met so far (a step is being repeated); the log and the lists found
    // emptied or missing stay.
    void clearProblems();

    const SyncReport& report() const { return m_report; }

    static SyncReport::Problem classify(const QString& message);

private:
    void addError(const QString& message);

    void withdrawRefusedUpload(const QString& collection, const QString& url);

    SyncReport m_report;
    bool m_inRemoteListing = false;
    // Each upload as "storage\nitem", until the server refuses it.
    QStringList m_uploads;
};

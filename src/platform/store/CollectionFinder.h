#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// A folder of collections found on this machine, and what it holds.
struct FoundRoot
{
    QString path;
    // Who uses it: "vdirsyncer", "khal", "todoman", or "" for a usual location.
    QStringList usedBy;
    int collections = 0;
    int tasks = 0;
    int events = 0;
    // Sub-folders that look like no collection; the store would take them for lists.
    int otherFolders = 0;
    // Counting stopped at a bound: the numbers are at least these.
    bool partial = false;
};

// Finds the vdir folders a person already keeps calendars and tasks in: those named in the
// configuration files of vdirsyncer, khal and todoman, and the usual locations. Reads only,
// and bounded in every direction (bytes read from a configuration, pattern matches, folders,
// files, time), because the files are the user's and may be anything.
class CollectionFinder
{
public:
    struct Limits
    {
        qint64 configBytes = 1 << 20;
        int patternMatches = 256;
        int roots = 32;
        int collectionsPerRoot = 500;
        int files = 20000;
        qint64 milliseconds = 800;
    };

    // `environment` gives XDG_CONFIG_HOME, XDG_DATA_HOME, VDIRSYNCER_CONFIG and the variables
    // paths may use.
    CollectionFinder(QString home, QHash<QString, QString> environment);
    static CollectionFinder forThisUser();

    void setLimits(const Limits& limits) { m_limits = limits; }

    // Every root found, once, in the order: vdirsyncer, khal, todoman, usual locations.
    QList<FoundRoot> find();
    // Counts one folder the user picked; a folder that holds items itself counts as the
    // collection of its parent.
    FoundRoot inspect(const QString& folder);

    // The configuration files looked at, existing or not.
    QString vdirsyncerConfig() const;
    QString khalConfig() const;
    QStringList todomanConfigs() const;

private:
    QString readConfig(const QString& path) const;
    // A configured folder or pattern of folders, as roots.
    void addCandidates(const QStringList& patterns, bool areCollections, const QString& user);
    void addRoot(const QString& folder, const QString& user);
    QStringList expandPattern(const QString& pattern) const;
    bool hasSubCollections(const QString& folder) const;
    void count(FoundRoot& root);
    bool outOfTime() const;

    QString m_home;
    QHash<QString, QString> m_environment;
    Limits m_limits;
    QElapsedTimer m_clock;
    int m_filesLooked = 0;
    QList<FoundRoot> m_found;
};

} // namespace store

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// Many new item files of one folder made durable together, for an import of hundreds of items:
// each is written to a temporary file without a sync of its own, the file system is synced
// once, and only then does each file get its name (the UID's, another when that is taken, as
// AtomicFile::create never replaces a file), followed by one sync of the folder. A reader sees
// a file whole or not at all, and a crash leaves no named file without its content; what a
// crash leaves are temporary files, which AtomicFile::removeStaleTemporaries clears.
class NewItemFiles
{
public:
    explicit NewItemFiles(QString folder);
    ~NewItemFiles();
    NewItemFiles(const NewItemFiles&) = delete;
    NewItemFiles& operator=(const NewItemFiles&) = delete;

    QString folder() const { return m_folder; }
    qsizetype pending() const { return m_pending.size(); }

    // False, with the reason, when the temporary file cannot be written.
    bool add(const QString& uid, const QByteArray& bytes, QString* error);

    struct Named
    {
        QString path;  // empty when the file could not be named
        QString error; // why
    };
    // Syncs, names and syncs the folder; one entry for each file added since the last commit,
    // in the order added.
    QList<Named> commit();

private:
    struct Pending
    {
        QString uid;
        QString temporary;
    };

    QString m_folder;
    QList<Pending> m_pending;
};

} // namespace store

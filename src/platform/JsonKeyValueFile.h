#pragma once

#include <QElapsedTimer>
#include <QMutex>
#include <QString>
#include <QVariantMap>

// A key-value map kept in one JSON file that several processes read and write. Every write
// takes the file lock, re-reads what is on disk now, applies only this process's change and
// replaces the file atomically, so two processes never lose each other's keys. Values keep
// their types exactly: booleans, 64-bit integers, reals, strings, dates, data, arrays and
// dictionaries, nested to any depth.
class JsonKeyValueFile
{
public:
    explicit JsonKeyValueFile(const QString& path);

    QString path() const { return m_path; }

    // Values as of the last look at the disk; a change by another process is picked up within
    // a fraction of a second, or at once after reload().
    QVariant value(const QString& key) const;
    bool contains(const QString& key) const;
    QVariantMap values() const;

    // Merge-writes: `changes` are set, `removals` removed. Returns false (and logs why) when
    // the file cannot be written; the in-memory values still carry the change then.
    bool write(const QVariantMap& changes, const QStringList& removals = {});

    // Re-reads the file now. Returns the keys another process changed since the last reload,
    // also those a read or a write of ours has already taken in meanwhile.
    QStringList reload();

    // False when the file exists but could neither be read nor moved aside: writing would
    // destroy data we could not read, so the file is left alone for this run.
    bool isWritable() const;
    // The cause of the last failed write, in words; empty after a successful one.
    QString lastWriteError() const;

    static QJsonValue encode(const QVariant& value);
    static QVariant decode(const QJsonValue& value);
    static QByteArray serialize(const QVariantMap& map);
    // Parses a serialized map; nullopt when the bytes are not a JSON object.
    static std::optional<QVariantMap> parse(const QByteArray& bytes);

private:
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        qint64 mtimeNs = -1;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };

    static Stamp stampOf(const QString& path);
    void refreshIfStale() const;
    void loadLocked() const;
    QVariantMap readDiskLocked() const;
    void moveAsideLocked(const QString& reason) const;
    bool failWrite(const QString& reason);

    QString m_path;
    mutable QMutex m_mutex;
    mutable QVariantMap m_values;
    mutable Stamp m_stamp;
    mutable QElapsedTimer m_lastCheck;
    mutable bool m_blocked = false;
    // The file could not be read once in this run: what this process holds may come from
    // defaults instead of the user's values, so it writes nothing until it starts again.
    mutable bool m_unreadThisRun = false;
    // Keys another process changed that a passing read or a write of ours took in: reload()
    // still owes them to its caller, or a listener would never hear of the change.
    mutable QStringList m_unannounced;
    QString m_lastWriteError;
};

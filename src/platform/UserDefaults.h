#pragma once

#include "platform/JsonKeyValueFile.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The preference store: typed values under string keys, persisted in a JSON file under the
// XDG config folder and shared with every other Velmoran process. Absent keys (and keys whose
// stored value has the wrong type) read as the zero value of the asked type: false, 0, an
// empty string, array or dictionary, an invalid date. Registered defaults are volatile: they
// answer reads of absent keys but are never written.
class UserDefaults : public QObject
{
    Q_OBJECT

public:
    // A store over an explicit file (tests, the sync folder).
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);

    // The application's preferences and the suites shared with companion programs. Created on
    // first use, never destroyed.
    static UserDefaults& standardUserDefaults();
    static UserDefaults& suite(const QString& suiteName);
    // Where the standard store and the suites live: $XDG_CONFIG_HOME/velmoran.
    static QString configFolder();
    static QString filePathForSuite(const QString& suiteName);

    QString filePath() const { return m_file.path(); }

    QVariant objectForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    qint64 integerForKey(const QString& key) const;
    double doubleForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;
    QVariantList arrayForKey(const QString& key) const;
    QStringList stringArrayForKey(const QString& key) const;
    QVariantMap dictionaryForKey(const QString& key) const;
    QDateTime dateForKey(const QString& key) const;
    // How a stored value reads as a boolean or an integer: numbers and booleans stand for each
    // other, anything else is the zero value. For values taken out of arrays and dictionaries.
    static bool boolValue(const QVariant& value);
    static qint64 integerValue(const QVariant& value);
    // Numbers and booleans, the values integerValue reads as what they say.
    static bool isNumber(const QVariant& value);

    // True when a value is stored (registered defaults do not count).
    bool hasStoredValue(const QString& key) const;

    void setObject(const QVariant& value, const QString& key);
    void setBool(bool value, const QString& key) { setObject(value, key); }
    void setInteger(qint64 value, const QString& key)
    {
        setObject(QVariant::fromValue(value), key);
    }
    void setString(const QString& value, const QString& key) { setObject(value, key); }
    void setObjects(const QVariantMap& values);
    void removeObjectForKey(const QString& key);

    void registerDefaults(const QVariantMap& defaults);
    QVariantMap registeredDefaults() const;

    // Stored values merged over the registered defaults.
    QVariantMap dictionaryRepresentation() const;

    // Writes are already durable when the setters return; this re-reads the file so that
    // changes made by other processes are seen at once. Returns false when the file cannot be
    // written in this run, or when the last change could not be written.
    bool synchronize();
    // Why the last change could not be written ("No space left on device"); empty once a
    // change was written again.
    QString lastWriteError() const { return m_file.lastWriteError(); }
    // False when the preference file is there but could not be read: what it holds is unknown,
    // so nothing may be concluded from a key it seems to lack (a first run, a migration).
    bool storedValuesKnown() const { return m_file.isWritable(); }

Q_SIGNALS:
    // A key changed, in this process or (after synchronize) in another one.
    void changed(const QString& key);
    // A change stays in this run only: the file could not be written, for `reason`.
    void writeFailed(const QString& reason);

private:
    void written(bool ok);

    JsonKeyValueFile m_file;
    mutable QMutex m_defaultsMutex;
    QVariantMap m_registered;
};

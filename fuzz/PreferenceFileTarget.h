#pragma once

#include "FuzzTarget.h"

#include <QSet>

// Any bytes as the preference file. A file the reader takes must read back with every value
// of the same type and content after a write; one it cannot take is moved aside with its bytes
// intact, never overwritten. The versioned defaults routine then runs over it and must leave
// every key it does not own as it was, and every typed read of every key must answer.
class PreferenceFileTarget : public FuzzTarget
{
public:
    explicit PreferenceFileTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_folder;
    // Every key the defaults routine writes to an empty store.
    QSet<QString> m_routineKeys;
};

#pragma once

#include "FuzzTarget.h"

#include "platform/sync/SyncPaths.h"

// Any bytes as the accounts file. The accounts read from it write back and read again the
// same, and the vdirsyncer configuration made from them must say nothing but what they hold:
// read back line by line as vdirsyncer reads it (sections, and values that are JSON), each
// account has exactly its pair and two storages, its values come back equal, each collection
// in its explicit form (so a list named "from a" is a name, not a keyword), every value is
// printable ASCII, and every folder lies inside the sync folders.
class AccountsTarget : public FuzzTarget
{
public:
    explicit AccountsTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    SyncPaths m_paths;
};

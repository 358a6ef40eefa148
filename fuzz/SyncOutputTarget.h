#pragma once

#include "FuzzTarget.h"

#include "platform/sync/SecretStore.h"
#include "platform/sync/SyncSetup.h"

// Any bytes as what vdirsyncer printed in one run, line by line. The report read from it may
// name lists anywhere in its lines, and each name becomes part of a path: the copies kept of
// lists emptied on the server, the status files forgotten and the titles read must all stay
// inside their folders. The first UID of the output read as an item keeps its place through
// the conflict copy that renames it.
class SyncOutputTarget : public FuzzTarget
{
public:
    explicit SyncOutputTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_root;
    SecretStore m_secrets;
    SyncSetup m_setup;
};

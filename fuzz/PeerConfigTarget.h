#pragma once

#include "FuzzTarget.h"

#include <QHash>

// Any bytes as the configuration files of vdirsyncer, khal, todoman (both of its files) and
// khard, cut at form feeds in that order, written under a private XDG_CONFIG_HOME; then the
// search for calendar folders and the address book's folders run over them. Every folder
// either gives must be an absolute, clean path; each calendar root found must be a folder.
class PeerConfigTarget : public FuzzTarget
{
public:
    explicit PeerConfigTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_home;
    QString m_config;
    QHash<QString, QString> m_environment;
    QStringList m_files;
};

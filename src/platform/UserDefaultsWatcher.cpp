#include "platform/UserDefaultsWatcher.h"

#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>

UserDefaultsWatcher::UserDefaultsWatcher(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        // Our own writes come back here too; re-reading them finds nothing new to announce.
        m_defaults.synchronize();
        watch();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    watch();
}

void UserDefaultsWatcher::watch()
{
    // Writers replace the file (write aside, rename over), which a watch on the file alone
    // loses after the first time: the folder is watched as well.
    const QFileInfo file(m_defaults.filePath());
    const QString folder = file.absolutePath();
    QDir().mkpath(folder);
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
    if (file.exists() && !m_watcher.files().contains(file.absoluteFilePath()))
        m_watcher.addPath(file.absoluteFilePath());
}

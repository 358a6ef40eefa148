#include "platform/store/StoreFolders.h"

#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"

#include <QDir>
#include <QFileInfo>

namespace StoreFolders {

namespace {

QString cleaned(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

Source source(const UserDefaults& defaults)
{
    if (!qEnvironmentVariable("VELMORAN_STORE").isEmpty())
        return Source::Environment;
    const QStringList stored = defaults.stringArrayForKey(QStringLiteral("storeFolders"));
    const bool any = std::any_of(stored.begin(), stored.end(),
                                 [](const QString& folder) { return !folder.isEmpty(); });
    return any ? Source::Preference : Source::Default;
}

State check(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return State::Missing;
    if (!info.isDir())
        return State::NotAFolder;
    if (!info.isReadable() || !info.isExecutable() || !info.isWritable())
        return State::Unreadable;
    return State::Usable;
}

int collectionCount(const QString& path)
{
    return int(QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

QStringList withFolder(const UserDefaults& defaults, const QString& folder)
{
    QStringList roots = store::EventStore::configuredRoots(defaults);
    const QString path = cleaned(folder);
    if (!roots.contains(path))
        roots << path;
    return roots;
}

QStringList withoutFolder(const UserDefaults& defaults, const QString& folder)
{
    QStringList roots = store::EventStore::configuredRoots(defaults);
    roots.removeAll(cleaned(folder));
    if (roots.isEmpty())
        roots << store::EventStore::defaultRoot();
    return roots;
}

} // namespace StoreFolders

#include "platform/store/StoreFolders.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace StoreFolders {

namespace {

QString cleaned(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

QString defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velmoran/store");
}

QStringList configuredRoots(const UserDefaults& defaults)
{
    QStringList roots;
    const QString fromEnvironment = qEnvironmentVariable("VELMORAN_STORE");
    if (!fromEnvironment.isEmpty())
        roots = fromEnvironment.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    else
        roots = defaults.stringArrayForKey(QStringLiteral("storeFolders"));
    QStringList result;
    for (const QString& root : std::as_const(roots)) {
        if (QDir::isRelativePath(root))
            continue;
        const QString path = QDir::cleanPath(root);
        if (!result.contains(path))
            result << path;
    }
    if (result.isEmpty())
        result << defaultRoot();
    return result;
}

QString storeVariableProblem()
{
    const QString value = qEnvironmentVariable("VELMORAN_STORE");
    for (const QString& part : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isRelativePath(part))
            return QCoreApplication::translate(
                       "store::EventStore",
                       "VELMORAN_STORE names \"%1\", which is not a full path; give every folder "
                       "from / (folders are separated by ':')")
                .arg(part);
    }
    return {};
}

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
    QStringList roots = configuredRoots(defaults);
    const QString path = cleaned(folder);
    if (!roots.contains(path))
        roots << path;
    return roots;
}

QStringList withoutFolder(const UserDefaults& defaults, const QString& folder)
{
    QStringList roots = configuredRoots(defaults);
    roots.removeAll(cleaned(folder));
    if (roots.isEmpty())
        roots << defaultRoot();
    return roots;
}

} // namespace StoreFolders

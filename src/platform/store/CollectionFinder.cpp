#include "platform/store/CollectionFinder.h"

#include "platform/store/PeerConfigFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace store {

namespace {

bool isPattern(const QString& part)
{
    return part.contains(QLatin1Char('*')) || part.contains(QLatin1Char('?')) ||
           part.contains(QLatin1Char('['));
}

bool hasItems(const QString& folder)
{
    QDirIterator it(folder, {QStringLiteral("*.ics")}, QDir::Files);
    return it.hasNext();
}

// A collection holds items or the metadata files the vdir layout gives one.
bool isCollection(const QString& folder)
{
    return hasItems(folder) || QFileInfo::exists(folder + QStringLiteral("/displayname")) ||
           QFileInfo::exists(folder + QStringLiteral("/color"));
}

enum class Kind { Other, Task, Event };

// The kind of an item from the start of its file, where the component usually is; a long
// time-zone block can push it further, so more is read when the start does not say.
Kind kindOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::Other;
    QByteArray text = file.read(4096);
    if (!text.contains("BEGIN:VTODO") && !text.contains("BEGIN:VEVENT"))
        text += file.read(60 * 1024);
    if (text.contains("BEGIN:VTODO"))
        return Kind::Task;
    if (text.contains("BEGIN:VEVENT"))
        return Kind::Event;
    return Kind::Other;
}

} // namespace

CollectionFinder::CollectionFinder(QString home, QHash<QString, QString> environment)
    : m_home(QDir::cleanPath(std::move(home)))
    , m_environment(std::move(environment))
{}

CollectionFinder CollectionFinder::forThisUser()
{
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QHash<QString, QString> environment;
    for (const QString& key : system.keys())
        environment.insert(key, system.value(key));
    return CollectionFinder(QDir::homePath(), environment);
}

QString CollectionFinder::vdirsyncerConfig() const
{
    const QString named = m_environment.value(QStringLiteral("VDIRSYNCER_CONFIG"));
    if (!named.isEmpty())
        return named;
    const QString old = m_home + QStringLiteral("/.vdirsyncer/config");
    if (QFileInfo::exists(old))
        return old;
    QString config = m_environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty())
        config = m_home + QStringLiteral("/.config");
    return config + QStringLiteral("/vdirsyncer/config");
}

QString CollectionFinder::khalConfig() const
{
    QString config = m_environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty())
        config = m_home + QStringLiteral("/.config");
    const QString current = config + QStringLiteral("/khal/config");
    if (QFileInfo::exists(current))
        return current;
    return m_home + QStringLiteral("/.khal/khal.conf");
}

QStringList CollectionFinder::todomanConfigs() const
{
    QString config = m_environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty())
        config = m_home + QStringLiteral("/.config");
    return {config + QStringLiteral("/todoman/config.py"),
            config + QStringLiteral("/todoman/todoman.conf")};
}

QString CollectionFinder::readConfig(const QString& path) const
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    // read() first makes room for as much as it is allowed to read: the size asks for less.
    return QString::fromUtf8(file.read(qMin(file.size(), m_limits.configBytes)));
}

QList<FoundRoot> CollectionFinder::find()
{
    m_clock.start();
    m_found.clear();
    m_filesLooked = 0;
    addCandidates(PeerConfigFiles::vdirsyncerPaths(readConfig(vdirsyncerConfig())), false,
                  QStringLiteral("vdirsyncer"));
    addCandidates(PeerConfigFiles::khalPaths(readConfig(khalConfig())), true,
                  QStringLiteral("khal"));
    for (const QString& config : todomanConfigs())
        addCandidates(PeerConfigFiles::todomanPaths(readConfig(config)), true,
                      QStringLiteral("todoman"));
    QString data = m_environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (data.isEmpty())
        data = m_home + QStringLiteral("/.local/share");
    addCandidates({m_home + QStringLiteral("/.calendars"), data + QStringLiteral("/calendars"),
                   m_home + QStringLiteral("/.local/share/calendars")},
                  false, QString());
    for (FoundRoot& root : m_found)
        count(root);
    QList<FoundRoot> found;
    for (const FoundRoot& root : std::as_const(m_found)) {
        // A folder whose sub-folders are mostly something else (a home folder, where a
        // collection was kept directly) is no folder of collections to offer.
        if (root.collections > 0 && root.otherFolders <= root.collections &&
            root.path != QFileInfo(m_home).canonicalFilePath())
            found << root;
    }
    return found;
}

FoundRoot CollectionFinder::inspect(const QString& folder)
{
    m_clock.start();
    m_filesLooked = 0;
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (isCollection(path) && !hasSubCollections(path))
        path = QFileInfo(path).path();
    FoundRoot root;
    root.path = path;
    count(root);
    return root;
}

void CollectionFinder::addCandidates(const QStringList& patterns, bool areCollections,
                                     const QString& user)
{
    for (const QString& pattern : patterns) {
        if (outOfTime())
            return;
        const QString expanded = PeerConfigFiles::expandPath(pattern, m_home, m_environment);
        // A NUL would cut the path where the system reads it, naming another folder.
        if (!QDir::isAbsolutePath(expanded) || expanded.contains(QChar(0)))
            continue;
        for (const QString& folder : expandPattern(expanded)) {
            // A folder of collections may be named where a collection is expected and the
            // other way round; what is on disk decides.
            if (areCollections || (isCollection(folder) && !hasSubCollections(folder)))
                addRoot(QFileInfo(folder).path(), user);
            else
                addRoot(folder, user);
        }
    }
}

bool CollectionFinder::hasSubCollections(const QString& folder) const
{
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    for (int looked = 0; it.hasNext() && looked < 64; ++looked) {
        if (isCollection(it.next()))
            return true;
    }
    return false;
}

void CollectionFinder::addRoot(const QString& folder, const QString& user)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return;
    const QString path = info.canonicalFilePath();
    for (FoundRoot& root : m_found) {
        if (root.path == path) {
            if (!user.isEmpty() && !root.usedBy.contains(user))
                root.usedBy << user;
            return;
        }
    }
    if (m_found.size() >= m_limits.roots)
        return;
    FoundRoot root;
    root.path = path;
    if (!user.isEmpty())
        root.usedBy << user;
    m_found << root;
}

QStringList CollectionFinder::expandPattern(const QString& pattern) const
{
    const QStringList parts = QDir::cleanPath(pattern).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList folders{QStringLiteral("/")};
    for (const QString& part : parts) {
        QStringList next;
        for (const QString& folder : std::as_const(folders)) {
            const QString base = folder == QLatin1String("/") ? QString() : folder;
            if (!isPattern(part)) {
                next << base + QLatin1Char('/') + part;
                continue;
            }
            QDirIterator it(folder, {part}, QDir::Dirs | QDir::NoDotAndDotDot);
            while (it.hasNext() && next.size() < m_limits.patternMatches)
                next << it.next();
        }
        folders = next;
        if (folders.isEmpty() || outOfTime())
            break;
    }
    return folders;
}

void CollectionFinder::count(FoundRoot& root)
{
    QDirIterator collections(root.path, QDir::Dirs | QDir::NoDotAndDotDot);
    while (collections.hasNext()) {
        // A picked home folder may hold thousands of plain folders, each looked into.
        if (outOfTime()) {
            root.partial = true;
            return;
        }
        const QString folder = collections.next();
        if (collections.fileName().startsWith(QLatin1Char('.')))
            continue;
        if (!isCollection(folder)) {
            ++root.otherFolders;
            continue;
        }
        if (root.collections >= m_limits.collectionsPerRoot) {
            root.partial = true;
            return;
        }
        ++root.collections;
        QDirIterator items(folder, {QStringLiteral("*.ics")}, QDir::Files);
        while (items.hasNext()) {
            if (m_filesLooked >= m_limits.files || outOfTime()) {
                root.partial = true;
                return;
            }
            ++m_filesLooked;
            switch (kindOf(items.next())) {
            case Kind::Task:
                ++root.tasks;
                break;
            case Kind::Event:
                ++root.events;
                break;
            case Kind::Other:
                break;
            }
        }
    }
}

bool CollectionFinder::outOfTime() const
{
    return m_clock.isValid() && m_clock.elapsed() > m_limits.milliseconds;
}

} // namespace store

#include "PeerConfigTarget.h"

#include "platform/contacts/AddressBook.h"
#include "platform/store/CollectionFinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void writeFile(const QString& path, QByteArrayView bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), bytes.size());
}

bool isSane(const QString& path)
{
    return QDir::isAbsolutePath(path) && QDir::cleanPath(path) == path && !path.contains(QChar(0));
}

} // namespace

PeerConfigTarget::PeerConfigTarget(const QString& workFolder)
    : m_home(workFolder + QStringLiteral("/peer-home"))
    , m_config(m_home + QStringLiteral("/config"))
{
    QDir(m_home).removeRecursively();
    m_environment = {{QStringLiteral("HOME"), m_home},
                     {QStringLiteral("XDG_CONFIG_HOME"), m_config},
                     {QStringLiteral("XDG_DATA_HOME"), m_home + QStringLiteral("/data")},
                     {QStringLiteral("CALENDARS"), m_home + QStringLiteral("/.calendars")},
                     {QStringLiteral("EMPTY"), QString()}};
    // Something for the configured paths and patterns to find: two collections and a folder
    // that is none.
    writeFile(m_home + QStringLiteral("/.calendars/work/a.ics"),
              "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:a\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    writeFile(m_home + QStringLiteral("/.calendars/home/displayname"), "Home");
    writeFile(m_home + QStringLiteral("/calendars/other/notes.txt"), "x");
    writeFile(m_home + QStringLiteral("/contacts/family/a.vcf"), "BEGIN:VCARD\r\nEND:VCARD\r\n");
    m_files = {m_config + QStringLiteral("/vdirsyncer/config"),
               m_config + QStringLiteral("/khal/config"),
               m_config + QStringLiteral("/todoman/config.py"),
               m_config + QStringLiteral("/todoman/todoman.conf"),
               m_config + QStringLiteral("/khard/khard.conf")};
}

QStringList PeerConfigTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QList<QByteArray> parts = input.toByteArray().split('\f');
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        if (i < parts.size())
            writeFile(m_files.at(i), parts.at(i));
        else
            QFile::remove(m_files.at(i));
    }

    store::CollectionFinder finder(m_home, m_environment);
    store::CollectionFinder::Limits limits;
    // Paths may name any folder of this machine; the bounds keep a run short.
    limits.milliseconds = 200;
    limits.files = 500;
    limits.collectionsPerRoot = 100;
    finder.setLimits(limits);
    for (const store::FoundRoot& root : finder.find()) {
        if (!isSane(root.path))
            findings << QStringLiteral("A calendar folder found is no clean absolute path: ") +
                            root.path.left(80);
        else if (!QFileInfo(root.path).isDir())
            findings << QStringLiteral("A calendar folder found is no folder: ") +
                            root.path.left(80);
        if (root.collections <= 0)
            findings << QStringLiteral("A calendar folder without collections is offered");
    }

    for (const QString& folder : contacts::AddressBook::locateFolders({}, m_home, m_environment)) {
        if (!isSane(folder))
            findings << QStringLiteral("An address book folder is no clean absolute path: ") +
                            folder.left(80);
    }
    return findings;
}

#include "platform/contacts/AddressBook.h"

#include "platform/store/PeerConfigFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcessEnvironment>

Q_LOGGING_CATEGORY(lcContacts, "velmoran.contacts")

namespace contacts {

namespace {

// A file larger than this is no address book a person keeps by hand; it is passed over.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxConfigBytes = 1024 * 1024;

bool isVCardFile(const QFileInfo& info)
{
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard"));
}

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    const qsizetype comment = value.indexOf(u'#');
    if (comment >= 0)
        value.truncate(comment);
    return value.trimmed();
}

} // namespace

AddressBook::AddressBook(QStringList folders)
    : m_folders(std::move(folders))
{}

AddressBook AddressBook::forThisUser(const QString& preferredFolder)
{
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QHash<QString, QString> environment;
    for (const QString& key : system.keys())
        environment.insert(key, system.value(key));
    return AddressBook(locateFolders(preferredFolder, QDir::homePath(), environment));
}

QStringList AddressBook::locateFolders(const QString& preferredFolder, const QString& home,
                                       const QHash<QString, QString>& environment)
{
    if (!preferredFolder.trimmed().isEmpty())
        return {PeerConfigFiles::expandPath(preferredFolder.trimmed(), home, environment)};
    QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = home + QStringLiteral("/.config");
    QFile config(configHome + QStringLiteral("/khard/khard.conf"));
    if (!config.open(QIODevice::ReadOnly))
        return {};
    // read() first makes room for as much as it is allowed to read: the size asks for less.
    const QString text = QString::fromUtf8(config.read(qMin(config.size(), kMaxConfigBytes)));
    QStringList folders;
    for (const QString& path : khardPaths(text)) {
        // khard would take a relative path from wherever it was started; we have no such
        // place, and reading from our own working folder would be reading anything. A NUL
        // would cut the path where the system reads it, naming another folder.
        const QString folder =
            QDir::cleanPath(PeerConfigFiles::expandPath(path, home, environment));
        if (QDir::isAbsolutePath(folder) && !folder.contains(QChar(0)) && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QStringList AddressBook::khardPaths(const QString& configText)
{
    // khard's file is a ConfigObj file: "[addressbooks]" holds one "[[name]]" section per
    // address book, each with a `path`.
    QStringList paths;
    bool inBooks = false;
    bool inBook = false;
    for (QString line : configText.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(QLatin1String("[["))) {
            inBook = inBooks;
            continue;
        }
        if (line.startsWith(u'[')) {
            inBooks = line.compare(QLatin1String("[addressbooks]"), Qt::CaseInsensitive) == 0;
            inBook = false;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inBook || equals <= 0 || line.left(equals).trimmed() != QLatin1String("path"))
            continue;
        const QString path = unquoted(line.mid(equals + 1));
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

QStringList AddressBook::vCardFiles() const
{
    QStringList files;
    for (const QString& folder : m_folders) {
        const QDir dir(folder);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (isVCardFile(entry)) {
                files << entry.filePath();
            } else if (entry.isDir() && !entry.fileName().startsWith(u'.')) {
                // vdirsyncer keeps one sub-folder per address book of an account.
                for (const QFileInfo& inner :
                     QDir(entry.filePath()).entryInfoList(QDir::Files, QDir::Name))
                    if (isVCardFile(inner))
                        files << inner.filePath();
            }
        }
    }
    return files;
}

QList<Contact> AddressBook::contacts()
{
    QList<Contact> all;
    for (const QString& path : vCardFiles()) {
        QFile file(path);
        if (file.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly))
            continue;
        const VCardReader::Result result = VCardReader::read(file.readAll());
        all << result.contacts;
        if (result.brokenCards > 0 && !m_reported.contains(path)) {
            m_reported.insert(path);
            qCWarning(lcContacts).noquote() << QStringLiteral("Skipped %1 broken card(s) in %2")
                                                   .arg(result.brokenCards)
                                                   .arg(path);
        }
    }
    return all;
}

} // namespace contacts

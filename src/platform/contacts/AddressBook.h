#pragma once

#include "platform/contacts/VCardReader.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace contacts {

// The user's address book: the vCard files of one or more vdir folders (the layout khard and
// vdirsyncer keep contacts in). Reads only; each file is read whole on every load, because the
// location pop-over reloads the contacts each time it opens and a card may have changed.
class AddressBook
{
public:
    explicit AddressBook(QStringList folders);
    // The folders for this user: `preferredFolder` (the contacts-folder preference) when set,
    // else the address books khard is configured with, else none.
    static AddressBook forThisUser(const QString& preferredFolder);
    static QStringList locateFolders(const QString& preferredFolder, const QString& home,
                                     const QHash<QString, QString>& environment);
    // The `path` of every address book in the text of a khard configuration.
    static QStringList khardPaths(const QString& configText);

    bool isAvailable() const { return !m_folders.isEmpty(); }
    QStringList folders() const { return m_folders; }

    // Every card of every vCard file in the folders and their direct sub-folders, in file-name
    // order. Broken cards are skipped and reported once per file and run.
    QList<Contact> contacts();

private:
    QStringList vCardFiles() const;

    QStringList m_folders;
    QSet<QString> m_reported;
};

} // namespace contacts

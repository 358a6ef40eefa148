#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The layout of the trash folder and the file moves both halves of RecentlyDeleted make.
namespace trash::TrashFiles {

struct RecentlyDeletedText
{
    Q_DECLARE_TR_FUNCTIONS(RecentlyDeleted)
};

inline const QString kRecordName = QStringLiteral("record.json");
inline const QString kListFolderName = QStringLiteral("list");
// Entries under construction and entries being restored; never listed.
inline const QString kNewPrefix = QStringLiteral(".new-");
inline const QString kClaimPrefix = QStringLiteral(".restoring-");
// Entries done with (restored, or deleted for good) whose files are still being removed: never
// put back, and removed by whoever comes next when their removal failed.
inline const QString kGonePrefix = QStringLiteral(".gone-");
// The metadata files a vdir collection may carry, kept with a deleted list.
inline const QStringList kMetadataFiles = {QStringLiteral("displayname"), QStringLiteral("color"),
                                           QStringLiteral("description"), QStringLiteral("order"),
                                           QStringLiteral(".velmoran-created-for")};

QString errnoText();
QByteArray encoded(const QString& path);
// Makes `to` a second name of `from` where both are on one file system, else a synced copy.
// Never replaces an existing `to`; `exists` tells that case apart.
bool placeFile(const QString& from, const QString& to, QString* error, bool* exists = nullptr);
// The item files of a folder, by name.
QStringList icsFiles(const QString& folder);

} // namespace trash::TrashFiles

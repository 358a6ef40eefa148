#include "platform/sync/EmptiedList.h"

#include "platform/ReplaceFileContents.h"
#include "platform/sync/SyncPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace EmptiedLists {

QList<EmptiedList> load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<EmptiedList> lists;
    // read() first makes room for as much as it is allowed to read: the size asks for less.
    for (const QJsonValue& value :
         QJsonDocument::fromJson(file.read(qMin<qint64>(file.size(), 1 << 20))).array()) {
        const QJsonObject object = value.toObject();
        EmptiedList list;
        list.pair = object.value(QLatin1String("pair")).toString();
        list.collection = object.value(QLatin1String("collection")).toString();
        list.side = object.value(QLatin1String("side")).toString() == QLatin1String("server")
                        ? EmptiedList::Side::Server
                        : EmptiedList::Side::Here;
        list.copyFolder = object.value(QLatin1String("copy")).toString();
        if (SyncPaths::isEntryName(list.pair) && SyncPaths::isEntryName(list.collection))
            lists.append(list);
    }
    return lists;
}

bool save(const QString& path, const QList<EmptiedList>& lists)
{
    if (lists.isEmpty())
        return !QFile::exists(path) || QFile::remove(path);
    QJsonArray array;
    for (const EmptiedList& list : lists) {
        QJsonObject object;
        object.insert(QLatin1String("pair"), list.pair);
        object.insert(QLatin1String("collection"), list.collection);
        object.insert(QLatin1String("side"), list.side == EmptiedList::Side::Server
                                                 ? QLatin1String("server")
                                                 : QLatin1String("here"));
        if (!list.copyFolder.isEmpty())
            object.insert(QLatin1String("copy"), list.copyFolder);
        array.append(object);
    }
    return replaceFileContents(path, QJsonDocument(array).toJson(), nullptr,
                               ReplaceFileOptions::creatingFolder());
}

} // namespace EmptiedLists

#pragma once

#include "FuzzTarget.h"

#include "platform/store/ParseCache.h"

// Any bytes as a folder's parse cache file. When the first byte is even, the rest is the body
// after a valid head (this build's layout, the store folders, the folder and its summary) with
// the right checksum added,
// so that the entries themselves are read; when it is odd, the bytes are the whole file. A
// file the reader takes must write back and read again with every entry and task unchanged;
// one it refuses gives nothing at all.
class ParseCacheTarget : public FuzzTarget
{
public:
    explicit ParseCacheTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_file;
    QStringList m_roots;
    store::CollectionFolder m_folder;
    store::ParseCache m_cache;
    // An empty cache's file without its entry count and checksum.
    QByteArray m_header;
};

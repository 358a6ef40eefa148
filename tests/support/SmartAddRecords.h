#pragma once

#include <QString>
#include <QVariantMap>

// Stored Smart Add rule records as the preference file holds them, written out in tests the
// way the rule table's rows are read: type, result type, word, and the result with its unit.
namespace SmartAddRecords {

inline QVariantMap record(qint64 type, qint64 resultType, const QString& word)
{
    return {{"type", type}, {"resultType", resultType}, {"word", word}};
}

inline QVariantMap record(qint64 type, qint64 resultType, const QString& word,
                          const QString& result, const QString& unit = {})
{
    QVariantMap map = record(type, resultType, word);
    map.insert("result", result);
    if (!unit.isEmpty())
        map.insert("resultUnit", unit);
    return map;
}

} // namespace SmartAddRecords

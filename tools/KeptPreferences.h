#pragma once

#include "platform/UserDefaults.h"

#include <QStringList>
#include <QVariantMap>

// Preferences a group of pictures changes for its scenes, put back as they were (or removed
// again) when the group is done, so that the next group starts from the demo's own.
class KeptPreferences
{
public:
    KeptPreferences(UserDefaults& defaults, QStringList keys)
        : m_defaults(defaults)
        , m_keys(std::move(keys))
    {
        for (const QString& key : std::as_const(m_keys))
            m_before.insert(key, m_defaults.objectForKey(key));
    }
    ~KeptPreferences()
    {
        for (const QString& key : std::as_const(m_keys)) {
            if (m_before.value(key).isValid())
                m_defaults.setObject(m_before.value(key), key);
            else
                m_defaults.removeObjectForKey(key);
        }
    }
    KeptPreferences(const KeptPreferences&) = delete;
    KeptPreferences& operator=(const KeptPreferences&) = delete;

private:
    UserDefaults& m_defaults;
    QStringList m_keys;
    QVariantMap m_before;
};

#include "platform/UserDefaults.h"

#include <QDir>
#include <QHash>
#include <QMutexLocker>
#include <QStandardPaths>

#include <cmath>
#include <memory>

bool UserDefaults::isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

UserDefaults::UserDefaults(const QString& filePath, QObject* parent)
    : QObject(parent)
    , m_file(filePath)
{}

QString UserDefaults::configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmoran");
}

QString UserDefaults::filePathForSuite(const QString& suiteName)
{
    return configFolder() + QLatin1Char('/') + suiteName + QStringLiteral(".json");
}

UserDefaults& UserDefaults::standardUserDefaults()
{
    return suite(QStringLiteral("preferences"));
}

UserDefaults& UserDefaults::suite(const QString& suiteName)
{
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<UserDefaults>> suites;
    QMutexLocker lock(&mutex);
    std::shared_ptr<UserDefaults>& slot = suites[suiteName];
    if (!slot)
        slot = std::make_shared<UserDefaults>(filePathForSuite(suiteName));
    return *slot;
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    QVariant value = m_file.value(key);
    if (value.isValid())
        return value;
    QMutexLocker lock(&m_defaultsMutex);
    return m_registered.value(key);
}

bool UserDefaults::boolValue(const QVariant& value)
{
    return isNumber(value) ? value.toDouble() != 0.0 : false;
}

qint64 UserDefaults::integerValue(const QVariant& value)
{
    if (!isNumber(value))
        return 0;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        // A real beyond the integer range (or NaN) has no integer value; converting it would be
        // undefined.
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::fabs(number) > 9.0e18)
            return 0;
        return static_cast<qint64>(number);
    }
    return value.toLongLong();
}

bool UserDefaults::boolForKey(const QString& key) const
{
    return boolValue(objectForKey(key));
}

qint64 UserDefaults::integerForKey(const QString& key) const
{
    return integerValue(objectForKey(key));
}

double UserDefaults::doubleForKey(const QString& key) const
{
    const QVariant value = objectForKey(key);
    return isNumber(value) ? value.toDouble() : 0.0;
}

QString UserDefaults::stringForKey(const QString& key) const
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QVariantList UserDefaults::arrayForKey(const QString& key) const
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    return {};
}

QStringList UserDefaults::stringArrayForKey(const QString& key) const
{
    QStringList strings;
    const QVariantList list = arrayForKey(key);
    for (const QVariant& item : list) {
        // Like the platform's string-array read: an array holding anything but strings is no
        // string array at all.
        if (item.typeId() != QMetaType::QString)
            return {};
        strings << item.toString();
    }
    return strings;
}

QVariantMap UserDefaults::dictionaryForKey(const QString& key) const
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

QDateTime UserDefaults::dateForKey(const QString& key) const
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime() : QDateTime();
}

bool UserDefaults::hasStoredValue(const QString& key) const
{
    return m_file.contains(key);
}

void UserDefaults::setObject(const QVariant& value, const QString& key)
{
    if (!value.isValid()) {
        removeObjectForKey(key);
        return;
    }
    written(m_file.write({{key, value}}));
    Q_EMIT changed(key);
}

void UserDefaults::setObjects(const QVariantMap& values)
{
    written(m_file.write(values));
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        Q_EMIT changed(it.key());
}

void UserDefaults::removeObjectForKey(const QString& key)
{
    written(m_file.write({}, {key}));
    Q_EMIT changed(key);
}

void UserDefaults::written(bool ok)
{
    if (!ok)
        Q_EMIT writeFailed(m_file.lastWriteError());
}

void UserDefaults::registerDefaults(const QVariantMap& defaults)
{
    QMutexLocker lock(&m_defaultsMutex);
    for (auto it = defaults.constBegin(); it != defaults.constEnd(); ++it)
        m_registered.insert(it.key(), it.value());
}

QVariantMap UserDefaults::registeredDefaults() const
{
    QMutexLocker lock(&m_defaultsMutex);
    return m_registered;
}

QVariantMap UserDefaults::dictionaryRepresentation() const
{
    QVariantMap all = registeredDefaults();
    const QVariantMap stored = m_file.values();
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it)
        all.insert(it.key(), it.value());
    return all;
}

bool UserDefaults::synchronize()
{
    const QStringList changedKeys = m_file.reload();
    for (const QString& key : changedKeys)
        Q_EMIT changed(key);
    return m_file.isWritable() && m_file.lastWriteError().isEmpty();
}

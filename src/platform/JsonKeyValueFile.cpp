#include "platform/JsonKeyValueFile.h"

#include "platform/ReplaceFileContents.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QTemporaryFile>

#include <utility>

#include <sys/stat.h>

Q_LOGGING_CATEGORY(lcKeyValue, "velmoran.preferences")

namespace {

// Why nothing can be written into `folder` ("No space left on device"); empty when a small
// file can be written there.
QString folderWriteProblem(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.write-check-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    if (probe.write("x", 1) != 1 || !probe.flush())
        return probe.errorString();
    return {};
}

// Reads within this interval trust the values in memory; after it they look at the file's
// stamp again. Keeps hot readers (sorting, painting) off the disk.
constexpr qint64 kRecheckMs = 200;

const QString kDateTag = QStringLiteral("$date");
const QString kRealTag = QStringLiteral("$real");
const QString kDataTag = QStringLiteral("$data");

} // namespace

JsonKeyValueFile::JsonKeyValueFile(const QString& path)
    : m_path(path)
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    m_unannounced.clear();
}

QJsonValue JsonKeyValueFile::encode(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QJsonValue(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QJsonObject{{kRealTag, value.toDouble()}};
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QDateTime:
        return QJsonObject{{kDateTag, value.toDateTime().toUTC().toString(Qt::ISODateWithMs)}};
    case QMetaType::QDate:
        return QJsonObject{
            {kDateTag, value.toDate().startOfDay().toUTC().toString(Qt::ISODateWithMs)}};
    case QMetaType::QByteArray:
        return QJsonObject{{kDataTag, QString::fromLatin1(value.toByteArray().toBase64())}};
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QJsonArray array;
        const QVariantList list = value.toList();
        for (const QVariant& item : list)
            array.append(encode(item));
        return array;
    }
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            object.insert(it.key(), encode(it.value()));
        return object;
    }
    default:
        if (!value.isValid())
            return QJsonValue(QJsonValue::Null);
        return value.toString();
    }
}

QVariant JsonKeyValueFile::decode(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double: {
        const double d = value.toDouble();
        const qint64 i = value.toInteger(std::numeric_limits<qint64>::min());
        if (i != std::numeric_limits<qint64>::min() || d == double(i))
            return QVariant::fromValue<qint64>(i);
        return d;
    }
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Array: {
        QVariantList list;
        const QJsonArray array = value.toArray();
        list.reserve(array.size());
        for (const QJsonValue& item : array)
            list.append(decode(item));
        return list;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        if (object.size() == 1) {
            if (object.contains(kDateTag))
                return QDateTime::fromString(object.value(kDateTag).toString(), Qt::ISODateWithMs)
                    .toLocalTime();
            if (object.contains(kRealTag))
                return object.value(kRealTag).toDouble();
            if (object.contains(kDataTag))
                return QByteArray::fromBase64(object.value(kDataTag).toString().toLatin1());
        }
        QVariantMap map;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it)
            map.insert(it.key(), decode(it.value()));
        return map;
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

QByteArray JsonKeyValueFile::serialize(const QVariantMap& map)
{
    QJsonObject object;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        object.insert(it.key(), encode(it.value()));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<QVariantMap> JsonKeyValueFile::parse(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return decode(document.object()).toMap();
}

JsonKeyValueFile::Stamp JsonKeyValueFile::stampOf(const QString& path)
{
    struct stat st;
    Stamp stamp;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = st.st_size;
    stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return stamp;
}

void JsonKeyValueFile::moveAsideLocked(const QString& reason) const
{
    const QString aside =
        m_path + QStringLiteral(".corrupt-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddTHHmmsszzz"));
    if (QFile::rename(m_path, aside)) {
        qCWarning(lcKeyValue).noquote()
            << QStringLiteral("Preference file %1 %2; it was moved to %3 and the preferences "
                              "start empty.")
                   .arg(m_path, reason, aside);
        m_blocked = false;
    } else {
        qCWarning(lcKeyValue).noquote()
            << QStringLiteral("Preference file %1 %2 and could not be moved aside; it is left "
                              "untouched and nothing will be written to it in this run.")
                   .arg(m_path, reason);
        m_blocked = true;
    }
}

QVariantMap JsonKeyValueFile::readDiskLocked() const
{
    m_stamp = stampOf(m_path);
    if (!m_stamp.exists)
        return {};
    // A file that cannot be read (an I/O error, its permissions) is not known to be corrupt:
    // moving it aside, or writing over it, would lose every preference for a passing fault.
    // It is left alone and nothing is written to it in this run.
    QFile file(m_path);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        qCWarning(lcKeyValue).noquote()
            << QStringLiteral("Preference file %1 cannot be read (%2); it is left untouched and "
                              "nothing will be written to it in this run.")
                   .arg(m_path, file.errorString());
        m_blocked = true;
        m_unreadThisRun = true;
        return {};
    }
    file.close();
    if (bytes.trimmed().isEmpty()) {
        m_blocked = false;
        return {};
    }
    std::optional<QVariantMap> map = parse(bytes);
    if (!map) {
        moveAsideLocked(QStringLiteral("is not a valid preference file"));
        m_stamp = stampOf(m_path);
        return {};
    }
    m_blocked = false;
    return *map;
}

void JsonKeyValueFile::loadLocked() const
{
    const QVariantMap before = m_values;
    m_values = readDiskLocked();
    m_lastCheck.start();
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it) {
        if (before.value(it.key()) != it.value() && !m_unannounced.contains(it.key()))
            m_unannounced << it.key();
    }
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (!m_values.contains(it.key()) && !m_unannounced.contains(it.key()))
            m_unannounced << it.key();
    }
}

void JsonKeyValueFile::refreshIfStale() const
{
    if (m_lastCheck.isValid() && m_lastCheck.elapsed() < kRecheckMs)
        return;
    m_lastCheck.start();
    if (stampOf(m_path) != m_stamp)
        loadLocked();
}

QVariant JsonKeyValueFile::value(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    refreshIfStale();
    return m_values.value(key);
}

bool JsonKeyValueFile::contains(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    refreshIfStale();
    return m_values.contains(key);
}

QVariantMap JsonKeyValueFile::values() const
{
    QMutexLocker lock(&m_mutex);
    refreshIfStale();
    return m_values;
}

QStringList JsonKeyValueFile::reload()
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    return std::exchange(m_unannounced, {});
}

bool JsonKeyValueFile::isWritable() const
{
    QMutexLocker lock(&m_mutex);
    return !m_blocked && !m_unreadThisRun;
}

QString JsonKeyValueFile::lastWriteError() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastWriteError;
}

bool JsonKeyValueFile::failWrite(const QString& reason)
{
    m_lastWriteError = reason;
    qCWarning(lcKeyValue).noquote()
        << QStringLiteral("Cannot write the preference file %1: %2; the change is kept for this "
                          "run only.")
               .arg(m_path, reason);
    return false;
}

bool JsonKeyValueFile::write(const QVariantMap& changes, const QStringList& removals)
{
    QMutexLocker lock(&m_mutex);
    auto apply = [&](QVariantMap& map) {
        for (auto it = changes.constBegin(); it != changes.constEnd(); ++it)
            map.insert(it.key(), it.value());
        for (const QString& key : removals)
            map.remove(key);
    };

    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        apply(m_values);
        return failWrite(
            QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath()));
    }

    QLockFile fileLock(m_path + QStringLiteral(".lock"));
    fileLock.setStaleLockTime(10000);
    if (!fileLock.tryLock(0)) {
        // A lock that cannot be made (a full disk, a read-only folder) is not waited for: the
        // folder is asked for its real reason first.
        const QString problem = folderWriteProblem(info.absolutePath());
        if (!problem.isEmpty() || fileLock.error() != QLockFile::LockFailedError) {
            apply(m_values);
            return failWrite(problem.isEmpty() ? QStringLiteral("its lock file cannot be created")
                                               : problem);
        }
        if (!fileLock.tryLock(5000)) {
            apply(m_values);
            return failWrite(QStringLiteral("another process keeps it locked"));
        }
    }

    // Start from what is on disk now, so keys another process wrote meanwhile survive.
    if (stampOf(m_path) != m_stamp || m_blocked)
        loadLocked();
    apply(m_values);
    m_lastCheck.start();
    if (m_blocked || m_unreadThisRun)
        return failWrite(QStringLiteral("the file could not be read, so it is left alone"));

    QString reason;
    if (!replaceFileContents(m_path, serialize(m_values), &reason))
        return failWrite(reason);
    m_stamp = stampOf(m_path);
    m_lastWriteError.clear();
    return true;
}

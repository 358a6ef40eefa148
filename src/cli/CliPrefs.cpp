// "prefs get" and "prefs set": preference values as JSON, in the notation of the preference
// file itself (dates as {"$date": ...}, reals as {"$real": ...}), so what "get" prints "set"
// takes back.

#include "cli/CliCommands.h"

#include "cli/CliOutput.h"
#include "platform/AutostartEntry.h"
#include "platform/JsonKeyValueFile.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/TodayExtensionMirror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace CliCommands {

namespace {

using CliOutput::fail;

// One JSON value of any kind; QJsonDocument itself only reads arrays and objects.
std::optional<QJsonValue> parseJsonValue(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray("[") + text.toUtf8() + QByteArray("]"), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray() ||
        document.array().size() != 1)
        return std::nullopt;
    return document.array().first();
}

// What kind of value a preference holds, as far as a reader of it cares.
enum class Kind { None, Boolean, Number, Text, Array, Dictionary, Other };

Kind kindOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return Kind::None;
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return Kind::Number;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return Kind::Array;
    case QMetaType::QVariantMap:
        return Kind::Dictionary;
    default:
        return Kind::Other;
    }
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Boolean:
        return CliText::tr("true or false");
    case Kind::Number:
        return CliText::tr("a number");
    case Kind::Text:
        return CliText::tr("a string");
    case Kind::Array:
        return CliText::tr("an array");
    case Kind::Dictionary:
        return CliText::tr("an object");
    default:
        return CliText::tr("a value of its own kind");
    }
}

// The application beside this program: installed in the same folder, or built beside it.
QString applicationExecutable()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {here + QStringLiteral("/velmoran"), here + QStringLiteral("/../app/velmoran")}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("velmoran"));
    return onPath.isEmpty() ? QStringLiteral("velmoran") : onPath;
}

int get(UserDefaults& defaults, const QString& key)
{
    CliOutput::print(CliOutput::jsonText(JsonKeyValueFile::encode(defaults.objectForKey(key))));
    return 0;
}

int set(UserDefaults& defaults, const QString& key, const QString& text)
{
    const std::optional<QJsonValue> json = parseJsonValue(text);
    if (!json)
        return fail(
            CliText::tr("\"%1\" is not a JSON value (a string needs its quotes: '\"08:00\"')")
                .arg(text));
    if (json->isNull()) {
        defaults.removeObjectForKey(key);
    } else {
        const QVariant value = JsonKeyValueFile::decode(*json);
        // Readers of a preference trust its kind; a value of another kind would read as zero.
        const Kind current = kindOf(defaults.objectForKey(key));
        const Kind given = kindOf(value);
        if (current != Kind::None && current != given)
            return fail(CliText::tr("%1 takes %2").arg(key, kindName(current)));
        defaults.setObject(value, key);
    }
    if (!defaults.synchronize()) {
        const QString reason = defaults.lastWriteError();
        return fail(reason.isEmpty()
                        ? CliText::tr("the preferences could not be written")
                        : CliText::tr("the preferences could not be written: %1").arg(reason));
    }
    // The companion widget's copy follows the preferences it mirrors.
    matchPreferencesForTodayExtension(defaults, UserDefaults::suite(PrefKey::suiteName));
    // The autostart entry follows its preference at once, not only at the next start.
    if (key == PrefKey::startAtLogin) {
        QString error;
        if (!AutostartEntry::apply(defaults.boolForKey(PrefKey::startAtLogin),
                                   applicationExecutable(), &error))
            return fail(error);
    }
    return get(defaults, key);
}

} // namespace

int runPrefs(UserDefaults& defaults, const CliRequest& request)
{
    const QString key = request.arguments.constFirst();
    if (request.command == CliRequest::Command::PrefsGet)
        return get(defaults, key);
    return set(defaults, key, request.arguments.at(1));
}

} // namespace CliCommands

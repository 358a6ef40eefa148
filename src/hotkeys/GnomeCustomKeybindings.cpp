#include "hotkeys/GnomeCustomKeybindings.h"

#include <gio/gio.h>

#include <QStringList>

#include <memory>

namespace {

const QString kListPath = QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/");
const QString kEntriesPath = kListPath + QStringLiteral("custom-keybindings/");
const QString kOurPathPrefix = kEntriesPath + QStringLiteral("velmoran-");

struct ObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, ObjectUnref>;

bool schemaHasKeys(const char* id, std::initializer_list<const char*> keys)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (!schema)
        return false;
    bool all = true;
    for (const char* key : keys)
        all = all && g_settings_schema_has_key(schema, key);
    g_settings_schema_unref(schema);
    return all;
}

QStringList readList(GSettings* settings, const char* key)
{
    gchar** values = g_settings_get_strv(settings, key);
    QStringList list;
    for (gchar** value = values; value && *value; ++value)
        list << QString::fromUtf8(*value);
    g_strfreev(values);
    return list;
}

void writeList(GSettings* settings, const char* key, const QStringList& list)
{
    QList<QByteArray> bytes;
    for (const QString& value : list)
        bytes << value.toUtf8();
    std::vector<const gchar*> pointers;
    for (const QByteArray& value : bytes)
        pointers.push_back(value.constData());
    pointers.push_back(nullptr);
    g_settings_set_strv(settings, key, pointers.data());
}

Settings entrySettings(const QString& path)
{
    return Settings(
        g_settings_new_with_path(GnomeCustomKeybindings::kEntrySchema, path.toUtf8().constData()));
}

QString readString(GSettings* settings, const char* key)
{
    gchar* value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

} // namespace

bool GnomeCustomKeybindings::isAvailable()
{
    return schemaHasKeys(kSchema, {kListKey}) &&
           schemaHasKeys(kEntrySchema, {"name", "command", "binding"});
}

QString GnomeCustomKeybindings::pathForId(const QString& id)
{
    return kEntriesPath + id + QLatin1Char('/');
}

QList<GnomeCustomKeybindings::Binding> GnomeCustomKeybindings::installed() const
{
    if (!isAvailable())
        return {};
    const Settings list(g_settings_new(kSchema));
    QList<Binding> bindings;
    for (const QString& path : readList(list.get(), kListKey)) {
        if (!path.startsWith(kOurPathPrefix) || !path.endsWith(QLatin1Char('/')))
            continue;
        const Settings entry = entrySettings(path);
        bindings << Binding{path.mid(kEntriesPath.size()).chopped(1),
                            readString(entry.get(), "name"), readString(entry.get(), "command"),
                            readString(entry.get(), "binding")};
    }
    return bindings;
}

bool GnomeCustomKeybindings::apply(const QList<Binding>& bindings)
{
    if (!isAvailable())
        return false;
    const Settings list(g_settings_new(kSchema));
    const QStringList before = readList(list.get(), kListKey);
    QStringList wanted;
    for (const Binding& binding : bindings)
        wanted << pathForId(binding.id);

    // The entries are complete before the list names them, so the settings daemon never binds
    // a half-written one.
    for (const Binding& binding : bindings) {
        const Settings entry = entrySettings(pathForId(binding.id));
        g_settings_set_string(entry.get(), "name", binding.name.toUtf8().constData());
        g_settings_set_string(entry.get(), "command", binding.command.toUtf8().constData());
        g_settings_set_string(entry.get(), "binding", binding.binding.toUtf8().constData());
    }
    QStringList after;
    QStringList dropped;
    for (const QString& path : before) {
        const bool ours = path.startsWith(kOurPathPrefix);
        if (ours && (!wanted.contains(path) || after.contains(path)))
            dropped << path; // no longer wanted, or listed twice
        else
            after << path;
    }
    for (const QString& path : std::as_const(wanted)) {
        if (!after.contains(path))
            after << path;
    }
    if (after != before)
        writeList(list.get(), kListKey, after);
    for (const QString& path : std::as_const(dropped)) {
        if (wanted.contains(path))
            continue;
        const Settings entry = entrySettings(path);
        for (const char* key : {"name", "command", "binding"})
            g_settings_reset(entry.get(), key);
    }
    // The writes go to the settings service in the background; the user is told it is done
    // only once they have arrived.
    g_settings_sync();
    return true;
}

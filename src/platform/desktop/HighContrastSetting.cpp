#include "platform/desktop/HighContrastSetting.h"

#include "platform/desktop/KdeGlobals.h"

#include <gio/gio.h>

#include <memory>

namespace {

struct ObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, ObjectUnref>;

// GSettings aborts the program on a schema or key it does not know, and a desktop without
// GNOME's schemas is no rarity.
Settings settingsWithKey(const char* id, const char* key)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return {};
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (!schema)
        return {};
    const bool hasKey = g_settings_schema_has_key(schema, key);
    g_settings_schema_unref(schema);
    return hasKey ? Settings(g_settings_new(id)) : Settings();
}

} // namespace

bool HighContrastSetting::gnomeAsks()
{
    if (const Settings a11y = settingsWithKey(kGnomeA11ySchema, "high-contrast");
        a11y && g_settings_get_boolean(a11y.get(), "high-contrast"))
        return true;
    const Settings desktop = settingsWithKey(kGnomeInterfaceSchema, "gtk-theme");
    if (!desktop)
        return false;
    gchar* theme = g_settings_get_string(desktop.get(), "gtk-theme");
    const QString name = QString::fromUtf8(theme);
    g_free(theme);
    return isHighContrastName(name);
}

bool HighContrastSetting::kdeAsks()
{
    return isHighContrastName(KdeGlobals()
                                  .value(QStringLiteral("General"), QStringLiteral("ColorScheme"))
                                  .value_or(QString()));
}

bool HighContrastSetting::isHighContrastName(const QString& name)
{
    return name.contains(QLatin1String("HighContrast"), Qt::CaseInsensitive);
}

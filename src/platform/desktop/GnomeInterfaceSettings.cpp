#include "platform/desktop/GnomeInterfaceSettings.h"

#include <gio/gio.h>

#include <QString>

namespace {

constexpr const char* kAnimationsKey = "enable-animations";
constexpr const char* kFontKey = "font-name";
constexpr const char* kScalingKey = "text-scaling-factor";

bool schemaHasKeys()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, GnomeInterfaceSettings::kSchema, TRUE);
    if (!schema)
        return false;
    const bool all = g_settings_schema_has_key(schema, kAnimationsKey) &&
                     g_settings_schema_has_key(schema, kFontKey) &&
                     g_settings_schema_has_key(schema, kScalingKey);
    g_settings_schema_unref(schema);
    return all;
}

QString stringOf(GVariant* value)
{
    const QString text = QString::fromUtf8(g_variant_get_string(value, nullptr));
    g_variant_unref(value);
    return text;
}

void keyChanged(GSettings*, const gchar* key, gpointer self)
{
    const QByteArray name(key);
    if (name == kAnimationsKey || name == kFontKey || name == kScalingKey)
        Q_EMIT static_cast<GnomeInterfaceSettings*>(self)->changed();
}

} // namespace

GnomeInterfaceSettings::GnomeInterfaceSettings(QObject* parent)
    : QObject(parent)
{
    // GSettings aborts the program on a schema that is not installed, so it is looked up
    // first.
    if (!schemaHasKeys())
        return;
    m_settings = g_settings_new(kSchema);
    m_changedHandler =
        g_signal_connect(m_settings, "changed", G_CALLBACK(keyChanged), static_cast<void*>(this));
}

GnomeInterfaceSettings::~GnomeInterfaceSettings()
{
    if (!m_settings)
        return;
    g_signal_handler_disconnect(m_settings, m_changedHandler);
    g_object_unref(m_settings);
}

std::optional<bool> GnomeInterfaceSettings::enableAnimations() const
{
    if (!m_settings)
        return std::nullopt;
    return g_settings_get_boolean(m_settings, kAnimationsKey) != FALSE;
}

std::optional<qreal> GnomeInterfaceSettings::fontPointSize() const
{
    if (!m_settings)
        return std::nullopt;
    return pointSizeOfFontName(stringOf(g_settings_get_value(m_settings, kFontKey)));
}

std::optional<qreal> GnomeInterfaceSettings::defaultFontPointSize() const
{
    if (!m_settings)
        return std::nullopt;
    return pointSizeOfFontName(stringOf(g_settings_get_default_value(m_settings, kFontKey)));
}

std::optional<qreal> GnomeInterfaceSettings::textScalingFactor() const
{
    if (!m_settings)
        return std::nullopt;
    return g_settings_get_double(m_settings, kScalingKey);
}

std::optional<qreal> GnomeInterfaceSettings::pointSizeOfFontName(const QString& fontName)
{
    const QString size = fontName.section(QLatin1Char(' '), -1);
    bool ok = false;
    const qreal points = size.toDouble(&ok);
    if (!ok || points <= 0)
        return std::nullopt;
    return points;
}

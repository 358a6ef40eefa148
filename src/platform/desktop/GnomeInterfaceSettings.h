#pragma once

#include <QObject>

#include <optional>

typedef struct _GSettings GSettings;

// GNOME's interface settings (the schema org.gnome.desktop.interface) that decide how every
// program on the desktop looks and moves, read through GSettings as GNOME's own programs read
// them, so that the dconf database, a vendor's defaults and a test's memory backend all count.
// Without the schema (a desktop that never installed it) every answer is none.
class GnomeInterfaceSettings : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kSchema = "org.gnome.desktop.interface";

    explicit GnomeInterfaceSettings(QObject* parent = nullptr);
    ~GnomeInterfaceSettings() override;

    bool isAvailable() const { return m_settings != nullptr; }
    // "enable-animations": false when the user turned animations off (Settings,
    // Accessibility, Reduce Animation).
    std::optional<bool> enableAnimations() const;
    // The size of "font-name" ("Cantarell 11"), the interface text, and the same of the
    // schema's default, which is what the desktop's text is when nobody changed it.
    std::optional<qreal> fontPointSize() const;
    std::optional<qreal> defaultFontPointSize() const;
    // "text-scaling-factor": 1, or 1.25 with Large Text on.
    std::optional<qreal> textScalingFactor() const;

    // The size in a Pango font description ("Cantarell Bold 11"): its last word, when that is
    // a number of points.
    static std::optional<qreal> pointSizeOfFontName(const QString& fontName);

Q_SIGNALS:
    // One of the keys above changed, on this desktop or from another program.
    void changed();

private:
    GSettings* m_settings = nullptr;
    unsigned long m_changedHandler = 0;
};

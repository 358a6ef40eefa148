#include "prefs/ModeManager.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/desktop/DesktopPreferences.h"
#include "prefs/FontChoices.h"
#include "prefs/NightModeSchedule.h"
#include "prefs/PreferenceKeys.h"

#include <QFontDatabase>

namespace {

constexpr QRgb kNightBackground = qRgb(24, 24, 24);

// Equivalents of the platform colours the look refers to. The grid colour adapts to the
// background it is drawn on, so it is a half-transparent mid gray: a light line on the day
// background, a dark one at night. The label colours are black and white at the opacities of
// the primary (85 %) and secondary (55 %) text of the light and dark appearances.
const QColor kGridColor(128, 128, 128, 90);
const QColor kDayLabelColor(0, 0, 0, 217);
const QColor kNightSecondaryLabelColor(255, 255, 255, 140);

void setSize(QFont& font, qreal pointSize)
{
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
}

// The solid stand-in for a vibrant appearance: one text colour for windows, views and
// buttons, the mode's blue for selection and links.
struct PaletteRoles
{
    QColor window, text, base, alternateBase, placeholder, button, highlight, highlightedText,
        light, midlight, mid, dark, shadow, disabledText;
};

QPalette paletteFrom(const PaletteRoles& roles)
{
    QPalette palette;
    palette.setColor(QPalette::Window, roles.window);
    palette.setColor(QPalette::WindowText, roles.text);
    palette.setColor(QPalette::Base, roles.base);
    palette.setColor(QPalette::AlternateBase, roles.alternateBase);
    palette.setColor(QPalette::Text, roles.text);
    palette.setColor(QPalette::PlaceholderText, roles.placeholder);
    palette.setColor(QPalette::Button, roles.button);
    palette.setColor(QPalette::ButtonText, roles.text);
    palette.setColor(QPalette::BrightText, QColor(255, 255, 255));
    palette.setColor(QPalette::Highlight, roles.highlight);
    palette.setColor(QPalette::HighlightedText, roles.highlightedText);
    palette.setColor(QPalette::Link, roles.highlight);
    palette.setColor(QPalette::LinkVisited, roles.highlight);
    palette.setColor(QPalette::Light, roles.light);
    palette.setColor(QPalette::Midlight, roles.midlight);
    palette.setColor(QPalette::Mid, roles.mid);
    palette.setColor(QPalette::Dark, roles.dark);
    palette.setColor(QPalette::Shadow, roles.shadow);
    palette.setColor(QPalette::ToolTipBase, roles.button);
    palette.setColor(QPalette::ToolTipText, roles.text);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, roles.disabledText);
    return palette;
}

} // namespace

ModeManager::ModeManager(UserDefaults& defaults, NightModeSource nightModeSource,
                         const DesktopPreferences* desktop, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_nightModeSource(std::move(nightModeSource))
{
    if (m_nightModeSource)
        m_isNightMode = m_nightModeSource();
    setupValues();
    if (desktop) {
        m_desktopFontScale = desktop->fontScale();
        connect(desktop, &DesktopPreferences::fontScaleChanged, this,
                [this, desktop] { setDesktopFontScale(desktop->fontScale()); });
    }
    setupDefaultFont();
    m_fontChoice = m_defaults.integerForKey(PrefKey::defaultFont);
    // Every window sizes its text from here, so the look follows the preferences wherever
    // they were changed; a window that waited for the preferences window would miss the
    // command line's and a synced set's changes.
    connect(&m_defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key != PrefKey::fontSize && key != PrefKey::defaultFont)
            return;
        // A synced set announces every key it writes, changed or not; the windows relayout
        // only for a look that differs.
        const uint size = m_fontSize;
        setupDefaultFont();
        const qint64 choice = m_defaults.integerForKey(PrefKey::defaultFont);
        if (size == m_fontSize && choice == m_fontChoice)
            return;
        m_fontChoice = choice;
        Q_EMIT fontChanged();
    });
}

ModeManager& ModeManager::sharedManager()
{
    // A function-local static is initialised exactly once even when several threads ask at
    // the same time; the instance is deliberately never destroyed, like the data manager.
    static ModeManager* const instance = [] {
        UserDefaults& defaults = UserDefaults::standardUserDefaults();
        return new ModeManager(
            defaults,
            [&defaults] {
                return nightModeAt(NightModeSettings::fromDefaults(defaults),
                                   Clock::system().now());
            },
            &DesktopPreferences::shared());
    }();
    return *instance;
}

void ModeManager::setNightModeSource(NightModeSource nightModeSource)
{
    m_nightModeSource = std::move(nightModeSource);
}

ModeManager::Colors ModeManager::dayColors()
{
    const QColor blue(124, 181, 229);
    return {.listBackground = white(),
            .icon = blue,
            .menuText = QColor(84, 84, 84),
            .subText = gray(),
            .darkText = black(),
            .calendarSelected = white(),
            .calendarSelectedToday = white(),
            .calendarToday = blue,
            .calendarDot = QColor(64, 64, 64),
            .selectedBackground = QColor(240, 240, 250)};
}

ModeManager::Colors ModeManager::nightColors()
{
    const QColor blue(144, 201, 249);
    return {.listBackground = QColor(kNightBackground),
            .icon = blue,
            .menuText = lightGray(),
            .subText = gray(),
            .darkText = lightGray(),
            .calendarSelected = QColor(64, 64, 64),
            .calendarSelectedToday = QColor(64, 64, 64),
            .calendarToday = blue,
            .calendarDot = QColor(240, 240, 240),
            .selectedBackground = QColor(44, 44, 44)};
}

void ModeManager::setupValues()
{
    m_colors = m_isNightMode ? nightColors() : dayColors();
}

QColor ModeManager::backgroundColor() const
{
    return m_isNightMode ? QColor(kNightBackground) : white();
}

QColor ModeManager::dividerColor() const
{
    return m_isNightMode ? darkGray() : lightGray();
}

QColor ModeManager::dividerLineColor() const
{
    return kGridColor;
}

QColor ModeManager::datePickerLabelColor() const
{
    return m_isNightMode ? kNightSecondaryLabelColor : kDayLabelColor;
}

QPalette ModeManager::vibrantAppearance() const
{
    if (m_isNightMode) {
        return paletteFrom({.window = QColor(40, 40, 40),
                            .text = QColor(230, 230, 230),
                            .base = QColor(kNightBackground),
                            .alternateBase = QColor(32, 32, 32),
                            .placeholder = QColor(128, 128, 128),
                            .button = QColor(52, 52, 52),
                            .highlight = QColor(144, 201, 249),
                            .highlightedText = QColor(24, 24, 24),
                            .light = QColor(72, 72, 72),
                            .midlight = QColor(60, 60, 60),
                            .mid = QColor(44, 44, 44),
                            .dark = QColor(20, 20, 20),
                            .shadow = black(),
                            .disabledText = QColor(110, 110, 110)});
    }
    return paletteFrom({.window = QColor(246, 246, 246),
                        .text = QColor(38, 38, 38),
                        .base = white(),
                        .alternateBase = QColor(244, 245, 245),
                        .placeholder = QColor(140, 140, 140),
                        .button = QColor(246, 246, 246),
                        // Darker than the icons' blue: the highlight is also what marks the
                        // control with the keyboard focus and carries white selected text, so
                        // it keeps 3:1 on every day background and 4.5:1 under white.
                        .highlight = QColor(41, 121, 190),
                        .highlightedText = white(),
                        .light = white(),
                        .midlight = QColor(227, 227, 227),
                        .mid = QColor(204, 204, 204),
                        .dark = QColor(160, 160, 160),
                        .shadow = QColor(110, 110, 110),
                        .disabledText = QColor(160, 160, 160)});
}

QFont ModeManager::fontWithSize(qreal pointSize) const
{
    if (const std::optional<FontFace> face =
            FontChoices::installedFace(m_defaults.integerForKey(PrefKey::defaultFont))) {
        QFont font(face->family);
        font.setWeight(face->weight);
        setSize(font, pointSize);
        return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    setSize(font, pointSize);
    return font;
}

void ModeManager::setupDefaultFont()
{
    switch (m_defaults.integerForKey(PrefKey::fontSize)) {
    case 0:
        m_choiceSize = 13;
        break;
    case 1:
        m_choiceSize = 15;
        break;
    case 2:
        m_choiceSize = 18;
        break;
    default:
        break;
    }
    // Whole points, as the choices are: the row heights are measured from this size.
    m_fontSize = uint(qRound(m_choiceSize * m_desktopFontScale));
}

void ModeManager::setDesktopFontScale(qreal scale)
{
    if (scale <= 0)
        return;
    m_desktopFontScale = scale;
    const uint size = m_fontSize;
    setupDefaultFont();
    if (size != m_fontSize)
        Q_EMIT fontChanged();
}

void ModeManager::resetValues()
{
    if (m_nightModeSource)
        m_isNightMode = m_nightModeSource();
    setupValues();
    Q_EMIT redrawWindowsRequested();
    Q_EMIT remindersRefreshed();
}

#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>

#include <functional>

class DesktopPreferences;
class UserDefaults;

// The day and night look of the whole application: every view takes its colours, its text
// font and its base font size from here. The night flag itself is decided by the night-mode
// schedule (NightModeSchedule.h), which the data manager owns and the application shell hands
// in as the night-mode source; this object copies it when it is created and on resetValues(),
// and turns it into colours.
class ModeManager : public QObject
{
    Q_OBJECT

public:
    using NightModeSource = std::function<bool()>;

    // `nightModeSource` answers the application's current night-mode flag; the text size
    // follows `desktop`'s text size while the manager lives (none: a desktop at its default).
    ModeManager(UserDefaults& defaults, NightModeSource nightModeSource,
                const DesktopPreferences* desktop = nullptr, QObject* parent = nullptr);

    // The application's instance over the standard preferences, created on first use and never
    // destroyed. Until the application shell hands in the data manager's flag
    // (setNightModeSource), the schedule is evaluated from the preferences and the system clock
    // whenever the flag is copied.
    static ModeManager& sharedManager();
    void setNightModeSource(NightModeSource nightModeSource);

    bool isNightMode() const { return m_isNightMode; }
    // Base text size in points: the "fontSize" preference's choice, which is a size for a
    // desktop whose text is at its default, in proportion to the desktop's text size
    // (DesktopPreferences::fontScale).
    uint fontSize() const { return m_fontSize; }

    QColor listBackgroundColor() const { return m_colors.listBackground; }
    QColor iconColor() const { return m_colors.icon; }
    QColor menuTextColor() const { return m_colors.menuText; }
    QColor subTextColor() const { return m_colors.subText; }
    QColor darkTextColor() const { return m_colors.darkText; }
    QColor calendarSelectedColor() const { return m_colors.calendarSelected; }
    QColor calendarSelectedTodayColor() const { return m_colors.calendarSelectedToday; }
    QColor calendarTodayColor() const { return m_colors.calendarToday; }
    QColor calendarDotColor() const { return m_colors.calendarDot; }
    QColor selectedBackgroundColor() const { return m_colors.selectedBackground; }

    QColor backgroundColor() const;
    QColor dividerColor() const;
    QColor dividerLineColor() const;
    QColor datePickerLabelColor() const;
    // The palette of the panes, the menu-bar panel and the list windows.
    QPalette vibrantAppearance() const;

    // The text font chosen by "defaultFont" (read at every call) at `pointSize` (FontChoices);
    // a choice with no face installed, or an unknown choice, gives the system font.
    QFont fontWithSize(qreal pointSize) const;

    // Sets the ten stored colours from isNightMode().
    void setupValues();
    // Reads "fontSize": 0, 1, 2 give 13, 15, 18 points; other values keep the current choice.
    // The manager reads it by itself whenever its preferences announce a change of the key.
    void setupDefaultFont();
    // Sets the flag only; the colours follow at the next setupValues().
    void turnNightModeOn(bool on) { m_isNightMode = on; }
    // Copies the application's night flag, recomputes the colours and asks every window to
    // redraw and every list to reload.
    void resetValues();

    // Named colours of the day and night tables.
    static QColor white() { return QColor(255, 255, 255); }
    static QColor black() { return QColor(0, 0, 0); }
    static QColor gray() { return QColor::fromRgbF(0.5f, 0.5f, 0.5f); }
    static QColor lightGray() { return QColor::fromRgbF(2.f / 3, 2.f / 3, 2.f / 3); }
    static QColor darkGray() { return QColor::fromRgbF(1.f / 3, 1.f / 3, 1.f / 3); }

Q_SIGNALS:
    // Connected by the application shell to its redrawWindows.
    void redrawWindowsRequested();
    // The text size or the font choice changed, from the preferences window, the command line
    // or a synced set alike: fontSize() and fontWithSize() already answer the new look.
    void fontChanged();
    // The "RemindersRefreshed" announcement after new colours: the main window, the menu-bar
    // panel and the quick-add window reload their lists, as on the data manager's signal.
    void remindersRefreshed();

private:
    struct Colors
    {
        QColor listBackground;
        QColor icon;
        QColor menuText;
        QColor subText;
        QColor darkText;
        QColor calendarSelected;
        QColor calendarSelectedToday;
        QColor calendarToday;
        QColor calendarDot;
        QColor selectedBackground;
    };
    // Announces fontChanged() when the text size changes with the desktop's.
    void setDesktopFontScale(qreal scale);

    static Colors dayColors();
    static Colors nightColors();

    UserDefaults& m_defaults;
    NightModeSource m_nightModeSource;
    bool m_isNightMode = false;
    // The size of the default "fontSize" choice until the preference is read, so that a store
    // holding an unknown choice never yields a zero-point font.
    uint m_fontSize = 15;
    uint m_choiceSize = 15;
    qreal m_desktopFontScale = 1;
    // The "defaultFont" choice the windows were last told about.
    qint64 m_fontChoice = 0;
    Colors m_colors;
};

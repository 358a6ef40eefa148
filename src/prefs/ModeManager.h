#pragma once

#include "prefs/ContrastTargets.h"

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
// and turns it into colours. A desktop that asks for high contrast (HighContrastSetting) gets
// day and night colours of their own, with text at 7:1 and marks at 4.5:1.
class ModeManager : public QObject
{
    Q_OBJECT

public:
    using NightModeSource = std::function<bool()>;
    using HighContrastSource = std::function<bool()>;

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
    // Whether the desktop asks for high contrast, copied on resetValues(); without a source the
    // colours are the ordinary ones.
    void setHighContrastSource(HighContrastSource highContrastSource);

    bool isNightMode() const { return m_isNightMode; }
    bool isHighContrast() const { return m_isHighContrast; }
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
    // Today's blue, also the accent as text (links): it reads at 4.5:1 where the icons' blue
    // is only held to the 3:1 of a mark.
    QColor calendarTodayColor() const { return m_colors.calendarToday; }
    QColor calendarDotColor() const { return m_colors.calendarDot; }
    QColor selectedBackgroundColor() const { return m_colors.selectedBackground; }
    // The red of an alert or a high priority, readable as text in this mode.
    QColor alertTextColor() const { return m_colors.alertText; }

    QColor backgroundColor() const;
    QColor dividerColor() const;
    QColor dividerLineColor() const;
    QColor datePickerLabelColor() const;
    // The palette of the panes, the menu-bar panel and the list windows.
    QPalette vibrantAppearance() const;

    // The surfaces this mode's colours are drawn on and what text and marks hold to on them;
    // the colours above pass on each.
    const ContrastTargets& contrast() const { return m_contrast; }

    // The text font chosen by "defaultFont" (read at every call) at `pointSize` (FontChoices);
    // a choice with no face installed, or an unknown choice, gives the system font.
    QFont fontWithSize(qreal pointSize) const;

    // Sets the eleven stored colours from isNightMode() and isHighContrast().
    void setupValues();
    // Reads "fontSize": 0, 1, 2 give 13, 15, 18 points; other values keep the current choice.
    // The manager reads it by itself whenever its preferences announce a change of the key.
    void setupDefaultFont();
    // Sets the flag only; the colours follow at the next setupValues().
    void turnNightModeOn(bool on) { m_isNightMode = on; }
    // The same for the high-contrast flag.
    void turnHighContrastOn(bool on) { m_isHighContrast = on; }
    // Asks the high-contrast source again and resets the values when its answer changed: the
    // desktop's setting can change while the program runs.
    void followHighContrast();
    // Copies the application's night flag, recomputes the colours and asks every window to
    // redraw and every list to reload.
    void resetValues();

    // Named colours of the day and night tables.

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
        QColor alertText;
    };
    // Announces fontChanged() when the text size changes with the desktop's.
    void setDesktopFontScale(qreal scale);

    static Colors dayColors();
    static Colors nightColors();
    static Colors highContrastDayColors();
    static Colors highContrastNightColors();

    UserDefaults& m_defaults;
    NightModeSource m_nightModeSource;
    HighContrastSource m_highContrastSource;
    bool m_isNightMode = false;
    bool m_isHighContrast = false;
    // The size of the default "fontSize" choice until the preference is read, so that a store
    // holding an unknown choice never yields a zero-point font.
    uint m_fontSize = 15;
    uint m_choiceSize = 15;
    qreal m_desktopFontScale = 1;
    // The "defaultFont" choice the windows were last told about.
    qint64 m_fontChoice = 0;
    Colors m_colors;
    ContrastTargets m_contrast;
};

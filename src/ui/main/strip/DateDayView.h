#pragma once

#include "data/views/CalendarDot.h"

#include <QDateTime>
#include <QFont>
#include <QWidget>

class DataManager;
class ModeManager;
class QKeyEvent;

// One day of the calendar strip: its day number, the disc that marks the selected day, up to
// three dots for the tasks and events of the day, and the focus ring while the strip around it
// has the keyboard and the day is the selected one. Everything is painted by the cell itself;
// the week and month cells differ only in their measures and in the week cell's weekday name.
class DateDayView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMaxDots = 3;
    static constexpr int kMinWidth = 45;

    // The left edge of column `column` of seven that share `totalWidth` equally, the rounding
    // spread over the columns so that the last one ends flush with the strip.
    static int columnLeft(int column, int totalWidth) { return column * totalWidth / 7; }

    // What sets the week and month cells apart.
    struct Metrics
    {
        qreal dayNumberPointSize = 13;
        qreal weekdayPointSize = 0; // 0: no weekday name
        int weekdayHeight = 0;
        int dotSize = 6;
        int dotsHeight = 6;
        int maxDiscSize = 26;
        QString selectedImage;
        QString reminderDotImage;
        QString eventDotImage;
    };

    DataManager& dataManager() const { return m_manager; }
    ModeManager& modeManager() const { return m_mode; }

    QDateTime date() const { return m_date; }
    bool isToday() const { return m_isToday; }
    bool isSelected() const { return m_isSelected; }
    QString dayNumberText() const { return m_dayNumber; }
    QString weekdayText() const { return m_weekday; }

    // Sets the date and labels, then checks today and redraws. A new date drops the dots of
    // the old one; the next dot update brings the new day's.
    void reloadDayWithDate(const QDateTime& date);
    // Redraws the marks for the data manager's selected day as they stand.
    void refreshView();
    // Re-checks whether the cell is today, then redraws.
    void refreshViewWithCheck();
    // Replaces the dots; at most the first kMaxDots are drawn.
    void addCalendarDots(const QList<CalendarDot>& dots);
    QList<CalendarDot> calendarDots() const { return m_dots; }
    int drawnDotCount() const;
    // Re-reads the fonts and redraws in the current colours.
    void resetAppearance();
    // Selects the cell's day in the data manager.
    void tapped();
    // The strips' keys, while a strip has the keyboard: Left and Right select the day before
    // and after the selected one, Up and Down the same day a week earlier and later (the strip
    // follows into the next week or month). False for any other key.
    static bool moveSelectedDateForKey(DataManager& manager, const QKeyEvent* event);

    // What the marks look like now: the day number's colour, and the tint of the selection
    // disc (invalid when the cell is not selected).
    QColor dayNumberColor() const;
    QColor selectionColor() const;
    // Where the dots container sits in the cell, 0 wide without dots, and where the selection
    // disc and the day number are centred.
    QRect dotsRect() const;
    QRect discRect() const;
    // The day number's font, made smaller where the cell is too small for the disc to hold a
    // two-digit number at the full size (six-week months, small windows).
    QFont dayNumberFontForDisc() const;

protected:
    DateDayView(DataManager& manager, ModeManager& mode, const Metrics& metrics, QWidget* parent);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect weekdayRect() const;
    void updateAccessibleName();

    DataManager& m_manager;
    ModeManager& m_mode;
    const Metrics m_metrics;
    QDateTime m_date;
    bool m_isToday = false;
    bool m_isSelected = false;
    QString m_dayNumber;
    QString m_weekday;
    QList<CalendarDot> m_dots;
    QFont m_dayNumberFont;
    QFont m_weekdayFont;
};

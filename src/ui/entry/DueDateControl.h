#pragma once

#include <QDateTime>
#include <QWidget>

class QDateTimeEdit;
class QToolButton;

// The due-date control of the quick-add forms: a date and time field in the user's locale with
// a pop-up calendar, and a "No Time" switch for a due date without a time of day (kept as 00:00,
// the store's mark of a day-only due date).
class DueDateControl : public QWidget
{
    Q_OBJECT

public:
    explicit DueDateControl(QWidget* parent = nullptr);

    // A date at 00:00 shows as a day without a time.
    void setDateTime(const QDateTime& dateTime);
    QDateTime dateTime() const;
    bool hasTimeOfDay() const;
    // The time "No Time" gives back when it is switched off again and the date had none.
    void setPresetTime(const QTime& time) { m_presetTime = time; }
    void setControlFont(const QFont& font);

    QDateTimeEdit* editor() const { return m_editor; }
    QToolButton* noTimeButton() const { return m_noTime; }
    bool isCalendarShown() const { return m_calendarShown; }

Q_SIGNALS:
    // The user changed the date, the time or the switch.
    void dateTimeEdited(const QDateTime& dateTime);
    void calendarShown();
    void calendarHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTimeOfDay(bool shown);
    void noTimeToggled(bool noTime);

    QDateTimeEdit* m_editor;
    QToolButton* m_noTime;
    QTime m_presetTime{9, 0};
    QTime m_lastTime;
    bool m_calendarShown = false;
};

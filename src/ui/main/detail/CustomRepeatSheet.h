#pragma once

#include "data/detail/RepeatChoices.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QToolButton;

// The sheet in which a custom repeat rule is put together: a frequency, its interval, and the
// weekdays of a weekly rule, the days or the "second Tuesday" of a monthly one, or the months
// of a yearly one. It is reset at every opening and answers its choices; the repeat editor
// builds the rule from them.
class CustomRepeatSheet : public QDialog
{
    Q_OBJECT

public:
    explicit CustomRepeatSheet(QWidget* parent = nullptr);

    // `weekdayTitles`: the seven segment labels, from the first day of the user's week.
    // Back to the first frequency, intervals of 1, the first weekday, the 1st of the month and
    // the due date's month.
    // `dueWeekday` (1 Monday ... 7 Sunday) is the weekly rule's first choice, `dueMonth` the
    // yearly one's.
    void reset(const QStringList& weekdayTitles, bool sundayFirst, int dueWeekday, int dueMonth);
    RepeatChoices::CustomChoices choices() const;
    // The sheet's height for each frequency.
    static QSize sizeForFrequency(int frequency);

    QComboBox* frequencyBox() const { return m_frequency; }
    QLineEdit* intervalField(int frequency) const { return m_intervals[frequency]; }
    QToolButton* weekdaySegment(int segment) const;
    // 1 … 31, and -1 for "Last".
    QToolButton* monthDaySegment(int day) const;
    QToolButton* monthSegment(int month) const;
    QRadioButton* onDaysButton() const { return m_onDays; }
    QRadioButton* onWeekButton() const { return m_onWeek; }
    QComboBox* weekNumberBox() const { return m_weekNumber; }
    QComboBox* weekdayBox() const { return m_weekday; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QWidget* intervalRow(int frequency, const QString& unit);
    QWidget* buildWeeklyPanel();
    QWidget* buildMonthlyPanel();
    QWidget* buildYearlyPanel();
    void showPanel(int frequency);
    void updateMonthlyMode();
    void keepOneChecked(QButtonGroup* group, QToolButton* fallback);

    QComboBox* m_frequency = nullptr;
    QStackedWidget* m_panels = nullptr;
    QLineEdit* m_intervals[4] = {};
    QButtonGroup* m_weekdays = nullptr;
    QButtonGroup* m_monthDays = nullptr;
    QButtonGroup* m_months = nullptr;
    QRadioButton* m_onDays = nullptr;
    QRadioButton* m_onWeek = nullptr;
    QComboBox* m_weekNumber = nullptr;
    QComboBox* m_weekday = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_sundayFirst = true;
    int m_dueMonth = 1;
};

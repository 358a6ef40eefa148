#pragma once

#include <QDateTime>
#include <QFrame>
#include <QPointer>
#include <QPushButton>

class DateFormatters;
class QCalendarWidget;
class QCheckBox;
class QTimeEdit;

// The pop-over of a DatePickerButton: a month calendar, a time field and the "No Time" check
// box. Return or a click outside closes it and keeps the date; Escape closes it and drops it.
class DatePopover : public QFrame
{
    Q_OBJECT

public:
    explicit DatePopover(QWidget* parent);

    QCalendarWidget* calendar() const { return m_calendar; }
    QTimeEdit* timeEdit() const { return m_time; }
    QCheckBox* noTimeBox() const { return m_noTime; }
    bool cancelled() const { return m_cancelled; }
    void prepare(const QDateTime& dateTime, bool noTimeFeature, const QDateTime& minimum);
    QDateTime chosen() const;

Q_SIGNALS:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QCalendarWidget* m_calendar = nullptr;
    QTimeEdit* m_time = nullptr;
    QCheckBox* m_noTime = nullptr;
    bool m_noTimeFeature = false;
    bool m_cancelled = false;
};

// A date, or a date and time, shown as a button in the detail pane; pressing it (or Space while
// it has the keyboard) opens the pop-over. When the pop-over closes with a date the button
// reports it (popoverDismissed), as the pane saves a date only then, not at every click in the
// calendar. It draws itself: the date from the left edge, cut short when the pane is narrow,
// and the focus ring while it has the keyboard. A date too long for the pane ends in an ellipsis.
class DatePickerButton : public QPushButton
{
    Q_OBJECT

public:
    DatePickerButton(const DateFormatters& formatters, QWidget* parent = nullptr);

    void setDateTime(const QDateTime& dateTime);
    QDateTime dateTime() const { return m_dateTime; }
    // With the feature on, the pop-over offers "No Time", checked when the time is 00:00, and
    // the button shows the date alone then.
    void setNoTimeFeature(bool on);
    bool noTimeFeature() const { return m_noTimeFeature; }
    void setMinimumDateTime(const QDateTime& minimum) { m_minimum = minimum; }
    // Shown instead of the date (an alarm set as an offset names the offset).
    void setOverrideText(const QString& text);

    void openPopover();
    DatePopover* popover() const { return m_popover; }
    // What the button shows at its present width: its text, ending in an ellipsis when the
    // pane is narrower than the text.
    QString shownText() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void popoverDismissed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kTextPadding = 4;

    void updateText();

    const DateFormatters& m_formatters;
    QDateTime m_dateTime;
    QDateTime m_minimum;
    QString m_overrideText;
    bool m_noTimeFeature = false;
    QPointer<DatePopover> m_popover;
};

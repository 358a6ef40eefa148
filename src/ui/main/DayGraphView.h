#pragma once

#include "data/views/DayGraphLayout.h"

#include <QWidget>

class Clock;
class DateFormatters;
class ModeManager;

// The strip at the top of the tray panel that shows the next 25 hours: a dot for every open task
// in its hour's column, a bar for every event across the hours it covers, five time labels and
// the now line. It fetches nothing itself: the panel hands it the hour buckets. Moving the
// pointer over the columns reports which hour is under it, so the panel can show that hour's
// tasks and events.
class DayGraphView : public QWidget
{
    Q_OBJECT

public:
    DayGraphView(const ModeManager& mode, const DateFormatters& formatters, const Clock& clock,
                 QWidget* parent = nullptr);

    // Returns whether the window moved (a new day or a new six-hour block).
    bool refreshWithReminders(const HourBuckets& buckets);
    const DayGraphLayout& layout() const { return m_layout; }
    const HourBuckets& buckets() const { return m_buckets; }
    int graphHeight() const { return m_layout.height(); }
    // The text of time label `i` (0 to 4) and of the now label.
    QString labelText(int i) const;
    QString nowText() const;
    // What the graph shows in words, its description for a screen reader: "3 tasks and 2
    // events; next at 2:00 PM: Review".
    QString spokenSummary() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The pointer is over the hour column `index` (0 to 24).
    void timeFrameHovered(int index);
    // The pointer came onto the columns or left them.
    void hoverChanged(bool inside);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setInside(bool inside);

    const ModeManager& m_mode;
    const DateFormatters& m_formatters;
    const Clock& m_clock;
    DayGraphLayout m_layout;
    HourBuckets m_buckets;
    bool m_inside = false;
    int m_hoveredColumn = -1;
};

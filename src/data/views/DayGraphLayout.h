#pragma once

#include "data/views/HourBuckets.h"

#include <QDateTime>
#include <QList>
#include <QRect>
#include <QRectF>

// The arithmetic of the day graph in the tray panel: which six-hour block its 25-hour window
// starts in, where each hourly bucket begins, what its five time labels say, how tall it is for
// the tasks and events it shows, and where every dot, event bar and the now line go. The graph
// widget only paints what this works out.
//
// Coordinates are the graph's own, in points, with y measured down from its top edge: the
// columns hang from 20 points below the top, the labels sit in the bottom 20 points and the now
// label in the top ones.
//
// Hours are real hours: the window is 25 hours of elapsed time from its start, so on the days
// the clocks change every hour still gets one column and the now line moves at an even pace. The
// blocks turn at the wall clock's 06:00, 12:00 and 18:00 and at midnight, and each label names
// the clock time of the hour under it, so on those days a label may read 05:00 or 07:00.
class DayGraphLayout
{
public:
    // The block the window starts in, by the wall-clock time of "now".
    enum TimeFrame : int {
        FromMidnight = 0,     // 06:00 to 12:00: the window starts at 00:00
        FromSix = 1,          // 12:00 to 18:00: the window starts at 06:00
        FromNoon = 2,         // from 18:00: the window starts at 12:00
        FromEveningBefore = 3 // before 06:00: the window starts at 18:00 of the day before
    };
    static constexpr int kNoTimeFrame = 999;

    static constexpr int kLeft = 30;
    static constexpr int kBottom = 20;
    static constexpr int kTop = 20;
    static constexpr int kHourWidth = 13;
    static constexpr int kWidth = HourBuckets::kHours * kHourWidth; // 325
    static constexpr int kInitialHeight = 150;
    static constexpr int kMinimumHeight = 60;
    static constexpr int kLabelCount = 5;
    static constexpr int kLabelWidth = 64;
    static constexpr int kLabelHeight = 14;
    static constexpr int kDotWidth = 13;
    static constexpr int kDotHeight = 15;
    static constexpr int kBarHeight = 5;
    static constexpr int kMaximumBarRows = 5;

    struct Dot
    {
        int column = 0;
        // The position of its task in the column's bucket (0 = due first).
        int index = 0;
        QRectF rect;
    };

    struct EventBar
    {
        store::EventPtr event;
        QRectF rect;
    };

    static int timeFrameTypeOn(const QDateTime& now);
    // Midnight starting the day of `now`.
    static QDateTime startingDayOf(const QDateTime& now);
    // The first instant of the window for a day and a block.
    static QDateTime windowStartFor(const QDateTime& startingDay, int timeFrameType);
    // The instant each of the five labels stands at: the window start and every six hours on.
    static QList<QDateTime> labelTimesFrom(const QDateTime& windowStart);

    // Takes the hour buckets and the present moment: the new height, the block, the dots, bars
    // and the now line. Returns whether the window moved since the last refresh (a new day or a
    // new block); the first refresh counts as a move.
    bool refresh(const HourBuckets& buckets, const QDateTime& now);
    // Only the block for `now`: true when it changed.
    bool setupTimeFrameTypeOnDate(const QDateTime& now);

    int height() const { return m_height; }
    int timeFrameType() const { return m_timeFrameType; }
    QDateTime startingDay() const { return m_startingDay; }
    QDateTime windowStart() const { return m_windowStart; }
    QDateTime now() const { return m_now; }

    QRect backgroundRect() const;
    QRect columnRect(int column) const;
    // Which column an x position in the graph lies over; -1 outside the columns.
    static int columnAt(qreal x);
    QList<QDateTime> labelTimes() const { return m_labelTimes; }
    QRect labelRect(int label) const;

    const QList<Dot>& dots() const { return m_dots; }
    // Empty when there is no event to draw.
    QRectF eventsRect() const { return m_eventsRect; }
    const QList<EventBar>& eventBars() const { return m_eventBars; }

    qreal nowLineX() const { return m_nowX; }
    QRectF nowLineRect() const;
    QRectF nowLabelRect() const;

private:
    void computeHeight(const HourBuckets& buckets);
    void layOutDots(const HourBuckets& buckets);
    void layOutEvents(const HourBuckets& buckets);

    int m_height = kInitialHeight;
    int m_timeFrameType = kNoTimeFrame;
    QDateTime m_startingDay;
    QDateTime m_windowStart;
    QDateTime m_now;
    QList<QDateTime> m_labelTimes;
    QList<Dot> m_dots;
    QRectF m_eventsRect;
    QList<EventBar> m_eventBars;
    qreal m_nowX = kLeft + 6;
    int m_largestReminderBucket = 0;
    int m_largestEventBucket = 0;
};

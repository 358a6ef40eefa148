#include "data/views/DayGraphLayout.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr qint64 kHourSeconds = 3600;
constexpr int kHoursPerBlock = 6;
// An hour's instant sits 6 points into its 13-point column.
constexpr int kHourCentre = 6;

qreal hoursToPoints(qint64 seconds)
{
    return qreal(seconds) / kHourSeconds * DayGraphLayout::kHourWidth;
}

} // namespace

int DayGraphLayout::timeFrameTypeOn(const QDateTime& now)
{
    const int hour = now.time().hour();
    if (hour < 6)
        return FromEveningBefore;
    if (hour < 12)
        return FromMidnight;
    if (hour < 18)
        return FromSix;
    return FromNoon;
}

QDateTime DayGraphLayout::startingDayOf(const QDateTime& now)
{
    return now.date().startOfDay();
}

QDateTime DayGraphLayout::windowStartFor(const QDateTime& startingDay, int timeFrameType)
{
    // Wall-clock hours: 18:00 the evening before, or 00:00, 06:00, 12:00 of the day.
    const QDate day = startingDay.date();
    switch (timeFrameType) {
    case FromEveningBefore:
        return QDateTime(day.addDays(-1), QTime(18, 0));
    case FromSix:
        return QDateTime(day, QTime(6, 0));
    case FromNoon:
        return QDateTime(day, QTime(12, 0));
    default:
        return startingDay;
    }
}

QList<QDateTime> DayGraphLayout::labelTimesFrom(const QDateTime& windowStart)
{
    QList<QDateTime> times;
    for (int i = 0; i < kLabelCount; ++i)
        times.append(windowStart.addSecs(kHourSeconds * kHoursPerBlock * i));
    return times;
}

bool DayGraphLayout::setupTimeFrameTypeOnDate(const QDateTime& now)
{
    const int type = timeFrameTypeOn(now);
    if (type == m_timeFrameType)
        return false;
    m_timeFrameType = type;
    return true;
}

bool DayGraphLayout::refresh(const HourBuckets& buckets, const QDateTime& now)
{
    computeHeight(buckets);

    const QDateTime startingDay = startingDayOf(now);
    const bool dayChanged = m_startingDay.isValid() && startingDay != m_startingDay;
    m_startingDay = startingDay;
    const bool typeChanged = setupTimeFrameTypeOnDate(now);
    m_windowStart = windowStartFor(m_startingDay, m_timeFrameType);
    // Recomputed each time rather than only on a change of block: on the day the clocks change
    // the same block can start at another instant than the day before.
    m_labelTimes = labelTimesFrom(m_windowStart);
    m_now = now;

    layOutDots(buckets);
    layOutEvents(buckets);
    m_nowX = kLeft + kHourCentre + hoursToPoints(m_windowStart.secsTo(now));
    return dayChanged || typeChanged;
}

void DayGraphLayout::computeHeight(const HourBuckets& buckets)
{
    int reminders = 0;
    for (const ReminderList& bucket : buckets.reminders)
        reminders = std::max(reminders, int(bucket.size()));
    int events = 0;
    for (const QList<store::EventPtr>& bucket : buckets.events)
        events = std::max(events, int(bucket.size()));
    m_largestReminderBucket = reminders;
    m_largestEventBucket = events;

    int height = kMinimumHeight;
    if (reminders > 0)
        height += reminders > 4 ? 60 : 15 * (reminders - 1);
    if (buckets.hasEvents()) {
        if (reminders > 0)
            height += 20;
        if (events > 0)
            height += events > 4 ? 40 : 10 * (events - 1);
    }
    m_height = height;
}

QRect DayGraphLayout::backgroundRect() const
{
    return QRect(kLeft, kTop, kWidth, m_height - kTop - kBottom);
}

QRect DayGraphLayout::columnRect(int column) const
{
    return QRect(kLeft + kHourWidth * column, kTop, kHourWidth, m_height - kTop - kBottom);
}

int DayGraphLayout::columnAt(qreal x)
{
    if (x < kLeft)
        return -1;
    const int column = int((x - kLeft) / kHourWidth);
    return column < HourBuckets::kHours ? column : -1;
}

QRect DayGraphLayout::labelRect(int label) const
{
    return QRect(78 * label + 4, m_height - 3 - kLabelHeight, kLabelWidth, kLabelHeight);
}

QRectF DayGraphLayout::nowLineRect() const
{
    return QRectF(m_nowX, kTop, 1, m_height - kTop - kBottom);
}

QRectF DayGraphLayout::nowLabelRect() const
{
    return QRectF(m_nowX - 32, 4, kLabelWidth, kLabelHeight);
}

void DayGraphLayout::layOutDots(const HourBuckets& buckets)
{
    m_dots.clear();
    for (int column = 0; column < buckets.reminders.size() && column < HourBuckets::kHours;
         ++column) {
        const int n = int(buckets.reminders.at(column).size());
        if (n == 0)
            continue;
        // The dots hang from the top of their column, the task due first at the top; more than
        // five squeeze together into the same 80 points.
        const int containerHeight = n < 5 ? n * 15 + 5 : 80;
        const qreal spacing = n < 6 ? 15.0 : 60.0 / (n - 1);
        const QRect columnFrame = columnRect(column);
        for (int i = 0; i < n; ++i) {
            const qreal top = containerHeight - 18 - (n - 1 - i) * spacing;
            m_dots.append(
                {column, i,
                 QRectF(columnFrame.left(), columnFrame.top() + top, kDotWidth, kDotHeight)});
        }
    }
}

void DayGraphLayout::layOutEvents(const HourBuckets& buckets)
{
    m_eventsRect = QRectF();
    m_eventBars.clear();

    // Each event once, in order of first appearance, on the row of its deepest position.
    QList<store::EventPtr> distinct;
    QHash<const store::Event*, int> rows;
    for (const QList<store::EventPtr>& bucket : buckets.events) {
        for (int index = 0; index < bucket.size(); ++index) {
            const store::EventPtr& event = bucket.at(index);
            const auto found = rows.find(event.get());
            if (found == rows.end()) {
                distinct.append(event);
                rows.insert(event.get(), index);
            } else {
                *found = std::max(*found, index);
            }
        }
    }
    if (distinct.isEmpty())
        return;

    const int largest = m_largestEventBucket;
    const int areaHeight = largest < 5 ? largest * 10 + 5 : 55;
    m_eventsRect = QRectF(kLeft, m_height - kBottom - areaHeight, kWidth, areaHeight);
    const int shownRows = std::min(largest, kMaximumBarRows);
    for (const store::EventPtr& event : distinct) {
        const int row = rows.value(event.get());
        if (row >= kMaximumBarRows)
            continue;
        qreal x = 0;
        qreal width = 0;
        if (event->startDate <= m_windowStart) {
            width = hoursToPoints(m_windowStart.secsTo(event->endDate)) + kHourCentre;
            // A day-long event starting with the window fills it to the edge.
            if (event->startDate == m_windowStart && qFuzzyCompare(width, 318.0))
                width = kWidth;
        } else {
            x = hoursToPoints(m_windowStart.secsTo(event->startDate)) + kHourCentre;
            width = hoursToPoints(event->startDate.secsTo(event->endDate));
        }
        if (x + width > kWidth)
            width = kWidth - x;
        // Row 0 is the top one; the rows stack down towards the labels.
        const qreal barBottom = (shownRows - row) * 10;
        const qreal top = areaHeight - barBottom - kBarHeight;
        m_eventBars.append(
            {event, QRectF(m_eventsRect.left() + x, m_eventsRect.top() + top, width, kBarHeight)});
    }
}

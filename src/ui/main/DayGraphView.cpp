#include "ui/main/DayGraphView.h"

#include "platform/Clock.h"
#include "prefs/ModeManager.h"
#include "text/DateFormatters.h"
#include "ui/common/CollectionColors.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr qreal kLabelPointSize = 9;
constexpr int kDotPointSize = 16;

// The light blue wash behind the columns: 141, 195, 235 at a fifth of full strength.
QColor backgroundColour()
{
    return QColor::fromRgbF(0.5529411764705883f, 0.7647058823529411f, 0.9215686274509803f, 0.2f);
}

QColor colourOf(const store::CalendarPtr& calendar, const ModeManager& mode)
{
    return calendar && calendar->color.isValid() ? qColor(calendar->color) : mode.iconColor();
}

} // namespace

DayGraphView::DayGraphView(const ModeManager& mode, const DateFormatters& formatters,
                           const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_mode(mode)
    , m_formatters(formatters)
    , m_clock(clock)
{
    setAccessibleName(tr("Next 25 Hours"));
    setMouseTracking(true);
    setFixedSize(DayGraphLayout::kLeft * 2 + DayGraphLayout::kWidth, m_layout.height());
}

QSize DayGraphView::sizeHint() const
{
    return QSize(DayGraphLayout::kLeft * 2 + DayGraphLayout::kWidth, m_layout.height());
}

bool DayGraphView::refreshWithReminders(const HourBuckets& buckets)
{
    m_buckets = buckets;
    const bool moved = m_layout.refresh(m_buckets, m_clock.now());
    setFixedHeight(m_layout.height());
    setAccessibleDescription(spokenSummary());
    update();
    return moved;
}

QString DayGraphView::labelText(int i) const
{
    const QList<QDateTime> times = m_layout.labelTimes();
    return i >= 0 && i < times.size()
               ? m_formatters.hourTimeAMPMFormatter().stringFromDate(times.at(i))
               : QString();
}

QString DayGraphView::nowText() const
{
    return m_layout.now().isValid()
               ? m_formatters.hourTimeAMPMFormatter().stringFromDate(m_layout.now())
               : QString();
}

QString DayGraphView::spokenSummary() const
{
    const QDateTime now = m_clock.now();
    QDateTime nextTime;
    QString nextTitle;
    const auto considerNext = [&](const QDateTime& when, const QString& title) {
        if (when.isValid() && when >= now && (!nextTime.isValid() || when < nextTime)) {
            nextTime = when;
            nextTitle = title;
        }
    };
    int tasks = 0;
    for (const ReminderList& hour : m_buckets.reminders) {
        tasks += int(hour.size());
        for (const store::ReminderPtr& reminder : hour)
            if (reminder->dueDateComponents)
                considerNext(reminder->dueDateComponents->toDateTime(), reminder->title);
    }
    // An event lies in every hour it overlaps.
    QList<store::EventPtr> events;
    for (const QList<store::EventPtr>& hour : m_buckets.events)
        for (const store::EventPtr& event : hour)
            if (!events.contains(event)) {
                events << event;
                considerNext(event->startDate, event->title);
            }
    if (tasks == 0 && events.isEmpty())
        return tr("No tasks or events");
    QString summary =
        tr("%1 and %2")
            .arg(tr("%n task(s)", nullptr, tasks), tr("%n event(s)", nullptr, int(events.size())));
    if (nextTime.isValid())
        summary = tr("%1; next at %2: %3")
                      .arg(summary, m_formatters.hourTimeAMPMFormatter().stringFromDate(nextTime),
                           nextTitle);
    return summary;
}

void DayGraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(m_layout.backgroundRect(), backgroundColour());

    // Hour separators every six hours, under the labels.
    painter.setPen(QPen(m_mode.dividerColor(), 1));
    for (int i = 1; i < DayGraphLayout::kLabelCount - 1; ++i) {
        const QRect column = m_layout.columnRect(6 * i);
        painter.drawLine(QPointF(column.left() + 6.5, column.top()),
                         QPointF(column.left() + 6.5, column.bottom()));
    }

    QFont dotFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    dotFont.setPointSize(kDotPointSize);
    painter.setFont(dotFont);
    for (const DayGraphLayout::Dot& dot : m_layout.dots()) {
        const store::ReminderPtr& reminder = m_buckets.reminders.at(dot.column).at(dot.index);
        painter.setPen(m_mode.contrast().visibleMark(colourOf(reminder->calendar, m_mode)));
        painter.drawText(dot.rect, Qt::AlignCenter, QStringLiteral("•"));
    }

    for (const DayGraphLayout::EventBar& bar : m_layout.eventBars()) {
        // Solid: the calendar's colour at half strength all but vanished on the panel.
        painter.fillRect(bar.rect,
                         m_mode.contrast().visibleMark(colourOf(bar.event->calendar, m_mode)));
    }

    painter.setFont(m_mode.fontWithSize(kLabelPointSize));
    painter.setPen(m_mode.subTextColor());
    for (int i = 0; i < DayGraphLayout::kLabelCount; ++i)
        painter.drawText(m_layout.labelRect(i), Qt::AlignCenter, labelText(i));

    painter.fillRect(m_layout.nowLineRect(), m_mode.iconColor());
    painter.setPen(m_mode.menuTextColor());
    painter.drawText(m_layout.nowLabelRect(), Qt::AlignCenter, nowText());
}

void DayGraphView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    const bool inside = m_layout.backgroundRect().contains(position.toPoint());
    setInside(inside);
    if (!inside)
        return;
    const int column = DayGraphLayout::columnAt(position.x());
    if (column >= 0 && column != m_hoveredColumn) {
        m_hoveredColumn = column;
        Q_EMIT timeFrameHovered(column);
    }
}

void DayGraphView::leaveEvent(QEvent*)
{
    setInside(false);
}

void DayGraphView::setInside(bool inside)
{
    if (inside == m_inside)
        return;
    m_inside = inside;
    m_hoveredColumn = -1;
    Q_EMIT hoverChanged(inside);
}

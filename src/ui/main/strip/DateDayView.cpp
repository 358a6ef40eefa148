#include "ui/main/strip/DateDayView.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "prefs/ModeManager.h"
#include "text/DateFormatters.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/FocusRing.h"
#include "ui/common/TintedIcon.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>

namespace {

// Forty-two cells repaint together on every refresh; rendering each SVG once per size, colour
// and pixel ratio keeps that cheap.
QPixmap cachedImage(const QString& name, int size, const QColor& color, qreal ratio)
{
    const QString key = QStringLiteral("velmoran-strip/%1/%2/%3/%4")
                            .arg(name)
                            .arg(size)
                            .arg(color.name(QColor::HexArgb))
                            .arg(ratio);
    QPixmap image;
    if (!QPixmapCache::find(key, &image)) {
        image = TintedIcon::pixmap(name, QSize(size, size), color, ratio);
        if (!image.isNull())
            QPixmapCache::insert(key, image);
    }
    return image;
}

// The images are round; without one the same round shape is drawn instead.
void drawRoundImage(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color,
                    qreal ratio)
{
    const QPixmap image = cachedImage(name, int(rect.width()), color, ratio);
    if (!image.isNull()) {
        painter.drawPixmap(rect.topLeft(), image);
        return;
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(rect);
    painter.restore();
}

} // namespace

DateDayView::DateDayView(DataManager& manager, ModeManager& mode, const Metrics& metrics,
                         QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_mode(mode)
    , m_metrics(metrics)
{
    // The strip around the cells takes the keyboard and moves the selected day; a click on a
    // cell leaves the keyboard where it was.
    setFocusPolicy(Qt::NoFocus);
    resetAppearance();
}

void DateDayView::reloadDayWithDate(const QDateTime& date)
{
    if (date != m_date)
        m_dots.clear();
    m_date = date;
    const DateFormatters& formatters = m_manager.formatters();
    m_dayNumber = formatters.dayNumberFormatter().stringFromDate(date);
    m_weekday = m_metrics.weekdayPointSize > 0 ? formatters.weekdayFormatter().stringFromDate(date)
                                               : QString();
    updateAccessibleName();
    refreshViewWithCheck();
}

void DateDayView::refreshView()
{
    m_isSelected = m_date.isValid() && m_manager.dates().selectedDate() == m_date;
    update();
}

void DateDayView::refreshViewWithCheck()
{
    m_isToday = m_date.isValid() && m_manager.dates().today() == m_date;
    refreshView();
}

void DateDayView::addCalendarDots(const QList<CalendarDot>& dots)
{
    m_dots = dots;
    update();
}

int DateDayView::drawnDotCount() const
{
    return int(qMin<qsizetype>(m_dots.size(), kMaxDots));
}

void DateDayView::resetAppearance()
{
    m_dayNumberFont = m_mode.fontWithSize(m_metrics.dayNumberPointSize);
    if (m_metrics.weekdayPointSize > 0)
        m_weekdayFont = m_mode.fontWithSize(m_metrics.weekdayPointSize);
    update();
}

void DateDayView::tapped()
{
    if (m_date.isValid())
        m_manager.dates().setSelectedDate(m_date);
}

bool DateDayView::moveSelectedDateForKey(DataManager& manager, const QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    int days = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        days = -1;
        break;
    case Qt::Key_Right:
        days = 1;
        break;
    case Qt::Key_Up:
        days = -7;
        break;
    case Qt::Key_Down:
        days = 7;
        break;
    default:
        return false;
    }
    // Whole calendar days: midnight stays midnight across a change of the clocks.
    const QDate day = manager.dates().selectedDate().toLocalTime().date();
    manager.dates().setSelectedDate(day.addDays(days).startOfDay());
    return true;
}

QColor DateDayView::dayNumberColor() const
{
    if (m_isSelected)
        return m_isToday ? m_mode.calendarSelectedTodayColor() : m_mode.calendarSelectedColor();
    return m_isToday ? m_mode.calendarTodayColor() : m_mode.subTextColor();
}

QColor DateDayView::selectionColor() const
{
    if (!m_isSelected)
        return {};
    return m_isToday ? m_mode.calendarTodayColor() : m_mode.calendarDotColor();
}

QRect DateDayView::dotsRect() const
{
    const int width = drawnDotCount() * m_metrics.dotSize;
    return QRect((this->width() - width) / 2, height() - m_metrics.dotsHeight, width,
                 m_metrics.dotsHeight);
}

QRect DateDayView::weekdayRect() const
{
    return QRect(0, m_metrics.weekdayHeight > 0 ? 2 : 0, width(), m_metrics.weekdayHeight);
}

QRect DateDayView::discRect() const
{
    // The disc sits behind the day number, in the band between the weekday name and the dots.
    const int top = m_metrics.weekdayHeight > 0 ? weekdayRect().bottom() + 1 : 0;
    const int bandHeight = height() - m_metrics.dotsHeight - top;
    const int size = std::max(0, std::min({m_metrics.maxDiscSize, bandHeight - 1, width() - 4}));
    return QRect((width() - size) / 2, top + (bandHeight - size) / 2, size, size);
}

QFont DateDayView::dayNumberFontForDisc() const
{
    const int room = discRect().height() - 2;
    QFont font = m_dayNumberFont;
    if (room <= 0)
        return font;
    for (int step = 0; step < 12; ++step) {
        const QFontMetricsF metrics(font);
        const qreal needed =
            std::max(metrics.horizontalAdvance(QStringLiteral("30")), metrics.capHeight() * 1.6);
        if (needed <= room || font.pointSizeF() <= 6)
            break;
        font.setPointSizeF(font.pointSizeF() * std::max(0.75, room / needed));
    }
    return font;
}

void DateDayView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The target decides: a high-DPI screen, or an image rendered at another ratio.
    const qreal ratio = painter.device()->devicePixelRatioF();

    if (!m_weekday.isEmpty()) {
        painter.setFont(m_weekdayFont);
        painter.setPen(m_mode.subTextColor());
        painter.drawText(weekdayRect(), Qt::AlignCenter, m_weekday);
    }

    const QRect disc = discRect();
    if (m_isSelected)
        drawRoundImage(painter, disc, m_metrics.selectedImage, selectionColor(), ratio);
    painter.setFont(dayNumberFontForDisc());
    painter.setPen(dayNumberColor());
    // The number is centred on the disc, not on the cell, so the two always line up.
    painter.drawText(QRect(0, disc.top(), width(), disc.height()), Qt::AlignCenter, m_dayNumber);

    const QRect dots = dotsRect();
    for (int index = 0; index < drawnDotCount(); ++index) {
        const CalendarDot& dot = m_dots.at(index);
        const QString& image = dot.kind == CalendarDot::Kind::Reminder ? m_metrics.reminderDotImage
                                                                       : m_metrics.eventDotImage;
        const QRectF rect(dots.left() + index * m_metrics.dotSize, dots.top(), m_metrics.dotSize,
                          m_metrics.dotSize);
        // The list's colour, darker (lighter at night) where it would not stand out.
        drawRoundImage(painter, rect, image, m_mode.contrast().visibleMark(qColor(dot.color)),
                       ratio);
    }

    if (m_isSelected && parentWidget() && parentWidget()->hasFocus())
        FocusRing::paint(painter, rect(), FocusRing::color(palette()));
}

void DateDayView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        tapped();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void DateDayView::updateAccessibleName()
{
    setAccessibleName(QLocale().toString(m_date.date(), QLocale::LongFormat));
}

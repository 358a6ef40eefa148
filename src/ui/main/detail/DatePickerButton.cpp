#include "ui/main/detail/DatePickerButton.h"

#include "text/DateFormatters.h"
#include "ui/common/FocusRing.h"
#include "ui/common/LocaleTimeFormat.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

DatePopover::DatePopover(QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::StyledPanel);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setGridVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Wide enough for the locale's longest short day name: the columns would otherwise cut
    // "Wed" or "Mi." to "W…".
    const QFontMetrics metrics(m_calendar->font());
    int widest = metrics.horizontalAdvance(QStringLiteral("00"));
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        widest = std::max(
            {widest, metrics.horizontalAdvance(locale().dayName(day, QLocale::ShortFormat)),
             metrics.horizontalAdvance(locale().standaloneDayName(day, QLocale::ShortFormat))});
    }
    constexpr int kCellPadding = 12;
    m_calendar->setMinimumWidth(7 * (widest + kCellPadding) +
                                2 * m_calendar->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    layout->addWidget(m_calendar);
    auto* timeRow = new QHBoxLayout;
    m_time = new QTimeEdit(this);
    m_time->setDisplayFormat(localeTimeEditFormat());
    m_noTime = new QCheckBox(tr("No Time"), this);
    auto* done = new QPushButton(tr("Done"), this);
    timeRow->addWidget(m_time);
    timeRow->addWidget(m_noTime);
    timeRow->addStretch(1);
    timeRow->addWidget(done);
    layout->addLayout(timeRow);
    connect(m_noTime, &QCheckBox::toggled, m_time, &QWidget::setDisabled);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    // Return in the calendar or the time field closes with the date, as the Done button does.
    connect(m_calendar, &QCalendarWidget::activated, this, &QWidget::close);
    setFocusProxy(m_calendar);
}

void DatePopover::prepare(const QDateTime& dateTime, bool noTimeFeature, const QDateTime& minimum)
{
    m_noTimeFeature = noTimeFeature;
    const QDateTime local = dateTime.toLocalTime();
    if (minimum.isValid())
        m_calendar->setMinimumDate(minimum.toLocalTime().date());
    m_calendar->setSelectedDate(local.date());
    m_time->setTime(QTime(local.time().hour(), local.time().minute()));
    const bool noTime = noTimeFeature && local.time().hour() == 0 && local.time().minute() == 0;
    m_noTime->setVisible(noTimeFeature);
    m_noTime->setChecked(noTime);
    m_time->setDisabled(noTime);
}

QDateTime DatePopover::chosen() const
{
    const QDate day = m_calendar->selectedDate();
    if (m_noTimeFeature && m_noTime->isChecked())
        return day.startOfDay();
    const QTime time = m_time->time();
    const QDateTime chosen(day, QTime(time.hour(), time.minute()));
    // A time the clocks skip (02:30 on the spring change) becomes the hour after it.
    return chosen.isValid() ? chosen
                            : QDateTime(day, QTime(time.hour(), time.minute()).addSecs(3600));
}

void DatePopover::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_cancelled = true;
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void DatePopover::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    Q_EMIT closed();
}

DatePickerButton::DatePickerButton(const DateFormatters& formatters, QWidget* parent)
    : QPushButton(parent)
    , m_formatters(formatters)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    // The pane may be narrower than a long date; the text then ends in an ellipsis, and the
    // pane keeps its width.
    setMinimumWidth(60);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(this, &QPushButton::clicked, this, &DatePickerButton::openPopover);
}

void DatePickerButton::setDateTime(const QDateTime& dateTime)
{
    m_dateTime = dateTime.toLocalTime();
    updateText();
}

void DatePickerButton::setNoTimeFeature(bool on)
{
    m_noTimeFeature = on;
    updateText();
}

void DatePickerButton::setOverrideText(const QString& text)
{
    m_overrideText = text;
    updateText();
}

void DatePickerButton::updateText()
{
    QString text = m_overrideText;
    if (text.isEmpty() && m_dateTime.isValid()) {
        const bool dateOnly =
            m_noTimeFeature && m_dateTime.time().hour() == 0 && m_dateTime.time().minute() == 0;
        text = dateOnly ? m_formatters.dateOnlyFormatter().stringFromDate(m_dateTime)
                        : m_formatters.dateTimeFormatter().stringFromDate(m_dateTime);
    }
    setText(text);
    setAccessibleDescription(m_dateTime.isValid()
                                 ? m_formatters.dateTimeFormatter().stringFromDate(m_dateTime)
                                 : QString());
}

QString DatePickerButton::shownText() const
{
    const int room = width() - 2 * kTextPadding;
    return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}

QSize DatePickerButton::sizeHint() const
{
    const QSize button = QPushButton::sizeHint();
    return QSize(fontMetrics().horizontalAdvance(text()) + 2 * kTextPadding, button.height());
}

void DatePickerButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    // The style's own button (a flat one shows only while pressed), without its centred text.
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect textRect = rect().adjusted(kTextPadding, 0, -kTextPadding, 0);
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                         shownText(), QPalette::ButtonText);
    if (hasFocus())
        FocusRing::paint(painter, rect(), FocusRing::color(palette()));
}

void DatePickerButton::openPopover()
{
    if (m_popover)
        return;
    auto* popover = new DatePopover(this);
    popover->prepare(m_dateTime.isValid() ? m_dateTime : QDateTime::currentDateTime(),
                     m_noTimeFeature, m_minimum);
    connect(popover, &DatePopover::closed, this, [this, popover] {
        // Closed is closed: the pop-over is deleted later, and a new one may open before.
        m_popover = nullptr;
        if (popover->cancelled())
            return;
        const QDateTime chosen = popover->chosen();
        if (chosen.isValid())
            m_dateTime = chosen;
        updateText();
        Q_EMIT popoverDismissed();
    });
    m_popover = popover;
    popover->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        at.setX(qBound(available.left(), at.x(), available.right() - popover->width()));
        if (at.y() + popover->height() > available.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popover->height());
    }
    popover->move(at);
    popover->show();
    popover->calendar()->setFocus();
}

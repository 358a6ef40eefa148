#include "ui/entry/DueDateControl.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLocale>
#include <QToolButton>

DueDateControl::DueDateControl(QWidget* parent)
    : QWidget(parent)
    , m_editor(new QDateTimeEdit(this))
    , m_noTime(new QToolButton(this))
{
    m_editor->setCalendarPopup(true);
    m_editor->setAccessibleName(tr("Due Date"));
    m_editor->setTimeSpec(Qt::LocalTime);
    m_noTime->setText(tr("No Time"));
    m_noTime->setAccessibleName(tr("No Time"));
    m_noTime->setToolTip(tr("A due date without a time of day"));
    m_noTime->setCheckable(true);
    m_noTime->setAutoRaise(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_editor, 1);
    layout->addWidget(m_noTime);
    // The calendar is made on first use, and followed from then on. Not before: a calendar made
    // in advance takes every date set here, and each change of its day tells a screen reader
    // that the focus went to that day although the calendar is not shown.
    m_editor->installEventFilter(this);

    connect(m_editor, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        if (m_editor->signalsBlocked())
            return;
        Q_EMIT dateTimeEdited(hasTimeOfDay() ? value : value.date().startOfDay());
    });
    connect(m_noTime, &QToolButton::toggled, this, &DueDateControl::noTimeToggled);
    showTimeOfDay(true);
}

void DueDateControl::setDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return;
    const QDateTime local = dateTime.toLocalTime();
    const bool timed = local.time() != QTime(0, 0);
    if (timed)
        m_lastTime = local.time();
    const QSignalBlocker blockEditor(m_editor);
    const QSignalBlocker blockSwitch(m_noTime);
    m_noTime->setChecked(!timed);
    showTimeOfDay(timed);
    m_editor->setDateTime(local);
}

QDateTime DueDateControl::dateTime() const
{
    const QDateTime value = m_editor->dateTime();
    return hasTimeOfDay() ? value : value.date().startOfDay();
}

bool DueDateControl::hasTimeOfDay() const
{
    return !m_noTime->isChecked();
}

void DueDateControl::setControlFont(const QFont& font)
{
    m_editor->setFont(font);
    m_noTime->setFont(font);
}

void DueDateControl::showTimeOfDay(bool shown)
{
    const QLocale locale;
    // Due dates are whole minutes; some locales' short formats still carry seconds.
    QString withTime = locale.dateTimeFormat(QLocale::ShortFormat);
    withTime.remove(QStringLiteral(":ss")).remove(QStringLiteral(".ss"));
    m_editor->setDisplayFormat(shown ? withTime : locale.dateFormat(QLocale::ShortFormat));
}

void DueDateControl::noTimeToggled(bool noTime)
{
    const QDate day = m_editor->date();
    QDateTime value;
    if (noTime) {
        const QTime shown = m_editor->time();
        if (shown != QTime(0, 0))
            m_lastTime = shown;
        value = day.startOfDay();
    } else {
        value = QDateTime(day, m_lastTime.isValid() ? m_lastTime : m_presetTime);
    }
    {
        const QSignalBlocker block(m_editor);
        showTimeOfDay(!noTime);
        m_editor->setDateTime(value);
    }
    Q_EMIT dateTimeEdited(value);
}

bool DueDateControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::ChildAdded) {
        // The calendar's pop-up window, made as it first opens.
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (auto* popup = qobject_cast<QWidget*>(child); popup && popup->isWindow())
            popup->installEventFilter(this);
    } else if (watched != m_editor) {
        if (event->type() == QEvent::Show && !m_calendarShown) {
            m_calendarShown = true;
            Q_EMIT calendarShown();
        } else if (event->type() == QEvent::Hide && m_calendarShown) {
            m_calendarShown = false;
            Q_EMIT calendarHidden();
        }
    }
    return QWidget::eventFilter(watched, event);
}

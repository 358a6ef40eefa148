#include "ui/main/detail/CustomRepeatSheet.h"

#include "text/RecurrenceDescription.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 276;
// The button group's id of "Last": the group takes -1 for "give it an id".
constexpr int kLastDayId = 32;

QToolButton* segment(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QButtonGroup* nonExclusiveGroup(QObject* parent)
{
    auto* group = new QButtonGroup(parent);
    group->setExclusive(false);
    return group;
}

// "%@:" around a caption, as translations may move the colon.
QString withColon(const QString& text)
{
    return CustomRepeatSheet::tr("%@:").replace(QStringLiteral("%@"), text);
}

} // namespace

CustomRepeatSheet::CustomRepeatSheet(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Custom"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(new QLabel(withColon(tr("Frequency")), this));
    m_frequency = new QComboBox(this);
    m_frequency->addItems({tr("Daily"), tr("Weekly"), tr("Monthly"), tr("Yearly")});
    m_frequency->setAccessibleName(tr("Frequency"));
    frequencyRow->addWidget(m_frequency, 1);
    layout->addLayout(frequencyRow);

    m_panels = new QStackedWidget(this);
    auto* daily = new QWidget(m_panels);
    (new QVBoxLayout(daily))->addWidget(intervalRow(0, tr("day(s)")));
    daily->layout()->setContentsMargins(0, 0, 0, 0);
    m_panels->addWidget(daily);
    m_panels->addWidget(buildWeeklyPanel());
    m_panels->addWidget(buildMonthlyPanel());
    m_panels->addWidget(buildYearlyPanel());
    layout->addWidget(m_panels, 1);

    auto* buttons = new QHBoxLayout;
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_ok);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_frequency, &QComboBox::currentIndexChanged, this, &CustomRepeatSheet::showPanel);
    setFixedSize(sizeForFrequency(0));
}

QWidget* CustomRepeatSheet::intervalRow(int frequency, const QString& unit)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Every"), row));
    auto* field = new QLineEdit(QStringLiteral("1"), row);
    field->setAccessibleName(tr("Every"));
    field->setMaximumWidth(60);
    // 0, text that is no number and a negative number all stand for 1: a rule repeats at
    // least every single unit.
    connect(field, &QLineEdit::editingFinished, field, [field] {
        field->setText(QString::number(
            RepeatChoices::numberFromText(field->text(), RepeatChoices::kMaximumInterval)));
    });
    m_intervals[frequency] = field;
    layout->addWidget(field);
    layout->addWidget(new QLabel(unit, row), 1);
    return row;
}

QWidget* CustomRepeatSheet::buildWeeklyPanel()
{
    auto* panel = new QWidget(m_panels);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intervalRow(1, withColon(tr("week(s) on"))));
    auto* segments = new QHBoxLayout;
    segments->setSpacing(1);
    m_weekdays = nonExclusiveGroup(this);
    for (int i = 0; i < 7; ++i) {
        QToolButton* button = segment(QString(), panel);
        m_weekdays->addButton(button, i);
        segments->addWidget(button);
    }
    connect(m_weekdays, &QButtonGroup::buttonToggled, this,
            [this] { keepOneChecked(m_weekdays, weekdaySegment(0)); });
    layout->addLayout(segments);
    layout->addStretch(1);
    return panel;
}

QWidget* CustomRepeatSheet::buildMonthlyPanel()
{
    auto* panel = new QWidget(m_panels);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intervalRow(2, withColon(tr("month(s)"))));
    m_onDays = new QRadioButton(tr("On Days"), panel);
    m_onWeek = new QRadioButton(tr("On Week"), panel);
    layout->addWidget(m_onDays);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    m_monthDays = nonExclusiveGroup(this);
    for (int day = 1; day <= 31; ++day) {
        QToolButton* button = segment(QString::number(day), panel);
        m_monthDays->addButton(button, day);
        grid->addWidget(button, (day - 1) / 7, (day - 1) % 7);
    }
    QToolButton* last = segment(tr("Last", "day of the month"), panel);
    m_monthDays->addButton(last, kLastDayId);
    grid->addWidget(last, 4, 3, 1, 2);
    connect(m_monthDays, &QButtonGroup::buttonToggled, this,
            [this] { keepOneChecked(m_monthDays, monthDaySegment(1)); });
    layout->addLayout(grid);
    layout->addWidget(m_onWeek);
    auto* weekRow = new QHBoxLayout;
    m_weekNumber = new QComboBox(panel);
    //: The weeks of a month a task repeats in, as in "the 1st Monday" … "the Last Monday".
    m_weekNumber->addItems({tr("1st", "week of the month"), tr("2nd", "week of the month"),
                            tr("3rd", "week of the month"), tr("4th", "week of the month"),
                            tr("5th", "week of the month"), tr("Last", "week of the month")});
    m_weekNumber->setAccessibleName(tr("Week of the Month"));
    m_weekday = new QComboBox(panel);
    for (int day = 1; day <= 7; ++day)
        m_weekday->addItem(RecurrenceDescription::dayName(day));
    m_weekday->setAccessibleName(tr("Weekday"));
    weekRow->addWidget(m_weekNumber);
    weekRow->addWidget(m_weekday, 1);
    layout->addLayout(weekRow);
    layout->addStretch(1);
    connect(m_onDays, &QRadioButton::toggled, this, &CustomRepeatSheet::updateMonthlyMode);
    return panel;
}

QWidget* CustomRepeatSheet::buildYearlyPanel()
{
    auto* panel = new QWidget(m_panels);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intervalRow(3, withColon(tr("year(s) in"))));
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    m_months = nonExclusiveGroup(this);
    for (int month = 1; month <= 12; ++month) {
        QToolButton* button =
            segment(QLocale().standaloneMonthName(month, QLocale::ShortFormat), panel);
        m_months->addButton(button, month);
        grid->addWidget(button, (month - 1) / 4, (month - 1) % 4);
    }
    connect(m_months, &QButtonGroup::buttonToggled, this,
            [this] { keepOneChecked(m_months, monthSegment(m_dueMonth)); });
    layout->addLayout(grid);
    layout->addStretch(1);
    return panel;
}

QToolButton* CustomRepeatSheet::weekdaySegment(int index) const
{
    return qobject_cast<QToolButton*>(m_weekdays->button(index));
}

QToolButton* CustomRepeatSheet::monthDaySegment(int day) const
{
    return qobject_cast<QToolButton*>(m_monthDays->button(day == -1 ? kLastDayId : day));
}

QToolButton* CustomRepeatSheet::monthSegment(int month) const
{
    return qobject_cast<QToolButton*>(m_months->button(month));
}

QSize CustomRepeatSheet::sizeForFrequency(int frequency)
{
    switch (frequency) {
    case 1:
        return {kWidth, 210};
    case 2:
        return {kWidth, 380};
    case 3:
        return {kWidth, 260};
    default:
        return {kWidth, 170};
    }
}

void CustomRepeatSheet::keepOneChecked(QButtonGroup* group, QToolButton* fallback)
{
    // A rule needs at least one day; taking the last one away brings the first one back.
    if (group->checkedButton() || !fallback)
        return;
    const QSignalBlocker blocker(group);
    fallback->setChecked(true);
}

void CustomRepeatSheet::reset(const QStringList& weekdayTitles, bool sundayFirst, int dueWeekday,
                              int dueMonth)
{
    const int weekday = qBound(1, dueWeekday, 7);
    const int dueSegment = sundayFirst ? weekday % 7 : weekday - 1;
    m_sundayFirst = sundayFirst;
    m_dueMonth = qBound(1, dueMonth, 12);
    {
        const QSignalBlocker blockWeekdays(m_weekdays);
        const QSignalBlocker blockDays(m_monthDays);
        const QSignalBlocker blockMonths(m_months);
        for (int i = 0; i < 7; ++i) {
            weekdaySegment(i)->setText(weekdayTitles.value(i));
            weekdaySegment(i)->setChecked(i == dueSegment);
        }
        for (QAbstractButton* button : m_monthDays->buttons())
            button->setChecked(m_monthDays->id(button) == 1);
        for (QAbstractButton* button : m_months->buttons())
            button->setChecked(m_months->id(button) == m_dueMonth);
    }
    for (QLineEdit* field : m_intervals)
        field->setText(QStringLiteral("1"));
    m_onDays->setChecked(true);
    m_weekNumber->setCurrentIndex(0);
    m_weekday->setCurrentIndex(0);
    m_frequency->setCurrentIndex(0);
    showPanel(0);
    updateMonthlyMode();
}

void CustomRepeatSheet::showPanel(int frequency)
{
    m_panels->setCurrentIndex(qBound(0, frequency, 3));
    // Resized once the panel is in place, so the sheet never shows the old panel at the new
    // size.
    QTimer::singleShot(0, this, [this, frequency] { setFixedSize(sizeForFrequency(frequency)); });
}

void CustomRepeatSheet::updateMonthlyMode()
{
    const bool onDays = m_onDays->isChecked();
    for (QAbstractButton* button : m_monthDays->buttons())
        button->setEnabled(onDays);
    m_weekNumber->setEnabled(!onDays);
    m_weekday->setEnabled(!onDays);
}

RepeatChoices::CustomChoices CustomRepeatSheet::choices() const
{
    RepeatChoices::CustomChoices custom;
    custom.frequency = m_frequency->currentIndex();
    custom.interval = RepeatChoices::numberFromText(m_intervals[custom.frequency]->text(),
                                                    RepeatChoices::kMaximumInterval);
    custom.sundayFirst = m_sundayFirst;
    custom.weekdaySegments.clear();
    for (int i = 0; i < 7; ++i) {
        if (weekdaySegment(i)->isChecked())
            custom.weekdaySegments << i;
    }
    custom.onWeek = m_onWeek->isChecked();
    custom.monthDays.clear();
    for (QAbstractButton* button : m_monthDays->buttons()) {
        if (button->isChecked()) {
            const int id = m_monthDays->id(button);
            custom.monthDays << (id == kLastDayId ? -1 : id);
        }
    }
    custom.weekNumberIndex = m_weekNumber->currentIndex();
    custom.weekdayIndex = m_weekday->currentIndex();
    for (QAbstractButton* button : m_months->buttons()) {
        if (button->isChecked())
            custom.months << m_months->id(button);
    }
    return custom;
}

#include "ui/panel/PanelViewController.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskOperations.h"
#include "data/views/DayGraphLayout.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/sync/SyncScheduler.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/Motion.h"
#include "ui/common/SubtaskCompletionQuestion.h"
#include "ui/common/TintedIcon.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/DayGraphView.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskTableView.h"
#include "ui/panel/HourPopover.h"
#include "ui/panel/PanelRowsModel.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPropertyAnimation>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kDatePointSize = 15;
constexpr int kFadeInMs = 300;

// The rows change only when their tasks do; a refresh that brings the same tasks back (as new
// objects) must not make them flicker.
bool sameRows(const ReminderList& a, const ReminderList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const store::Reminder& x = *a.at(i);
        const store::Reminder& y = *b.at(i);
        if (x.calendarItemIdentifier != y.calendarItemIdentifier ||
            x.lastModifiedDate != y.lastModifiedDate || x.completed != y.completed)
            return false;
    }
    return true;
}

} // namespace

PanelViewController::PanelViewController(DataManager& manager, ModeManager& modeManager,
                                         QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_subtasks(manager)
    , m_isOnTop(manager.defaults().boolForKey(PrefKey::alwaysOnTopMenuBar))
    , m_dateLabel(new QLabel(this))
    , m_pinButton(new QToolButton(this))
    , m_syncButton(new QToolButton(this))
    , m_dayGraph(new DayGraphView(modeManager, manager.formatters(), manager.clock(), this))
    , m_rows(new TaskTableView(this))
    , m_rowsModel(new PanelRowsModel(modeManager, manager.formatters(), manager.clock(),
                                     manager.defaults(), this))
    , m_rowsDelegate(new TaskListDelegate(modeManager, m_rows))
    , m_rowsOpacity(new QGraphicsOpacityEffect(this))
    , m_form(new QuickAddForm(manager, modeManager, QuickAddForm::Arrangement::Stacked, this))
    , m_popover(new HourPopover(this))
{
    setAccessibleName(tr("Tray Panel"));
    m_dateLabel->setAccessibleName(tr("Date"));
    m_dateLabel->setTextFormat(Qt::PlainText);
    m_pinButton->setAccessibleName(tr("Keep Open"));
    m_pinButton->setToolTip(tr("Keep the panel open when it loses the focus"));
    m_pinButton->setAutoRaise(true);
    m_pinButton->setIconSize(QSize(18, 18));
    m_pinButton->setFocusPolicy(Qt::TabFocus);

    m_syncButton->setAccessibleName(tr("Sync Now"));
    m_syncButton->setAutoRaise(true);
    m_syncButton->setIconSize(QSize(18, 18));
    m_syncButton->setFocusPolicy(Qt::TabFocus);
    m_syncButton->setVisible(false);

    m_rows->setAccessibleName(tr("Next Tasks"));
    m_rows->setModel(m_rowsModel);
    m_rows->setItemDelegate(m_rowsDelegate);
    m_rows->setFrameShape(QFrame::NoFrame);
    // The keyboard reaches the rows too, once there are some (updateHeight): Space completes
    // the one it stands on.
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->setFocusPolicy(Qt::NoFocus);
    m_rows->setTaskActions(this);
    m_rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows->setUniformItemSizes(false);
    m_rows->setGraphicsEffect(m_rowsOpacity);
    m_rowsOpacity->setOpacity(0);

    auto* header = new QWidget(this);
    header->setFixedHeight(kHeaderHeight);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(12, 6, 8, 2);
    headerRow->addWidget(m_dateLabel, 1);
    headerRow->addWidget(m_syncButton);
    headerRow->addWidget(m_pinButton);
    m_form->setFixedHeight(kFixedHeight - kHeaderHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_dayGraph, 0, Qt::AlignHCenter);
    // The rows with five points above and below them: the ten the panel's height counts.
    m_rowsArea = new QWidget(this);
    auto* rowsLayout = new QVBoxLayout(m_rowsArea);
    rowsLayout->setContentsMargins(0, 5, 0, 5);
    rowsLayout->addWidget(m_rows);
    m_rowsArea->setFixedHeight(m_rowsModel->rowsHeight());
    layout->addWidget(m_rowsArea);
    layout->addWidget(m_form);

    m_fetchTimer.setSingleShot(true);
    m_fetchTimer.setInterval(kRetryMs);
    connect(&m_fetchTimer, &QTimer::timeout, this, &PanelViewController::fetchData);
    m_showTableTimer.setSingleShot(true);
    m_showTableTimer.setInterval(kShowTableMs);
    connect(&m_showTableTimer, &QTimer::timeout, this, &PanelViewController::showTableView);

    connect(m_pinButton, &QToolButton::clicked, this, &PanelViewController::pinButtonTapped);
    connect(&m_modeManager, &ModeManager::fontChanged, this, &PanelViewController::fontChanged);
    connect(m_syncButton, &QToolButton::clicked, this, [this] {
        if (m_syncScheduler)
            m_syncScheduler->syncNow();
    });
    connect(m_dayGraph, &DayGraphView::timeFrameHovered, this,
            &PanelViewController::refreshPopoverWithTimeFrame);
    connect(m_dayGraph, &DayGraphView::hoverChanged, this, &PanelViewController::hoverChanged);
    connect(m_rowsDelegate, &TaskListDelegate::checkButtonClicked, this,
            [this](const QModelIndex& index) { checkRow(index.row()); });
    connect(m_form, &QuickAddForm::returnPressed, this, &PanelViewController::returnPressed);
    connect(m_form, &QuickAddForm::escapePressed, this, &PanelViewController::escapePressed);
    connect(m_form, &QuickAddForm::taskAdded, this, [this](const store::ReminderPtr& reminder) {
        if (selectReminder && reminder)
            selectReminder(reminder);
    });

    refreshByModeChange();
}

PanelViewController::~PanelViewController() = default;

// --- content ---------------------------------------------------------------------------------

void PanelViewController::loadInitially()
{
    // What is typed survives a change of lists or appearance.
    m_form->setupForm(true);
}

QString PanelViewController::dateText() const
{
    // Today, the day the graph and the rows are about.
    const QDateTime today = m_manager.dates().today();
    const DateFormatters& formatters = m_manager.formatters();
    return QStringLiteral("%1, %2").arg(formatters.weekdayFormatter().stringFromDate(today),
                                        formatters.fullDayFormatterMid().stringFromDate(today));
}

void PanelViewController::refreshOnMinuteChange()
{
    if (!window()->isVisible())
        return;
    const QString date = dateText();
    if (m_dateLabel->text() != date)
        m_dateLabel->setText(date);
    fetchData();
}

void PanelViewController::fetchData()
{
    m_fetchTimer.stop();
    const bool viewEvents = m_manager.defaults().boolForKey(PrefKey::viewEvents);
    const QDateTime now = m_manager.clock().now();
    const QDateTime windowStart = DayGraphLayout::windowStartFor(
        DayGraphLayout::startingDayOf(now), DayGraphLayout::timeFrameTypeOn(now));
    m_buckets =
        HourBuckets::fetch(m_manager.queries(), m_manager.events(), windowStart, viewEvents);
    const bool complete = m_buckets.hasReminders() && m_buckets.hasEvents();
    // The snapshot or the event window is on its way: look again in a moment while shown.
    if (!complete && window()->isVisible())
        m_fetchTimer.start();

    if (m_dayGraph->refreshWithReminders(m_buckets)) {
        m_fetchTimer.start();
        if (checkNightMode)
            checkNightMode();
    }
    if (!complete) {
        updateHeight();
        m_showTableTimer.start();
        return;
    }
    setShowingReminders(m_buckets.firstReminders(kMaximumRows));
    updateHeight();
    m_showTableTimer.start();
}

void PanelViewController::setShowingReminders(const ReminderList& reminders)
{
    if (!sameRows(reminders, m_showingReminders))
        m_rowsOpacity->setOpacity(0);
    m_showingReminders = reminders;
    // Always the fresh objects, so that a check acts on the snapshot's own records.
    m_rowsModel->setReminders(reminders, m_manager.dates().today());
}

void PanelViewController::updateHeight()
{
    m_rowsModel->setWidth(width() > 0 ? width()
                                      : DayGraphLayout::kWidth + 2 * DayGraphLayout::kLeft);
    const int rowsHeight = m_rowsModel->rowsHeight();
    m_rowsArea->setFixedHeight(rowsHeight);
    // Tab stops at the rows only while there are rows to stand on.
    m_rows->setFocusPolicy(rowsHeight > 0 ? Qt::TabFocus : Qt::NoFocus);
    const int height = rowsHeight + m_dayGraph->graphHeight() + kFixedHeight;
    if (height == m_height)
        return;
    m_height = height;
    Q_EMIT heightChanged(height);
}

void PanelViewController::showTableView()
{
    if (m_rowsOpacity->opacity() > 0 || !m_buckets.hasReminders() || !m_buckets.hasEvents())
        return;
    const int duration = Motion::duration(kFadeInMs);
    if (duration == 0) {
        m_rowsOpacity->setOpacity(1);
        return;
    }
    auto* fade = new QPropertyAnimation(m_rowsOpacity, "opacity", this);
    fade->setDuration(duration);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

QListView* PanelViewController::rowsView() const
{
    return m_rows;
}

void PanelViewController::showRowDetails(int row)
{
    if (const store::ReminderPtr reminder = m_rowsModel->reminderAt(row);
        reminder && selectReminder)
        selectReminder(reminder);
}

void PanelViewController::checkRow(int row)
{
    const store::ReminderPtr reminder = m_rowsModel->reminderAt(row);
    if (!reminder)
        return;
    if (const auto settled = m_subtasks.settledCompletion(reminder))
        completeRow(row, *settled);
    else
        askHowToComplete(reminder);
}

void PanelViewController::completeRow(int row, SubtaskCommands::Completion completion)
{
    const store::ReminderPtr reminder = m_rowsModel->reminderAt(row);
    if (!reminder)
        return;
    m_rowsDelegate->startBounce(row, [this, reminder, completion] {
        QString reason;
        if (m_subtasks.toggleCompletion(reminder, completion, &reason)) {
            m_rows->announceRowCheckedChange(int(m_rowsModel->reminders().indexOf(reminder)));
            return;
        }
        // The row shows the task as it still is on disk, and the notice line says why.
        m_rows->viewport()->update();
        m_form->showNotice(tr("The task could not be changed: %1").arg(reason));
    });
}

void PanelViewController::askHowToComplete(const store::ReminderPtr& task)
{
    auto* question = new SubtaskCompletionQuestion(m_subtasks, *task, this);
    const QString identifier = task->calendarItemIdentifier;
    connect(question, &SubtaskCompletionQuestion::answered, this,
            [this, identifier](SubtaskCommands::Completion completion) {
                // A minute's refresh may have brought the rows back as new objects meanwhile.
                const ReminderList& rows = m_rowsModel->reminders();
                const auto at = std::find_if(rows.cbegin(), rows.cend(), [&](const auto& each) {
                    return each->calendarItemIdentifier == identifier;
                });
                if (at != rows.cend())
                    completeRow(int(at - rows.cbegin()), completion);
            });
    // Whatever the answer, the panel is the window in use again: it takes the keyboard back, and
    // with it the focus whose loss closes it.
    connect(question, &QDialog::finished, this, [this] { window()->activateWindow(); });
    question->open();
}

// --- the hour pop-up -------------------------------------------------------------------------

void PanelViewController::refreshPopoverWithTimeFrame(int k)
{
    if (!m_buckets.hasReminders() || !m_buckets.hasEvents())
        return;
    const QFontMetrics metrics(m_modeManager.fontWithSize(HourPopoverContent::kTitlePointSize));
    const HourPopoverContent content = HourPopoverContent::build(
        k, m_buckets, m_dayGraph->layout().windowStart(), m_dayGraph->layout().startingDay(),
        m_manager.formatters(), m_modeManager, [&metrics](const QString& title) {
            return metrics
                .boundingRect(QRect(0, 0, HourPopoverContent::kTextWidth, 100000), Qt::TextWordWrap,
                              title)
                .height();
        });
    m_popover->setContent(content, m_modeManager);
    if (m_popover->isVisible())
        m_popover->showBeside(m_dayGraph);
}

void PanelViewController::hoverChanged(bool inside)
{
    if (inside)
        m_popover->showBeside(m_dayGraph);
    else
        m_popover->hide();
}

// --- appearance and the pin ------------------------------------------------------------------

void PanelViewController::refreshByModeChange()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.backgroundColor());
    palette.setColor(QPalette::Base, m_modeManager.backgroundColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    setPalette(palette);
    setAutoFillBackground(true);
    m_rows->setPalette(palette);
    m_rows->viewport()->setAutoFillBackground(false);
    m_dateLabel->setFont(m_modeManager.fontWithSize(kDatePointSize));
    m_dateLabel->setText(dateText());
    showPinImage();
    updateSyncButton();
    loadInitially();
    m_rowsModel->refreshAppearance();
    m_dayGraph->update();
}

void PanelViewController::fontChanged()
{
    loadInitially();
    m_rowsModel->refreshAppearance();
    fetchData();
}

void PanelViewController::pinButtonTapped()
{
    m_isOnTop = !m_isOnTop;
    showPinImage();
    UserDefaults& defaults = m_manager.defaults();
    defaults.setBool(m_isOnTop, PrefKey::alwaysOnTopMenuBar);
    defaults.synchronize();
}

void PanelViewController::setSyncScheduler(SyncScheduler* scheduler)
{
    if (m_syncScheduler)
        m_syncScheduler->disconnect(this);
    m_syncScheduler = scheduler;
    if (scheduler)
        connect(scheduler, &SyncScheduler::stateChanged, this,
                &PanelViewController::updateSyncButton);
    updateSyncButton();
}

void PanelViewController::updateSyncButton()
{
    // Accounts come and go in the preferences window without the scheduler saying so; the
    // panel asks again whenever it is shown.
    const bool offered = m_syncScheduler && m_syncScheduler->hasAccounts();
    m_syncButton->setVisible(offered);
    if (!offered)
        return;
    m_syncButton->setEnabled(!m_syncScheduler->isRunning());
    const QString state = m_syncScheduler->statusText();
    m_syncButton->setToolTip(state.isEmpty() ? tr("Sync Now")
                                             : tr("Sync Now") + QLatin1Char('\n') + state);
    m_syncButton->setIcon(
        TintedIcon::icon(QStringLiteral("ButtonSync"), m_modeManager.subTextColor()));
}

void PanelViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateSyncButton();
}

void PanelViewController::showPinImage()
{
    m_pinButton->setIcon(
        TintedIcon::icon(m_isOnTop ? QStringLiteral("ButtonPinOn") : QStringLiteral("ButtonPin"),
                         m_isOnTop ? m_modeManager.iconColor() : m_modeManager.subTextColor()));
    m_pinButton->setChecked(m_isOnTop);
}

// --- adding from the panel -------------------------------------------------------------------

void PanelViewController::returnPressed(Qt::KeyboardModifiers modifiers)
{
    const QuickAddForm::AddResult result = m_form->addTask();
    if (!QuickAddForm::wasAdded(result))
        return;
    // A task that went to the default list keeps the notice saying so.
    if (result == QuickAddForm::AddResult::Added)
        m_form->showNotice(tr("New Task Added"));
    if (!(modifiers & Qt::ControlModifier))
        m_form->resetEntry();
}

void PanelViewController::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A hairline between what is coming and the field for what is new.
    QPainter painter(this);
    painter.setPen(m_modeManager.dividerColor());
    const int y = m_form->geometry().top();
    painter.drawLine(12, y, width() - 12, y);
}

void PanelViewController::keyPressEvent(QKeyEvent* event)
{
    // Escape anywhere in the panel closes it, not only in the field.
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

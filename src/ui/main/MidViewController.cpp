#include "ui/main/MidViewController.h"

#include "data/DataManager.h"
#include "data/QuickActionMenu.h"
#include "data/QuickActionPerformer.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskOperations.h"
#include "data/views/TaskListAssembly.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ElidedLabel.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/problems/UnreadableFilesBar.h"
#include "ui/main/strip/MonthDateView.h"
#include "ui/main/strip/WeekDateView.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskTableView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <algorithm>

namespace {

constexpr int kTopHeight = 44;
// Two tasks of one line each: the smallest window still shows something of what it lists.
constexpr int kMinimumTableHeight = 2 * 52;

QToolButton* makeButton(QWidget* parent, const QString& accessibleName)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setIconSize(QSize(18, 18));
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    // Reached with Tab; a click leaves the keyboard in the list.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

MidViewController::MidViewController(DataManager& manager, ModeManager& modeManager,
                                     QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_assembly(std::make_unique<TaskListAssembly>(manager))
    , m_performer(std::make_unique<QuickActionPerformer>(manager))
{
    setAccessibleName(tr("Tasks"));
    setAutoFillBackground(true);
    m_selectionRetry.setSingleShot(true);
    connect(&m_selectionRetry, &QTimer::timeout, this, [this] {
        if (const store::ReminderPtr pending = m_pendingSelection)
            selectReminder(pending);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildTopView();
    layout->addWidget(m_titleLabel->parentWidget());

    m_strip = new QWidget(this);
    m_strip->setFixedHeight(0);
    m_strip->hide();
    auto* stripLayout = new QStackedLayout(m_strip);
    m_weekDateView = new WeekDateView(manager, modeManager, m_strip);
    m_monthDateView = new MonthDateView(manager, modeManager, m_strip);
    m_searchBar = new QWidget(m_strip);
    auto* searchLayout = new QHBoxLayout(m_searchBar);
    searchLayout->setContentsMargins(14, 8, 10, 8);
    m_searchField = new QLineEdit(m_searchBar);
    m_searchField->setPlaceholderText(tr("Search"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setAccessibleName(tr("Search"));
    m_searchField->installEventFilter(this);
    m_searchSaveButton = makeButton(m_searchBar, tr("Save Search"));
    searchLayout->addWidget(m_searchField, 1);
    searchLayout->addWidget(m_searchSaveButton);
    stripLayout->addWidget(m_weekDateView);
    stripLayout->addWidget(m_monthDateView);
    stripLayout->addWidget(m_searchBar);
    layout->addWidget(m_strip);
    connect(m_searchField, &QLineEdit::textChanged, this, [this] {
        m_searchSaveButton->setVisible(!m_searchField->text().isEmpty());
        if (m_currentViewMode == TaskViewMode::Search) {
            fetchData();
            reloadTable();
        }
    });
    connect(m_searchField, &QLineEdit::returnPressed, this, [this] { m_table->setFocus(); });
    connect(m_searchSaveButton, &QToolButton::clicked, this, &MidViewController::searchSaveButton);
    m_searchSaveButton->setVisible(false);

    m_unreadableFilesBar = new UnreadableFilesBar(manager.session(), modeManager, this);
    layout->addWidget(m_unreadableFilesBar);
    buildTable();
    layout->addWidget(m_table, 1);

    m_showingCompleted = m_manager.defaults().boolForKey(PrefKey::showCompleted);
    m_currentViewDictionary = ListEntry::dateView(ListKind::Day);
    resetAppearance();
    refreshView();
}

MidViewController::~MidViewController() = default;

QSize MidViewController::minimumSizeHint() const
{
    QSize hint = QWidget::minimumSizeHint();
    hint.setWidth(std::max(hint.width(), m_strip->layout()->minimumSize().width()));
    return hint;
}

void MidViewController::buildTopView()
{
    auto* top = new QWidget(this);
    top->setFixedHeight(kTopHeight);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(2);
    m_reopenButton = makeButton(top, tr("Show Lists"));
    m_leftButton = makeButton(top, tr("Previous"));
    m_rightButton = makeButton(top, tr("Next"));
    m_titleLabel = new ElidedLabel(top);
    m_titleLabel->setAccessibleName(tr("View"));
    m_showHideButton = makeButton(top, tr("Show or Hide Completed"));
    m_addButton = makeButton(top, tr("New Task"));
    m_addButton->setEnabled(false);
    row->addWidget(m_reopenButton);
    row->addWidget(m_leftButton);
    row->addWidget(m_rightButton);
    row->addSpacing(6);
    row->addWidget(m_titleLabel, 1);
    row->addWidget(m_showHideButton);
    row->addWidget(m_addButton);
    connect(m_leftButton, &QToolButton::clicked, this, &MidViewController::leftButtonTapped);
    connect(m_rightButton, &QToolButton::clicked, this, &MidViewController::rightButtonTapped);
    connect(m_showHideButton, &QToolButton::clicked, this,
            &MidViewController::showHideButtonTapped);
    connect(m_reopenButton, &QToolButton::clicked, this, [this] {
        if (m_delegate)
            m_delegate->toggleLeftView();
    });
    connect(m_addButton, &QToolButton::clicked, this, [this] {
        if (m_delegate)
            m_delegate->addNewTask();
    });
}

QList<QWidget*> MidViewController::keyboardChain() const
{
    return {m_reopenButton, m_leftButton,    m_rightButton, m_showHideButton,   m_addButton,
            m_weekDateView, m_monthDateView, m_searchField, m_searchSaveButton, m_table};
}

void MidViewController::setAddButtonEnabled(bool enabled)
{
    m_addButton->setEnabled(enabled);
}

void MidViewController::buildTable()
{
    m_table = new TaskTableView(this);
    m_table->setAccessibleName(tr("Task List"));
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setUniformItemSizes(false);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMinimumHeight(kMinimumTableHeight);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setMouseTracking(true);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_model = new TaskListModel(m_modeManager, m_manager.formatters(), m_manager.clock(),
                                m_manager.defaults(), this);
    m_rowDelegate = new TaskListDelegate(m_modeManager, m_table);
    m_table->setModel(m_model);
    m_table->setItemDelegate(m_rowDelegate);
    m_table->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);

    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_applyingSelection)
                    proposeSelection(current.isValid() ? current.row() : -1);
            });
    connect(m_table, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_model->kindAt(index.row()) == TaskListRows::Kind::Task ||
            m_model->kindAt(index.row()) == TaskListRows::Kind::Event)
            doubleClick();
    });
    connect(m_rowDelegate, &TaskListDelegate::checkButtonClicked, this,
            [this](const QModelIndex& index) { reminderChecked(index.row()); });

    m_quickActionsMenu = new QMenu(QuickActionMenu::kMenuName, this);
    m_quickActionsMenu->setObjectName(QuickActionMenu::kMenuName);
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex index = m_table->indexAt(position);
        menuNeedsUpdate(index.isValid() ? index.row() : -1);
        if (!m_quickActionsMenu->isEmpty())
            m_quickActionsMenu->popup(m_table->viewport()->mapToGlobal(position));
    });
}

// --- the view --------------------------------------------------------------------------------

void MidViewController::changeViewToDict(const ListEntry& dictionary)
{
    const TaskViewMode previous = m_currentViewMode;
    m_currentViewDictionary = dictionary;
    m_currentViewMode = modeForEntry(dictionary);
    // The keyboard does not stay in a strip that goes away (typing on into a search field
    // that is no longer there): it goes to the list.
    if (previous != m_currentViewMode && m_strip->isAncestorOf(QApplication::focusWidget()))
        m_table->setFocus(Qt::OtherFocusReason);
    showStripForMode();
    if (m_currentViewMode == TaskViewMode::Search) {
        m_searchField->clear();
        m_searchField->setFocus();
    }
    refreshView();
    // Another view starts at its top, where its overdue tasks are; a refresh of the same view
    // keeps its place.
    m_table->scrollToTop();
}

int MidViewController::stripHeight() const
{
    return stripHeightForMode(m_currentViewMode);
}

void MidViewController::showStripForMode()
{
    auto* stack = static_cast<QStackedLayout*>(m_strip->layout());
    switch (m_currentViewMode) {
    case TaskViewMode::Week:
        stack->setCurrentWidget(m_weekDateView);
        break;
    case TaskViewMode::Month:
        stack->setCurrentWidget(m_monthDateView);
        break;
    case TaskViewMode::Search:
        stack->setCurrentWidget(m_searchBar);
        break;
    default:
        break;
    }
    const int target = stripHeight();
    if (m_stripAnimation)
        m_stripAnimation->stop();
    // A folded strip is hidden rather than squeezed to nothing, so that neither the keyboard
    // nor a screen reader finds its days and its search field.
    const int from = m_strip->isHidden() ? 0 : m_strip->height();
    if (!isVisible() || from == target) {
        m_strip->setFixedHeight(target);
        m_strip->setVisible(target > 0);
        return;
    }
    m_strip->setFixedHeight(from);
    m_strip->show();
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(from);
    animation->setEndValue(target);
    animation->setDuration(180);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { m_strip->setFixedHeight(value.toInt()); });
    connect(animation, &QVariantAnimation::finished, this,
            [this, target] { m_strip->setVisible(target > 0); });
    m_stripAnimation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

QString MidViewController::title() const
{
    return m_title;
}

bool MidViewController::isNavigationEnabled() const
{
    return m_navigationEnabled;
}

bool MidViewController::isShowHideButtonVisible() const
{
    return m_showHideVisible;
}

void MidViewController::refreshTopView()
{
    const TaskListAssembly::TopView top =
        m_assembly->refreshTopView(m_currentViewMode, m_currentViewDictionary, m_currentDate);
    m_currentDate = top.currentDate;
    if (top.title)
        m_title = *top.title;
    m_titleLabel->setFullText(m_title);
    m_navigationEnabled = top.navigationEnabled;
    m_showHideVisible = top.showHideVisible;
    m_leftButton->setEnabled(m_navigationEnabled);
    m_rightButton->setEnabled(m_navigationEnabled);
    m_showHideButton->setVisible(m_showHideVisible);
    if (m_currentViewMode == TaskViewMode::Week)
        m_weekDateView->reloadDaysWithDate(m_currentDate);
    else if (m_currentViewMode == TaskViewMode::Month)
        m_monthDateView->reloadDaysWithDate(m_currentDate);
}

void MidViewController::fetchData()
{
    TaskListAssembly::Content content =
        m_assembly->fetchData(m_currentViewMode, m_currentViewDictionary, m_currentDate,
                              m_showingCompleted, m_searchField->text());
    m_remindersArray = std::move(content.reminders);
    m_calendarEventsArray = std::move(content.events);
}

void MidViewController::reloadTable()
{
    m_model->setCurrentDate(m_currentDate);
    m_model->setContent(m_remindersArray, calendarEventsArray());
    m_model->setWidth(m_table->viewport()->width());
}

void MidViewController::refreshView()
{
    // A refresh keeps the list where the user scrolled it, even away from the selected row.
    const int scrolled = m_table->verticalScrollBar()->value();
    refreshTopView();
    fetchData();
    m_applyingSelection = true;
    reloadTable();
    m_applyingSelection = false;
    if (m_currentViewMode == TaskViewMode::Week || m_currentViewMode == TaskViewMode::Month)
        resetCalendarDots();
    restoreSelection();
    // The new rows are laid out now, not at the next paint, so that the scroll range is known.
    m_table->doItemsLayout();
    m_table->verticalScrollBar()->setValue(scrolled);
}

void MidViewController::resetCalendarDots()
{
    const CalendarDots dots = m_assembly->calendarDots(m_currentViewMode, m_currentDate,
                                                       m_remindersArray, calendarEventsArray());
    if (m_currentViewMode == TaskViewMode::Week) {
        m_weekDateView->refreshDays();
        m_weekDateView->addCalendarDots(dots);
    } else {
        m_monthDateView->refreshDays();
        m_monthDateView->addCalendarDots(dots);
    }
}

// --- buttons and keys ------------------------------------------------------------------------

void MidViewController::moveByPeriod(int step)
{
    const QDateTime moved =
        m_assembly->periodMovedDate(m_currentViewMode, m_manager.dates().selectedDate(), step);
    if (moved.isValid())
        m_manager.dates().setSelectedDate(moved);
}

void MidViewController::leftButtonTapped()
{
    moveByPeriod(-1);
}

void MidViewController::rightButtonTapped()
{
    moveByPeriod(1);
}

void MidViewController::keyLeftTapped()
{
    if (m_leftButton->isEnabled())
        leftButtonTapped();
}

void MidViewController::keyRightTapped()
{
    if (m_rightButton->isEnabled())
        rightButtonTapped();
}

void MidViewController::updateShowHideButton()
{
    m_showHideButton->setIcon(TintedIcon::icon(m_showingCompleted ? QStringLiteral("ButtonTopHide")
                                                                  : QStringLiteral("ButtonTopShow"),
                                               m_modeManager.iconColor()));
    m_showHideButton->setToolTip(m_showingCompleted ? tr("Hide Completed") : tr("Show Completed"));
}

void MidViewController::showHideButtonTapped()
{
    m_showingCompleted = !m_showingCompleted;
    updateShowHideButton();
    UserDefaults& defaults = m_manager.defaults();
    defaults.setBool(m_showingCompleted, PrefKey::showCompleted);
    defaults.synchronize();
    refreshView();
}

void MidViewController::doubleClick()
{
    if (m_delegate)
        m_delegate->toggleRightView();
}

bool MidViewController::canDelete() const
{
    return selectedRow() >= 0;
}

void MidViewController::deleteSelected()
{
    QString reason;
    if (m_selectedReminder && !m_manager.tasks().deleteReminder(m_selectedReminder, &reason) &&
        m_delegate)
        m_delegate->changeFailed(tr("The task could not be deleted"), reason);
}

void MidViewController::setSearchText(const QString& text)
{
    m_searchField->setText(text);
}

QString MidViewController::searchText() const
{
    return m_searchField->text();
}

void MidViewController::selectFirstResult()
{
    const TaskListRows& rows = m_model->rows();
    const int row = rows.reminderCount() > 0 ? rows.rowForReminder(0)
                    : rows.eventCount() > 0  ? rows.rowForEvent(0)
                                             : -1;
    if (row < 0)
        return;
    selectRow(row);
    proposeSelection(row);
    m_table->setFocus(Qt::OtherFocusReason);
}

bool MidViewController::isSearchSaveButtonVisible() const
{
    return !m_searchSaveButton->isHidden();
}

void MidViewController::searchSaveButton()
{
    const QString text = m_searchField->text();
    if (text.isEmpty())
        return;
    SmartLists::addSmartListType(m_manager.defaults(), ListKind::SavedSearch, text, {}, {});
    if (m_delegate)
        m_delegate->refreshLeftTableView();
}

void MidViewController::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        keyLeftTapped();
        return;
    case Qt::Key_Right:
        keyRightTapped();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_delegate)
            m_delegate->editSelectedReminder();
        return;
    case Qt::Key_Space: {
        const int row = selectedRow();
        if (m_selectedReminder && row >= 0 && isRowOnScreen(row))
            reminderChecked(row);
        return;
    }
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        deleteSelected();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool MidViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_searchField && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
        !(static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier)) {
        selectFirstResult();
        return true;
    }
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
            case Qt::Key_Delete:
            case Qt::Key_Backspace:
                keyPressEvent(key);
                return true;
            default:
                break;
            }
        }
    }
    // A list without a current row that gets the keyboard has the view put its cursor on the
    // first row; that would count as choosing the task, unselected on screen, and the first
    // Down would then skip it. Marking "no current row" as chosen stops that.
    if (watched == m_table && event->type() == QEvent::FocusIn &&
        !m_table->currentIndex().isValid()) {
        m_applyingSelection = true;
        m_table->setCurrentIndex(QModelIndex());
        m_applyingSelection = false;
    }
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        m_model->setWidth(m_table->viewport()->width());
    return QWidget::eventFilter(watched, event);
}

// --- appearance ------------------------------------------------------------------------------

void MidViewController::setReopenButtonHidden(bool hidden)
{
    m_reopenButton->setHidden(hidden);
}

bool MidViewController::isReopenButtonHidden() const
{
    return m_reopenButton->isHidden();
}

void MidViewController::resetAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.backgroundColor());
    palette.setColor(QPalette::Base, m_modeManager.backgroundColor());
    palette.setColor(QPalette::Text, m_modeManager.menuTextColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    setPalette(palette);
    m_table->setPalette(palette);
    QPalette titlePalette = palette;
    titlePalette.setColor(QPalette::WindowText, m_modeManager.subTextColor());
    m_titleLabel->setPalette(titlePalette);
    m_titleLabel->setFont(m_modeManager.fontWithSize(14));
    const QColor icon = m_modeManager.iconColor();
    m_reopenButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonSidebar"), icon));
    m_leftButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonLeft"), icon));
    m_rightButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonRight"), icon));
    m_addButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonAdd"), icon));
    m_searchSaveButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonSave"), icon));
    m_unreadableFilesBar->resetAppearance();
    updateShowHideButton();
    m_weekDateView->resetAppearance();
    m_monthDateView->resetAppearance();
    m_model->refreshAppearance();
    m_table->viewport()->update();
}

void MidViewController::setupVisualEffectStateActiveAlways(bool always)
{
    Q_UNUSED(always)
    // Qt panes do not dim when the window loses focus; nothing changes with the pin.
}

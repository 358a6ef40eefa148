#include "ui/main/MidViewController.h"

#include "data/DataManager.h"
#include "data/QuickActionMenu.h"
#include "prefs/ModeManager.h"
#include "presentation/tasklist/SubtaskFolding.h"
#include "ui/common/ElidedLabel.h"
#include "ui/common/Motion.h"
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
constexpr int kStripSlideMs = 180;

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
    , m_presenter(std::make_unique<TaskListPresenter>(manager))
    , m_folding(std::make_unique<SubtaskFolding>(manager.subtasks(), *m_presenter))
{
    setAccessibleName(tr("Tasks"));
    setAutoFillBackground(true);

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
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_searchSaveButton->setVisible(!text.isEmpty());
        m_presenter->setSearchText(text);
    });
    connect(m_searchField, &QLineEdit::returnPressed, this, [this] { m_table->setFocus(); });
    connect(m_searchSaveButton, &QToolButton::clicked, m_presenter.get(),
            &TaskListPresenter::saveSearch);
    m_searchSaveButton->setVisible(false);

    m_unreadableFilesBar = new UnreadableFilesBar(manager.session(), modeManager, this);
    layout->addWidget(m_unreadableFilesBar);
    buildTable();
    layout->addWidget(m_table, 1);

    connectPresenter();
    resetAppearance();
    refreshView();
}

void MidViewController::connectPresenter()
{
    TaskListPresenter* presenter = m_presenter.get();
    // A refresh keeps the list where the user scrolled it, even away from the selected row.
    connect(presenter, &TaskListPresenter::aboutToRefresh, this, [this] {
        m_refreshing = true;
        m_scrolled = m_table->verticalScrollBar()->value();
    });
    connect(presenter, &TaskListPresenter::refreshed, this, [this] {
        m_refreshing = false;
        // The new rows are laid out now, not at the next paint, so that the scroll range is
        // known.
        m_table->doItemsLayout();
        m_table->verticalScrollBar()->setValue(m_scrolled);
    });
    connect(presenter, &TaskListPresenter::viewChanged, this, &MidViewController::showTopView);
    connect(presenter, &TaskListPresenter::contentChanged, this, [this] {
        m_applyingSelection = m_refreshing;
        reloadTable();
        m_applyingSelection = false;
        const TaskViewMode mode = m_presenter->view().mode;
        if (m_refreshing && (mode == TaskViewMode::Week || mode == TaskViewMode::Month))
            resetCalendarDots();
    });
    connect(presenter, &TaskListPresenter::rowSelected, this, &MidViewController::selectRow);
    connect(presenter, &TaskListPresenter::reminderSelected, this,
            [this](const store::ReminderPtr& reminder) {
                if (m_delegate)
                    m_delegate->selectedRowChangedWithReminder(reminder);
            });
    connect(presenter, &TaskListPresenter::eventSelected, this,
            [this](const store::EventPtr& event) {
                if (m_delegate)
                    m_delegate->selectedRowChangedWithEvent(event);
            });
    connect(presenter, &TaskListPresenter::changeFailed, this,
            [this](const QString& title, const QString& reason) {
                if (m_delegate)
                    m_delegate->changeFailed(title, reason);
            });
    connect(m_folding.get(), &SubtaskFolding::changeFailed, this,
            [this](const QString& title, const QString& reason) {
                if (m_delegate)
                    m_delegate->changeFailed(title, reason);
            });
    connect(presenter, &TaskListPresenter::searchSaved, this, [this] {
        if (m_delegate)
            m_delegate->refreshLeftTableView();
    });
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
    connect(m_leftButton, &QToolButton::clicked, this, [this] { m_presenter->movePeriod(-1); });
    connect(m_rightButton, &QToolButton::clicked, this, [this] { m_presenter->movePeriod(1); });
    connect(m_showHideButton, &QToolButton::clicked, this, [this] {
        m_presenter->toggleShowCompleted();
        updateShowHideButton();
    });
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
    m_table->setTaskActions(this);
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
    acceptTaskDrops();

    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_applyingSelection)
                    m_presenter->proposeSelection(current.isValid() ? current.row() : -1);
            });
    connect(m_table, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_model->kindAt(index.row()) == TaskListRows::Kind::Task ||
            m_model->kindAt(index.row()) == TaskListRows::Kind::Event) {
            if (m_delegate)
                m_delegate->toggleRightView();
        }
    });
    connect(m_rowDelegate, &TaskListDelegate::checkButtonClicked, this,
            [this](const QModelIndex& index) { reminderChecked(index.row()); });
    connect(m_rowDelegate, &TaskListDelegate::foldClicked, this, [this](const QModelIndex& index) {
        setRowFolded(index.row(), m_model->nestingAt(index.row()).fold == RowNesting::Fold::Open);
    });

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
    const TaskViewMode previous = m_presenter->view().mode;
    const TaskViewMode mode = modeForEntry(dictionary);
    // The keyboard does not stay in a strip that goes away (typing on into a search field
    // that is no longer there): it goes to the list.
    if (previous != mode && m_strip->isAncestorOf(QApplication::focusWidget()))
        m_table->setFocus(Qt::OtherFocusReason);
    showStripForMode(mode);
    if (mode == TaskViewMode::Search) {
        const QSignalBlocker typing(m_searchField);
        m_searchField->clear();
        m_searchSaveButton->setVisible(false);
        m_searchField->setFocus();
    }
    m_presenter->showEntry(dictionary);
    // Another view starts at its top, where its overdue tasks are; a refresh of the same view
    // keeps its place.
    m_table->scrollToTop();
}

int MidViewController::stripHeight() const
{
    return stripHeightForMode(m_presenter->view().mode);
}

void MidViewController::showStripForMode(TaskViewMode mode)
{
    auto* stack = static_cast<QStackedLayout*>(m_strip->layout());
    switch (mode) {
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
    const int target = stripHeightForMode(mode);
    if (m_stripAnimation)
        m_stripAnimation->stop();
    // A folded strip is hidden rather than squeezed to nothing, so that neither the keyboard
    // nor a screen reader finds its days and its search field.
    const int from = m_strip->isHidden() ? 0 : m_strip->height();
    const int duration = Motion::duration(kStripSlideMs);
    if (!isVisible() || from == target || duration == 0) {
        m_strip->setFixedHeight(target);
        m_strip->setVisible(target > 0);
        return;
    }
    m_strip->setFixedHeight(from);
    m_strip->show();
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(from);
    animation->setEndValue(target);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { m_strip->setFixedHeight(value.toInt()); });
    connect(animation, &QVariantAnimation::finished, this,
            [this, target] { m_strip->setVisible(target > 0); });
    m_stripAnimation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void MidViewController::showTopView()
{
    const TaskListPresenter::View& view = m_presenter->view();
    m_titleLabel->setFullText(view.title);
    m_leftButton->setEnabled(view.navigationEnabled);
    m_rightButton->setEnabled(view.navigationEnabled);
    m_showHideButton->setVisible(view.showHideVisible);
    if (view.mode == TaskViewMode::Week)
        m_weekDateView->reloadDaysWithDate(view.currentDate);
    else if (view.mode == TaskViewMode::Month)
        m_monthDateView->reloadDaysWithDate(view.currentDate);
}

void MidViewController::reloadTable()
{
    m_model->setCurrentDate(m_presenter->view().currentDate);
    m_model->setContent(m_presenter->remindersArray(), m_presenter->calendarEventsArray(),
                        m_presenter->nesting());
    m_model->setWidth(m_table->viewport()->width());
}

void MidViewController::refreshView()
{
    m_presenter->refresh();
}

void MidViewController::resetCalendarDots()
{
    const CalendarDots dots = m_presenter->calendarDots();
    if (m_presenter->view().mode == TaskViewMode::Week) {
        m_weekDateView->refreshDays();
        m_weekDateView->addCalendarDots(dots);
    } else {
        m_monthDateView->refreshDays();
        m_monthDateView->addCalendarDots(dots);
    }
}

// --- buttons and keys ------------------------------------------------------------------------

void MidViewController::updateShowHideButton()
{
    const bool showing = m_presenter->view().showingCompleted;
    m_showHideButton->setIcon(TintedIcon::icon(showing ? QStringLiteral("ButtonTopHide")
                                                       : QStringLiteral("ButtonTopShow"),
                                               m_modeManager.iconColor()));
    m_showHideButton->setToolTip(showing ? tr("Hide Completed") : tr("Show Completed"));
}

bool MidViewController::canDelete() const
{
    return selectedRow() >= 0;
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
    const int row = m_presenter->firstResultRow();
    if (row < 0)
        return;
    selectRow(row);
    m_presenter->proposeSelection(row);
    m_table->setFocus(Qt::OtherFocusReason);
}

bool MidViewController::isSearchSaveButtonVisible() const
{
    return !m_searchSaveButton->isHidden();
}

void MidViewController::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    // Where a task has subtasks (or a parent) the keys walk the tree, elsewhere the periods.
    case Qt::Key_Left:
        if (!m_folding->collapseSelected())
            m_presenter->movePeriod(-1);
        return;
    case Qt::Key_Right:
        if (!m_folding->expandSelected())
            m_presenter->movePeriod(1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_delegate)
            m_delegate->editSelectedReminder();
        return;
    case Qt::Key_Space: {
        const int row = selectedRow();
        if (m_presenter->selectedReminder() && row >= 0 && isRowOnScreen(row))
            reminderChecked(row);
        return;
    }
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        m_presenter->deleteSelected();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MidViewController::setRowFolded(int row, bool folded)
{
    m_folding->setFolded(row, folded);
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

#include "ui/main/sidebar/LeftViewController.h"

#include "data/DataManager.h"
#include "data/ListTitles.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/TaskLists.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/sidebar/SidebarDelegate.h"
#include "ui/main/sidebar/SidebarModel.h"
#include "ui/main/sidebar/SidebarTableView.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kBottomBarHeight = 30;
const QSize kButtonIconSize(18, 18);

QToolButton* makeToolButton(const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setIconSize(kButtonIconSize);
    return button;
}

} // namespace

LeftViewController::LeftViewController(DataManager& manager, ModeManager& modeManager,
                                       QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_presenter(manager)
    , m_model(new SidebarModel(m_presenter, manager, this))
    , m_rowDelegate(new SidebarDelegate(modeManager, this))
    , m_table(new SidebarTableView(this))
    , m_topArea(new QWidget(this))
    , m_bottomBar(new QWidget(this))
    , m_addButton(makeToolButton(tr("Add List"), m_bottomBar))
    , m_pinButton(makeToolButton(tr("Keep Window on Top"), m_bottomBar))
    , m_todayButton(makeToolButton(tr("Today"), m_bottomBar))
    , m_addMenu(new QMenu(tr("Add"), this))
    , m_contextMenu(new QMenu(this))
{
    m_presenter.confirmDeletion = [this](std::function<void(bool)> answer) {
        confirmWithMessageBox(std::move(answer));
    };
    isFullScreen = [this] { return window()->isFullScreen(); };
    applyWindowLevel = [this](bool floating) {
        QWidget* frame = window();
        const bool visible = frame->isVisible();
        frame->setWindowFlag(Qt::WindowStaysOnTopHint, floating);
        if (visible)
            frame->show();
    };

    setAccessibleName(tr("Lists"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(m_rowDelegate);
    m_table->setAccessibleName(tr("Lists"));
    m_topArea->setFixedHeight(kTopInset);
    m_bottomBar->setFixedHeight(kBottomBarHeight);
    m_contextMenu->setObjectName(QStringLiteral("ListActions"));
    m_todayButton->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto* bar = new QHBoxLayout(m_bottomBar);
    bar->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_addButton);
    bar->addStretch(1);
    bar->addWidget(m_pinButton);
    bar->addWidget(m_todayButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_topArea);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_bottomBar);

    m_addMenu->addAction(tr("Add New &List"), this, &LeftViewController::openAddListWindow);
    m_addMenu->addAction(tr("Add New &Tag List"), this, &LeftViewController::openAddTagListWindow);
    m_addMenu->addAction(tr("Add New &Merged List"), this,
                         &LeftViewController::openAddMergedListWindow);

    connect(m_addButton, &QToolButton::clicked, this,
            [this] { m_addMenu->popup(m_addButton->mapToGlobal(QPoint(0, 0))); });
    connect(m_pinButton, &QToolButton::clicked, this, &LeftViewController::pinButtonAction);
    connect(m_todayButton, &QToolButton::clicked, &m_presenter, &SidebarPresenter::goToToday);
    connect(&m_presenter, &SidebarPresenter::selectedRowChanged, this,
            &LeftViewController::showSelectedRow);
    connect(&m_presenter, &SidebarPresenter::entrySelected, this, [this](const ListEntry& entry) {
        m_table->scrollTo(m_model->index(m_presenter.selectedRow()));
        if (m_delegate)
            m_delegate->selectedRowChangedWithDictionary(entry);
    });
    connect(&m_presenter, &SidebarPresenter::listsReloaded, this,
            &LeftViewController::listsReloaded);
    connect(&m_presenter, &SidebarPresenter::shownListsChanged, this, [this] {
        if (m_shell)
            m_shell->panelRefreshOnListChange();
    });
    connect(&m_presenter, &SidebarPresenter::deletionFailed, this,
            &LeftViewController::showDeletionFailure);
    connect(&m_presenter, &SidebarPresenter::pinChanged, this, &LeftViewController::applyPin);
    connect(&m_manager.counts(), &SidebarCounts::countsRefreshed, this,
            &LeftViewController::refreshView);
    connect(&m_manager.dates(), &SharedDates::selectedDateChanged, m_model,
            &SidebarModel::refreshDateTitles);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LeftViewController::onSelectionChanged);
    connect(m_table, &SidebarTableView::keyLeftTapped, this, [this] {
        if (m_delegate)
            m_delegate->keyLeftTapped();
    });
    connect(m_table, &SidebarTableView::keyRightTapped, this, [this] {
        if (m_delegate)
            m_delegate->keyRightTapped();
    });
    connect(m_table, &SidebarTableView::deleteKeyPressed, this,
            &LeftViewController::deleteSelected);
    connect(m_table, &SidebarTableView::contextMenuRequested, this,
            &LeftViewController::showContextMenu);

    resetAppearance();
    showSelectedRow(m_presenter.selectedRow());
    setupTodayTextField();
}

LeftViewController::~LeftViewController()
{
    delete m_addListWindow.data();
    delete m_addTagListWindow.data();
    delete m_addMergedListWindow.data();
}

// --- Rows --------------------------------------------------------------------------------

QListView* LeftViewController::tableView() const
{
    return m_table;
}

int LeftViewController::preferredWidth() const
{
    const QFont titleFont = m_modeManager.fontWithSize(SidebarDelegate::kTitlePointSize);
    const QFont countFont = m_modeManager.fontWithSize(SidebarDelegate::kCountPointSize);
    QStringList titles;
    for (qint64 kind = qint64(ListKind::AllTasks); kind <= qint64(ListKind::LowPriorityTasks);
         ++kind)
        titles << ListTitles::presetListTitle(ListKind(kind));
    // The date rows name the selected day, week and month; the longest of each, whatever is
    // selected now: a Wednesday in September, week 52.
    const QDateTime wide(QDate(2026, 9, 30), QTime(12, 0));
    const DateFormatters& formatters = m_manager.formatters();
    titles << formatters.weekdayFormatter().stringFromDate(wide) + QStringLiteral(", ") +
                  formatters.fullDayFormatterShort().stringFromDate(wide) +
                  QStringLiteral("\u00a0\u00a0●")
           << formatters.monthFormatter().stringFromDate(wide)
           << m_manager.dates().selectedDateWeekString() + QStringLiteral("9");
    int widest = 0;
    for (const QString& title : titles)
        widest = qMax(widest, SidebarDelegate::widthForRow(titleFont, countFont, title));
    return widest + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_table);
}

void LeftViewController::refreshView()
{
    m_model->refreshCounts();
    m_model->refreshDateTitles();
    showSelectedRow(m_presenter.selectedRow());
}

// --- Selection ---------------------------------------------------------------------------

void LeftViewController::showSelectedRow(int row)
{
    const QModelIndex index = m_model->index(row);
    const bool wasUpdating = m_updatingSelection;
    m_updatingSelection = true;
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_updatingSelection = wasUpdating;
}

void LeftViewController::onSelectionChanged()
{
    if (m_updatingSelection)
        return;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    m_presenter.proposeSelection(rows.isEmpty() ? -1 : rows.first().row());
}

QList<QWidget*> LeftViewController::keyboardChain() const
{
    return {m_table, m_addButton, m_pinButton, m_todayButton};
}

// --- Buttons -----------------------------------------------------------------------------

void LeftViewController::setupTodayTextField()
{
    m_todayButton->setText(
        m_manager.formatters().dayNumberFormatter().stringFromDate(m_manager.dates().today()));
}

void LeftViewController::pinButtonAction()
{
    Sound::soundEffect(Sound::General);
    if (isFullScreen && isFullScreen())
        return;
    m_presenter.setPinned(!m_presenter.isPinned());
}

void LeftViewController::setupPinSettings()
{
    applyPin(m_presenter.isPinned());
}

void LeftViewController::applyPin(bool on)
{
    m_pinButton->setIcon(
        TintedIcon::icon(on ? QStringLiteral("ButtonPinOn") : QStringLiteral("ButtonPin"),
                         m_modeManager.iconColor()));
    m_pinButton->setChecked(on);
    if (applyWindowLevel)
        applyWindowLevel(on);
    if (m_delegate)
        m_delegate->pinButtonOn(on);
}

// --- Context menu ------------------------------------------------------------------------

void LeftViewController::showContextMenu(int row, const QPoint& globalPos)
{
    // A divider or the space below the rows stands for no list: nothing to share or change.
    if (m_presenter.actionsForRow(row).isEmpty())
        return;
    contextMenuForRow(row)->popup(globalPos);
}

QMenu* LeftViewController::contextMenuForRow(int row)
{
    m_clickedRow = row;
    m_contextMenu->clear();
    for (SidebarLayout::Action action : m_presenter.actionsForRow(row)) {
        switch (action) {
        case SidebarLayout::Action::Share:
            m_contextMenu->addAction(tr("&Share List"), this, [this] { shareList(m_clickedRow); });
            break;
        case SidebarLayout::Action::Edit:
            m_contextMenu->addAction(tr("&Edit"), this, [this] { editList(m_clickedRow); });
            break;
        case SidebarLayout::Action::Delete:
            m_contextMenu->addAction(tr("&Delete"), this,
                                     [this] { m_presenter.deleteRow(m_clickedRow); });
            break;
        }
    }
    return m_contextMenu;
}

// --- Appearance --------------------------------------------------------------------------

void LeftViewController::resetAppearance()
{
    // The pane paints its own background so the top and bottom bars follow night mode too.
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.listBackgroundColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    palette.setColor(QPalette::ButtonText, m_modeManager.menuTextColor());
    setAutoFillBackground(true);
    setPalette(palette);
    QPalette tablePalette = palette;
    tablePalette.setColor(QPalette::Base, m_modeManager.listBackgroundColor());
    m_table->setPalette(tablePalette);
    const QColor icon = m_modeManager.iconColor();
    m_addButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonAdd"), icon));
    m_pinButton->setIcon(TintedIcon::icon(m_presenter.isPinned() ? QStringLiteral("ButtonPinOn")
                                                                 : QStringLiteral("ButtonPin"),
                                          icon));
    m_todayButton->setFont(m_modeManager.fontWithSize(SidebarDelegate::kCountPointSize));
    m_table->viewport()->update();
}

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
    , m_model(new SidebarModel(manager, this))
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
    confirmDeletion = [this](std::function<void(bool)> answer) {
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

    m_addMenu->addAction(tr("Add New List"), this, &LeftViewController::openAddListWindow);
    m_addMenu->addAction(tr("Add New Tag List"), this, &LeftViewController::openAddTagListWindow);
    m_addMenu->addAction(tr("Add New Merged List"), this,
                         &LeftViewController::openAddMergedListWindow);

    connect(m_addButton, &QToolButton::clicked, this, &LeftViewController::addButtonAction);
    connect(m_pinButton, &QToolButton::clicked, this, &LeftViewController::pinButtonAction);
    connect(m_todayButton, &QToolButton::clicked, this, &LeftViewController::todayButtonAction);
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
    loadLists();
    setSelectedRowSilently(0);
    setupTodayTextField();
}

LeftViewController::~LeftViewController()
{
    delete m_addListWindow.data();
    delete m_addTagListWindow.data();
    delete m_addMergedListWindow.data();
}

// --- Rows --------------------------------------------------------------------------------

const SidebarLayout& LeftViewController::layout() const
{
    return m_model->layout();
}

const QList<ListEntry>& LeftViewController::presetListsArray() const
{
    return layout().presetListsArray();
}

const QList<ListEntry>& LeftViewController::tagListsArray() const
{
    return layout().tagListsArray();
}

const QList<ListEntry>& LeftViewController::defaultListsArray() const
{
    return layout().defaultListsArray();
}

int LeftViewController::rowCount() const
{
    return layout().rowCount();
}

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

ListEntry LeftViewController::dictForRow(int row) const
{
    return layout().dictForRow(row);
}

void LeftViewController::loadLists()
{
    m_model->loadLists();
    int row = qBound(0, m_selectedRow, rowCount() - 1);
    if (layout().isDivider(row))
        --row;
    setSelectedRowSilently(row);
    Q_EMIT listsReloaded();
}

void LeftViewController::refreshView()
{
    m_model->refreshCounts();
    m_model->refreshDateTitles();
    setSelectedRowSilently(m_selectedRow);
}

void LeftViewController::reloadDataFromPreference()
{
    loadLists();
    m_selectedRow = 0;
    refreshAfterSelection();
    m_manager.counts().refreshCounts();
}

void LeftViewController::reloadDataFromSearch()
{
    loadLists();
    m_selectedRow = layout().searchRow();
    refreshAfterSelection();
    m_manager.counts().refreshCounts();
}

void LeftViewController::reloadKeepingSelection()
{
    const ListEntry shown = dictForRow(m_selectedRow);
    m_model->loadLists();
    const int row = layout().rowForEntry(shown);
    if (row >= 0) {
        setSelectedRowSilently(row);
    } else {
        m_selectedRow = 0;
        setSelectedRowSilently(0);
        sendSelection();
    }
    Q_EMIT listsReloaded();
    m_manager.counts().refreshCounts();
}

void LeftViewController::reloadDataFromDelete()
{
    // loadLists moves a selection that landed on a divider to the row above.
    loadLists();
    m_manager.counts().refreshCounts();
}

// --- Selection ---------------------------------------------------------------------------

void LeftViewController::setSelectedRowSilently(int row)
{
    m_selectedRow = row;
    const QModelIndex index = m_model->index(row);
    const bool wasUpdating = m_updatingSelection;
    m_updatingSelection = true;
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_updatingSelection = wasUpdating;
}

void LeftViewController::sendSelection()
{
    if (m_delegate)
        m_delegate->selectedRowChangedWithDictionary(dictForRow(m_selectedRow));
}

void LeftViewController::refreshAfterSelection()
{
    setSelectedRowSilently(m_selectedRow);
    m_table->scrollTo(m_model->index(m_selectedRow));
    sendSelection();
}

void LeftViewController::onSelectionChanged()
{
    if (m_updatingSelection)
        return;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    const int proposed = rows.isEmpty() ? -1 : rows.first().row();
    const int accepted = layout().acceptedSelection(proposed, m_selectedRow);
    if (accepted != proposed) {
        setSelectedRowSilently(m_selectedRow);
        return;
    }
    m_selectedRow = accepted;
    sendSelection();
}

void LeftViewController::selectDayView()
{
    m_selectedRow = 0;
    refreshAfterSelection();
}

void LeftViewController::selectWeekView()
{
    m_selectedRow = 1;
    refreshAfterSelection();
}

void LeftViewController::selectMonthView()
{
    m_selectedRow = 2;
    refreshAfterSelection();
}

void LeftViewController::selectPresetList(int n)
{
    if (n < 1 || n > presetListsArray().size())
        return;
    m_selectedRow = layout().rowForPresetList(n);
    refreshAfterSelection();
}

void LeftViewController::selectSmartList(int n)
{
    if (n < 1 || n > tagListsArray().size())
        return;
    m_selectedRow = layout().rowForSmartList(n);
    refreshAfterSelection();
}

void LeftViewController::selectList(int n)
{
    if (n < 1 || n > defaultListsArray().size())
        return;
    m_selectedRow = layout().rowForList(n);
    refreshAfterSelection();
}

void LeftViewController::selectSearchView()
{
    m_selectedRow = layout().searchRow();
    refreshAfterSelection();
}

void LeftViewController::selectListWithCalendarIdentifier(const QString& identifier)
{
    const int row = layout().rowForListIdentifier(identifier);
    if (row < 0)
        return;
    m_selectedRow = row;
    refreshAfterSelection();
}

store::CalendarPtr LeftViewController::selectedList() const
{
    const ListEntry entry = dictForRow(m_selectedRow);
    switch (entry.kind()) {
    case ListKind::UserList:
        return m_manager.lists().calendarByUUID(entry.identifier());
    case ListKind::MergedList: {
        const QStringList lists = entry.lists();
        return lists.isEmpty() ? nullptr : m_manager.lists().calendarByUUID(lists.first());
    }
    default:
        return nullptr;
    }
}

QString LeftViewController::selectedTag() const
{
    const ListEntry entry = dictForRow(m_selectedRow);
    switch (entry.kind()) {
    case ListKind::TagList:
        return QStringLiteral("#%1").arg(entry.tag());
    case ListKind::SavedSearch:
        return entry.tag();
    default:
        return QString();
    }
}

std::optional<int> LeftViewController::selectedPriority() const
{
    // The priority class (1 high, 2 medium, 3 low) of a priority preset.
    switch (dictForRow(m_selectedRow).kind()) {
    case ListKind::HighPriorityTasks:
        return 1;
    case ListKind::MediumPriorityTasks:
        return 2;
    case ListKind::LowPriorityTasks:
        return 3;
    default:
        return std::nullopt;
    }
}

QList<QWidget*> LeftViewController::keyboardChain() const
{
    return {m_table, m_addButton, m_pinButton, m_todayButton};
}

// --- Buttons -----------------------------------------------------------------------------

void LeftViewController::todayButtonAction()
{
    m_manager.dates().setSelectedDate(m_manager.dates().today());
}

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
    UserDefaults& defaults = m_manager.defaults();
    const bool on = !defaults.boolForKey(PrefKey::alwaysOnTop);
    defaults.setBool(on, PrefKey::alwaysOnTop);
    defaults.synchronize();
    applyPin(on);
}

void LeftViewController::setupPinSettings()
{
    applyPin(m_manager.defaults().boolForKey(PrefKey::alwaysOnTop));
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

void LeftViewController::addButtonAction()
{
    m_addMenu->popup(m_addButton->mapToGlobal(QPoint(0, 0)));
}

// --- Context menu ------------------------------------------------------------------------

void LeftViewController::showContextMenu(int row, const QPoint& globalPos)
{
    // A divider or the space below the rows stands for no list: nothing to share or change.
    if (dictForRow(row).isEmpty())
        return;
    m_clickedRow = row;
    menuNeedsUpdate();
    m_contextMenu->popup(globalPos);
}

void LeftViewController::menuNeedsUpdate()
{
    m_contextMenu->clear();
    const ListEntry entry = dictForRow(m_clickedRow);
    if (entry.isEmpty())
        return;
    bool listIsMutable = false;
    if (entry.is(ListKind::UserList)) {
        const store::CalendarPtr list = m_manager.lists().calendarByUUID(entry.identifier());
        listIsMutable = list && list->allowsContentModifications();
    }
    for (SidebarLayout::Action action : layout().actionsForRow(m_clickedRow, listIsMutable)) {
        switch (action) {
        case SidebarLayout::Action::Share:
            m_contextMenu->addAction(tr("Share List"), this, &LeftViewController::shareList);
            break;
        case SidebarLayout::Action::Edit:
            m_contextMenu->addAction(tr("Edit"), this, &LeftViewController::editList);
            break;
        case SidebarLayout::Action::Delete:
            m_contextMenu->addAction(tr("Delete"), this, &LeftViewController::deleteList);
            break;
        }
    }
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
    m_pinButton->setIcon(TintedIcon::icon(m_manager.defaults().boolForKey(PrefKey::alwaysOnTop)
                                              ? QStringLiteral("ButtonPinOn")
                                              : QStringLiteral("ButtonPin"),
                                          icon));
    m_todayButton->setFont(m_modeManager.fontWithSize(SidebarDelegate::kCountPointSize));
    m_table->viewport()->update();
}

#include "ui/prefs/ListsPage.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/RecentlyDeletedPolicy.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/prefs/ListRowsModel.h"
#include "ui/prefs/PageLayout.h"
#include "ui/prefs/PreferenceBinder.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QListView* newTable(ListRowsModel* model, QWidget* parent)
{
    auto* table = new QListView(parent);
    table->setModel(model);
    table->setUniformItemSizes(true);
    table->setMinimumSize(240, 220);
    return table;
}

QVariantList variantList(const QStringList& strings)
{
    QVariantList list;
    for (const QString& string : strings)
        list << string;
    return list;
}

} // namespace

ListsPage::ListsPage(const PreferenceContext& context, ListChoice& choice, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_choice(choice)
    , m_listModel(new ListRowsModel(choice, ListRowsModel::Kind::Lists, this))
    , m_calendarModel(new ListRowsModel(choice, ListRowsModel::Kind::Calendars, this))
    , m_listTable(newTable(m_listModel, this))
    , m_calendarTable(newTable(m_calendarModel, this))
    , m_viewEvents(new QCheckBox(tr("View Calendar Events"), this))
    , m_showDots(new QCheckBox(tr("Show Dots"), this))
    , m_autoAdd(new QCheckBox(tr("Add New List Automatically"), this))
{
    setObjectName(QStringLiteral("listsPanel"));
    m_listTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listTable->setDragDropMode(QAbstractItemView::DragDrop);
    m_listTable->setDefaultDropAction(Qt::MoveAction);
    m_listTable->setDropIndicatorShown(true);
    // A list view is named by its own name only, not by a label before it.
    m_listTable->setAccessibleName(tr("Reminders"));
    m_calendarTable->setAccessibleName(tr("Calendars"));
    m_calendarTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_calendarTable->setFocusPolicy(Qt::StrongFocus);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 18, 24, 18);
    grid->addWidget(new QLabel(PageLayout::fieldLabel(tr("Reminders"))), 0, 0);
    grid->addWidget(new QLabel(PageLayout::fieldLabel(tr("Calendars"))), 0, 1);
    grid->addWidget(m_listTable, 1, 0);
    grid->addWidget(m_calendarTable, 1, 1);

    auto* manage = new QHBoxLayout;
    manage->setSpacing(0);
    manage->addWidget(new QLabel(PageLayout::fieldLabel(tr("Manage Lists"))));
    manage->addSpacing(6);
    const QStringList titles{QStringLiteral("+"), QStringLiteral("−"),
                             tr("Delete Completed Tasks")};
    const QStringList tips{tr("Add a list"), tr("Delete the selected list (hide it first)"),
                           tr("Delete the completed tasks of the selected list")};
    for (int index = 0; index < titles.size(); ++index) {
        auto* button = new QToolButton(this);
        button->setText(titles.at(index));
        button->setToolTip(tips.at(index));
        button->setAccessibleName(tips.at(index));
        button->setMinimumWidth(28);
        connect(button, &QToolButton::clicked, this, [this, index] { manageListControl(index); });
        m_segments << button;
        manage->addWidget(button);
    }
    manage->addStretch();
    grid->addLayout(manage, 2, 0);
    auto* moves = new QLabel(tr("Drag a list, or press Alt+Up and Alt+Down, to change the order."));
    moves->setEnabled(false);
    moves->setWordWrap(true);
    grid->addWidget(moves, 3, 0);

    auto* switches = new QVBoxLayout;
    switches->addWidget(m_viewEvents);
    switches->addWidget(m_showDots);
    switches->addWidget(m_autoAdd);
    grid->addLayout(switches, 2, 1, 2, 1);

    PreferenceBinder& binder = context.binder;
    binder.bindSwitch(m_viewEvents, PrefKey::viewEvents, [this] {
        viewCalendarEvents();
        m_context.manager.refreshRemindersArray();
    });
    binder.bindSwitch(m_showDots, PrefKey::showEventDots,
                      [this] { m_context.manager.refreshRemindersArray(); });
    binder.bindSwitch(m_autoAdd, PrefKey::autoAddNewList);
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::viewEvents)
            viewCalendarEvents();
        // Another process's choice; our own writes keep the rows where the user left them.
        else if (!m_writing && (key == PrefKey::visibleLists || key == PrefKey::visibleCalendars))
            setupListAndCalendar();
    });

    connect(m_listModel, &ListRowsModel::checkClicked, this, &ListsPage::checkList);
    connect(m_calendarModel, &ListRowsModel::checkClicked, this, &ListsPage::checkCalendar);
    connect(m_listModel, &ListRowsModel::moveRequested, this, &ListsPage::moveList);
    connect(m_listTable, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { doubleClick(index.row()); });
    connect(m_listTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        QTimer::singleShot(0, this, &ListsPage::changeManageListControlEnableStatus);
    });
    m_listTable->installEventFilter(this);

    m_validateTimer.setSingleShot(true);
    m_validateTimer.setInterval(kValidationTimeoutMs);
    connect(&m_validateTimer, &QTimer::timeout, this, &ListsPage::validateFailed);
}

bool ListsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listTable && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            moveCurrentList(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ListsPage::moveCurrentList(int step)
{
    const int row = m_listTable->currentIndex().row();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_listModel->rowCount())
        return;
    // A row lands above the row it is moved to; one place down is above the row after next.
    moveList(row, step > 0 ? target + 1 : target);
    m_listTable->setCurrentIndex(m_listModel->index(target));
}

void ListsPage::setupListAndCalendar()
{
    DataManager& manager = m_context.manager;
    m_choice.setupLists(manager.lists().allCalendars(), manager.lists().visibleLists());
    m_choice.setupCalendars(manager.events().allEventCalendars(),
                            m_context.defaults.stringArrayForKey(PrefKey::visibleCalendars));
    m_listModel->reload();
    m_calendarModel->reload();
    viewCalendarEvents();
    changeManageListControlEnableStatus();
    if (m_shownListsChanged)
        m_shownListsChanged();
}

bool ListsPage::takeBlockRefresh()
{
    const bool blocked = m_blockRefresh;
    m_blockRefresh = false;
    return blocked;
}

void ListsPage::viewCalendarEvents()
{
    const bool on = m_context.defaults.boolForKey(PrefKey::viewEvents);
    m_calendarTable->setVisible(on);
    m_showDots->setEnabled(on);
}

void ListsPage::checkList(int row)
{
    if (m_validating || row < 0 || row >= m_choice.lists().size())
        return;
    const store::CalendarPtr list = m_choice.lists().at(row);
    const QString identifier = list->calendarIdentifier;
    if (m_choice.isListVisible(identifier)) {
        if (!m_choice.hideList(identifier))
            return;
        refreshLists();
        changeManageListControlEnableStatus();
        if (m_shownListsChanged)
            m_shownListsChanged();
        return;
    }
    m_validating = true;
    m_validatingList = identifier;
    m_listModel->setValidatingRow(row);
    m_validateTimer.start();
    QPointer<ListsPage> self(this);
    m_context.manager.lists().validateRemindersList(list, [self, identifier](bool valid) {
        if (!valid)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, identifier] {
                if (self)
                    self->validationAnswered(identifier);
            },
            Qt::QueuedConnection);
    });
}

void ListsPage::validationAnswered(const QString& identifier)
{
    // An answer after the time-out still counts: the list becomes visible then.
    if (m_validatingList == identifier) {
        m_validating = false;
        m_validateTimer.stop();
        m_listModel->setValidatingRow(-1);
    }
    if (m_choice.rowOfList(identifier) < 0)
        return;
    m_choice.showList(identifier);
    refreshLists();
    changeManageListControlEnableStatus();
    if (m_shownListsChanged)
        m_shownListsChanged();
}

void ListsPage::validateFailed()
{
    const int row = m_choice.rowOfList(m_validatingList);
    m_validating = false;
    m_listModel->setValidatingRow(-1);
    if (row >= 0 && window()->isVisible() && m_context.relays.inform) {
        const QString title = m_choice.lists().at(row)->title;
        m_context.relays.inform(
            window(), {tr("Can't access the list"),
                       QStringLiteral("%1\n\n%2")
                           .arg(tr("Below lists can't be used in Velmoran at the moment."),
                                QStringLiteral("• %1").arg(title)),
                       QString()});
    }
}

void ListsPage::checkCalendar(int row)
{
    if (m_validating || row < 0 || row >= m_choice.calendars().size())
        return;
    const QString identifier = m_choice.calendars().at(row)->calendarIdentifier;
    if (m_choice.isCalendarVisible(identifier)) {
        if (!m_choice.hideCalendar(identifier))
            return;
    } else {
        m_choice.showCalendar(identifier);
    }
    refreshCalendars();
}

void ListsPage::storeListChoice()
{
    UserDefaults& defaults = m_context.defaults;
    TaskLists& lists = m_context.manager.lists();
    // Our own write, not a change made elsewhere that the lists would repair.
    lists.setDoNotValidate(true);
    m_writing = true;
    defaults.setObject(variantList(m_choice.visibleInRowOrder()), PrefKey::visibleLists);
    defaults.setObject(variantList(m_choice.invisibleInRowOrder()), PrefKey::invisibleLists);
    m_writing = false;
    lists.resetSortDescriptors();
    m_context.manager.refreshRemindersArray();
    lists.changeBackToValidate();
}

void ListsPage::refreshLists()
{
    storeListChoice();
    const PreferenceRelays& relays = m_context.relays;
    for (const auto& relay :
         {relays.panelRefreshOnListChange, relays.refreshLeftList, relays.setupListsMenu})
        if (relay)
            relay();
    m_context.manager.lists().matchPreferencesForTodayExtension();
    m_listModel->reload();
}

void ListsPage::refreshCalendars()
{
    m_writing = true;
    m_context.defaults.setObject(variantList(m_choice.visibleCalendarsInRowOrder()),
                                 PrefKey::visibleCalendars);
    m_writing = false;
    m_calendarModel->reload();
    m_context.manager.refreshRemindersArray();
}

void ListsPage::moveList(int from, int to)
{
    m_choice.moveList(from, to);
    m_listModel->reload();
    refreshLists();
    if (m_shownListsChanged)
        m_shownListsChanged();
}

QList<int> ListsPage::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_listTable->selectionModel()->selectedRows())
        rows << index.row();
    return rows;
}

void ListsPage::changeManageListControlEnableStatus()
{
    const QList<int> rows = selectedRows();
    m_segments.at(DeleteCompletedSegment)->setEnabled(!rows.isEmpty());
    m_segments.at(DeleteSegment)->setEnabled(m_choice.canDelete(rows));
}

void ListsPage::manageListControl(int segment)
{
    switch (segment) {
    case AddSegment:
        openListWindow(nullptr);
        break;
    case DeleteSegment:
        if (m_choice.canDelete(selectedRows()))
            deleteSelectedList();
        break;
    case DeleteCompletedSegment:
        if (!selectedRows().isEmpty())
            deleteCompletedOfSelectedList();
        break;
    default:
        break;
    }
}

void ListsPage::deleteSelectedList()
{
    const int row = selectedRows().first();
    const QString identifier = m_choice.lists().at(row)->calendarIdentifier;
    const PreferenceRelays::Alert alert{
        tr("Delete this list?"),
        RecentlyDeletedPolicy::whereDeletedItemsGo(RecentlyDeletedPolicy::Deletion::List,
                                                   m_context.defaults),
        tr("Delete")};
    if (!m_context.relays.confirm || !m_context.relays.confirm(window(), alert))
        return;
    // A list another program deleted already leaves the rows all the same.
    m_context.manager.lists().setDoNotValidate(true);
    QString error;
    if (!m_context.manager.tasks().deleteListWithUUID(identifier, &error)) {
        if (m_context.relays.inform)
            m_context.relays.inform(window(), {tr("The list could not be deleted"), error, {}});
        return;
    }
    m_listTable->clearSelection();
    m_choice.removeList(identifier);
    m_listModel->reload();
    changeManageListControlEnableStatus();
    storeListChoice();
    m_context.manager.lists().matchPreferencesForTodayExtension();
    if (m_shownListsChanged)
        m_shownListsChanged();
}

void ListsPage::deleteCompletedOfSelectedList()
{
    const int row = selectedRows().first();
    const QString identifier = m_choice.lists().at(row)->calendarIdentifier;
    const PreferenceRelays::Alert alert{
        tr("Delete completed tasks on this list?"),
        RecentlyDeletedPolicy::whereDeletedItemsGo(RecentlyDeletedPolicy::Deletion::CompletedTasks,
                                                   m_context.defaults),
        tr("Delete")};
    if (!m_context.relays.confirm || !m_context.relays.confirm(window(), alert))
        return;
    m_listTable->clearSelection();
    m_context.manager.tasks().deleteCompletedTasksOnListWithUUID(identifier);
    changeManageListControlEnableStatus();
    m_context.manager.refreshRemindersArray();
}

void ListsPage::doubleClick(int row)
{
    if (row < 0 || row >= m_choice.lists().size())
        return;
    const store::CalendarPtr list = m_choice.lists().at(row);
    if (list->allowsContentModifications())
        openListWindow(list);
}

void ListsPage::openListWindow(const store::CalendarPtr& list)
{
    m_blockRefresh = true;
    delete m_addListWC.data();
    m_addListWC =
        new AddListWindowController(m_context.manager, m_context.modeManager, this, window());
    m_addListWC->setAttribute(Qt::WA_DeleteOnClose);
    m_addListWC->setWindowModality(Qt::WindowModal);
    if (list)
        m_addListWC->editList(list);
    else
        m_addListWC->makeNewList();
    m_addListWC->open();
}

void ListsPage::addListDoneEditing(bool edited, const QString& identifier)
{
    if (edited) {
        QTimer::singleShot(0, this, [this] {
            setupListAndCalendar();
            refreshLists();
        });
        return;
    }
    if (identifier.isEmpty()) {
        QTimer::singleShot(300, this, [this] {
            if (m_context.relays.inform)
                m_context.relays.inform(window(),
                                        {tr("No List Found"),
                                         tr("The new list could not be saved: the store folder "
                                            "cannot be written."),
                                         QString()});
        });
        return;
    }
    DataManager& manager = m_context.manager;
    m_choice.addShownList(manager.lists().allCalendars(), manager.lists().visibleLists(),
                          identifier);
    QTimer::singleShot(0, this, [this] {
        refreshLists();
        if (m_shownListsChanged)
            m_shownListsChanged();
    });
}

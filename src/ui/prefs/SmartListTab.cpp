#include "ui/prefs/SmartListTab.h"

#include "data/SmartLists.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/AccessibleListView.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/prefs/RowMoveKeys.h"
#include "ui/prefs/SmartListRowsModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Draws the divider row as a thin line across the table, between the presets and the user's
// smart lists.
class DividerDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (index.row() != SmartListRowsModel::kDividerRow) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int y = option.rect.center().y();
        painter->save();
        painter->setPen(option.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawLine(option.rect.left(), y, option.rect.right(), y);
        painter->restore();
    }
};

} // namespace

SmartListTab::SmartListTab(const PreferenceContext& context, std::function<void()> blockRefresh,
                           QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_blockRefresh(std::move(blockRefresh))
    , m_model(new SmartListRowsModel(m_settings, this))
    , m_table(new AccessibleListView(this))
    , m_addButton(new QToolButton(this))
    , m_deleteButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("smartListTab"));
    m_table->setAccessibleName(tr("Smart Lists"));
    m_table->setRowActions(this);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new DividerDelegate(m_table));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setDragDropMode(QAbstractItemView::DragDrop);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setDropIndicatorShown(true);
    m_table->setUniformItemSizes(false);
    m_addButton->setText(QStringLiteral("+"));
    m_addButton->setToolTip(tr("Add a tag list or a merged list"));
    m_addButton->setAccessibleName(m_addButton->toolTip());
    m_deleteButton->setText(QStringLiteral("−"));
    m_deleteButton->setToolTip(tr("Delete the selected smart list"));
    m_deleteButton->setAccessibleName(m_deleteButton->toolTip());
    for (QToolButton* button : {m_addButton, m_deleteButton})
        button->setMinimumWidth(28);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addSpacing(12);
    auto* hint = new QLabel(tr("Drag a smart list, or press Alt+Up and Alt+Down, to change the "
                               "order. Double-click one to change it."),
                            this);
    hint->setEnabled(false);
    hint->setWordWrap(true);
    buttons->addWidget(hint, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_table);
    column->addLayout(buttons);

    connect(m_model, &SmartListRowsModel::checkClicked, this, &SmartListTab::checkSmartList);
    connect(m_model, &SmartListRowsModel::moveRequested, this, &SmartListTab::moveSmartList);
    new RowMoveKeys(m_table, [this](int from, int to) {
        return from >= SmartListRowsModel::kFirstSmartRow && moveSmartList(from, to);
    });
    connect(m_table, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { doubleClickSmartList(index.row()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SmartListTab::changeSmartListControlEnableStatus);
    connect(m_addButton, &QToolButton::clicked, this, [this] {
        QMenu menu(tr("Add"), this);
        menu.addAction(tr("Add New &Tag List"), this, &SmartListTab::showAddTagList);
        menu.addAction(tr("Add New &Merged List"), this, &SmartListTab::showAddMergedList);
        menu.exec(m_addButton->mapToGlobal(QPoint(0, m_addButton->height())));
    });
    connect(m_deleteButton, &QToolButton::clicked, this, &SmartListTab::deleteSmartList);
    // Another process (or another window) changed the sidebar's entries: show what is stored
    // now, so that the next save starts from it and loses neither change.
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (!m_writing && key == PrefKey::listNavArray)
            setupSmartList();
    });
    setupSmartList();
}

void SmartListTab::setupSmartList()
{
    const int selected = selectedRow();
    m_settings = SmartListSettings::fromListNav(SmartLists::listNavArray(m_context.defaults));
    m_model->reload();
    if (selected >= SmartListRowsModel::kFirstSmartRow && selected < m_model->rowCount())
        m_table->setCurrentIndex(m_model->index(selected));
    changeSmartListControlEnableStatus();
}

QListView* SmartListTab::table() const
{
    return m_table;
}

QStringList SmartListTab::rowActionNames(int row) const
{
    return row >= 0 && row < SmartListSettings::kPresetCount ? QStringList{QStringLiteral("Toggle")}
                                                             : QStringList();
}

QString SmartListTab::localizedRowActionName(const QString& name) const
{
    return name == QLatin1String("Toggle") ? tr("Toggle", "a preset list's box") : QString();
}

QString SmartListTab::rowActionDescription(const QString& name) const
{
    return name == QLatin1String("Toggle") ? tr("Shows or hides the list in the sidebar")
                                           : QString();
}

void SmartListTab::doRowAction(int row, const QString& name)
{
    if (name != QLatin1String("Toggle"))
        return;
    checkSmartList(row);
    m_table->announceRowCheckedChange(row);
}

void SmartListTab::checkSmartList(int row)
{
    if (row < 0 || row >= SmartListSettings::kPresetCount)
        return;
    m_settings.presetSelected[size_t(row)] = !m_settings.presetSelected[size_t(row)];
    saveSmartList();
    m_model->reload();
    smartListChanged();
}

bool SmartListTab::moveSmartList(int from, int to)
{
    const int first = SmartListRowsModel::kFirstSmartRow;
    if (from < first || to < first || !m_settings.move(from - first, to - first))
        return false;
    m_model->reload();
    saveSmartList();
    smartListChanged();
    changeSmartListControlEnableStatus();
    return true;
}

void SmartListTab::saveSmartList()
{
    m_writing = true;
    SmartLists::setListNavArray(m_context.defaults, m_settings.toListNav());
    m_context.defaults.synchronize();
    m_writing = false;
}

void SmartListTab::smartListChanged()
{
    const PreferenceRelays& relays = m_context.relays;
    for (const auto& relay :
         {relays.panelRefreshOnListChange, relays.refreshLeftList, relays.setupListsMenu}) {
        if (relay)
            relay();
    }
}

void SmartListTab::showAddTagList()
{
    if (m_blockRefresh)
        m_blockRefresh();
    delete m_tagListWC.data();
    m_tagListWC =
        new AddTagListWindowController(m_context.manager, m_context.modeManager, this, window());
    m_tagListWC->setAttribute(Qt::WA_DeleteOnClose);
    m_tagListWC->setWindowModality(Qt::WindowModal);
    m_tagListWC->addTag();
    m_tagListWC->open();
}

void SmartListTab::showAddMergedList()
{
    if (m_blockRefresh)
        m_blockRefresh();
    delete m_mergedListWC.data();
    m_mergedListWC =
        new AddMergedListWindowController(m_context.manager, m_context.modeManager, this, window());
    m_mergedListWC->setAttribute(Qt::WA_DeleteOnClose);
    m_mergedListWC->setWindowModality(Qt::WindowModal);
    m_mergedListWC->makeNewList();
    m_mergedListWC->open();
}

void SmartListTab::doubleClickSmartList(int row)
{
    const int index = row - SmartListRowsModel::kFirstSmartRow;
    if (index < 0 || index >= m_settings.smartLists.size())
        return;
    const ListEntry entry = m_settings.smartLists.at(index);
    if (entry.is(ListKind::MergedList)) {
        showAddMergedList();
        m_mergedListWC->editList(entry);
    } else if (entry.is(ListKind::TagList) || entry.is(ListKind::SavedSearch)) {
        showAddTagList();
        m_tagListWC->editList(entry);
    }
}

void SmartListTab::deleteSmartList()
{
    const int index = selectedRow() - SmartListRowsModel::kFirstSmartRow;
    if (index < 0 || index >= m_settings.smartLists.size())
        return;
    m_writing = true;
    SmartLists::deleteSmartListFromDictionary(m_context.defaults, m_settings.smartLists.at(index));
    m_context.defaults.synchronize();
    m_writing = false;
    m_table->clearSelection();
    setupSmartList();
    smartListChanged();
}

void SmartListTab::addTagListDone()
{
    afterSheet();
}

void SmartListTab::addMergedListDone()
{
    afterSheet();
}

void SmartListTab::afterSheet()
{
    setupSmartList();
    smartListChanged();
}

void SmartListTab::changeSmartListControlEnableStatus()
{
    m_deleteButton->setEnabled(selectedRow() >= SmartListRowsModel::kFirstSmartRow);
}

int SmartListTab::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

AddTagListWindowController* SmartListTab::tagListWindow() const
{
    return m_tagListWC;
}

AddMergedListWindowController* SmartListTab::mergedListWindow() const
{
    return m_mergedListWC;
}

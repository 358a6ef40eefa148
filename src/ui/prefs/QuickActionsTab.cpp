#include "ui/prefs/QuickActionsTab.h"

#include "data/QuickActionSettings.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/PageLayout.h"
#include "ui/prefs/QuickActionRowsModel.h"
#include "ui/prefs/QuickActionSheet.h"
#include "ui/prefs/RowMoveKeys.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QToolButton>
#include <QVBoxLayout>

QuickActionsTab::QuickActionsTab(const PreferenceContext& context,
                                 std::function<void()> blockRefresh, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_blockRefresh(std::move(blockRefresh))
    , m_model(new QuickActionRowsModel(m_records, this))
    , m_table(new QListView(this))
    , m_addButton(new QToolButton(this))
    , m_deleteButton(new QToolButton(this))
    , m_tagOnNotes(new QComboBox(this))
    , m_description(new QLabel(this))
{
    setObjectName(QStringLiteral("quickActionsTab"));
    m_table->setAccessibleName(tr("Quick Actions"));
    m_table->setModel(m_model);
    m_model->setDimmedText(m_table->palette().brush(QPalette::Disabled, QPalette::Text));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setDragDropMode(QAbstractItemView::DragDrop);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setDropIndicatorShown(true);
    m_addButton->setText(QStringLiteral("+"));
    m_addButton->setToolTip(tr("Add a quick action"));
    m_addButton->setAccessibleName(m_addButton->toolTip());
    m_deleteButton->setText(QStringLiteral("−"));
    m_deleteButton->setToolTip(tr("Delete the selected quick action"));
    m_deleteButton->setAccessibleName(m_deleteButton->toolTip());
    for (QToolButton* button : {m_addButton, m_deleteButton})
        button->setMinimumWidth(28);
    m_description->setWordWrap(true);
    m_description->setText(tr("%1\n\n%2")
                               .arg(tr("Quick Actions are shown when you right-click a task."),
                                    tr("A set saved on the 'Sync Preferences' tab carries them to "
                                       "your other computers.")));
    m_tagOnNotes->addItems({tr("Title"), tr("Notes")});

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(m_table, 1);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(m_description);
    auto* tagRow = new QHBoxLayout;
    auto* tagLabel = new QLabel(PageLayout::fieldLabel(tr("Add Tag on")), this);
    tagLabel->setBuddy(m_tagOnNotes);
    tagRow->addWidget(tagLabel);
    tagRow->addWidget(m_tagOnNotes);
    tagRow->addStretch(1);
    right->addLayout(tagRow);
    auto* hint = new QLabel(tr("Drag an action, or press Alt+Up and Alt+Down, to change the menu "
                               "order. Double-click one to change it."),
                            this);
    hint->setWordWrap(true);
    hint->setEnabled(false);
    right->addWidget(hint);
    right->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(left, 1);
    row->addLayout(right, 1);

    connect(m_tagOnNotes, &QComboBox::activated, this, [this](int index) {
        m_writing = true;
        m_context.defaults.setBool(index == 1, PrefKey::tagOnNotes);
        m_context.defaults.synchronize();
        m_writing = false;
    });
    connect(m_model, &QuickActionRowsModel::moveRequested, this, &QuickActionsTab::moveQuickAction);
    new RowMoveKeys(m_table, [this](int from, int to) { return moveQuickAction(from, to); });
    connect(m_table, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { doubleClickQuickActions(index.row()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QuickActionsTab::changeQuickActionsControlEnableStatus);
    connect(m_addButton, &QToolButton::clicked, this, &QuickActionsTab::addQuickActions);
    connect(m_deleteButton, &QToolButton::clicked, this, &QuickActionsTab::deleteQuickActions);
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (!m_writing && (key == PrefKey::quickActions || key == PrefKey::tagOnNotes))
            setupQuickActions();
    });
    setupQuickActions();
}

QuickActionSheet* QuickActionsTab::sheet() const
{
    return m_sheet;
}

void QuickActionsTab::setupQuickActions()
{
    const int selected = selectedRow();
    m_records = m_context.defaults.arrayForKey(PrefKey::quickActions);
    m_model->reload();
    if (selected >= 0 && selected < m_model->rowCount())
        m_table->setCurrentIndex(m_model->index(selected));
    changeQuickActionsControlEnableStatus();
    m_tagOnNotes->setCurrentIndex(m_context.defaults.boolForKey(PrefKey::tagOnNotes) ? 1 : 0);
}

void QuickActionsTab::saveQuickActions()
{
    m_writing = true;
    m_context.defaults.setObject(m_records, PrefKey::quickActions);
    m_context.defaults.synchronize();
    m_writing = false;
}

bool QuickActionsTab::moveQuickAction(int from, int to)
{
    if (!QuickActionSettings::move(m_records, from, to))
        return false;
    m_model->reload();
    saveQuickActions();
    changeQuickActionsControlEnableStatus();
    return true;
}

void QuickActionsTab::deleteQuickActions()
{
    const int row = selectedRow();
    if (row < 0 || row >= m_records.size())
        return;
    m_records.removeAt(row);
    saveQuickActions();
    m_table->clearSelection();
    m_model->reload();
    changeQuickActionsControlEnableStatus();
}

void QuickActionsTab::addQuickActions()
{
    if (m_blockRefresh)
        m_blockRefresh();
    if (!m_sheet) {
        m_sheet = new QuickActionSheet(window());
        m_sheet->setWindowModality(Qt::WindowModal);
        connect(m_sheet, &QDialog::accepted, this, &QuickActionsTab::addQuickActionsDone);
    }
    m_editing.reset();
    m_sheet->setupAdd();
    m_sheet->open();
}

void QuickActionsTab::doubleClickQuickActions(int row)
{
    if (row < 0 || row >= m_records.size() || !QuickActionSettings::isEditable(m_records.at(row)))
        return;
    addQuickActions();
    m_editing = m_records.at(row);
    m_sheet->setupEdit(QuickAction::fromVariant(m_records.at(row)));
}

void QuickActionsTab::addQuickActionsDone()
{
    const std::optional<QuickAction> action = m_sheet ? m_sheet->record() : std::nullopt;
    if (action) {
        // Start from what is stored now: another window or process may have changed it.
        QVariantList stored = m_context.defaults.arrayForKey(PrefKey::quickActions);
        bool changed = true;
        if (m_editing)
            changed = QuickActionSettings::replace(stored, *m_editing, *action);
        else
            stored.append(action->toMap());
        if (changed) {
            m_writing = true;
            m_context.defaults.setObject(stored, PrefKey::quickActions);
            m_context.defaults.synchronize();
            m_writing = false;
        }
    }
    m_editing.reset();
    setupQuickActions();
}

void QuickActionsTab::changeQuickActionsControlEnableStatus()
{
    m_deleteButton->setEnabled(selectedRow() >= 0);
}

int QuickActionsTab::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void QuickActionsTab::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        m_model->setDimmedText(m_table->palette().brush(QPalette::Disabled, QPalette::Text));
    QWidget::changeEvent(event);
}

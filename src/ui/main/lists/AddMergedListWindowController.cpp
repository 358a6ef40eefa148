#include "ui/main/lists/AddMergedListWindowController.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "ui/common/CollectionColors.h"
#include "ui/main/lists/ListWindowDelegates.h"
#include "ui/main/sidebar/SidebarDelegate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kIdentifierRole = Qt::UserRole + 1;
constexpr int kColorRole = Qt::UserRole + 2;
constexpr int kMarkSize = 10;

// A list row: the sidebar's selection look, a round mark in the list's colour and the title.
class ListRowDelegate : public QStyledItemDelegate
{
public:
    ListRowDelegate(ModeManager& modeManager, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_modeManager(modeManager)
    {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        if (option.state & QStyle::State_Selected)
            SidebarDelegate::paintSelectionBackground(painter, option.rect, option.palette,
                                                      option.widget && option.widget->hasFocus());
        painter->setRenderHint(QPainter::Antialiasing);
        const QRect rect = option.rect;
        const QRectF mark(rect.left() + 12, rect.center().y() - kMarkSize / 2.0 + 0.5, kMarkSize,
                          kMarkSize);
        painter->setPen(Qt::NoPen);
        painter->setBrush(index.data(kColorRole).value<QColor>());
        painter->drawEllipse(mark);
        painter->setPen(m_modeManager.menuTextColor());
        painter->setFont(m_modeManager.fontWithSize(SidebarDelegate::kTitlePointSize));
        const QRect text = rect.adjusted(int(mark.right()) + 8, 0, -8, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight,
                                                            text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), SidebarDelegate::kRowHeight);
    }

private:
    ModeManager& m_modeManager;
};

} // namespace

AddMergedListWindowController::AddMergedListWindowController(DataManager& manager,
                                                             ModeManager& modeManager,
                                                             SmartListWindowDelegate* delegate,
                                                             QWidget* parent)
    : SmartListWindow(manager, delegate, parent)
    , m_nameField(new QLineEdit(this))
    , m_warningLabel(new QLabel(this))
    , m_listTable(new QListWidget(this))
{
    setPalette(modeManager.vibrantAppearance());
    setAccessibleName(tr("Merged List"));
    m_nameField->setAccessibleName(tr("Name"));
    m_warningLabel->setAccessibleName(tr("Warning"));
    m_listTable->setAccessibleName(tr("Lists"));
    m_listTable->setSelectionMode(QAbstractItemView::MultiSelection);
    m_listTable->setItemDelegate(new ListRowDelegate(modeManager, m_listTable));
    m_listTable->setUniformItemSizes(true);
    QPalette warning = m_warningLabel->palette();
    warning.setColor(QPalette::WindowText, modeManager.alertTextColor());
    m_warningLabel->setPalette(warning);

    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    const QStringList labels{tr("None"), QStringLiteral("!"), QStringLiteral("!!"),
                             QStringLiteral("!!!")};
    const QStringList names{tr("No priority"), tr("Low priority"), tr("Medium priority"),
                            tr("High priority")};
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QPushButton(labels.at(i), this);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setAccessibleName(names.at(i));
        segments->addWidget(button);
        m_segments << button;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_warningLabel, 1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_nameField);
    layout->addWidget(m_listTable, 1);
    layout->addLayout(segments);
    layout->addLayout(buttons);
    setMinimumSize(340, 360);

    connect(m_doneButton, &QPushButton::clicked, this,
            &AddMergedListWindowController::doneButtonAction);
    loadVisibleLists();
    makeNewList();
}

void AddMergedListWindowController::loadVisibleLists()
{
    m_listTable->clear();
    for (const store::CalendarPtr& list : m_manager.lists().visibleListsByCalendar()) {
        auto* item = new QListWidgetItem(list->title, m_listTable);
        item->setData(kIdentifierRole, list->calendarIdentifier);
        item->setData(kColorRole, qColor(list->color));
    }
}

void AddMergedListWindowController::makeNewList()
{
    m_editingSmartList.reset();
    m_doneButton->setText(tr("Add Smart List"));
    m_nameField->clear();
    m_warningLabel->clear();
    for (int i = 0; i < m_segments.size(); ++i)
        m_segments.at(i)->setChecked(i == 0);
    m_listTable->clearSelection();
    m_nameField->setFocus();
}

void AddMergedListWindowController::editList(const ListEntry& mergedList)
{
    m_editingSmartList = mergedList;
    m_doneButton->setText(tr("Edit List"));
    m_nameField->setText(mergedList.tag());
    m_warningLabel->clear();
    const QList<qint64> priorities = mergedList.priorities();
    for (int i = 0; i < m_segments.size(); ++i)
        m_segments.at(i)->setChecked(priorities.contains(priorityForSegment(i)));
    const QStringList lists = mergedList.lists();
    m_listTable->clearSelection();
    for (int row = 0; row < m_listTable->count(); ++row) {
        QListWidgetItem* item = m_listTable->item(row);
        item->setSelected(lists.contains(item->data(kIdentifierRole).toString()));
    }
    m_nameField->setFocus();
}

void AddMergedListWindowController::doneButtonAction()
{
    const QString name = m_nameField->text().trimmed();
    if (name.isEmpty()) {
        m_warningLabel->setText(tr("Type in a name"));
        return;
    }
    QStringList lists;
    for (int row = 0; row < m_listTable->count(); ++row) {
        if (m_listTable->item(row)->isSelected())
            lists << m_listTable->item(row)->data(kIdentifierRole).toString();
    }
    if (lists.isEmpty()) {
        m_warningLabel->setText(tr("Need at least one list"));
        return;
    }
    QList<qint64> priorities;
    for (int i = 0; i < m_segments.size(); ++i) {
        if (m_segments.at(i)->isChecked())
            priorities << priorityForSegment(i);
    }
    if (priorities.isEmpty()) {
        m_warningLabel->setText(tr("Need at least one priority"));
        return;
    }
    storeSmartList(ListKind::MergedList, name, lists, priorities);
    if (m_delegate)
        m_delegate->addMergedListDone();
}

#include "ui/common/ListViewAccessible.h"

#include "ui/common/AccessibleListView.h"
#include "ui/common/ListRowActions.h"

#include <QItemSelectionModel>

namespace {

QAccessibleInterface* listViewFactory(const QString& className, QObject* object)
{
    // Qt asks with the name of every class up the object's hierarchy.
    if (className == QLatin1String(AccessibleListView::staticMetaObject.className()))
        if (auto* view = qobject_cast<AccessibleListView*>(object))
            return new ListViewAccessible(view);
    return nullptr;
}

} // namespace

// --- the list --------------------------------------------------------------------------------

ListViewAccessible::ListViewAccessible(AccessibleListView* view)
    : QAccessibleWidget(view, QAccessible::List)
{}

ListViewAccessible::~ListViewAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_rowIds))
        QAccessible::deleteAccessibleInterface(id);
}

void ListViewAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(listViewFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

AccessibleListView* ListViewAccessible::view() const
{
    return static_cast<AccessibleListView*>(widget());
}

int ListViewAccessible::childCount() const
{
    return view()->model() ? view()->model()->rowCount(view()->rootIndex()) : 0;
}

QAccessibleInterface* ListViewAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    // A row keeps its interface (and so its identity on the bus) while it stays where it is;
    // new content makes new rows.
    if (const auto found = m_rowIds.constFind(index); found != m_rowIds.constEnd()) {
        auto* cached = static_cast<ListRowAccessible*>(QAccessible::accessibleInterface(*found));
        if (cached && cached->isValid() && cached->row() == index)
            return cached;
        QAccessible::deleteAccessibleInterface(*found);
        m_rowIds.erase(found);
    }
    auto* row =
        new ListRowAccessible(view(), view()->model()->index(index, 0, view()->rootIndex()));
    m_rowIds.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int ListViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    for (auto it = m_rowIds.constBegin(); it != m_rowIds.constEnd(); ++it) {
        if (it.value() == id)
            return it.key();
    }
    return -1;
}

QAccessibleInterface* ListViewAccessible::childAt(int x, int y) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = view()->indexAt(local);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* ListViewAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}

// --- a row -----------------------------------------------------------------------------------

ListRowAccessible::ListRowAccessible(AccessibleListView* view, const QModelIndex& index)
    : m_view(view)
    , m_index(index)
{}

bool ListRowAccessible::isValid() const
{
    return m_view && m_index.isValid();
}

QWindow* ListRowAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ListRowAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QString ListRowAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name: {
        const QVariant name = m_index.data(Qt::AccessibleTextRole);
        return name.isValid() ? name.toString() : m_index.data(Qt::DisplayRole).toString();
    }
    case QAccessible::Description:
        return m_index.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

QRect ListRowAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect local = m_view->visualRect(m_index);
    return QRect(m_view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role ListRowAccessible::role() const
{
    if (!isValid())
        return QAccessible::ListItem;
    const QVariant role = m_index.data(AccessibleListView::AccessibleRowRole);
    if (role.isValid())
        return QAccessible::Role(role.toInt());
    // A row with a check state is read as a check box: the desktop's bridge in Qt 6.4 passes
    // "checked" on but not "checkable", so a list item would not say that it can be checked.
    return m_index.flags() & Qt::ItemIsUserCheckable ? QAccessible::CheckBox
                                                     : QAccessible::ListItem;
}

bool ListRowAccessible::isItem() const
{
    const QAccessible::Role rowRole = role();
    return rowRole == QAccessible::ListItem || rowRole == QAccessible::CheckBox;
}

QAccessible::State ListRowAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (!m_view->isVisible() || !m_view->visualRect(m_index).intersects(m_view->viewport()->rect()))
        state.invisible = state.offscreen = true;
    if (!isItem())
        return state;
    const Qt::ItemFlags flags = m_index.flags();
    state.disabled = !(flags & Qt::ItemIsEnabled);
    state.focusable = m_view->focusPolicy() != Qt::NoFocus;
    state.focused = m_view->hasFocus() && m_view->currentIndex() == m_index;
    state.selectable =
        (flags & Qt::ItemIsSelectable) && m_view->selectionMode() != QAbstractItemView::NoSelection;
    state.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(m_index);
    if (flags & Qt::ItemIsUserCheckable) {
        state.checkable = true;
        state.checked = m_index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    const QVariant expanded = m_index.data(AccessibleListView::AccessibleExpandedRole);
    if (expanded.isValid()) {
        state.expandable = true;
        state.expanded = expanded.toBool();
        state.collapsed = !expanded.toBool();
    }
    return state;
}

void* ListRowAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList ListRowAccessible::actionNames() const
{
    if (!isValid() || !isItem())
        return {};
    if (const ListRowActions* actions = m_view->rowActions())
        return actions->rowActionNames(row());
    if (state().selectable)
        return {toggleAction()};
    return {};
}

QString ListRowAccessible::localizedActionName(const QString& name) const
{
    if (isValid() && m_view->rowActions())
        return m_view->rowActions()->localizedRowActionName(name);
    return QAccessibleActionInterface::localizedActionName(name);
}

QString ListRowAccessible::localizedActionDescription(const QString& name) const
{
    if (isValid() && m_view->rowActions())
        return m_view->rowActions()->rowActionDescription(name);
    return name == toggleAction() ? tr("Selects this row")
                                  : QAccessibleActionInterface::localizedActionDescription(name);
}

void ListRowAccessible::doAction(const QString& name)
{
    if (!actionNames().contains(name))
        return;
    if (ListRowActions* actions = m_view->rowActions()) {
        actions->doRowAction(row(), name);
        return;
    }
    m_view->selectionModel()->setCurrentIndex(m_index, QItemSelectionModel::ClearAndSelect);
}

#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>

class AccessibleListView;

// What a screen reader finds in an AccessibleListView: the list and, as its children, one
// interface per row. Child n is row n, as the view's own focus and selection events count, so
// rows that are not items (spacers, dividers, headers) stay children but in the role the model
// gives them. Qt's item-view interfaces would offer every row as an item whose only action
// selects it, hence interfaces of our own.
class ListViewAccessible : public QAccessibleWidget
{
public:
    explicit ListViewAccessible(AccessibleListView* view);
    ~ListViewAccessible() override;

    // Makes Qt build these interfaces for every AccessibleListView.
    static void installFactory();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    AccessibleListView* view() const;

    mutable QHash<int, QAccessible::Id> m_rowIds;
};

class ListRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
    Q_DECLARE_TR_FUNCTIONS(ListRowAccessible)

public:
    ListRowAccessible(AccessibleListView* view, const QModelIndex& index);

    int row() const { return m_index.row(); }
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    QString localizedActionName(const QString& name) const override;
    QString localizedActionDescription(const QString& name) const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // A row to stop at and act on, unlike a separator, a heading or a line of text.
    bool isItem() const;

    QPointer<AccessibleListView> m_view;
    QPersistentModelIndex m_index;
};

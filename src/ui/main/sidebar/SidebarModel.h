#pragma once

#include "ui/main/sidebar/SidebarLayout.h"

#include <QAbstractListModel>

class DataManager;

// One row per row of the sidebar layout: an entry with its title and count, or a divider.
class SidebarModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        RichTitleRole = Qt::UserRole + 1,
        CountRole,
        IsDividerRole,
        EntryRole, // the row's ListEntry
        KindRole,  // the row's ListKind
    };

    SidebarModel(DataManager& manager, QObject* parent = nullptr);

    const SidebarLayout& layout() const { return m_layout; }

    // Rebuilds the rows from the preferences and the store.
    void loadLists();
    // The counts or the date titles changed; the rows stay.
    void refreshCounts();
    void refreshDateTitles();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    DataManager& m_manager;
    SidebarLayout m_layout;
};

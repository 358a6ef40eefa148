#pragma once

#include "presentation/sidebar/SidebarPresenter.h"

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

    SidebarModel(SidebarPresenter& presenter, DataManager& manager, QObject* parent = nullptr);

    // The counts or the date titles changed; the rows stay.
    void refreshCounts();
    void refreshDateTitles();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    const SidebarLayout& layout() const { return m_presenter.layout(); }

    SidebarPresenter& m_presenter;
    DataManager& m_manager;
};

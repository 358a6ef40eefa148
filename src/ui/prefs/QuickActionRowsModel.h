#pragma once

#include "ui/prefs/DragRowsModel.h"

#include <QBrush>
#include <QVariantList>

// A row of the Quick Actions tab is one stored record, in menu order. A record this version
// cannot perform is shown greyed; it can still be moved and deleted.
class QuickActionRowsModel : public DragRowsModel
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 24;

    explicit QuickActionRowsModel(const QVariantList& records, QObject* parent = nullptr);

    void reload();
    // The grey of a record this version cannot perform: the view's own, so that it reads on
    // the view's background by day and by night.
    void setDimmedText(const QBrush& brush);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const QVariantList& m_records;
    QBrush m_dimmedText;
};

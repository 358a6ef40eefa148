#pragma once

#include "ui/prefs/DragRowsModel.h"

struct SmartListSettings;

// A row of the smart-list tab: rows 0 to 7 are the preset lists with a box saying whether the
// sidebar shows them, row 8 divides them from the user's smart lists, one per row after it. Only
// smart lists can be selected, dragged and dropped upon.
class SmartListRowsModel : public DragRowsModel
{
    Q_OBJECT

public:
    static constexpr int kDividerRow = 8;
    static constexpr int kFirstSmartRow = 9;
    static constexpr int kRowHeight = 24;

    explicit SmartListRowsModel(const SmartListSettings& settings, QObject* parent = nullptr);

    void reload();
    static QString presetTitle(int type);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void checkClicked(int row);

protected:
    bool canDragRow(int row) const override { return row >= kFirstSmartRow; }
    bool canDropAtRow(int row) const override { return row >= kFirstSmartRow; }

private:
    const SmartListSettings& m_settings;
};

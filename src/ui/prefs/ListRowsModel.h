#pragma once

#include <QAbstractListModel>

class ListChoice;

// A row is one task list (or one event calendar) of the Lists page, with a check box saying
// whether it is shown. The model only reports what the user asked: a click on a box and a
// drop of a dragged row become signals, and the page decides what happens.
class ListRowsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum class Kind { Lists, Calendars };
    static constexpr int kRowHeight = 24;

    ListRowsModel(const ListChoice& choice, Kind kind, QObject* parent = nullptr);

    // Rebuilt from the choice after it changed.
    void reload();
    // The row whose list is being checked shows a note instead of its box.
    void setValidatingRow(int row);
    int validatingRow() const { return m_validatingRow; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

Q_SIGNALS:
    void checkClicked(int row);
    // Row `from` dropped above row `to` (the row count: at the end).
    void moveRequested(int from, int to);

private:
    const ListChoice& m_choice;
    Kind m_kind;
    int m_validatingRow = -1;
};

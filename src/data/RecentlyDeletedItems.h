#pragma once

#include "platform/trash/DeletedEntry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class DateFormatters;
class StoreSession;

// A row is one entry of Recently Deleted: a task, or a list with its tasks, newest first. The
// model also carries out what the window asks of its rows — putting them back into the store or
// deleting them for good — and words the outcome, so that the window only draws and forwards.
// The store is asked for afresh at every call: the session may have opened another one.
class RecentlyDeletedItems : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TitleColumn, ListColumn, DeletedColumn, ByColumn, ColumnCount };
    // The entry's identifier in the trash, on every column.
    static constexpr int IdRole = Qt::UserRole + 1;

    RecentlyDeletedItems(StoreSession& session, const DateFormatters& formatters,
                         QObject* parent = nullptr);

    // Reads the trash again.
    void reload();
    const trash::DeletedEntry& entry(int row) const { return m_entries.at(row); }
    // -1 when the entry is not (or no longer) listed.
    int rowOf(const QString& id) const;

    // What a batch of restores or deletions came to. `message` is empty when everything went
    // as asked and there is nothing the user needs to hear.
    struct Outcome
    {
        int done = 0;
        QStringList failures;
        QString message;
    };
    // Both act on the entries of `rows` as they are listed now, then read the trash again.
    Outcome restore(const QList<int>& rows);
    Outcome deleteNow(const QList<int>& rows);

    static QString deleteQuestion(int count);
    static QString deleteDetail();
    static QString emptyText();
    static QString byText(trash::DeletedBy by);
    // What the List column shows: the list a task was in, or how many tasks a list took along.
    static QString listText(const trash::DeletedEntry& entry);
    static QString titleText(const trash::DeletedEntry& entry);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<trash::DeletedEntry> entriesOf(const QList<int>& rows) const;
    QString deletedText(const trash::DeletedEntry& entry) const;

    StoreSession& m_session;
    const DateFormatters& m_formatters;
    QList<trash::DeletedEntry> m_entries;
};

#pragma once

#include "platform/store/Reminder.h"
#include "ui/main/tasklist/TaskRowContent.h"
#include "ui/main/tasklist/TaskRowHeights.h"

#include <QAbstractListModel>
#include <QDateTime>

class Clock;
class DateFormatters;
class ModeManager;
class UserDefaults;

// A row is one of the (at most three) next open tasks the tray panel lists: its check button,
// its title, the priority mark and date line, the notes line and the icons, as the task list
// paints them (TaskListDelegate), without the list's name. Heights follow the panel's width.
class PanelRowsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    PanelRowsModel(const ModeManager& mode, const DateFormatters& formatters, const Clock& clock,
                   const UserDefaults& defaults, QObject* parent = nullptr);

    // `currentDate`: a task due before it reads as overdue.
    void setReminders(const QList<store::ReminderPtr>& reminders, const QDateTime& currentDate);
    const QList<store::ReminderPtr>& reminders() const { return m_reminders; }
    store::ReminderPtr reminderAt(int row) const;
    void setWidth(int width);
    // New colours, a new text font or size.
    void refreshAppearance();

    int rowHeight(int row) const;
    // Ten points of padding and every row: what the panel's height counts for its table.
    int rowsHeight() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TaskRowParts partsFor(const store::Reminder& reminder) const;
    void recompute();

    const ModeManager& m_mode;
    const DateFormatters& m_formatters;
    const Clock& m_clock;
    const UserDefaults& m_defaults;
    QList<store::ReminderPtr> m_reminders;
    QList<TaskRowParts> m_parts;
    QList<int> m_heights;
    QDateTime m_currentDate;
    int m_width = 385;
    TaskRowHeights m_heightRule;
};

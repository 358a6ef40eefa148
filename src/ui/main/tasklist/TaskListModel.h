#pragma once

#include "data/views/TaskListRows.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"
#include "ui/main/tasklist/TaskRowContent.h"
#include "ui/main/tasklist/TaskRowHeights.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QDateTime>
#include <QList>

#include <memory>
#include <vector>

class Clock;
class DateFormatters;
class ModeManager;
class UserDefaults;

// A row is one line of the centre task list: a task, an event, the events header, the
// empty-state row or a blank spacer, in the order TaskListRows gives. What a task or event row
// shows is worked out when the row is first asked for and kept until the content, the shown
// period, the moment or the appearance changes; the heights of all rows are kept for the
// table's current width.
class TaskListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        KindRole = Qt::UserRole + 1, // int(TaskListRows::Kind)
        PartsRole,                   // TaskRowParts, task and event rows only
    };

    TaskListModel(const ModeManager& mode, const DateFormatters& formatters, const Clock& clock,
                  const UserDefaults& defaults, QObject* parent = nullptr);
    ~TaskListModel() override;

    // Replaces every row in one reset. `nesting` has one entry per reminder, or none when no
    // row is a subtask or a parent.
    void setContent(QList<store::ReminderPtr> reminders, QList<store::EventPtr> events,
                    QList<RowNesting> nesting = {});
    const QList<store::ReminderPtr>& reminders() const { return m_reminders; }
    const QList<store::EventPtr>& events() const { return m_events; }
    const TaskListRows& rows() const { return m_rows; }
    TaskListRows::Kind kindAt(int row) const { return m_rows.kind(row); }
    // Null for a row that is not a task (or an event).
    store::ReminderPtr reminderAt(int row) const;
    store::EventPtr eventAt(int row) const;
    // The default for a row that is not a task.
    RowNesting nestingAt(int row) const;
    // The row of the task with that identifier, -1 when it is not listed.
    int rowOfReminder(const QString& calendarItemIdentifier) const;

    // The first day the pane shows: tasks due before it read as overdue.
    void setCurrentDate(const QDateTime& currentDate);
    QDateTime currentDate() const { return m_currentDate; }
    // The present moment moved (the minute timer): dates and colours are worked out again.
    void refreshParts();
    // New colours or a new text font or size.
    void refreshAppearance();

    // The table's width; heights of all rows follow it.
    void setWidth(int width);
    int width() const { return m_width; }
    int rowHeight(int row) const;
    // Null for a row that is neither a task nor an event.
    const TaskRowParts* partsAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Tasks are check boxes (a role that carries the check state even where the bridge to the
    // desktop drops "checkable") and events are items; the header, the empty-state line and the
    // spacers are neither.
    static QAccessible::Role accessibleRole(TaskListRows::Kind kind);
    bool isRowIndex(const QModelIndex& index) const;
    RowContext context() const;
    // Titles are measured when they or the font change, and only wrapped again when the width
    // does; appends to m_titles, which the caller clears or restarts.
    void measureTitles();
    // Returns whether any height changed.
    bool recomputeHeights();
    void dropParts();
    void emitAllChanged();

    const ModeManager& m_mode;
    const DateFormatters& m_formatters;
    const Clock& m_clock;
    const UserDefaults& m_defaults;

    QList<store::ReminderPtr> m_reminders;
    QList<store::EventPtr> m_events;
    QList<RowNesting> m_nesting;
    TaskListRows m_rows{0, 0};
    QDateTime m_currentDate;
    int m_width = 0;
    TaskRowHeights m_heightRule;
    TaskRowHeights::MeasuredTitles m_titles;
    std::vector<bool> m_hasNotes;
    std::vector<int> m_heights;
    mutable std::vector<std::unique_ptr<TaskRowParts>> m_parts;
};

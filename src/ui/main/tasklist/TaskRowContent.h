#pragma once

#include "data/views/TaskListNesting.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QStringList>

class DateFormatters;
class ModeManager;

// Everything a task or event row shows, worked out without any widget: the texts of its parts
// and their colours, which images go where. The delegate only lays these out and paints them,
// so the rules about what a row says can be checked on their own.
struct TaskRowParts
{
    enum class Kind { Task, Event };
    Kind kind = Kind::Task;

    // The check button ("CellCheck", "CellCheckOn") or the event icon ("CellEvent").
    QString leadingImage;
    QColor leadingTint;

    QString title;
    QColor titleColor;

    // The list's title for a task, the location for an event.
    QString subtitle;
    QColor subtitleColor;

    // Hidden (empty, no height) when the notes are empty.
    bool notesShown = false;
    QString notes;
    QColor notesColor;

    // The information line: a priority mark followed by the date text.
    QString priorityMark;
    QColor markColor;
    QString dateText;
    QColor dateColor;

    // Up to three image names, filled from the first slot; an unused slot takes no width.
    QStringList icons;
    QColor iconColor;
    // Distance of the icons from the row's bottom edge, which depends on the text font.
    int iconBottomOffset = 2;

    // Subtasks: the row is indented `indent` pixels; a parent shows a fold control with its
    // subtasks' done of total on the information line, a subtask without its parent the
    // parent's title on a small line above its own.
    int indent = 0;
    RowNesting::Fold fold = RowNesting::Fold::None;
    QString progress;
    QString parentLine;
    QColor nestingColor;

    // What a screen reader says after the title: the date, the list (or the place), the
    // priority in words; the marks and colours say nothing to it.
    QString spokenDescription;

    QString informationLine() const { return priorityMark + dateText; }
};

Q_DECLARE_METATYPE(TaskRowParts)

// What a row's texts are measured against.
struct RowContext
{
    // The first day the pane shows; a task due before it reads as overdue.
    QDateTime currentDate;
    QDateTime now;
    const ModeManager& mode;
    const DateFormatters& formatters;
    // The "defaultFont" preference.
    int defaultFont = 0;
};

class TaskRowContent
{
    Q_DECLARE_TR_FUNCTIONS(TaskRowContent)

public:
    static constexpr int kMaxIcons = 3;

    static TaskRowParts forReminder(const store::Reminder& reminder, const RowContext& context,
                                    const RowNesting& nesting = {});
    static TaskRowParts forEvent(const store::Event& event, const RowContext& context);

    // "!!!  ", "!!  ", "!  " for the store's high, medium and low priorities; empty for none.
    static QString priorityMark(int priority);
    // "High Priority" and so on; empty for none.
    static QString priorityWords(int priority);
    // "Overdue, Yesterday, Work, High Priority": the row's date, list and priority in words.
    static QString spokenDescription(const store::Reminder& reminder, const TaskRowParts& parts,
                                     const RowContext& context);
    // The notes on one line; empty when there are none. Mail links (dropped messages) are
    // replaced by a short label only for tasks.
    // "Subtask of Trip" before the rest, "Subtasks done: 1 of 2, Expanded" after it.
    static QString spokenNesting(const RowNesting& nesting, const QString& rest);
    static QString notesLine(const QString& notes, bool detectMailLink);
    static int iconBottomOffset(int defaultFont);
    static QStringList iconsForReminder(const store::Reminder& reminder);

private:
    static QString singleLine(const QString& text);
};

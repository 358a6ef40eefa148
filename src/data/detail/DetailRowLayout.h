#pragma once

#include "platform/store/Reminder.h"

#include <QList>
#include <QString>

// The rows of the detail pane, top to bottom, for a task or an event: which rows exist, in
// which order, where the dividers are and how high the fixed rows are. A task's rows depend on
// whether it is completed, has a due date, a repeat rule and a location alarm; an event's rows
// are always the same read-only ones. The pane builds its widgets from this list.
enum class DetailRowKind {
    Divider,
    Title,
    Label,
    DueDate,
    CompletionDate,
    EventInfo,
    Repeat,
    EndRepeat,
    EndRepeatDetail,
    Alarm,
    Location,
    Map,
    Priorities,
    List,
    Url,
    Notes,
};

// The captions of the label rows.
enum class DetailLabel {
    None,
    DueDate,
    Completed,
    Repeat,
    EndRepeat,
    Alarm,
    Location,
    Priorities,
    List,
    Url,
    Notes,
};

struct DetailRow
{
    DetailRowKind kind = DetailRowKind::Divider;
    DetailLabel label = DetailLabel::None;
    bool operator==(const DetailRow&) const = default;
};

class DetailRowLayout
{
public:
    DetailRowLayout() = delete;

    static constexpr int kDividerHeight = 20;
    static constexpr int kRowHeight = 30;
    static constexpr int kEventInfoHeight = 50;
    static constexpr int kLocationHeight = 50;
    static constexpr int kMapHeight = 210;
    static constexpr int kHiddenHeight = 1;
    // The text boxes the title and the notes are laid out in, and what their rows add.
    static constexpr int kTitleWidth = 230;
    static constexpr int kNotesWidth = 210;
    static constexpr int kTextRowPadding = 14;

    // No rows for no task.
    static QList<DetailRow> rowsForReminder(const store::Reminder* reminder);
    static QList<DetailRow> rowsForEvent();
    static int numberOfRowsForReminder(const store::Reminder* reminder);
    static QList<int> dividersIndexArray(const QList<DetailRow>& rows);

    // A location alarm is any alarm with a place; time alarms are all the others.
    static bool hasLocationAlarm(const store::Reminder& reminder);

    // The height of a row that does not follow its text: the title and notes rows answer -1.
    // `ruleHasEnd` matters for the end-repeat detail row, which all but disappears without an
    // end; `locationAlarm` for the Location row.
    static int fixedHeight(DetailRowKind kind, bool locationAlarm, bool ruleHasEnd);

    static QString labelText(DetailLabel label);
};

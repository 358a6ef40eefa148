#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDateTime>
#include <QString>

#include <optional>

class SmartAdd;

// What the quick-add window would make of a line typed into it with the stored rules: the line
// is typed in character by character through a SmartAddEntry, so a trigger is taken where the
// window would take it, and then added. Used by the Smart Add settings to show the rules at
// work while the user edits them.
struct SmartAddPreview
{
    // False when nothing would be added (the line is blank once the triggers are cut).
    bool accepted = false;
    QString title;
    // Invalid: no due date.
    QDateTime dueDate;
    // 1 high, 2 medium, 3 low.
    std::optional<int> priority;
    bool alarm = false;
    // The name a list prefix asked for, as typed; empty when none.
    QString listName;
    std::optional<store::RecurrenceRule> repeat;

    static SmartAddPreview ofLine(const SmartAdd& smartAdd, const QString& line);
};

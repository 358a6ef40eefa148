#pragma once

#include <QString>
#include <QTime>

#include <optional>

// What "edit" was asked to change, each field only when its option was given. The texts that
// need the store or the clock (the due date, the list, the repeat, an alarm date) are read when
// the command runs, all before anything is written.
struct CliEditRequest
{
    std::optional<QString> title;
    std::optional<QString> notes;
    std::optional<QString> url;
    std::optional<QString> list;
    // The priority button: 0 none, 1 low, 2 medium, 3 high.
    std::optional<int> priority;
    std::optional<QString> due;
    bool noDue = false;
    std::optional<QTime> time;
    bool noTime = false;
    std::optional<QString> repeat;
    bool noRepeat = false;
    // "on", "off" or a date in the forms of --due.
    std::optional<QString> alarm;
    bool noAlarm = false;

    bool operator==(const CliEditRequest&) const = default;
};

#pragma once

#include "platform/store/Reminder.h"

#include <QByteArray>
#include <QList>

// Writing tasks out as one calendar that other programs and CalDAV servers take in: each task
// with every line its file has for it (and the overrides of its occurrences), then one
// VTIMEZONE for each zone they use, with CRLF line endings throughout.
namespace exchange {

struct ExportResult
{
    QByteArray calendar;
    qsizetype tasks = 0;
};

// `year` places the zones made for TZIDs whose files carry no VTIMEZONE.
ExportResult exportTasks(const QList<store::ReminderPtr>& tasks, int year);

} // namespace exchange

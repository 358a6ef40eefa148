#pragma once

#include <QDateTime>

// The instants the relative date texts are measured against: the start of the present day and
// the starts of its week and month. The data manager answers them from its own fields, which
// move only when it notices a new day, so that every text of one refresh agrees even when the
// refresh runs across midnight. Implementations are read from any thread.
class ReferenceDates
{
public:
    virtual ~ReferenceDates() = default;

    virtual QDateTime today() const = 0;
    virtual QDateTime thisWeekDate() const = 0;
    virtual QDateTime thisMonthDate() const = 0;
};

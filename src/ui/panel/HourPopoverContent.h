#pragma once

#include "data/views/HourBuckets.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

class DateFormatters;
class ModeManager;

// What the pop-up beside the day graph says about one hour: its start as a heading, then each
// task of the hour (a dot in its list's colour, the title, when it is due or how long overdue),
// a gap, and each event (a square in its calendar's colour, the title, its day and times). Works
// out the texts, colours and the pop-up's height without any widget.
class HourPopoverContent
{
    Q_DECLARE_TR_FUNCTIONS(HourPopoverContent)

public:
    static constexpr int kWidth = 320;
    static constexpr int kTextWidth = 300;
    static constexpr int kTitlePointSize = 13;
    static constexpr int kDetailPointSize = 11;

    struct Line
    {
        enum class Kind { Task, Gap, Event };
        Kind kind = Kind::Task;
        QString mark;
        QColor markColour;
        QString title;
        QString detail;
    };

    QString heading;
    QList<Line> lines;
    int height = 66;

    // Hour `k` of `buckets`, whose window starts at `windowStart`; a task due before
    // `startingDay` (midnight of today) reads as overdue. `titleHeight` measures a title laid out
    // at kTextWidth.
    static HourPopoverContent build(int k, const HourBuckets& buckets, const QDateTime& windowStart,
                                    const QDateTime& startingDay, const DateFormatters& formatters,
                                    const ModeManager& mode,
                                    const std::function<int(const QString&)>& titleHeight);

    // The lines as rich text in the mode's colours.
    QString toHtml(const ModeManager& mode) const;

    static QString eventDetail(const store::Event& event, const DateFormatters& formatters);
};

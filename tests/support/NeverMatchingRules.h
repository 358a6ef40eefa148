#pragma once

// Rules that produce no date after their start: combinations of BYSETPOS, BYMONTHDAY,
// BYYEARDAY, BYWEEKNO and intervals that no calendar date satisfies. Some are told apart from
// the rule's parts alone; the BYSETPOS ones only by walking periods until the work limit. The
// tests expand them, and so does the store benchmark (which includes this file).
namespace NeverMatchingRules {

struct Rule
{
    const char* text;
    bool endsAtWorkLimit; // only the work limit can tell that no date comes
};

// For a series that starts on 31 January 2026, 09:00.
inline constexpr Rule kRules[] = {
    {"FREQ=MONTHLY;BYMONTHDAY=31;BYMONTH=2,4,6,9,11", false},
    {"FREQ=YEARLY;BYYEARDAY=366;BYMONTH=1", false},
    {"FREQ=YEARLY;BYYEARDAY=-366;BYMONTH=12", false},
    {"FREQ=MONTHLY;BYDAY=5MO;BYMONTHDAY=1,2,3;BYSETPOS=-1", false},
    {"FREQ=YEARLY;BYWEEKNO=1;BYMONTH=6", false},
    {"FREQ=YEARLY;BYWEEKNO=53;BYMONTH=7;BYDAY=MO", false},
    {"FREQ=YEARLY;BYYEARDAY=1;BYMONTH=2", false},
    {"FREQ=DAILY;BYMONTHDAY=30;BYMONTH=2", false},
    {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-30", false},
    {"FREQ=MONTHLY;BYMONTHDAY=-31;BYMONTH=4,6", false},
    {"FREQ=YEARLY;BYYEARDAY=60;BYMONTHDAY=1;BYMONTH=1", false},
    {"FREQ=YEARLY;BYWEEKNO=20;BYYEARDAY=1,2,3", false},
    {"FREQ=MONTHLY;BYDAY=-5FR;BYMONTHDAY=28,29,30,31;BYMONTH=2", false},
    {"FREQ=YEARLY;BYMONTH=4;BYDAY=5SU;BYMONTHDAY=1,2", false},
    {"FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30", false},
    {"FREQ=MINUTELY;BYYEARDAY=366;BYMONTH=6", false},
    {"FREQ=YEARLY;BYWEEKNO=1,2;BYMONTH=5;BYSETPOS=1", false},
    {"FREQ=YEARLY;INTERVAL=4;BYMONTH=2;BYMONTHDAY=29;BYSETPOS=1", false},
    {"FREQ=MONTHLY;INTERVAL=12;BYMONTH=3;BYSETPOS=-1", false},
    {"FREQ=SECONDLY;BYMONTHDAY=31;BYMONTH=9;BYSETPOS=1", false},
    {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=6", true},
    {"FREQ=MONTHLY;BYMONTHDAY=1,2;BYSETPOS=3,-3", true},
    {"FREQ=WEEKLY;BYDAY=MO;BYSETPOS=2", true},
    {"FREQ=YEARLY;BYMONTH=1;BYSETPOS=366", true},
    {"FREQ=YEARLY;BYWEEKNO=10;BYDAY=TU;BYSETPOS=-2", true},
};

} // namespace NeverMatchingRules

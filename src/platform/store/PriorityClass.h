#pragma once

namespace store {

// The interface speaks of priority classes, 1 high, 2 medium, 3 low (0 or anything else: none);
// the store keeps iCalendar's 1-9 scale, where those are 1, 5 and 9.
constexpr int storePriorityForClass(int priorityClass)
{
    switch (priorityClass) {
    case 1:
        return 1;
    case 2:
        return 5;
    case 3:
        return 9;
    default:
        return 0;
    }
}

} // namespace store

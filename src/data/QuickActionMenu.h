#pragma once

#include "data/QuickAction.h"
#include "platform/store/Reminder.h"

#include <QList>
#include <QString>

class DataManager;

// One item of a task's context menu, as plain data; the task list turns the entries into its
// menu. `tag` is the record index of a quick action, the list index of a "Move to List" item
// and 0-3 of a "Set Priority" item.
struct QuickActionMenuEntry
{
    enum class Kind {
        CompletionToggle,
        DetailsToggle,
        Separator,
        QuickAction,
        MoveToListSubmenu,
        MoveToList,
        SetPrioritySubmenu,
        SetPriority,
        AddSubtask,
        Indent,
        Outdent,
    };

    Kind kind = Kind::Separator;
    QString title;
    bool enabled = true;
    int tag = -1;
    // The name of a submenu (and of nothing else).
    QString objectName;
    QList<QuickActionMenuEntry> items;
};

// The context menu of one task, rebuilt for each opening: completion, details, the quick
// actions in their stored order, then moving to another list and the priority.
class QuickActionMenu
{
public:
    static inline const QString kMenuName = QStringLiteral("QuickActions");
    static inline const QString kListsSubmenuName = QStringLiteral("listsSubMenu");
    static inline const QString kPrioritySubmenuName = QStringLiteral("prioritySubmenu");

    // Empty for a null reminder: a click outside the task rows gets an empty menu.
    static QList<QuickActionMenuEntry> build(const store::ReminderPtr& reminder, bool detailShowing,
                                             const QList<QuickAction>& quickActions,
                                             bool tagOnNotes,
                                             const QList<store::CalendarPtr>& visibleLists);
    // The same with the records, "tagOnNotes" and the visible lists as they are right now.
    static QList<QuickActionMenuEntry>
    build(const DataManager& manager, const store::ReminderPtr& reminder, bool detailShowing);

    // The store priority each "Set Priority" tag sets: none, low, medium, high.
    static int priorityForTag(int tag);

private:
    static QuickActionMenuEntry listsSubmenu(const store::Reminder& reminder,
                                             const QList<store::CalendarPtr>& visibleLists);
    static QuickActionMenuEntry prioritySubmenu(const store::Reminder& reminder);
};

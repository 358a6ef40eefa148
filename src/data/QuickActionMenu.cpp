#include "data/QuickActionMenu.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>

namespace {

using Entry = QuickActionMenuEntry;
using Kind = QuickActionMenuEntry::Kind;

struct QuickActionMenuText
{
    Q_DECLARE_TR_FUNCTIONS(QuickActionMenu)
};

Entry entry(Kind kind, const QString& title, bool enabled = true, int tag = -1)
{
    Entry item;
    item.kind = kind;
    item.title = title;
    item.enabled = enabled;
    item.tag = tag;
    return item;
}

Entry separator()
{
    return entry(Kind::Separator, QString());
}

bool sameList(const store::CalendarPtr& a, const store::CalendarPtr& b)
{
    return a && b && (a == b || a->calendarIdentifier == b->calendarIdentifier);
}

} // namespace

QList<QuickActionMenuEntry> QuickActionMenu::build(const store::ReminderPtr& reminder,
                                                   bool detailShowing,
                                                   const QList<QuickAction>& quickActions,
                                                   bool tagOnNotes,
                                                   const QList<store::CalendarPtr>& visibleLists)
{
    QList<Entry> menu;
    if (!reminder)
        return menu;
    const store::Reminder& task = *reminder;

    menu << entry(Kind::CompletionToggle, task.completed
                                              ? QuickActionMenuText::tr("Mark as Incomplete")
                                              : QuickActionMenuText::tr("Mark as Completed"));
    menu << entry(Kind::DetailsToggle, detailShowing ? QuickActionMenuText::tr("Hide Details")
                                                     : QuickActionMenuText::tr("Show Details"));
    menu << separator();

    for (int index = 0; index < quickActions.size(); ++index) {
        const QuickAction& action = quickActions.at(index);
        // Completing "after" only makes sense where a next occurrence follows.
        if (action.type == QuickAction::After && !task.hasRecurrenceRules())
            continue;
        bool enabled = action.isSupported();
        if (action.type == QuickAction::ClearDueDate)
            enabled = task.dueDateComponents.has_value();
        menu << entry(Kind::QuickAction, action.title(task, tagOnNotes), enabled, index);
    }

    menu << separator();
    menu << listsSubmenu(task, visibleLists);
    menu << prioritySubmenu(task);
    return menu;
}

QList<QuickActionMenuEntry> QuickActionMenu::build(const DataManager& manager,
                                                   const store::ReminderPtr& reminder,
                                                   bool detailShowing)
{
    if (!reminder)
        return {};
    const UserDefaults& defaults = manager.defaults();
    return build(reminder, detailShowing,
                 QuickAction::listFromVariant(defaults.arrayForKey(PrefKey::quickActions)),
                 defaults.boolForKey(PrefKey::tagOnNotes),
                 manager.lists().visibleListsByCalendar());
}

int QuickActionMenu::priorityForTag(int tag)
{
    static constexpr int kPriorities[] = {0, 9, 5, 1};
    return tag >= 0 && tag < 4 ? kPriorities[tag] : -1;
}

QuickActionMenuEntry QuickActionMenu::listsSubmenu(const store::Reminder& reminder,
                                                   const QList<store::CalendarPtr>& visibleLists)
{
    Entry submenu = entry(Kind::MoveToListSubmenu, QuickActionMenuText::tr("Move to List"));
    submenu.objectName = kListsSubmenuName;
    for (int index = 0; index < visibleLists.size(); ++index) {
        const store::CalendarPtr& list = visibleLists.at(index);
        if (!list)
            continue;
        submenu.items << entry(Kind::MoveToList, list->title, !sameList(list, reminder.calendar),
                               index);
    }
    return submenu;
}

QuickActionMenuEntry QuickActionMenu::prioritySubmenu(const store::Reminder& reminder)
{
    const int priority = reminder.priority;
    Entry submenu = entry(Kind::SetPrioritySubmenu, QuickActionMenuText::tr("Set Priority"));
    submenu.objectName = kPrioritySubmenuName;
    submenu.items << entry(Kind::SetPriority, QuickActionMenuText::tr("None", "priority"),
                           priority != 0, 0);
    submenu.items << entry(Kind::SetPriority, QStringLiteral("!"), priority < 6, 1);
    submenu.items << entry(Kind::SetPriority, QStringLiteral("!!"), priority != 5, 2);
    submenu.items << entry(Kind::SetPriority, QStringLiteral("!!!"), priority == 0 || priority > 4,
                           3);
    return submenu;
}

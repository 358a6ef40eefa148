#pragma once

#include "platform/store/Calendar.h"
#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QString>

#include <functional>

class DataManager;

// Tasks handed in by other programs — the "add" and "smartadd" URL commands and the command
// line — with the texts they come as: a priority number, "due" and "dueAfter" date texts and an
// alarm switch.
class ExternalTaskEntry
{
public:
    explicit ExternalTaskEntry(DataManager& manager);

    using AddCompletion = std::function<void(bool saved, store::ReminderPtr reminder)>;

    // The "add" URL command. Every argument is the text handed in, empty when absent. A blank
    // title adds nothing (completion(false, nullptr)). The completion runs before this returns.
    // With `parentUid` the task is written as that task's subtask.
    void addReminderFromURLSchemeWithTitle(const QString& title, const store::CalendarPtr& calendar,
                                           const QString& priority, const QString& url,
                                           const QString& notes, const QString& due,
                                           const QString& dueAfter, const QString& alarm,
                                           const AddCompletion& completion,
                                           const QString& parentUid = {});
    // The "smartadd" URL command: the whole line through the Smart Add rules in one pass. A
    // line with no title left once its triggers are cut adds nothing (completion(false,
    // nullptr)).
    void smartAddReminderFromURLSchemeWithText(const QString& text,
                                               const AddCompletion& completion);
    // The "due" and "dueAfter" texts as dates (see DueString.h); invalid when unreadable.
    QDateTime calculateDueDateFromDueString(const QString& due) const;
    QDateTime calculateDueDateFromDueAfterString(const QString& dueAfter) const;

private:
    QTime presetTime() const;

    DataManager& m_manager;
};

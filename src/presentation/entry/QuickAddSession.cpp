#include "presentation/entry/QuickAddSession.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "entry/QuickAddRules.h"
#include "entry/SmartAddPatterns.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

QuickAddSession::QuickAddSession(DataManager& manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_entry(std::make_unique<SmartAddEntry>(manager.smartAdd()))
{
    connect(m_entry.get(), &SmartAddEntry::dueDateChanged, this, &QuickAddSession::dueDateChanged);
    connect(m_entry.get(), &SmartAddEntry::ruleLabelChanged, this,
            &QuickAddSession::ruleLabelChanged);
    connect(m_entry.get(), &SmartAddEntry::repeatLabelChanged, this,
            &QuickAddSession::repeatLabelChanged);
    connect(m_entry.get(), &SmartAddEntry::listRequested, this, &QuickAddSession::listNamed);
}

QuickAddSession::~QuickAddSession() = default;

void QuickAddSession::setup()
{
    offerVisibleLists();
    startDueDateAt(QDateTime());
    m_entry->setup();
    Q_EMIT ruleLabelChanged(m_entry->ruleLabelText(), m_entry->canUndo());
    Q_EMIT repeatLabelChanged(m_entry->repeatLabelText());
}

void QuickAddSession::reset()
{
    setParentTask(nullptr);
    if (!m_lists.isEmpty())
        chooseDefaultList();
    const bool hadDueDate = m_entry->hasDueDate();
    m_entry->reset();
    if (!hadDueDate)
        Q_EMIT dueDateChanged(QDateTime());
}

void QuickAddSession::offerVisibleLists()
{
    m_lists = m_manager.lists().visibleListsByCalendar();
    m_chosen = -1;
    Q_EMIT listsChanged();
    if (m_lists.isEmpty()) {
        Q_EMIT noListAlertRequested();
        return;
    }
    chooseDefaultList();
}

void QuickAddSession::chooseDefaultList()
{
    // A default list that is not shown leaves the first shown list chosen.
    const QString wanted = m_manager.defaults().stringForKey(PrefKey::defaultList);
    int index = 0;
    for (int i = 0; i < m_lists.size(); ++i) {
        if (m_lists.at(i)->calendarIdentifier == wanted) {
            index = i;
            break;
        }
    }
    chooseIndex(index);
}

store::CalendarPtr QuickAddSession::chosenList() const
{
    return m_chosen >= 0 && m_chosen < m_lists.size() ? m_lists.at(m_chosen) : nullptr;
}

void QuickAddSession::chooseIndex(int index)
{
    if (index < 0 || index >= m_lists.size() || index == m_chosen)
        return;
    m_chosen = index;
    Q_EMIT chosenListChanged(index);
}

void QuickAddSession::chooseList(const QString& listIdentifier)
{
    if (listIdentifier.isEmpty())
        return;
    for (int i = 0; i < m_lists.size(); ++i) {
        if (m_lists.at(i)->calendarIdentifier == listIdentifier) {
            chooseIndex(i);
            return;
        }
    }
}

void QuickAddSession::setParentTask(const store::ReminderPtr& parent)
{
    if (parent == m_parent)
        return;
    m_parent = parent;
    if (parent && parent->calendar)
        chooseList(parent->calendar->calendarIdentifier);
    Q_EMIT parentTaskChanged(parent ? parent->title.toString() : QString());
}

store::ReminderPtr QuickAddSession::currentParent() const
{
    return m_parent ? m_manager.tasks().reminderWithIdentifier(m_parent->calendarItemIdentifier)
                    : nullptr;
}

void QuickAddSession::listNamed(const QString& name)
{
    // A subtask goes where its parent is; a list named in the title cannot move it.
    if (m_parent)
        return;
    if (const store::CalendarPtr list =
            m_manager.lists().calendarFromNameOnlyFromSelectedCalendars(name))
        chooseList(list->calendarIdentifier);
}

void QuickAddSession::startDueDateAt(const QDateTime& date)
{
    showDueDate(QuickAddRules::dueDateFor(date, m_manager.clock().now(), m_manager.defaults()));
}

void QuickAddSession::showDueDate(const QDateTime& dueDate)
{
    // The entry tells of a change; an unchanged date is told here, as the view may show
    // another one the user was picking.
    const bool changes = dueDate != m_entry->dueDate();
    m_entry->setDueDate(dueDate);
    if (!changes)
        Q_EMIT dueDateChanged(dueDate);
}

void QuickAddSession::startAtSelectedDate()
{
    startDueDateAt(m_manager.dates().selectedDate());
}

void QuickAddSession::addDueDate()
{
    startDueDateAt(m_manager.clock().now());
}

void QuickAddSession::clearDueDate()
{
    showDueDate(QDateTime());
}

QTime QuickAddSession::presetTime() const
{
    return SmartAddPatterns::timeFrom24HourText(
               m_manager.defaults().stringForKey(PrefKey::alarmTime))
        .value_or(QTime(9, 0));
}

std::optional<SmartAddEntry::TextChange> QuickAddSession::userEditedText(const QString& text,
                                                                         qsizetype cursorPosition)
{
    // A pasted line break would end up in the task's title: the field keeps one line.
    const QString line = QuickAddRules::singleLineTitle(text);
    const qsizetype cursor = qMin(cursorPosition, line.size());
    if (const auto change = m_entry->userEditedText(line, cursor))
        return change;
    if (line != text)
        return SmartAddEntry::TextChange{line, cursor};
    return std::nullopt;
}

store::CalendarPtr QuickAddSession::listForAdding(bool* fellBack)
{
    *fellBack = false;
    const store::CalendarPtr chosen = chosenList();
    if (!chosen)
        return nullptr;
    // The store's current record: the list may have been renamed or removed since the lists
    // were offered.
    if (const store::CalendarPtr current =
            m_manager.lists().calendarByUUID(chosen->calendarIdentifier))
        return current;
    const store::CalendarPtr fallback = m_manager.lists().defaultList();
    if (!fallback)
        return nullptr;
    *fellBack = true;
    Q_EMIT noticeRequested(
        tr("“%1” is gone; the task went to “%2”.").arg(chosen->title, fallback->title));
    offerVisibleLists();
    chooseList(fallback->calendarIdentifier);
    return fallback;
}

QuickAddSession::Addition QuickAddSession::addTask(const QString& typed)
{
    if (m_lists.isEmpty())
        return {AddResult::NoList, typed, nullptr};
    const SmartAddEntry::Submission submission = m_entry->submit(typed);
    if (!submission.accepted) {
        Q_EMIT noticeRequested(tr("Type a title for the task."));
        return {AddResult::Blank, submission.text, nullptr};
    }
    bool fellBack = false;
    const store::ReminderPtr parent = currentParent();
    if (m_parent && (!parent || parent->uid.isEmpty() || !parent->calendar)) {
        Q_EMIT noticeRequested(tr("The parent task is no longer in the store."));
        return {AddResult::Failed, typed, nullptr};
    }
    const store::CalendarPtr list = parent ? parent->calendar : listForAdding(&fellBack);
    if (!list)
        return {AddResult::NoList, typed, nullptr};

    bool saved = false;
    store::ReminderPtr added;
    TaskOperations& tasks = m_manager.tasks();
    tasks.addReminderWithTitle(
        submission.title, list, submission.priority, submission.dueDate, submission.repeat,
        QString(), QString(), submission.alarm, std::nullopt,
        [&saved, &added](bool ok, const store::ReminderPtr& reminder) {
            saved = ok;
            added = reminder;
        },
        parent ? parent->uid : QString());
    if (!saved) {
        // Nothing is lost: the text stays as typed for another try.
        Q_EMIT noticeRequested(tr("The task could not be saved: %1").arg(tasks.lastSaveError()));
        return {AddResult::Failed, typed, nullptr};
    }
    Q_EMIT taskAdded(added);
    return {fellBack ? AddResult::AddedToDefaultList : AddResult::Added, QString(), added};
}

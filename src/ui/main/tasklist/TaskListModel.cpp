#include "ui/main/tasklist/TaskListModel.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/AccessibleListView.h"

#include <QSize>

TaskListModel::TaskListModel(const ModeManager& mode, const DateFormatters& formatters,
                             const Clock& clock, const UserDefaults& defaults, QObject* parent)
    : QAbstractListModel(parent)
    , m_mode(mode)
    , m_formatters(formatters)
    , m_clock(clock)
    , m_defaults(defaults)
{
    m_heightRule.setFont(m_mode.fontWithSize(m_mode.fontSize()));
    measureTitles();
    recomputeHeights();
    dropParts();
}

TaskListModel::~TaskListModel() = default;

void TaskListModel::setContent(QList<store::ReminderPtr> reminders, QList<store::EventPtr> events,
                               QList<RowNesting> nesting)
{
    beginResetModel();
    m_reminders = std::move(reminders);
    m_events = std::move(events);
    m_nesting = std::move(nesting);
    m_rows = TaskListRows(int(m_reminders.size()), int(m_events.size()));
    dropParts();
    m_titles.restart();
    measureTitles();
    recomputeHeights();
    endResetModel();
}

store::ReminderPtr TaskListModel::reminderAt(int row) const
{
    const int index = m_rows.reminderIndex(row);
    return index < 0 ? nullptr : m_reminders.at(index);
}

store::EventPtr TaskListModel::eventAt(int row) const
{
    const int index = m_rows.eventIndex(row);
    return index < 0 ? nullptr : m_events.at(index);
}

RowNesting TaskListModel::nestingAt(int row) const
{
    const int index = m_rows.reminderIndex(row);
    return index >= 0 && index < m_nesting.size() ? m_nesting.at(index) : RowNesting();
}

int TaskListModel::rowOfReminder(const QString& calendarItemIdentifier) const
{
    for (int i = 0; i < m_reminders.size(); ++i) {
        const store::ReminderPtr& reminder = m_reminders.at(i);
        if (reminder && reminder->calendarItemIdentifier == calendarItemIdentifier)
            return m_rows.rowForReminder(i);
    }
    return -1;
}

void TaskListModel::setCurrentDate(const QDateTime& currentDate)
{
    if (currentDate == m_currentDate)
        return;
    m_currentDate = currentDate;
    dropParts();
    emitAllChanged();
}

void TaskListModel::refreshParts()
{
    dropParts();
    emitAllChanged();
}

void TaskListModel::refreshAppearance()
{
    dropParts();
    m_heightRule.setFont(m_mode.fontWithSize(m_mode.fontSize()));
    m_titles.clear();
    measureTitles();
    if (recomputeHeights()) {
        Q_EMIT layoutAboutToBeChanged();
        Q_EMIT layoutChanged();
    }
    emitAllChanged();
}

void TaskListModel::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    // A view that lays out rows of different heights keeps their sizes; a layout change makes
    // it ask again.
    if (recomputeHeights()) {
        Q_EMIT layoutAboutToBeChanged();
        Q_EMIT layoutChanged();
    }
}

int TaskListModel::rowHeight(int row) const
{
    if (row < 0 || row >= int(m_heights.size()))
        return 0;
    return m_heights[size_t(row)];
}

const TaskRowParts* TaskListModel::partsAt(int row) const
{
    const TaskListRows::Kind kind = m_rows.kind(row);
    if (kind != TaskListRows::Kind::Task && kind != TaskListRows::Kind::Event)
        return nullptr;
    std::unique_ptr<TaskRowParts>& slot = m_parts[size_t(row)];
    if (!slot) {
        const RowContext rowContext = context();
        if (kind == TaskListRows::Kind::Task) {
            const store::ReminderPtr reminder = reminderAt(row);
            if (!reminder)
                return nullptr;
            slot = std::make_unique<TaskRowParts>(
                TaskRowContent::forReminder(*reminder, rowContext, nestingAt(row)));
        } else {
            const store::EventPtr event = eventAt(row);
            if (!event)
                return nullptr;
            slot = std::make_unique<TaskRowParts>(TaskRowContent::forEvent(*event, rowContext));
        }
    }
    return slot.get();
}

int TaskListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.rowCount();
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const
{
    if (!isRowIndex(index))
        return {};
    const int row = index.row();
    const TaskListRows::Kind kind = m_rows.kind(row);
    switch (role) {
    case KindRole:
        return int(kind);
    case Qt::SizeHintRole:
        return QSize(m_width, rowHeight(row));
    case PartsRole:
        if (const TaskRowParts* parts = partsAt(row))
            return QVariant::fromValue(*parts);
        return {};
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (kind) {
        case TaskListRows::Kind::Empty:
            return tr("No Tasks");
        case TaskListRows::Kind::EventsHeader:
            return tr("Calendar Events");
        case TaskListRows::Kind::Task:
        case TaskListRows::Kind::Event:
            if (const TaskRowParts* parts = partsAt(row))
                return parts->title;
            return {};
        default:
            return {};
        }
    case AccessibleListView::AccessibleRowRole:
        return int(accessibleRole(kind));
    case Qt::AccessibleDescriptionRole:
        if (const TaskRowParts* parts = partsAt(row))
            return parts->spokenDescription;
        return {};
    case AccessibleListView::AccessibleExpandedRole:
        switch (nestingAt(row).fold) {
        case RowNesting::Fold::Open:
            return true;
        case RowNesting::Fold::Folded:
            return false;
        case RowNesting::Fold::None:
            return {};
        }
        return {};
    case Qt::CheckStateRole:
        if (const store::ReminderPtr reminder = reminderAt(row))
            return reminder->completed ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TaskListModel::flags(const QModelIndex& index) const
{
    if (!isRowIndex(index))
        return Qt::NoItemFlags;
    // Every row takes a click: the pane moves a selection that lands on the header or a
    // spacer to the neighbouring event or task (see TaskListRows::proposeSelection).
    // A task's check state is what a screen reader reads from its check button; the button
    // itself (TaskListDelegate) and the row's "Complete" action change it, never setData.
    const Qt::ItemFlags checkable = m_rows.kind(index.row()) == TaskListRows::Kind::Task
                                        ? Qt::ItemIsUserCheckable
                                        : Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | checkable;
}

QAccessible::Role TaskListModel::accessibleRole(TaskListRows::Kind kind)
{
    switch (kind) {
    case TaskListRows::Kind::Task:
        return QAccessible::CheckBox;
    case TaskListRows::Kind::Event:
        return QAccessible::ListItem;
    case TaskListRows::Kind::EventsHeader:
        return QAccessible::Heading;
    case TaskListRows::Kind::Empty:
        return QAccessible::StaticText;
    default:
        // A blank spacer is no item to stop at.
        return QAccessible::Separator;
    }
}

bool TaskListModel::isRowIndex(const QModelIndex& index) const
{
    // Views and testers ask about invalid indexes as a matter of course; that is no fault.
    return index.isValid() && index.model() == this && !index.parent().isValid() &&
           index.column() == 0 && index.row() < m_rows.rowCount();
}

RowContext TaskListModel::context() const
{
    return RowContext{m_currentDate, m_clock.now(), m_mode, m_formatters,
                      int(m_defaults.integerForKey(PrefKey::defaultFont))};
}

void TaskListModel::measureTitles()
{
    const int count = m_rows.rowCount();
    m_titles.reserve(count);
    m_hasNotes.assign(size_t(count), false);
    // Every row has an entry, so that entry and row numbers agree; the fixed rows' are empty.
    for (int row = 0; row < count; ++row) {
        const TaskListRows::Kind kind = m_rows.kind(row);
        const store::Reminder* reminder =
            kind == TaskListRows::Kind::Task ? m_reminders.at(row).get() : nullptr;
        const store::Event* event =
            kind == TaskListRows::Kind::Event ? m_events.at(m_rows.eventIndex(row)).get() : nullptr;
        if (reminder) {
            m_heightRule.measure(m_titles, reminder->title);
            m_hasNotes[size_t(row)] = !reminder->notes.isEmpty();
        } else if (event) {
            m_heightRule.measure(m_titles, event->title);
            m_hasNotes[size_t(row)] = !event->notes.isEmpty();
        } else {
            m_heightRule.measure(m_titles, QString());
        }
    }
}

bool TaskListModel::recomputeHeights()
{
    const int count = m_rows.rowCount();
    const int textWidth = m_width - TaskRowHeights::kTitleInset;
    std::vector<int> heights(size_t(count), 0);
    for (int row = 0; row < count; ++row) {
        switch (m_rows.kind(row)) {
        case TaskListRows::Kind::Empty:
            heights[size_t(row)] = TaskListRows::kEmptyRowHeight;
            break;
        case TaskListRows::Kind::Spacer:
            heights[size_t(row)] = TaskListRows::kSpacerRowHeight;
            break;
        case TaskListRows::Kind::EventsHeader:
            heights[size_t(row)] = TaskListRows::kHeaderRowHeight;
            break;
        case TaskListRows::Kind::Task:
        case TaskListRows::Kind::Event: {
            const RowNesting nesting = nestingAt(row);
            heights[size_t(row)] =
                m_heightRule.titleHeight(m_titles, row,
                                         textWidth - TaskRowHeights::indentFor(nesting.depth)) +
                TaskRowHeights::kFixedHeight +
                (m_hasNotes[size_t(row)] ? TaskRowHeights::kNotesHeight : 0) +
                (nesting.namesParent() ? TaskRowHeights::kParentLineHeight : 0);
            break;
        }
        case TaskListRows::Kind::None:
            break;
        }
    }
    const bool changed = heights != m_heights;
    m_heights = std::move(heights);
    return changed;
}

void TaskListModel::dropParts()
{
    m_parts.clear();
    m_parts.resize(size_t(m_rows.rowCount()));
}

void TaskListModel::emitAllChanged()
{
    const int count = m_rows.rowCount();
    if (count == 0)
        return;
    Q_EMIT dataChanged(index(0), index(count - 1));
}

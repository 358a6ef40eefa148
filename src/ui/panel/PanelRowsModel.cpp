#include "ui/panel/PanelRowsModel.h"

#include "data/views/TaskListRows.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/tasklist/TaskListModel.h"

namespace {

constexpr int kPadding = 10;

} // namespace

PanelRowsModel::PanelRowsModel(const ModeManager& mode, const DateFormatters& formatters,
                               const Clock& clock, const UserDefaults& defaults, QObject* parent)
    : QAbstractListModel(parent)
    , m_mode(mode)
    , m_formatters(formatters)
    , m_clock(clock)
    , m_defaults(defaults)
{
    m_heightRule.setFont(m_mode.fontWithSize(m_mode.fontSize()));
}

TaskRowParts PanelRowsModel::partsFor(const store::Reminder& reminder) const
{
    const RowContext context{m_currentDate, m_clock.now(), m_mode, m_formatters,
                             int(m_defaults.integerForKey(PrefKey::defaultFont))};
    TaskRowParts parts = TaskRowContent::forReminder(reminder, context);
    // The panel's rows say when, not where.
    parts.subtitle.clear();
    return parts;
}

void PanelRowsModel::setReminders(const QList<store::ReminderPtr>& reminders,
                                  const QDateTime& currentDate)
{
    beginResetModel();
    m_reminders = reminders;
    m_currentDate = currentDate;
    recompute();
    endResetModel();
}

void PanelRowsModel::recompute()
{
    m_parts.clear();
    m_heights.clear();
    for (const store::ReminderPtr& reminder : std::as_const(m_reminders)) {
        m_parts.append(partsFor(*reminder));
        // A row without a title keeps its check button and date line: the fixed height.
        m_heights.append(
            m_heightRule.rowHeight(reminder->title, !reminder->notes.isEmpty(), m_width));
    }
}

store::ReminderPtr PanelRowsModel::reminderAt(int row) const
{
    return row >= 0 && row < m_reminders.size() ? m_reminders.at(row) : nullptr;
}

void PanelRowsModel::setWidth(int width)
{
    if (width == m_width)
        return;
    beginResetModel();
    m_width = width;
    recompute();
    endResetModel();
}

void PanelRowsModel::refreshAppearance()
{
    beginResetModel();
    m_heightRule.setFont(m_mode.fontWithSize(m_mode.fontSize()));
    recompute();
    endResetModel();
}

int PanelRowsModel::rowHeight(int row) const
{
    return m_heights.value(row);
}

int PanelRowsModel::rowsHeight() const
{
    int height = kPadding;
    for (const int row : m_heights)
        height += row;
    return height;
}

int PanelRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_reminders.size());
}

QVariant PanelRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_parts.size())
        return {};
    switch (role) {
    case TaskListModel::KindRole:
        return int(TaskListRows::Kind::Task);
    case TaskListModel::PartsRole:
        return QVariant::fromValue(m_parts.at(index.row()));
    case Qt::SizeHintRole:
        return QSize(m_width, m_heights.at(index.row()));
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_parts.at(index.row()).title;
    case Qt::AccessibleDescriptionRole:
        return m_parts.at(index.row()).spokenDescription;
    case Qt::CheckStateRole:
        return m_reminders.at(index.row())->completed ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

Qt::ItemFlags PanelRowsModel::flags(const QModelIndex& index) const
{
    // Selectable so that the keyboard can stand on a row and act on it.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                                 Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

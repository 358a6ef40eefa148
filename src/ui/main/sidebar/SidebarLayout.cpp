#include "ui/main/sidebar/SidebarLayout.h"

#include "data/ListTitles.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QTextDocumentFragment>

namespace {

const QString kType = QStringLiteral("type");
const QString kTitle = QStringLiteral("title");
const QString kTag = QStringLiteral("tag");
const QString kIdentifier = QStringLiteral("identifier");

QVariantMap dateEntry(qint64 type)
{
    return {{kType, QVariant::fromValue(type)}, {kTitle, QString()}};
}

bool isSmartType(qint64 type)
{
    return type == 8 || type == 9 || type == 15;
}

} // namespace

qint64 SidebarLayout::typeOfEntry(const QVariantMap& entry)
{
    return UserDefaults::integerValue(entry.value(kType));
}

void SidebarLayout::loadLists(const QVariantList& listNavArray, const QStringList& visibleLists,
                              const QList<store::CalendarPtr>& allCalendars)
{
    m_presetLists.clear();
    m_tagLists.clear();
    m_defaultLists.clear();
    for (const QVariant& value : listNavArray) {
        const QVariantMap entry = value.toMap();
        if (isSmartType(typeOfEntry(entry)))
            m_tagLists << entry;
        else
            m_presetLists << entry;
    }
    for (const QString& identifier : visibleLists) {
        for (const store::CalendarPtr& list : allCalendars) {
            if (list->calendarIdentifier != identifier)
                continue;
            m_defaultLists << QVariantMap{{kType, QVariant::fromValue(qint64(10))},
                                          {kTitle, list->title},
                                          {kIdentifier, list->calendarIdentifier}};
        }
    }

    m_dividers = {3};
    if (!m_presetLists.isEmpty())
        m_dividers.insert(presetStart() + int(m_presetLists.size()));
    if (!m_tagLists.isEmpty())
        m_dividers.insert(smartStart() + int(m_tagLists.size()));
    m_dividers.insert(listStart() + int(m_defaultLists.size()));
}

void SidebarLayout::loadLists(const DataManager& manager)
{
    const UserDefaults& defaults = manager.defaults();
    loadLists(defaults.arrayForKey(PrefKey::listNavArray), manager.visibleLists(),
              manager.allCalendars());
}

int SidebarLayout::smartStart() const
{
    return presetStart() + (m_presetLists.isEmpty() ? 0 : int(m_presetLists.size()) + 1);
}

int SidebarLayout::listStart() const
{
    return smartStart() + (m_tagLists.isEmpty() ? 0 : int(m_tagLists.size()) + 1);
}

int SidebarLayout::rowCount() const
{
    return listStart() + int(m_defaultLists.size()) + 2;
}

SidebarLayout::RowKind SidebarLayout::kindOfRow(int row) const
{
    if (isDivider(row))
        return RowKind::Divider;
    if (row < 3)
        return RowKind::Date;
    if (row < smartStart())
        return RowKind::Preset;
    if (row < listStart())
        return RowKind::Smart;
    if (row == searchRow())
        return RowKind::Search;
    return RowKind::List;
}

QVariantMap SidebarLayout::dictForRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    switch (kindOfRow(row)) {
    case RowKind::Divider:
        return {};
    case RowKind::Date:
        return dateEntry(11 + row);
    case RowKind::Preset:
        return m_presetLists.value(row - presetStart()).toMap();
    case RowKind::Smart:
        return m_tagLists.value(row - smartStart()).toMap();
    case RowKind::List:
        return m_defaultLists.value(row - listStart()).toMap();
    case RowKind::Search:
        return {{kType, QVariant::fromValue(qint64(14))},
                {kTitle, QCoreApplication::translate("SidebarLayout", "Search")}};
    }
    return {};
}

int SidebarLayout::rowForPresetList(int n) const
{
    return m_presetLists.isEmpty() ? 0 : presetStart() - 1 + n;
}

int SidebarLayout::rowForSmartList(int n) const
{
    return smartStart() - 1 + n;
}

int SidebarLayout::rowForList(int n) const
{
    return listStart() - 1 + n;
}

int SidebarLayout::rowForListIdentifier(const QString& identifier) const
{
    for (int i = 0; i < m_defaultLists.size(); ++i) {
        if (m_defaultLists.at(i).toMap().value(kIdentifier).toString() == identifier)
            return listStart() + i;
    }
    return -1;
}

int SidebarLayout::acceptedSelection(int proposedRow, int currentRow) const
{
    if (proposedRow < 0 || proposedRow >= rowCount() || isDivider(proposedRow))
        return currentRow;
    return proposedRow;
}

bool SidebarLayout::canDeleteRow(int row) const
{
    switch (kindOfRow(row)) {
    case RowKind::Smart:
        return row >= 0 && row < rowCount();
    case RowKind::List:
        return m_defaultLists.size() >= 2;
    default:
        return false;
    }
}

QList<SidebarLayout::Action> SidebarLayout::actionsForRow(int row, bool listIsMutable) const
{
    QList<Action> actions{Action::Share};
    const RowKind kind = kindOfRow(row);
    if (kind == RowKind::Smart) {
        actions << Action::Delete;
    } else if (kind == RowKind::List && m_defaultLists.size() >= 2) {
        if (listIsMutable)
            actions << Action::Edit;
        actions << Action::Delete;
    }
    return actions;
}

QString SidebarLayout::richTitleForEntry(const QVariantMap& entry, const DataManager& manager)
{
    switch (typeOfEntry(entry)) {
    case 11:
        return manager.selectedDateDayString();
    case 12:
        return manager.selectedDateWeekString().toHtmlEscaped();
    case 13:
        return manager.selectedDateMonthString().toHtmlEscaped();
    default:
        return titleForEntry(entry, manager).toHtmlEscaped();
    }
}

QString SidebarLayout::titleForEntry(const QVariantMap& entry, const DataManager& manager)
{
    const qint64 type = typeOfEntry(entry);
    if (type >= 0 && type <= 7)
        return ListTitles::presetListTitle(type);
    switch (type) {
    case 8:
    case 9:
    case 15:
        return ListTitles::smartListTitle(entry);
    case 11:
        return QTextDocumentFragment::fromHtml(manager.selectedDateDayString())
            .toPlainText()
            .trimmed();
    case 12:
        return manager.selectedDateWeekString();
    case 13:
        return manager.selectedDateMonthString();
    default:
        return entry.value(kTitle).toString();
    }
}

QVariant SidebarLayout::countKeyForEntry(const QVariantMap& entry)
{
    const qint64 type = typeOfEntry(entry);
    if ((type >= 0 && type <= 7) || (type >= 11 && type <= 13))
        return QVariant::fromValue(type);
    if (isSmartType(type))
        return QStringLiteral("###%1").arg(entry.value(kTag).toString());
    return entry.value(kTitle).toString();
}

QString SidebarLayout::countTextForEntry(const QVariantMap& entry, const CountDictionary& counts)
{
    if (entry.isEmpty())
        return QString();
    const QVariant key = countKeyForEntry(entry);
    if (!counts.contains(key))
        return QString();
    return QString::number(counts.countForKey(key));
}

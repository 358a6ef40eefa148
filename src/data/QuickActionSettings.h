#pragma once

#include "data/QuickAction.h"

#include <QVariantList>

// What the Quick Actions tab of the preferences edits: the stored "quickActionsMac" records as
// they are, in menu order. The records are carried untouched (a newer version's keys, an action
// this version cannot perform) and only the one the user edits is rebuilt.
namespace QuickActionSettings {

// Whether the sheet can show and rebuild the record: a known kind with values of the right types.
bool isEditable(const QVariant& record);
// The row text: "Clear Due Date", "#home", "+1 Minute", "high → mid → low"; a record that is
// not editable reads "Unsupported Action".
QString rowText(const QVariant& record);

// Row `from` moved above row `to` (`to` may be the count: the end); false when out of range.
bool move(QVariantList& records, int from, int to);
// Replaces the first record equal to `old`; false, changing nothing, when none is stored (it
// was deleted meanwhile: an edit must not bring it back).
bool replace(QVariantList& records, const QVariant& old, const QuickAction& action);

} // namespace QuickActionSettings

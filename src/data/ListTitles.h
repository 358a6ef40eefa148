#pragma once

#include <QString>
#include <QVariantMap>

// The names of the sidebar's entries as the sidebar, the task list's title line and the list
// menus show them, so that the three always agree.
namespace ListTitles {

// "All Tasks" … "Low Priority Tasks" for the preset types 0-7; "" for any other type.
QString presetListTitle(qint64 type);
// A smart list: "#" and the tag for a tag list (8), the tag itself for a merged list (9) or a
// saved search (15); "" for any other type.
QString smartListTitle(const QVariantMap& entry);

} // namespace ListTitles

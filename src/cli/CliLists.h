#pragma once

#include "platform/store/Calendar.h"

#include <QList>
#include <QStringList>

#include <optional>

struct CliRequest;
class UserDefaults;

// `velmoran-cli lists`: the task lists with whether each is shown.
namespace CliLists {

// Answers from the folders' metadata without reading the store's items, checking the visible
// lists against the lists found as the data manager does. Nothing when the store is still to
// be set up (a folder missing or not writable, no collection yet): opening it does that.
std::optional<int> runFromFolders(UserDefaults& defaults, const CliRequest& request);
void print(const QList<store::CalendarPtr>& lists, const QStringList& visible, bool json);

} // namespace CliLists

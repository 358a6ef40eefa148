#pragma once

#include "platform/store/StoreIndex.h"

#include <QString>
#include <QStringList>

// Which of the store's folders a command reads. The others stand by what the parse cache knows
// of them (and are read whole when it cannot tell), so a question about one list or about the
// events of a large store of tasks costs what that part of the store costs.
namespace CliStoreScope {

// Every list the name may stand for: by identifier, or by a title that equals it or begins
// with it, ignoring case (as the command then picks among them).
store::StoreIndex::Scope oneList(const QString& name);
// Every list any of the names may stand for.
store::StoreIndex::Scope someLists(const QStringList& names);
// The folders that hold events, or may: those the parse cache cannot vouch for hold none.
store::StoreIndex::Scope eventCalendars(const QStringList& roots);

} // namespace CliStoreScope

#pragma once

#include <QStringList>

// What the preference rules need to know about the store's reminder lists: their identifiers
// in the store's order. The data manager answers it from the store; the defaults routine and
// the visible-list bookkeeping take it so that they can run before (or without) a store.
class ListCatalog
{
public:
    virtual ~ListCatalog() = default;

    // Identifiers of every reminder list, in store order.
    virtual QStringList allListIdentifiers() const = 0;
};

#pragma once

#include <QStringList>

class ListCatalog;
class UserDefaults;

// "invisibleLists" follows "visibleLists": nothing is hidden while no list was chosen (an empty
// visible array means every list is shown); otherwise every list of the store, in store order,
// that the visible array does not name. A missing catalog knows no lists, so nothing can be
// hidden.
QStringList invisibleListsAccordingToVisibleList(const QStringList& visibleLists,
                                                 const ListCatalog* lists);

// Stores the rule's result as "invisibleLists" at once.
void makeInvisibleListAccordingToVisibleList(UserDefaults& defaults, const ListCatalog* lists,
                                             const QStringList& visibleLists);

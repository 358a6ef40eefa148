#pragma once

#include "platform/store/ParsedItem.h"

#include <QList>
#include <QString>

namespace store {

// A file in one of the store's list folders that is not shown because it could not be taken
// in as an item: too large, unreadable, or not iCalendar. The file is left as it is; the user
// is told so that it does not go missing in silence.
struct UnreadableFile
{
    QString path;
    QString listIdentifier;
    QString listTitle;
    ItemProblem problem = ItemProblem::None;
    // The system's or the parser's words, for the reasons that have any.
    QString detail;

    // Why, in words a user understands: "larger than 16 MB", "cannot be read: Permission
    // denied", "not an iCalendar file: …".
    QString reason() const;

    bool operator==(const UnreadableFile&) const = default;
};

// Files above this size are not items a person wrote; they are skipped, never rewritten.
inline constexpr qint64 kMaxItemSize = 16 * 1024 * 1024;

} // namespace store

#include "platform/store/UnreadableFile.h"

#include <QCoreApplication>

namespace store {

QString UnreadableFile::reason() const
{
    switch (problem) {
    case ItemProblem::TooLarge:
        return QCoreApplication::translate("UnreadableFile", "larger than %1 MB")
            .arg(kMaxItemSize / (1024 * 1024));
    case ItemProblem::CannotRead:
        return QCoreApplication::translate("UnreadableFile", "cannot be read: %1").arg(detail);
    case ItemProblem::NotICalendar:
        return QCoreApplication::translate("UnreadableFile", "not an iCalendar file: %1")
            .arg(detail);
    case ItemProblem::None:
        break;
    }
    return {};
}

} // namespace store

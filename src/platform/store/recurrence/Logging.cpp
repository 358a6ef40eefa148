#include "platform/store/recurrence/Logging.h"

namespace store::recurrence {
Q_LOGGING_CATEGORY(lcRecurrence, "velmoran.store.recurrence")
}

#pragma once

#include <QLoggingCategory>

namespace store::recurrence {
Q_DECLARE_LOGGING_CATEGORY(lcRecurrence)
}

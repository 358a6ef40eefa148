#pragma once

#include "platform/store/RareValue.h"

#include <QString>

namespace store {

// A text most records leave empty, as most tasks name no parent; it is assigned whole.
using RareText = RareValue<QString>;

static_assert(sizeof(RareText) == sizeof(void*));

} // namespace store

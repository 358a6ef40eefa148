#include "TestEnvironment.h"

#include "ui/common/FocusRingStyle.h"

namespace TestEnvironment {

void prepareWidgets()
{
    FocusRingStyle::install();
}

} // namespace TestEnvironment

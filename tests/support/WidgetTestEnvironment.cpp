#include "TestEnvironment.h"

#include "ui/common/AccessibleRoles.h"
#include "ui/common/ContrastStyle.h"
#include "ui/common/TimeFieldTabbing.h"

namespace TestEnvironment {

void prepareWidgets()
{
    ContrastStyle::install();
    AccessibleRoles::install();
    TimeFieldTabbing::install();
}

} // namespace TestEnvironment

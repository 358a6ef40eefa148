#include "TestEnvironment.h"

#include "ui/common/AccessibleRoles.h"
#include "ui/common/ContrastStyle.h"

namespace TestEnvironment {

void prepareWidgets()
{
    ContrastStyle::install();
    AccessibleRoles::install();
}

} // namespace TestEnvironment

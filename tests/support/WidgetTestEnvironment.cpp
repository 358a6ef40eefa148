#include "TestEnvironment.h"

#include "ui/common/ContrastStyle.h"

namespace TestEnvironment {

void prepareWidgets()
{
    ContrastStyle::install();
}

} // namespace TestEnvironment

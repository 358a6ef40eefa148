#include "ui/common/LocaleTimeFormat.h"

QString localeTimeEditFormat(const QLocale& locale)
{
    // Times here are whole minutes; some locales' short formats still carry seconds.
    return locale.timeFormat(QLocale::ShortFormat)
        .remove(QStringLiteral(":ss"))
        .remove(QStringLiteral(".ss"));
}

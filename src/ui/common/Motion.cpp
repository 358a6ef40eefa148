#include "ui/common/Motion.h"

#include "platform/desktop/DesktopPreferences.h"

#include <QApplication>

#include <cmath>

namespace Motion {

int duration(int designedMilliseconds)
{
    return int(std::lround(designedMilliseconds * DesktopPreferences::shared().animationScale()));
}

bool isReduced()
{
    return DesktopPreferences::shared().reducesMotion();
}

void followDesktop()
{
    DesktopPreferences& desktop = DesktopPreferences::shared();
    // Where motion is allowed, the platform theme's choice stands.
    const bool themeAnimates = QApplication::isEffectEnabled(Qt::UI_General);
    const auto apply = [&desktop, themeAnimates] {
        QApplication::setEffectEnabled(Qt::UI_General, themeAnimates && !desktop.reducesMotion());
    };
    apply();
    QObject::connect(&desktop, &DesktopPreferences::animationScaleChanged, qApp, apply);
}

} // namespace Motion

#include "ui/common/WindowFrameKeeper.h"

#include "platform/UserDefaults.h"
#include "ui/common/WindowPlacement.h"

#include <QEvent>
#include <QWidget>

WindowFrameKeeper::WindowFrameKeeper(QWidget* window, UserDefaults& defaults, QLatin1StringView key)
    : QObject(window)
    , m_window(window)
    , m_defaults(defaults)
    , m_key(key)
{
    window->installEventFilter(this);
}

bool WindowFrameKeeper::keep(QWidget* window, UserDefaults& defaults, QLatin1StringView key,
                             const QWidget* owner)
{
    new WindowFrameKeeper(window, defaults, key);
    const QRect saved = WindowPlacement::frameFromString(defaults.stringForKey(key));
    if (!saved.isValid()) {
        WindowPlacement::fitToScreen(window, owner);
        return false;
    }
    WindowPlacement::restore(window, saved, owner);
    return true;
}

bool WindowFrameKeeper::eventFilter(QObject* watched, QEvent* event)
{
    // A window closed by its own button, by Escape or by the program going away is hidden
    // first, whichever way it then goes.
    if (watched == m_window && event->type() == QEvent::Hide)
        save();
    return QObject::eventFilter(watched, event);
}

void WindowFrameKeeper::save()
{
    m_defaults.setString(WindowPlacement::stringFromFrame(QRect(m_window->pos(), m_window->size())),
                         m_key);
    m_defaults.synchronize();
}

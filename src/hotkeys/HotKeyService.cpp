#include "hotkeys/HotKeyService.h"

#include "hotkeys/HotKeyLogging.h"
#include "hotkeys/PortalHotKeyService.h"
#include "hotkeys/X11HotKeyService.h"

#include <QGuiApplication>

#include <atomic>

Q_LOGGING_CATEGORY(lcHotKeys, "velmoran.hotkeys")

std::unique_ptr<HotKeyService> HotKeyService::createForPlatform()
{
    if (std::unique_ptr<X11HotKeyService> x11 = X11HotKeyService::create())
        return x11;
    if (std::unique_ptr<PortalHotKeyService> portal = PortalHotKeyService::create())
        return portal;
    return std::make_unique<InertHotKeyService>();
}

HotKeyService::Handle InertHotKeyService::registerHotKey(int, int, HotKeyID, const HotKeyLabel&)
{
    static std::atomic_bool logged = false;
    if (!logged.exchange(true)) {
        const QString platform =
            qGuiApp ? QGuiApplication::platformName() : QStringLiteral("non-graphical");
        qCInfo(lcHotKeys).noquote() << "Global shortcuts need an X11 session; on the" << platform
                                    << "platform they are kept but never fire";
    }
    return ++m_lastHandle;
}

void InertHotKeyService::unregisterHotKey(Handle) {}

void InertHotKeyService::installEventHandler(EventHandler) {}

#include "hotkeys/PTHotKeyCenter.h"

#include "hotkeys/PortalHotKeyService.h"

PTHotKeyCenter& PTHotKeyCenter::sharedCenter()
{
    static PTHotKeyCenter* const instance = new PTHotKeyCenter(HotKeyService::createForPlatform());
    return *instance;
}

PTHotKeyCenter::PTHotKeyCenter(std::unique_ptr<HotKeyService> service)
    : m_service(std::move(service))
{
    Q_ASSERT(m_service);
}

PTHotKeyCenter::~PTHotKeyCenter()
{
    for (const std::shared_ptr<PTHotKey>& hotKey : allHotKeys())
        unregisterHotKey(hotKey);
}

bool PTHotKeyCenter::isRegistered(const PTHotKey& hotKey) const
{
    const quint32 number = hotKey.hotKeyNumber();
    return number != 0 && m_hotKeys.value(number).get() == &hotKey;
}

bool PTHotKeyCenter::registerHotKey(const std::shared_ptr<PTHotKey>& hotKey)
{
    if (!hotKey)
        return false;
    if (isRegistered(*hotKey))
        unregisterHotKey(hotKey);

    const PTKeyCombo combo = hotKey->keyCombo();
    if (!combo.isValidHotKeyCombo())
        return true;

    const quint32 number = ++m_hotKeyCount;
    const HotKeyService::Handle handle = m_service->registerHotKey(
        combo.keyCode(), combo.modifiers(), HotKeyID{kHotKeySignature, number},
        HotKeyLabel{hotKey->identifier().toString(), hotKey->name()});
    if (handle == 0)
        return false;

    hotKey->setRegistration(number, handle);
    m_hotKeys.insert(number, hotKey);
    installEventHandler();
    return true;
}

void PTHotKeyCenter::unregisterHotKey(const std::shared_ptr<PTHotKey>& hotKey)
{
    if (!hotKey || !isRegistered(*hotKey) || hotKey->hotKeyHandle() == 0)
        return;
    m_service->unregisterHotKey(hotKey->hotKeyHandle());
    m_hotKeys.remove(hotKey->hotKeyNumber());
    hotKey->setRegistration(0, 0);
}

PortalShortcutSession* PTHotKeyCenter::portalSession() const
{
    auto* portal = dynamic_cast<PortalHotKeyService*>(m_service.get());
    return portal ? &portal->session() : nullptr;
}

QList<std::shared_ptr<PTHotKey>> PTHotKeyCenter::allHotKeys() const
{
    return m_hotKeys.values();
}

std::shared_ptr<PTHotKey> PTHotKeyCenter::hotKeyWithIdentifier(const QVariant& identifier) const
{
    if (!identifier.isValid())
        return nullptr;
    for (const std::shared_ptr<PTHotKey>& hotKey : m_hotKeys) {
        if (hotKey->identifier() == identifier)
            return hotKey;
    }
    return nullptr;
}

std::shared_ptr<PTHotKey> PTHotKeyCenter::hotKeyWithKeyCombo(const PTKeyCombo& combo) const
{
    if (combo.isClearCombo())
        return nullptr;
    for (const std::shared_ptr<PTHotKey>& hotKey : m_hotKeys) {
        if (hotKey->keyCombo() == combo)
            return hotKey;
    }
    return nullptr;
}

void PTHotKeyCenter::installEventHandler()
{
    if (m_eventHandlerInstalled)
        return;
    m_eventHandlerInstalled = true;
    m_service->installEventHandler(
        [this](const HotKeyEvent& event) { return handleHotKeyEvent(event); });
}

bool PTHotKeyCenter::handleHotKeyEvent(const HotKeyEvent& event)
{
    if (event.eventClass != HotKeyEvent::kEventClassKeyboard || !event.hotKeyID ||
        event.hotKeyID->signature != kHotKeySignature)
        return false;
    if (event.kind == HotKeyEvent::kEventHotKeyReleased)
        return true;
    if (event.kind != HotKeyEvent::kEventHotKeyPressed)
        return false;
    // Held for the call: the action may well unregister its own hot key.
    if (const std::shared_ptr<PTHotKey> hotKey = m_hotKeys.value(event.hotKeyID->id))
        hotKey->invoke();
    return true;
}

#include "app/GlobalShortcuts.h"

#include "hotkeys/PTHotKey.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCombo.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

GlobalShortcuts::GlobalShortcuts(PTHotKeyCenter* center, UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , m_center(center)
    , m_defaults(defaults)
{}

GlobalShortcuts::~GlobalShortcuts()
{
    if (!m_center)
        return;
    if (m_window)
        m_center->unregisterHotKey(m_window);
    if (m_panel)
        m_center->unregisterHotKey(m_panel);
}

bool GlobalShortcuts::registerFor(const char* identifier, const QString& preference,
                                  const QString& description, std::shared_ptr<PTHotKey>& hotKey,
                                  void (GlobalShortcuts::*pressed)())
{
    if (!m_center)
        return true;
    if (hotKey)
        m_center->unregisterHotKey(hotKey);
    const PTKeyCombo combo = PTKeyCombo::fromShortcutRecord(m_defaults.objectForKey(preference));
    hotKey = std::make_shared<PTHotKey>(QString::fromLatin1(identifier), combo);
    // Desktops that list the shortcuts they bind for a program (the portal on Wayland) show it.
    hotKey->setName(description);
    hotKey->setTarget(this);
    hotKey->setAction([this, pressed](PTHotKey*) { Q_EMIT(this->*pressed)(); });
    // A combination without a key or a modifier is refused by the centre: the shortcut is off.
    return m_center->registerHotKey(hotKey);
}

bool GlobalShortcuts::registerWindowShortcut()
{
    return registerFor(kWindowIdentifier, PrefKey::shortcut, tr("Show or hide the Velmoran window"),
                       m_window, &GlobalShortcuts::windowShortcutPressed);
}

bool GlobalShortcuts::registerPanelShortcut()
{
    return registerFor(kPanelIdentifier, PrefKey::shortcut2, tr("Open or close the tray panel"),
                       m_panel, &GlobalShortcuts::panelShortcutPressed);
}

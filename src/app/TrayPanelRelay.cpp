#include "app/TrayPanelRelay.h"

#include "app/ShellWindows.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

TrayPanelRelay::TrayPanelRelay(UserDefaults& defaults)
    : m_defaults(defaults)
{}

bool TrayPanelRelay::isOn() const
{
    return m_panel && m_defaults.boolForKey(PrefKey::showMenuBar);
}

void TrayPanelRelay::followPreference()
{
    if (isOn()) {
        if (!m_hasStatusItem) {
            m_panel->createStatusItem();
            m_hasStatusItem = true;
        }
    } else {
        removeStatusItem();
    }
}

void TrayPanelRelay::removeStatusItem()
{
    if (m_hasStatusItem && m_panel)
        m_panel->removeStatusItem();
    m_hasStatusItem = false;
}

void TrayPanelRelay::togglePanel()
{
    if (isOn())
        m_panel->togglePanel();
}

void TrayPanelRelay::toggleByHotKey()
{
    if (isOn())
        m_panel->toggleByHotKey();
}

void TrayPanelRelay::redraw()
{
    if (!isOn())
        return;
    m_panel->closePanel();
    m_panel->refreshContent();
}

void TrayPanelRelay::refreshContent()
{
    if (isOn())
        m_panel->refreshContent();
}

void TrayPanelRelay::refreshOnMinuteChange()
{
    if (isOn())
        m_panel->refreshOnMinuteChange();
}

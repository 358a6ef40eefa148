#pragma once

class TrayPanel;
class UserDefaults;

// Whether the tray panel and its status icon are there follows "showMenuBar": the icon is made
// and removed with the preference, and every relay to the panel stays quiet while it is off.
class TrayPanelRelay
{
public:
    explicit TrayPanelRelay(UserDefaults& defaults);

    // May be null (no panel at all); the composition root hands in EntryWindows.
    void setPanel(TrayPanel* panel) { m_panel = panel; }
    bool isOn() const;
    bool hasStatusItem() const { return m_hasStatusItem; }

    // The status icon is made or removed as the preference now says.
    void followPreference();
    // On quit: the icon goes whatever the preference.
    void removeStatusItem();

    void togglePanel();
    void toggleByHotKey();
    // New colours or text size: an open panel closes and redraws.
    void redraw();
    void refreshContent();
    void refreshOnMinuteChange();

private:
    UserDefaults& m_defaults;
    TrayPanel* m_panel = nullptr;
    bool m_hasStatusItem = false;
};

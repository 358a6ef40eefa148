#pragma once

#include "platform/KWinPanelRule.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class DataManager;
class ModeManager;
class PanelViewController;
class QPropertyAnimation;

// The tray panel's window: frameless, above other windows, hanging from the status icon (or from
// the pointer's screen corner where the icon's place is unknown; on Wayland, where a window
// cannot place itself, KWin's rule puts it at the top right of the screen). It opens and closes the
// panel, keeps it open while it is pinned, closes it when it loses the focus otherwise, and follows
// the height its content asks for.
class PanelWindowController : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kFadeOutMs = 100;
    static constexpr int kOrderOutMs = 200;
    static constexpr int kResizeMs = 150;
    // A click on the status icon that took the focus from the panel closed it already; the
    // click itself must not open it again.
    static constexpr int kReopenGuardMs = 400;
    static constexpr int kFocusSettleMs = 150;

    PanelWindowController(DataManager& manager, ModeManager& modeManager,
                          QWidget* parent = nullptr);
    ~PanelWindowController() override;

    PanelViewController* panel() const { return m_panel; }
    // The status icon's place in global coordinates; an empty rectangle when it is unknown.
    std::function<QRect()> statusIconGeometry;

    // The panel is meant to be open.
    bool hasActivePanel() const { return m_hasActivePanel; }
    void openPanel();
    // Fades the panel out unless it is pinned.
    void closePanel();
    // Closes it even when pinned; the pin stays for the next opening.
    void closePanelManually();
    // The status icon.
    void turnOnOffFromMenuBar();
    // The second global shortcut.
    void turnOnOffByHotKey();
    // Redrawing every window closes an open panel.
    void turnOffFromMenuBar();
    // Where the panel goes for a content `height`.
    QRect placement(int height) const;

protected:
    bool event(QEvent* event) override;

private:
    void closeUnpinned();
    // A window opened over the panel (the question before a parent is completed) takes the
    // focus while the panel is still in use behind it.
    bool ownsWindow(const QWidget* window) const;
    void repairActivation();
    void heightChanged(int height);
    void focusLost();

    PanelViewController* m_panel;
    const bool m_onWayland;
    // On a Wayland desktop run by KWin: no task-bar entry, kept above, at the top of the screen.
    KWinPanelRule m_kwinRule;
    bool m_hasActivePanel = false;
    bool m_opening = false;
    QPointer<QPropertyAnimation> m_fade;
    QPointer<QPropertyAnimation> m_resize;
    QTimer m_orderOut;
    QTimer m_focusCheck;
    QElapsedTimer m_sinceFocusLost;
};

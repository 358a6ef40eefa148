#pragma once

#include <QLabel>

class PortalShortcutSession;

// Under a shortcut recorder where the desktop binds the global shortcuts itself (the
// GlobalShortcuts portal on Wayland): the keys the desktop actually bound to the shortcut,
// which may differ from the recorded ones, or that it could not bind it. Hidden while the
// shortcut is off.
class DesktopShortcutNote : public QLabel
{
    Q_OBJECT

public:
    DesktopShortcutNote(const PortalShortcutSession& session, const QString& shortcutId,
                        QWidget* parent = nullptr);

    // The one line for the whole page on where the desktop's keys are changed.
    static QString settingsHint();

private:
    void update();

    const PortalShortcutSession& m_session;
    QString m_shortcutId;
};

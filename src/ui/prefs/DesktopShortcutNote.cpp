#include "ui/prefs/DesktopShortcutNote.h"

#include "hotkeys/PortalShortcutSession.h"
#include "ui/common/AlertLabel.h"

#include <QtGlobal>

#include <algorithm>

DesktopShortcutNote::DesktopShortcutNote(const PortalShortcutSession& session,
                                         const QString& shortcutId, QWidget* parent)
    : QLabel(parent)
    , m_session(session)
    , m_shortcutId(shortcutId)
{
    setTextFormat(Qt::PlainText);
    connect(&session, &PortalShortcutSession::changed, this, &DesktopShortcutNote::update);
    update();
}

QString DesktopShortcutNote::settingsHint()
{
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (desktops.contains(QLatin1String("KDE"), Qt::CaseInsensitive))
        return tr("To use other keys, change them in System Settings › Shortcuts.");
    return tr("To use other keys, change them in your desktop's keyboard shortcut settings.");
}

void DesktopShortcutNote::update()
{
    const QList<PortalShortcut>& wanted = m_session.shortcuts();
    const bool asked = std::ranges::any_of(
        wanted, [this](const PortalShortcut& shortcut) { return shortcut.id == m_shortcutId; });
    QString text;
    if (asked) {
        switch (m_session.status()) {
        case PortalShortcutSession::Status::Binding:
            text = tr("Asking the desktop for these keys…");
            break;
        case PortalShortcutSession::Status::Bound: {
            const QString keys = m_session.boundTriggers().value(m_shortcutId);
            text = tr("Desktop shortcut: %1").arg(keys.isEmpty() ? tr("not assigned") : keys);
            break;
        }
        case PortalShortcutSession::Status::Failed:
            text = tr("The desktop could not bind this shortcut.");
            break;
        case PortalShortcutSession::Status::Closed:
            break;
        }
    }
    // A shortcut the desktop did not bind stands out like a recording the recorder refused.
    setStyleSheet(m_session.status() == PortalShortcutSession::Status::Failed
                      ? QStringLiteral("color: %1").arg(AlertLabel::colorOn(palette()).name())
                      : QString());
    setText(text);
    setVisible(!text.isEmpty());
}

#pragma once

#include "hotkeys/DesktopShortcutSupport.h"
#include "hotkeys/GnomeCustomKeybindings.h"
#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Below the two shortcut recorders on Wayland, where no program can take keys for itself:
// GNOME without the shortcuts portal is offered the shortcuts as its own keyboard shortcuts
// (written only after the user agreed to exactly what is written), any other compositor
// is given the lines for its configuration, and a desktop without a tray is told how to get
// one. Which of these shows is DesktopShortcutSupport's choice; everything follows the
// recorded keys as they change.
class DesktopShortcutHelp : public QWidget
{
    Q_OBJECT

public:
    DesktopShortcutHelp(const PreferenceContext& context, DesktopShortcutSupport support,
                        QWidget* parent = nullptr);

    // Whether any help shows (none on X11, nor where the portal binds the keys and the tray
    // runs).
    bool hasHelp() const;
    // Wide enough for the explanations to read as a paragraph and for the lines to show
    // whole where they are not very long.
    QSize sizeHint() const override;

    QPushButton* addToGnomeButton() const { return m_addToGnome; }
    QPushButton* removeFromGnomeButton() const { return m_removeFromGnome; }
    QLabel* gnomeStatus() const { return m_gnomeStatus; }
    QComboBox* compositorPopUp() const { return m_compositor; }
    QPlainTextEdit* linesView() const { return m_lines; }
    QLabel* trayText() const { return m_trayText; }

Q_SIGNALS:
    void helpChanged();

private:
    QWidget* makeGnomeOffer();
    QWidget* makeCompositorLines();
    void refresh();
    void refreshGnome();
    void refreshLines();
    void refreshTray();
    void addToGnome();
    void removeFromGnome();
    QString commandFor(const QString& option) const;

    PreferenceContext m_context;
    DesktopShortcutSupport m_support;
    GnomeCustomKeybindings m_gnome;
    QString m_program;
    QPushButton* m_addToGnome = nullptr;
    QPushButton* m_removeFromGnome = nullptr;
    QLabel* m_gnomeStatus = nullptr;
    QComboBox* m_compositor = nullptr;
    QPlainTextEdit* m_lines = nullptr;
    QLabel* m_trayText;
};

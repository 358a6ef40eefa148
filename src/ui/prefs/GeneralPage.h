#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

class OnOffButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class ShortcutRecorder;
class AccountsGroup;
class DesktopShortcutHelp;
class DesktopShortcutNote;
class QFormLayout;
class StoreFoldersGroup;

// The General page: the two global shortcuts, the tray icon, the week's first day, sounds,
// when a task is overdue, how a task with open subtasks is completed, the launcher badge,
// notifications and the snooze time, and the store's folders.
class GeneralPage : public QWidget
{
    Q_OBJECT

public:
    explicit GeneralPage(const PreferenceContext& context, QWidget* parent = nullptr);

    ShortcutRecorder* menuBarShortcut() const { return m_menuBarShortcut; }
    ShortcutRecorder* keyboardShortcut() const { return m_keyboardShortcut; }
    // What the desktop bound, where it binds the shortcuts itself; none elsewhere.
    DesktopShortcutNote* menuBarShortcutNote() const { return m_menuBarShortcutNote; }
    DesktopShortcutNote* keyboardShortcutNote() const { return m_keyboardShortcutNote; }
    QCheckBox* showMenuBarButton() const { return m_showMenuBar; }
    QCheckBox* sundayFirstButton() const { return m_sundayFirst; }
    QCheckBox* soundButton() const { return m_sound; }
    QComboBox* overduePopUp() const { return m_overdue; }
    QComboBox* subtaskCompletionPopUp() const { return m_subtaskCompletion; }
    QComboBox* badgePopUp() const { return m_badge; }
    QComboBox* badgeBasePopUp() const { return m_badgeBase; }
    QCheckBox* includeOverdueButton() const { return m_includeOverdue; }
    QCheckBox* includeUndatedButton() const { return m_includeUndated; }
    OnOffButton* notificationButton() const { return m_notifications; }
    QLineEdit* snoozeField() const { return m_snooze; }
    StoreFoldersGroup* storeFolders() const { return m_storeFolders; }
    // None without accounts to show (see PreferenceRelays).
    AccountsGroup* accounts() const { return m_accounts; }
    // On Wayland only (see PreferenceRelays::desktopSession).
    DesktopShortcutHelp* desktopHelp() const { return m_desktopHelp; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void addDesktopHelp(QFormLayout* form);
    void sundayFirstChanged();
    void notificationChanged();

    PreferenceContext m_context;
    ShortcutRecorder* m_menuBarShortcut;
    ShortcutRecorder* m_keyboardShortcut;
    DesktopShortcutNote* m_menuBarShortcutNote = nullptr;
    DesktopShortcutNote* m_keyboardShortcutNote = nullptr;
    QCheckBox* m_showMenuBar;
    QCheckBox* m_sundayFirst;
    QCheckBox* m_sound;
    QComboBox* m_overdue;
    QComboBox* m_subtaskCompletion;
    QComboBox* m_badge;
    QComboBox* m_badgeBase;
    QCheckBox* m_includeOverdue;
    QCheckBox* m_includeUndated;
    OnOffButton* m_notifications;
    QLineEdit* m_snooze;
    StoreFoldersGroup* m_storeFolders;
    AccountsGroup* m_accounts = nullptr;
    DesktopShortcutHelp* m_desktopHelp = nullptr;
};

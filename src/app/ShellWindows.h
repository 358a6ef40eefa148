#pragma once

#include <QDateTime>
#include <QString>

// The windows the application shell opens beside the main one. Each interface has one
// implementation, made by the composition root (named at each); a window left out keeps its
// menu item disabled and its relays quiet.

// IntroWindows: the onboarding of the first launch, the about window and the help sheet.
class OnboardingWindows
{
public:
    virtual ~OnboardingWindows() = default;
    // Returns whether it showed; the window calls AppDelegate::introFinished() at its end.
    virtual bool openIntro() = 0;
    virtual bool openAbout() = 0;
    // A document name ("Help", "Update"): the Help menu and "What's New".
    virtual bool openHelp(const QString& document) = 0;
};

// PreferenceWindows.
class PreferencesOpener
{
public:
    virtual ~PreferencesOpener() = default;
    virtual bool openPreferences() = 0;
};

// RecentlyDeletedWindows: what was deleted here and elsewhere, to restore or let go.
class RecentlyDeletedOpener
{
public:
    virtual ~RecentlyDeletedOpener() = default;
    virtual bool openRecentlyDeleted() = 0;
};

// EntryWindows: the quick-add window, with the date (invalid: none) and the list (identifier,
// may be empty) its form starts with.
class QuickAddOpener
{
public:
    virtual ~QuickAddOpener() = default;
    virtual void openQuickAdd(const QDateTime& date, const QString& listIdentifier) = 0;
    // The form bound to a task (identifier): what it adds is that task's subtask.
    virtual void openQuickAddForSubtask(const QString& parentIdentifier) = 0;
};

// EntryWindows: the tray panel and its status icon (TrayPanelRelay says when).
class TrayPanel
{
public:
    virtual ~TrayPanel() = default;
    virtual void createStatusItem() = 0;
    virtual void removeStatusItem() = 0;
    virtual void togglePanel() = 0;
    virtual void toggleByHotKey() = 0;
    virtual void closePanel() = 0;
    // The colours or the lists changed.
    virtual void refreshContent() = 0;
    virtual void refreshOnMinuteChange() = 0;
};

// AccountSync: File → Sync Now, off while there is no account or a sync runs.
class SyncCommand
{
public:
    virtual ~SyncCommand() = default;
    virtual bool canSyncNow() const = 0;
    virtual void syncNow() = 0;
};

// ExchangeWindows: File → Import… and File → Export…, each asking for its file.
class ExchangeOpener
{
public:
    virtual ~ExchangeOpener() = default;
    virtual bool openImport() = 0;
    virtual bool openExport() = 0;
};

struct ShellWindows
{
    OnboardingWindows* onboarding = nullptr;
    PreferencesOpener* preferences = nullptr;
    RecentlyDeletedOpener* recentlyDeleted = nullptr;
    QuickAddOpener* quickAdd = nullptr;
    TrayPanel* tray = nullptr;
    SyncCommand* sync = nullptr;
    ExchangeOpener* exchange = nullptr;
};

#pragma once

#include "data/ListChoice.h"
#include "ui/prefs/PreferenceContext.h"
#include "ui/prefs/PreferencePanelDelegate.h"

#include <QObject>
#include <QPalette>

#include <array>
#include <memory>

class AdvancedPage;
class AppearancePage;
class FiltersPage;
class GeneralPage;
class ListsPage;
class NewTaskPage;
class PreferenceBinder;

// What the preferences window shows: the six settings pages, made and filled once, and what
// happens when the window becomes active (the Lists page re-reads the store) or closes (the
// preferences are written through and the companion copy updated). It owns the pages.
class PreferenceObject : public QObject, public PreferencePanelDelegate
{
    Q_OBJECT

public:
    enum Page { General, NewTask, Lists, Filters, Appearance, Advanced, PageCount };

    PreferenceObject(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                     UserNotificationCenter& notificationCenter, PreferenceRelays relays,
                     QObject* parent = nullptr);
    ~PreferenceObject() override;

    int countOfPreferencePanels() const override { return PageCount; }
    QString titleForPreferencePanelAt(int index) const override;
    QIcon imageForPreferencePanelAt(int index) const override;
    QWidget* panelViewForPreferencePanelAt(int index) const override;
    void refreshData() override;
    void prefWindowWillClose() override;

    // The day or night palette the window and its pages show.
    QPalette palette() const;

    // Sets blockRefresh: the next refreshData is skipped.
    void blockNextRefresh() { m_blockRefresh = true; }

    GeneralPage* generalPage() const { return m_general; }
    NewTaskPage* newTaskPage() const { return m_newTask; }
    ListsPage* listsPage() const { return m_lists; }
    FiltersPage* filtersPage() const { return m_filters; }
    AppearancePage* appearancePage() const { return m_appearance; }
    AdvancedPage* advancedPage() const { return m_advanced; }
    const ListChoice& listChoice() const { return m_choice; }

Q_SIGNALS:
    // Night mode or the font changed: the window takes palette() and asks for its images again.
    void appearanceChanged();

private:
    void setUpView();
    void applyAppearance();
    // A synced set was loaded: every page and the main window take the new values.
    void preferencesLoaded();

    UserDefaults& m_defaults;
    DataManager& m_manager;
    ModeManager& m_modeManager;
    PreferenceRelays m_relays;
    std::unique_ptr<PreferenceBinder> m_binder;
    PreferenceContext m_context;
    ListChoice m_choice;
    bool m_blockRefresh = false;
    GeneralPage* m_general;
    NewTaskPage* m_newTask;
    ListsPage* m_lists;
    FiltersPage* m_filters;
    AppearancePage* m_appearance;
    AdvancedPage* m_advanced;
    std::array<QWidget*, PageCount> m_panelViews{};
};

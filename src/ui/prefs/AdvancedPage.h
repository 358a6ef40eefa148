#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QList>
#include <QWidget>

#include <functional>

class QPushButton;
class QStackedWidget;
class QuickActionsTab;
class SmartAddTab;
class SmartListTab;
class SyncTab;

// The Advanced page: four title buttons over the tab they show (smart lists, quick actions,
// Smart Add, preference sets). It owns the tabs; the preferences object reaches them here.
class AdvancedPage : public QWidget
{
    Q_OBJECT

public:
    enum Tab { SmartListTabIndex, QuickActionsTabIndex, SmartAddTabIndex, SyncTabIndex, TabCount };

    // `blockRefresh` is called before a tab opens a sheet: the window's next activation (the
    // sheet closing) must not re-read the page under the sheet's own update. `refreshWindows`
    // redraws the windows after a synced set has been loaded.
    AdvancedPage(const PreferenceContext& context, std::function<void()> blockRefresh,
                 std::function<void()> refreshWindows, QWidget* parent = nullptr);

    int currentSmartTab() const { return m_currentSmartTab; }
    void smartTabTapped(int tab);
    // What the window's activation re-reads: the smart lists, whichever tab is shown.
    void reloadDataForSmartTab();
    // Every tab re-reads its preferences (a synced set was loaded).
    void reloadAll();

    QPushButton* tabButton(int tab) const { return m_buttons.value(tab); }
    QWidget* shownTab() const;
    SmartListTab* smartListTab() const { return m_smartList; }
    QuickActionsTab* quickActionsTab() const { return m_quickActions; }
    SmartAddTab* smartAddTab() const { return m_smartAdd; }
    SyncTab* syncTab() const { return m_sync; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void setupSmartTab();

    QList<QPushButton*> m_buttons;
    QStackedWidget* m_stack;
    SmartListTab* m_smartList;
    QuickActionsTab* m_quickActions;
    SmartAddTab* m_smartAdd;
    SyncTab* m_sync;
    int m_currentSmartTab = SmartListTabIndex;
};

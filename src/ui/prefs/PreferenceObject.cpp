#include "ui/prefs/PreferenceObject.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "ui/common/TintedIcon.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/AppearancePage.h"
#include "ui/prefs/FiltersPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/ListsPage.h"
#include "ui/prefs/NewTaskPage.h"
#include "ui/prefs/PreferenceBinder.h"

#include <QPalette>

namespace {

const char* const kImages[] = {"PrefIconGeneral", "PrefIconNew",        "PrefIconList",
                               "PrefIconFilter",  "PrefIconAppearance", "PrefIconAdvanced"};

} // namespace

PreferenceObject::PreferenceObject(DataManager& manager, ModeManager& modeManager,
                                   UserDefaults& defaults,
                                   UserNotificationCenter& notificationCenter,
                                   PreferenceRelays relays, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_relays(std::move(relays))
    , m_binder(std::make_unique<PreferenceBinder>(defaults))
    , m_context{manager, modeManager, defaults, notificationCenter, *m_binder, m_relays}
{
    m_general = new GeneralPage(m_context);
    m_newTask = new NewTaskPage(m_context, m_choice);
    m_lists = new ListsPage(m_context, m_choice);
    m_filters = new FiltersPage(m_context);
    m_appearance = new AppearancePage(m_context);
    m_advanced = new AdvancedPage(
        m_context, [this] { m_blockRefresh = true; }, [this] { preferencesLoaded(); });
    m_panelViews = {m_general, m_newTask, m_lists, m_filters, m_appearance, m_advanced};
    m_lists->setShownListsChanged([this] {
        m_newTask->resetDefaultListItems();
        m_newTask->defaultListChanged();
    });
    // The Lists page first: the New Task page's default list is made from its rows.
    m_lists->setupListAndCalendar();
    setUpView();
    connect(&modeManager, &ModeManager::redrawWindowsRequested, this,
            &PreferenceObject::applyAppearance);
    applyAppearance();
}

QPalette PreferenceObject::palette() const
{
    return m_modeManager.vibrantAppearance();
}

void PreferenceObject::applyAppearance()
{
    const QPalette colors = palette();
    for (QWidget* view : m_panelViews)
        view->setPalette(colors);
    Q_EMIT appearanceChanged();
}

PreferenceObject::~PreferenceObject()
{
    for (QWidget* view : m_panelViews)
        delete view;
}

void PreferenceObject::setUpView()
{
    m_binder->loadAll();
    m_newTask->resetDefaultListItems();
    m_filters->setupFilters();
    m_appearance->resetEnabledForAutoNightMode();
}

QString PreferenceObject::titleForPreferencePanelAt(int index) const
{
    switch (index) {
    case General:
        return tr("General");
    case NewTask:
        return tr("New Task");
    case Lists:
        return tr("Lists");
    case Filters:
        return tr("Filters");
    case Appearance:
        return tr("Appearance");
    case Advanced:
        return tr("Advanced");
    default:
        return {};
    }
}

QIcon PreferenceObject::imageForPreferencePanelAt(int index) const
{
    if (index < 0 || index >= PageCount)
        return {};
    return TintedIcon::icon(QString::fromLatin1(kImages[index]),
                            palette().color(QPalette::WindowText));
}

QWidget* PreferenceObject::panelViewForPreferencePanelAt(int index) const
{
    if (index < 0 || index >= PageCount)
        return nullptr;
    return m_panelViews.at(index);
}

void PreferenceObject::refreshData()
{
    const bool blocked = m_lists->takeBlockRefresh() || m_blockRefresh;
    m_blockRefresh = false;
    if (blocked)
        return;
    m_lists->setupListAndCalendar();
    m_advanced->reloadDataForSmartTab();
}

void PreferenceObject::preferencesLoaded()
{
    setUpView();
    m_lists->setupListAndCalendar();
    m_advanced->reloadAll();
    m_manager.refreshRemindersArray();
    for (const auto& relay :
         {m_relays.showHideMenuBar, m_relays.scheduleNotifications,
          m_relays.panelRefreshOnListChange, m_relays.refreshLeftList, m_relays.setupListsMenu}) {
        if (relay)
            relay();
    }
}

void PreferenceObject::prefWindowWillClose()
{
    // Values of the wrong kind are written over with what the window showed.
    m_binder->repairAll();
    m_newTask->defaultListChanged();
    m_defaults.synchronize();
    m_manager.lists().matchPreferencesForTodayExtension();
}

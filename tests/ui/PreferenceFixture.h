#pragma once

#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestEnvironment.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/NightModeSchedule.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

// A preferences window as the application builds it, over a real store in a temporary folder,
// the preference file the command-line front end also uses, and a notification centre on the
// test's session bus. What the pages ask of the shell is counted; questions to the user are
// answered from `answer`. The members are declared in the order they are made, so that
// destroying the fixture takes them down as tearDown() does.
struct PreferenceFixture
{
    QTemporaryDir dir;
    Clock clock;
    std::unique_ptr<UserDefaults> defaults;
    std::optional<TestContext> context;
    std::unique_ptr<DataManager> manager;
    std::unique_ptr<ModeManager> modes;
    std::unique_ptr<UserNotificationCenter> center;
    std::unique_ptr<PreferenceObject> object;
    std::unique_ptr<PreferenceWindowController> window;
    QMap<QString, int> relayed;
    QList<PreferenceRelays::Alert> alerts;
    bool answer = true;
    QString chosenFolder;
    // The desktop session the General page is told of; none by default.
    std::optional<DesktopSession> desktopSession;

    QString root() const { return dir.path() + QStringLiteral("/store"); }

    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

    static bool makeCollection(const QString& folder, const QString& title)
    {
        return writeFile(folder + QStringLiteral("/displayname"), title.toUtf8());
    }

    // The store's folders come from the preferences, as in the application, so that the
    // window can change them.
    bool setUp(const QByteArray& preferenceFile = {})
    {
        if (!dir.isValid())
            return false;
        // Where velmoran-cli, which runs without the test paths, finds the preferences.
        const QString file =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/velmoran/preferences.json");
        QFile::remove(file);
        if (!preferenceFile.isEmpty() && !writeFile(file, preferenceFile))
            return false;
        defaults = std::make_unique<UserDefaults>(file);
        context.emplace(defaults.get());
        clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        if (!defaults->hasStoredValue(QStringLiteral("storeFolders")))
            defaults->setObject(QVariantList{root()}, QStringLiteral("storeFolders"));
        UserDefaults* prefs = defaults.get();
        Clock* time = &clock;
        manager = std::make_unique<DataManager>(*defaults, clock, [prefs, time] {
            return std::make_unique<store::EventStore>(StoreFolders::configuredRoots(*prefs),
                                                       *time);
        });
        QSignalSpy refreshed(manager.get(), &DataManager::remindersRefreshed);
        manager->initStore();
        if (!refreshed.wait(5000))
            return false;
        setupDefaultPreferences(*defaults, &manager->lists());
        DataManager* data = manager.get();
        modes = std::make_unique<ModeManager>(*defaults,
                                              [data] { return data->nightMode().isNightMode(); });
        center = std::make_unique<UserNotificationCenter>(clock);
        remakeWindow();
        return true;
    }

    // The window made (again, for relays changed since, or with some given by `adjust`). What
    // the pages ask of the shell is counted; questions to the user are answered from `answer`.
    void remakeWindow(const std::function<void(PreferenceRelays&)>& adjust = {})
    {
        window.reset();
        PreferenceRelays r;
        const auto count = [this](const char* name) {
            return [this, name] { ++relayed[QString::fromLatin1(name)]; };
        };
        r.showHideMenuBar = count("showHideMenuBar");
        r.scheduleNotifications = count("scheduleNotifications");
        r.panelRefreshOnListChange = count("panelRefreshOnListChange");
        r.refreshLeftList = count("refreshLeftList");
        r.setupListsMenu = count("setupListsMenu");
        r.inform = [this](QWidget*, const PreferenceRelays::Alert& alert) { alerts << alert; };
        r.confirm = [this](QWidget*, const PreferenceRelays::Alert& alert) {
            alerts << alert;
            return answer;
        };
        r.chooseFolder = [this](QWidget*, const QString&) { return chosenFolder; };
        if (desktopSession)
            r.desktopSession = [this] { return *desktopSession; };
        if (adjust)
            adjust(r);
        object = std::make_unique<PreferenceObject>(*manager, *modes, *defaults, *center, r);
        window = std::make_unique<PreferenceWindowController>(object.get());
    }

    // What `check` finds in the preferences window on each page and each tab of the Advanced
    // page, every fault headed by where it was found.
    QStringList faultsOnEveryPage(const std::function<QStringList(QWidget*)>& check)
    {
        AdvancedPage* advanced = object->advancedPage();
        QStringList faults;
        for (int page = 0; page < PreferenceObject::PageCount; ++page) {
            window->selectPanelAtIndex(page);
            const bool tabbed = page == PreferenceObject::Advanced;
            for (int tab = 0; tab < (tabbed ? int(AdvancedPage::TabCount) : 1); ++tab) {
                if (tabbed)
                    advanced->smartTabTapped(tab);
                QCoreApplication::processEvents();
                for (const QString& fault : check(window.get()))
                    faults << QStringLiteral("page %1, tab %2: ").arg(page).arg(tab) + fault;
            }
        }
        return faults;
    }

    // Waits for the refresh a change started; false when none came.
    bool waitForRefresh()
    {
        QSignalSpy refreshed(manager.get(), &DataManager::remindersRefreshed);
        return refreshed.wait(5000);
    }

    void tearDown()
    {
        window.reset();
        object.reset();
        center.reset();
        modes.reset();
        manager.reset();
        context.reset();
        defaults.reset();
    }
};

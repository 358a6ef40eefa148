#pragma once

#include "LoadedStore.h"
#include "TestDetailServices.h"

#include "app/AppDelegate.h"
#include "prefs/ModeManager.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"

// The application over a LoadedStore as a run of the program builds it: the modes and the
// delegate, into which a suite plugs the windows it looks at. The windows a suite makes over
// `delegate` go before it does.
struct RunningApp : LoadedStore
{
    // The store loaded and the shell made over it; false (and a failed test) when the store's
    // first refresh never came.
    bool build(PTHotKeyCenter* hotKeys = nullptr)
    {
        if (!load())
            return false;
        modes = std::make_unique<ModeManager>(*defaults, [] { return false; });
        services.emplace(*defaults);
        delegate = std::make_unique<AppDelegate>(*manager, *modes, *defaults, hotKeys,
                                                 services->services());
        return true;
    }

    // Starts the run with `windows` plugged in: true once the main window shows the store.
    bool launch(const ShellWindows& windows = {})
    {
        delegate->setWindows(windows);
        QSignalSpy refreshed(manager.get(), &DataManager::remindersRefreshed);
        delegate->applicationDidFinishLaunching();
        if (!window() || !QTest::qWaitForWindowExposed(window()))
            return false;
        // Waiting for the exposure runs the event loop, which may already have delivered the
        // refresh; a spy's wait only counts one still to come.
        if (refreshed.isEmpty() && !refreshed.wait(10000))
            return false;
        view().setAnimationDuration(0);
        return true;
    }

    WindowController* window() const { return delegate->windowController(); }
    ViewController& view() const { return *window()->viewController(); }

    std::unique_ptr<ModeManager> modes;
    std::optional<TestDetailServices> services;
    std::unique_ptr<AppDelegate> delegate;
};

#pragma once

#include "platform/store/StoreIndex.h"
#include "text/Global.h"

#include <QString>

#include <memory>

class Clock;
class DataManager;
class UserDefaults;

// The data manager of one command-line run, over the application's own store and preferences:
// built directly (not the application's shared instance, which also talks to the launcher over
// D-Bus), loaded once without waiting on timers, and closed only after everything it started
// has finished.
class CliSession
{
public:
    CliSession(UserDefaults& defaults, Clock& clock);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Opens the store and, unless the command shows no task, loads the tasks of the visible
    // lists, at once. With `onlyList`, a list's identifier or the beginning of its title, only
    // the lists it may name are read: the others are known from the parse cache, so that the
    // answer about that list is the same.
    // With `readingOnly` the store hands out its own records rather than copies, and refuses
    // changes: for commands that only print.
    void open(bool withTasks = true, store::StoreIndex::Scope scope = {}, bool readingOnly = false);
    DataManager& manager() { return *m_manager; }
    // Waits for the store's fetches and the background jobs the changes of this run started,
    // and writes the preferences. The data manager is left to the end of the process.
    void close();

private:
    UserDefaults& m_defaults;
    Clock& m_clock;
    std::unique_ptr<DataManager> m_manager;
    // The texts of this run measure against its data manager's dates.
    std::unique_ptr<Global::Context> m_textContext;
};

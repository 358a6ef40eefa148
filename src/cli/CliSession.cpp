#include "cli/CliSession.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "platform/UserDefaults.h"
#include "platform/store/StoreFolders.h"
#include "text/Global.h"

#include <vector>

CliSession::CliSession(UserDefaults& defaults, Clock& clock)
    : m_defaults(defaults)
    , m_clock(clock)
{}

CliSession::~CliSession()
{
    close();
}

void CliSession::open(bool withTasks, const std::optional<QString>& onlyList)
{
    UserDefaults& defaults = m_defaults;
    Clock& clock = m_clock;
    m_manager = std::make_unique<DataManager>(defaults, clock, [&defaults, &clock, onlyList] {
        auto store =
            std::make_unique<store::EventStore>(StoreFolders::configuredRoots(defaults), clock);
        if (onlyList) {
            // Every list the name may stand for: by identifier, or by a title that equals it or
            // begins with it, ignoring case (as the command then picks among them).
            const QString name = onlyList->trimmed();
            store->setScope([name, wanted = name.toLower()](const store::CollectionFolder& folder) {
                return folder.identifier == name || folder.displayName.toLower().startsWith(wanted);
            });
        }
        return store;
    });
    m_textContext = std::make_unique<Global::Context>(&m_manager->dates(), &defaults);
    // Loaded at once: a command answers without waiting for the refresh pipeline's timers,
    // and only a command that shows events expands them.
    m_manager->initStoreNow(withTasks);
}

void CliSession::close()
{
    if (!m_manager)
        return;
    m_manager->waitForBackgroundJobs();
    if (store::EventStore* eventStore = m_manager->eventStore()) {
        eventStore->waitForFetches();
        eventStore->waitForParseCache();
    }
    m_defaults.synchronize();
    m_textContext.reset();
    // The process ends right after this: freeing tens of thousands of records one by one
    // would only hold the answer back. Kept reachable, so that leak checkers stay quiet.
    static std::vector<DataManager*> finished;
    finished.push_back(m_manager.release());
}

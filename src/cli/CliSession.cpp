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

void CliSession::open(bool withTasks, store::StoreIndex::Scope scope, bool readingOnly)
{
    UserDefaults& defaults = m_defaults;
    Clock& clock = m_clock;
    m_manager =
        std::make_unique<DataManager>(defaults, clock, [&defaults, &clock, scope, readingOnly] {
            const QStringList roots = StoreFolders::configuredRoots(defaults);
            auto eventStore = scope ? std::make_unique<store::EventStore>(roots, scope, clock)
                                    : std::make_unique<store::EventStore>(roots, clock);
            eventStore->setRecordSharing(readingOnly ? store::EventStore::RecordSharing::ReadingOnly
                                                     : store::EventStore::RecordSharing::Copies);
            return eventStore;
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

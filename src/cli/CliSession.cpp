#include "cli/CliSession.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "platform/UserDefaults.h"
#include "text/Global.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// A store of many thousand tasks on a slow disk still loads well within this.
constexpr int kLoadTimeoutMs = 60000;

} // namespace

CliSession::CliSession(UserDefaults& defaults, Clock& clock)
    : m_defaults(defaults)
    , m_clock(clock)
{}

CliSession::~CliSession()
{
    close();
}

bool CliSession::open(QString* error)
{
    UserDefaults& defaults = m_defaults;
    Clock& clock = m_clock;
    m_manager = std::make_unique<DataManager>(defaults, clock, [&defaults, &clock] {
        return std::make_unique<store::EventStore>(store::EventStore::configuredRoots(defaults),
                                                   clock);
    });
    m_textContext = std::make_unique<Global::Context>(&m_manager->dates(), &defaults);

    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool refreshed = false;
    QObject::connect(m_manager.get(), &DataManager::remindersRefreshed, &loop, [&] {
        refreshed = true;
        loop.quit();
    });
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(kLoadTimeoutMs);
    m_manager->initStore();
    loop.exec();
    if (!refreshed && error)
        *error = QCoreApplication::translate("velmoran-cli", "the task store did not load in time");
    return refreshed;
}

void CliSession::close()
{
    if (!m_manager)
        return;
    if (store::EventStore* eventStore = m_manager->eventStore())
        eventStore->waitForFetches();
    m_defaults.synchronize();
    m_textContext.reset();
    m_manager.reset();
}

// velmoran-cli: the application's core without a window, for scripts and for testing the whole
// system from the outside.

#include "cli/CachedTaskListing.h"
#include "cli/CliCommands.h"
#include "cli/CliLists.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "cli/CliStoreScope.h"
#include "cli/CliSync.h"
#include "cli/CliTaskSelection.h"
#include "platform/Clock.h"
#include "platform/SystemZoneName.h"
#include "platform/UserDefaults.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>

namespace {

// The clock follows the system unless VELMORAN_NOW sets it for this run.
bool setUpClock(Clock& clock)
{
    const QString now = qEnvironmentVariable(kNowVariable).trimmed();
    if (now.isEmpty())
        return true;
    QDateTime instant = QDateTime::fromString(now, Qt::ISODate);
    if (!instant.isValid()) {
        const QDate day = QDate::fromString(now, Qt::ISODate);
        if (day.isValid())
            instant = day.startOfDay();
    }
    if (!instant.isValid()) {
        CliOutput::printError(CliText::tr("%1=\"%2\" is not an ISO date and time, such as "
                                          "2026-12-24T10:00")
                                  .arg(QString::fromLatin1(kNowVariable), now));
        return false;
    }
    clock.setNow(instant.toLocalTime());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    SystemZoneName::nameInEnvironment();
    QCoreApplication app(argc, argv);
    // Messages and --help in the user's language; the JSON output and the command words stay
    // as they are, for scripts.
    InterfaceLanguage::install(
        app, UserDefaults::standardUserDefaults().boolForKey(PrefKey::useEnglishInterface));
    QCoreApplication::setApplicationName(QStringLiteral("velmoran-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORAN_VERSION));

    const CliParse parse = parseCommandLine(QCoreApplication::arguments());
    if (!parse.request) {
        if (!parse.error.isEmpty())
            CliOutput::printError(parse.error);
        else
            CliOutput::print(parse.output.trimmed());
        return parse.exitCode;
    }
    const CliRequest& request = *parse.request;

    Clock& clock = Clock::system();
    if (!setUpClock(clock))
        return 2;
    if (const QString problem = StoreFolders::storeVariableProblem(); !problem.isEmpty()) {
        CliOutput::printError(problem);
        return 2;
    }

    // The same preferences as the application, brought to the current defaults first.
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    setupDefaultPreferences(defaults, nullptr);

    if (request.command == CliRequest::Command::PrefsGet ||
        request.command == CliRequest::Command::PrefsSet)
        return CliCommands::runPrefs(defaults, request);
    if (request.command == CliRequest::Command::Sync ||
        request.command == CliRequest::Command::AccountAdd ||
        request.command == CliRequest::Command::AccountLists ||
        request.command == CliRequest::Command::SyncConflict)
        return CliSync::run(defaults, request);

    // The lists are in the folders' metadata: the items of a large store are not read for them.
    if (request.command == CliRequest::Command::Lists && !request.problems) {
        if (const std::optional<int> status = CliLists::runFromFolders(defaults, request))
            return *status;
    }

    // A listing that only prints is answered from the parse cache when it can stand for the
    // whole store; the records answer otherwise.
    if (CachedTaskListing::suits(request)) {
        CliSession listing(defaults, clock);
        listing.open(false, CachedTaskListing::storeScope(), true);
        const std::optional<int> status = CachedTaskListing::run(listing.manager(), request);
        listing.close();
        if (status)
            return *status;
    }

    CliSession session(defaults, clock);
    store::StoreIndex::Scope scope;
    if (request.command == CliRequest::Command::Tasks && request.list && !request.search &&
        !request.view)
        scope = CliStoreScope::oneList(*request.list);
    else if (request.command == CliRequest::Command::Events)
        scope = CliStoreScope::eventCalendars(StoreFolders::configuredRoots(defaults));
    else if (request.command == CliRequest::Command::Export && !request.lists.isEmpty())
        scope = CliStoreScope::someLists(request.lists);
    // An export asks the store for the lists' tasks itself.
    session.open(request.command != CliRequest::Command::Lists &&
                     request.command != CliRequest::Command::Events &&
                     request.command != CliRequest::Command::Export &&
                     CliTaskSelection::readsSnapshot(request),
                 std::move(scope),
                 request.command == CliRequest::Command::Tasks ||
                     request.command == CliRequest::Command::Lists);
    const int status = CliCommands::runWithStore(session.manager(), request);
    session.close();
    return status;
}

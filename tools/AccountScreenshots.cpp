#include "AccountScreenshots.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "platform/Clock.h"
#include "platform/UserNotificationCenter.h"
#include "platform/store/CollectionFinder.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "ui/prefs/AccountsGroup.h"
#include "ui/prefs/AddAccountDialog.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollArea>
#include <QTcpServer>

namespace {

bool write(QWidget* window, const QString& path)
{
    return ScreenshotFiles::writeWindow(window, path, 300);
}

} // namespace

int saveAccountWindows(DataManager& manager, ModeManager& modes, const QString& output,
                       const QString& suffix)
{
    const QString home = QDir::homePath();
    // A user who also keeps a vdirsyncer configuration of their own.
    const QString theirPath = store::CollectionFinder::forThisUser().vdirsyncerConfig();
    QDir().mkpath(QFileInfo(theirPath).absolutePath());
    QFile theirs(theirPath);
    if (theirs.open(QIODevice::WriteOnly))
        theirs.write("[storage cal_local]\ntype = \"filesystem\"\npath = \"~/.calendars/\"\n");
    theirs.close();

    const SyncPaths paths{home + "/config/velmoran/vdirsyncer", home + "/data/velmoran/accounts"};
    SyncAccounts::save(
        paths.accountsFile(),
        {SyncAccount{"account_1", "https://cloud.example.org/dav/", "alice", {"tasks", "work"}}});
    SecretStore secrets;
    SyncSetup setup(paths, secrets, {});
    SyncScheduler scheduler(setup, Clock::system());

    int failures = 0;
    PreferenceRelays relays;
    relays.accounts = &setup;
    relays.accountSync = &scheduler;
    PreferenceObject object(manager, modes, manager.defaults(),
                            UserNotificationCenter::defaultUserNotificationCenter(), relays);
    PreferenceWindowController window(&object);
    window.setPalette(object.palette());
    window.show();
    window.selectPanelAtIndex(0);
    // The accounts sit below the store folders: scrolled into view, as a user would.
    GeneralPage* page = object.generalPage();
    for (QWidget* parent = page->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(parent)) {
            area->ensureWidgetVisible(page->accounts(), 0, 0);
            break;
        }
    }
    ScreenshotFiles::pause(100);
    failures += !write(&window, output + "/prefs-accounts" + suffix + ".png");
    // The group alone, with the offer below it that the window's height cuts off.
    failures += !write(page->accounts(), output + "/accounts-group" + suffix + ".png");

    // A server that cannot be reached (or, on a desktop without one, no secret service): the
    // words, and vdirsyncer's own line below them.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString url = QStringLiteral("http://127.0.0.1:%1/dav/").arg(closed.serverPort());
    closed.close();
    AddAccountDialog dialog(setup, nullptr, &window);
    dialog.setPalette(object.palette());
    dialog.show();
    dialog.urlField()->setText(url);
    dialog.userField()->setText("alice");
    dialog.passwordField()->setText("not shown");
    QEventLoop answered;
    QObject::connect(&dialog, &AddAccountDialog::serverAnswered, &answered, &QEventLoop::quit);
    dialog.connectToServer();
    if (dialog.isStoringPassword())
        answered.exec();
    failures += !write(&dialog, output + "/account-problem" + suffix + ".png");
    dialog.reject();
    QFile::remove(theirPath);
    return failures;
}

#include "IntroScreenshots.h"
#include "ScreenshotFiles.h"

#include "platform/store/CollectionFinder.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/intro/HelpWindowController.h"
#include "ui/intro/IntroWindowController.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

bool write(QWidget* window, const QString& path)
{
    return ScreenshotFiles::writeWindow(window, path, 450);
}

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

// A home the way a vdirsyncer, khal and todoman user has it.
void makeExistingFolders(const QString& home)
{
    writeText(home + "/.config/vdirsyncer/config",
              "[storage cal_local]\ntype = \"filesystem\"\npath = \"~/.calendars/\"\n"
              "[storage team_local]\ntype = \"filesystem\"\npath = \"~/Sync/team/\"\n");
    writeText(home + "/.config/khal/config",
              "[calendars]\n[[family]]\npath = ~/.calendars/family\n");
    writeText(home + "/.config/todoman/config.py", "path = \"~/.calendars/*\"\n");
    const QByteArray task =
        "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:x\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    const QByteArray event =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    for (int i = 0; i < 14; ++i)
        writeText(home + QStringLiteral("/.calendars/errands/t%1.ics").arg(i), task);
    for (int i = 0; i < 37; ++i)
        writeText(home + QStringLiteral("/.calendars/family/e%1.ics").arg(i), event);
    for (int i = 0; i < 6; ++i)
        writeText(home + QStringLiteral("/Sync/team/sprint/t%1.ics").arg(i), task);
}

void waitForPage(IntroWindowController& intro, int page)
{
    const QDeadlineTimer deadline(5000);
    while (intro.currentPage() != page && !deadline.hasExpired())
        ScreenshotFiles::pause(50);
}

} // namespace

int saveIntroWindows(DataManager& manager, ModeManager& modes, const QString& output,
                     const QString& suffix)
{
    const QString home = QDir::homePath();
    makeExistingFolders(home);
    int failures = 0;
    {
        IntroWindowController intro(manager, modes);
        intro.setFinderFactory([home] { return store::CollectionFinder(home, {}); });
        intro.show();
        for (int page = 1; page <= 5; ++page) {
            waitForPage(intro, page);
            failures +=
                !write(&intro, output + QStringLiteral("/intro-%1%2.png").arg(page).arg(suffix));
            if (page < 5)
                intro.nextButton(page)->click();
        }
        intro.hide();
    }
    HelpWindowController help(modes, QStringLiteral("Help"));
    help.setReviewAction([] {});
    help.show();
    failures += !write(&help, output + "/help" + suffix + ".png");
    help.loadFileName(QStringLiteral("Update"));
    failures += !write(&help, output + "/help-update" + suffix + ".png");
    AboutWindowController about(modes);
    about.show();
    failures += !write(&about, output + "/about" + suffix + ".png");
    return failures;
}

#include "ProblemsScreenshots.h"
#include "ScreenshotFiles.h"

#include "platform/store/UnreadableFile.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/problems/UnreadableFilesBar.h"
#include "ui/main/problems/UnreadableFilesDialog.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

// The bar follows the store's refresh after the kernel reports the files.
bool waitForBar(UnreadableFilesBar* bar, bool shown)
{
    QElapsedTimer timer;
    timer.start();
    while (bar->isVisible() != shown && timer.elapsed() < 5000)
        ScreenshotFiles::pause(50);
    return bar->isVisible() == shown;
}

} // namespace

int saveUnreadableFiles(ViewController* view, QWidget* window, const QString& listFolder,
                        const QString& output, const QString& suffix)
{
    const QString cut = listFolder + QStringLiteral("/weekly-notes.ics");
    const QString huge = listFolder + QStringLiteral("/exported-archive.ics");
    QFile cutFile(cut);
    if (cutFile.open(QIODevice::WriteOnly))
        cutFile.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nSUMMARY:Weekly notes\r\n");
    cutFile.close();
    QFile hugeFile(huge);
    if (hugeFile.open(QIODevice::WriteOnly))
        hugeFile.resize(store::kMaxItemSize + 1);
    hugeFile.close();

    int failures = 0;
    UnreadableFilesBar* bar = view->mvc()->unreadableFilesBar();
    const QSize before = window->size();
    // The bar belongs to the task list: shown without the details, as the window starts.
    const bool details = view->isDetailsShown();
    if (details) {
        view->showHideDetails();
        ScreenshotFiles::pause(500); // closing the details shrinks the window as it goes
    }
    view->lvc()->presenter().selectDayView();
    window->resize(800, 600);
    if (!waitForBar(bar, true)) {
        std::printf("the bar for files that could not be read never showed\n");
        ++failures;
    }
    failures += !ScreenshotFiles::writeWindow(
        window, output + QStringLiteral("/unreadable-files-800x600%1.png").arg(suffix), 400);
    bar->showFiles();
    if (UnreadableFilesDialog* dialog = bar->dialog()) {
        failures += !ScreenshotFiles::writeWindow(
            dialog, output + QStringLiteral("/unreadable-files-dialog%1.png").arg(suffix), 400);
        dialog->close();
    } else {
        ++failures;
    }
    QFile::remove(cut);
    QFile::remove(huge);
    waitForBar(bar, false);
    if (details) {
        view->openRightView();
        ScreenshotFiles::pause(500);
    }
    window->resize(before);
    return failures;
}
